#!/usr/bin/env bash
# The Windows installer as an office would use it, and the installed program as a user at
# the keyboard, under Wine in a private X server: a silent install into a fresh Wine
# prefix (files, Start-menu entry, file type, the entry in the list of programs); the
# installed mirvane.exe started with a claim file opens it in a window; 1.000,00 TL
# statutory interest from 01.07.2005 to 01.07.2006 is typed into the main window and the
# whole list reaches the X clipboard as the program's text; a second start hands its file
# to the running program; the claim's PDF report is written from its window; an upgrade
# over the installed copy and the silent uninstaller leave the user's lists and claim
# files where they were.
#
# Usage: installed-e2e.sh INSTALLER VERSION WORK_FOLDER CLIPBOARD_TEXT_EXE OLDER_INSTALLER OLDER_VERSION
#   CLIPBOARD_TEXT_EXE prints the Windows clipboard's text (tests/windows/ClipboardText.cpp);
#   OLDER_INSTALLER (of OLDER_VERSION) is installed first, as the release an office already
#   has, and INSTALLER later goes over it.
set -euo pipefail
installer=$(realpath "$1")
version=$2
work=$(realpath -m "$3")
clipboardReader=$(realpath "$4")
olderInstaller=$(realpath "$5")
olderVersion=$6
IFS=. read -r major minor patch <<<"$version"
title="Telvar - Mirvane $major.$minor$patch"

rm -rf "$work"
failure_picture=$work/failure.png
# shellcheck source-path=SCRIPTDIR/.. source=tests/e2e/x-session.sh
source "$(dirname "$0")/../e2e/x-session.sh"
mkdir -p "$work/home" "$work/files"
export HOME=$work/home WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset LANG LANGUAGE
on_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
}
step() {
  echo "-- $*"
}

start_x_server
start_window_manager

mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i >"$work/wineboot.log" 2>&1 || fail "Wine öneki kurulamadı: $(tail -n 3 "$work/wineboot.log")"

program='C:\Program Files\Telvar\Mirvane'
folder="$WINEPREFIX/drive_c/Program Files/Telvar/Mirvane"
uninstallKey='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Telvar Mirvane'
registry() {
  wine reg query "$@" 2>/dev/null | tr -d '\r'
}

step "önceki sürümün sessiz kurulumu (/S)"
wine "$olderInstaller" /S >"$work/install.log" 2>&1 || fail "kurulum $? ile bitti"
[ -f "$folder/mirvane.exe" ] || fail "mirvane.exe kurulmadı"
for file in mirvane-hesap.exe mirvane-zip.dll Qt6Core.dll platforms/qwindows.dll \
  translations/qtbase_tr.qm fonts/LiberationSans-Regular.ttf uninstall.exe; do
  [ -f "$folder/$file" ] || fail "kurulmadı: $file"
done
[ ! -e "$folder/Qt6Test.dll" ] || fail "Qt'nin test modülü kurulmamalı"
registry "$uninstallKey" /v DisplayVersion | grep -q "$olderVersion" ||
  fail "Programlar listesinde sürüm yok: $(registry "$uninstallKey")"
registry "$uninstallKey" /v Publisher | grep -q Telvar || fail "yayıncı yazılmadı"
registry 'HKLM\Software\Classes\.mirvane' | grep -q 'Telvar.Mirvane.Dosya' ||
  fail ".mirvane dosya türü kaydedilmedi"
registry 'HKLM\Software\Classes\Telvar.Mirvane.Dosya\shell\open\command' | grep -qi 'mirvane.exe' ||
  fail ".mirvane dosyalarını açan komut yazılmadı"
find "$WINEPREFIX/drive_c/ProgramData" -name Mirvane.lnk | grep -q . || fail "Başlat menüsü girdisi yok"

visible_named() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true
}
has_window() {
  [ -n "$(visible_named "$1")" ]
}
clipboard_text() {
  timeout 5 xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null || true
  printf .
}
lists() {
  find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Telvar/Mirvane/Veriler/Faizler/*.faiz' |
    sort
}

step "kurulu mirvane.exe bir dosya hesabıyla başlar"
hesap() {
  wine "$program\\mirvane-hesap.exe" "$@"
}
hesap --hesap-ornegi >"$work/files/örnek dosya.mirvane" 2>"$work/hesap.log" ||
  fail "mirvane-hesap --hesap-ornegi: $(cat "$work/hesap.log")"
cp "$work/files/örnek dosya.mirvane" "$work/files/ikinci.mirvane"
claimFile=$(winepath -w "$work/files/örnek dosya.mirvane")
wine "$program\\mirvane.exe" "$claimFile" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
claimTitle="örnek dosya.mirvane — Dosya Hesabı"
wait_until 90 has_window "$claimTitle" || fail "dosya hesabı penceresi açılmadı: $(cat "$work/first.log")"
wait_until 30 has_window "$title" || fail "ana pencere açılmadı"
window=$(visible_named "$title")
[ "$(lists | wc -l)" -eq 3 ] ||
  fail "%APPDATA% altında üç hazır liste bekleniyordu: $(lists)"

step "klavyeyle hesap, tüm liste panoya"
wholeList=$'Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz Miktarı\r\n'
wholeList+=$'01.07.2005\t31.12.2005\t12\t183\t60,16\r\n'
wholeList+=$'31.12.2005\t01.07.2006\t9\t182\t44,88\r\n'
wholeList+=$'\t\t\tFaiz Toplamı: \t105,04'
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5
xdotool type --delay 40 01072005
xdotool key Tab
xdotool type --delay 40 01072006
xdotool key alt+p
xdotool type --delay 40 1000
xdotool key alt+f
windows_clipboard() {
  wine "$clipboardReader" 2>/dev/null || true
  printf .
}
# A button pressed by its access key clicks a moment later, so the copy is repeated until
# the result is there to copy.
end=$((SECONDS + 30))
until [ "$(windows_clipboard)" = "$wholeList." ]; do
  if ((SECONDS >= end)); then
    echo "Windows panosu:" >&2
    windows_clipboard | od -c | head -n 20 >&2
    fail "Ctrl+L: Windows panosunda programın tüm listesi (CR LF ile) yok"
  fi
  xdotool key ctrl+l
  sleep 0.5
done
# X programs get the same text from Wine with LF line ends.
[ "$(clipboard_text)" = "${wholeList//$'\r'/}." ] || {
  clipboard_text | od -c | head -n 20 >&2
  fail "X panosunda programın tüm listesi yok"
}

step "ikinci başlatma dosyasını çalışan programa verir"
status=0
timeout 60 wine "$program\\mirvane.exe" "$(winepath -w "$work/files/ikinci.mirvane")" \
  >"$work/second.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "ikinci başlatma $status ile bitti: $(cat "$work/second.log")"
wait_until 30 has_window "ikinci.mirvane — Dosya Hesabı" || fail "çalışan program dosyayı açmadı"
[ "$(xdotool search --onlyvisible --name "^$title\$" | wc -l)" -eq 1 ] ||
  fail "ikinci başlatma ikinci bir ana pencere açtı"

step "dosya hesabının PDF raporu"
documents=$(find "$WINEPREFIX/drive_c/users" -maxdepth 2 -name Documents -type d | head -n 1)
claimWindow=$(visible_named "$claimTitle")
xdotool windowactivate --sync "$claimWindow" 2>/dev/null || xdotool windowfocus --sync "$claimWindow"
sleep 0.5
xdotool key ctrl+p
wait_until 30 has_window "PDF Olarak Kaydet" || fail "Ctrl+P kaydetme penceresini açmadı"
dialog=$(visible_named "PDF Olarak Kaydet")
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
# Left ticked, the report would open in whatever viewer the prefix has.
xdotool key alt+a
sleep 0.3
xdotool key Return
# Wine links the user's Documents folder to $HOME: the report lands in either.
pdf_written() {
  [ -n "$(find "$WINEPREFIX/drive_c/users" "$HOME" -name '*.pdf' -size +1k 2>/dev/null | head -n 1)" ]
}
wait_until 30 pdf_written || fail "PDF yazılmadı (Belgeler: $documents)"
report=$(find "$WINEPREFIX/drive_c/users" "$HOME" -name '*.pdf' -size +1k | head -n 1)
text=$(pdftotext -layout "$report" - 2>/dev/null)
grep -q "57.290,94" <<<"$text" || fail "raporda bakiye 57.290,94 yok: $report"
# The regular face and the bold one, each embedded: never one of them for both.
faces() {
  pdffonts "$1" | awk 'NR > 2 && $(NF - 4) == "yes" { print $1 }' | sort -u
}
[ "$(faces "$report" | wc -l)" -eq 2 ] && faces "$report" | grep -q Bold ||
  fail "rapor düz ve kalın yüzü ayrı gömmedi: $(faces "$report" | xargs)"

step "kurulu mirvane-hesap.exe PDF raporu yazar"
hesap --hesap "$claimFile" --pdf "$(winepath -w "$work/files/hesap.pdf")" >"$work/hesap-pdf.log" 2>&1 ||
  fail "mirvane-hesap --pdf: $(cat "$work/hesap-pdf.log")"
grep -q "57.290,94" <<<"$(pdftotext -layout "$work/files/hesap.pdf" - 2>/dev/null)" ||
  fail "mirvane-hesap raporunda bakiye 57.290,94 yok"
[ "$(faces "$work/files/hesap.pdf" | wc -l)" -eq 2 ] ||
  fail "mirvane-hesap raporu düz ve kalın yüzü ayrı gömmedi: $(faces "$work/files/hesap.pdf" | xargs)"

kill "$first" 2>/dev/null || true
wineserver -k >/dev/null 2>&1 || true
wineserver -p
listsBefore=$(lists | xargs -d '\n' sha256sum)

step "yükseltme: yeni sürüm eskisinin üzerine (eski sürüm kaldırılır, listeler kalır)"
wine "$installer" /S >"$work/upgrade.log" 2>&1 || fail "yükseltme $? ile bitti"
[ -f "$folder/mirvane.exe" ] || fail "yükseltmeden sonra mirvane.exe yok"
registry "$uninstallKey" /v DisplayVersion | grep -q "$version" ||
  fail "yükseltmeden sonra Programlar listesinde yeni sürüm yok: $(registry "$uninstallKey")"
[ "$(registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | grep -c Mirvane)" -eq 1 ] ||
  fail "yükseltmeden sonra Programlar listesinde birden çok Mirvane"
[ "$(lists | xargs -d '\n' sha256sum)" = "$listsBefore" ] || fail "yükseltme listelere dokundu"

step "sessiz kaldırma: program gider, listeler ve dosyalar kalır"
cp "$work/files/ikinci.mirvane" "$folder/kullanıcının dosyası.mirvane"
wine "$program\\uninstall.exe" /S >"$work/uninstall.log" 2>&1 || fail "kaldırma $? ile bitti"
# The uninstaller runs a copy of itself and returns at once.
wait_until 60 test ! -e "$folder/mirvane.exe" || fail "kaldırma mirvane.exe'yi silmedi"
wait_until 30 test ! -e "$folder/Qt6Core.dll" || fail "kaldırma Qt'yi silmedi"
[ "$(lists | xargs -d '\n' sha256sum)" = "$listsBefore" ] || fail "kaldırma listelere dokundu"
[ -f "$folder/kullanıcının dosyası.mirvane" ] || fail "kaldırma kullanıcının dosyasını sildi"
[ -f "$work/files/örnek dosya.mirvane" ] || fail "kaldırma dosya hesabını sildi"
wait_until 30 bash -c "! wine reg query '$uninstallKey' >/dev/null 2>&1" ||
  fail "Programlar listesindeki girdi kaldırılmadı"
[ -z "$(find "$WINEPREFIX/drive_c/ProgramData" -name Mirvane.lnk)" ] || fail "Başlat menüsü girdisi kaldı"
echo "kurulu program: bütün denetimler geçti"
