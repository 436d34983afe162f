#pragma once

// Zip archives (the packages of office documents), made by the zip module, which
// is loaded on first use, and written with the safe write.

#include "core/common/Errors.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mirvane::shell {

struct ZipEntry {
    std::string name; // the path inside the archive
    std::string content;
};

// The bytes of the archive holding `entries`, in order.
Result<std::string> zipArchive(const std::vector<ZipEntry>& entries);

// Writes `entries`, in order, as the archive `file`, replacing any file of that
// name only once the archive is whole on disk (core/common/SafeFile).
Status writeZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries);

} // namespace mirvane::shell
