#pragma once

// Files written so that they are never left half-written and never replace what they
// did not mean to: the bytes go into a new hidden file beside the target, reach the
// disk, and only then take the target's name.

#include "core/common/Errors.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace mirvane::safefile {

namespace fs = std::filesystem;

// An open file of the steps below (a descriptor on POSIX systems).
using Handle = std::intptr_t;

// The file system steps a safe write takes. The system's own steps are used unless
// a caller passes others, as a test does to record their order or to make one fail.
class Steps {
public:
    virtual ~Steps() = default;
    // Creates a file that did not exist (never opens an existing one).
    virtual std::error_code createNew(const fs::path& file, Handle& handle) = 0;
    // Gives the new file the permissions of the file it will replace.
    virtual void copyPermissions(const fs::path& from, Handle handle) = 0;
    virtual std::error_code write(Handle handle, std::string_view bytes) = 0;
    // Waits until the file's content is on the disk.
    virtual std::error_code sync(Handle handle) = 0;
    virtual std::error_code close(Handle handle) = 0;
    // Gives `from` the name `to`, replacing what stood there, in one step.
    virtual std::error_code replace(const fs::path& from, const fs::path& to) = 0;
    // Gives `from` the name `to` only if nothing stands there; fails with
    // file_exists otherwise, whatever stands there (a file, a link, a pipe).
    virtual std::error_code placeNew(const fs::path& from, const fs::path& to) = 0;
    // Waits until the folder's entries (the new names) are on the disk.
    virtual std::error_code syncFolder(const fs::path& folder) = 0;
    virtual std::error_code remove(const fs::path& file) = 0;
};

Steps& systemSteps();

// Opens a file to read its bytes as they are (never translating line ends, never waiting
// on a named pipe): a descriptor of the C runtime, or -1 with errno set.
int openForReading(const fs::path& file);

// The name of the temporary file beside `target` that a write in progress uses:
// "." + the first 40 characters of the target's name + ".tmp-" + process + "-" + number.
std::string temporaryName(const fs::path& target, unsigned long process, unsigned long number);

// Whether a file name is exactly of that form (and so was left by a write that never
// finished).
bool isTemporaryName(std::string_view fileName);

// The file a path stands for once symbolic links are followed (the path itself when it
// is no link or does not exist). A link that does not lead to a file names the place
// the file would have.
Result<fs::path> followLinks(const fs::path& file);

// Writes the bytes as the whole content of the file. The file is replaced only once the
// new content is complete on disk: on any failure the old file (or its absence) stays
// as it was. Through a symbolic link the linked file is written and the link stays.
Status replaceFile(const fs::path& file, std::string_view bytes, Steps& steps = systemSteps());

// A set of new files, each written in full or none: every file is created under a
// name nothing stands at. A name that is already taken, by anything, is left alone and
// counts as done. On any other failure the files this call created are removed again.
struct NewFile {
    fs::path path;
    std::string bytes;
};
// The paths it created.
Result<std::vector<fs::path>> createAllOrNone(const std::vector<NewFile>& files,
                                              Steps& steps = systemSteps());

// The errno nearest to one of the system's own error numbers (std::system_category),
// which on Windows are not errno values.
int errnoOfSystemError(int error);

// The catalogue error nearest to a failed step's.
RunTimeError errorOf(std::error_code error);

} // namespace mirvane::safefile
