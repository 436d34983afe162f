// A large claim: 50 items (44 principal items on the avans list, 3 costs, 3 fees) and
// 1.000 partial payments over 1990-2020, computed to the end of 2025 on the current
// list. Target: one calculation in 5 ms or less.

#include "claim/ClaimEngine.h"
#include "claim/ClaimJson.h"
#include "rates/ReadyLists.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <variant>

namespace {

using namespace std::chrono;
using namespace mirvane::claim;

ClaimFile largeClaim() {
    const std::string avans(mirvane::rates::AdvanceName);
    ClaimFile file;
    file.title = "Büyük dosya";
    file.calculationDate = sys_days{2025y / December / 31};
    file.filingDate = sys_days{2005y / June / 15};
    file.lists[avans] = mirvane::rates::readyList(avans)->Periods;
    const mirvane::Date first = sys_days{1990y / January / 1};
    for (int index = 0; index < 50; ++index) {
        const mirvane::Date date = first + days{index * 97};
        const Kurus amount = 1'000'000 + index * 12'345;
        if (index % 17 == 5) {
            file.items.push_back(
                {ItemKind::Costs, "Masraf", amount / 10, std::nullopt, FixedRate{}, date});
        } else if (index % 17 == 11) {
            file.items.push_back(
                {ItemKind::Fee, "Vekalet", amount / 5, std::nullopt, FixedRate{}, date});
        } else {
            file.items.push_back(
                {ItemKind::Principal, "Fatura", amount, date, ListRate{avans}, std::nullopt});
        }
    }
    for (int index = 0; index < 1000; ++index) {
        file.payments.push_back({first + days{30 + index * 11}, 75'000 + index * 10, ""});
    }
    return file;
}

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
