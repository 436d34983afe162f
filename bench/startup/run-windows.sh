#!/usr/bin/env bash
# The Windows pair of the start-up benchmark: mirvane.exe against the bare Qt window built
# with the same toolchain (bare-window.exe), both started under Wine in a private Xvfb,
# alternately (A B B A ...), timed by the Linux build's startup-timer from the fork to the
# mapping of the main window; resident memory 300 ms later. Prints the medians and the two
# ratios. A benchmark, not a test: nothing fails on its figures.
#
#   bench/startup/run-windows.sh [RUNS] [WINDOWS_BUILD] [LINUX_BUILD]
#     RUNS per program (default 8), WINDOWS_BUILD the desktop build for Windows (default
#     build-windows/mirvane, from scripts/test-windows.sh), LINUX_BUILD a build with
#     MIRVANE_BENCH=ON (default build)
#
# Wine's server and the prefix are started and warmed before the first start, so what is
# timed is the program's own start, as on a running Windows.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source-path=SCRIPTDIR source=alternate.sh
source bench/startup/alternate.sh
runs=${1:-8}
windows=$(realpath "${2:-build-windows/mirvane}")
linux=${3:-build}
settle_ms=300

timer=$linux/bench/startup/startup-timer
if [ ! -x "$timer" ]; then
  cmake --build "$linux" --target startup-timer
fi
timer=$(realpath "$timer")
mirvane=$windows/bin/mirvane.exe
bare=$windows/bin/bare-window.exe
for program in "$mirvane" "$bare"; do
  [ -f "$program" ] || { echo "Yok: $program (scripts/test-windows.sh derler)" >&2; exit 1; }
done
read_titles "$windows/CMakeCache.txt"

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  end_run
}
trap cleanup EXIT

start_private_x
export HOME=$work/home WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
mkdir -p "$HOME" "$WINEPREFIX"
wineserver -p
wineboot -i >/dev/null 2>&1
# Each program runs from a folder of its own copy, so the list folder the program makes
# beside itself is made once, in the warm-up, as on an installed copy's second start.
cp -r "$windows/bin" "$work/program"

start() {
  case $1 in
  A) "$timer" "$mirvane_title" "$settle_ms" wine "$work/program/mirvane.exe" ;;
  B) "$timer" "$bare_title" "$settle_ms" wine "$work/program/bare-window.exe" ;;
  esac
}

alternate_starts "$runs"
read_medians

echo "Wine: $runs runs each, alternating; median (min-max)"
printf '%-16s %8s ms (%s-%s)   %8s MiB (%s-%s)\n' \
  mirvane.exe "$a_ms" "$a_ms_min" "$a_ms_max" "$a_mb" "$a_mb_min" "$a_mb_max" \
  "bare-window.exe" "$b_ms" "$b_ms_min" "$b_ms_max" "$b_mb" "$b_mb_min" "$b_mb_max"
ratio "start-up ratio:" "$a_ms" "$b_ms"
ratio "memory ratio:  " "$a_mb" "$b_mb"
