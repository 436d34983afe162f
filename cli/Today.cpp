#include "cli/Today.h"

namespace mirvane::cli {

std::chrono::sys_days today() {
    const std::tm local = localTime(std::time(nullptr));
    return std::chrono::year{local.tm_year + 1900} /
           std::chrono::month{unsigned(local.tm_mon) + 1} /
           std::chrono::day{unsigned(local.tm_mday)};
}

} // namespace mirvane::cli
