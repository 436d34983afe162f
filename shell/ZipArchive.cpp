#include "shell/ZipArchive.h"

#include "core/common/SafeFile.h"
#include "modules/ZipModule.h"
#include "shell/LazyLibrary.h"

namespace mirvane::shell {

namespace {

void appendTo(void* context, const char* data, std::size_t size) {
    static_cast<std::string*>(context)->append(data, size);
}

} // namespace

Result<std::string> zipArchive(const std::vector<ZipEntry>& entries) {
    const Result<MirvaneZipArchive> make =
        moduleFunctionAs<MirvaneZipArchive>(ZipModuleName, ZipArchiveSymbol);
    if (!make) {
        return make.error();
    }
    std::vector<MirvaneZipEntry> table;
    table.reserve(entries.size());
    for (const ZipEntry& entry : entries) {
        table.push_back({entry.name.c_str(), entry.content.data(), entry.content.size()});
    }
    std::string bytes;
    const int failure = make.value()(table.data(), table.size(), &appendTo, &bytes);
    if (failure > 0) {
        return errors::fromErrno(failure);
    }
    if (failure < 0) {
        return errors::make(errors::PathFileAccessError);
    }
    return bytes;
}

Status writeZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries) {
    const Result<std::string> bytes = zipArchive(entries);
    if (!bytes) {
        return bytes.error();
    }
    return safefile::replaceFile(file, bytes.value());
}

} // namespace mirvane::shell
