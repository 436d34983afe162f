#include "core/text/Cp1254.h"

#include "core/text/Utf8.h"

#include <array>
#include <optional>

namespace mirvane::cp1254 {

namespace {

constexpr char32_t Undefined = 0xFFFD;
constexpr char Unmappable = '?';

// Bytes 0x80-0xFF; 0x00-0x7F are ASCII. Apart from the block 0x80-0x9F, the code
// page is Latin-1 with the six Turkish letters at D0, DD, DE, F0, FD and FE.
// clang-format off
constexpr std::array<char32_t, 128> HighHalf = {
    0x20AC, Undefined, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, Undefined, Undefined, Undefined,
    Undefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, Undefined, Undefined, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, // C0
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x011E, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, // D0
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x0130, 0x015E, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, // E0
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x011F, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, // F0
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x0131, 0x015F, 0x00FF,
};
// clang-format on

char32_t decodeByte(unsigned char byte) {
    return byte < 0x80 ? char32_t{byte} : HighHalf[byte - 0x80];
}

char encodeCodePoint(char32_t codePoint) {
    if (codePoint < 0x80) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < HighHalf.size(); ++i) {
        if (HighHalf[i] == codePoint && codePoint != Undefined) {
            return static_cast<char>(0x80 + i);
        }
    }
    return Unmappable;
}

} // namespace

bool holds(char32_t codePoint) {
    return codePoint == U'?' || encodeCodePoint(codePoint) != Unmappable;
}

std::string fromUtf8(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto codePoint = utf8::nextCodePoint(utf8, pos);
        bytes += codePoint ? encodeCodePoint(*codePoint) : Unmappable;
    }
    return bytes;
}

std::string toUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        utf8::append(text, decodeByte(static_cast<unsigned char>(byte)));
    }
    return text;
}

} // namespace mirvane::cp1254
