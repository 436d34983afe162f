#include "core/interest/ExactInterest.h"

#include "core/text/TextForms.h"

#include <limits>
#include <string>

namespace mirvane::interest {

namespace {

// GCC and Clang have 128-bit integers on every 64-bit target the program is built for;
// `__extension__` keeps -Wpedantic quiet about a type the standard does not name.
__extension__ using Wide = unsigned __int128;
constexpr Wide WideMax = ~Wide(0);

// Fifteen significant digits are all a principal, a claim's kuruş or a shown rate can
// carry; with at most 10^7 days their product stays below 10^37, so neither it nor
// twice it can overflow.
constexpr std::uint64_t DigitLimit = 1'000'000'000'000'000;
constexpr std::int64_t DayLimit = 10'000'000;

constexpr int MostDigits = std::numeric_limits<std::uint64_t>::digits10;

} // namespace

std::optional<Decimal> decimalOfText(std::string_view text) {
    Decimal decimal;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        decimal.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string digits;
    int fraction = 0;
    bool afterComma = false;
    for (const char character : text) {
        if (character >= '0' && character <= '9') {
            digits += character;
            fraction += afterComma ? 1 : 0;
        } else if (character == ',' && !afterComma) {
            afterComma = true;
        } else if (character != '.' || afterComma) {
            return std::nullopt;
        }
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    const std::size_t lead = digits.find_first_not_of('0');
    if (lead == std::string::npos) {
        return Decimal{};
    }
    const std::size_t last = digits.find_last_not_of('0');
    decimal.exponent = static_cast<int>(digits.size() - 1 - last) - fraction;
    if (last + 1 - lead > std::size_t(MostDigits)) {
        return std::nullopt;
    }
    for (std::size_t index = lead; index <= last; ++index) {
        decimal.digits = decimal.digits * 10 + std::uint64_t(digits[index] - '0');
    }
    return decimal;
}

std::optional<Decimal> decimalOf(double value) {
    return decimalOfText(text::formatGeneralNumber(value));
}

Decimal decimalOfCents(std::int64_t cents) {
    std::uint64_t magnitude = cents < 0 ? std::uint64_t(-(cents + 1)) + 1 : std::uint64_t(cents);
    if (magnitude == 0) {
        return Decimal{};
    }
    // Without trailing zeros, as a text's decimal is: 10^13 TL has one digit, not sixteen.
    int exponent = -2;
    while (magnitude % 10 == 0) {
        magnitude /= 10;
        ++exponent;
    }
    return Decimal{cents < 0, magnitude, exponent};
}

std::optional<std::int64_t> interestCents(const Decimal& principal, const Decimal& ratePercent,
                                          std::int64_t days, std::int32_t divisor) {
    const std::uint64_t dayCount = days < 0 ? std::uint64_t(-(days + 1)) + 1 : std::uint64_t(days);
    if (principal.digits >= DigitLimit || ratePercent.digits >= DigitLimit ||
        dayCount > std::uint64_t(DayLimit) || divisor <= 0) {
        return std::nullopt;
    }
    if (principal.digits == 0 || ratePercent.digits == 0 || dayCount == 0) {
        return 0;
    }
    // kuruş = digits x 10^(exponents + 2) / divisor: the power of ten goes into the
    // numerator or the denominator, whichever keeps both whole.
    Wide numerator = Wide(principal.digits) * ratePercent.digits * dayCount;
    Wide denominator = Wide(std::uint32_t(divisor));
    const long long scale = 2LL + principal.exponent + ratePercent.exponent;
    for (long long step = 0; step < scale; ++step) {
        if (numerator > WideMax / 10) {
            return std::nullopt;
        }
        numerator *= 10;
    }
    for (long long step = 0; step < -scale; ++step) {
        if (denominator > WideMax / 10) {
            return 0; // the denominator is past twice any numerator: less than half a kuruş
        }
        denominator *= 10;
    }
    Wide quotient = numerator / denominator;
    const Wide remainder = numerator % denominator;
    if (remainder >= denominator - remainder) {
        ++quotient;
    }
    if (quotient > Wide(std::numeric_limits<std::int64_t>::max())) {
        return std::nullopt;
    }
    const auto cents = static_cast<std::int64_t>(quotient);
    const bool negative = (principal.negative != ratePercent.negative) != (days < 0);
    return negative ? -cents : cents;
}

} // namespace mirvane::interest
