#include "core/interest/Breakdown.h"
#include "core/interest/InterestEngine.h"
#include "core/ratelist/FaizFile.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <variant>
#include <vector>

namespace {

using namespace std::chrono;
using mirvane::Date;
using mirvane::RateList;
using mirvane::RatePeriod;
namespace fs = std::filesystem;
namespace interest = mirvane::interest;
namespace breakdown = mirvane::breakdown;

// 255 contiguous periods of 30 days each from 01.01.1990, with varying rates.
RateList fullList() {
    RateList list{"Deneme", {}};
    Date start = sys_days{1990y / January / 1};
    for (std::size_t index = 0; index < mirvane::MaxPeriods; ++index) {
        const Date end = start + days{29};
        list.Periods.push_back(
            {start, end, 5.0 + static_cast<double>(index % 40) * 0.25, "Dönem açıklaması"});
        start = end + days{1};
    }
    return list;
}

interest::Inputs wholeRange(const RateList& list) {
    return {list.Periods.front().StartDate, list.Periods.back().EndDate, "1.234.567,89",
            interest::Divisor365};
}

void calculateOverWholeList(benchmark::State& state) {
    const RateList list = fullList();
    const interest::Inputs inputs = wholeRange(list);
    for (auto _ : state) {
        interest::Outcome outcome = interest::calculate(list, inputs);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(calculateOverWholeList);

void readFullListFile(benchmark::State& state) {
    const fs::path file =
        fs::temp_directory_path() / ("mirvane-bench-" + std::to_string(::getpid()) + ".faiz");
    if (!mirvane::faiz::write(file, fullList().Periods)) {
        state.SkipWithError("could not write the list file");
        return;
    }
    for (auto _ : state) {
        mirvane::Result<RateList> list = mirvane::faiz::read(file);
        benchmark::DoNotOptimize(list);
    }
    std::error_code ignored;
    fs::remove(file, ignored);
}
BENCHMARK(readFullListFile);

void buildRowTexts(benchmark::State& state) {
    const RateList list = fullList();
    const auto outcome = interest::calculate(list, wholeRange(list));
    const auto& calculation = std::get<interest::Calculation>(outcome);
    for (auto _ : state) {
        std::vector<breakdown::RowCells> rows;
        rows.reserve(calculation.rows.size());
        for (const interest::InterestRow& row : calculation.rows) {
            rows.push_back(breakdown::rowCells(row));
        }
        std::string text = breakdown::exportText(rows, breakdown::totalText(calculation.total));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(buildRowTexts);

} // namespace
