#!/usr/bin/env bash
# Builds the Debian package from a built tree, installs it with apt as a user of a
# fresh Debian 12 would, checks the installed programs as a normal user with an
# empty home folder, and removes the package again.
# Usage: scripts/package-test.sh [BUILD_DIR]   (default: build; run as root or with sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
# A package of ours left by an interrupted run goes; anything else named mirvane stays.
if dpkg-query -W -f='${Status}' mirvane 2>/dev/null | grep -q "install ok installed"; then
  if [[ $(dpkg-query -W -f='${Maintainer}' mirvane) != "Telvar <"* ]]; then
    echo "another package named mirvane is installed; the package test would replace it." >&2
    exit 1
  fi
  echo "removing mirvane left installed by an earlier run"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq mirvane >/dev/null
fi

failure_picture="$build/package-failure.png"
# shellcheck source-path=SCRIPTDIR/.. source=tests/e2e/x-session.sh
source tests/e2e/x-session.sh
installed=false
remove_package() {
  if $installed; then
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq mirvane >/dev/null
  fi
}
trap 'remove_package; cleanup' EXIT

user=nobody
home="$work/home"
listFolder="$home/.local/share/Telvar/Mirvane/Veriler/Faizler"

# The user's own environment only: no variables of whoever runs the test.
as_user() {
  $sudo runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C.UTF-8 \
    XDG_RUNTIME_DIR="$home/.runtime" ${DISPLAY:+DISPLAY="$DISPLAY"} "$@"
}

build_package() {
  cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
  local debs=("$work"/package/mirvane_*.deb)
  [[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no mirvane_*.deb"
  deb=${debs[0]}
}

check_package() {
  local depends contents file
  [[ $(dpkg-deb -f "$deb" Package) == mirvane ]] || fail "the package is not named mirvane"
  depends=$(dpkg-deb -f "$deb" Depends)
  for file in libc6 libqt6widgets6 qt6-qpa-plugins; do
    [[ $depends == *"$file"* ]] || fail "Depends lacks $file: $depends"
  done
  contents=$(dpkg-deb --contents "$deb" | awk '{ print $NF }')
  for file in ./usr/bin/mirvane ./usr/bin/mirvane-hesap ./usr/share/applications/mirvane.desktop \
    ./usr/share/mime/packages/mirvane.xml \
    ./usr/share/icons/hicolor/scalable/apps/mirvane.svg \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/mirvane.png; do
    grep -qx -- "$file" <<<"$contents" || fail "the package lacks $file"
  done
}

install_package() {
  (cd "$work/package" &&
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./mirvane_*.deb) \
    >"$work/apt.log" 2>&1 || fail "apt-get install: $(cat "$work/apt.log")"
  installed=true
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate /usr/share/applications/mirvane.desktop ||
      fail "the desktop entry is not valid"
  fi
}

# Installed under /usr, the program folder takes no files from a user: the lists
# must go to the user's own folder.
check_command_line_as_user() {
  local names expected_names result expected_result
  names=$(as_user /usr/bin/mirvane-hesap --listeler) || fail "mirvane-hesap --listeler failed"
  expected_names=$'Adi Alacaklar (Kanuni Faiz)\nTicari Alacaklar (Reeskont-Avans)\nTicari Alacaklar (Reeskont-İskonto)'
  [[ $names == "$expected_names" ]] || fail "mirvane-hesap --listeler printed: $names"
  [[ $(find "$listFolder" -name '*.faiz' -user "$user" | wc -l) -eq 3 ]] ||
    fail "the three default lists are not in $listFolder"
  [[ ! -e /usr/bin/Veriler ]] || fail "a list folder was made under /usr/bin"

  result=$(as_user /usr/bin/mirvane-hesap --liste "Adi Alacaklar (Kanuni Faiz)" --anapara 1000 \
    --baslangic 01.07.2005 --bitis 01.07.2006) || fail "mirvane-hesap could not calculate"
  expected_result=$'Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz Miktarı\n'
  expected_result+=$'01.07.2005\t31.12.2005\t12\t183\t60,16\n'
  expected_result+=$'31.12.2005\t01.07.2006\t9\t182\t44,88\n'
  expected_result+=$'\t\t\tFaiz Toplamı: \t105,04\n\n'
  expected_result+='Her satırın başlangıç günü faize dahil değildir; faiz ertesi günden işler.'
  [[ $result == "$expected_result" ]] || fail "mirvane-hesap calculated: $result"
}

# The installed window program starts as that user, finds its libraries and Qt's
# window-system plugin, and ends with Esc and "Evet", leaving its settings.
check_window_program_as_user() {
  local tool version major minor patch program box
  for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
      echo "skipped the window program: $tool is not installed"
      return
    fi
  done
  version=$(dpkg-deb -f "$deb" Version)
  IFS=. read -r major minor patch <<<"${version%-*}"
  title="Telvar - Mirvane $major.$minor$patch"

  start_x_server
  as_user /usr/bin/mirvane >"$work/mirvane.log" 2>&1 &
  program=$!
  pids+=("$program")
  wait_until 60 has_main_window ||
    fail "the installed mirvane showed no window \"$title\": $(cat "$work/mirvane.log")"
  window=$(main_window)
  xdotool windowfocus --sync "$window"
  xdotool key Escape
  wait_until 15 has_other_window || fail "Esc asked nothing"
  box=$(other_window)
  xdotool windowfocus --sync "$box"
  xdotool key Return
  wait_until 30 process_ended "$program" || fail "the installed mirvane did not end on \"Evet\""
  grep -qx '\[Ayarlar\]' "$home/.config/Telvar/Mirvane.conf" ||
    fail "the installed mirvane left no settings in $home/.config/Telvar/Mirvane.conf"
}

main_window() {
  visible_windows_named "$title" | head -n1
}

has_main_window() {
  [[ -n $(main_window) ]]
}

prepare_user() {
  mkdir -p "$home/.runtime"
  chmod 755 "$work"
  chmod 700 "$home/.runtime"
  $sudo chown -R "$user" "$home"
}

build_package
check_package
install_package
prepare_user
check_command_line_as_user
check_window_program_as_user
echo "package: $(basename "$deb") installs, runs for a normal user and is removed again"
