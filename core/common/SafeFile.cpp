#include "core/common/SafeFile.h"

#include "core/common/Utf8Path.h"
#include "core/text/Utf8.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <unistd.h> // getpid, which Windows has too

namespace mirvane::safefile {

namespace {

constexpr std::string_view TemporaryMark = ".tmp-";
constexpr std::size_t NameCharacters = 40;
// As many links as the system itself follows before it gives up (ELOOP).
constexpr int MostLinks = 40;

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A new temporary file beside the target, never an existing one.
std::error_code createTemporary(const fs::path& target, Steps& steps, fs::path& temporary,
                                Handle& handle) {
    static unsigned long counter = 0;
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto tick = static_cast<unsigned long>(
            std::chrono::steady_clock::now().time_since_epoch().count() % 1000000);
        temporary = target.parent_path() /
                    utf8path::fromUtf8(temporaryName(target, static_cast<unsigned long>(::getpid()),
                                                     tick + ++counter));
        error = steps.createNew(temporary, handle);
        if (error != std::errc::file_exists) {
            return error;
        }
    }
    return error;
}

// A temporary file beside the target holding the bytes, synced and closed.
Result<fs::path> writeTemporary(const fs::path& target, std::string_view bytes, Steps& steps) {
    fs::path temporary;
    Handle handle = -1;
    if (const std::error_code error = createTemporary(target, steps, temporary, handle)) {
        // Creating a file fails with ENOENT only when its folder is missing.
        return error == std::errc::no_such_file_or_directory ? errors::make(errors::PathNotFound)
                                                             : errorOf(error);
    }
    steps.copyPermissions(target, handle);
    std::error_code error = steps.write(handle, bytes);
    if (!error) {
        error = steps.sync(handle);
    }
    const std::error_code closed = steps.close(handle);
    if (!error) {
        error = closed;
    }
    if (error) {
        steps.remove(temporary);
        return errorOf(error);
    }
    return temporary;
}

} // namespace

std::string temporaryName(const fs::path& target, unsigned long process, unsigned long number) {
    std::string name(1, '.');
    name.append(utf8::leftCharacters(utf8path::toUtf8(target.filename()), NameCharacters));
    name.append(TemporaryMark).append(std::to_string(process)).append(1, '-');
    return name.append(std::to_string(number));
}

bool isTemporaryName(std::string_view fileName) {
    if (!fileName.starts_with('.')) {
        return false;
    }
    const std::size_t lastDash = fileName.rfind('-');
    if (lastDash == std::string_view::npos || !allDigits(fileName.substr(lastDash + 1))) {
        return false;
    }
    const std::string_view head = fileName.substr(0, lastDash);
    const std::size_t mark = head.rfind(TemporaryMark);
    if (mark == std::string_view::npos || !allDigits(head.substr(mark + TemporaryMark.size()))) {
        return false;
    }
    const std::string_view targetName = head.substr(1, mark - 1);
    const std::size_t characters = utf8::characterCount(targetName);
    return characters >= 1 && characters <= NameCharacters;
}

Result<fs::path> followLinks(const fs::path& file) {
    fs::path current = file;
    for (int hop = 0; hop <= MostLinks; ++hop) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(current, error);
        if (!fs::is_symlink(status)) {
            return current;
        }
        const fs::path target = fs::read_symlink(current, error);
        if (error) {
            return errorOf(error);
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return errorOf(std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

Status replaceFile(const fs::path& file, std::string_view bytes, Steps& steps) {
    const Result<fs::path> target = followLinks(file);
    if (!target) {
        return target.error();
    }
    const Result<fs::path> temporary = writeTemporary(target.value(), bytes, steps);
    if (!temporary) {
        return temporary.error();
    }
    if (const std::error_code error = steps.replace(temporary.value(), target.value())) {
        steps.remove(temporary.value());
        return errorOf(error);
    }
    // Only makes the new name durable: the content is already safe, so a failure here
    // is not reported.
    steps.syncFolder(target.value().parent_path());
    return {};
}

Result<std::vector<fs::path>> createAllOrNone(const std::vector<NewFile>& files, Steps& steps) {
    std::vector<fs::path> temporaries;
    const auto removeTemporaries = [&] {
        for (const fs::path& temporary : temporaries) {
            steps.remove(temporary);
        }
    };
    for (const NewFile& file : files) {
        Result<fs::path> temporary = writeTemporary(file.path, file.bytes, steps);
        if (!temporary) {
            removeTemporaries();
            return temporary.error();
        }
        temporaries.push_back(std::move(temporary).value());
    }
    std::vector<fs::path> created;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::error_code error = steps.placeNew(temporaries[i], files[i].path);
        if (!error) {
            created.push_back(files[i].path);
            continue;
        }
        steps.remove(temporaries[i]);
        if (error == std::errc::file_exists) {
            continue;
        }
        for (std::size_t rest = i + 1; rest < files.size(); ++rest) {
            steps.remove(temporaries[rest]);
        }
        for (const fs::path& done : created) {
            steps.remove(done);
        }
        return errorOf(error);
    }
    for (const fs::path& done : created) {
        steps.syncFolder(done.parent_path());
    }
    return created;
}

RunTimeError errorOf(std::error_code error) {
    if (error.category() == std::generic_category()) {
        return errors::fromErrno(error.value());
    }
    if (error.category() == std::system_category()) {
        return errors::fromErrno(errnoOfSystemError(error.value()));
    }
    return errors::make(errors::PathFileAccessError);
}

} // namespace mirvane::safefile
