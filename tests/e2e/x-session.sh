# shellcheck shell=bash
# Shared by the tests that run the program in a real X server: a private Xvfb (and
# a window manager where one is wanted), a private user for the program, waiting for
# a state with a guard against hanging, and cleaning up whatever was started. Source
# it after setting `failure_picture` (where to keep the screen when a check fails);
# it sets `pids`, and `work` (a temporary folder, removed at the end) unless the
# caller named one, which then stays for a look after the run. It reads `window`
# (the program's main window) once the caller has set it, and runs the caller's
# `on_cleanup`, where defined, once the processes it started are told to end.

: "${failure_picture:?set failure_picture before sourcing x-session.sh}"
if [[ -n ${work:-} ]]; then
  keep_work=true
  mkdir -p "$work"
else
  keep_work=false
  work=$(mktemp -d)
fi
pids=()
own_display=false
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  if declare -F on_cleanup >/dev/null; then
    on_cleanup
  fi
  wait 2>/dev/null || true
  $keep_work || rm -rf "$work"
}
trap cleanup EXIT

# Ends the test as skipped (exit 77, as ctest is told) where one of the tools named is
# missing.
skip_without() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "skipped: $tool is not installed"
      exit 77
    fi
  done
}

fail() {
  echo "FAIL: $*" >&2
  if $own_display && command -v import >/dev/null; then
    import -window root "$failure_picture" 2>/dev/null &&
      echo "screen at the failure: $failure_picture" >&2
  fi
  exit 1
}

# Runs "$@" until it succeeds; gives up after $1 seconds. Only a guard against
# hanging: a check waits for a state, never for a time.
wait_until() {
  local limit=$1 end
  shift
  end=$((SECONDS + limit))
  until "$@"; do
    ((SECONDS < end)) || return 1
    sleep 0.1
  done
}

start_x_server() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  wait_until 30 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
  unset XAUTHORITY
  own_display=true
}

start_window_manager() {
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
}

# A fresh user and a fresh program folder holding a copy of the program at $1, so the
# run neither sees nor touches the lists and settings of whoever runs the tests.
prepare_private_user() {
  mkdir -p "$work/home" "$work/program" "$work/tmp" "$work/runtime"
  chmod 700 "$work/runtime"
  cp "$1" "$work/program/mirvane"
}

# The copy run as that user, with a temporary folder of its own and an English system
# locale, which the program must not follow.
run_mirvane() {
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u LANGUAGE -u LANG \
    HOME="$work/home" TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8 \
    QT_QPA_PLATFORM=xcb "$work/program/mirvane" "$@"
}

visible_windows_named() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

# A message box or a pop-up menu: a visible window of the program other than
# `window`, its main window.
other_window() {
  { xdotool search --onlyvisible --classname '^mirvane$' 2>/dev/null || true; } |
    grep -vx "${window:?the main window is not known yet}" | head -n1 || true
}

has_other_window() {
  [[ -n $(other_window) ]]
}

has_no_other_window() {
  [[ -z $(other_window) ]]
}

process_ended() {
  ! kill -0 "$1" 2>/dev/null
}
