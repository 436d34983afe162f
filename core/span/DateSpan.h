#pragma once

// Adding days, weeks, months or years to a date.

#include "core/common/Date.h"
#include "core/common/Errors.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace mirvane::span {

// In the order of the unit list: "Gün", "Hafta", "Ay", "Yıl".
enum class Unit { Day = 0, Week = 1, Month = 2, Year = 3 };

// The value of the leading decimal digits of the amount text ("12a" -> 12,
// "a1" -> 0); at most 9 digits are read.
int leadingAmount(std::string_view text);

// The date `amount` units after `start` (a month or year landing on a day the
// month lacks gives its last day). A result after 31.12.9999 is the run-time
// error 5 (invalid procedure call).
Result<Date> advance(Date start, Unit unit, int amount);

// The found-date text of the date span calculator: empty when the amount text is
// empty or there is no start date, otherwise the advanced date as dd.MM.yyyy.
Result<std::string> foundDateText(std::optional<Date> start, Unit unit,
                                  std::string_view amountText);

} // namespace mirvane::span
