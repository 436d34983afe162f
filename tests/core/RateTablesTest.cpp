#include "core/rates/RateTables.h"

#include "core/rates/DefaultLists.h"
#include "core/rates/HalfYears.h"
#include "core/rates/ReadyLists.h"
#include "core/text/Cp1254.h"
#include "core/text/Utf8.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace mirvane;
using namespace std::chrono;

namespace {

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

// The central bank's changes from 2020 on, as published (reeskont, then avans) with
// the Official Gazette that carried them.
struct CentralBankChange {
    Date inForce;
    double discount;
    double advance;
    std::string gazette;
};
const std::vector<CentralBankChange> CentralBankChanges{
    {on(2020, 6, 13), 9.00, 10.00, "13.06.2020/31154"},
    {on(2020, 12, 19), 15.75, 16.75, "19.12.2020/31339"},
    {on(2021, 12, 31), 14.75, 15.75, "02.01.2022/31707"},
    {on(2022, 12, 31), 9.75, 10.75, "31.12.2022/32060"},
    {on(2023, 6, 24), 15.75, 16.75, "24.06.2023/32231"},
    {on(2023, 9, 1), 25.75, 26.75, "01.09.2023"},
    {on(2023, 9, 28), 30.75, 31.75, "28.09.2023"},
    {on(2023, 11, 1), 35.75, 36.75, "01.11.2023/32356"},
    {on(2023, 12, 1), 40.75, 41.75, "01.12.2023/32386"},
    {on(2023, 12, 23), 43.25, 44.25, "23.12.2023"},
    {on(2024, 4, 1), 50.75, 51.75, "01.04.2024/32507"},
    {on(2024, 12, 28), 48.25, 49.25, "28.12.2024/32766"},
    {on(2025, 3, 8), 43.25, 44.25, "08.03.2025/32835"},
    {on(2025, 9, 17), 41.25, 42.25, "17.09.2025/33020"},
    {on(2025, 12, 20), 38.75, 39.75, "20.12.2025"},
};

// The first version's lists, period by period.
struct EarlierCommercial {
    Date start;
    Date end;
    double advance;
    double discount;
};
const std::vector<EarlierCommercial> EarlierCommercialPeriods{
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
};
const std::vector<RatePeriod> EarlierStatutory{
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
};

std::vector<RatePeriod> earlierCommercial(double EarlierCommercial::*rate) {
    std::vector<RatePeriod> periods;
    for (const EarlierCommercial& period : EarlierCommercialPeriods) {
        periods.push_back({period.start, period.end, period.*rate, ""});
    }
    return periods;
}

void expectContiguous(const RateList& list) {
    ASSERT_FALSE(list.Periods.empty()) << list.Name;
    for (std::size_t k = 0; k < list.Periods.size(); ++k) {
        const RatePeriod& period = list.Periods[k];
        EXPECT_LE(period.StartDate, period.EndDate) << list.Name << " " << k + 1;
        EXPECT_NE(period.Rate, 0.0) << list.Name << " " << k + 1;
        EXPECT_LE(utf8::characterCount(period.Description), 100u) << list.Name << " " << k + 1;
        EXPECT_EQ(cp1254::toUtf8(cp1254::fromUtf8(period.Description)), period.Description);
        if (k > 0) {
            EXPECT_EQ(period.StartDate, list.Periods[k - 1].EndDate + days{1})
                << list.Name << " " << k + 1;
        }
    }
}

} // namespace

TEST(RateTables, CentralBankRatesSinceThe2020ListsEnded) {
    const RateList& advance = *rates::readyList(rates::AdvanceName);
    const RateList& discount = *rates::readyList(rates::DiscountName);
    ASSERT_EQ(advance.Periods.size(), 36 + CentralBankChanges.size());
    ASSERT_EQ(discount.Periods.size(), advance.Periods.size());
    // Period 36 (21.12.2019) now ends the day before the change of 13.06.2020.
    EXPECT_EQ(advance.Periods[35].EndDate, on(2020, 6, 12));
    for (std::size_t k = 0; k < CentralBankChanges.size(); ++k) {
        const CentralBankChange& change = CentralBankChanges[k];
        const RatePeriod& a = advance.Periods[36 + k];
        const RatePeriod& d = discount.Periods[36 + k];
        EXPECT_EQ(a.StartDate, change.inForce) << k;
        EXPECT_EQ(d.StartDate, change.inForce) << k;
        EXPECT_EQ(a.Rate, change.advance) << k;
        EXPECT_EQ(d.Rate, change.discount) << k;
        EXPECT_NE(a.Description.find("RG " + change.gazette), std::string::npos) << a.Description;
        EXPECT_EQ(d.Description, a.Description);
    }
    // The last change runs up to the day the data were checked, so that a later end
    // date shows the stale-rate notice.
    EXPECT_EQ(rates::checkedOn(), on(2026, 12, 8));
    EXPECT_EQ(advance.Periods.back().EndDate, rates::checkedOn());
    EXPECT_EQ(discount.Periods.back().EndDate, rates::checkedOn());
    EXPECT_EQ(rates::centralBankTable().headings,
              (std::vector<std::string>{"Yürürlük", "Avans", "Reeskont", "Dayanak"}));
}

TEST(RateTables, StatutoryAndLatePaymentRates) {
    const RateList& statutory = *rates::readyList(rates::StatutoryName);
    ASSERT_EQ(statutory.Periods.size(), 15u);
    const std::vector<std::tuple<Date, Date, double, std::string>> since2020{
        {on(2020, 12, 31), on(2024, 5, 31), 9, "2005/9831"},
        {on(2024, 6, 1), on(2026, 7, 30), 24,
         "8485 sayılı Cumhurbaşkanı Kararı, RG 21.05.2024/32552"},
        {on(2026, 7, 31), on(2026, 12, 31), 31, "7589 sayılı Kanun m.10, RG 31.07.2026/33326"},
    };
    for (std::size_t k = 0; k < since2020.size(); ++k) {
        const auto& [start, end, rate, basis] = since2020[k];
        const RatePeriod& period = statutory.Periods[12 + k];
        EXPECT_EQ(period.StartDate, start);
        EXPECT_EQ(period.EndDate, end);
        EXPECT_EQ(period.Rate, rate);
        EXPECT_NE(period.Description.find(basis), std::string::npos) << period.Description;
    }

    const RateList& late = *rates::readyList(rates::LatePaymentName);
    const std::vector<std::tuple<int, double, std::string>> years{
        {2021, 18.25, "02.01.2021/31352"}, {2022, 17.25, "02.01.2022/31707"},
        {2023, 11.75, "02.01.2023/32061"}, {2024, 48.00, "02.01.2024/32417"},
        {2025, 53.25, "02.01.2025/32770"}, {2026, 43.00, "02.01.2026"},
    };
    ASSERT_EQ(late.Periods.size(), years.size());
    for (std::size_t k = 0; k < years.size(); ++k) {
        const auto& [y, rate, gazette] = years[k];
        EXPECT_EQ(late.Periods[k].StartDate, on(y, 1, 1));
        EXPECT_EQ(late.Periods[k].EndDate, on(y, 12, 31));
        EXPECT_EQ(late.Periods[k].Rate, rate);
        EXPECT_NE(late.Periods[k].Description.find("RG " + gazette), std::string::npos);
    }
}

// The defaults keep the first version's periods and descriptions; only the changes
// after 2020 differ.
TEST(RateTables, DefaultListsKeepTheEarlierPeriodsAndDescriptions) {
    const auto& defaults = defaults::lists();
    ASSERT_EQ(defaults.size(), 3u);
    EXPECT_EQ(defaults[0].Name, "Adi Alacaklar (Kanuni Faiz)");
    EXPECT_EQ(defaults[1].Name, "Ticari Alacaklar (Reeskont-Avans)");
    EXPECT_EQ(defaults[2].Name, "Ticari Alacaklar (Reeskont-İskonto)");
    const std::vector<RatePeriod> advance = earlierCommercial(&EarlierCommercial::advance);
    const std::vector<RatePeriod> discount = earlierCommercial(&EarlierCommercial::discount);

    EXPECT_EQ(std::vector(defaults[0].Periods.begin(), defaults[0].Periods.begin() + 12),
              EarlierStatutory);
    EXPECT_EQ(std::vector(defaults[1].Periods.begin(), defaults[1].Periods.begin() + 35),
              std::vector(advance.begin(), advance.begin() + 35));
    EXPECT_EQ(std::vector(defaults[2].Periods.begin(), defaults[2].Periods.begin() + 35),
              std::vector(discount.begin(), discount.begin() + 35));

    const auto& earlier = rates::earlierDefaults();
    ASSERT_EQ(earlier.size(), 3u);
    EXPECT_EQ(earlier[0].Periods, EarlierStatutory);
    EXPECT_EQ(earlier[1].Periods, advance);
    EXPECT_EQ(earlier[2].Periods, discount);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(earlier[k].Name, defaults[k].Name);
    }
}

TEST(RateTables, ReadyListsAreContiguousAndEndWhenTheirDataEnd) {
    const auto& ready = rates::readyLists();
    ASSERT_EQ(ready.size(), 5u);
    EXPECT_EQ(ready[3].Name, "Ticari Temerrüt Faizi (3095 m.2-2, 6 aylık)");
    EXPECT_EQ(ready[4].Name, "Ticari Gecikme Faizi (TTK 1530)");
    for (const RateList& list : ready) {
        expectContiguous(list);
        EXPECT_LE(list.Periods.size(), MaxPeriods);
        EXPECT_EQ(rates::readyList(list.Name), &list);
    }
    EXPECT_EQ(rates::readyList("Yok"), nullptr);
    EXPECT_EQ(ready[0].Periods.back().EndDate, on(2026, 12, 31));
    EXPECT_EQ(ready[3].Periods.front().StartDate, on(2000, 1, 1));
    EXPECT_EQ(ready[3].Periods.back().EndDate, on(2026, 12, 31));
    EXPECT_EQ(ready[3].Periods.size(), 54u);
    EXPECT_EQ(ready[4].Periods.back().EndDate, on(2026, 12, 31));
}

// Boundary half-years: the 30 June rate applies to July-December only when it is 5
// points or more away from the 31 December rate.
TEST(HalfYears, CommercialDefaultRatesOfTheBoundaryYears) {
    const RateList& halfYears = *rates::readyList(rates::CommercialDefaultName);
    const auto rateOf = [&](int y, int half) {
        const Date day = half == 1 ? on(y, 1, 1) : on(y, 7, 1);
        const auto rate = rates::rateOn(halfYears.Periods, day);
        EXPECT_TRUE(rate.has_value()) << y;
        return rate.value_or(0);
    };
    const std::vector<std::tuple<int, double, double>> expected{
        {2000, 70, 70},       {2012, 17.75, 17.75}, {2018, 9.75, 19.5},   {2019, 19.5, 19.5},
        {2020, 13.75, 13.75}, {2021, 16.75, 16.75}, {2022, 15.75, 15.75}, {2023, 10.75, 16.75},
        {2024, 44.25, 51.75}, {2025, 49.25, 44.25}, {2026, 39.75, 39.75},
    };
    for (const auto& [y, first, second] : expected) {
        EXPECT_EQ(rateOf(y, 1), first) << y;
        EXPECT_EQ(rateOf(y, 2), second) << y;
    }
    const RatePeriod& secondHalf2025 = halfYears.Periods[2 * (2025 - 2000) + 1];
    EXPECT_EQ(secondHalf2025.StartDate, on(2025, 7, 1));
    EXPECT_EQ(secondHalf2025.Description, "30.06.2025 TCMB avans oranı (3095 sayılı Kanun m.2/2)");
    EXPECT_EQ(halfYears.Periods[2 * (2020 - 2000) + 1].Description,
              "31.12.2019 TCMB avans oranı (3095 sayılı Kanun m.2/2)");
}

TEST(HalfYears, GeneratorRulesOnAnAdvanceListOfItsOwn) {
    // 20 on 31 December; 25 from 30 June (exactly 5 points: applies), 24,99 in the next
    // year (not 5 points), a change on 1 July (too late for the second half).
    const std::vector<RatePeriod> advance{
        {on(2009, 1, 1), on(2010, 6, 29), 20, ""},
        {on(2010, 6, 30), on(2011, 6, 29), 25, ""},
        {on(2011, 6, 30), on(2012, 6, 30), 20.01, ""},
        {on(2012, 7, 1), on(2013, 3, 31), 40, ""},
    };
    const std::vector<RatePeriod> halves = rates::commercialDefaultHalfYears(advance, 2010, 2014);
    const std::vector<std::pair<Date, double>> expected{
        {on(2010, 1, 1), 20}, {on(2010, 7, 1), 25},    {on(2011, 1, 1), 25},
        {on(2011, 7, 1), 25}, {on(2012, 1, 1), 20.01}, {on(2012, 7, 1), 20.01},
        {on(2013, 1, 1), 40},
    };
    // 30.06.2013 lies past the advance periods: the list stops before that half-year.
    ASSERT_EQ(halves.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(halves[k].StartDate, expected[k].first) << k;
        EXPECT_EQ(halves[k].Rate, expected[k].second) << k;
        EXPECT_EQ(halves[k].EndDate,
                  k % 2 == 0 ? on(2010 + int(k / 2), 6, 30) : on(2010 + int(k / 2), 12, 31));
    }
    EXPECT_TRUE(rates::commercialDefaultHalfYears(advance, 2020, 2021).empty());
}

TEST(RateTables, ParserRefusesMalformedTables) {
    const std::string head = "# yorum\nYürürlük\tOran\tDayanak\n";
    const rates::Table good =
        rates::parseTable(head + "01.01.2020\t9\tbir\r\n01.02.2020\t10,5\n\nbitiş\t31.12.2020\n");
    ASSERT_EQ(good.rows.size(), 2u);
    EXPECT_EQ(good.rows[1], (rates::TableRow{on(2020, 2, 1), {10.5}, ""}));
    EXPECT_EQ(good.lastDay, on(2020, 12, 31));
    const auto periods = rates::periodsOf(good, 0);
    ASSERT_EQ(periods.size(), 2u);
    EXPECT_EQ(periods[0], (RatePeriod{on(2020, 1, 1), on(2020, 1, 31), 9, "bir"}));

    const std::vector<std::string> bad{
        head + "01.01.2020\t9\tbir\n",                                  // no closing line
        head + "32.01.2020\t9\t\nbitiş\t31.12.2020\n",                  // no such day
        head + "01.01.2020\t0\t\nbitiş\t31.12.2020\n",                  // zero rate
        head + "01.01.2020\t9,x\t\nbitiş\t31.12.2020\n",                // not a number
        head + "01.02.2020\t9\t\n01.01.2020\t9\t\nbitiş\t31.12.2020\n", // out of order
        head + "01.01.2020\t9\t" + std::string(101, 'a') + "\nbitiş\t31.12.2020\n",
        head + "01.01.2020\t9\tЖ harfi\nbitiş\t31.12.2020\n",           // not in code page 1254
        head + "01.01.2020\t9\t\t\nbitiş\t31.12.2020\n",                // extra field
        head + "01.01.2020\t9\t\nbitiş\t31.12.2019\n",                  // ends before it starts
        head + "01.01.2020\t9\t\nbitiş\t31.12.2020\n01.01.2021\t9\t\n", // after the end
        "01.01.2020\t9\nbitiş\t31.12.2020\n",                           // no headings
    };
    for (const std::string& table : bad) {
        EXPECT_THROW(rates::parseTable(table), std::invalid_argument) << table;
    }
}
