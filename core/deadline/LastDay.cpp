#include "core/deadline/LastDay.h"

#include "core/text/TextForms.h"

#include <array>

namespace mirvane::deadline {

namespace {

using namespace std::chrono;

// The judicial recess of each year, as each procedure's law set it.
//  Civil: 20 July – 5 September (HUMK 176); 1 August – 5 September from 2005 (Law 5219),
//  kept by HMK 102 as first enacted; 20 July – 31 August since 2013 (Law 6494, HMK 102).
//  Criminal: 20 July – 5 September (CMK 331 as first enacted); 20 July – 31 August since
//  2013 (Law 6460). A period ending in it is extended from its end: one week in civil
//  matters (HUMK 179, HMK 104), three days in criminal ones (CMK 331/4).
struct RecessBounds {
    int firstYear;
    month_day first;
    month_day last;
};

constexpr std::array<RecessBounds, 3> CivilRecess{{
    {0, July / 20, September / 5},
    {2005, August / 1, September / 5},
    {2013, July / 20, August / 31},
}};
constexpr std::array<RecessBounds, 2> CriminalRecess{{
    {0, July / 20, September / 5},
    {2013, July / 20, August / 31},
}};
constexpr int CurrentRecessFirstYear = 2013;
// The other reading of HMK 104, counting the week from 1 September.
constexpr month_day RecessExtendedToOtherReading{September / 8};
// HMK took over from HUMK on 01.10.2011, after that year's recess.
constexpr int FirstHmkRecessYear = 2012;
// A last day up to this date may have been in a recess before 2013.
constexpr month_day OldRecessReach{September / 30};

template <std::size_t N>
const RecessBounds& boundsIn(const std::array<RecessBounds, N>& rules, int y) {
    const RecessBounds* found = &rules.front();
    for (const RecessBounds& rule : rules) {
        if (y >= rule.firstYear) {
            found = &rule;
        }
    }
    return *found;
}

const RecessBounds& recessOf(Procedure procedure, int y) {
    return procedure == Procedure::Cmk ? boundsIn(CriminalRecess, y) : boundsIn(CivilRecess, y);
}

int yearOf(Date date) {
    return static_cast<int>(year_month_day{date}.year());
}

bool inRecess(Date date, Procedure procedure) {
    const year_month_day ymd{date};
    const month_day md{ymd.month(), ymd.day()};
    const RecessBounds& bounds = recessOf(procedure, yearOf(date));
    return md >= bounds.first && md <= bounds.last;
}

Date recessEnd(Date date, Procedure procedure) {
    return year_month_day{date}.year() / recessOf(procedure, yearOf(date)).last;
}

// Where a period ending in the recess now ends, and the article that moves it there.
Step recessStep(Date date, Procedure procedure) {
    const Date end = recessEnd(date, procedure);
    if (procedure == Procedure::Cmk) {
        const Date extended = end + days{3};
        return {extended, "adli tatil (CMK 331/4): " + text::formatDate(extended), true};
    }
    const Date extended = end + days{7};
    const std::string_view article = yearOf(date) < FirstHmkRecessYear ? "HUMK 179" : "HMK 104";
    return {extended, "adli tatil (" + std::string(article) + "): " + text::formatDate(extended),
            true};
}

Date inYear(const month_day& md, Date date) {
    return year_month_day{date}.year() / md;
}

// Closed days in a row count as one step when they are one holiday, or a weekend.
bool sameBreak(const ClosedDay& a, const ClosedDay& b) {
    if (a.kind == ClosedKind::Weekend && b.kind == ClosedKind::Weekend) {
        return true;
    }
    return a.kind == b.kind && a.name == b.name;
}

// The first day after the break of closed days starting at `date`. The last date
// the program computes, 31.12.9999, is a Friday, so every break ends by then.
Date afterBreak(Date date, const ClosedDay& first) {
    Date next = date + days{1};
    for (std::optional<ClosedDay> closed = closedDay(next); closed && sameBreak(first, *closed);
         closed = closedDay(next)) {
        next += days{1};
    }
    return next;
}

// Moves the last day forward until it is a working day outside the recess (the
// recess only when `recess` holds), recording each move.
LastDay moveForward(Date found, Procedure procedure, bool recess) {
    LastDay result{found, {}, {}};
    Date date = found;
    for (;;) {
        if (recess && inRecess(date, procedure)) {
            result.steps.push_back(recessStep(date, procedure));
            date = result.steps.back().reached;
            continue;
        }
        const std::optional<ClosedDay> closed = closedDay(date);
        if (!closed) {
            break;
        }
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
    const Date other =
        moveForward(inYear(RecessExtendedToOtherReading, extendedTo), Procedure::Hmk, false).date;
    if (other == lastDay) {
        return notice + "; bu okuma da aynı son günü verir.";
    }
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

std::string dayMonth(const month_day& md) {
    const std::string text = text::formatDate(year{2000} / md);
    return text.substr(0, 5);
}

std::string oldRecessNotice(Date found, Procedure procedure) {
    const int y = yearOf(found);
    const RecessBounds& bounds = recessOf(procedure, y);
    std::string notice = "2013'ten önce adli tatil bugünkünden farklıydı: " + std::to_string(y) +
                         " yılının sınırları (" + dayMonth(bounds.first) + "–" +
                         dayMonth(bounds.last) + ") uygulandı";
    if (procedure != Procedure::Cmk && y >= FirstHmkRecessYear) {
        notice += "; 2012'de HMK 102'yi değiştiren KHK 650 Anayasa Mahkemesince iptal edilmişti";
    }
    return notice + ", o yılın kuralını ayrıca doğrulayın.";
}

bool mayHaveBeenInOldRecess(Date found, Procedure procedure) {
    const year_month_day ymd{found};
    const month_day md{ymd.month(), ymd.day()};
    return yearOf(found) < CurrentRecessFirstYear &&
           md >= recessOf(procedure, yearOf(found)).first && md <= OldRecessReach;
}

std::string unverifiedYearNotice(int y) {
    return std::to_string(y) +
           " yılının dinî bayram günleri programın tablosunda yayımlanmış bir kaynakla henüz "
           "karşılaştırılmadı: son günü ayrıca doğrulayın.";
}

void addNotices(LastDay& result, Date found, Procedure procedure, bool recess) {
    for (const Step& step : result.steps) {
        // The other reading concerns the week of HMK 104 counted from 31 August.
        if (step.recess && procedure == Procedure::Hmk &&
            yearOf(step.reached) >= CurrentRecessFirstYear) {
            result.notices.push_back(otherReadingNotice(step.reached, result.date));
            break;
        }
    }
    if (recess && mayHaveBeenInOldRecess(found, procedure)) {
        result.notices.push_back(oldRecessNotice(found, procedure));
    }
    if (const std::optional<std::string> halfDay = halfDayName(result.date)) {
        result.notices.push_back(halfDayNotice(result.date, *halfDay));
    }
    const int firstYear = static_cast<int>(year_month_day{found}.year());
    const int lastYear = static_cast<int>(year_month_day{result.date}.year());
    for (int y = firstYear; y <= lastYear; ++y) {
        if (!religiousHolidaysKnown(y)) {
            result.notices.push_back(unknownYearNotice(y));
        } else if (religiousHolidaysUnverified(y)) {
            result.notices.push_back(unverifiedYearNotice(y));
        }
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
    case Procedure::Cmk:
        return "CMK";
    }
    return "Takvim";
}

std::optional<Procedure> parseProcedure(std::string_view text) {
    if (text == "İİK") {
        return Procedure::Iik;
    }
    std::string lower;
    for (const char c : text) {
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (lower == "takvim") {
        return Procedure::Takvim;
    }
    if (lower == "hmk") {
        return Procedure::Hmk;
    }
    if (lower == "iik") {
        return Procedure::Iik;
    }
    if (lower == "cmk") {
        return Procedure::Cmk;
    }
    return std::nullopt;
}

LastDay lastDay(Date found, Procedure procedure, bool urgent) {
    if (procedure == Procedure::Takvim) {
        return LastDay{found, {}, {}};
    }
    const bool recess = (procedure == Procedure::Hmk || procedure == Procedure::Cmk) && !urgent;
    LastDay result = moveForward(found, procedure, recess);
    addNotices(result, found, procedure, recess);
    return result;
}

std::string stepLine(const Step& step) {
    if (step.recess) {
        return step.reason + " " + std::string(weekdayName(step.reached));
    }
    return step.reason + " → " + dateWithWeekday(step.reached);
}

} // namespace mirvane::deadline
