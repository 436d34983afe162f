#!/usr/bin/env bash
# Cross-builds the whole program for 64-bit Windows with mingw-w64 (the core, mirvane-hesap,
# the desktop program mirvane.exe, every test) and runs it under Wine with a private
# WINEPREFIX: the core suite and the window tests, a few mirvane-hesap calls whose output
# must be byte for byte what Windows users get, then the installer and the portable zip are
# made, signed with a throw-away certificate and checked, and the installed program is
# driven by the keyboard in a private X server (tests/windows/installed-e2e.sh).
# Qt, libzip and libsodium for Windows come from Debian's source packages, built once per machine
# into a cache outside the clone (scripts/build-windows-qt.sh, build-windows-libzip.sh,
# build-windows-libsodium.sh);
# GoogleTest from Debian's sources with the same compiler; the header-only libraries are
# used as they are. Only when Wine cannot start at all are the runs skipped.
# Usage: scripts/test-windows.sh [build folder, default build-windows]
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 libgtest-dev \
  nlohmann-json3-dev libcli11-dev libz-mingw-w64-dev nsis osslsigncode zip \
  xvfb openbox xdotool xclip x11-utils poppler-utils

out=$(realpath -m "${1:-build-windows}")
prefix=$out/prefix
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)
mkdir -p "$out"
export MIRVANE_WINDOWS_PREFIX=$prefix
# Wine reads the arguments in the locale's encoding; without the mono and gecko
# add-ons it would offer to download them.
export LC_ALL=C.UTF-8 WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

echo "== Windows: başlık kütüphaneleri ve GoogleTest (mingw-w64)"
mkdir -p "$prefix/include" "$prefix/share/cmake"
ln -sfn /usr/include/nlohmann "$prefix/include/nlohmann"
ln -sfn /usr/include/CLI "$prefix/include/CLI"
# Their CMake files find the headers relative to themselves, so copies point into the prefix
# (the Linux /usr/include must never reach the Windows compiler).
cp -r /usr/share/cmake/nlohmann_json /usr/share/cmake/CLI11 "$prefix/share/cmake/"
if [ ! -f "$prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$out/googletest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=OFF \
    -DINSTALL_GTEST=ON >/dev/null
  cmake --build "$out/googletest" -j "$jobs"
  cmake --install "$out/googletest" >/dev/null
fi

# The core checks rate packages with libsodium, built once from Debian's sources.
scripts/build-windows-libsodium.sh "$prefix" >/dev/null

echo "== Windows: Qt ve libzip (Debian kaynak paketlerinden; makine başına bir kez)"
qtStarted=$SECONDS
qt=$(scripts/build-windows-qt.sh | tail -n 1)
libzip=$(scripts/build-windows-libzip.sh | tail -n 1)
echo "   Qt: $qt ($((SECONDS - qtStarted)) sn)"

echo "== Windows: derleme makinesinde çalışan araçlar (simgeler)"
cmake -S . -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRVANE_GUI=ON \
  -DMIRVANE_TESTS=OFF -DMIRVANE_BENCH=OFF -DMIRVANE_SANITIZE=OFF >/dev/null
cmake --build "$out/host" -j "$jobs" --target svg-to-png qt-picture-pixels >/dev/null

echo "== Windows: core, mirvane-hesap, mirvane ve testler (mingw-w64)"
export MIRVANE_WINDOWS_PREFIX="$prefix;$qt;$libzip"
cmake -S . -B "$out/mirvane" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DMIRVANE_GUI=ON -DMIRVANE_BENCH=ON -DMIRVANE_TESTS=ON \
  -DMIRVANE_SANITIZE=OFF -DMIRVANE_FUZZ=OFF -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
  -DMIRVANE_WINDOWS_SHARED_RUNTIME=ON -DMIRVANE_HOST_TOOLS="$out/host/packaging" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
cmake --build "$out/mirvane" -j "$jobs"

echo "== Windows: Wine"
# One Wine server for the whole run, its services started once by the first program:
# left to itself the server ends after each program, and tests run side by side then
# race to start it and its services again (a test would end at once with no output, or
# hang). It stops with the script, whatever the outcome.
mkdir -p "$WINEPREFIX"
# Wine's windows need an X server even for programs that never show one, and the window
# tests need a window manager to give their windows the focus: a private Xvfb with openbox.
xvfb=""
stopX() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  return 0
}
trap stopX EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$out/display")"
unset XAUTHORITY
openbox >"$out/openbox.log" 2>&1 &
# A server left running for this prefix (a run by hand) would not see this X server.
wineserver -k >/dev/null 2>&1 || true
wineserver -p
if ! wine cmd /c exit 0 >"$out/wine-start.log" 2>&1; then
  echo "== Windows testleri ATLANDI: Wine başlatılamadı ($(tail -n 1 "$out/wine-start.log"))"
  exit 0
fi

echo "== Windows: core ve pencere testleri (Wine)"
# A test whose Wine process still fails to start is run once more: every test also runs
# natively (the core's under the sanitizers too).
ctest --test-dir "$out/mirvane" -j "$jobs" --output-on-failure --timeout 180 \
  --repeat until-pass:2 \
  | tee "$out/ctest.log" | grep -v -E '^ *([0-9]+/[0-9]+ )?Test +#|^ *Start +[0-9]+:' || true
grep -q '100% tests passed' "$out/ctest.log"

echo "== Windows: mirvane-hesap (Wine)"
hesap="$out/mirvane/bin/mirvane-hesap.exe"
# check NAME EXPECTED ARGS...: the output must be EXPECTED exactly; with "checkStart" it must
# begin with it.
run() {
  wine "$hesap" "$@" 2>"$out/hesap-stderr.log" && printf x || printf "x (çıkış kodu $?)"
}
compare() {
  local name=$1 expected=$2 actual=$3
  if [ "$actual" != "$expected" ]; then
    echo "BAŞARISIZ: $name"
    diff <(printf %s "$expected") <(printf %s "$actual") | cat -A | head -n 20
    cat "$out/hesap-stderr.log"
    return 1
  fi
  echo "geçti: $name"
}
check() {
  local name=$1 expected=$2 actual
  shift 2
  actual=$(run "$@")
  compare "$name" "$expected" "${actual%x}"
}
checkStart() {
  local name=$1 expected=$2 actual
  shift 2
  actual=$(run "$@")
  compare "$name" "$expected" "${actual:0:${#expected}}"
}
folder="$out/Faiz Listeleri Ğüşİıöç"
rm -rf "$folder" "$out/mirvane/bin/Veriler"
names=$'Adi Alacaklar (Kanuni Faiz)\nTicari Alacaklar (Reeskont-Avans)\nTicari Alacaklar (Reeskont-İskonto)\n'
check "--listeler, Türkçe adlı klasör" "$names" --listeler --klasor "$folder"
check "--listeler, programın yanındaki klasör" "$names" --listeler
[ -f "$out/mirvane/bin/Veriler/Faizler/Ticari Alacaklar (Reeskont-İskonto).faiz" ]
breakdown=$'Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz Miktarı\n'
breakdown+=$'01.07.2005\t31.12.2005\t12\t183\t60,16\n31.12.2005\t01.07.2006\t9\t182\t44,88\n'
breakdown+=$'\t\t\tFaiz Toplamı: \t105,04\n'
breakdown+=$'\nHer satırın başlangıç günü faize dahil değildir; faiz ertesi günden işler.\n'
check "hesaplama" "$breakdown" --liste "Adi Alacaklar (Kanuni Faiz)" --anapara 1.000,00 \
  --baslangic 01.07.2005 --bitis 01.07.2006 --klasor "$folder"
checkStart "Türkçe adlı liste dosyası, sürücü harfli yol (JSON)" \
  '{"liste":"Ticari Alacaklar (Reeskont-İskonto)","satirlar":[{"donem":' \
  --dosya "$(winepath -w "$folder/Ticari Alacaklar (Reeskont-İskonto).faiz")" --anapara 100 \
  --baslangic 01.01.2006 --bitis 02.01.2006 --json
check "tanınmayan liste adı: çıkış kodu 2" "x (çıkış kodu 2)" --liste "Yok İşte" --anapara 1 \
  --baslangic 01.01.2006 --bitis 02.01.2006 --klasor "$folder"
echo "== Windows: kurulum programı ve taşınabilir zip (NSIS), imza"
# Without a certificate of the user's own, CI signs with a throw-away one it makes itself,
# so the signing step is exercised on every run.
if [ -z "${MIRVANE_SIGN_PFX:-}" ]; then
  certificate=$out/throwaway-certificate
  rm -rf "$certificate"
  mkdir -p "$certificate"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Mirvane CI deneme imzasi" \
    -addext extendedKeyUsage=codeSigning -keyout "$certificate/key.pem" \
    -out "$certificate/cert.pem" 2>/dev/null
  export MIRVANE_SIGN_PASSWORD="deneme-$RANDOM$RANDOM"
  openssl pkcs12 -export -inkey "$certificate/key.pem" -in "$certificate/cert.pem" \
    -out "$certificate/throwaway.pfx" -passout env:MIRVANE_SIGN_PASSWORD
  export MIRVANE_SIGN_PFX=$certificate/throwaway.pfx
  expectedSigner="Mirvane CI deneme imzasi"
fi
scripts/package-windows.sh "$out/mirvane" "$out/package" | tee "$out/package.log"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/mirvane/CMakeCache.txt")
installer=$out/package/mirvane-$version-windows-x64-setup.exe
for signed in "$installer" "$out/package/stage/bin/mirvane.exe" \
  "$out/package/stage/bin/mirvane-hesap.exe"; do
  rm -f "$out/signature.der"
  osslsigncode extract-signature -in "$signed" -out "$out/signature.der" >/dev/null 2>&1 ||
    { echo "BAŞARISIZ: imza yok: $signed"; exit 1; }
  if [ -n "${expectedSigner:-}" ]; then
    openssl pkcs7 -inform DER -in "$out/signature.der" -print_certs -noout 2>/dev/null |
      grep -q "$expectedSigner" || { echo "BAŞARISIZ: imzalayan yanlış: $signed"; exit 1; }
    # The signature covers the file as shipped: a changed byte would fail here.
    osslsigncode verify -in "$signed" -CAfile "$certificate/cert.pem" >"$out/verify.log" 2>&1 ||
      { cat "$out/verify.log"; echo "BAŞARISIZ: imza doğrulanmadı: $signed"; exit 1; }
  fi
  echo "geçti: imzalı $(basename "$signed")"
done
# Listed into a file: grep -q ending the pipe early would fail it under pipefail.
unzip -l "$out/package/mirvane-$version-windows-x64-portable.zip" >"$out/portable.txt"
grep -q "Mirvane-$version/mirvane.exe" "$out/portable.txt" ||
  { echo "BAŞARISIZ: taşınabilir zip'te mirvane.exe yok"; exit 1; }

# The release an office already has, for the upgrade: the same files under the previous
# patch number.
IFS=. read -r major minor patch <<<"$version"
olderVersion=$major.$minor.$((patch > 0 ? patch - 1 : 0))
olderInstaller=$out/package/mirvane-$olderVersion-windows-x64-setup-older.exe
makensis -V2 -DVERSION="$olderVersion" -DSTAGE="$out/package/stage/bin" \
  -DFILES="$out/package/files.nsh" -DUNFILES="$out/package/unfiles.nsh" \
  -DOUTFILE="$olderInstaller" packaging/windows/mirvane.nsi >"$out/makensis-older.log" 2>&1 ||
  { cat "$out/makensis-older.log"; exit 1; }

echo "== Windows: kurulu program (Wine, Xvfb, klavye)"
tests/windows/installed-e2e.sh "$installer" "$version" "$out/e2e" "$out/mirvane/bin/clipboard-text.exe" \
  "$olderInstaller" "$olderVersion"
echo "== Windows testleri geçti ($((SECONDS - started)) sn)"
