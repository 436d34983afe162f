#include "ratelist/DefaultLists.h"

#include <array>
#include <string_view>

namespace mirvane::defaults {

namespace {

constexpr Date on(int year, unsigned month, unsigned day) {
    return std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day};
}

struct StatutoryRow {
    Date start;
    Date end;
    double rate;
    std::string_view description;
};

// Statutory interest on ordinary claims.
constexpr std::array<StatutoryRow, 12> Statutory{{
    {on(1972, 10, 1), on(1984, 12, 19), 5, "1303 tarihli Murabaha Nizamnamesi"},
    {on(1984, 12, 20), on(1997, 12, 31), 30, "19.12.1984 tarih ve 3095 sayılı Kanun"},
    {on(1998, 1, 1), on(1999, 12, 31), 50,
     "08.08.1997 tarih ve 97/9807 sayılı Bakanlar Kurulu Kararı"},
    {on(2000, 1, 1), on(2002, 6, 30), 60, "15.12.1999 tarih ve 4489 sayılı Kanun"},
    {on(2002, 7, 1), on(2003, 6, 30), 55, ""},
    {on(2003, 7, 1), on(2003, 12, 31), 50, ""},
    {on(2004, 1, 1), on(2004, 6, 30), 43, ""},
    {on(2004, 7, 1), on(2005, 4, 30), 38, ""},
    {on(2005, 5, 1), on(2005, 12, 31), 12, ""},
    {on(2006, 1, 1), on(2006, 12, 31), 9, ""},
    {on(2007, 1, 1), on(2018, 6, 30), 9, ""},
    {on(2018, 7, 1), on(2020, 12, 30), 9, ""},
}};

struct CommercialRow {
    Date start;
    Date end;
    double advance;  // "Reeskont-Avans"
    double discount; // "Reeskont-İskonto"
};

// The central bank's advance and discount rates, which share their periods.
constexpr std::array<CommercialRow, 36> Commercial{{
    {on(1990, 1, 1), on(1990, 9, 19), 45, 40},
    {on(1990, 9, 20), on(1990, 11, 22), 48.25, 43},
    {on(1990, 11, 23), on(1991, 2, 14), 50.75, 45},
    {on(1991, 2, 15), on(1994, 1, 26), 54.5, 48},
    {on(1994, 1, 27), on(1994, 4, 20), 65, 56},
    {on(1994, 4, 21), on(1994, 7, 11), 98, 79},
    {on(1994, 7, 12), on(1994, 7, 26), 85, 70},
    {on(1994, 7, 27), on(1994, 9, 30), 75, 63},
    {on(1994, 10, 1), on(1995, 6, 9), 64, 55},
    {on(1995, 6, 10), on(1995, 7, 31), 60, 52},
    {on(1995, 8, 1), on(1997, 8, 1), 57, 50},
    {on(1997, 8, 2), on(1999, 12, 29), 80, 67},
    {on(1999, 12, 30), on(2002, 5, 16), 70, 60},
    {on(2002, 5, 17), on(2003, 6, 13), 64, 55},
    {on(2003, 6, 14), on(2003, 10, 7), 57, 50},
    {on(2003, 10, 8), on(2004, 6, 14), 48, 43},
    {on(2004, 6, 15), on(2005, 1, 12), 42, 38},
    {on(2005, 1, 13), on(2005, 5, 24), 35, 32},
    {on(2005, 5, 25), on(2005, 12, 19), 30, 28},
    {on(2005, 12, 20), on(2006, 12, 19), 25, 23},
    {on(2006, 12, 20), on(2007, 12, 27), 29, 27},
    {on(2007, 12, 28), on(2009, 4, 8), 27, 25},
    {on(2009, 4, 9), on(2009, 6, 11), 20, 19},
    {on(2009, 6, 12), on(2009, 12, 21), 19, 18},
    {on(2009, 12, 22), on(2010, 12, 29), 16, 15},
    {on(2010, 12, 30), on(2011, 12, 28), 15, 14},
    {on(2011, 12, 29), on(2012, 6, 18), 17.75, 17},
    {on(2012, 6, 19), on(2012, 12, 19), 16.5, 16},
    {on(2012, 12, 20), on(2013, 6, 20), 13.75, 13.5},
    {on(2013, 6, 21), on(2013, 12, 26), 11, 9.5},
    {on(2013, 12, 27), on(2014, 12, 13), 11.75, 10.25},
    {on(2014, 12, 14), on(2016, 12, 30), 10.5, 9},
    {on(2016, 12, 31), on(2018, 6, 28), 9.75, 8.75},
    {on(2018, 6, 29), on(2019, 10, 10), 19.5, 18.5},
    {on(2019, 10, 11), on(2019, 12, 20), 18.25, 17.25},
    {on(2019, 12, 21), on(2020, 12, 31), 13.75, 12.75},
}};

RateList statutoryList() {
    RateList list{"Adi Alacaklar (Kanuni Faiz)", {}};
    for (const auto& row : Statutory) {
        list.Periods.push_back({row.start, row.end, row.rate, std::string(row.description)});
    }
    return list;
}

RateList commercialList(std::string name, double CommercialRow::*rate) {
    RateList list{std::move(name), {}};
    for (const auto& row : Commercial) {
        list.Periods.push_back({row.start, row.end, row.*rate, ""});
    }
    return list;
}

} // namespace

const std::vector<RateList>& lists() {
    static const std::vector<RateList> all{
        statutoryList(),
        commercialList("Ticari Alacaklar (Reeskont-Avans)", &CommercialRow::advance),
        commercialList("Ticari Alacaklar (Reeskont-İskonto)", &CommercialRow::discount),
    };
    return all;
}

} // namespace mirvane::defaults
