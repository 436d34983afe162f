#include "shell/Convert.h"

namespace mirvane::shell {

std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(path.toStdWString());
}

QString fromPath(const std::filesystem::path& path) {
    return QString::fromStdWString(path.native());
}

} // namespace mirvane::shell
