// The date span calculator: any start, unit and amount text gives a date a list can name,
// or the run-time error; never a day past 31.12.9999.

#include "core/span/DateSpan.h"
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

constexpr sys_days Latest{year{9999} / December / day{31}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The date picker holds days of 01.01.0100-31.12.9999.
    const sys_days earliest{year{100} / January / day{1}};
    const Date start =
        earliest + days{input.ConsumeIntegralInRange<std::int32_t>(0, (Latest - earliest).count())};
    const auto unit = static_cast<span::Unit>(input.ConsumeIntegralInRange<int>(0, 3));
    const std::string amountText = input.ConsumeRemainingBytesAsString();

    const int amount = span::leadingAmount(amountText);
    require(amount >= 0 && amount <= 999'999'999, "the amount has at most nine digits");
    const auto advanced = span::advance(start, unit, amount);
    if (advanced) {
        require(advanced.value() >= start && advanced.value() <= Latest,
                "a span ends between its start and 31.12.9999");
    }
    const auto found = span::foundDateText(start, unit, amountText);
    if (found && !found.value().empty()) {
        require(text::parseDate(found.value()).has_value(), "the found date reads as a date");
        require(advanced && text::formatDate(advanced.value()) == found.value(),
                "the found date is the advanced date");
    }
    return 0;
}
