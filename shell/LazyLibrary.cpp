#include "shell/LazyLibrary.h"

namespace mirvane::shell {

RunTimeError moduleNotFound(const std::string& what, const std::string& reason) {
    std::string description(errors::description(errors::FileNotFound));
    description += ": " + what;
    if (!reason.empty()) {
        description += " (" + reason + ")";
    }
    return errors::make(errors::FileNotFound, std::move(description));
}

} // namespace mirvane::shell
