#!/usr/bin/env bash
# Checks a release bundle: exactly the exe and the two guides, each of the size
# its source gives, the exe byte for byte the one given (the one the tests ran),
# the guides with CRLF line ends only, and the checksum file matching the zip.
#   check_dist.sh <zip> <Vornix.exe> [another copy of the exe the tests ran...]
set -euo pipefail

zip=${1:?usage: check_dist.sh <zip> <Vornix.exe> [copies...]}
exe=${2:?usage: check_dist.sh <zip> <Vornix.exe> [copies...]}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
problems=0
problem() { echo "FAIL: $*"; problems=$((problems + 1)); }

unzip -l "$zip"
names=$(unzip -Z1 "$zip" | sort | paste -sd' ')
[ "$names" = "LIESMICH.txt README.txt Vornix.exe" ] || problem "the zip holds [$names]"
(cd "$(dirname "$zip")" && sha256sum -c "$(basename "$zip").sha256") || problem "the checksum file does not match"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
for copy in "${@:2}"; do
  cmp -s "$unpacked/Vornix.exe" "$copy" || problem "Vornix.exe in the zip differs from $copy"
done
for guide in README.txt LIESMICH.txt; do
  file=$unpacked/$guide
  [ -s "$file" ] || { problem "$guide is empty"; continue; }
  # Every line ends in CR LF, and no CR stands elsewhere.
  [ "$(grep -c $'\r$' "$file")" = "$(wc -l <"$file")" ] || problem "$guide has lines without CR LF"
  [ "$(tr -cd '\r' <"$file" | wc -c)" = "$(wc -l <"$file")" ] || problem "$guide has a stray CR"
  [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] || problem "$guide does not end with CR LF"
  iconv -f UTF-8 -t UTF-16 "$file" >/dev/null || problem "$guide is not UTF-8"
  grep -q '@VERSION@' "$file" && problem "$guide still holds the version placeholder"
  # Its size: the source's bytes, a CR for each line, and the byte-order mark.
  expected=$(($(stat -c %s "$here/$guide") + $(wc -l <"$here/$guide")))
  [ "$guide" = LIESMICH.txt ] && expected=$((expected + 3))
  version=$(sed -e '1s/^\xef\xbb\xbf//' -n -e 's/^Vornix \([0-9.]*\) .*/\1/p' "$file" | head -1 | tr -d '\r')
  expected=$((expected + (${#version} - 9) * $(grep -c '@VERSION@' "$here/$guide")))
  [ "$(stat -c %s "$file")" = "$expected" ] || problem "$guide has $(stat -c %s "$file") bytes, expected $expected"
  [[ $(basename "$zip") == "Vornix-$version.zip" ]] || problem "$guide names version $version, the zip is $(basename "$zip")"
done
[ "$(head -c 3 "$unpacked/LIESMICH.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || problem "LIESMICH.txt has no byte-order mark"

if [ "$problems" -gt 0 ]; then
  echo "$zip: $problems problem(s)"
  exit 1
fi
echo "$zip: Vornix.exe (the one the tests ran), LIESMICH.txt and README.txt with CRLF; checksum matches"
