#include "core/claim/Recovery.h"

#include "core/common/SafeFile.h"
#include "core/common/Utf8Path.h"
#include "core/ratelist/RateListStore.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>

namespace mirvane::claim {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Form = "mirvane-kurtarma";
constexpr int Version = 1;

std::optional<std::string> readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error)) {
        return true;
    }
    return fs::absolute(a, error).lexically_normal() == fs::absolute(b, error).lexically_normal();
}

} // namespace

std::string recoveryText(const RecoveryCopy& copy) {
    nlohmann::json json{{"bicim", Form},
                        {"surum", Version},
                        {"dosya", nullptr},
                        {"baslik", copy.title},
                        {"icerik", copy.content}};
    if (copy.file) {
        json["dosya"] = utf8path::toUtf8(*copy.file);
    }
    return json.dump(2) + "\n";
}

std::optional<RecoveryCopy> parseRecovery(std::string_view text) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (!json.is_object() || json.value("bicim", std::string()) != Form ||
        !json.contains("surum") || !json["surum"].is_number_integer() ||
        json["surum"].get<int>() != Version) {
        return std::nullopt;
    }
    const auto file = json.find("dosya");
    const auto title = json.find("baslik");
    const auto content = json.find("icerik");
    if (file == json.end() || !(file->is_null() || file->is_string()) || title == json.end() ||
        !title->is_string() || content == json.end() || !content->is_string()) {
        return std::nullopt;
    }
    RecoveryCopy copy;
    if (file->is_string()) {
        copy.file = utf8path::fromUtf8(file->get<std::string>());
    }
    copy.title = title->get<std::string>();
    copy.content = content->get<std::string>();
    return copy;
}

std::optional<fs::path> recoveryFolder() {
    const std::optional<fs::path> lists = store::perUserListFolder();
    if (!lists) {
        return std::nullopt;
    }
    return lists->parent_path() / "Kurtarma";
}

std::string offeredName(const RecoveryCopy& copy) {
    if (copy.file) {
        return utf8path::toUtf8(copy.file->filename());
    }
    return copy.title.empty() ? std::string("Adsız") : copy.title;
}

fs::path newRecoveryPath(const fs::path& folder) {
    static std::mt19937_64 numbers{std::random_device{}()};
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    for (;;) {
        const fs::path path =
            folder / ("kopya-" + std::to_string(now) + "-" +
                      std::to_string(numbers() % 1'000'000'000) + std::string(RecoveryExtension));
        std::error_code error;
        if (!fs::exists(path, error)) {
            return path;
        }
    }
}

std::vector<FoundCopy> findRecoveryCopies(const fs::path& folder) {
    std::vector<FoundCopy> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = utf8path::toUtf8(entry->path().filename());
        if (name.starts_with('.') || !name.ends_with(RecoveryExtension) ||
            !entry->is_regular_file(error)) {
            continue;
        }
        const std::optional<std::string> text = readWhole(entry->path());
        if (!text) {
            continue;
        }
        if (std::optional<RecoveryCopy> copy = parseRecovery(*text)) {
            found.push_back({entry->path(), std::move(*copy)});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const FoundCopy& a, const FoundCopy& b) { return a.path < b.path; });
    return found;
}

Status writeRecoveryCopy(const fs::path& path, const RecoveryCopy& copy) {
    if (copy.file && sameFile(path, *copy.file)) {
        return errors::make(errors::FileAlreadyExists,
                            "Kurtarma kopyası dosyanın kendi yerine yazılamaz: " +
                                utf8path::toUtf8(path));
    }
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error) {
        return safefile::errorOf(error);
    }
    return safefile::replaceFile(path, recoveryText(copy));
}

void removeRecoveryCopy(const fs::path& path) {
    std::error_code error;
    fs::remove(path, error);
}

RecoveryKeeper::RecoveryKeeper(fs::path folder) : folder_(std::move(folder)) {}

void RecoveryKeeper::changed(Clock::time_point now) {
    if (enabled() && !firstChange_) {
        firstChange_ = now;
    }
}

std::optional<RecoveryKeeper::Clock::duration> RecoveryKeeper::dueIn(Clock::time_point now) const {
    if (!firstChange_) {
        return std::nullopt;
    }
    return std::max(Clock::duration::zero(), *firstChange_ + Delay - now);
}

Status RecoveryKeeper::keep(Clock::time_point now, const RecoveryCopy& copy) {
    const std::optional<Clock::duration> wait = dueIn(now);
    if (!wait || *wait > Clock::duration::zero()) {
        return {};
    }
    if (path_.empty()) {
        path_ = newRecoveryPath(folder_);
    }
    // A copy that cannot be written is tried again after the next change.
    firstChange_.reset();
    return writeRecoveryCopy(path_, copy);
}

void RecoveryKeeper::discard() {
    firstChange_.reset();
    if (!path_.empty()) {
        removeRecoveryCopy(path_);
        path_.clear();
    }
}

void RecoveryKeeper::adopt(const fs::path& existing) {
    path_ = existing;
}

} // namespace mirvane::claim
