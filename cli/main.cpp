#include "HesapCli.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The folder of the running executable; the lists live beside it.
fs::path programFolder(const char* argv0) {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error && executable.has_parent_path()) {
        return executable.parent_path();
    }
    const fs::path invoked = fs::weakly_canonical(fs::absolute(argv0 ? argv0 : "", error), error);
    return invoked.parent_path();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return mirvane::cli::run(args, programFolder(argc > 0 ? argv[0] : nullptr), std::cout,
                             std::cerr);
}
