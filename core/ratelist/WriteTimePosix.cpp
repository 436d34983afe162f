#include "core/ratelist/WriteTime.h"

namespace mirvane::store {

std::filesystem::file_time_type writeTime(const std::filesystem::directory_entry& entry,
                                          std::error_code& error) {
    return entry.last_write_time(error);
}

} // namespace mirvane::store
