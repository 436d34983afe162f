#include "shell/LazyLibrary.h"

#include <dlfcn.h>
#include <string>

namespace mirvane::shell {

Result<void*> moduleFunction(const char* module, const char* symbol) {
    const std::string file = std::string("lib") + module + ".so";
    // Called from the program itself, so that the program's run path is searched;
    // loading a module already loaded only hands back its handle.
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = ::dlerror();
        return moduleNotFound(file, reason ? reason : "");
    }
    if (void* function = ::dlsym(handle, symbol)) {
        return function;
    }
    return moduleNotFound(file + ": " + symbol, "");
}

} // namespace mirvane::shell
