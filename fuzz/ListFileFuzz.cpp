// A list file of any bytes: read it, and when it reads, write it again and compute over
// it as the main window would.

#include "core/interest/Breakdown.h"
#include "core/interest/InterestEngine.h"
#include "core/ratelist/FaizFile.h"
#include "fuzz/FuzzCheck.h"

#include <cmath>
#include <cstdint>
#include <string_view>

using namespace mirvane;
using fuzz::require;

namespace {

// Whatever the program reads, it can write, and the copy reads back as the same periods.
// Descriptions may differ after the first pass only where a byte the code page leaves
// undefined became U+FFFD.
void writesBackWhatItRead(const std::vector<RatePeriod>& periods) {
    const auto bytes = faiz::encode(periods);
    require(bytes.ok(), "a list that was read can be written");
    const auto again = faiz::decode(bytes.value());
    require(again.ok(), "a written list reads back");
    require(again.value().size() == periods.size(), "the copy keeps every period");
    for (std::size_t k = 0; k < periods.size(); ++k) {
        const RatePeriod& read = again.value()[k];
        require(read.StartDate == periods[k].StartDate && read.EndDate == periods[k].EndDate,
                "the copy keeps every date");
        require(read.Rate == periods[k].Rate, "the copy keeps every rate");
    }
    const auto third = faiz::encode(again.value());
    require(third.ok() && third.value() == bytes.value(), "a second copy is the same bytes");
}

void computes(const RateList& list, Date end) {
    const Date start = list.Periods.front().StartDate;
    const interest::Outcome outcome =
        interest::calculate(list, {start, end, "1.234,56", interest::Divisor365});
    const auto* calculation = std::get_if<interest::Calculation>(&outcome);
    if (calculation == nullptr) {
        return;
    }
    for (const interest::InterestRow& row : calculation->rows) {
        require(row.StartDate <= row.EndDate, "a slice never runs backwards");
        breakdown::rowCells(row);
    }
    if (!calculation->failure) {
        require(std::isfinite(calculation->total), "a total without an error is a number");
        breakdown::totalText(calculation->total);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto periods = faiz::decode(bytes);
    if (!periods) {
        return 0;
    }
    writesBackWhatItRead(periods.value());
    const RateList list{"Fuzz", periods.value()};
    if (list.Periods.empty()) {
        return 0;
    }
    for (std::size_t k = 0; k < list.Periods.size(); ++k) {
        breakdown::periodCells(int(k) + 1, list.Periods[k]);
    }
    computes(list, list.Periods.back().EndDate);
    computes(list, list.Periods.front().StartDate + std::chrono::days{400});
    return 0;
}
