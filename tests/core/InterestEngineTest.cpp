#include "core/interest/InterestEngine.h"

#include "core/interest/Breakdown.h"
#include "core/rates/DefaultLists.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"
#include "tests/core/LongArithmetic.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace {

using namespace std::chrono;
using namespace mirvane;
using interest::Calculation;
using interest::InterestRow;
using interest::Rejection;

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

const RateList& statutory() {
    return defaults::lists().at(0);
}

// The statutory list as earlier versions wrote it, ending 30.12.2020.
const RateList& earlierStatutory() {
    return rates::earlierDefaults().at(0);
}

interest::Outcome run(Date start, Date end, std::string_view principal = "1000",
                      std::int32_t divisor = interest::Divisor365,
                      const RateList& list = statutory()) {
    return interest::calculate(list, {start, end, principal, divisor});
}

Calculation calculation(const interest::Outcome& outcome) {
    EXPECT_TRUE(std::holds_alternative<Calculation>(outcome));
    return std::get<Calculation>(outcome);
}

Rejection rejection(const interest::Outcome& outcome) {
    EXPECT_TRUE(std::holds_alternative<Rejection>(outcome));
    return std::get<Rejection>(outcome);
}

// Amounts in the rows are whole kuruş; the figures below are written in TL.
std::int64_t kurus(double lira) {
    return std::llround(lira * 100);
}

void expectRow(const InterestRow& row, int number, Date from, Date to, double rate, int days,
               double amount, double running) {
    EXPECT_EQ(row.PeriodNumber, number);
    EXPECT_EQ(row.StartDate, from);
    EXPECT_EQ(row.EndDate, to);
    EXPECT_EQ(row.Rate, rate);
    EXPECT_EQ(row.Days, days);
    EXPECT_EQ(row.Amount, kurus(amount));
    EXPECT_EQ(row.RunningTotal, kurus(running));
}

// Every day after the start up to and including the end bears interest at the rate
// of the period holding it: a row entering a period starts on the previous row's end.
TEST(InterestEngine, RowsChainSoEveryDayBearsInterest) {
    const Calculation year365 = calculation(run(on(2005, 7, 1), on(2006, 7, 1)));
    ASSERT_EQ(year365.rows.size(), 2u);
    expectRow(year365.rows[0], 9, on(2005, 7, 1), on(2005, 12, 31), 12, 183, 60.16, 60.16);
    expectRow(year365.rows[1], 10, on(2005, 12, 31), on(2006, 7, 1), 9, 182, 44.88, 105.04);
    EXPECT_EQ(year365.total, kurus(105.04));
    EXPECT_FALSE(year365.failure);

    const Calculation year360 =
        calculation(run(on(2005, 7, 1), on(2006, 7, 1), "1000", interest::Divisor360));
    ASSERT_EQ(year360.rows.size(), 2u);
    EXPECT_EQ(year360.rows[0].Amount, kurus(61.00));
    EXPECT_EQ(year360.rows[1].Amount, kurus(45.50));
    EXPECT_EQ(year360.total, kurus(106.50));

    // Ending on the first day of a period: that one day, never a row of 0 days.
    const Calculation endOnFirstDay = calculation(run(on(2005, 7, 1), on(2006, 1, 1)));
    ASSERT_EQ(endOnFirstDay.rows.size(), 2u);
    expectRow(endOnFirstDay.rows[1], 10, on(2005, 12, 31), on(2006, 1, 1), 9, 1, 0.25, 60.41);
    EXPECT_EQ(endOnFirstDay.total, kurus(60.41));

    // Starting on a period's last day: that period holds no day of the claim.
    const Calculation startOnLastDay = calculation(run(on(2005, 12, 31), on(2006, 7, 1)));
    ASSERT_EQ(startOnLastDay.rows.size(), 1u);
    expectRow(startOnLastDay.rows[0], 10, on(2005, 12, 31), on(2006, 7, 1), 9, 182, 44.88, 44.88);

    // Ending on a middle period's last day: no row for the period after it.
    const Calculation endOnLastDay = calculation(run(on(2005, 7, 1), on(2005, 12, 31)));
    ASSERT_EQ(endOnLastDay.rows.size(), 1u);
    expectRow(endOnLastDay.rows[0], 9, on(2005, 7, 1), on(2005, 12, 31), 12, 183, 60.16, 60.16);

    EXPECT_EQ(interest::dayCountDivisor(true), 36000);
    EXPECT_EQ(interest::dayCountDivisor(false), 36500);
}

// A claim over the statutory rate changes of 2024 and 2026.
TEST(InterestEngine, ChainsAcrossTheCurrentStatutoryRates) {
    const Calculation claim = calculation(run(on(2024, 1, 1), on(2026, 10, 1), "100.000,00"));
    ASSERT_EQ(claim.rows.size(), 3u);
    expectRow(claim.rows[0], 13, on(2024, 1, 1), on(2024, 5, 31), 9, 151, 3723.29, 3723.29);
    expectRow(claim.rows[1], 14, on(2024, 5, 31), on(2026, 7, 30), 24, 790, 51945.21, 55668.50);
    expectRow(claim.rows[2], 15, on(2026, 7, 30), on(2026, 10, 1), 31, 63, 5350.68, 61019.18);
    EXPECT_EQ(claim.total, kurus(61019.18));
    EXPECT_FALSE(claim.ranPastListEnd);
}

TEST(InterestEngine, CountsRealCalendarDays) {
    const Calculation leapYear = calculation(run(on(2008, 1, 1), on(2009, 1, 1)));
    ASSERT_EQ(leapYear.rows.size(), 1u);
    expectRow(leapYear.rows[0], 11, on(2008, 1, 1), on(2009, 1, 1), 9, 366, 90.25, 90.25);

    const Calculation pastLastPeriod = calculation(
        run(on(2020, 7, 1), on(2021, 7, 1), "1000", interest::Divisor365, earlierStatutory()));
    ASSERT_EQ(pastLastPeriod.rows.size(), 1u);
    expectRow(pastLastPeriod.rows[0], 12, on(2020, 7, 1), on(2021, 7, 1), 9, 365, 90.00, 90.00);
}

// On random lists and ranges the rows chain from Start to End without a gap, an
// overlap or an empty row, each inside its own period (the last may run on).
TEST(InterestEngine, DaysOfAllRowsAddUpToTheWholeRange) {
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 500; ++trial) {
        RateList list{"Rastgele", {}};
        Date start = on(1990, 1, 1) + days{std::uniform_int_distribution(0, 3000)(random)};
        const int periods = std::uniform_int_distribution(1, 12)(random);
        for (int index = 0; index < periods; ++index) {
            const Date end = start + days{std::uniform_int_distribution(0, 400)(random)};
            list.Periods.push_back({start, end, 1.0 + index, ""});
            start = end + days{1};
        }
        const Date first = list.Periods.front().StartDate;
        const Date last = list.Periods.back().EndDate;
        const int span = static_cast<int>((last - first).count()) + 200;
        const Date from = first + days{std::uniform_int_distribution(0, span)(random)};
        const Date to = from + days{std::uniform_int_distribution(1, 800)(random)};
        const Calculation result =
            calculation(interest::calculate(list, {from, to, "1000", interest::Divisor365}));
        ASSERT_FALSE(result.rows.empty());
        int total = 0;
        Date previousEnd = from;
        for (const InterestRow& row : result.rows) {
            const RatePeriod& period = list.Periods.at(row.PeriodNumber - 1);
            EXPECT_GT(row.Days, 0);
            EXPECT_EQ(row.StartDate, previousEnd);
            EXPECT_EQ(row.Days, (row.EndDate - row.StartDate).count());
            EXPECT_GE(row.StartDate + days{1}, period.StartDate);
            if (row.PeriodNumber < periods) {
                EXPECT_LE(row.EndDate, period.EndDate);
            }
            EXPECT_EQ(row.Rate, period.Rate);
            previousEnd = row.EndDate;
            total += row.Days;
        }
        EXPECT_EQ(previousEnd, to);
        EXPECT_EQ(total, (to - from).count()) << "trial " << trial;
    }
}

TEST(InterestEngine, RejectsWithTheFirstFailingCheckOnly) {
    const Rejection early = rejection(run(on(1970, 1, 1), on(1970, 1, 1), ""));
    EXPECT_EQ(early.number, 1);
    EXPECT_EQ(early.message,
              "\"Başlangıç Tarihi\", ilk dönemin \"Başlangıç Tarihi\"nden küçük olamaz!");
    EXPECT_EQ(early.focus, EntryField::StartDate);
    EXPECT_EQ(early.correctedStart, on(1972, 10, 1));
    EXPECT_FALSE(early.correctedEnd);

    const Rejection sameDay = rejection(run(on(2005, 7, 1), on(2005, 7, 1), ""));
    EXPECT_EQ(sameDay.number, 2);
    EXPECT_EQ(sameDay.message,
              "\"Başlangıç Tarihi\" ile \"Bitiş Tarihi\" arasında en az (1) gün bulunmalı!");
    EXPECT_EQ(sameDay.focus, EntryField::EndDate);
    EXPECT_EQ(sameDay.correctedEnd, on(2005, 7, 2));
    EXPECT_FALSE(sameDay.correctedStart);
    EXPECT_EQ(rejection(run(on(2005, 7, 2), on(2005, 7, 1))).number, 2);

    for (const std::string_view empty : {"", "   "}) {
        const Rejection missing = rejection(run(on(2005, 7, 1), on(2006, 7, 1), empty));
        EXPECT_EQ(missing.number, 3);
        EXPECT_EQ(missing.message, "\"Anapara\" miktarını girmeniz gerekiyor!");
        EXPECT_EQ(missing.focus, EntryField::Value);
    }

    for (const std::string_view notPositive : {"0,00", "0", "-5", "abc", "1,2,3"}) {
        const Rejection zero = rejection(run(on(2005, 7, 1), on(2006, 7, 1), notPositive));
        EXPECT_EQ(zero.number, 4) << notPositive;
        EXPECT_EQ(zero.message, "\"Anapara\" miktarı SIFIR'dan büyük olmalı!");
        EXPECT_EQ(zero.focus, EntryField::Value);
        EXPECT_FALSE(zero.correctedStart || zero.correctedEnd);
    }

    // Beyond what the principal field holds, rounding to the cent means nothing.
    for (const std::string& tooLarge :
         {std::string("1.000.000.000.000.000"), "1" + std::string(308, '0')}) {
        const Rejection large = rejection(run(on(2005, 7, 1), on(2006, 7, 1), tooLarge));
        EXPECT_EQ(large.number, 5);
        EXPECT_EQ(large.message, "\"Anapara\" miktarı 1.000.000.000.000.000'dan küçük olmalı!");
        EXPECT_EQ(large.focus, EntryField::Value);
    }
    EXPECT_TRUE(std::holds_alternative<Calculation>(
        run(on(2005, 7, 1), on(2006, 7, 1), "999.999.999.999.999")));
}

TEST(InterestEngine, ReadsThePrincipalTheTurkishWay) {
    const Calculation grouped = calculation(run(on(2005, 7, 1), on(2006, 7, 1), "1.000,00"));
    EXPECT_EQ(grouped.total, kurus(105.04));
    const Calculation fraction = calculation(run(on(2008, 1, 1), on(2009, 1, 1), "1000,5"));
    EXPECT_EQ(fraction.total, *text::roundMoneyToCents(1000.5 * 9 / 36500.0 * 366));
}

TEST(InterestEngine, AmountsAreRoundedRawAmountsAndTheTotalTheirSum) {
    EXPECT_EQ(interest::rawAmount(1000, 12, 36500, 183), (1000.0 * 12) / 36500.0 * 183);
    EXPECT_NEAR(interest::rawAmount(1000, 12, 36500, 183), 60.1643835, 1e-7);
    EXPECT_NEAR(interest::rawAmount(1000, 9, 36500, 182), 44.8767123, 1e-7);

    // 1.5 kuruş a day over 29, 28 and 31 days: two rows round up by half a kuruş, so
    // the rounded raw sum (1,32) is not the sum of the rounded amounts (1,33).
    RateList list{"Üç", {}};
    for (unsigned month = 1; month <= 3; ++month) {
        list.Periods.push_back({on(2010, month, 1), on(2010, month + 1, 1) - days{1}, 0.5475, ""});
    }
    std::vector<InterestRow> seen;
    const Calculation result = calculation(
        interest::calculate(list, {on(2010, 1, 2), on(2010, 3, 31), "1000", interest::Divisor365},
                            [&](const InterestRow& row) { seen.push_back(row); }));
    ASSERT_EQ(result.rows.size(), 3u);
    EXPECT_EQ(seen, result.rows);
    double raw = 0.0;
    std::int64_t rounded = 0;
    for (const InterestRow& row : result.rows) {
        raw += interest::rawAmount(1000, row.Rate, 36500, row.Days);
        rounded += *text::roundMoneyToCents(interest::rawAmount(1000, row.Rate, 36500, row.Days));
        EXPECT_EQ(row.Amount,
                  text::roundMoneyToCents(interest::rawAmount(1000, row.Rate, 36500, row.Days)));
    }
    EXPECT_EQ(result.total, rounded);
    EXPECT_EQ(result.total, kurus(1.33));
    EXPECT_EQ(text::formatMoney(raw), "1,32");
    EXPECT_EQ(result.rows.back().RunningTotal, result.total);
}

TEST(InterestEngine, RunTimeFailuresKeepTheRowsBefore) {
    RateList list{"Uzun", {}};
    list.Periods.push_back({on(1900, 1, 1), on(1900, 12, 31), 5, ""});
    list.Periods.push_back({on(1901, 1, 1), on(2099, 12, 31), 5, ""});
    const Calculation overflow = calculation(
        interest::calculate(list, {on(1900, 6, 1), on(2050, 1, 1), "1000", interest::Divisor365}));
    ASSERT_TRUE(overflow.failure);
    EXPECT_EQ(overflow.failure->number, errors::Overflow);
    ASSERT_EQ(overflow.rows.size(), 1u);
    EXPECT_EQ(overflow.rows[0].PeriodNumber, 1);
    EXPECT_EQ(overflow.total, overflow.rows[0].Amount);

    // 32767 days is the longest slice that fits.
    const Date start = on(1901, 1, 1);
    const Calculation longest = calculation(
        interest::calculate(list, {start, start + days{32767}, "1", interest::Divisor365}));
    EXPECT_FALSE(longest.failure);
    EXPECT_EQ(longest.rows.at(0).Days, 32767);

    const Calculation empty = calculation(
        interest::calculate(RateList{"Boş", {}}, {start, start + days{1}, "1000", 36500}));
    ASSERT_TRUE(empty.failure);
    EXPECT_EQ(empty.failure->number, errors::SubscriptOutOfRange);
    EXPECT_TRUE(empty.rows.empty());

    RateList hugeRate{"Dev", {{start, start + days{100}, 1e300, ""}}};
    const Calculation huge = calculation(interest::calculate(
        hugeRate, {start, start + days{10}, "100.000.000.000.000", interest::Divisor365}));
    ASSERT_TRUE(huge.failure);
    EXPECT_EQ(huge.failure->number, errors::Overflow);
}

// Running the last rate on past the list's end is flagged with the list's end, the
// rate, the first uncovered day and the days counted past the end.
TEST(InterestEngine, FlagsTheLastRateRunPastTheListEnd) {
    const auto endAfter = calculation(run(on(2020, 7, 1), on(2021, 7, 1), "1000",
                                          interest::Divisor365, earlierStatutory()))
                              .ranPastListEnd;
    ASSERT_TRUE(endAfter.has_value());
    EXPECT_EQ(*endAfter, (interest::RunOnPastListEnd{on(2020, 12, 30), 9, on(2020, 12, 31), 183}));

    const auto startAfter = calculation(run(on(2021, 1, 5), on(2021, 6, 1), "1000",
                                            interest::Divisor365, earlierStatutory()))
                                .ranPastListEnd;
    ASSERT_TRUE(startAfter.has_value());
    EXPECT_EQ(*startAfter, (interest::RunOnPastListEnd{on(2020, 12, 30), 9, on(2021, 1, 5), 147}));

    const auto startOnEnd = calculation(run(on(2020, 12, 30), on(2021, 1, 1), "1000",
                                            interest::Divisor365, earlierStatutory()))
                                .ranPastListEnd;
    ASSERT_TRUE(startOnEnd.has_value());
    EXPECT_EQ(startOnEnd->from, on(2020, 12, 31));
    EXPECT_EQ(startOnEnd->days, 2);

    EXPECT_FALSE(calculation(run(on(2020, 7, 1), on(2020, 12, 30), "1000", interest::Divisor365,
                                 earlierStatutory()))
                     .ranPastListEnd);
    EXPECT_FALSE(calculation(run(on(2005, 7, 1), on(2006, 7, 1))).ranPastListEnd);
}

// The central bank's lists end on the day the rate data were checked, by design: a
// calculation to today on such a ready list (from the folder or carried) is told so
// plainly. A list ending earlier, or one the user changed, is warned of as before.
TEST(InterestEngine, AReadyListEndingOnItsCheckDayIsNoWarning) {
    const RateList& avans = rates::readyLists().at(1);
    ASSERT_EQ(avans.Name, "Ticari Alacaklar (Reeskont-Avans)");
    const Date checked = avans.Periods.back().EndDate;
    const auto pastCheck = [&](const RateList& list) {
        return calculation(
                   run(checked - days{100}, checked + days{30}, "1000", interest::Divisor365, list))
            .ranPastListEnd;
    };
    RateList fromFolder = avans;
    for (RatePeriod& period : fromFolder.Periods) {
        period.Description = "kendi notum"; // descriptions are the user's
    }
    const auto ready = pastCheck(fromFolder);
    ASSERT_TRUE(ready);
    EXPECT_TRUE(ready->checkedToListEnd);
    EXPECT_EQ(breakdown::runOnNotice(*ready),
              "Oranlar 08.12.2026 tarihine kadar denetlendi; sonrası için son oran (%39,75) "
              "uygulandı.");

    RateList typed = avans;
    typed.Periods.back().Rate = 40;
    ASSERT_TRUE(pastCheck(typed));
    EXPECT_FALSE(pastCheck(typed)->checkedToListEnd);
    EXPECT_EQ(breakdown::runOnNotice(*pastCheck(typed)).rfind("Uyarı: Seçili liste 08.12.2026", 0),
              0u);

    RateList shorter = avans;
    shorter.Periods.back().EndDate = checked - days{10};
    ASSERT_TRUE(pastCheck(shorter));
    EXPECT_FALSE(pastCheck(shorter)->checkedToListEnd);
    EXPECT_FALSE(calculation(run(on(2020, 7, 1), on(2021, 7, 1), "1000", interest::Divisor365,
                                 earlierStatutory()))
                     .ranPastListEnd->checkedToListEnd);
}

// The total is the plain sum of the shown amounts, each the exact kuruş, also where a
// double no longer holds them (amounts of 10^13 and more). Earlier versions printed
// 28.736.493.150.684,90 here, two kuruş short.
TEST(InterestEngine, TotalIsThePlainSumOfRoundedAmountsForHugeClaims) {
    const RateList& discount = defaults::lists().at(2);
    const Calculation huge = calculation(run(on(1990, 12, 26), on(1996, 12, 20),
                                             "9.340.000.000.000", interest::Divisor365, discount));
    std::int64_t sum = 0;
    for (const InterestRow& row : huge.rows) {
        std::string rate = text::formatGeneralNumber(row.Rate);
        std::replace(rate.begin(), rate.end(), ',', '.');
        EXPECT_EQ(std::to_string(row.Amount),
                  longarithmetic::interestKurus("9340000000000", rate, row.Days, 365));
        sum += row.Amount;
        EXPECT_EQ(row.RunningTotal, sum);
    }
    EXPECT_EQ(huge.total, sum);
    EXPECT_EQ(text::formatCents(huge.total), "28.736.493.150.684,92");
}

// A list whose periods leave a gap, overlap or run backwards cannot be sliced; it is a
// run-time error before any check, never a negative or doubled day count.
TEST(InterestEngine, RefusesListsWhosePeriodsDoNotFollowOneAnother) {
    const RateList gap{
        "Boşluklu",
        {{on(2020, 1, 1), on(2020, 1, 31), 10, ""}, {on(2020, 3, 1), on(2020, 12, 31), 10, ""}}};
    const RateList overlap{
        "Çakışan",
        {{on(2020, 1, 1), on(2020, 6, 30), 10, ""}, {on(2020, 6, 1), on(2020, 12, 31), 10, ""}}};
    const RateList backwards{"Ters", {{on(2020, 12, 31), on(2020, 1, 1), 10, ""}}};
    for (const RateList* list : {&gap, &overlap, &backwards}) {
        const Calculation refused =
            calculation(run(on(2020, 1, 15), on(2020, 2, 10), "1000", interest::Divisor365, *list));
        ASSERT_TRUE(refused.failure.has_value()) << list->Name;
        EXPECT_EQ(refused.failure->number, errors::InvalidFileFormat);
        EXPECT_TRUE(refused.rows.empty());
    }
}

} // namespace
