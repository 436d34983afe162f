#include "cli/Platform.h"

#include <system_error>

namespace mirvane::cli::platform {

namespace fs = std::filesystem;

// Arguments arrive as the bytes the user's (UTF-8) terminal typed.
std::vector<std::string> arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

fs::path programFolder(const char* argv0) {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error && executable.has_parent_path()) {
        return executable.parent_path();
    }
    const fs::path invoked = fs::weakly_canonical(fs::absolute(argv0 ? argv0 : "", error), error);
    return invoked.parent_path();
}

void prepareStreams() {}

const char* qtPlatformWithoutDisplay() {
    return "offscreen";
}

} // namespace mirvane::cli::platform
