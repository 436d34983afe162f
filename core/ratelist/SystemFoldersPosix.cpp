// Where lists go on Linux and other POSIX systems.

#include "core/ratelist/RateListStore.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace mirvane::store {

std::optional<fs::path> perUserListFolder() {
    fs::path dataHome;
    const char* xdgDataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (xdgDataHome != nullptr && *xdgDataHome != '\0') {
        dataHome = xdgDataHome;
    } else if (home != nullptr && *home != '\0') {
        dataHome = fs::path(home) / ".local" / "share";
    } else {
        return std::nullopt;
    }
    return dataHome / "Telvar" / "Mirvane" / "Veriler" / "Faizler";
}

bool isSystemProgramFolder(const fs::path& programFolder) {
    const std::string folder = programFolder.lexically_normal().string() + "/";
    for (const std::string_view system : {"/usr/", "/bin/", "/sbin/"}) {
        if (folder.starts_with(system)) {
            return true;
        }
    }
    return false;
}

} // namespace mirvane::store
