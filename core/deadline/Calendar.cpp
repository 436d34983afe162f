#include "core/deadline/Calendar.h"

#include "core/deadline/HolidayData.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

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

// Religious holidays, read once from the table the build carries (one row per feast:
// name, first day, last day, how well the days are supported, sources).
struct Feast {
    std::string_view name;
    Date first;
    Date last;
    bool unverified;
};

constexpr std::string_view RamazanName = "Ramazan Bayramı";
constexpr std::string_view KurbanName = "Kurban Bayramı";

constexpr std::array<std::string_view, 7> WeekdayNames{
    "Pazar", "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi"};

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> result;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t')) {
        result.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    result.push_back(line);
    return result;
}

// The table is part of the program: a row it cannot read is a build fault, caught by the
// tests, so it ends the program rather than compute deadlines without a feast.
[[noreturn]] void badTable(std::string_view line) {
    throw std::logic_error("religious-holidays.tsv: okunamayan satır: " + std::string(line));
}

std::vector<Feast> readFeasts() {
    std::vector<Feast> feasts;
    std::string_view text = data::religiousHolidays();
    bool headings = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (headings) {
            headings = false;
            continue;
        }
        const std::vector<std::string_view> cells = fields(line);
        if (cells.size() != 5) {
            badTable(line);
        }
        const std::optional<Date> first = text::parseDate(cells[1]);
        const std::optional<Date> last = text::parseDate(cells[2]);
        const std::string_view name = cells[0] == "Ramazan"  ? RamazanName
                                      : cells[0] == "Kurban" ? KurbanName
                                                             : std::string_view{};
        const int length = name == RamazanName ? 3 : 4;
        if (name.empty() || !first || !last || (*last - *first).count() + 1 != length ||
            (!feasts.empty() && *first <= feasts.back().last)) {
            badTable(line);
        }
        if (cells[3] != "iki kaynak" && cells[3] != "tek kaynak" && cells[3] != "doğrulanmadı") {
            badTable(line);
        }
        feasts.push_back({name, *first, *last, cells[3] == "doğrulanmadı"});
    }
    return feasts;
}

const std::vector<Feast>& feasts() {
    static const std::vector<Feast> table = readFeasts();
    return table;
}

const Feast* feastOn(Date date) {
    const std::vector<Feast>& table = feasts();
    const auto after = std::upper_bound(table.begin(), table.end(), date,
                                        [](Date d, const Feast& feast) { return d < feast.first; });
    if (after == table.begin()) {
        return nullptr;
    }
    const Feast& candidate = *(after - 1);
    return date <= candidate.last ? &candidate : nullptr;
}

std::optional<std::string_view> religiousHoliday(Date date) {
    if (const Feast* feast = feastOn(date)) {
        return feast->name;
    }
    return std::nullopt;
}

std::optional<std::string_view> nationalHoliday(Date date) {
    const year_month_day ymd{date};
    for (const NationalHoliday& holiday : NationalHolidays) {
        if (static_cast<unsigned>(ymd.month()) == holiday.month &&
            static_cast<unsigned>(ymd.day()) == holiday.day &&
            static_cast<int>(ymd.year()) >= holiday.firstYear) {
            return holiday.name;
        }
    }
    return std::nullopt;
}

} // namespace

bool religiousHolidaysKnown(int y) {
    return y >= FirstReligiousTableYear && y <= LastReligiousTableYear;
}

bool religiousHolidaysUnverified(int y) {
    for (const Feast& feast : feasts()) {
        const int firstYear = static_cast<int>(year_month_day{feast.first}.year());
        const int lastYear = static_cast<int>(year_month_day{feast.last}.year());
        if (feast.unverified && y >= firstYear && y <= lastYear) {
            return true;
        }
    }
    return false;
}

std::optional<ClosedDay> closedDay(Date date) {
    if (const auto name = religiousHoliday(date)) {
        return ClosedDay{std::string(*name), ClosedKind::Religious};
    }
    if (const auto name = nationalHoliday(date)) {
        return ClosedDay{std::string(*name), ClosedKind::National};
    }
    const weekday wd{date};
    if (wd == Saturday || wd == Sunday) {
        return ClosedDay{std::string(weekdayName(date)), ClosedKind::Weekend};
    }
    return std::nullopt;
}

std::optional<std::string> halfDayName(Date date) {
    const year_month_day ymd{date};
    if (static_cast<unsigned>(ymd.month()) == RepublicEveMonth &&
        static_cast<unsigned>(ymd.day()) == RepublicEveDay) {
        return std::string(RepublicEveName);
    }
    // The eve of a feast: the next day is a first day of it and this day is not.
    const Date next = date + days{1};
    const std::optional<std::string_view> tomorrow = religiousHoliday(next);
    if (tomorrow && religiousHoliday(date) != tomorrow) {
        return std::string(*tomorrow) + " arifesi";
    }
    return std::nullopt;
}

std::string_view weekdayName(Date date) {
    return WeekdayNames[weekday{date}.c_encoding()];
}

std::string dateWithWeekday(Date date) {
    return text::formatDate(date) + " " + std::string(weekdayName(date));
}

} // namespace mirvane::deadline
