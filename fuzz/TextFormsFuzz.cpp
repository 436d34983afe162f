// The texts the user types and reads: whatever reads as a date or an amount is written
// back in the Turkish forms and reads again as the same value.

#include "core/text/TextForms.h"
#include "fuzz/FuzzCheck.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

using namespace mirvane;
using fuzz::require;
using namespace std::chrono;

namespace {

void datesReadBack(const std::string& typed) {
    if (const auto date = text::parseDate(typed)) {
        require(text::parseDate(text::formatDate(*date)) == date, "a typed date reads back");
    }
}

// Any day, even one no text can name, is written without a year 0000 and reads back
// exactly when its year has four digits.
void anyDayIsWrittenHonestly(std::int32_t dayNumber) {
    const Date date{days{dayNumber}};
    const int year = int(year_month_day{date}.year());
    const std::string written = text::formatDate(date);
    if (year >= 100 && year <= 9999) {
        require(text::parseDate(written) == date, "a day of years 0100-9999 reads back");
    } else {
        require(!text::parseDate(written), "a day outside 0100-9999 reads as no date");
    }
}

void amountsReadBack(const std::string& typed) {
    const auto value = text::parseNumber(typed);
    if (!value) {
        return;
    }
    require(std::isfinite(*value), "a numeric text is a finite number");
    const std::string general = text::formatGeneralNumber(*value);
    const auto generalValue = text::parseNumber(general);
    require(generalValue.has_value(), "a rate as shown reads back");
    require(text::formatGeneralNumber(*generalValue) == general, "a rate shows the same again");
    if (std::fabs(*value) < text::AmountLimit) {
        const double rounded = text::roundMoney(*value);
        require(text::parseNumber(text::formatMoney(*value)) == rounded,
                "an amount as shown reads back as its rounded value");
    }
}

// Amounts computed from any double: rounding keeps a number a number.
void anyValueIsRoundedAndShown(double value) {
    const double rounded = text::roundMoney(value);
    require(std::isfinite(rounded) == std::isfinite(value), "rounding keeps a number finite");
    text::formatMoney(value);
    text::formatGeneralNumber(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    anyDayIsWrittenHonestly(input.ConsumeIntegralInRange<std::int32_t>(-3'000'000, 3'000'000));
    anyValueIsRoundedAndShown(input.ConsumeFloatingPoint<double>());
    const std::string typed = input.ConsumeRemainingBytesAsString();
    datesReadBack(typed);
    amountsReadBack(typed);
    return 0;
}
