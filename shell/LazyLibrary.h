#pragma once

// Parts of the program that need a large library of their own live in a module
// that is loaded the first time they are used, so that a start never pays for them
// (see ui/modules). On Unix the program finds its modules through its run path
// (lib/mirvane beside its own folder, in the build folder as installed), on Windows
// beside itself.

#include "core/common/Errors.h"

#include <string>

namespace mirvane::shell {

// The function `symbol` of the module `module` (its name without "lib" and the
// suffix, as "mirvane-zip"), loading the module the first time; it then stays
// loaded. A module or function that cannot be found is a run-time error naming it.
// Each system's loader is a file of its own (LazyLibraryPosix, LazyLibraryWindows).
Result<void*> moduleFunction(const char* module, const char* symbol);

// The error for a module, or a function of one, that cannot be found: `what` names it,
// `reason` is the loader's own words (may be empty).
RunTimeError moduleNotFound(const std::string& what, const std::string& reason);

template <class Function>
Result<Function> moduleFunctionAs(const char* module, const char* symbol) {
    Result<void*> found = moduleFunction(module, symbol);
    if (!found) {
        return found.error();
    }
    return reinterpret_cast<Function>(found.value());
}

} // namespace mirvane::shell
