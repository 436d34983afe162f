#include "core/text/Amount.h"

#include <algorithm>
#include <charconv>

namespace mirvane::text {

namespace {

bool isDigit(char character) {
    return character >= '0' && character <= '9';
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

std::string_view withoutBlanksAround(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The digits of the part before the comma: plain, or grouped by threes with full
// stops after a first group of one to three digits.
std::optional<std::string> integerDigits(std::string_view integer) {
    if (integer.find('.') == std::string_view::npos) {
        return allDigits(integer) ? std::optional<std::string>(integer) : std::nullopt;
    }
    std::string digits;
    std::size_t groupStart = 0;
    bool first = true;
    while (true) {
        const std::size_t stop = std::min(integer.find('.', groupStart), integer.size());
        const std::string_view group = integer.substr(groupStart, stop - groupStart);
        const bool sized = first ? (!group.empty() && group.size() <= 3) : group.size() == 3;
        if (!sized || !allDigits(group)) {
            return std::nullopt;
        }
        digits += group;
        if (stop == integer.size()) {
            return digits;
        }
        first = false;
        groupStart = stop + 1;
    }
}

std::size_t significantDigits(std::string_view integer, std::string_view fraction) {
    const auto lead = integer.find_first_not_of('0');
    const std::size_t integerCount = lead == std::string_view::npos ? 0 : integer.size() - lead;
    const auto trail = fraction.find_last_not_of('0');
    const std::size_t fractionCount = trail == std::string_view::npos ? 0 : trail + 1;
    return integerCount + fractionCount;
}

} // namespace

std::optional<double> parseAmount(std::string_view text) {
    text = withoutBlanksAround(text);
    const auto comma = text.find(',');
    const std::string_view fraction =
        comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const std::optional<std::string> integer = integerDigits(text.substr(0, comma));
    if (!integer || !allDigits(fraction) || (integer->empty() && fraction.empty())) {
        return std::nullopt;
    }
    // Below the limit every digit must be held exactly; a larger amount is read so
    // that the calculation can refuse it for its size.
    const std::size_t integerCount = significantDigits(*integer, {});
    if (integerCount <= std::size_t(AmountDigitLimit) &&
        significantDigits(*integer, fraction) > std::size_t(AmountDigitLimit)) {
        return std::nullopt;
    }
    std::string plain = integer->empty() ? "0" : *integer;
    if (!fraction.empty()) {
        plain += '.';
        plain += fraction;
    }
    double value = 0.0;
    if (std::from_chars(plain.data(), plain.data() + plain.size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

bool isAmountInProgress(std::string_view text) {
    text = withoutBlanksAround(text);
    const bool plain = std::all_of(text.begin(), text.end(), [](char character) {
        return isDigit(character) || character == ',' || character == '.';
    });
    if (!plain) {
        return false;
    }
    std::string digits(text);
    std::erase(digits, '.');
    const std::size_t comma = std::min(digits.find(','), digits.size());
    const std::string_view whole(digits);
    std::string fraction(whole.substr(std::min(comma + 1, digits.size())));
    std::erase(fraction, ',');
    return significantDigits(whole.substr(0, comma), fraction) <= std::size_t(AmountDigitLimit);
}

std::optional<std::string> regroupAmount(std::string_view text) {
    std::string plain(text);
    std::erase(plain, '.');
    if (!parseAmount(plain) && withoutBlanksAround(plain) != ",") {
        return std::nullopt;
    }
    const std::size_t comma = std::min(plain.find(','), plain.size());
    std::string grouped;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const std::size_t left = comma - i;
        if (i > 0 && i < comma && left % 3 == 0 && isDigit(plain[i - 1])) {
            grouped += '.';
        }
        grouped += plain[i];
    }
    return grouped;
}

} // namespace mirvane::text
