#pragma once

// The one reader and writer of UTF-8, the encoding of every text inside the program.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mirvane::utf8 {

// What a malformed unit reads as.
inline constexpr char32_t Replacement = 0xFFFD;

// One step through a UTF-8 text: the code point at `pos` (nullopt for a malformed
// unit) and `pos` moved past it. A malformed unit is the longest start of a valid
// sequence (at least one byte), so every counting and converting function agrees on
// what one character is, even for broken input. `pos` must be before the end.
std::optional<char32_t> nextCodePoint(std::string_view utf8, std::size_t& pos);

// Appends the UTF-8 form of a code point (U+0000 to U+10FFFF, no surrogate).
void append(std::string& out, char32_t codePoint);

// The code points of a UTF-8 text; each malformed unit becomes U+FFFD.
std::u32string codePoints(std::string_view utf8);

// The number of characters (code points) of a UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// The first `count` characters of a UTF-8 text.
std::string leftCharacters(std::string_view utf8, std::size_t count);

} // namespace mirvane::utf8
