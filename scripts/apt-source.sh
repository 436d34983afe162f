#!/usr/bin/env bash
# Fetches and unpacks a Debian source package without touching the machine's apt setup.
# The deb-src entries are derived from the machine's own apt sources (every "deb" entry gains
# its "deb-src" twin) and live, with their package lists and cache, in a scratch folder of a
# private apt configuration, so no mirror's address is written anywhere.
# Usage: scripts/apt-source.sh PACKAGE[=VERSION] DESTDIR
#   e.g. scripts/apt-source.sh libsodium ~/.cache/mirvane/src
# The unpacked tree is DESTDIR/PACKAGE-UPSTREAMVERSION; the last line printed is its path.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "Kullanım: $0 PAKET[=SÜRÜM] HEDEF_KLASÖR" >&2
  exit 2
fi
package=$1
dest=$(realpath -m "$2")
mkdir -p "$dest"
command -v dpkg-source >/dev/null || "$(dirname "$0")/install-deps.sh" dpkg-dev

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/sources.list.d" "$scratch/lists/partial" "$scratch/cache/archives/partial"

# One-line format: "deb [options] URI suite components" -> "deb-src ...".
: >"$scratch/sources.list"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$list" ] || continue
  sed -n -E 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' "$list" >>"$scratch/sources.list"
done
# deb822 format: a paragraph whose Types lack deb-src gains it.
for sources in /etc/apt/sources.list.d/*.sources; do
  [ -f "$sources" ] || continue
  sed -E '/^Types:/{/deb-src/!s/$/ deb-src/}' "$sources" \
    >"$scratch/sources.list.d/$(basename "$sources")"
done

apt_options=(
  -o "Dir::Etc::SourceList=$scratch/sources.list"
  -o "Dir::Etc::SourceParts=$scratch/sources.list.d"
  -o "Dir::State::Lists=$scratch/lists"
  -o "Dir::Cache=$scratch/cache"
  -o "Debug::NoLocking=1"
)
# The private lists are owned by whoever runs this; apt's download user could not write them.
if [ "$(id -u)" -eq 0 ]; then
  apt_options+=(-o "APT::Sandbox::User=root")
fi
# A third-party repository without sources only warns; the package's own absence fails below.
apt-get "${apt_options[@]}" -qq update || true
(cd "$dest" && apt-get "${apt_options[@]}" -qq source "$package" >"$scratch/source.log" 2>&1) || {
  cat "$scratch/source.log" >&2
  echo "Kaynak paket alınamadı: $package" >&2
  exit 1
}
name=${package%%=*}
tree=$(find "$dest" -mindepth 1 -maxdepth 1 -type d -name "$name-*" -printf '%T@ %p\n' \
  | sort -n | tail -n 1 | cut -d' ' -f2-)
[ -n "$tree" ] || {
  echo "Açılmış kaynak bulunamadı: $dest/$name-*" >&2
  exit 1
}
echo "$tree"
