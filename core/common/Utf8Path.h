#pragma once

// Paths and the program's texts, which are UTF-8 everywhere. A path made from a
// std::string (or turned into one) converts through the system's narrow encoding,
// which on Windows is a code page and not UTF-8: Turkish list names would turn into
// other letters. Every path that meets a text goes through these two instead.

#include <filesystem>
#include <string>
#include <string_view>

namespace mirvane::utf8path {

// Bytes that are not UTF-8 never fail: on Windows each becomes U+FFFD, elsewhere a name
// is bytes and keeps them.
std::filesystem::path fromUtf8(std::string_view text);

// A Windows name may hold a lone UTF-16 surrogate, which no UTF-8 text can: it comes out
// as U+FFFD instead of failing. Elsewhere a name is bytes and comes out as it is.
std::string toUtf8(const std::filesystem::path& path);

} // namespace mirvane::utf8path
