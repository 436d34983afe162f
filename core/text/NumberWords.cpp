#include "core/text/NumberWords.h"

#include <array>
#include <string_view>
#include <vector>

namespace mirvane::text {

namespace {

constexpr std::array<std::string_view, 10> Ones{"",    "bir",  "iki",  "üç",    "dört",
                                                "beş", "altı", "yedi", "sekiz", "dokuz"};
constexpr std::array<std::string_view, 10> Tens{"",     "on",     "yirmi",  "otuz",   "kırk",
                                                "elli", "altmış", "yetmiş", "seksen", "doksan"};
// Enough for every 64-bit number (at most 9,2 kentilyon).
constexpr std::array<std::string_view, 7> Scales{"",        "bin",       "milyon",   "milyar",
                                                 "trilyon", "katrilyon", "kentilyon"};

void append(std::string& text, std::string_view word) {
    if (word.empty()) {
        return;
    }
    if (!text.empty()) {
        text += ' ';
    }
    text += word;
}

// 1 to 999; "yüz" alone stands for one hundred.
std::string belowThousand(unsigned number) {
    std::string text;
    const unsigned hundreds = number / 100;
    if (hundreds > 1) {
        append(text, Ones[hundreds]);
    }
    if (hundreds > 0) {
        append(text, "yüz");
    }
    append(text, Tens[number / 10 % 10]);
    append(text, Ones[number % 10]);
    return text;
}

} // namespace

std::string numberInWords(std::int64_t number) {
    if (number == 0) {
        return "sıfır";
    }
    std::uint64_t magnitude =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    std::vector<unsigned> groups; // lowest first
    while (magnitude > 0) {
        groups.push_back(static_cast<unsigned>(magnitude % 1000));
        magnitude /= 1000;
    }
    std::string text = number < 0 ? "eksi" : "";
    for (std::size_t scale = groups.size(); scale-- > 0;) {
        const unsigned group = groups[scale];
        if (group == 0) {
            continue;
        }
        // "bin", not "bir bin"; every other scale keeps its "bir".
        if (!(scale == 1 && group == 1)) {
            append(text, belowThousand(group));
        }
        append(text, Scales[scale]);
    }
    return text;
}

std::string amountInWords(std::int64_t kurus) {
    const std::int64_t lira = kurus / 100;
    const std::int64_t cents = kurus % 100;
    if (cents == 0) {
        return numberInWords(lira) + " Türk lirası";
    }
    if (lira == 0) {
        return numberInWords(cents) + " kuruş";
    }
    return numberInWords(lira) + " Türk lirası " + numberInWords(cents < 0 ? -cents : cents) +
           " kuruş";
}

} // namespace mirvane::text
