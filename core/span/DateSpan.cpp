#include "core/span/DateSpan.h"

#include "core/text/TextForms.h"

#include <algorithm>

namespace mirvane::span {

namespace {

using namespace std::chrono;

constexpr int EarliestYear = 100;
constexpr int LatestYear = 9999;
constexpr int MaxAmountDigits = 9;

constexpr sys_days EarliestDate{year_month_day{year{EarliestYear}, January, day{1}}};
constexpr sys_days LatestDate{year_month_day{year{LatestYear}, December, day{31}}};

RunTimeError outOfRange() {
    return errors::make(errors::InvalidProcedureCall);
}

Result<Date> inRange(long long dayNumber) {
    if (dayNumber < EarliestDate.time_since_epoch().count() ||
        dayNumber > LatestDate.time_since_epoch().count()) {
        return outOfRange();
    }
    return Date{days{dayNumber}};
}

Result<Date> addDays(Date start, long long count) {
    return inRange(start.time_since_epoch().count() + count);
}

// The same day in the month `monthNumber` (counted from year 0), or that month's
// last day when it is shorter.
Result<Date> sameDayInMonth(long long monthNumber, day wantedDay) {
    const long long targetYear = monthNumber / 12;
    if (monthNumber < 0 || targetYear < EarliestYear || targetYear > LatestYear) {
        return outOfRange();
    }
    const year_month target{year{static_cast<int>(targetYear)},
                            month{static_cast<unsigned>(monthNumber % 12) + 1}};
    const day lastDay = year_month_day_last{target / last}.day();
    return Date{target / std::min(wantedDay, lastDay)};
}

Result<Date> addMonths(Date start, long long count) {
    const year_month_day date{start};
    const long long monthNumber =
        static_cast<int>(date.year()) * 12LL + static_cast<unsigned>(date.month()) - 1 + count;
    return sameDayInMonth(monthNumber, date.day());
}

} // namespace

int leadingAmount(std::string_view text) {
    int amount = 0;
    for (std::size_t index = 0; index < text.size() && index < MaxAmountDigits; ++index) {
        const char character = text[index];
        if (character < '0' || character > '9') {
            break;
        }
        amount = amount * 10 + (character - '0');
    }
    return amount;
}

Result<Date> advance(Date start, Unit unit, int amount) {
    switch (unit) {
    case Unit::Day:
        return addDays(start, amount);
    case Unit::Week:
        return addDays(start, 7LL * amount);
    case Unit::Month:
        return addMonths(start, amount);
    case Unit::Year:
        return addMonths(start, 12LL * amount);
    }
    return outOfRange();
}

Result<std::string> foundDateText(std::optional<Date> start, Unit unit,
                                  std::string_view amountText) {
    if (amountText.empty() || !start) {
        return std::string();
    }
    const Result<Date> found = advance(*start, unit, leadingAmount(amountText));
    if (!found) {
        return found.error();
    }
    return text::formatDate(found.value());
}

} // namespace mirvane::span
