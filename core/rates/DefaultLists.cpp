#include "core/rates/DefaultLists.h"

#include "core/ratelist/RateListStore.h"
#include "core/rates/RateSource.h"

namespace mirvane::defaults {

const std::vector<RateList>& lists() {
    return rates::activeRates().defaultLists;
}

} // namespace mirvane::defaults

namespace mirvane::store {

Status prepareFolder(const std::filesystem::path& listFolder, safefile::Steps& steps) {
    return prepareFolder(listFolder, defaults::lists(), steps);
}

} // namespace mirvane::store
