#!/usr/bin/env bash
# `make dist`: the release bundle dist/Vornix-<version>.zip with the shipped
# i686 Vornix.exe and the user's guides (CRLF; the German one in UTF-8 with a
# byte-order mark, which Notepad reads from Windows XP on), and a SHA-256 file
# beside it. The version is read from the exe's own version resource, so that
# the bundle's name cannot differ from what the program says of itself.
#   dist.sh <Vornix.exe> <output folder>
set -euo pipefail

exe=${1:?usage: dist.sh <Vornix.exe> <output folder>}
out=${2:?usage: dist.sh <Vornix.exe> <output folder>}
mkdir -p "$out"
out=$(cd "$out" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

version=$(i686-w64-mingw32-windres -i "$exe" -O rc | sed -n 's/^ *VALUE "FileVersion", "\(.*\)"$/\1/p' | head -1)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "no version in the resource of $exe: [$version]" >&2; exit 1; }
name=Vornix-$version
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cp "$exe" "$stage/Vornix.exe"
crlf() { sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$1"; }
crlf "$here/README.txt" >"$stage/README.txt"
{ printf '\xef\xbb\xbf'; crlf "$here/LIESMICH.txt"; } >"$stage/LIESMICH.txt"
# The same bytes for the same inputs: fixed times, fixed order, no extra fields.
touch -d '2000-01-01 00:00:00 UTC' "$stage"/*
rm -f "$out/$name.zip" "$out/$name.zip.sha256"
(cd "$stage" && TZ=UTC zip -q -X -9 "$out/$name.zip" Vornix.exe LIESMICH.txt README.txt)
(cd "$out" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "$out/$name.zip"
unzip -l "$out/$name.zip"
cat "$out/$name.zip.sha256"
