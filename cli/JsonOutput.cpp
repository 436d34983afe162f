#include "cli/JsonOutput.h"

#include "core/claim/ClaimJson.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace mirvane::cli::json {

namespace {

// Beyond 2^53 a double no longer holds every whole number.
constexpr double LargestExactWhole = 9007199254740992.0;

// The library writes five control characters as \b, \f, \n, \r and \t; the program has
// always written every control character as \u00XX, and scripts may match on it.
std::string withUnicodeEscapes(std::string_view dumped) {
    std::string text;
    text.reserve(dumped.size());
    for (std::size_t index = 0; index < dumped.size(); ++index) {
        if (dumped[index] != '\\' || index + 1 == dumped.size()) {
            text += dumped[index];
            continue;
        }
        const char escaped = dumped[++index];
        constexpr std::string_view Short = "bfnrt";
        constexpr std::array<char, 5> Byte{'\b', '\f', '\n', '\r', '\t'};
        if (const std::size_t which = Short.find(escaped); which != std::string_view::npos) {
            std::array<char, 8> unicode{};
            std::snprintf(unicode.data(), unicode.size(), "\\u%04x",
                          static_cast<unsigned>(Byte[which]));
            text += unicode.data();
        } else {
            text += '\\';
            text += escaped;
        }
    }
    return text;
}

// The library writes a double in its shortest form (1500, 3234.5), never with the two
// decimals an amount has. Such a number travels through the document as a binary value
// holding its text: the library writes that as {"bytes":[...],"subtype":null}, which no
// text value can produce (its quotes would be escaped), and write() puts the text back.
constexpr std::string_view BinaryOpening = "{\"bytes\":[";
constexpr std::string_view BinaryClosing = "],\"subtype\":null}";

std::string withNumberTexts(const std::string& dumped) {
    std::string text;
    std::size_t from = 0;
    for (std::size_t at = dumped.find(BinaryOpening); at != std::string::npos;
         at = dumped.find(BinaryOpening, from)) {
        text.append(dumped, from, at - from);
        const std::size_t close = dumped.find(BinaryClosing, at);
        std::string_view bytes(dumped);
        bytes = bytes.substr(at + BinaryOpening.size(), close - at - BinaryOpening.size());
        while (!bytes.empty()) {
            const std::size_t comma = std::min(bytes.find(','), bytes.size());
            unsigned byte = 0;
            std::from_chars(bytes.data(), bytes.data() + comma, byte);
            text += static_cast<char>(byte);
            bytes.remove_prefix(std::min(comma + 1, bytes.size()));
        }
        from = close + BinaryClosing.size();
    }
    text.append(dumped, from);
    return text;
}

} // namespace

Json number(double value) {
    if (std::trunc(value) == value && std::fabs(value) < LargestExactWhole) {
        return static_cast<std::int64_t>(value);
    }
    return value;
}

Json money(double value) {
    return number(text::roundMoney(value));
}

Json cents(std::int64_t amount) {
    const std::string text = claim::decimalText(amount);
    return Json::binary(std::vector<std::uint8_t>(text.begin(), text.end()));
}

Json shortCents(std::int64_t amount) {
    std::string text = claim::decimalText(amount);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return Json::binary(std::vector<std::uint8_t>(text.begin(), text.end()));
}

void write(std::ostream& out, const Json& document) {
    out << withNumberTexts(
               withUnicodeEscapes(document.dump(-1, ' ', false, Json::error_handler_t::replace)))
        << '\n';
}

} // namespace mirvane::cli::json
