#pragma once

#include "core/common/Date.h"

#include <chrono>
#include <string>
#include <vector>

namespace mirvane {

// One dated period of a rate list; both dates are inclusive, Rate is percent a year.
struct RatePeriod {
    Date StartDate;
    Date EndDate;
    double Rate = 0.0;
    std::string Description; // UTF-8, at most 100 characters when stored

    friend bool operator==(const RatePeriod&, const RatePeriod&) = default;
};

// A named rate list: Name is the file's base name, period k is Periods[k - 1].
struct RateList {
    std::string Name;
    std::vector<RatePeriod> Periods;

    friend bool operator==(const RateList&, const RateList&) = default;
};

// The file's period counter is one byte.
inline constexpr std::size_t MaxPeriods = 255;

} // namespace mirvane
