#pragma once

// The folder of rate list files ("Veriler/Faizler" below the program folder, or the
// per-user folder when that cannot hold them) and the operations on it that need no
// window.

#include "core/common/Errors.h"
#include "core/common/SafeFile.h"
#include "core/ratelist/RateList.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::store {

namespace fs = std::filesystem;

// programFolder / "Veriler" / "Faizler".
fs::path listFolderOf(const fs::path& programFolder);

// The per-user list folder used when the program folder cannot hold the lists:
// $XDG_DATA_HOME (or $HOME/.local/share) / "Telvar/Mirvane/Veriler/Faizler", on Windows
// %APPDATA%\Telvar\Mirvane\Veriler\Faizler. nullopt when no such variable is set.
std::optional<fs::path> perUserListFolder();

// The file the listing shows under the name: listFolder / (name + ".faiz"), or the
// list file of that name whose extension is written in other letter case (".FAIZ");
// listFolder / (name + ".faiz") when there is none.
fs::path listFilePath(const fs::path& listFolder, std::string_view name);

// The names the folder shows and what it leaves out.
struct Listing {
    // Sorted as listNameLess says.
    std::vector<std::string> names;
    // One line for each file left out: a second file of a listed name (X.FAIZ beside
    // X.faiz) and a file whose name holds a control character.
    std::vector<std::string> notices;
};

// The list files of the folder: regular files (or links to them) whose name ends in
// ".faiz" in any letter case, hidden files (leading full stop) excluded; a name is the
// file name without its last five characters. Of two files of one name, the one with
// the extension in lower case (otherwise the first in byte order) is listed. A folder
// that cannot be read, wholly, is an error, never an empty folder.
Result<Listing> enumerateListNames(const fs::path& listFolder);

// Creates the folder (and its parents) if missing, removes what saves that never
// finished left behind (temporary files older than an hour), and writes `firstLists`
// when it holds no list file: all of them or, on failure, none. Never replaces
// anything that stands at one's name. A folder that cannot be made or read, or lists
// that cannot be written, fail with the reason; nothing is written. The program's own
// first lists come from the rate data (rates/DefaultLists.h).
Status prepareFolder(const fs::path& listFolder, const std::vector<RateList>& firstLists,
                     safefile::Steps& steps);

// Whether the program can keep its lists in this folder: it exists or can be
// created, and a file can be created in it.
bool isUsableFolder(const fs::path& listFolder);

// Whether the program lies in a folder of the system's own software (/usr, /bin,
// /sbin; on Windows the program files folders and the Windows folder). Such folders belong to the
// package manager: even where root may write there, lists kept beside the program would be mixed
// into the installed files.
bool isSystemProgramFolder(const fs::path& programFolder);

// The folder the program works in: the program folder's list folder when it is
// usable and not a system folder, otherwise the per-user folder. Not yet prepared.
fs::path chooseListFolder(const fs::path& programFolder);

// The case-insensitive order used for the names.
bool listNameLess(std::string_view a, std::string_view b);

// Which entry the refresh selects. A pending newListName wins (and is emptied)
// and leaves selectedListIndex alone; otherwise selectedListIndex is clamped into
// the list (stored back) and selected. nullopt: nothing to select.
std::optional<std::size_t> selectAfterRefresh(const std::vector<std::string>& names,
                                              std::string& newListName,
                                              std::int16_t& selectedListIndex);

// The entry selected after the one at `removed` was deleted: the one before it,
// or the first.
std::size_t selectAfterDelete(std::size_t removed);

// Clears the read-only protection of the list file and deletes it.
Status deleteListFile(const fs::path& file);

} // namespace mirvane::store
