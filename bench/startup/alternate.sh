# shellcheck shell=bash
# Shared by the start-up benchmarks (run.sh, run-windows.sh): the programs started
# alternately, and the statistics of what the timer wrote. Source it after defining
# `start A|B`, which starts program A or B once and prints the timer's line
# ("ms KiB cpu-ms"), and setting `work`, the run's own folder, where each program's
# lines are kept. The medians and the server's process are set here for the caller.
# shellcheck disable=SC2034,SC2154

# The two main windows' titles, which the timer waits for, from the build's cache at
# $1: "Telvar - Mirvane 1.14" for version 1.1.4; sets mirvane_title and bare_title.
read_titles() {
  local version major minor patch
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1")
  IFS=. read -r major minor patch <<<"$version"
  mirvane_title="Telvar - Mirvane $major.$minor$patch"
  bare_title="Bare Qt Window"
}

# A private X server on a display it picks itself; sets DISPLAY (exported) and
# xvfb_pid, which the caller's clean-up ends.
start_private_x() {
  local display
  mkfifo "$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  read -r display <"$work/display"
  export DISPLAY=":$display"
}

# Ends the X server and removes the run's folder.
end_run() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}

# The first start of each is a warm-up and not counted; then A B B A ..., `runs` each.
alternate_starts() {
  local runs=$1 i p order
  start A >/dev/null
  start B >/dev/null
  for ((i = 1; i <= runs; i++)); do
    if ((i % 2)); then order="A B"; else order="B A"; fi
    for p in $order; do start "$p" >>"$work/$p"; done
  done
}

# median min max of column $2 of file $1, scaled by $3
stats() {
  sort -n -k"$2" "$1" | awk -v c="$2" -v s="$3" '
    { v[NR] = $c / s }
    END {
      m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%.2f %.2f %.2f\n", m, v[1], v[NR]
    }'
}

# Sets a_ms, b_ms, a_mb, b_mb (each with _min and _max): the times to the window and the
# resident memory of A and B.
read_medians() {
  read -r a_ms a_ms_min a_ms_max <<<"$(stats "$work/A" 1 1)"
  read -r b_ms b_ms_min b_ms_max <<<"$(stats "$work/B" 1 1)"
  read -r a_mb a_mb_min a_mb_max <<<"$(stats "$work/A" 2 1024)"
  read -r b_mb b_mb_min b_mb_max <<<"$(stats "$work/B" 2 1024)"
}

# "LABEL A/Bx": the ratio of two medians.
ratio() {
  awk -v label="$1" -v a="$2" -v b="$3" 'BEGIN { printf "%s %.2fx\n", label, a / b }'
}
