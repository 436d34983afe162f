#pragma once

// Where the windows take their rate lists from: the list folder, or, when that
// folder holds no list and can be given none (a locked-down computer), the ready
// lists the program carries, shown read-only. The command line's --hazir computes
// from the same lists.

#include "core/common/Errors.h"
#include "core/ratelist/RateList.h"
#include "core/ratelist/RateListStore.h"

#include <filesystem>
#include <string_view>

namespace mirvane::store {

struct ListSource {
    std::filesystem::path folder;
    // The folder is not used at all: the program's own ready lists stand in for it.
    bool builtIn = false;
};

// The names to show: the folder's listing, or the ready lists' names in their order.
Result<Listing> listNames(const ListSource& source);

// The list of that name: read from its file, or the ready list of that name. A name
// the built-in lists do not hold fails as a missing file would.
Result<RateList> readList(const ListSource& source, std::string_view name);

} // namespace mirvane::store
