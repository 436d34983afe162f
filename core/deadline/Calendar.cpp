#include "deadline/Calendar.h"

#include "text/TextForms.h"

#include <array>

namespace mirvane::deadline {

namespace {

using namespace std::chrono;

// National holidays (Law 2429), full days. A first year of 0 means the day is
// a holiday in every year the program computes.
struct NationalHoliday {
    unsigned month;
    unsigned day;
    int firstYear;
    std::string_view name;
};

constexpr std::array<NationalHoliday, 7> NationalHolidays{{
    {1, 1, 0, "Yılbaşı"},
    {4, 23, 0, "Ulusal Egemenlik ve Çocuk Bayramı"},
    {5, 1, 2009, "Emek ve Dayanışma Günü"},
    {5, 19, 0, "Atatürk'ü Anma, Gençlik ve Spor Bayramı"},
    {7, 15, 2017, "Demokrasi ve Millî Birlik Günü"},
    {8, 30, 0, "Zafer Bayramı"},
    {10, 29, 0, "Cumhuriyet Bayramı"},
}};

// The afternoon of 28 October is off, the morning is not.
constexpr unsigned RepublicEveMonth = 10;
constexpr unsigned RepublicEveDay = 28;
constexpr std::string_view RepublicEveName = "Cumhuriyet Bayramı arifesi";

// Religious holidays: first and last day (day.month) of Ramazan Bayramı (3 days)
// and Kurban Bayramı (4 days). The eve (arife) is the day before the first day.
// 2020-2026 agree in two or more sources; 2027-2030 rest on one source (the
// Diyanet calendar as published) and are to be checked when it is confirmed.
struct ReligiousYear {
    int year;
    const char* ramazanFirst;
    const char* ramazanLast;
    const char* kurbanFirst;
    const char* kurbanLast;
};

// clang-format off
constexpr std::array<ReligiousYear, 11> ReligiousHolidays{{
    // year   Ramazan Bayramı      Kurban Bayramı
    {2020,   "24.05", "26.05",    "31.07", "03.08"},
    {2021,   "13.05", "15.05",    "20.07", "23.07"},
    {2022,   "02.05", "04.05",    "09.07", "12.07"},
    {2023,   "21.04", "23.04",    "28.06", "01.07"},
    {2024,   "10.04", "12.04",    "16.06", "19.06"},
    {2025,   "30.03", "01.04",    "06.06", "09.06"},
    {2026,   "20.03", "22.03",    "27.05", "30.05"},
    {2027,   "09.03", "11.03",    "16.05", "19.05"},
    {2028,   "26.02", "28.02",    "05.05", "08.05"},
    {2029,   "14.02", "16.02",    "24.04", "27.04"},
    {2030,   "04.02", "06.02",    "13.04", "16.04"},
}};
// clang-format on

static_assert(ReligiousHolidays.front().year == FirstReligiousTableYear);
static_assert(ReligiousHolidays.back().year == LastReligiousTableYear);

constexpr std::string_view RamazanName = "Ramazan Bayramı";
constexpr std::string_view KurbanName = "Kurban Bayramı";

constexpr std::array<std::string_view, 7> WeekdayNames{
    "Pazar", "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi"};

constexpr int digit(char c) {
    return c - '0';
}

// "dd.MM" of the table in the given year.
constexpr Date tableDay(int y, const char* dayMonth) {
    const unsigned d = static_cast<unsigned>(digit(dayMonth[0]) * 10 + digit(dayMonth[1]));
    const unsigned m = static_cast<unsigned>(digit(dayMonth[3]) * 10 + digit(dayMonth[4]));
    return year{y} / month{m} / day{d};
}

const ReligiousYear* religiousYear(int y) {
    if (!religiousHolidaysKnown(y))
        return nullptr;
    return &ReligiousHolidays[static_cast<std::size_t>(y - FirstReligiousTableYear)];
}

std::optional<std::string_view> religiousHoliday(Date date) {
    const ReligiousYear* row = religiousYear(static_cast<int>(year_month_day{date}.year()));
    if (!row)
        return std::nullopt;
    if (date >= tableDay(row->year, row->ramazanFirst) &&
        date <= tableDay(row->year, row->ramazanLast))
        return RamazanName;
    if (date >= tableDay(row->year, row->kurbanFirst) &&
        date <= tableDay(row->year, row->kurbanLast))
        return KurbanName;
    return std::nullopt;
}

std::optional<std::string_view> nationalHoliday(Date date) {
    const year_month_day ymd{date};
    for (const NationalHoliday& holiday : NationalHolidays) {
        if (static_cast<unsigned>(ymd.month()) == holiday.month &&
            static_cast<unsigned>(ymd.day()) == holiday.day &&
            static_cast<int>(ymd.year()) >= holiday.firstYear)
            return holiday.name;
    }
    return std::nullopt;
}

} // namespace

bool religiousHolidaysKnown(int y) {
    return y >= FirstReligiousTableYear && y <= LastReligiousTableYear;
}

std::optional<ClosedDay> closedDay(Date date) {
    if (const auto name = religiousHoliday(date))
        return ClosedDay{std::string(*name), ClosedKind::Religious};
    if (const auto name = nationalHoliday(date))
        return ClosedDay{std::string(*name), ClosedKind::National};
    const weekday wd{date};
    if (wd == Saturday || wd == Sunday)
        return ClosedDay{std::string(weekdayName(date)), ClosedKind::Weekend};
    return std::nullopt;
}

std::optional<std::string> halfDayName(Date date) {
    const year_month_day ymd{date};
    if (static_cast<unsigned>(ymd.month()) == RepublicEveMonth &&
        static_cast<unsigned>(ymd.day()) == RepublicEveDay)
        return std::string(RepublicEveName);
    // The eve of a feast: the next day is a first day of it and this day is not.
    const Date next = date + days{1};
    const std::optional<std::string_view> tomorrow = religiousHoliday(next);
    if (tomorrow && religiousHoliday(date) != tomorrow)
        return std::string(*tomorrow) + " arifesi";
    return std::nullopt;
}

std::string_view weekdayName(Date date) {
    return WeekdayNames[weekday{date}.c_encoding()];
}

std::string dateWithWeekday(Date date) {
    return text::formatDate(date) + " " + std::string(weekdayName(date));
}

} // namespace mirvane::deadline
