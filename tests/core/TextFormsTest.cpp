#include "core/text/TextForms.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <iomanip>
#include <limits>
#include <random>
#include <string>
#include <vector>

using mirvane::Date;
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
    EXPECT_EQ(formatIsoDate(dateOf(2005, 7, 1)), "2005-07-01");
    EXPECT_EQ(formatIsoDate(dateOf(100, 1, 1)), "0100-01-01");
    // Past the years a date text can hold, never a year 0000 that reads back.
    EXPECT_EQ(formatDate(dateOf(9999, 12, 31) + days{1}), "01.01.10000");
    EXPECT_EQ(formatDate(dateOf(1, 1, 1) - days{1}), "31.12.0");
    EXPECT_FALSE(parseDate("01.01.10000"));
    EXPECT_FALSE(parseDate("31.12.0"));
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
    // Fifteen digits of the largest double would read back as infinity.
    EXPECT_EQ(roundMoney(std::numeric_limits<double>::max()), std::numeric_limits<double>::max());
}

TEST(MoneyRounding, InWholeCentsAsTheTextShowsIt) {
    EXPECT_EQ(roundMoneyToCents(1479.4520547945206), 147'945);
    EXPECT_EQ(roundMoneyToCents(0.005), 1);
    EXPECT_EQ(roundMoneyToCents(-2.675), -268);
    EXPECT_EQ(roundMoneyToCents(-0.004), 0);
    // Where value * 100 lands on the wrong cent: 42.058.289.459.509,70.
    EXPECT_EQ(roundMoneyToCents(42058289459509.69), 4'205'828'945'950'970);
    EXPECT_EQ(roundMoneyToCents(1234567890123456.7), 123'456'789'012'346'000);
    EXPECT_EQ(roundMoneyToCents(1e17), std::nullopt);
    EXPECT_EQ(roundMoneyToCents(Infinity), std::nullopt);
    EXPECT_EQ(roundMoneyToCents(std::nan("")), std::nullopt);
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

TEST(MoneyText, AmountsInKurusAreExactAtAnySize) {
    EXPECT_EQ(formatCents(0), "0,00");
    EXPECT_EQ(formatCents(7), "0,07");
    EXPECT_EQ(formatCents(-5), "-0,05");
    EXPECT_EQ(formatCents(123456), "1.234,56");
    EXPECT_EQ(formatCents(-123450), "-1.234,50");
    EXPECT_EQ(formatCents(1000000005979444), "10.000.000.059.794,44");
    EXPECT_EQ(formatCents(std::numeric_limits<std::int64_t>::max()), "92.233.720.368.547.758,07");
    EXPECT_EQ(formatCents(std::numeric_limits<std::int64_t>::min()), "-92.233.720.368.547.758,08");
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

namespace {

// Money rounding worked out independently on the exact decimal expansion of the double:
// 15 significant digits half away from zero, then two decimals half away from zero.
// Returns the cents as a digit string with its sign ("-12345" for -123,45).
std::string referenceCents(double value) {
    char buffer[1024];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, 767)
                         .ptr;
    const std::string text(buffer, end);
    const auto mark = text.find('e');
    const int exponent = std::stoi(text.substr(mark + 1));
    std::string digits = text.substr(0, 1) + text.substr(2, mark - 2);

    // Place the digits so that digits[i] has weight 10^(exponent - i), then round
    // at a given number of kept digits.
    auto roundAt = [&](std::string& d, int kept) {
        if (kept < 0) {
            d = "0";
            return;
        }
        if (kept >= static_cast<int>(d.size())) {
            return;
        }
        const bool up = d[kept] >= '5';
        d.resize(kept);
        for (int i = kept - 1; up && i >= 0; --i) {
            if (d[i] == '9') {
                d[i] = '0';
                if (i == 0) {
                    d.insert(d.begin(), '1');
                    return;
                }
            } else {
                ++d[i];
                break;
            }
        }
    };
    int weight = exponent;
    const std::size_t before = digits.size();
    roundAt(digits, 15);
    if (digits.size() > std::min<std::size_t>(before, 15)) {
        ++weight;
    }
    digits.resize(std::max<std::size_t>(digits.size(), 40), '0');
    const int keptForCents = weight + 3; // digits down to 10^-2
    const std::size_t beforeCents = digits.size();
    roundAt(digits, keptForCents);
    if (keptForCents >= 0 && digits.size() > static_cast<std::size_t>(keptForCents) &&
        digits.size() != beforeCents) {
        ++weight;
    }
    std::string cents = keptForCents <= 0 ? "0" : digits.substr(0, weight + 3);
    cents.erase(0, std::min(cents.find_first_not_of('0'), cents.size() - 1));
    return (value < 0 && cents != "0") ? "-" + cents : cents;
}

std::string centsOfMoneyText(const std::string& money) {
    std::string cents;
    for (const char c : money) {
        if (c != '.' && c != ',') {
            cents += c;
        }
    }
    const bool negative = !cents.empty() && cents.front() == '-';
    std::string digits = negative ? cents.substr(1) : cents;
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    return negative ? "-" + digits : digits;
}

} // namespace

TEST(SplitText, KeepsEveryPartEmptyOnesToo) {
    using Parts = std::vector<std::string_view>;
    EXPECT_EQ(splitAt("a\t\tb", '\t'), (Parts{"a", "", "b"}));
    EXPECT_EQ(splitAt("\ta\t", '\t'), (Parts{"", "a", ""}));
    EXPECT_EQ(splitAt("a b", '\t'), (Parts{"a b"}));
    EXPECT_EQ(splitAt("", '\n'), (Parts{""}));
}

// The engine's amounts go through the quick path of the rounding; it must agree with
// rounding the exact decimal expansion on every kind of value, near-halves included.
TEST(MoneyRounding, AgreesWithExactDecimalRoundingOnManyAmounts) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<long long> cents(1, 10'000'000'000LL);
    std::uniform_int_distribution<int> quarterRates(1, 400);
    std::uniform_int_distribution<int> days(0, 32767);
    std::uniform_int_distribution<int> ulps(-3, 3);
    std::vector<double> values;
    for (int i = 0; i < 20000; ++i) {
        const double principal = static_cast<double>(cents(random)) / 100.0;
        const double rate = quarterRates(random) * 0.25;
        values.push_back(principal * rate / 36500.0 * days(random));
        values.push_back(principal * rate / 36000.0 * days(random));
        // Values a few ulps around a half cent, where the quick path must step aside.
        double half = (static_cast<double>(cents(random) % 100'000'000) + 0.5) / 100.0;
        for (int step = ulps(random); step != 0; step += step > 0 ? -1 : 1) {
            half = std::nextafter(half, step > 0 ? 1e300 : -1e300);
        }
        values.push_back(half);
        values.push_back(-half);
    }
    for (const double value : values) {
        const std::string expected = referenceCents(value);
        ASSERT_EQ(centsOfMoneyText(formatMoney(value)), expected) << std::setprecision(17) << value;
        ASSERT_EQ(roundMoney(value), std::stod(expected) / 100.0) << std::setprecision(17) << value;
    }
}

namespace {

// Names compared the Turkish way: I and ı, İ and i are pairs; the other letters fold as
// in ASCII or to their Turkish small letters.
TEST(TurkishCase, FoldsCapitalsTheTurkishWay) {
    EXPECT_EQ(turkishLowerCase("TİCARİ ALACAKLAR (REESKONT-AVANS)"),
              "ticari alacaklar (reeskont-avans)");
    EXPECT_EQ(turkishLowerCase("ISPARTA IĞDIR"), "ısparta ığdır");
    EXPECT_EQ(turkishLowerCase("ÇÖŞÜĞ ÂÎÛ çöşüğ"), "çöşüğ âîû çöşüğ");
    EXPECT_EQ(turkishLowerCase("Adi Alacaklar (Kanuni Faiz) %9,5"),
              "adi alacaklar (kanuni faiz) %9,5");
    EXPECT_NE(turkishLowerCase("TICARI"), turkishLowerCase("ticari"));
    EXPECT_EQ(turkishLowerCase("ÄÉ€"), "ÄÉ€"); // not Turkish capitals: kept as they are
}

} // namespace
