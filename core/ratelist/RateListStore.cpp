#include "core/ratelist/RateListStore.h"

#include "core/common/Utf8Path.h"
#include "core/ratelist/FaizFile.h"
#include "core/text/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h> // getpid, which Windows has too

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

constexpr auto StaleAfter = std::chrono::hours(1);
// The longest file name the file systems in use take (in bytes on Linux, UTF-16 units on
// Windows).
constexpr std::size_t LongestName = 255;

// A list file is a regular file, reached directly or through a symbolic link.
bool isListFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
}

bool isListFileName(std::string_view fileName) {
    return !fileName.starts_with('.') && faiz::hasListExtension(fileName);
}

std::string nameOfListFile(std::string_view fileName) {
    return std::string(fileName.substr(0, fileName.size() - faiz::Extension.size()));
}

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

// The name with each control character written as \xNN, so a notice stays one line.
std::string visible(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            static constexpr char Digits[] = "0123456789ABCDEF";
            shown += {'\\', 'x', Digits[byte >> 4], Digits[byte & 15]};
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Of the files of one name the one with ".faiz" written in lower case is the list;
// otherwise the first in byte order.
bool listedBefore(const std::string& a, const std::string& b) {
    const bool aUsual = a.ends_with(faiz::Extension);
    const bool bUsual = b.ends_with(faiz::Extension);
    return aUsual != bUsual ? aUsual : a < b;
}

// The failure of a step on the folder: the system's reason, the step and the folder.
RunTimeError folderError(std::string_view what, const fs::path& folder, const RunTimeError& cause) {
    return errors::make(cause.number, std::string(what) + ": " +
                                          inQuotes(utf8path::toUtf8(folder)) + " (" +
                                          cause.description + ").");
}

RunTimeError folderError(std::string_view what, const fs::path& folder, std::error_code error) {
    return folderError(what, folder, safefile::errorOf(error));
}

// Every file name of the folder; an error when the folder cannot be read to its end.
Result<std::vector<std::string>> fileNamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        names.push_back(utf8path::toUtf8(entry->path().filename()));
    }
    if (error) {
        return folderError("Liste klasörü okunamadı", folder, error);
    }
    return names;
}

Status makeFolder(const fs::path& folder) {
    if (folder.empty()) {
        return folderError("Liste klasörü oluşturulamadı", folder,
                           std::make_error_code(std::errc::no_such_file_or_directory));
    }
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (fs::exists(status) && !fs::is_directory(status)) {
        return folderError("Liste klasörü oluşturulamadı", folder,
                           std::make_error_code(std::errc::not_a_directory));
    }
    // Windows' C runtime reports a name too long for the file system as one not found.
    for (const fs::path& name : folder) {
        if (name.native().size() > LongestName) {
            return folderError("Liste klasörü oluşturulamadı", folder,
                               std::make_error_code(std::errc::filename_too_long));
        }
    }
    fs::create_directories(folder, error);
    if (error) {
        return folderError("Liste klasörü oluşturulamadı", folder, error);
    }
    return {};
}

// A save killed half-way (a power cut, the file size limit) leaves its temporary file
// behind. One older than an hour belongs to no save still running. Removing is a
// courtesy: a failure here harms no list and is not reported.
void removeStaleTemporaries(const fs::path& folder, const std::vector<std::string>& fileNames) {
    const auto now = fs::file_time_type::clock::now();
    for (const std::string& fileName : fileNames) {
        if (!safefile::isTemporaryName(fileName)) {
            continue;
        }
        const fs::path file = folder / utf8path::fromUtf8(fileName);
        std::error_code error;
        if (!fs::is_regular_file(fs::symlink_status(file, error))) {
            continue;
        }
        const auto written = fs::last_write_time(file, error);
        if (!error && now - written > StaleAfter) {
            fs::remove(file, error);
        }
    }
}

Listing listingOf(const std::vector<std::string>& fileNames, const fs::path& folder) {
    std::map<std::string, std::vector<std::string>> filesOfName;
    Listing listing;
    for (const std::string& fileName : fileNames) {
        if (!isListFileName(fileName) || !isListFile(folder / utf8path::fromUtf8(fileName))) {
            continue;
        }
        if (hasControlCharacter(fileName)) {
            listing.notices.push_back(inQuotes(visible(fileName)) +
                                      " listede gösterilmiyor: adında denetim karakteri var.");
            continue;
        }
        filesOfName[nameOfListFile(fileName)].push_back(fileName);
    }
    for (auto& [name, files] : filesOfName) {
        std::sort(files.begin(), files.end(), listedBefore);
        for (std::size_t other = 1; other < files.size(); ++other) {
            listing.notices.push_back(inQuotes(files[other]) +
                                      " listede gösterilmiyor: " + inQuotes(name) + " adlı liste " +
                                      inQuotes(files.front()) + " dosyasından okunuyor.");
        }
        listing.names.push_back(name);
    }
    std::sort(listing.names.begin(), listing.names.end(), listNameLess);
    return listing;
}

// Creates and removes a file to learn whether the folder takes new files.
bool canCreateFileIn(const fs::path& folder) {
    safefile::Steps& steps = safefile::systemSteps();
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path probe = folder / (".mirvane-yazma-denemesi-" + std::to_string(::getpid()) +
                                         "-" + std::to_string(++counter));
        safefile::Handle handle = -1;
        const std::error_code error = steps.createNew(probe, handle);
        if (error == std::errc::file_exists) {
            continue;
        }
        if (error) {
            return false;
        }
        steps.close(handle);
        return !steps.remove(probe);
    }
    return false;
}

} // namespace

fs::path listFolderOf(const fs::path& programFolder) {
    return programFolder / "Veriler" / "Faizler";
}

// A list whose file has its extension in capitals is listed like any other, so it
// must be read, saved and deleted under that same file.
fs::path listFilePath(const fs::path& listFolder, std::string_view name) {
    const std::string usualName = std::string(name) + std::string(faiz::Extension);
    const fs::path usual = listFolder / utf8path::fromUtf8(usualName);
    if (isListFile(usual)) {
        return usual;
    }
    std::optional<std::string> other;
    std::error_code error;
    fs::directory_iterator entry(listFolder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string fileName = utf8path::toUtf8(entry->path().filename());
        if (fileName.size() == usualName.size() && fileName.starts_with(name) &&
            faiz::hasListExtension(fileName) && isListFile(entry->path()) &&
            (!other || listedBefore(fileName, *other))) {
            other = fileName;
        }
    }
    return other ? listFolder / utf8path::fromUtf8(*other) : usual;
}

Result<Listing> enumerateListNames(const fs::path& listFolder) {
    const auto fileNames = fileNamesIn(listFolder);
    if (!fileNames) {
        return fileNames.error();
    }
    return listingOf(fileNames.value(), listFolder);
}

Status prepareFolder(const fs::path& listFolder, const std::vector<RateList>& firstLists,
                     safefile::Steps& steps) {
    if (Status made = makeFolder(listFolder); !made) {
        return made;
    }
    const auto fileNames = fileNamesIn(listFolder);
    if (!fileNames) {
        return fileNames.error();
    }
    removeStaleTemporaries(listFolder, fileNames.value());
    if (!listingOf(fileNames.value(), listFolder).names.empty()) {
        return {};
    }
    std::vector<safefile::NewFile> files;
    for (const RateList& list : firstLists) {
        auto bytes = faiz::encode(list.Periods);
        if (!bytes) {
            return bytes.error();
        }
        files.push_back({listFolder / utf8path::fromUtf8(list.Name + std::string(faiz::Extension)),
                         std::move(bytes).value()});
    }
    const auto created = safefile::createAllOrNone(files, steps);
    if (!created) {
        return folderError("Hazır listeler yazılamadı", listFolder, created.error());
    }
    return {};
}

bool isUsableFolder(const fs::path& listFolder) {
    std::error_code error;
    fs::create_directories(listFolder, error);
    return fs::is_directory(listFolder, error) && canCreateFileIn(listFolder);
}

fs::path chooseListFolder(const fs::path& programFolder) {
    fs::path chosen = listFolderOf(programFolder);
    if (isSystemProgramFolder(programFolder) || !isUsableFolder(chosen)) {
        chosen = perUserListFolder().value_or(chosen);
    }
    return chosen;
}

bool listNameLess(std::string_view a, std::string_view b) {
    const std::u32string left = utf8::codePoints(a);
    const std::u32string right = utf8::codePoints(b);
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
    if (!fs::remove(file, error)) {
        return error ? safefile::errorOf(error) : errors::make(errors::FileNotFound);
    }
    return {};
}

} // namespace mirvane::store
