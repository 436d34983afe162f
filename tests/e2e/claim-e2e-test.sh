#!/usr/bin/env bash
# Drives the claim file window in a real X server (Xvfb): the program started with
# a claim file opens it in its own window; a payment added by the keyboard changes
# the balance; Ctrl+S saves it to the same file, which the command line then reads
# back; a second start with another file hands it to the running program, which
# opens a second window; Ctrl+W closes a saved window without a question.
#
# Usage: claim-e2e-test.sh MIRVANE_BINARY MIRVANE_HESAP_BINARY WINDOW_TITLE
# Exits 77 (ctest: skipped) when the X tools are missing.
set -euo pipefail

binary=$(realpath "$1")
hesap=$(realpath "$2")
title=$3

failure_picture="$PWD/claim-e2e-failure.png"
# shellcheck source-path=SCRIPTDIR source=x-session.sh
source "$(dirname "$0")/x-session.sh"
skip_without Xvfb xdotool xwininfo python3

prepare_private_user "$binary"
mkdir -p "$work/files"

balance() {
  "$hesap" --hesap "$1" --json | python3 -c 'import json, sys; print(json.load(sys.stdin)["bakiye"])'
}

payments() {
  python3 -c 'import json, sys; print(len(json.load(open(sys.argv[1]))["odemeler"]))' "$1"
}

has_window() {
  [[ -n $(visible_windows_named "$1") ]]
}

file_has_payments() {
  [[ $(payments "$1") == "$2" ]]
}

claim="$work/files/örnek dosya.mirvane"
other="$work/files/ikinci.mirvane"
"$hesap" --hesap-ornegi >"$claim"
cp "$claim" "$other"
[[ $(balance "$claim") == 57290.94 ]] || fail "the example's balance is $(balance "$claim")"

start_x_server

echo "== start with a claim file"
run_mirvane "$claim" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
claim_title="örnek dosya.mirvane — Dosya Hesabı"
wait_until 60 has_window "$claim_title" || fail "no claim window: $(cat "$work/first.log")"
wait_until 30 has_window "$title" || fail "no main window: $(cat "$work/first.log")"
window=$(visible_windows_named "$claim_title")

echo "== add a payment by the keyboard and save"
xdotool windowfocus --sync "$window"
# "Ödeme Ek&le" adds a payment and puts the focus on its date; the amount follows.
xdotool key alt+l
xdotool type --delay 20 15112024
xdotool key Tab
xdotool type --delay 20 5000
xdotool key Tab
wait_until 15 has_window "örnek dosya.mirvane\\* — Dosya Hesabı" ||
  fail "the window does not show the file as changed"
xdotool key ctrl+s
wait_until 15 file_has_payments "$claim" 3 || fail "Ctrl+S did not save the new payment"
wait_until 15 has_window "$claim_title" || fail "the title still shows a change after saving"
[[ $(balance "$claim") != 57290.94 ]] || fail "the saved file still has the old balance"

echo "== a second start hands its file over"
status=0
run_mirvane "$other" >"$work/second.log" 2>&1 &
second=$!
pids+=("$second")
wait_until 30 process_ended "$second" || fail "the second start is still running"
wait "$second" || status=$?
[[ $status -eq 0 ]] || fail "the second start ended with $status: $(cat "$work/second.log")"
wait_until 30 has_window "ikinci.mirvane — Dosya Hesabı" ||
  fail "the running program did not open the handed file"

echo "== a saved window closes without a question"
xdotool windowfocus --sync "$window"
xdotool key ctrl+w
wait_until 15 bash -c "! xdotool search --onlyvisible --name '^$claim_title\$' >/dev/null 2>&1" ||
  fail "Ctrl+W did not close the saved window"
process_ended "$first" && fail "closing a claim window ended the program"

echo "claim end-to-end: all checks passed"
