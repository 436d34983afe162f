#include "rates/DefaultLists.h"

#include "rates/RateSource.h"

namespace mirvane::defaults {

const std::vector<RateList>& lists() {
    return rates::activeRates().defaultLists;
}

} // namespace mirvane::defaults
