#!/usr/bin/env bash
# Builds libsodium for 64-bit Windows (static, mingw-w64 posix) from Debian's source
# package of the libsodium the Linux build uses, into a cache folder outside the clone
# keyed by that version, and copies headers and library into a Windows prefix.
# Usage: scripts/build-windows-libsodium.sh PREFIX
#   The cache is ${MIRVANE_CACHE:-${XDG_CACHE_HOME:-~/.cache}/mirvane}/libsodium-windows-VERSION;
#   a second run with the same version only copies.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "Kullanım: $0 WINDOWS_ÖNEKİ" >&2
  exit 2
fi
cd "$(dirname "$0")/.."
prefix=$(realpath -m "$1")
# Debian's source tree has no configure script: autoreconf makes it, as Debian's build does.
scripts/install-deps.sh libsodium-dev g++-mingw-w64-x86-64-posix dpkg-dev make autoconf automake \
  libtool

version=$(dpkg-query -W -f='${Version}' libsodium-dev)
cache_root=${MIRVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mirvane}
built=$cache_root/libsodium-windows-$version
if [ ! -f "$built/lib/libsodium.a" ]; then
  echo "== Windows: libsodium $version, Debian kaynağından (mingw-w64)"
  mkdir -p "$cache_root"
  work=$(mktemp -d "$cache_root/libsodium-build.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  source_tree=$(scripts/apt-source.sh "libsodium=$version" "$work/src" | tail -n 1)
  (
    cd "$source_tree"
    autoreconf -fi >"$work/autoreconf.log" 2>&1 || { tail -n 30 "$work/autoreconf.log"; exit 1; }
    ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix \
      --prefix="$work/out" --disable-shared --enable-static --disable-dependency-tracking \
      >"$work/configure.log" 2>&1 || { tail -n 30 "$work/configure.log"; exit 1; }
    nice make -j"$(nproc)" >"$work/make.log" 2>&1 || { tail -n 30 "$work/make.log"; exit 1; }
    make install >"$work/install.log" 2>&1 || { tail -n 30 "$work/install.log"; exit 1; }
  )
  # The finished build takes its name in one step: a broken run leaves no cache behind.
  rm -rf "$built.new"
  mkdir -p "$built.new/lib"
  cp -r "$work/out/include" "$built.new/include"
  cp "$work/out/lib/libsodium.a" "$built.new/lib/"
  rm -rf "$built"
  mv "$built.new" "$built"
fi
mkdir -p "$prefix/include" "$prefix/lib"
cp -r "$built/include/." "$prefix/include/"
cp "$built/lib/libsodium.a" "$prefix/lib/"
echo "$built"
