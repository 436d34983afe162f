#include "text/TextForms.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace mirvane::text;
using namespace std::chrono;

namespace {

Date dateOf(int y, unsigned m, unsigned d) {
    return Date{year{y} / month{m} / day{d}};
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

} // namespace

TEST(DateText, FormatsDayMonthYearWithLeadingZeros) {
    EXPECT_EQ(formatDate(dateOf(2005, 7, 1)), "01.07.2005");
    EXPECT_EQ(formatDate(dateOf(2020, 12, 30)), "30.12.2020");
    EXPECT_EQ(formatDate(dateOf(100, 1, 1)), "01.01.0100");
    EXPECT_EQ(formatDate(dateOf(9999, 12, 31)), "31.12.9999");
}

TEST(DateText, ParsesShortAndPaddedFormsWithBlanksAround) {
    EXPECT_EQ(parseDate("01.07.2005"), dateOf(2005, 7, 1));
    EXPECT_EQ(parseDate("1.7.2005"), dateOf(2005, 7, 1));
    EXPECT_EQ(parseDate("  29.2.2008\t"), dateOf(2008, 2, 29));
    EXPECT_EQ(parseDate("01.01.0100"), dateOf(100, 1, 1));
    EXPECT_EQ(parseDate("31.12.9999"), dateOf(9999, 12, 31));
}

TEST(DateText, RefusesImpossibleDaysAndOtherShapes) {
    EXPECT_EQ(parseDate("31.02.2005"), std::nullopt);
    EXPECT_EQ(parseDate("29.02.2005"), std::nullopt);
    EXPECT_EQ(parseDate("29.02.1900"), std::nullopt);
    EXPECT_EQ(parseDate("00.07.2005"), std::nullopt);
    EXPECT_EQ(parseDate("01.13.2005"), std::nullopt);
    EXPECT_EQ(parseDate("01.07.05"), std::nullopt);
    EXPECT_EQ(parseDate("01.07.0099"), std::nullopt);
    EXPECT_EQ(parseDate("01.07.20050"), std::nullopt);
    EXPECT_EQ(parseDate("001.07.2005"), std::nullopt);
    EXPECT_EQ(parseDate("01/07/2005"), std::nullopt);
    EXPECT_EQ(parseDate("01.07.2005x"), std::nullopt);
    EXPECT_EQ(parseDate("01. 07.2005"), std::nullopt);
    EXPECT_EQ(parseDate(""), std::nullopt);
}

TEST(DateText, EveryDayOfALeapYearReadsBack) {
    for (Date date = dateOf(2008, 1, 1); date <= dateOf(2008, 12, 31); date += days{1}) {
        EXPECT_EQ(parseDate(formatDate(date)), date) << formatDate(date);
    }
}

TEST(GeneralNumberText, DropsTrailingZerosAndUsesDecimalComma) {
    EXPECT_EQ(formatGeneralNumber(9), "9");
    EXPECT_EQ(formatGeneralNumber(17.75), "17,75");
    EXPECT_EQ(formatGeneralNumber(0.5), "0,5");
    EXPECT_EQ(formatGeneralNumber(48.25), "48,25");
    EXPECT_EQ(formatGeneralNumber(0), "0");
    EXPECT_EQ(formatGeneralNumber(-0.0), "0");
    EXPECT_EQ(formatGeneralNumber(-2.5), "-2,5");
    EXPECT_EQ(formatGeneralNumber(1234567), "1234567");
}

TEST(GeneralNumberText, ShowsFifteenSignificantDigitsWithoutExponent) {
    EXPECT_EQ(formatGeneralNumber(0.1 + 0.2), "0,3");
    EXPECT_EQ(formatGeneralNumber(1.0 / 3), "0,333333333333333");
    EXPECT_EQ(formatGeneralNumber(2.0 / 3), "0,666666666666667");
    EXPECT_EQ(formatGeneralNumber(123456789012345678.0), "123456789012346000");
    EXPECT_EQ(formatGeneralNumber(1e20), "100000000000000000000");
    EXPECT_EQ(formatGeneralNumber(0.00001), "0,00001");
    EXPECT_EQ(formatGeneralNumber(0.0001 * 3), "0,0003");
}

TEST(GeneralNumberText, ReadsBackToTheSameRate) {
    for (double rate : {9.0, 17.75, 0.5, 48.25, 12.345, 0.1, 33.333, 99999.99}) {
        EXPECT_EQ(parseNumber(formatGeneralNumber(rate)), rate) << rate;
    }
}

TEST(MoneyRounding, TakesFifteenDigitsThenRoundsHalfAwayFromZero) {
    EXPECT_EQ(roundMoney(1.005), 1.01);
    EXPECT_EQ(roundMoney(0.125), 0.13);
    EXPECT_EQ(roundMoney(-1.005), -1.01);
    EXPECT_EQ(roundMoney(2.675), 2.68); // 2.67499999... in binary
    EXPECT_EQ(roundMoney(-2.675), -2.68);
    EXPECT_EQ(roundMoney(1.015), 1.02);
    EXPECT_EQ(roundMoney(0.285), 0.29);
    EXPECT_EQ(roundMoney(0.005), 0.01);
    EXPECT_EQ(roundMoney(9.995), 10.0);
    EXPECT_EQ(roundMoney(1.0049999), 1.0);
}

TEST(MoneyRounding, EngineExamples) {
    EXPECT_EQ(roundMoney(1000.0 * 12 / 36500 * 183), 60.16);
    EXPECT_EQ(roundMoney(1000.0 * 9 / 36500 * 181), 44.63);
    EXPECT_EQ(roundMoney(60.1643835), 60.16);
    EXPECT_EQ(roundMoney(44.6301369), 44.63);
}

TEST(MoneyRounding, HoldsForLargeMagnitudes) {
    // Exactly 1234567890123.125 in binary: the sixteenth digit is a true half.
    EXPECT_EQ(roundMoney(1234567890123.125), 1234567890123.13);
    EXPECT_EQ(roundMoney(-1234567890123.125), -1234567890123.13);
    EXPECT_EQ(roundMoney(1e20), 1e20);
    EXPECT_EQ(roundMoney(12345678901234567890.0), 12345678901234600000.0);
    EXPECT_EQ(roundMoney(std::numeric_limits<double>::max()), Infinity);
}

TEST(MoneyRounding, ZeroIsNeverNegativeAndNonFiniteValuesPassThrough) {
    EXPECT_EQ(roundMoney(0.004), 0.0);
    EXPECT_FALSE(std::signbit(roundMoney(-0.004)));
    EXPECT_FALSE(std::signbit(roundMoney(-0.0)));
    EXPECT_EQ(roundMoney(std::numeric_limits<double>::denorm_min()), 0.0);
    EXPECT_TRUE(std::isnan(roundMoney(std::nan(""))));
    EXPECT_EQ(roundMoney(-Infinity), -Infinity);
}

TEST(MoneyText, GroupsThousandsWithFullStops) {
    EXPECT_EQ(formatMoney(123), "123,00");
    EXPECT_EQ(formatMoney(1234), "1.234,00");
    EXPECT_EQ(formatMoney(123456), "123.456,00");
    EXPECT_EQ(formatMoney(1234567), "1.234.567,00");
    EXPECT_EQ(formatMoney(1234.5), "1.234,50");
    EXPECT_EQ(formatMoney(-1234.5), "-1.234,50");
    EXPECT_EQ(formatMoney(-123456.78), "-123.456,78");
    EXPECT_EQ(formatMoney(999.995), "1.000,00");
}

TEST(MoneyText, AlwaysOneIntegerDigitAndTwoDecimals) {
    EXPECT_EQ(formatMoney(0), "0,00");
    EXPECT_EQ(formatMoney(0.5), "0,50");
    EXPECT_EQ(formatMoney(0.004), "0,00");
    EXPECT_EQ(formatMoney(-0.004), "0,00");
    EXPECT_EQ(formatMoney(-0.0), "0,00");
    EXPECT_EQ(formatMoney(0.07), "0,07");
    EXPECT_EQ(formatMoney(1.005), "1,01");
    EXPECT_EQ(formatMoney(2.675), "2,68");
    EXPECT_EQ(formatMoney(60.1643835), "60,16");
    EXPECT_EQ(formatMoney(std::numeric_limits<double>::denorm_min()), "0,00");
}

TEST(MoneyText, LargeAmountsKeepFifteenSignificantDigits) {
    EXPECT_EQ(formatMoney(1e20), "100.000.000.000.000.000.000,00");
    EXPECT_EQ(formatMoney(12345678901234567890.0), "12.345.678.901.234.600.000,00");
    EXPECT_EQ(formatMoney(99999999999999999999.0), "100.000.000.000.000.000.000,00");
    EXPECT_EQ(formatMoney(1234567890123.125), "1.234.567.890.123,13");

    const std::string largest = formatMoney(std::numeric_limits<double>::max());
    EXPECT_EQ(largest.substr(0, 20), "179.769.313.486.232.");
    EXPECT_EQ(largest.size(), 309u + 102u + 3u);
    EXPECT_EQ(largest.substr(largest.size() - 7), ".000,00");
}

TEST(MoneyText, NonFiniteValuesGetWordsThatAreNotNumeric) {
    EXPECT_EQ(formatMoney(std::nan("")), "Tanımsız");
    EXPECT_EQ(formatMoney(Infinity), "Sonsuz");
    EXPECT_EQ(formatMoney(-Infinity), "-Sonsuz");
    EXPECT_EQ(formatGeneralNumber(std::nan("")), "Tanımsız");
    EXPECT_FALSE(isNumericText(formatMoney(Infinity)));
}

TEST(MoneyText, ReadsBackToTheRoundedAmount) {
    for (double amount : {0.0, 0.004, 1.005, 60.1643835, 1234.5, -1234.5, 987654321.987, 1e15,
                          99999999999999999999.0}) {
        EXPECT_EQ(parseNumber(formatMoney(amount)), roundMoney(amount)) << amount;
    }
}

TEST(NumericText, BindingCases) {
    EXPECT_TRUE(isNumericText("12"));
    EXPECT_TRUE(isNumericText("12,5"));
    EXPECT_TRUE(isNumericText("12,"));
    EXPECT_TRUE(isNumericText(",5"));
    EXPECT_TRUE(isNumericText("1.234,50"));
    EXPECT_FALSE(isNumericText(","));
    EXPECT_FALSE(isNumericText("1,2,3"));
    EXPECT_FALSE(isNumericText("12a"));
    EXPECT_FALSE(isNumericText(""));
}

TEST(NumericText, SignsBlanksAndGroupSeparators) {
    EXPECT_TRUE(isNumericText("  12,5 "));
    EXPECT_TRUE(isNumericText("-12"));
    EXPECT_TRUE(isNumericText("+12"));
    EXPECT_TRUE(isNumericText("-,5"));
    EXPECT_TRUE(isNumericText("1.2.3"));
    EXPECT_TRUE(isNumericText("12.345.678,9"));
    EXPECT_FALSE(isNumericText("   "));
    EXPECT_FALSE(isNumericText("."));
    EXPECT_FALSE(isNumericText("1."));
    EXPECT_FALSE(isNumericText(".5"));
    EXPECT_FALSE(isNumericText("1..2"));
    EXPECT_FALSE(isNumericText("1.,5"));
    EXPECT_FALSE(isNumericText("1,5.0"));
    EXPECT_FALSE(isNumericText("-"));
    EXPECT_FALSE(isNumericText("+-1"));
    EXPECT_FALSE(isNumericText("--1"));
    EXPECT_FALSE(isNumericText("- 1"));
    EXPECT_FALSE(isNumericText("1 2"));
    EXPECT_FALSE(isNumericText("1e5"));
    EXPECT_FALSE(isNumericText("12.5.")); // trailing full stop
}

TEST(NumericText, ParsesToTheNearestDouble) {
    EXPECT_EQ(parseNumber("12,50"), 12.5);
    EXPECT_EQ(parseNumber("1.234,00"), 1234.0);
    EXPECT_EQ(parseNumber("1.2.3"), 123.0);
    EXPECT_EQ(parseNumber(" -12,5 "), -12.5);
    EXPECT_EQ(parseNumber("+7"), 7.0);
    EXPECT_EQ(parseNumber(",5"), 0.5);
    EXPECT_EQ(parseNumber("12,"), 12.0);
    EXPECT_EQ(parseNumber("0,1"), 0.1);
    EXPECT_EQ(parseNumber("17,75"), 17.75);
    EXPECT_EQ(parseNumber("99999999999999999999"), 1e20);
    EXPECT_EQ(parseNumber("12a"), std::nullopt);
}

TEST(NumericText, ValuesBeyondDoubleAreNotNumericTinyOnesReadAsZero) {
    const std::string huge = "1" + std::string(400, '0');
    EXPECT_FALSE(isNumericText(huge));
    EXPECT_EQ(parseNumber(huge), std::nullopt);
    EXPECT_EQ(parseNumber("0," + std::string(400, '0') + "1"), 0.0);
}
