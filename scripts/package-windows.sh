#!/usr/bin/env bash
# Makes the Windows installer and the portable zip from a desktop build for Windows:
# installs the build into a staging folder, signs the programs (scripts/sign-windows.sh:
# only when a certificate is given), writes the installer's file lists and runs Debian's
# makensis, then signs the installer.
# Usage: scripts/package-windows.sh BUILD OUTDIR
#   writes OUTDIR/mirvane-VERSION-windows-x64-setup.exe and
#          OUTDIR/mirvane-VERSION-windows-x64-portable.zip
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
if [ $# -ne 2 ]; then
  echo "Kullanım: $0 DERLEME_KLASÖRÜ ÇIKTI_KLASÖRÜ" >&2
  exit 2
fi
build=$(realpath "$1")
out=$(realpath -m "$2")
scripts/install-deps.sh nsis osslsigncode zip >&2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "Sürüm okunamadı: $build/CMakeCache.txt" >&2; exit 1; }

stage=$out/stage
rm -rf "$stage"
mkdir -p "$out"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
bin=$stage/bin
scripts/sign-windows.sh "$bin/mirvane.exe" "$bin/mirvane-hesap.exe" "$bin/mirvane-zip.dll"

# The installer's file lists: what it puts in place and, in reverse order, exactly what
# its uninstaller takes away again (never a whole folder).
files=$out/files.nsh
unfiles=$out/unfiles.nsh
: >"$files"
: >"$unfiles"
dirs=()
while IFS= read -r dir; do
  rel=${dir#"$bin"}
  rel=${rel#/}
  win=${rel//\//\\}
  printf 'SetOutPath "$INSTDIR%s"\n' "${win:+\\$win}" >>"$files"
  while IFS= read -r file; do
    name=$(basename "$file")
    printf 'File "%s"\n' "$file" >>"$files"
    printf 'Delete "$INSTDIR%s\\%s"\n' "${win:+\\$win}" "$name" >>"$unfiles"
  done < <(find "$dir" -mindepth 1 -maxdepth 1 -type f | sort)
  [ -n "$rel" ] && dirs+=("$win")
done < <(find "$bin" -type d | sort)
for ((i = ${#dirs[@]} - 1; i >= 0; i--)); do
  printf 'RMDir "$INSTDIR\\%s"\n' "${dirs[i]}" >>"$unfiles"
done

installer=$out/mirvane-$version-windows-x64-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$bin" -DFILES="$files" -DUNFILES="$unfiles" \
  -DOUTFILE="$installer" "$repo/packaging/windows/mirvane.nsi" >"$out/makensis.log" 2>&1 || {
  cat "$out/makensis.log" >&2
  exit 1
}
scripts/sign-windows.sh "$installer"

# The portable copy: the same folder; its lists go beside the program (Veriler\Faizler).
portable=$out/mirvane-$version-windows-x64-portable.zip
rm -rf "$out/Mirvane-$version" "$portable"
cp -r "$bin" "$out/Mirvane-$version"
(cd "$out" && zip -q -r -9 "$portable" "Mirvane-$version")
rm -rf "$out/Mirvane-$version"
echo "kurulum: $installer ($(du -k "$installer" | cut -f1) KB)"
echo "taşınabilir: $portable ($(du -k "$portable" | cut -f1) KB)"
