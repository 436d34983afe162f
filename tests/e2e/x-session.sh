# shellcheck shell=bash
# Shared by the tests that run the program in a real X server: a private Xvfb,
# waiting for a state with a guard against hanging, and cleaning up whatever was
# started. Source it after setting `failure_picture` (where to keep the screen
# when a check fails); it sets `work` (a temporary folder) and `pids`, and reads
# `window` (the program's main window) once the caller has set it.

: "${failure_picture:?set failure_picture before sourcing x-session.sh}"
work=$(mktemp -d)
pids=()
own_display=false
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

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
