#include "shell/LazyLibrary.h"

#include <string>

#ifdef _WIN32
#include <QCoreApplication>
#include <QLibrary>
#else
#include <dlfcn.h>
#endif

namespace mirvane::shell {

namespace {

RunTimeError notFound(const std::string& what, const std::string& reason) {
    std::string description(errors::description(errors::FileNotFound));
    description += ": " + what;
    if (!reason.empty())
        description += " (" + reason + ")";
    return errors::make(errors::FileNotFound, std::move(description));
}

} // namespace

#ifdef _WIN32

Result<void*> moduleFunction(const char* module, const char* symbol) {
    // Qt keeps one handle per file however often it is asked for.
    QLibrary library(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                     QString::fromUtf8(module));
    if (!library.load())
        return notFound(module, library.errorString().toStdString());
    if (QFunctionPointer function = library.resolve(symbol))
        return reinterpret_cast<void*>(function);
    return notFound(std::string(module) + ": " + symbol, library.errorString().toStdString());
}

#else

Result<void*> moduleFunction(const char* module, const char* symbol) {
    const std::string file = std::string("lib") + module + ".so";
    // Called from the program itself, so that the program's run path is searched;
    // loading a module already loaded only hands back its handle.
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = ::dlerror();
        return notFound(file, reason ? reason : "");
    }
    if (void* function = ::dlsym(handle, symbol))
        return function;
    return notFound(file + ": " + symbol, "");
}

#endif

} // namespace mirvane::shell
