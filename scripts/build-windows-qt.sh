#!/usr/bin/env bash
# Builds Qt's base module for 64-bit Windows from Debian's source package (qt6-base 6.4.2,
# the version of the host's Qt tools) with Debian's mingw-w64 (posix threads), once per
# machine. The result is kept in a cache folder outside the clone, named after the version
# and a hash of every option below, and reused while it exists; only the modules and plugins
# the program needs are built. The host's moc, rcc and uic are used (QT_HOST_PATH=/usr).
# Usage: scripts/build-windows-qt.sh     prints the installed Qt's folder as its last line
#   MIRVANE_QT_WINDOWS_CACHE   cache root (default /var/cache/mirvane)
#   MIRVANE_QT_WINDOWS_NICE    niceness of the build (default 19: other builds keep the machine)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
scripts/install-deps.sh g++-mingw-w64-x86-64-posix qt6-base-dev-tools dpkg-dev >&2

version=6.4.2
debianVersion=6.4.2+dfsg-10
cacheRoot=${MIRVANE_QT_WINDOWS_CACHE:-/var/cache/mirvane}
niceness=${MIRVANE_QT_WINDOWS_NICE:-19}

# Debian's source has no wintab (its licence) and, with OpenGL off, the platform plugin's
# dynamic GL branch does not compile: both features go. The DirectWrite 3 font database is
# compiled into Gui only with Direct2D, yet the platform plugin asks for it whenever
# DirectWrite 3 is on: with Direct2D off it goes too (GDI and DirectWrite 1/2 remain). What the program does not use is
# left out to keep the build short: SQL, D-Bus, OpenGL, TLS, PrintSupport, Xml, Concurrent,
# the JPEG and GIF readers, Direct2D. It is optimised for size (-Os): it builds faster than
# -O3 on a CI machine's two cores and makes smaller DLLs.
options=(
  -DCMAKE_BUILD_TYPE=MinSizeRel
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
  -DFEATURE_openssl=OFF -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_icu=OFF -DFEATURE_glib=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_doubleconversion=OFF
)
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
hash=$(printf '%s\n' "$debianVersion" "$compiler" "${options[@]}" | sha256sum | cut -c1-12)
install=$cacheRoot/qt6-base-$version-mingw-$hash
if [ -f "$install/.complete" ]; then
  echo "Windows için Qt hazır: $install" >&2
  echo "$install"
  exit 0
fi

mkdir -p "$cacheRoot"
# Two runs at once (two clones on one machine) build it once: the second waits.
exec 9>"$cacheRoot/.qt6-base-$version-mingw-$hash.lock"
flock 9
if [ -f "$install/.complete" ]; then
  echo "$install"
  exit 0
fi

started=$SECONDS
work=$cacheRoot/build/qt6-base-$version-mingw-$hash
# Both folders exist before anything looks into them: on a new machine a search of a
# missing folder would end the script (pipefail) before the source is fetched.
mkdir -p "$work" "$cacheRoot/src"
source=$(find "$cacheRoot/src" -mindepth 1 -maxdepth 1 -type d -name "qt6-base-$version*" \
  2>/dev/null | head -n 1)
if [ -z "$source" ] || [ ! -f "$source/CMakeLists.txt" ]; then
  echo "== Qt kaynağı alınıyor (qt6-base $debianVersion)" >&2
  source=$("$repo/scripts/apt-source.sh" "qt6-base=$debianVersion" "$cacheRoot/src" | tail -n 1)
fi

cat >"$work/toolchain.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_STRIP x86_64-w64-mingw32-strip)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "$install")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

echo "== Windows için Qt yapılandırılıyor ($install)" >&2
cmake -S "$source" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_INSTALL_PREFIX="$install" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${options[@]}" \
  >"$work/configure.log" 2>&1 || {
  tail -n 40 "$work/configure.log" >&2
  exit 1
}
echo "== Windows için Qt derleniyor (nice $niceness)" >&2
nice -n "$niceness" cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1 || {
  grep -B2 -A12 -m 3 'error' "$work/build.log" >&2 || tail -n 40 "$work/build.log" >&2
  exit 1
}
rm -rf "$install"
cmake --install "$work/build" --strip >"$work/install.log" 2>&1 || {
  tail -n 20 "$work/install.log" >&2
  exit 1
}
printf '%s\n' "$debianVersion" "$compiler" "${options[@]}" >"$install/build-options.txt"
echo "$((SECONDS - started))" >"$install/build-seconds.txt"
touch "$install/.complete"
# The build tree (over a gigabyte) is not needed once the result is installed.
rm -rf "$work"
echo "== Windows için Qt $((SECONDS - started)) sn'de derlendi: $install" >&2
echo "$install"
