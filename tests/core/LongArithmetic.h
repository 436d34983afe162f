#pragma once

// Schoolbook arithmetic on decimal digit strings, for checking the engines' kuruş
// against a computation that shares nothing with theirs: no binary integers wider
// than a digit, no floating point.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace mirvane::longarithmetic {

inline std::string withoutLeadingZeros(std::string digits) {
    const std::size_t lead = digits.find_first_not_of('0');
    return lead == std::string::npos ? "0" : digits.substr(lead);
}

inline std::string add(std::string_view a, std::string_view b) {
    std::string sum;
    int carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
        const int x = i < a.size() ? a[a.size() - 1 - i] - '0' : 0;
        const int y = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
        sum += char('0' + (x + y + carry) % 10);
        carry = (x + y + carry) / 10;
    }
    std::reverse(sum.begin(), sum.end());
    return withoutLeadingZeros(sum);
}

inline std::string multiply(std::string_view a, std::string_view b) {
    std::string product(a.size() + b.size(), '0');
    for (std::size_t i = a.size(); i-- > 0;) {
        int carry = 0;
        for (std::size_t j = b.size(); j-- > 0;) {
            const int cell = product[i + j + 1] - '0' + (a[i] - '0') * (b[j] - '0') + carry;
            product[i + j + 1] = char('0' + cell % 10);
            carry = cell / 10;
        }
        product[i] = char('0' + carry);
    }
    return withoutLeadingZeros(product);
}

inline std::string divide(std::string_view a, int divisor) {
    std::string quotient;
    long long remainder = 0;
    for (const char digit : a) {
        remainder = remainder * 10 + (digit - '0');
        quotient += char('0' + remainder / divisor);
        remainder %= divisor;
    }
    return withoutLeadingZeros(quotient);
}

// A plain decimal ("80359567862676", "17.75") as its digits and the number of them
// after the point.
struct Digits {
    std::string digits;
    std::size_t fraction = 0;
};

inline Digits digitsOf(std::string_view decimal) {
    const std::size_t point = decimal.find('.');
    if (point == std::string_view::npos) {
        return {std::string(decimal), 0};
    }
    return {std::string(decimal.substr(0, point)) + std::string(decimal.substr(point + 1)),
            decimal.size() - point - 1};
}

// principal (TL) x rate (percent) x days / (100 x daysInYear), in kuruş, rounded half
// up: floor((2M + Y x 10^f) / (2Y x 10^f)) with M x 10^-f = principal x rate x days.
inline std::string interestKurus(std::string_view principalLira, std::string_view ratePercent,
                                 std::int64_t days, int daysInYear) {
    const Digits principal = digitsOf(principalLira);
    const Digits rate = digitsOf(ratePercent);
    const std::string product =
        multiply(multiply(principal.digits, rate.digits), std::to_string(days));
    const std::size_t fraction = principal.fraction + rate.fraction;
    const std::string half = std::to_string(daysInYear) + std::string(fraction, '0');
    std::string shifted = divide(add(add(product, product), half), 2 * daysInYear);
    if (shifted.size() <= fraction) {
        return "0";
    }
    shifted.resize(shifted.size() - fraction);
    return withoutLeadingZeros(shifted);
}

} // namespace mirvane::longarithmetic
