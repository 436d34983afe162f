#pragma once

// The Windows-1254 (Turkish) code page that list files store descriptions in.

#include <string>
#include <string_view>

namespace mirvane::cp1254 {

// UTF-8 to Windows-1254, one byte per character; a character the code page lacks
// (or a malformed UTF-8 sequence) becomes '?'.
std::string fromUtf8(std::string_view utf8);

// Whether the code page has a byte for the character (so that it is saved as it is
// shown, not as '?').
bool holds(char32_t codePoint);

// Windows-1254 to UTF-8; the seven bytes the code page leaves undefined
// (81, 8D, 8E, 8F, 90, 9D, 9E) become U+FFFD.
std::string toUtf8(std::string_view bytes);

} // namespace mirvane::cp1254
