#pragma once

// A fixed rate that is none of the published rates on its interest start. Court of
// Cassation practice reads a requested rate equal to the statutory or a commercial
// rate of that day as interest of that type at its changing rates; a rate equal to
// none of them can only stand as agreed, and the reader should be told so.

#include "core/claim/ClaimFile.h"

#include <string>
#include <vector>

namespace mirvane::claim {

// One notice per principal item whose fixed rate equals the rate of no ready list
// on the item's interest start.
std::vector<std::string> fixedRateNotices(const ClaimFile& file);

} // namespace mirvane::claim
