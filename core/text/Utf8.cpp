#include "core/text/Utf8.h"

namespace mirvane::utf8 {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

struct SequenceStart {
    std::size_t length;
    char32_t bits;
    char32_t minimum; // smaller values would be overlong encodings
};

std::optional<SequenceStart> sequenceStart(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return SequenceStart{2, char32_t{lead} & 0x1F, 0x80};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return SequenceStart{3, char32_t{lead} & 0x0F, 0x800};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return SequenceStart{4, char32_t{lead} & 0x07, 0x10000};
    }
    return std::nullopt;
}

} // namespace

std::optional<char32_t> nextCodePoint(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    const auto start = sequenceStart(lead);
    if (!start) {
        return std::nullopt;
    }
    char32_t codePoint = start->bits;
    for (std::size_t i = 1; i < start->length; ++i) {
        if (pos >= utf8.size() || !isContinuation(static_cast<unsigned char>(utf8[pos]))) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[pos++]) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < start->minimum || surrogate || codePoint > 0x10FFFF) {
        return std::nullopt;
    }
    return codePoint;
}

void append(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::u32string codePoints(std::string_view utf8) {
    std::u32string result;
    for (std::size_t pos = 0; pos < utf8.size();) {
        result += nextCodePoint(utf8, pos).value_or(Replacement);
    }
    return result;
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        nextCodePoint(utf8, pos);
    }
    return count;
}

std::string leftCharacters(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t taken = 0; taken < count && pos < utf8.size(); ++taken) {
        nextCodePoint(utf8, pos);
    }
    return std::string(utf8.substr(0, pos));
}

} // namespace mirvane::utf8
