#include "core/interest/ExactInterest.h"

#include "core/interest/Breakdown.h"
#include "core/interest/InterestEngine.h"
#include "core/rates/DefaultLists.h"
#include "core/rates/ReadyLists.h"
#include "core/text/Amount.h"
#include "core/text/TextForms.h"
#include "tests/core/LongArithmetic.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace mirvane {
namespace {

using namespace std::chrono;
using interest::Decimal;

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

interest::Calculation computed(const RateList& list, Date start, Date end,
                               const std::string& principal, std::int32_t divisor) {
    const interest::Outcome outcome = interest::calculate(list, {start, end, principal, divisor});
    EXPECT_TRUE(std::holds_alternative<interest::Calculation>(outcome)) << principal;
    if (!std::holds_alternative<interest::Calculation>(outcome)) {
        return {};
    }
    return std::get<interest::Calculation>(outcome);
}

// The rate as a plain decimal for the long arithmetic: "17,75" -> "17.75".
std::string plainRate(double rate) {
    std::string text = text::formatGeneralNumber(rate);
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

// "80.359.567.862.676,5" -> "80359567862676.5".
std::string plainAmount(std::string text) {
    std::erase(text, '.');
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

// The case as it was met: 80.359.567.862.676 TL on the statutory list printed
// 41.742.942.648.666,80 for the 24 % row; 790 days of 24 % make ,77 exactly.
TEST(ExactInterest, TheStatutoryClaimOfEightyTrillion) {
    const interest::Calculation claim = computed(defaults::lists().at(0), on(2024, 1, 1),
                                                 on(2026, 10, 1), "80.359.567.862.676", 36500);
    ASSERT_EQ(claim.rows.size(), 3u);
    EXPECT_EQ(claim.rows[1].Rate, 24);
    EXPECT_EQ(claim.rows[1].Days, 790);
    EXPECT_EQ(text::formatCents(claim.rows[1].Amount), "41.742.942.648.666,77");
    std::int64_t sum = 0;
    for (const interest::InterestRow& row : claim.rows) {
        EXPECT_EQ(
            std::to_string(row.Amount),
            longarithmetic::interestKurus("80359567862676", plainRate(row.Rate), row.Days, 365));
        sum += row.Amount;
    }
    EXPECT_EQ(claim.total, sum);
    EXPECT_EQ(breakdown::totalText(claim.total), text::formatCents(sum));
}

// Principals of 10 to 15 integer digits (with kuruş where 15 digits leave room) over
// random spans of the statutory and the discount lists, on both day bases: every row
// is the exact kuruş and the total their sum.
TEST(ExactInterest, RowsOfLargePrincipalsAreExactToTheKurus) {
    std::mt19937_64 random(202612);
    const auto between = [&](long long low, long long high) {
        return std::uniform_int_distribution<long long>(low, high)(random);
    };
    const std::vector<RateList> lists{rates::readyLists().at(0), rates::readyLists().at(2)};
    int rows = 0;
    for (int round = 0; round < 240; ++round) {
        const int integerDigits = int(between(10, 15));
        std::string digits = std::to_string(between(1, 9));
        for (int i = 1; i < integerDigits; ++i) {
            digits += char('0' + between(0, 9));
        }
        std::string principal = digits;
        if (integerDigits <= 13 && between(0, 1) == 1) {
            principal += "," + std::to_string(between(10, 99));
        }
        const RateList& list = lists[std::size_t(round % 2)];
        const Date start = on(1996, 1, 1) + days{between(0, 10000)};
        const Date end = start + days{between(1, 4000)};
        const int daysInYear = round % 3 == 0 ? 360 : 365;
        const interest::Calculation result =
            computed(list, start, end, principal, daysInYear * 100);
        ASSERT_FALSE(result.failure) << principal;
        std::int64_t sum = 0;
        for (const interest::InterestRow& row : result.rows) {
            ASSERT_EQ(std::to_string(row.Amount),
                      longarithmetic::interestKurus(plainAmount(principal), plainRate(row.Rate),
                                                    row.Days, daysInYear))
                << principal << " " << text::formatDate(row.StartDate) << " %" << row.Rate;
            sum += row.Amount;
            EXPECT_EQ(row.RunningTotal, sum);
            ++rows;
        }
        EXPECT_EQ(result.total, sum);
    }
    EXPECT_GT(rows, 1000);
}

// Where the double computation of earlier versions was exact (amounts well below 10^6
// TL), the rows are what they always were.
TEST(ExactInterest, SmallAmountsKeepTheFiguresOfTheDoubleComputation) {
    std::mt19937 random(1972);
    const RateList& statutory = rates::readyLists().at(0);
    const RateList& advance = rates::readyLists().at(1);
    for (int round = 0; round < 400; ++round) {
        const std::string principal =
            std::to_string(std::uniform_int_distribution<int>(1, 999'999)(random) / 100) + "," +
            std::to_string(std::uniform_int_distribution<int>(10, 99)(random));
        const Date start =
            on(2000, 1, 1) + days{std::uniform_int_distribution<int>(0, 9000)(random)};
        const Date end = start + days{std::uniform_int_distribution<int>(1, 1500)(random)};
        const std::int32_t divisor = round % 2 ? 36000 : 36500;
        const interest::Calculation result =
            computed(round % 3 ? statutory : advance, start, end, principal, divisor);
        const double amount = *text::parseAmount(principal);
        for (const interest::InterestRow& row : result.rows) {
            ASSERT_EQ(row.Amount, text::roundMoneyToCents(
                                      interest::rawAmount(amount, row.Rate, divisor, row.Days)))
                << principal << " " << text::formatDate(row.StartDate);
        }
    }
}

TEST(ExactInterest, DecimalsOfTextsAndRates) {
    EXPECT_EQ(interest::decimalOfText("17,75"), (Decimal{false, 1775, -2}));
    EXPECT_EQ(interest::decimalOfText("1.000,50"), (Decimal{false, 10005, -1}));
    EXPECT_EQ(interest::decimalOfText("-0,0300"), (Decimal{true, 3, -2}));
    EXPECT_EQ(interest::decimalOfText("2400"), (Decimal{false, 24, 2}));
    EXPECT_EQ(interest::decimalOfText("0"), Decimal{});
    EXPECT_EQ(interest::decimalOfText("12345678901234567891"), std::nullopt);
    for (const char* bad : {"", ",", "1,2,3", "12a", "1,2.5"}) {
        EXPECT_EQ(interest::decimalOfText(bad), std::nullopt) << bad;
    }
    // The rate a row shows, not the binary value next to it.
    EXPECT_EQ(interest::decimalOf(9.1), (Decimal{false, 91, -1}));
    EXPECT_EQ(interest::decimalOf(0.1 + 0.2), (Decimal{false, 3, -1}));
    EXPECT_EQ(interest::decimalOf(1e300), (Decimal{false, 1, 300}));
    EXPECT_EQ(interest::decimalOf(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(interest::decimalOfCents(-155), (Decimal{true, 155, -2}));
    EXPECT_EQ(interest::decimalOfCents(1'000'000'000'000'000), (Decimal{false, 1, 13}));
    EXPECT_EQ(interest::decimalOfCents(0), Decimal{});
}

TEST(ExactInterest, RoundsHalfAwayFromZeroAndRefusesWhatDoesNotFit) {
    const Decimal thousand{false, 1, 3};
    // 1000 TL at 0,5475 % for 1 day: 1,5 kuruş, up; negated, down.
    EXPECT_EQ(interest::interestCents(thousand, {false, 5475, -4}, 1, 36500), 2);
    EXPECT_EQ(interest::interestCents(thousand, {true, 5475, -4}, 1, 36500), -2);
    EXPECT_EQ(interest::interestCents(thousand, {false, 5474, -4}, 1, 36500), 1);
    EXPECT_EQ(interest::interestCents(thousand, {false, 12, 0}, 183, 36500), 6016);
    EXPECT_EQ(interest::interestCents(thousand, {false, 12, 0}, 0, 36500), 0);
    // Far below half a kuruş, however the power of ten is placed.
    EXPECT_EQ(interest::interestCents(thousand, {false, 1, -300}, 100, 36500), 0);
    // Beyond 64 bits of kuruş, or beyond the digits a product is sized for.
    EXPECT_EQ(interest::interestCents(thousand, {false, 1, 300}, 1, 36500), std::nullopt);
    EXPECT_EQ(
        interest::interestCents({false, 999'999'999'999'999, 0}, {false, 1000, 0}, 32767, 36000),
        std::nullopt);
    EXPECT_EQ(interest::interestCents({false, 1'000'000'000'000'000, 0}, {false, 9, 0}, 1, 36500),
              std::nullopt);
    EXPECT_EQ(interest::interestCents(thousand, {false, 9, 0}, 20'000'000, 36500), std::nullopt);
}

} // namespace
} // namespace mirvane
