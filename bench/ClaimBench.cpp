// A large claim: 50 items (44 principal items on the avans list, 3 costs, 3 fees) and
// 1.000 partial payments over 1990-2020, computed to the end of 2025 on the current
// list. Target: one calculation in 5 ms or less.

#include "bench/LargeClaim.h"
#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimJson.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <variant>

namespace {

using namespace std::chrono;
using namespace mirvane::claim;
using mirvane::bench::largeClaim;

void computeLargeClaim(benchmark::State& state) {
    const ClaimFile file = largeClaim();
    for (auto _ : state) {
        ClaimOutcome outcome = compute(file);
        benchmark::DoNotOptimize(outcome);
        if (!std::holds_alternative<ClaimResult>(outcome)) {
            state.SkipWithError(std::get<Refusal>(outcome).message.c_str());
            return;
        }
    }
}
BENCHMARK(computeLargeClaim)->Unit(benchmark::kMillisecond);

void readAndComputeLargeClaim(benchmark::State& state) {
    const std::string json = toJson(largeClaim());
    for (auto _ : state) {
        ReadOutcome read = parse(json);
        ClaimOutcome outcome = compute(std::get<ClaimFile>(read));
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(readAndComputeLargeClaim)->Unit(benchmark::kMillisecond);

} // namespace
