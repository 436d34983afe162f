#include "cli/Today.h"

namespace mirvane::cli {

std::tm localTime(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    return local;
}

} // namespace mirvane::cli
