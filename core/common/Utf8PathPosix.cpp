#include "core/common/Utf8Path.h"

namespace mirvane::utf8path {

// A name is bytes here; the program's texts are UTF-8 and so are the names it makes.
std::filesystem::path fromUtf8(std::string_view text) {
    return std::filesystem::path(std::string(text));
}

std::string toUtf8(const std::filesystem::path& path) {
    return path.native();
}

} // namespace mirvane::utf8path
