#pragma once

// Parts of the program that need a large library of their own live in a module
// that is loaded the first time they are used, so that a start never pays for them
// (see ui/modules). On Unix the program finds its modules through its run path
// (lib/mirvane beside its own folder, in the build folder as installed), on Windows
// beside itself.

#include "core/common/Errors.h"

namespace mirvane::shell {

// The function `symbol` of the module `module` (its name without "lib" and the
// suffix, as "mirvane-zip"), loading the module the first time; it then stays
// loaded. A module or function that cannot be found is a run-time error naming it.
Result<void*> moduleFunction(const char* module, const char* symbol);

template <class Function>
Result<Function> moduleFunctionAs(const char* module, const char* symbol) {
    Result<void*> found = moduleFunction(module, symbol);
    if (!found)
        return found.error();
    return reinterpret_cast<Function>(found.value());
}

} // namespace mirvane::shell
