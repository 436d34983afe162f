#!/usr/bin/env bash
# Starts mirvane and a bare Qt window of the same shape alternately (A B B A ...)
# under a private Xvfb, and prints for each the median time from fork to the
# mapping of its main window, the median resident memory 300 ms later, their
# spread, and the two ratios mirvane / bare window.
#
#   bench/startup/run.sh [RUNS] [BUILD_FOLDER]     (RUNS per program, default 12;
#                                                   build folder default "build")
#
# Builds what it needs in the build folder when it is missing there. Both programs
# get the same empty home, settings and temporary folders, so neither reads what a
# user keeps; the first start of each is a warm-up and not counted.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source-path=SCRIPTDIR source=alternate.sh
source bench/startup/alternate.sh
scripts/install-deps.sh xvfb
runs=${1:-12}
build=${2:-build}
settle_ms=300

timer=$build/bench/startup/startup-timer
bare=$build/bench/startup/bare-window
mirvane=$build/desktop/mirvane
if [ ! -x "$timer" ] || [ ! -x "$bare" ] || [ ! -x "$mirvane" ]; then
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRVANE_GUI=ON \
      -DMIRVANE_TESTS=OFF -DMIRVANE_BENCH=ON -DMIRVANE_SANITIZE=OFF >/dev/null
  fi
  cmake --build "$build" --target startup-timer bare-window mirvane
fi

read_titles "$build/CMakeCache.txt"

work=$(mktemp -d)
xvfb_pid=""
trap end_run EXIT

start_private_x
export QT_QPA_PLATFORM=xcb
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/runtime TMPDIR=$work/tmp
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset SESSION_MANAGER

# One start of program A (mirvane) or B (bare window): appends "ms KiB cpu-ms" to its file.
start() {
  # What a copy ended by the timer leaves in the temporary folder is no part of a
  # normal start.
  rm -rf "${TMPDIR:?}"/*
  case $1 in
  A) "$timer" "$mirvane_title" "$settle_ms" "$mirvane" ;;
  B) "$timer" "$bare_title" "$settle_ms" "$bare" ;;
  esac
}

alternate_starts "$runs"
read_medians
read -r a_cpu a_cpu_min a_cpu_max <<<"$(stats "$work/A" 3 1)"
read -r b_cpu b_cpu_min b_cpu_max <<<"$(stats "$work/B" 3 1)"

echo "$runs runs each, alternating; median (min-max)"
printf '%-14s %8s ms (%s-%s)   %8s MiB (%s-%s)\n' \
  mirvane "$a_ms" "$a_ms_min" "$a_ms_max" "$a_mb" "$a_mb_min" "$a_mb_max" \
  "bare window" "$b_ms" "$b_ms_min" "$b_ms_max" "$b_mb" "$b_mb_min" "$b_mb_max"
printf 'processor time: mirvane %s ms (%s-%s), bare window %s ms (%s-%s)\n' \
  "$a_cpu" "$a_cpu_min" "$a_cpu_max" "$b_cpu" "$b_cpu_min" "$b_cpu_max"
ratio "start-up ratio:" "$a_ms" "$b_ms"
ratio "memory ratio:  " "$a_mb" "$b_mb"
awk -v a="$a_cpu" -v b="$b_cpu" 'BEGIN { printf "(processor time ratio: %.2fx)\n", a / b }'
