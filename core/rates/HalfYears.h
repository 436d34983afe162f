#pragma once

// Commercial default interest under Law 3095 art. 2/2, half-year by half-year.

#include "core/ratelist/RateList.h"

#include <optional>
#include <vector>

namespace mirvane::rates {

// The rate of the period holding `day`; nullopt when no period does.
std::optional<double> rateOn(const std::vector<RatePeriod>& periods, Date day);

// Whole half-years from January of `firstYear` to December of `lastYear`. January to
// June bears the advance rate in force on 31 December of the year before; July to
// December the rate in force on 30 June when it differs from that by 5 points or
// more (exactly 5 counts), otherwise the first half's rate. Each period names the
// day whose rate it bears. The list stops before the first half-year whose deciding
// day the advance periods do not cover.
std::vector<RatePeriod> commercialDefaultHalfYears(const std::vector<RatePeriod>& advance,
                                                   int firstYear, int lastYear);

} // namespace mirvane::rates
