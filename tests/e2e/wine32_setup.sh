#!/usr/bin/env bash
# 32-bit Wine under QEMU's user-mode emulator, for running the shipped i686
# Vornix.exe on machines whose kernel cannot run 32-bit code. Nothing of the
# machine's own Wine or packages changes: Debian's i386 Wine packages and the
# backported qemu-user are fetched through an apt configuration of their own and
# unpacked into VORNIX_WINE32_CACHE (default ~/.cache/vornix/wine32; a second run
# fetches nothing); only an i386 ELF handler is registered with binfmt_misc, so
# that the programs Wine starts itself go through QEMU. Writes the environment
# file to source (wine32.env there).
set -euo pipefail

cache=${VORNIX_WINE32_CACHE:-$HOME/.cache/vornix/wine32}
root=$cache/root
env_file=$cache/wine32.env
log=$cache/setup.log
mkdir -p "$cache"
started=$SECONDS
sudo=
[ "$(id -u)" = 0 ] || sudo=sudo

# The 32-bit loader must speak the protocol of the machine's wineserver: the
# same version as the installed 64-bit Wine.
wine_version=$(dpkg-query -W -f='${Version}' wine64)
# Libraries winex11 opens at run time, which no package depends on.
x_libs="libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1"
packages="wine32 $wine_version; $x_libs; qemu-user bookworm-backports"
# The tree is unpacked again when this script changes how.
stamp="$packages; $(sed -n '/^unpack()/,/^}/p' "${BASH_SOURCE[0]}" | sha256sum | cut -c1-16)"

apt_private() {
  apt-get -q -o Dir::Etc::SourceList="$cache/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent \
    -o Dir::State::Lists="$cache/apt/lists" -o Dir::Cache="$cache/apt/cache" \
    -o Dir::State::status="$cache/apt/status" -o Debug::NoLocking=1 \
    -o APT::Architecture=i386 -o APT::Architectures::=i386 -o APT::Architectures::=amd64 \
    "$@"
}

# The same archive the machine uses: i386 packages of its release, and the
# backports suite for a QEMU whose memory mapping does not stall Wine's start.
fetch() {
  local uri codename
  uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -oE 'https?://[^ ]+/debian/?( |$)' | grep -v security | head -1 | tr -d ' ')
  uri=${uri:-http://deb.debian.org/debian}
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$cache/apt/lists/partial" "$cache/apt/cache/archives/partial" "$cache/debs"
  : >"$cache/apt/status"
  cat >"$cache/apt/sources.list" <<SOURCES
deb [arch=i386] $uri $codename main
deb [arch=amd64] $uri $codename-backports main
SOURCES
  echo "fetching the package lists of $uri ($codename i386, $codename-backports amd64)"
  apt_private update >>"$log" 2>&1 || { tail -20 "$log" >&2; exit 1; }
  local wanted
  # Everything the i386 Wine needs, as if nothing were installed: the private
  # tree has to be complete on its own.
  apt_private -s install --no-install-recommends "wine32:i386=$wine_version" $x_libs >"$cache/closure.txt" 2>>"$log" ||
    { tail -20 "$cache/closure.txt" >&2; exit 1; }
  wanted=$(awk '/^Inst / && /\[i386\]/ { sub(/:i386$/, "", $2); v = $3; gsub(/[()]/, "", v); print $2 ":i386=" v }' \
    "$cache/closure.txt")
  wanted+=" qemu-user:amd64/$codename-backports"
  echo "downloading $(wc -w <<<"$wanted") packages"
  (cd "$cache/debs" && apt_private download $wanted >>"$log" 2>&1) || { tail -20 "$log" >&2; exit 1; }
}

unpack() {
  rm -rf "$root" "$cache/qemu-i386"
  mkdir -p "$root"
  local deb
  for deb in "$cache"/debs/*.deb; do
    if [[ $(basename "$deb") == qemu-user_* ]]; then
      dpkg-deb --fsys-tarfile "$deb" | tar -x -O ./usr/bin/qemu-i386 >"$cache/qemu-i386"
      chmod 755 "$cache/qemu-i386"
    else
      dpkg -x "$deb" "$root"
    fi
  done
  # What the packages' install scripts would have done: zlib for the 32-bit
  # Wine, marked as a Wine builtin, the mark ending in NULs (its loader refuses
  # a native one there) ...
  local zlib=$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll
  mkdir -p "$(dirname "$zlib")"
  cp /usr/i686-w64-mingw32/lib/zlib1.dll "$zlib"
  printf 'Wine builtin DLL\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' | dd of="$zlib" bs=1 seek=64 conv=notrunc status=none
  # ... and a loader cache of the tree's own, or the i386 loader reads the machine's.
  mkdir -p "$root/etc/ld.so.conf.d"
  echo 'include /etc/ld.so.conf.d/*.conf' >"$root/etc/ld.so.conf"
  ldconfig -r "$root"
}

# i386 ELF programs go through QEMU; with the F flag the kernel keeps the
# emulator open, so it works in any mount namespace.
register_binfmt() {
  local dir=/proc/sys/fs/binfmt_misc name=vornix-qemu-i386
  [ -e "$dir/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$dir"
  if [ -e "$dir/$name" ]; then
    grep -qx "interpreter $cache/qemu-i386" "$dir/$name" && return 0
    echo -1 | $sudo tee "$dir/$name" >/dev/null
  fi
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":$name:M::$magic:$mask:$cache/qemu-i386:F" | $sudo tee "$dir/register" >/dev/null
}

if [ "$(cat "$cache/stamp" 2>/dev/null)" != "$stamp" ]; then
  rm -f "$cache/stamp"
  [ -n "$(ls "$cache"/debs/*.deb 2>/dev/null)" ] && [ "$(cat "$cache/fetched" 2>/dev/null)" = "$packages" ] || {
    rm -rf "$cache/debs"
    fetch
    echo "$packages" >"$cache/fetched"
  }
  echo "unpacking into $root"
  unpack
  echo "$stamp" >"$cache/stamp"
fi
register_binfmt

cat >"$env_file" <<ENV
export QEMU_LD_PREFIX='$root'
export WINELOADER='$root/usr/lib/wine/wine'
export WINEARCH=win32
WINE='$root/usr/lib/wine/wine'
# Waits of the tests are stretched by this factor: every program start and
# window under emulation takes several times as long.
export WINE_SLOWNESS=4
ENV
echo "32-bit Wine ready in $((SECONDS - started)) s: $env_file"
