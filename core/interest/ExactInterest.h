#pragma once

// The interest of one slice to the exact kuruş: principal x rate x days over the
// divisor worked out in whole numbers, then rounded half away from zero. A double
// holds only 15 or 16 significant digits, too few for the kuruş of amounts from about
// 10^12 TL on; whole numbers of 128 bits hold every product the program can meet.

#include <cstdint>
#include <optional>
#include <string_view>

namespace mirvane::interest {

// A decimal number held exactly: digits x 10^exponent.
struct Decimal {
    bool negative = false;
    std::uint64_t digits = 0;
    int exponent = 0;

    friend bool operator==(const Decimal&, const Decimal&) = default;
};

// A number as the program shows it (a rate "17,75", a principal "1.000,50"): the
// decimal of its text, so that what the user reads is what is computed with. nullopt
// for a text that is no number or has more than 19 significant digits.
std::optional<Decimal> decimalOfText(std::string_view text);

// The decimal of a rate or principal held as a double: its 15 significant digits as
// text::formatGeneralNumber writes them (9.1 is 9,1, not the binary value next to it).
// nullopt for a value that is not finite.
std::optional<Decimal> decimalOf(double value);

// An amount held in whole kuruş.
Decimal decimalOfCents(std::int64_t cents);

// round(principal x ratePercent x days / divisor) in kuruş, half away from zero, where
// principal is in TL and the divisor folds the percent into the day basis (36500 or
// 36000). nullopt when the result does not fit 64 bits, or the inputs lie beyond what
// a 128-bit product holds (more than 16 significant digits, more than 10^7 days).
std::optional<std::int64_t> interestCents(const Decimal& principal, const Decimal& ratePercent,
                                          std::int64_t days, std::int32_t divisor);

} // namespace mirvane::interest
