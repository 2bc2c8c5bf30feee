#!/usr/bin/env bash
# Static checks of the shipped executable, which cannot run on these machines:
# a 32-bit (PE32) Intel 80386 GUI program that Windows XP will load, i.e. with a
# subsystem version of at most 5.01 and only imports that XP SP3 exports
# (tests/e2e/xp_imports.txt). Functions newer than XP must be loaded with
# GetProcAddress, which keeps them out of the import table.
#   check_exe.sh <Vornix.exe> [allow-list]
set -euo pipefail

exe=${1:?usage: check_exe.sh <exe> [allow-list]}
allow=${2:-$(dirname "$0")/xp_imports.txt}
problems=0

problem() {
  echo "FAIL: $*"
  problems=$((problems + 1))
}

[ -f "$exe" ] || { echo "FAIL: $exe does not exist"; exit 1; }

kind=$(file -b "$exe")
echo "file type: $kind"
[[ $kind == PE32\ executable* ]] || problem "not a 32-bit PE executable (PE32+ is 64-bit)"
[[ $kind == *"(GUI)"* ]] || problem "not a GUI-subsystem program"
[[ $kind == *"Intel 80386"* || $kind == *"Intel i386"* ]] || problem "not for Intel 80386"

# The cross objdump knows PE32 for sure; the host's usually does too.
if ! headers=$(i686-w64-mingw32-objdump -p "$exe" 2>/dev/null) && ! headers=$(objdump -p "$exe" 2>/dev/null); then
  problem "objdump cannot read the headers"
  echo "$exe: $problems problem(s)"
  exit 1
fi
field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$headers"; }
major=$(field MajorSubsystemVersion)
minor=$(field MinorSubsystemVersion)
if [ -z "$major" ] || [ -z "$minor" ]; then
  problem "no subsystem version in the headers"
  version=unknown
else
  version=$(printf '%d.%02d' "$((10#$major))" "$((10#$minor))")
  [ $((10#$major * 100 + 10#$minor)) -le 501 ] || problem "subsystem version $version is newer than Windows XP's 5.01"
fi
echo "subsystem version: $version (at most 5.01 for Windows XP); OS version field: $(field MajorOSystemVersion).$(field MinorOSystemVersion)"

# DLL!Function for every import; DLL names in lower case, ordinals as #n.
imports=$(awk '
  /^[ \t]*DLL Name:/ { dll = tolower($3); next }
  /^[ \t]*vma:/ { next }
  /^$/ { dll = "" ; next }
  dll != "" && /^\t[0-9a-f]+\t/ {
    name = $3
    if (name == "" || name == "<none>") name = "#" $2
    print dll "!" name
  }' <<<"$headers" | sort -u)
count=$(grep -c . <<<"$imports" || true)
dlls=$(cut -d! -f1 <<<"$imports" | sort -u | paste -sd' ')
echo "imports: $count functions from $dlls"
[ "$count" -gt 0 ] || problem "no imports found: objdump output not understood"

allowed=$(grep -v '^[[:space:]]*\(#\|$\)' "$allow" | tr -d '\r' | awk -F'!' '{ print tolower($1) "!" $2 }' | sort -u)
unknown=$(comm -23 <(echo "$imports") <(echo "$allowed"))
if [ -n "$unknown" ]; then
  while read -r entry; do
    problem "import $entry is not in $(basename "$allow") (not known to exist on Windows XP SP3;" \
      "load it with GetProcAddress, or add it to the list after checking that XP has it)"
  done <<<"$unknown"
fi

if [ "$problems" -gt 0 ]; then
  echo "$exe: $problems problem(s)"
  exit 1
fi
echo "$exe: PE32 GUI for Intel 80386, subsystem $version, all $count imports exist on Windows XP SP3"
