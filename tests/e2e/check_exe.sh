#!/usr/bin/env bash
# Static checks of the shipped executable, which cannot run on these machines:
# a 32-bit (PE32) Intel 80386 GUI program that Windows XP will load, i.e. with a
# subsystem version of at most 5.01 and only imports that XP SP3 exports
# (tests/e2e/xp_imports.txt). Functions newer than XP must be loaded with
# GetProcAddress, which keeps them out of the import table. It must also stay
# small (VORNIX_EXE_MAX_BYTES) and carry its version resource in English and
# German with one version number and a copyright line, read back from the file.
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
headers=$(i686-w64-mingw32-objdump -p "$exe" 2>/dev/null || objdump -p "$exe" 2>/dev/null) ||
  { echo "FAIL: objdump cannot read the headers"; exit 1; }
field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$headers"; }
major=$(field MajorSubsystemVersion) minor=$(field MinorSubsystemVersion) version=unknown
if [ -z "$major" ] || [ -z "$minor" ]; then problem "no subsystem version in the headers"; else
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
while read -r entry; do
  [ -z "$entry" ] || problem "import $entry is not in $(basename "$allow") (not known to exist on Windows XP SP3;" \
    "load it with GetProcAddress, or add it to the list after checking that XP has it)"
done <<<"$(comm -23 <(echo "$imports") <(echo "$allowed"))"

# Set just over the size reached, so that growth is a decision and not an accident.
max_bytes=${VORNIX_EXE_MAX_BYTES:-600000}
size=$(stat -c %s "$exe")
echo "size: $size bytes (at most $max_bytes)"
[ "$size" -le "$max_bytes" ] || problem "$size bytes is more than the limit of $max_bytes"

# The version resource as the resource compiler reads it back from the file.
resources=$(i686-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null | tr -d '\r' || true)
info=$(awk '/VERSIONINFO/ { on = 1 } on { print } on && /^END/ { exit }' <<<"$resources")
if [ -z "$info" ]; then
  problem "no version resource"
else
  echo "version resource:"
  sed 's/^/  /' <<<"$info"
  numbers=$(awk '$1 == "FILEVERSION" { $1 = ""; gsub(/[ ]/, ""); print; exit }' <<<"$info")
  block_value() {
    awk -v block="$1" -v name="$2" '
      $1 == "BLOCK" { inblock = ($2 == "\"" block "\"") }
      inblock && $1 == "VALUE" && $2 == "\"" name "\"," { sub(/^[^,]*, L?"/, ""); sub(/"$/, ""); print; exit }' <<<"$info"
  }
  for block in 040904B0 040704B0; do
    for name in FileVersion ProductVersion; do
      value=$(block_value "$block" "$name")
      [ "$value.0" = "${numbers//,/.}" ] || problem "$name of block $block is [$value], the numbers are $numbers"
    done
    [[ $(block_value "$block" LegalCopyright) == Copyright* ]] || problem "no copyright line in block $block"
  done
  grep -Eq 'VALUE "Translation", 0x409, 1200, 0x407, 1200' <<<"$info" ||
    problem "the translation table does not name English and German"
fi

[ "$problems" -eq 0 ] || { echo "$exe: $problems problem(s)"; exit 1; }
echo "$exe: PE32 GUI for Intel 80386, subsystem $version, all $count imports exist on Windows XP SP3," \
  "$size bytes, version resource in English and German"
