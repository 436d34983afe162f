// The safe write's steps on Windows. A file is replaced with MoveFileExW, which puts the
// new file in the old one's place in one step (and, with MOVEFILE_WRITE_THROUGH, only
// returns once that is on the disk); the old file is never deleted first, so a failure
// leaves it whole. A file with the read-only attribute is not replaced: Windows refuses
// that, and the refusal reaches the user.

#include "core/common/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace mirvane::safefile {

namespace {

// The nearest errno for the catalogue; Windows' own numbers mean nothing to it.
int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

std::error_code lastError() {
    return {errnoOf(::GetLastError()), std::generic_category()};
}

std::error_code unlessFailed(BOOL succeeded) {
    return succeeded ? std::error_code() : lastError();
}

HANDLE fileOf(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

class SystemSteps final : public Steps {
public:
    std::error_code createNew(const fs::path& file, Handle& handle) override {
        const HANDLE created = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE) {
            return lastError();
        }
        handle = reinterpret_cast<Handle>(created);
        return {};
    }

    // A new file takes the access rights of its folder, as every file there does.
    void copyPermissions(const fs::path&, Handle) override {}

    std::error_code write(Handle handle, std::string_view bytes) override {
        while (!bytes.empty()) {
            constexpr std::size_t Largest = 1 << 30;
            const auto size = static_cast<DWORD>(std::min(bytes.size(), Largest));
            DWORD put = 0;
            if (!::WriteFile(fileOf(handle), bytes.data(), size, &put, nullptr)) {
                return lastError();
            }
            if (put == 0) {
                return std::make_error_code(std::errc::io_error);
            }
            bytes.remove_prefix(put);
        }
        return {};
    }

    std::error_code sync(Handle handle) override {
        return unlessFailed(::FlushFileBuffers(fileOf(handle)));
    }

    std::error_code close(Handle handle) override {
        return unlessFailed(::CloseHandle(fileOf(handle)));
    }

    std::error_code replace(const fs::path& from, const fs::path& to) override {
        // Windows refuses to replace a read-only file; not every file system that emulates
        // it (Wine's, network shares) does, so the attribute is honoured here too.
        const DWORD attributes = ::GetFileAttributesW(to.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            return std::make_error_code(std::errc::permission_denied);
        }
        return unlessFailed(::MoveFileExW(from.c_str(), to.c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }

    // Without MOVEFILE_REPLACE_EXISTING the move fails on any name already taken.
    std::error_code placeNew(const fs::path& from, const fs::path& to) override {
        return unlessFailed(::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH));
    }

    // MOVEFILE_WRITE_THROUGH already waited for the new name to reach the disk.
    std::error_code syncFolder(const fs::path&) override { return {}; }

    std::error_code remove(const fs::path& file) override {
        return unlessFailed(::DeleteFileW(file.c_str()));
    }
};

} // namespace

Steps& systemSteps() {
    static SystemSteps steps;
    return steps;
}

// The C runtime opens files in text mode unless told otherwise: CR LF would become LF
// and a 0x1A byte would end the file.
int errnoOfSystemError(int error) {
    return errnoOf(static_cast<DWORD>(error));
}

int openForReading(const fs::path& file) {
    return ::_wopen(file.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

} // namespace mirvane::safefile
