#include "core/common/Utf8Path.h"
#include "core/text/Cp1254.h"

namespace mirvane::utf8path {

namespace {

void append(std::string& utf8, char32_t c) {
    if (c < 0x80) {
        utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
        utf8 += static_cast<char>(0xC0 | (c >> 6));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (c >> 18));
        utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

std::filesystem::path fromUtf8(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (const char32_t c : cp1254::codePoints(text)) {
        if (c >= 0x10000) {
            wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<wchar_t>(c);
        }
    }
    return std::filesystem::path(std::move(wide));
}

std::string toUtf8(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    std::string utf8;
    utf8.reserve(wide.size());
    for (std::size_t index = 0; index < wide.size(); ++index) {
        const char32_t unit = static_cast<char16_t>(wide[index]);
        if (isHighSurrogate(unit) && index + 1 < wide.size() &&
            isLowSurrogate(static_cast<char16_t>(wide[index + 1]))) {
            const char32_t low = static_cast<char16_t>(wide[++index]);
            append(utf8, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            append(utf8, 0xFFFD);
        } else {
            append(utf8, unit);
        }
    }
    return utf8;
}

} // namespace mirvane::utf8path
