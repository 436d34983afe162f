#include "shell/Convert.h"
#include "shell/LazyLibrary.h"

#include <QCoreApplication>
#include <QLibrary>
#include <string>

namespace mirvane::shell {

Result<void*> moduleFunction(const char* module, const char* symbol) {
    // Qt keeps one handle per file however often it is asked for.
    QLibrary library(QCoreApplication::applicationDirPath() + QLatin1Char('/') + toQString(module));
    if (!library.load()) {
        return moduleNotFound(module, library.errorString().toStdString());
    }
    if (QFunctionPointer function = library.resolve(symbol)) {
        return reinterpret_cast<void*>(function);
    }
    return moduleNotFound(std::string(module) + ": " + symbol, library.errorString().toStdString());
}

} // namespace mirvane::shell
