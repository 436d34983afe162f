#!/usr/bin/env bash
# Builds libzip for 64-bit Windows from Debian's source package (the version the Linux build
# uses) with mingw-w64 and Debian's zlib for mingw, as a static library for the document
# writer's module. Kept in a cache folder outside the clone, named after the version and a
# hash of the options, and reused while it exists.
# Usage: scripts/build-windows-libzip.sh     prints the installed folder as its last line
#   MIRVANE_QT_WINDOWS_CACHE   cache root (default /var/cache/mirvane)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
scripts/install-deps.sh g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev >&2

debianVersion=1.7.3-1
cacheRoot=${MIRVANE_QT_WINDOWS_CACHE:-/var/cache/mirvane}
# Only deflate: the documents need no encryption and no other compression.
options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
  -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
  -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF
  -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF
)
compiler=$(x86_64-w64-mingw32-gcc-posix -dumpfullversion)
hash=$(printf '%s\n' "$debianVersion" "$compiler" "${options[@]}" | sha256sum | cut -c1-12)
install=$cacheRoot/libzip-${debianVersion%-*}-mingw-$hash
if [ -f "$install/.complete" ]; then
  echo "$install"
  exit 0
fi
mkdir -p "$cacheRoot"
exec 9>"$cacheRoot/.libzip-mingw-$hash.lock"
flock 9
if [ -f "$install/.complete" ]; then
  echo "$install"
  exit 0
fi

work=$(mktemp -d "$cacheRoot/libzip-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "== libzip kaynağı alınıyor ($debianVersion)" >&2
source=$("$repo/scripts/apt-source.sh" "libzip=$debianVersion" "$work/src" | tail -n 1)
echo "== Windows için libzip derleniyor" >&2
cmake -S "$source" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$install" \
  -DCMAKE_CROSSCOMPILING_EMULATOR= "${options[@]}" >"$work/configure.log" 2>&1 || {
  tail -n 30 "$work/configure.log" >&2
  exit 1
}
cmake --build "$work/build" >"$work/build.log" 2>&1 || {
  tail -n 30 "$work/build.log" >&2
  exit 1
}
rm -rf "$install"
cmake --install "$work/build" >/dev/null
# A static libzip (its zipconf.h says so to its users) needs zlib linked beside it.
sed -i -e 's/^Libs: \(.*\)$/Libs: \1 -lz -ladvapi32/' "$install/lib/pkgconfig/libzip.pc"
touch "$install/.complete"
echo "$install"
