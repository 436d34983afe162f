#include "core/common/Utf8Path.h"
#include "core/text/Utf8.h"

namespace mirvane::utf8path {

namespace {

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
    for (const char32_t c : utf8::codePoints(text)) {
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
    std::string text;
    text.reserve(wide.size());
    for (std::size_t index = 0; index < wide.size(); ++index) {
        const char32_t unit = static_cast<char16_t>(wide[index]);
        if (isHighSurrogate(unit) && index + 1 < wide.size() &&
            isLowSurrogate(static_cast<char16_t>(wide[index + 1]))) {
            const char32_t low = static_cast<char16_t>(wide[++index]);
            utf8::append(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            utf8::append(text, 0xFFFD);
        } else {
            utf8::append(text, unit);
        }
    }
    return text;
}

} // namespace mirvane::utf8path
