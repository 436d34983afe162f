#pragma once

// OLE Automation dates: days since 30 December 1899 as a double.

#include "core/ratelist/RateList.h"

#include <optional>

namespace mirvane::oledate {

// The first and last day a stored date may name.
inline constexpr std::chrono::year_month_day Earliest{std::chrono::year{1601}, std::chrono::January,
                                                      std::chrono::day{1}};
inline constexpr std::chrono::year_month_day Latest{std::chrono::year{9999}, std::chrono::December,
                                                    std::chrono::day{31}};

double fromDate(Date date);

// The calendar day of a stored value (its whole-day part); nullopt for NaN,
// infinities and days outside 01.01.1601-31.12.9999.
std::optional<Date> toDate(double value);

} // namespace mirvane::oledate
