#!/usr/bin/env bash
# Installs what is missing, builds Mirvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRVANE_GUI=ON -DMIRVANE_TESTS=OFF -DMIRVANE_BENCH=OFF \
  -DMIRVANE_SANITIZE=OFF
cmake --build build --target mirvane mirvane-hesap
exec build/desktop/mirvane "$@"
