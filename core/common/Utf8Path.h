#pragma once

// Paths and the program's texts, which are UTF-8 everywhere. A path made from a
// std::string (or turned into one) converts through the system's narrow encoding,
// which on Windows is a code page and not UTF-8: Turkish list names would turn into
// other letters. Every path that meets a text goes through these two instead.

#include <filesystem>
#include <string>
#include <string_view>

namespace mirvane::utf8path {

inline std::filesystem::path fromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string toUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace mirvane::utf8path
