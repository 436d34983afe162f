#include "JsonOutput.h"

#include "text/TextForms.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

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

std::string isoDate(Date date) {
    const std::chrono::year_month_day day{date};
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return buffer.data();
}

void write(std::ostream& out, const Json& document) {
    out << withUnicodeEscapes(document.dump(-1, ' ', false, Json::error_handler_t::replace))
        << '\n';
}

} // namespace mirvane::cli::json
