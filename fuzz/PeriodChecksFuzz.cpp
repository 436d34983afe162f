// The rate list editor's checks: a period they accept follows its neighbours and has a
// rate above zero, a correction never offers a day past 31.12.9999, and the row of an
// accepted period reads back as that period.

#include "core/ratelist/FaizFile.h"
#include "core/ratelist/ListEditing.h"
#include "core/text/TextForms.h"
#include "fuzz/FuzzCheck.h"

#include <chrono>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

using namespace mirvane;
using fuzz::require;
using namespace std::chrono;

namespace {

constexpr sys_days Earliest{year{1601} / January / day{1}};
constexpr sys_days Latest{year{9999} / December / day{31}};

// Mostly days a date picker holds, sometimes none, often near the ends of the range.
std::optional<Date> someDate(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return std::nullopt;
    case 1:
        return Latest - days{input.ConsumeIntegralInRange<int>(0, 3)};
    case 2:
        return Earliest + days{input.ConsumeIntegralInRange<int>(0, 3)};
    default:
        return Earliest +
               days{input.ConsumeIntegralInRange<std::int32_t>(0, (Latest - Earliest).count())};
    }
}

void correctionsStayInRange(const editing::Refusal& refusal) {
    for (const auto& corrected : {refusal.correctedStart, refusal.correctedEnd}) {
        require(!corrected || *corrected <= Latest, "no correction past 31.12.9999");
    }
}

void acceptedPeriodFits(const editing::Entry& entry, const editing::Neighbours& neighbours,
                        const std::string& description) {
    require(entry.start && entry.end && *entry.start <= *entry.end, "an accepted period has days");
    require(!neighbours.previousEnd || *entry.start == *neighbours.previousEnd + days{1},
            "an accepted period starts the day after the one before");
    require(!neighbours.nextStart || *entry.end + days{1} == *neighbours.nextStart,
            "an accepted period ends the day before the one after");
    const auto rate = text::parseNumber(entry.rateText);
    require(rate && *rate > 0.0, "an accepted rate is above zero");

    const auto periods = editing::periodsFromRows(
        {editing::entryRow(1, *entry.start, *entry.end, entry.rateText, description)});
    require(periods.ok() && periods.value().size() == 1, "an accepted row reads back");
    const RatePeriod& period = periods.value().front();
    require(period.StartDate == *entry.start && period.EndDate == *entry.end,
            "its row keeps the dates");
    require(period.Rate == *rate, "its row keeps the rate");
    require(faiz::encode(periods.value()).ok(), "an accepted period can be saved");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    editing::Entry entry{someDate(input), someDate(input), {}};
    editing::Neighbours neighbours{someDate(input), someDate(input)};
    entry.rateText = input.ConsumeRandomLengthString(24);
    const std::string description = input.ConsumeRemainingBytesAsString();

    if (const auto refusal = editing::checkEntry(entry, neighbours)) {
        correctionsStayInRange(*refusal);
    } else {
        acceptedPeriodFits(entry, neighbours, description);
    }
    return 0;
}
