#pragma once

// The rules of the rate list editor that need no window: the checks a period must
// pass before it joins a list, the rules for the name of a new list, and the way
// the editor's rows turn back into periods.

#include "core/common/EntryRefusal.h"
#include "core/common/Errors.h"
#include "core/ratelist/RateList.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::editing {

// The refusals and questions of the editor windows, word for word.
inline constexpr std::string_view M1 =
    "\"Başlangıç Tarihi\", önceki dönemin \"Bitiş Tarihi\"nden küçük ya da ona eşit olamaz.";
inline constexpr std::string_view M2 = "İki dönem arasında sadece (1) gün fark olmalı!";
inline constexpr std::string_view M3 =
    "\"Başlangıç Tarihi\" ile \"Bitiş Tarihi\" arasında en az (1) gün bulunmalı!";
inline constexpr std::string_view M4 = "\"Faiz Oranı\" boş bırakılamaz!";
inline constexpr std::string_view M5 = "\"Faiz Oranı\" SIFIR olamaz!";
// The last line names each refused character once, with nothing else between them.
inline constexpr std::string_view M6 = "Liste adında aşağıdaki karakterleri kullanamazsınız!\r\n"
                                       "\r\n"
                                       "\\ / : * ? \" < > |";
inline constexpr std::string_view M7 = "Listede en az (1) dönemin kalması gerekiyor!";
inline constexpr std::string_view M8 = "Son dönemi silmek istediğinizden emin misiniz?";

// A date picker left without a date (the new-list window empties both after each
// period) must not let a period in without its date.
inline constexpr std::string_view StartDateMissing = "\"Başlangıç Tarihi\" boş bırakılamaz!";
inline constexpr std::string_view EndDateMissing = "\"Bitiş Tarihi\" boş bırakılamaz!";

// A rate below zero would turn interest into a debt of the creditor.
inline constexpr std::string_view RateNegative = "\"Faiz Oranı\" SIFIR'dan küçük olamaz!";

// The file counts its periods in one byte.
inline constexpr std::string_view TooManyPeriods = "Listede en fazla (255) dönem bulunabilir!";

// The list name dialog.
inline constexpr std::string_view NameMissing = "Bir liste adı girmelisiniz!";
inline constexpr std::string_view NameTaken = "Bu adla kaydettiğiniz başka bir liste var!\r\n"
                                              "Lütfen farklı bir liste adı giriniz.";

// ---- Entry checks --------------------------------------------------------------

// The period being entered: the two date pickers (nullopt when a picker holds no
// date) and the text of the rate field.
struct Entry {
    std::optional<Date> start;
    std::optional<Date> end;
    std::string rateText;
};

// What the entry must join: the end of the period before it and the start of the
// period after it, where there is one.
struct Neighbours {
    std::optional<Date> previousEnd;
    std::optional<Date> nextStart;
};

enum class Check {
    StartMissing,
    StartNotAfterPrevious, // M1
    GapAfterPrevious,      // M2
    EndMissing,
    EndBeforeStart, // M3
    GapBeforeNext,  // M2
    RateEmpty,      // M4
    RateZero,       // M5
    RateNegative,
};

// The first failing check besides its message, the dates it puts right and where the
// focus goes (Value is the rate).
struct Refusal : EntryRefusal {
    Check check = Check::StartNotAfterPrevious;
};

// Runs the checks in their order and stops at the first that fails; nullopt when
// the entry may join the list.
std::optional<Refusal> checkEntry(const Entry& entry, const Neighbours& neighbours);

// Whether a list of `periodCount` periods can take one more; the refusal text otherwise.
std::optional<std::string_view> refuseNewPeriod(std::size_t periodCount);

// Whether the last period may be removed: M7 when it is the only one (or there is
// none); nullopt when removing it needs only the M8 confirmation.
std::optional<std::string_view> refuseRemovingLast(std::size_t periodCount);

// ---- Rows ----------------------------------------------------------------------

// The five cell texts of a row: period number, start, end, rate, description.
using RowTexts = std::array<std::string, 5>;

// The row of an entry that passed the checks: the rate and description as typed.
RowTexts entryRow(std::size_t number, Date start, Date end, std::string rateText,
                  std::string description);

// The date a row shows, read back from its text.
std::optional<Date> rowDate(std::string_view cellText);

// The periods the rows stand for, read back from their texts (dates dd.MM.yyyy,
// rates with the decimal comma). A row that does not read back fails, naming it.
Result<std::vector<RatePeriod>> periodsFromRows(const std::vector<RowTexts>& rows);

// ---- List names ----------------------------------------------------------------

// Why a name cannot become a list file that every system lists again.
enum class NameProblem {
    ForbiddenCharacter,      // one of \ / : * ? " < > | or a control character
    LeadingFullStop,         // a hidden file, which the list folder does not show
    TrailingFullStopOrBlank, // Windows drops them from a file name
    ReservedDeviceName,      // CON, PRN, AUX, NUL, COM0-9, LPT0-9, also before an extension
};

// nullopt for a name that makes a good file name; every problem is refused with M6.
std::optional<NameProblem> nameProblem(std::string_view name);

// What the name dialog makes of a trimmed name.
enum class NameVerdict { Missing, Taken, Accepted };

// Missing for an empty name, Taken when a file already stands at its list path.
NameVerdict judgeName(const std::filesystem::path& listFolder, std::string_view trimmedName);

} // namespace mirvane::editing
