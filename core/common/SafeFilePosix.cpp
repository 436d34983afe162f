// The safe write's steps on POSIX systems.

#include "core/common/SafeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirvane::safefile {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::error_code unlessZero(int result) {
    return result == 0 ? std::error_code() : lastError();
}

int fd(Handle handle) {
    return static_cast<int>(handle);
}

class SystemSteps final : public Steps {
public:
    std::error_code createNew(const fs::path& file, Handle& handle) override {
        // The mode any new file of the user gets (0666 less umask).
        const int opened = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (opened < 0) {
            return lastError();
        }
        handle = opened;
        return {};
    }

    void copyPermissions(const fs::path& from, Handle handle) override {
        struct stat old {};
        if (::stat(from.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
            ::fchmod(fd(handle), old.st_mode & 07777);
        }
    }

    std::error_code write(Handle handle, std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t put = ::write(fd(handle), bytes.data(), bytes.size());
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put < 0) {
                return lastError();
            }
            if (put == 0) {
                return std::make_error_code(std::errc::io_error);
            }
            bytes.remove_prefix(static_cast<std::size_t>(put));
        }
        return {};
    }

    std::error_code sync(Handle handle) override { return unlessZero(::fsync(fd(handle))); }

    std::error_code close(Handle handle) override { return unlessZero(::close(fd(handle))); }

    std::error_code replace(const fs::path& from, const fs::path& to) override {
        return unlessZero(::rename(from.c_str(), to.c_str()));
    }

    std::error_code placeNew(const fs::path& from, const fs::path& to) override {
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
            return {};
        }
        if (errno != EINVAL && errno != ENOSYS) {
            return lastError();
        }
        // A file system without that kind of rename: a hard link never replaces either.
        if (::link(from.c_str(), to.c_str()) != 0) {
            return lastError();
        }
        ::unlink(from.c_str());
        return {};
    }

    std::error_code syncFolder(const fs::path& folder) override {
        const int opened =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (opened < 0) {
            return lastError();
        }
        const std::error_code error = unlessZero(::fsync(opened));
        ::close(opened);
        return error;
    }

    std::error_code remove(const fs::path& file) override {
        return unlessZero(::unlink(file.c_str()));
    }
};

} // namespace

Steps& systemSteps() {
    static SystemSteps steps;
    return steps;
}

int errnoOfSystemError(int error) {
    return error;
}

int openForReading(const fs::path& file) {
    // O_NONBLOCK keeps a named pipe from hanging the open; regular files ignore it.
    return ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

} // namespace mirvane::safefile
