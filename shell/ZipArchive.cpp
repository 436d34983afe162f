#include "shell/ZipArchive.h"

#include "shell/LazyLibrary.h"
#include "ui/modules/ZipModule.h"

namespace mirvane::shell {

Status writeZip(const std::string& fileName, const std::vector<ZipEntry>& entries) {
    const Result<MirvaneWriteZip> write =
        moduleFunctionAs<MirvaneWriteZip>(ZipModuleName, WriteZipSymbol);
    if (!write)
        return write.error();
    std::vector<MirvaneZipEntry> table;
    table.reserve(entries.size());
    for (const ZipEntry& entry : entries)
        table.push_back({entry.name.c_str(), entry.content.data(), entry.content.size()});
    const int failure = write.value()(fileName.c_str(), table.data(), table.size());
    if (failure > 0)
        return errors::fromErrno(failure);
    if (failure < 0)
        return errors::make(errors::PathFileAccessError);
    return {};
}

} // namespace mirvane::shell
