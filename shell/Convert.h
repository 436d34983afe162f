#pragma once

// Crossings between the core's plain C++ values and Qt's: texts (always UTF-8 in
// the core), paths and calendar days.

#include <QDate>
#include <QString>
#include <QStringList>
#include <chrono>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace mirvane::shell {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline std::string toStdString(const QString& text) {
    return text.toStdString();
}

// The cells of a row (a breakdown row, a rates-list or editor row) as list-view cells.
inline QStringList toQStringList(std::span<const std::string> cells) {
    QStringList list;
    for (const std::string& cell : cells) {
        list << toQString(cell);
    }
    return list;
}

// File names go through the platform's own encoding, not through UTF-8 blindly: on
// Windows a name is UTF-16, elsewhere the bytes Qt's file name encoding makes of it.
std::filesystem::path toPath(const QString& path);
QString fromPath(const std::filesystem::path& path);

inline QDate toQDate(std::chrono::sys_days day) {
    return QDate(1970, 1, 1).addDays(day.time_since_epoch().count());
}

inline std::chrono::sys_days toSysDays(QDate date) {
    return std::chrono::sys_days{std::chrono::days{QDate(1970, 1, 1).daysTo(date)}};
}

} // namespace mirvane::shell
