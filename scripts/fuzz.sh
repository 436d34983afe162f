#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang and runs each of them for SECONDS
# (default 30) under AddressSanitizer and UndefinedBehaviorSanitizer, starting from the
# seed corpus in fuzz/corpus/<target>/; new inputs go to a scratch folder, never into
# the repository. Then every seed file is replayed once. Prints, per target, the
# executions and the coverage libFuzzer reports. Usage: scripts/fuzz.sh [SECONDS]
# MIRVANE_WERROR=ON in the environment makes every warning an error (scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
scripts/install-deps.sh clang-14 libclang-rt-14-dev

build=build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMIRVANE_FUZZ=ON -DMIRVANE_GUI=OFF -DMIRVANE_TESTS=OFF -DMIRVANE_BENCH=OFF \
  -DMIRVANE_SANITIZE=OFF -DMIRVANE_WERROR="${MIRVANE_WERROR:-OFF}" >/dev/null
cmake --build "$build" --target fuzz_targets -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  binary="$build/fuzz/$target"
  mkdir -p "$scratch/$target"
  log="$scratch/$target.log"
  if ! "$binary" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/$target-" "$scratch/$target" "$seeds" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: $target failed; the input that broke it: $(ls "$build/$target-"* 2>/dev/null)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1)
  "$binary" -runs=0 "$seeds" >"$log" 2>&1 || { tail -n 40 "$log"; exit 1; }
  echo "fuzz: $target: $runs executions in ${seconds} s, $coverage; $(ls "$seeds" | wc -l) seeds replayed"
done
