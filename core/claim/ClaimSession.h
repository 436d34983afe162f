#pragma once

// One claim file being edited, below its window: the file and where it is saved, whether
// it holds unsaved changes, what stops its calculation, the result, the rows deleted for
// "Geri Al", its recovery copy and the check of its lists against the list folder. The
// window shows what the session holds and hands each edit to it.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"
#include "core/claim/Recovery.h"
#include "core/claim/RefusalWords.h"
#include "core/ratelist/FolderState.h"
#include "core/rates/ListSource.h"
#include "core/settings/SettingsStore.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mirvane::claim {

// Which lists a file carries a copy of that differs from the list of the same name in the
// list folder. A list is read again only when the folder changed since it was last read
// (a list file added, removed or written), so that an edit reads no file.
class FolderComparison {
public:
    std::vector<std::string> differing(const store::ListSource& source, const ClaimFile& file);
    // How many list files were read so far.
    std::size_t reads() const { return reads_; }

private:
    std::optional<store::ListSource> source_;
    std::vector<store::ListFileState> state_;
    // The folder's list of each name asked about; nullopt when it could not be read.
    std::map<std::string, std::optional<std::vector<RatePeriod>>, std::less<>> lists_;
    std::size_t reads_ = 0;
};

// Where the window shows a problem: under the header, the items or the payments, and
// the row of that list drawn as wrong, if any.
struct ProblemPlace {
    enum class Section { File, Items, Payments };
    Section section = Section::File;
    std::optional<std::size_t> row;

    friend bool operator==(const ProblemPlace&, const ProblemPlace&) = default;
};
ProblemPlace problemPlace(const RefusalPlace& place);

class ClaimSession {
public:
    using Clock = RecoveryKeeper::Clock;

    // A row deleted, kept for "Geri Al".
    struct Deleted {
        bool isItem = true;
        std::size_t index = 0;
        Item item;
        Payment payment;
    };

    // `recoveryFolder`: where the copies of unsaved changes go (none when empty);
    // `settings`: where the recent files are kept (none when nullptr).
    explicit ClaimSession(std::filesystem::path recoveryFolder = {},
                          settings::SettingsStore* settings = nullptr);

    const ClaimFile& file() const { return file_; }
    // For an edit in place, which changed() then reports.
    ClaimFile& file() { return file_; }
    const std::optional<std::filesystem::path>& path() const { return path_; }
    bool modified() const { return modified_; }

    // A new file, or one just read from `path`: unmodified, nothing of the file before it
    // (a field error, a row just added, deleted rows) stays. A file read from a path
    // becomes the first of the recent files.
    void open(ClaimFile file, std::optional<std::filesystem::path> path);
    // A file recovered from a copy an earlier run left: modified, bound to its path, the
    // copy taken over.
    void recover(ClaimFile file, const FoundCopy& found);

    // An input changed at `now`: the file is modified, and its recovery copy becomes due.
    void changed(Clock::time_point now);
    // Computes the file again. True when the figures differ from those before, so that
    // the tables must be filled again; an edit of a description or the title leaves them.
    bool recompute();
    const std::optional<ClaimResult>& result() const { return result_; }

    // The first field whose text is no value at all (an amount with three decimals, a
    // missing date): while one is set, the file is not computed and it is the problem.
    void setFieldError(std::optional<WordedRefusal> error) { fieldError_ = std::move(error); }
    const std::optional<WordedRefusal>& fieldError() const { return fieldError_; }
    // What stops the calculation, in words, with where it belongs.
    const std::optional<WordedRefusal>& problem() const { return problem_; }
    // The problem as the window shows it: what the row just added still lacks is no
    // problem until the user leaves that row.
    std::optional<WordedRefusal> shownProblem() const;
    // The item or payment just added and not yet left.
    void setFreshRow(std::optional<RefusalPlace> row) { freshRow_ = std::move(row); }
    const std::optional<RefusalPlace>& freshRow() const { return freshRow_; }

    // What the header's fields hold as typed; an empty date field is nullopt.
    struct HeaderFields {
        std::string title;
        std::optional<Date> calculationDate;
        bool filed = false;
        std::optional<Date> filingDate;
        int dayBasis = 365;
    };
    // What the fields of an item hold as typed.
    struct ItemFields {
        std::string description;
        std::string amount;
        // The interest start of a principal item, the date of the others.
        std::optional<Date> date;
        bool fixedRate = false;
        std::string fixedPercent;
        std::string listName;
    };
    // What the fields of a payment hold as typed.
    struct PaymentFields {
        std::string description;
        std::string amount;
        std::optional<Date> date;
    };

    // The edits of the window's fields. Each takes what it can into the file and keeps the
    // first field whose text is no value as the field error (or none).
    void editHeader(const HeaderFields& fields);
    void editItem(std::size_t row, const ItemFields& fields);
    void editPayment(std::size_t row, const PaymentFields& fields);
    // The one date field holds the interest start of a principal item and the date of the
    // others: it moves with the kind.
    void setItemKind(std::size_t row, ItemKind kind);
    // A new principal item from the calculation date, with the rate of the principal item
    // before it, else the list `firstList` (a fixed rate when it is empty); it is the row
    // just added. Returns its row.
    std::size_t addItem(const std::string& firstList);
    // A new payment on the calculation date, the row just added. Returns its row.
    std::size_t addPayment();
    // Moves the bucket at `index` of the set-off order by `step` places; false (and
    // nothing changed) when it would leave the order.
    bool moveBucket(std::size_t index, int step);
    // The set-off order as the law sets it; false when it was that already.
    bool useDefaultSetOffOrder();
    // A file that names a list without carrying it takes the copy of `source`.
    void copyMissingLists(const store::ListSource& source);

    // Removes an item or a payment, kept for undo; false when there is no such row.
    bool deleteItem(std::size_t index);
    bool deletePayment(std::size_t index);
    // Puts the last deleted row back where it stood (or last, if the rows before it have
    // gone since) and says which it was and where it now stands; nullopt when none is kept.
    std::optional<Deleted> undo();
    const std::vector<Deleted>& deleted() const { return deleted_; }
    // The caption of "Geri Al": what it would bring back ("&Geri Al: 3. kalemin
    // silinmesi"), or "&Geri Al" alone while nothing is kept.
    std::string undoCaption() const;

    // Writes the file to `path` without the copies of lists no item uses; saved, it is
    // unmodified, its recovery copy goes and it is the first of the recent files.
    Status save(const std::filesystem::path& path);
    // The changes were thrown away (the window closed without saving): the copy goes.
    void discardChanges();
    // Writes the recovery copy when it is due.
    Status keepRecoveryCopy(Clock::time_point now);
    const RecoveryKeeper& recovery() const { return recovery_; }

    // A new window's file, never saved nor changed and without rows: a file opened
    // from it takes its place instead of a window of its own.
    bool untouched() const;
    // The rate lists an item may use, in name order, each once: those of `source` (none
    // when it cannot be read), the file's own copies and the program's ready lists.
    std::vector<std::string> rateChoices(const store::ListSource& source) const;

    // The claim files opened or saved last, newest first.
    std::vector<std::filesystem::path> recentFiles() const;

    // The lists the items use whose copy in the file differs from the folder's.
    std::vector<std::string> listsDifferingFromFolder(const store::ListSource& source);
    // Takes the folder's list in place of each copy that differs from it.
    void takeFolderLists(const store::ListSource& source);

private:
    void reset(ClaimFile file, std::optional<std::filesystem::path> path);
    void rememberRecent(const std::filesystem::path& path);

    settings::SettingsStore* settings_ = nullptr;
    ClaimFile file_;
    std::optional<std::filesystem::path> path_;
    bool modified_ = false;
    std::optional<ClaimResult> result_;
    std::optional<WordedRefusal> fieldError_;
    std::optional<WordedRefusal> problem_;
    std::optional<RefusalPlace> freshRow_;
    std::vector<Deleted> deleted_;
    RecoveryKeeper recovery_;
    FolderComparison folder_;
};

} // namespace mirvane::claim
