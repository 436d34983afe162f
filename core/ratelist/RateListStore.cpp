#include "ratelist/RateListStore.h"

#include "ratelist/DefaultLists.h"
#include "ratelist/FaizFile.h"
#include "text/Cp1254.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace mirvane::store {

namespace {

// The Turkish alphabet in its order, lower case; q, w and x, which Turkish
// writes only in foreign words, sit where Turkish dictionaries put them.
constexpr std::u32string_view Alphabet = U"abcçdefgğhıijklmnoöpqrsştuüvwxyz";

char32_t turkishLower(char32_t c) {
    switch (c) {
    case U'I':
        return U'ı';
    case U'İ':
        return U'i';
    case U'Ç':
        return U'ç';
    case U'Ğ':
        return U'ğ';
    case U'Ö':
        return U'ö';
    case U'Ş':
        return U'ş';
    case U'Ü':
        return U'ü';
    default:
        return (c >= U'A' && c <= U'Z') ? c + (U'a' - U'A') : c;
    }
}

// Letters of the alphabet all weigh as much as 'a' plus their rank, so they keep
// their alphabet order among themselves and their place (that of 'a') among the
// other characters, which weigh by code point.
std::uint64_t weight(char32_t c) {
    constexpr std::uint64_t Spacing = 64;
    static_assert(Alphabet.size() < Spacing);
    const auto rank = Alphabet.find(turkishLower(c));
    if (rank == std::u32string_view::npos) {
        return std::uint64_t{c} * Spacing;
    }
    return std::uint64_t{U'a'} * Spacing + rank;
}

bool isListFile(const fs::directory_entry& entry) {
    std::error_code error;
    const std::string fileName = entry.path().filename().string();
    return !fileName.starts_with('.') && faiz::hasListExtension(fileName) &&
           entry.is_regular_file(error);
}

// Creates and removes a file to learn whether the folder takes new files.
bool canCreateFileIn(const fs::path& folder) {
    std::string probe = (folder / ".mirvane-yazma-denemesi-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return ::unlink(probe.c_str()) == 0;
}

} // namespace

fs::path listFolderOf(const fs::path& programFolder) {
    return programFolder / "Veriler" / "Faizler";
}

std::optional<fs::path> perUserListFolder() {
    fs::path dataHome;
    const char* xdgDataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (xdgDataHome != nullptr && *xdgDataHome != '\0') {
        dataHome = xdgDataHome;
    } else if (home != nullptr && *home != '\0') {
        dataHome = fs::path(home) / ".local" / "share";
    } else {
        return std::nullopt;
    }
    return dataHome / "Telvar" / "Mirvane" / "Veriler" / "Faizler";
}

// A list whose file has its extension in capitals is listed like any other, so it
// must be read, saved and deleted under that same file.
fs::path ListFilePath(const fs::path& listFolder, std::string_view name) {
    const std::string usualName = std::string(name) + std::string(faiz::Extension);
    const fs::path usual = listFolder / usualName;
    std::error_code error;
    if (fs::exists(fs::symlink_status(usual, error))) {
        return usual;
    }
    fs::directory_iterator entry(listFolder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string fileName = entry->path().filename().string();
        if (fileName.size() == usualName.size() && fileName.starts_with(name) &&
            faiz::hasListExtension(fileName)) {
            return entry->path();
        }
    }
    return usual;
}

void prepareFolder(const fs::path& listFolder) {
    std::error_code error;
    fs::create_directories(listFolder, error);
    if (!enumerateListNames(listFolder).empty()) {
        return;
    }
    for (const RateList& list : defaults::lists()) {
        if (const auto bytes = faiz::encode(list.Periods)) {
            faiz::writeBytesSafely(ListFilePath(listFolder, list.Name), bytes.value());
        }
    }
}

bool isUsableFolder(const fs::path& listFolder) {
    std::error_code error;
    fs::create_directories(listFolder, error);
    return fs::is_directory(listFolder, error) && canCreateFileIn(listFolder);
}

bool isSystemProgramFolder(const fs::path& programFolder) {
    const std::string folder = programFolder.lexically_normal().string() + "/";
    for (const std::string_view system : {"/usr/", "/bin/", "/sbin/"}) {
        if (folder.starts_with(system)) {
            return true;
        }
    }
    return false;
}

fs::path chooseAndPrepareListFolder(const fs::path& programFolder) {
    fs::path chosen = listFolderOf(programFolder);
    if (isSystemProgramFolder(programFolder) || !isUsableFolder(chosen)) {
        chosen = perUserListFolder().value_or(chosen);
    }
    prepareFolder(chosen);
    return chosen;
}

std::vector<std::string> enumerateListNames(const fs::path& listFolder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entry(listFolder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        if (isListFile(*entry)) {
            const std::string fileName = entry->path().filename().string();
            names.push_back(fileName.substr(0, fileName.size() - faiz::Extension.size()));
        }
    }
    std::sort(names.begin(), names.end(), listNameLess);
    return names;
}

bool listNameLess(std::string_view a, std::string_view b) {
    const std::u32string left = cp1254::codePoints(a);
    const std::u32string right = cp1254::codePoints(b);
    const auto [l, r] =
        std::mismatch(left.begin(), left.end(), right.begin(), right.end(),
                      [](char32_t x, char32_t y) { return weight(x) == weight(y); });
    if (l != left.end() && r != right.end()) {
        return weight(*l) < weight(*r);
    }
    if (l != left.end() || r != right.end()) {
        return l == left.end(); // the shorter name, a prefix of the other, comes first
    }
    return a < b; // equal but for letter case: byte order keeps the order total
}

std::optional<std::size_t> selectAfterRefresh(const std::vector<std::string>& names,
                                              std::string& newListName,
                                              std::int16_t& selectedListIndex) {
    if (!newListName.empty()) {
        const auto match = std::find(names.begin(), names.end(), newListName);
        newListName.clear();
        if (match == names.end()) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(match - names.begin());
    }
    if (names.empty()) {
        return std::nullopt;
    }
    const auto last = static_cast<std::int64_t>(names.size() - 1);
    selectedListIndex =
        static_cast<std::int16_t>(std::clamp<std::int64_t>(selectedListIndex, 0, last));
    return static_cast<std::size_t>(selectedListIndex);
}

std::size_t selectAfterDelete(std::size_t removed) {
    return removed == 0 ? 0 : removed - 1;
}

Status deleteListFile(const fs::path& file) {
    // Only the file itself is made writable, never what a symbolic link points to.
    std::error_code error;
    if (fs::is_regular_file(fs::symlink_status(file, error))) {
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, error);
    }
    if (::unlink(file.c_str()) != 0) {
        return errors::fromErrno(errno);
    }
    return {};
}

} // namespace mirvane::store
