#pragma once

// Zip archives (the packages of office documents), written by the zip module, which
// is loaded on the first write.

#include "common/Errors.h"

#include <string>
#include <vector>

namespace mirvane::shell {

struct ZipEntry {
    std::string name; // the path inside the archive
    std::string content;
};

// Writes `entries`, in order, as the archive `fileName` (in the file system's
// encoding), replacing any file of that name only once the archive is whole.
Status writeZip(const std::string& fileName, const std::vector<ZipEntry>& entries);

} // namespace mirvane::shell
