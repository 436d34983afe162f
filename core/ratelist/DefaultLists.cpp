#include "ratelist/DefaultLists.h"

#include "rates/ReadyLists.h"

namespace mirvane::defaults {

const std::vector<RateList>& lists() {
    static const std::vector<RateList> all(rates::readyLists().begin(),
                                           rates::readyLists().begin() + 3);
    return all;
}

} // namespace mirvane::defaults
