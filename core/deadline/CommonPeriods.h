#pragma once

// The periods lawyers reach for most, under the law in force: each fills the
// amount, the unit and the procedure of the span calculator.

#include "core/deadline/LastDay.h"
#include "core/span/DateSpan.h"

#include <span>
#include <string>
#include <string_view>

namespace mirvane::deadline {

struct CommonPeriod {
    std::string_view name; // "İstinaf (HMK 345)"
    int amount;
    span::Unit unit;
    Procedure procedure;
};

std::span<const CommonPeriod> commonPeriods();

// "İstinaf (HMK 345): 2 hafta".
std::string commonPeriodLabel(const CommonPeriod& period);

} // namespace mirvane::deadline
