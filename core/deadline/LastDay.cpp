#include "deadline/LastDay.h"

#include "text/TextForms.h"

namespace mirvane::deadline {

namespace {

using namespace std::chrono;

// The judicial recess of civil procedure (HMK 102, these bounds since 2013) and
// the day a period ending inside it is extended to (HMK 104: one week after its end).
constexpr month_day RecessFirst{July / 20};
constexpr month_day RecessLast{August / 31};
constexpr month_day RecessExtendedTo{September / 7};
// The other reading of HMK 104, counting the week from 1 September.
constexpr month_day RecessExtendedToOtherReading{September / 8};
constexpr int CurrentRecessFirstYear = 2013;
// Before 2013 the recess ended later; a last day up to this date may have been in it.
constexpr month_day OldRecessReach{September / 30};

bool inRecess(Date date) {
    const year_month_day ymd{date};
    const month_day md{ymd.month(), ymd.day()};
    return md >= RecessFirst && md <= RecessLast;
}

Date inYear(const month_day& md, Date date) {
    return year_month_day{date}.year() / md;
}

// Closed days in a row count as one step when they are one holiday, or a weekend.
bool sameBreak(const ClosedDay& a, const ClosedDay& b) {
    if (a.kind == ClosedKind::Weekend && b.kind == ClosedKind::Weekend)
        return true;
    return a.kind == b.kind && a.name == b.name;
}

// The first day after the break of closed days starting at `date`. The last date
// the program computes, 31.12.9999, is a Friday, so every break ends by then.
Date afterBreak(Date date, const ClosedDay& first) {
    Date next = date + days{1};
    for (std::optional<ClosedDay> closed = closedDay(next); closed && sameBreak(first, *closed);
         closed = closedDay(next))
        next += days{1};
    return next;
}

// Moves the last day forward until it is a working day outside the recess (the
// recess only when `recess` holds), recording each move.
LastDay moveForward(Date found, bool recess) {
    LastDay result{found, {}, {}};
    Date date = found;
    for (;;) {
        if (recess && inRecess(date)) {
            date = inYear(RecessExtendedTo, date);
            result.steps.push_back({date, "adli tatil (HMK 104): " + text::formatDate(date), true});
            continue;
        }
        const std::optional<ClosedDay> closed = closedDay(date);
        if (!closed)
            break;
        const Date next = afterBreak(date, *closed);
        result.steps.push_back({next, text::formatDate(date) + " " + closed->name});
        date = next;
    }
    result.date = date;
    return result;
}

std::string otherReadingNotice(Date extendedTo, Date lastDay) {
    const std::string notice =
        "Bir Hukuk Genel Kurulu kararı (2017/20-2873 E.) HMK 104'teki haftayı 1 Eylül'den sayar";
    const Date other = moveForward(inYear(RecessExtendedToOtherReading, extendedTo), false).date;
    if (other == lastDay)
        return notice + "; bu okuma da aynı son günü verir.";
    return notice + ": bu okumayla son gün " + dateWithWeekday(other) +
           " olur. Program 7 Eylül'ü esas alır (15. HD 2018/2122 E. 2018/1173 K.).";
}

std::string halfDayNotice(Date date, const std::string& name) {
    return text::formatDate(date) + " " + name +
           ": resmî daireler saat 13.00'te kapanır, ancak yarım gün süreyi uzatmaz; UYAP "
           "üzerinden elektronik başvuru 23.59'a kadar yapılabilir.";
}

std::string unknownYearNotice(int y) {
    return std::to_string(y) + " yılının dinî bayramları programda yok (bilinen yıllar " +
           std::to_string(FirstReligiousTableYear) + "–" + std::to_string(LastReligiousTableYear) +
           "): Ramazan ve Kurban Bayramı günleri hesaba katılmadı, son günü ayrıca doğrulayın.";
}

constexpr std::string_view OldRecessNotice =
    "2013'ten önceki adli tatil sınırları programda yok: bugünkü 20 Temmuz–31 Ağustos dönemi "
    "uygulandı, o yılın kuralını ayrıca doğrulayın.";

bool mayHaveBeenInOldRecess(Date found) {
    const year_month_day ymd{found};
    const month_day md{ymd.month(), ymd.day()};
    return static_cast<int>(ymd.year()) < CurrentRecessFirstYear && md >= RecessFirst &&
           md <= OldRecessReach;
}

void addNotices(LastDay& result, Date found, bool recess) {
    for (const Step& step : result.steps) {
        if (step.recess) {
            result.notices.push_back(otherReadingNotice(step.reached, result.date));
            break;
        }
    }
    if (recess && mayHaveBeenInOldRecess(found))
        result.notices.emplace_back(OldRecessNotice);
    if (const std::optional<std::string> halfDay = halfDayName(result.date))
        result.notices.push_back(halfDayNotice(result.date, *halfDay));
    const int firstYear = static_cast<int>(year_month_day{found}.year());
    const int lastYear = static_cast<int>(year_month_day{result.date}.year());
    for (int y = firstYear; y <= lastYear; ++y) {
        if (!religiousHolidaysKnown(y))
            result.notices.push_back(unknownYearNotice(y));
    }
}

} // namespace

std::string_view procedureName(Procedure procedure) {
    switch (procedure) {
    case Procedure::Takvim:
        return "Takvim";
    case Procedure::Hmk:
        return "HMK";
    case Procedure::Iik:
        return "İİK";
    }
    return "Takvim";
}

std::optional<Procedure> parseProcedure(std::string_view text) {
    if (text == "İİK")
        return Procedure::Iik;
    std::string lower;
    for (const char c : text)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower == "takvim")
        return Procedure::Takvim;
    if (lower == "hmk")
        return Procedure::Hmk;
    if (lower == "iik")
        return Procedure::Iik;
    return std::nullopt;
}

LastDay lastDay(Date found, Procedure procedure, bool urgent) {
    if (procedure == Procedure::Takvim)
        return LastDay{found, {}, {}};
    const bool recess = procedure == Procedure::Hmk && !urgent;
    LastDay result = moveForward(found, recess);
    addNotices(result, found, recess);
    return result;
}

std::string stepLine(const Step& step) {
    if (step.recess)
        return step.reason + " " + std::string(weekdayName(step.reached));
    return step.reason + " → " + dateWithWeekday(step.reached);
}

} // namespace mirvane::deadline
