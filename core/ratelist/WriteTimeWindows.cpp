#include "core/ratelist/WriteTime.h"

#include <chrono>
#include <cstdint>
#include <windows.h>

namespace mirvane::store {

namespace {

// FILETIME counts 100 ns from 1601; counted from 1970 it fits the clock's nanoseconds.
constexpr std::int64_t TicksFrom1601To1970 = 116444736000000000;
using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>;

} // namespace

std::filesystem::file_time_type writeTime(const std::filesystem::directory_entry& entry,
                                          std::error_code& error) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(entry.path().c_str(), GetFileExInfoStandard, &data)) {
        error = std::error_code(int(::GetLastError()), std::system_category());
        return {};
    }
    error.clear();
    const std::int64_t ticks = (std::int64_t(data.ftLastWriteTime.dwHighDateTime) << 32 |
                                std::int64_t(data.ftLastWriteTime.dwLowDateTime)) -
                               TicksFrom1601To1970;
    return std::filesystem::file_time_type(
        std::chrono::duration_cast<std::filesystem::file_time_type::duration>(Ticks(ticks)));
}

} // namespace mirvane::store
