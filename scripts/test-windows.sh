#!/usr/bin/env bash
# Cross-builds the core, mirvane-hesap and the core tests for 64-bit Windows with
# mingw-w64 (libsodium from Debian's sources, scripts/build-windows-libsodium.sh), and
# runs them under Wine with a private WINEPREFIX: the whole core suite,
# then a few mirvane-hesap calls whose output must be byte for byte what Windows users get.
# GoogleTest is built from Debian's sources with the same compiler; the header-only
# libraries are used as they are. Only when Wine cannot start at all are the runs skipped.
# Usage: scripts/test-windows.sh [build folder, default build-windows]
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 libgtest-dev \
  nlohmann-json3-dev libcli11-dev

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

echo "== Windows: core, mirvane-hesap ve testler (mingw-w64)"
cmake -S . -B "$out/mirvane" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DMIRVANE_GUI=OFF -DMIRVANE_BENCH=OFF -DMIRVANE_TESTS=ON \
  -DMIRVANE_SANITIZE=OFF -DMIRVANE_FUZZ=OFF -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
  >/dev/null
cmake --build "$out/mirvane" -j "$jobs"

echo "== Windows: Wine"
# One Wine server for the whole run, its services started once by the first program:
# left to itself the server ends after each program, and tests run side by side then
# race to start it and its services again (a test would end at once with no output, or
# hang). It stops with the script, whatever the outcome.
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
if ! wine cmd /c exit 0 >"$out/wine-start.log" 2>&1; then
  echo "== Windows testleri ATLANDI: Wine başlatılamadı ($(tail -n 1 "$out/wine-start.log"))"
  exit 0
fi

echo "== Windows: core testleri (Wine)"
# A test whose Wine process still fails to start is run once more: what is tested is
# the core, whose every test also runs natively and under the sanitizers.
ctest --test-dir "$out/mirvane" -j "$jobs" --output-on-failure --timeout 120 \
  --repeat until-pass:2 \
  | tee "$out/ctest.log" | grep -v -E '^ *([0-9]+/[0-9]+ )?Test +#|^ *Start +[0-9]+:' || true
grep -q '100% tests passed' "$out/ctest.log"

echo "== Windows: mirvane-hesap (Wine)"
hesap="$out/mirvane/cli/mirvane-hesap.exe"
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
rm -rf "$folder" "$out/mirvane/cli/Veriler"
names=$'Adi Alacaklar (Kanuni Faiz)\nTicari Alacaklar (Reeskont-Avans)\nTicari Alacaklar (Reeskont-İskonto)\n'
check "--listeler, Türkçe adlı klasör" "$names" --listeler --klasor "$folder"
check "--listeler, programın yanındaki klasör" "$names" --listeler
[ -f "$out/mirvane/cli/Veriler/Faizler/Ticari Alacaklar (Reeskont-İskonto).faiz" ]
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
echo "== Windows testleri geçti ($((SECONDS - started)) sn)"
