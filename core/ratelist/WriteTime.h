#pragma once

// When a file was last written, as finely as the system keeps it. The C++ library of
// mingw-w64 reads it to the second only, so a list saved twice within a second at the
// same size would look unchanged; Windows itself keeps it to 100 ns.

#include <filesystem>
#include <system_error>

namespace mirvane::store {

std::filesystem::file_time_type writeTime(const std::filesystem::directory_entry& entry,
                                          std::error_code& error);

} // namespace mirvane::store
