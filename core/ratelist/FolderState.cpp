#include "core/ratelist/FolderState.h"

#include "core/common/Utf8Path.h"
#include "core/ratelist/WriteTime.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace mirvane::store {

namespace {

bool isListFileName(const std::string& name) {
    constexpr std::string_view extension = ".faiz";
    if (name.size() <= extension.size()) {
        return false;
    }
    return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

} // namespace

std::vector<ListFileState> folderState(const std::filesystem::path& listFolder) {
    std::vector<ListFileState> files;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(listFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = utf8path::toUtf8(entry->path().filename());
        if (!isListFileName(name)) {
            continue;
        }
        std::error_code statError;
        const std::uintmax_t size = entry->file_size(statError);
        const auto written = writeTime(*entry, statError);
        files.push_back({name, statError ? 0 : size, written});
    }
    std::sort(files.begin(), files.end(), [](const ListFileState& a, const ListFileState& b) {
        return a.fileName < b.fileName;
    });
    return files;
}

} // namespace mirvane::store
