#!/usr/bin/env bash
# Kills the program in the middle of an edit and starts it again (Xvfb): a payment
# added by the keyboard and left unsaved is kept in a recovery copy a few seconds
# later; after a SIGKILL the next start asks whether to restore it, "Evet" shows the
# file as changed, and Ctrl+S saves the payment into the file and removes the copy.
#
# Usage: recovery-e2e-test.sh MIRVANE_BINARY MIRVANE_HESAP_BINARY WINDOW_TITLE
# Exits 77 (ctest: skipped) when the X tools are missing.
set -euo pipefail

binary=$(realpath "$1")
hesap=$(realpath "$2")
title=$3

failure_picture="$PWD/recovery-e2e-failure.png"
# shellcheck source-path=SCRIPTDIR source=x-session.sh
source "$(dirname "$0")/x-session.sh"
skip_without Xvfb xdotool xwininfo python3

prepare_private_user "$binary"
mkdir -p "$work/files"
copies="$work/home/.local/share/Telvar/Mirvane/Veriler/Kurtarma"

payments() {
  python3 -c 'import json, sys; print(len(json.load(open(sys.argv[1]))["odemeler"]))' "$1"
}

copy_count() {
  find "$copies" -maxdepth 1 -name '*.kurtarma' 2>/dev/null | wc -l
}

has_window() {
  [[ -n $(visible_windows_named "$1") ]]
}

has_copies() {
  [[ $(copy_count) == "$1" ]]
}

file_has_payments() {
  [[ $(payments "$1") == "$2" ]]
}

claim="$work/files/örnek dosya.mirvane"
"$hesap" --hesap-ornegi >"$claim"
saved=$(cat "$claim")

start_x_server

echo "== edit and wait for the recovery copy"
run_mirvane "$claim" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
claim_title="örnek dosya.mirvane — Dosya Hesabı"
wait_until 60 has_window "$claim_title" || fail "no claim window: $(cat "$work/first.log")"
claim_window=$(visible_windows_named "$claim_title")
xdotool windowfocus --sync "$claim_window"
xdotool key alt+l
xdotool type --delay 20 15112024
xdotool key Tab
xdotool type --delay 20 5000
xdotool key Tab
wait_until 15 has_window "örnek dosya.mirvane\\* — Dosya Hesabı" ||
  fail "the window does not show the file as changed"
wait_until 30 has_copies 1 || fail "no recovery copy in $copies"

echo "== kill the program"
kill -KILL "$first"
wait_until 15 process_ended "$first" || fail "the program survived SIGKILL"
[[ $(cat "$claim") == "$saved" ]] || fail "the claim file itself was written"

echo "== the next start offers the file"
run_mirvane >"$work/second.log" 2>&1 &
second=$!
pids+=("$second")
main_window_known() {
  window=$(visible_windows_named "$title" | head -n1)
  [[ -n $window ]]
}
wait_until 60 main_window_known || fail "no main window: $(cat "$work/second.log")"
wait_until 30 has_other_window || fail "no question about the recovered file"
question=$(other_window)
echo "question window: $question ($(xdotool getwindowname "$question" 2>/dev/null || true))"
xdotool windowfocus --sync "$question"
# "Evet" is the default answer.
xdotool key Return
wait_until 30 has_window "örnek dosya.mirvane\\* — Dosya Hesabı" ||
  fail "the recovered file is not shown as changed: $(cat "$work/second.log")"
has_copies 1 || fail "the copy went before the file was saved"

echo "== saved, the copy goes"
claim_window=$(visible_windows_named "örnek dosya.mirvane\\* — Dosya Hesabı")
xdotool windowfocus --sync "$claim_window"
xdotool key ctrl+s
wait_until 15 file_has_payments "$claim" 3 || fail "Ctrl+S did not save the recovered payment"
wait_until 15 has_copies 0 || fail "the copy is still there after saving"

echo "recovery end-to-end: all checks passed"
