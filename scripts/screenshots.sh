#!/usr/bin/env bash
# Makes the README's pictures: starts the built program in a private X server
# (Xvfb) with an empty home and program folder, works it from the keyboard, and
# photographs the main window with a calculation, the rate list update window, the
# date span calculator and the claim file window with the worked example into
# docs/screenshots/, with the first page of that example's PDF report.
# Usage: scripts/screenshots.sh [MIRVANE_BINARY [MIRVANE_HESAP_BINARY]]
#        (defaults: build/desktop/mirvane, build/cli/mirvane-hesap)
# Needs: xvfb xdotool xclip imagemagick poppler-utils
#        (scripts/install-deps.sh xvfb xdotool xclip imagemagick poppler-utils)
set -euo pipefail
cd "$(dirname "$0")/.."
binary=$(realpath "${1:-build/desktop/mirvane}")
hesap=$(realpath "${2:-build/cli/mirvane-hesap}")
out="$PWD/docs/screenshots"

failure_picture="${TMPDIR:-/tmp}/mirvane-screenshots-failure.png"
# shellcheck source-path=SCRIPTDIR/.. source=tests/e2e/x-session.sh
source tests/e2e/x-session.sh

main_window() {
  visible_windows_named 'Telvar - Mirvane .*' | head -n1
}

has_main_window() {
  [[ -n $(main_window) ]]
}

total_copied() {
  xdotool key ctrl+l
  timeout 5 xclip -o -selection clipboard 2>/dev/null | grep -q '105,04'
}

# Waits until what was just drawn is on the screen: two pictures in a row alike.
settled_picture() {
  local target=$1 file=$2
  import -window "$target" "$work/a.png"
  for _ in $(seq 50); do
    sleep 0.2
    import -window "$target" "$work/b.png"
    if cmp -s "$work/a.png" "$work/b.png"; then
      mv "$work/b.png" "$file"
      return
    fi
    mv "$work/b.png" "$work/a.png"
  done
  fail "the window at $file did not settle"
}

# Opens a window with an access key of the main window, types `keys` into it
# (xdotool key names, "" for none), photographs it and closes it with Esc.
photograph_dialog() {
  local key=$1 file=$2 keys=$3 dialog
  xdotool windowfocus --sync "$window"
  xdotool key "$key"
  wait_until 30 has_other_window || fail "$key opened no window"
  dialog=$(other_window)
  xdotool windowfocus --sync "$dialog"
  if [[ -n $keys ]]; then
    # shellcheck disable=SC2086 # one word per key
    xdotool key --delay 30 $keys
  fi
  settled_picture "$dialog" "$out/$file"
  xdotool windowfocus --sync "$dialog"
  xdotool key Escape
  wait_until 30 has_no_other_window || fail "Esc did not close the window of $key"
}

mkdir -p "$out" "$work/home" "$work/program" "$work/runtime"
chmod 700 "$work/runtime"
cp "$binary" "$work/program/mirvane"
start_x_server

env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$work/home" TMPDIR="$work/runtime" \
  XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$work/program/mirvane" \
  >"$work/mirvane.log" 2>&1 &
program=$!
pids+=("$program")
wait_until 60 has_main_window || fail "no main window: $(cat "$work/mirvane.log")"
window=$(main_window)

xdotool windowfocus --sync "$window"
xdotool type --delay 20 01072005
xdotool key Tab
xdotool type --delay 20 01072006
xdotool key alt+p
xdotool type --delay 20 1000
xdotool key Tab alt+f
wait_until 30 total_copied || fail "the calculation gave no result"
settled_picture "$window" "$out/ana-pencere.png"

photograph_dialog alt+g liste-guncelle.png ""
# An appeal period served on 17.07.2017, whose last day leaves the judicial recess.
photograph_dialog alt+h sure-hesapla.png "1 7 0 7 2 0 1 7 alt+k Down alt+m Tab"

# The worked example handed to the running program by a second start, as the file
# manager does; its report's first page rendered from the command line's PDF.
claim="$work/Örnek.mirvane"
"$hesap" --hesap-ornegi >"$claim"
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$work/home" TMPDIR="$work/runtime" \
  XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$work/program/mirvane" "$claim" \
  >"$work/second.log" 2>&1
claim_window() {
  visible_windows_named 'Örnek.mirvane — Dosya Hesabı' | head -n1
}
has_claim_window() {
  [[ -n $(claim_window) ]]
}
wait_until 30 has_claim_window || fail "no claim window: $(cat "$work/second.log")"
settled_picture "$(claim_window)" "$out/dosya-hesabi.png"
xdotool windowfocus --sync "$(claim_window)"
xdotool key ctrl+w
"$hesap" --hesap "$claim" --pdf "$work/rapor.pdf"
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/rapor.pdf" "$out/rapor-sayfa"

xdotool windowfocus --sync "$window"
xdotool key Escape
wait_until 30 has_other_window || fail "Esc asked nothing"
xdotool windowfocus --sync "$(other_window)"
xdotool key Return
wait_until 30 process_ended "$program" || fail "the program did not end"
echo "pictures in $out"
