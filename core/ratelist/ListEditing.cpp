#include "core/ratelist/ListEditing.h"

#include "core/ratelist/OleDate.h"
#include "core/ratelist/RateListStore.h"
#include "core/text/TextForms.h"
#include "core/text/Utf8.h"

#include <algorithm>
#include <system_error>

namespace mirvane::editing {

namespace {

using std::chrono::days;

constexpr std::u32string_view ForbiddenCharacters = U"\\/:*?\"<>|";

// Windows opens a device, not a file, for these names, whatever extension follows.
constexpr std::array<std::u32string_view, 30> ReservedNames{
    U"CON",  U"PRN",  U"AUX",  U"NUL",  U"COM0", U"COM1", U"COM2", U"COM3", U"COM4", U"COM5",
    U"COM6", U"COM7", U"COM8", U"COM9", U"COM¹", U"COM²", U"COM³", U"LPT0", U"LPT1", U"LPT2",
    U"LPT3", U"LPT4", U"LPT5", U"LPT6", U"LPT7", U"LPT8", U"LPT9", U"LPT¹", U"LPT²", U"LPT³"};

// A date the editor offers in place of a wrong one; none past the last day a list
// file can hold.
std::optional<Date> proposal(Date date) {
    if (date > Date{oledate::Latest}) {
        return std::nullopt;
    }
    return date;
}

Refusal refuse(Check check, std::string_view message, EntryField focus,
               std::optional<Date> correctedStart = {}, std::optional<Date> correctedEnd = {}) {
    return {{std::string(message), focus, correctedStart, correctedEnd}, check};
}

std::optional<Refusal> checkAgainstPrevious(Date start, Date previousEnd) {
    if (start <= previousEnd) {
        return refuse(Check::StartNotAfterPrevious, M1, EntryField::StartDate,
                      proposal(previousEnd + days{1}));
    }
    if (start - previousEnd > days{1}) {
        return refuse(Check::GapAfterPrevious, M2, EntryField::StartDate,
                      proposal(previousEnd + days{1}));
    }
    return std::nullopt;
}

std::optional<Refusal> checkDates(const Entry& entry, const Neighbours& neighbours) {
    if (!entry.start) {
        return refuse(Check::StartMissing, StartDateMissing, EntryField::StartDate);
    }
    if (neighbours.previousEnd) {
        if (auto refusal = checkAgainstPrevious(*entry.start, *neighbours.previousEnd)) {
            return refusal;
        }
    }
    if (!entry.end) {
        return refuse(Check::EndMissing, EndDateMissing, EntryField::EndDate);
    }
    if (*entry.start > *entry.end) {
        return refuse(Check::EndBeforeStart, M3, EntryField::EndDate, std::nullopt,
                      proposal(*entry.start + days{1}));
    }
    if (neighbours.nextStart && *neighbours.nextStart - *entry.end != days{1}) {
        return refuse(Check::GapBeforeNext, M2, EntryField::EndDate, std::nullopt,
                      *neighbours.nextStart - days{1});
    }
    return std::nullopt;
}

// The rate field lets through only numbers or nothing; a text that still reads as
// no number cannot be stored, so it counts as no rate at all.
std::optional<Refusal> checkRate(const std::string& rateText) {
    const std::optional<double> rate = text::parseNumber(rateText);
    if (!rate) {
        return refuse(Check::RateEmpty, M4, EntryField::Value);
    }
    if (*rate == 0.0) {
        return refuse(Check::RateZero, M5, EntryField::Value);
    }
    if (*rate < 0.0) {
        return refuse(Check::RateNegative, RateNegative, EntryField::Value);
    }
    return std::nullopt;
}

RunTimeError unreadableRow(std::size_t number, std::string_view what) {
    return errors::make(errors::TypeMismatch, "Tür uyuşmazlığı: " + std::to_string(number) +
                                                  ". dönemin " + std::string(what) + " okunamadı.");
}

char32_t asciiUpper(char32_t c) {
    return (c >= U'a' && c <= U'z') ? c - (U'a' - U'A') : c;
}

// The part of a file name Windows takes for the device name: up to the first full
// stop, without the blanks before it.
std::u32string deviceNamePart(std::u32string name) {
    name.erase(std::min(name.find(U'.'), name.size()));
    name.erase(name.find_last_not_of(U' ') + 1);
    std::transform(name.begin(), name.end(), name.begin(), asciiUpper);
    return name;
}

bool isReservedDeviceName(const std::u32string& name) {
    const std::u32string part = deviceNamePart(name);
    return std::find(ReservedNames.begin(), ReservedNames.end(), part) != ReservedNames.end();
}

bool isForbiddenCharacter(char32_t c) {
    return c < U' ' || ForbiddenCharacters.find(c) != std::u32string_view::npos;
}

} // namespace

std::optional<Refusal> checkEntry(const Entry& entry, const Neighbours& neighbours) {
    if (auto refusal = checkDates(entry, neighbours)) {
        return refusal;
    }
    return checkRate(entry.rateText);
}

std::optional<std::string_view> refuseNewPeriod(std::size_t periodCount) {
    if (periodCount >= MaxPeriods) {
        return TooManyPeriods;
    }
    return std::nullopt;
}

std::optional<std::string_view> refuseRemovingLast(std::size_t periodCount) {
    if (periodCount <= 1) {
        return M7;
    }
    return std::nullopt;
}

RowTexts entryRow(std::size_t number, Date start, Date end, std::string rateText,
                  std::string description) {
    return {std::to_string(number), text::formatDate(start), text::formatDate(end),
            std::move(rateText), std::move(description)};
}

std::optional<Date> rowDate(std::string_view cellText) {
    return text::parseDate(cellText);
}

Result<std::vector<RatePeriod>> periodsFromRows(const std::vector<RowTexts>& rows) {
    std::vector<RatePeriod> periods;
    periods.reserve(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const RowTexts& row = rows[k];
        const std::optional<Date> start = rowDate(row[1]);
        const std::optional<Date> end = rowDate(row[2]);
        const std::optional<double> rate = text::parseNumber(row[3]);
        if (!start || !end) {
            return unreadableRow(k + 1, "tarihi");
        }
        if (!rate) {
            return unreadableRow(k + 1, "oranı");
        }
        periods.push_back({*start, *end, *rate, row[4]});
    }
    return periods;
}

std::optional<NameProblem> nameProblem(std::string_view name) {
    const std::u32string characters = utf8::codePoints(name);
    if (std::any_of(characters.begin(), characters.end(), isForbiddenCharacter)) {
        return NameProblem::ForbiddenCharacter;
    }
    if (characters.starts_with(U'.')) {
        return NameProblem::LeadingFullStop;
    }
    if (characters.ends_with(U'.') || characters.ends_with(U' ')) {
        return NameProblem::TrailingFullStopOrBlank;
    }
    if (isReservedDeviceName(characters)) {
        return NameProblem::ReservedDeviceName;
    }
    return std::nullopt;
}

NameVerdict judgeName(const std::filesystem::path& listFolder, std::string_view trimmedName) {
    if (trimmedName.empty()) {
        return NameVerdict::Missing;
    }
    std::error_code error;
    const auto status =
        std::filesystem::symlink_status(store::listFilePath(listFolder, trimmedName), error);
    return std::filesystem::exists(status) ? NameVerdict::Taken : NameVerdict::Accepted;
}

} // namespace mirvane::editing
