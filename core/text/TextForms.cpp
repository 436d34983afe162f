#include "core/text/TextForms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

namespace mirvane::text {

namespace {

constexpr int SignificantDigits = 15;
constexpr int MoneyDecimals = 2;

// The longest exact decimal expansion of a double (its smallest subnormals) has 767
// significant digits; with that many fraction digits to_chars writes every double exactly,
// so all rounding below works on the true value and never rounds twice.
constexpr int ExactFractionDigits = 767;
constexpr int SettlingFractionDigits = 29;

// Below this magnitude, taking a value to 15 significant digits moves value * 100 by less
// than 5e-4, so a cent amount that lies farther than CentTieMargin from a half cent is
// plain without any decimal expansion. This is the fast path of every calculation.
constexpr double PlainCentsLimit = 1e9;
constexpr double CentTieMargin = 1e-3;

// Texts for values that are not numbers at all. They are deliberately not numeric texts,
// so such a value can never be read back as if it were an amount.
constexpr std::string_view NotANumberText = "Tanımsız";
constexpr std::string_view InfinityText = "Sonsuz";

std::string nonFiniteText(double value) {
    if (std::isnan(value)) {
        return std::string(NotANumberText);
    }
    return (value < 0 ? "-" : "") + std::string(InfinityText);
}

// A finite value written out in decimal: value = 0.digits x 10^pointPosition. The digits
// carry no leading or trailing zeros; zero has none and is never negative.
struct DecimalValue {
    bool negative = false;
    std::string digits;
    int pointPosition = 0;
};

void stripTrailingZeros(DecimalValue& decimal) {
    const auto lastNonZero = decimal.digits.find_last_not_of('0');
    decimal.digits.resize(lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
    if (decimal.digits.empty()) {
        decimal.negative = false;
        decimal.pointPosition = 0;
    }
}

// The value in scientific form: with `precision` fraction digits correctly rounded, or
// without it the shortest digits that read back as the same double.
DecimalValue scientificDecimal(double value, std::optional<int> precision) {
    std::array<char, ExactFractionDigits + 16> buffer{};
    const auto written = precision ? std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                                   value, std::chars_format::scientific, *precision)
                                   : std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                                   value, std::chars_format::scientific);
    std::string_view text(buffer.data(), written.ptr);

    DecimalValue decimal;
    if (text.front() == '-') {
        decimal.negative = true;
        text.remove_prefix(1);
    }
    const auto exponentMark = text.find('e');
    std::string_view exponentText = text.substr(exponentMark + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    decimal.digits.assign(1, text.front());
    if (exponentMark > 1) {
        decimal.digits.append(text.substr(2, exponentMark - 2));
    }
    decimal.pointPosition = exponent + 1;
    stripTrailingZeros(decimal);
    return decimal;
}

DecimalValue exactDecimal(double value) {
    return scientificDecimal(value, ExactFractionDigits);
}

void addOneInLastPlace(DecimalValue& decimal) {
    for (auto digit = decimal.digits.rbegin(); digit != decimal.digits.rend(); ++digit) {
        if (*digit != '9') {
            ++*digit;
            return;
        }
        *digit = '0';
    }
    decimal.digits.insert(decimal.digits.begin(), '1');
    ++decimal.pointPosition;
}

// Keeps the first keptDigits digits, rounding half away from zero on the exact digits.
void roundKeepingDigits(DecimalValue& decimal, int keptDigits) {
    if (static_cast<int>(decimal.digits.size()) <= keptDigits) {
        return;
    }
    if (keptDigits < 0) {
        decimal.digits.clear();
        stripTrailingZeros(decimal);
        return;
    }
    const bool roundUp = decimal.digits[keptDigits] >= '5';
    decimal.digits.resize(keptDigits);
    if (roundUp) {
        addOneInLastPlace(decimal);
    }
    stripTrailingZeros(decimal);
}

// The exact expansion is slow (hundreds of digits), so two cheaper forms are tried first.
// For a normal double, the shortest digits that read back as it, when there are at most
// 15 of them, are also its 15-digit rounding: a double's spacing is far finer than the
// spacing of 15-digit numbers. Otherwise thirty correctly rounded digits settle the
// rounding, unless their tail beyond the fifteenth digit is exactly a half, which may
// stand for a value just below the half.
DecimalValue toSignificantDigits(double value) {
    const int kind = std::fpclassify(value);
    if (kind == FP_NORMAL || kind == FP_ZERO) {
        DecimalValue shortest = scientificDecimal(value, std::nullopt);
        if (static_cast<int>(shortest.digits.size()) <= SignificantDigits) {
            return shortest;
        }
    }
    DecimalValue decimal = scientificDecimal(value, SettlingFractionDigits);
    if (decimal.digits.substr(std::min<std::size_t>(SignificantDigits, decimal.digits.size())) ==
        "5") {
        decimal = exactDecimal(value);
    }
    roundKeepingDigits(decimal, SignificantDigits);
    return decimal;
}

DecimalValue toMoneyDecimal(double value) {
    DecimalValue decimal = toSignificantDigits(value);
    roundKeepingDigits(decimal, decimal.pointPosition + MoneyDecimals);
    return decimal;
}

// Decimal values beyond the largest double become infinite, as the nearest double would.
double toDouble(const DecimalValue& decimal) {
    if (decimal.digits.empty()) {
        return 0.0;
    }
    const std::string text = (decimal.negative ? "-0." : "0.") + decimal.digits + "e" +
                             std::to_string(decimal.pointPosition);
    double value = 0.0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        return decimal.negative ? -std::numeric_limits<double>::infinity()
                                : std::numeric_limits<double>::infinity();
    }
    return value;
}

std::string integerDigits(const DecimalValue& decimal) {
    if (decimal.pointPosition <= 0) {
        return "0";
    }
    std::string digits = decimal.digits.substr(0, decimal.pointPosition);
    digits.resize(decimal.pointPosition, '0');
    return digits;
}

std::string fractionDigits(const DecimalValue& decimal, int count) {
    std::string digits;
    for (int place = 0; place < count; ++place) {
        const int index = decimal.pointPosition + place;
        const bool inDigits = index >= 0 && index < static_cast<int>(decimal.digits.size());
        digits += inDigits ? decimal.digits[index] : '0';
    }
    return digits;
}

std::string groupedByThousands(const std::string& digits) {
    std::string grouped;
    for (std::size_t index = 0; index < digits.size(); ++index) {
        if (index > 0 && (digits.size() - index) % 3 == 0) {
            grouped += '.';
        }
        grouped += digits[index];
    }
    return grouped;
}

bool isBlank(char character) {
    return character == ' ' || character == '\t';
}

std::string_view withoutBlanksAround(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isDigit(char character) {
    return character >= '0' && character <= '9';
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

// Takes a run of minDigits to maxDigits digits off the front of the text.
std::optional<int> takeNumber(std::string_view& text, std::size_t minDigits,
                              std::size_t maxDigits) {
    const auto run = std::find_if_not(text.begin(), text.end(), isDigit) - text.begin();
    const auto length = static_cast<std::size_t>(run);
    if (length < minDigits || length > maxDigits) {
        return std::nullopt;
    }
    int number = 0;
    std::from_chars(text.data(), text.data() + length, number);
    text.remove_prefix(length);
    return number;
}

bool takeCharacter(std::string_view& text, char character) {
    if (text.empty() || text.front() != character) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

// Digits in which single full stops may stand between digits as thousands separators;
// where they stand is not checked ("1.2.3" reads 123). The empty text is accepted.
std::optional<std::string> digitsWithoutGroupSeparators(std::string_view text) {
    if (!text.empty() && (text.front() == '.' || text.back() == '.')) {
        return std::nullopt;
    }
    if (text.find("..") != std::string_view::npos) {
        return std::nullopt;
    }
    std::string digits;
    for (const char character : text) {
        if (character == '.') {
            continue;
        }
        if (!isDigit(character)) {
            return std::nullopt;
        }
        digits += character;
    }
    return digits;
}

bool hasNonZeroDigit(std::string_view digits) {
    return digits.find_first_not_of('0') != std::string_view::npos;
}

// The value in whole cents (rounded as money), when that needs no decimal expansion.
std::optional<std::int64_t> plainCents(double value) {
    if (!(std::fabs(value) < PlainCentsLimit)) {
        return std::nullopt;
    }
    const double scaled = std::fabs(value) * 100.0;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < CentTieMargin) {
        return std::nullopt;
    }
    const auto cents = static_cast<std::int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return value < 0 ? -cents : cents;
}

std::string moneyTextOfCents(std::int64_t cents) {
    const std::uint64_t magnitude =
        cents < 0 ? std::uint64_t(-(cents + 1)) + 1 : std::uint64_t(cents);
    std::string text = cents < 0 ? "-" : "";
    text += groupedByThousands(std::to_string(magnitude / 100));
    text += ',';
    text += char('0' + magnitude % 100 / 10);
    text += char('0' + magnitude % 10);
    return text;
}

void appendTwoDigits(std::string& text, unsigned number) {
    text += char('0' + number / 10 % 10);
    text += char('0' + number % 10);
}

} // namespace

std::string formatDate(Date date) {
    const std::chrono::year_month_day day{date};
    std::string text;
    text.reserve(10);
    appendTwoDigits(text, unsigned(day.day()));
    text += '.';
    appendTwoDigits(text, unsigned(day.month()));
    text += '.';
    const int year = int(day.year());
    if (year < 1 || year > 9999) {
        // Never a year 0000 or a year cut to four digits: such a date reads back as none.
        return text + std::to_string(year);
    }
    appendTwoDigits(text, unsigned(year / 100));
    appendTwoDigits(text, unsigned(year % 100));
    return text;
}

std::string formatIsoDate(Date date) {
    const std::chrono::year_month_day day{date};
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02u", int(day.year()),
                  unsigned(day.month()), unsigned(day.day()));
    return buffer.data();
}

std::optional<Date> parseDate(std::string_view text) {
    text = withoutBlanksAround(text);
    const auto day = takeNumber(text, 1, 2);
    if (!day || !takeCharacter(text, '.')) {
        return std::nullopt;
    }
    const auto month = takeNumber(text, 1, 2);
    if (!month || !takeCharacter(text, '.')) {
        return std::nullopt;
    }
    const auto year = takeNumber(text, 4, 4);
    if (!year || !text.empty() || *year < 100) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{*year},
                                           std::chrono::month{unsigned(*month)},
                                           std::chrono::day{unsigned(*day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return Date{date};
}

// Never written with an exponent, however large or small the value: the text must read
// back through parseNumber, which knows no exponents.
std::string formatGeneralNumber(double value) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    const DecimalValue decimal = toSignificantDigits(value);
    std::string text = decimal.negative ? "-" : "";
    text += integerDigits(decimal);
    const int fractionLength =
        std::max(0, static_cast<int>(decimal.digits.size()) - decimal.pointPosition);
    if (fractionLength > 0) {
        text += ',';
        text += fractionDigits(decimal, fractionLength);
    }
    return text;
}

// Rounding happens on the exact decimal digits, not by scaling with 100, so it holds for
// every magnitude. A result of zero is always +0, so no "-0,00" can follow from it.
double roundMoney(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    if (const auto cents = plainCents(value)) {
        return static_cast<double>(*cents) / 100.0;
    }
    // Fifteen digits of the very largest doubles read back as infinity; a finite amount
    // stays finite.
    const double rounded = toDouble(toMoneyDecimal(value));
    return std::isfinite(rounded) ? rounded : value;
}

std::optional<std::int64_t> roundMoneyToCents(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (const auto cents = plainCents(value)) {
        return cents;
    }
    // value * 100 = digits * 10^(pointPosition + 2 - digits.size()); the rounding left no
    // digit after the second decimal.
    const DecimalValue decimal = toMoneyDecimal(value);
    const int centDigits = decimal.pointPosition + MoneyDecimals;
    if (decimal.digits.empty() || centDigits <= 0) {
        return 0;
    }
    if (centDigits > std::numeric_limits<std::int64_t>::digits10) {
        return std::nullopt;
    }
    std::int64_t cents = 0;
    for (int index = 0; index < centDigits; ++index) {
        const auto position = static_cast<std::size_t>(index);
        cents =
            cents * 10 + (position < decimal.digits.size() ? decimal.digits[position] - '0' : 0);
    }
    return decimal.negative ? -cents : cents;
}

// Not-a-number and the infinities show as "Tanımsız", "Sonsuz" and "-Sonsuz".
std::string formatMoney(double value) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    if (const auto cents = plainCents(value)) {
        return moneyTextOfCents(*cents);
    }
    const DecimalValue decimal = toMoneyDecimal(value);
    std::string text = decimal.negative ? "-" : "";
    text += groupedByThousands(integerDigits(decimal));
    text += ',';
    text += fractionDigits(decimal, MoneyDecimals);
    return text;
}

std::string formatCents(std::int64_t cents) {
    return moneyTextOfCents(cents);
}

bool isNumericText(std::string_view text) {
    return parseNumber(text).has_value();
}

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t end = text.find(separator); end != std::string_view::npos;
         end = text.find(separator, start)) {
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string turkishLowerCase(std::string_view text) {
    // The capitals of two bytes in UTF-8 and their small letters.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> Capitals{{
        {"İ", "i"},
        {"Ç", "ç"},
        {"Ğ", "ğ"},
        {"Ö", "ö"},
        {"Ş", "ş"},
        {"Ü", "ü"},
        {"Â", "â"},
        {"Î", "î"},
        {"Û", "û"},
    }};
    std::string lower;
    lower.reserve(text.size());
    while (!text.empty()) {
        const char first = text.front();
        if (first == 'I') {
            lower += "ı";
            text.remove_prefix(1);
            continue;
        }
        if (first >= 'A' && first <= 'Z') {
            lower += char(first - 'A' + 'a');
            text.remove_prefix(1);
            continue;
        }
        const auto capital = std::find_if(Capitals.begin(), Capitals.end(), [&](const auto& pair) {
            return text.starts_with(pair.first);
        });
        if (capital != Capitals.end()) {
            lower += capital->second;
            text.remove_prefix(capital->first.size());
            continue;
        }
        lower += first;
        text.remove_prefix(1);
    }
    return lower;
}

// A text whose value lies beyond the largest double is not numeric: it stands for no
// amount this program can hold. A value too small for a double reads as zero.
std::optional<double> parseNumber(std::string_view text) {
    text = withoutBlanksAround(text);
    const bool negative = takeCharacter(text, '-');
    if (!negative) {
        takeCharacter(text, '+');
    }
    const auto comma = text.find(',');
    const auto integer = digitsWithoutGroupSeparators(text.substr(0, comma));
    const std::string_view fraction =
        comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (!integer || !allDigits(fraction) || (integer->empty() && fraction.empty())) {
        return std::nullopt;
    }

    std::string plain = negative ? "-" : "";
    plain += integer->empty() ? "0" : *integer;
    if (!fraction.empty()) {
        plain += '.';
        plain += fraction;
    }
    double value = 0.0;
    const auto parsed = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        if (hasNonZeroDigit(*integer)) {
            return std::nullopt;
        }
        return negative ? -0.0 : 0.0;
    }
    return value;
}

} // namespace mirvane::text
