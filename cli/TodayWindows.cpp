#include "cli/Today.h"

namespace mirvane::cli {

std::tm localTime(std::time_t moment) {
    std::tm local{};
    localtime_s(&local, &moment);
    return local;
}

} // namespace mirvane::cli
