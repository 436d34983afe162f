#pragma once

// What the list folder holds, as far as a window showing its lists must know: a
// window that returns from an editor rebuilds its list of lists only when a list
// was added, saved, deleted or renamed meanwhile.

#include <compare>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mirvane::store {

struct ListFileState {
    std::string fileName;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;

    friend bool operator==(const ListFileState&, const ListFileState&) = default;
};

// The list files of the folder (names ending in ".faiz" in any letter case), sorted
// by file name, with their sizes and times of last writing. An unreadable folder
// gives no files.
std::vector<ListFileState> folderState(const std::filesystem::path& listFolder);

} // namespace mirvane::store
