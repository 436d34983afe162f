#pragma once

// Recovery copies: while a claim file has changes that are not saved, a copy of the
// whole file is kept in the user's data folder, so that a crash or a power cut loses
// at most the last few seconds. The copy says which file it belongs to; the next start
// offers it, and it goes once the file is saved, its changes are thrown away or the
// offer is declined. A copy is never written over the claim file itself.

#include "core/common/Errors.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::claim {

struct RecoveryCopy {
    // The claim file the changes belong to; nullopt for a file never saved.
    std::optional<std::filesystem::path> file;
    // The claim's title, the name a file never saved is offered under.
    std::string title;
    // The claim file's whole JSON text, as it would be saved.
    std::string content;

    friend bool operator==(const RecoveryCopy&, const RecoveryCopy&) = default;
};

// The ending of a copy's file name.
inline constexpr std::string_view RecoveryExtension = ".kurtarma";

// The text of a copy (JSON), and the copy such a text holds; nullopt for any other text.
std::string recoveryText(const RecoveryCopy& copy);
std::optional<RecoveryCopy> parseRecovery(std::string_view text);

// "Kurtarma" in the user's data folder, beside the per-user list folder; nullopt when
// the system names no such folder.
std::optional<std::filesystem::path> recoveryFolder();

// The name the offer calls the file by: its file name, or the title of a file never
// saved ("Adsız" when it has none).
std::string offeredName(const RecoveryCopy& copy);

// A path for a new copy in `folder` that no other copy has, of this run or another.
std::filesystem::path newRecoveryPath(const std::filesystem::path& folder);

struct FoundCopy {
    std::filesystem::path path;
    RecoveryCopy copy;
};

// The copies in `folder`, in the order of their names; files that are no copy are left
// alone. A folder that does not exist holds none.
std::vector<FoundCopy> findRecoveryCopies(const std::filesystem::path& folder);

// Writes the copy safely, creating its folder when needed. Refused when `path` is the
// claim file the copy belongs to.
Status writeRecoveryCopy(const std::filesystem::path& path, const RecoveryCopy& copy);

// Removes a copy; one that is already gone is no failure.
void removeRecoveryCopy(const std::filesystem::path& path);

// When one file's copy is written and removed. A change makes a copy due `Delay` after
// the first change since the last copy, so that typing writes at most one copy every
// few seconds and no change waits longer than that.
class RecoveryKeeper {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration Delay = std::chrono::seconds(2);

    // An empty folder keeps no copies at all.
    explicit RecoveryKeeper(std::filesystem::path folder = {});
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    bool enabled() const { return !folder_.empty(); }
    // The file changed at `now` and is not saved.
    void changed(Clock::time_point now);
    // How long until the copy is due (zero when it is due now); nullopt when no copy
    // waits to be written.
    std::optional<Clock::duration> dueIn(Clock::time_point now) const;
    // Writes the copy when it is due; a copy not yet due is no failure.
    Status keep(Clock::time_point now, const RecoveryCopy& copy);
    // The file was saved or its changes were thrown away: the copy goes.
    void discard();
    // Takes over a copy left by an earlier run (a file recovered from it): the next copy
    // replaces it, and it goes as this keeper's own.
    void adopt(const std::filesystem::path& existing);
    // The copy's path; empty while none was written or taken over.
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
    std::optional<Clock::time_point> firstChange_;
};

} // namespace mirvane::claim
