#!/usr/bin/env bash
# Installs the Debian 12 packages Mirvane needs to build, test and run, skipping
# those already present. Usage: scripts/install-deps.sh [extra packages...]
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-svg-dev libzip-dev libxcb1-dev
  nlohmann-json3-dev libcli11-dev libsodium-dev
  fonts-dejavu-core fonts-liberation2
  libreoffice-writer-nogui
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Kuruluyor: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
