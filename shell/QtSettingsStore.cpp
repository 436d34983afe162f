#include "shell/QtSettingsStore.h"

#include "core/app/AppInfo.h"
#include "shell/Convert.h"

#include <QStringList>

namespace mirvane::shell {

QtSettingsStore::QtSettingsStore()
    : settings_(toQString(app::MakerName), toQString(app::ProductName)) {}

std::optional<std::string> QtSettingsStore::text(std::string_view key) const {
    const QString name = toQString(key);
    if (!settings_.contains(name)) {
        return std::nullopt;
    }
    const QVariant value = settings_.value(name);
    // An unquoted comma in an INI file reads back as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return toStdString(value.toStringList().join(u','));
    }
    return toStdString(value.toString());
}

std::vector<std::string> QtSettingsStore::texts(std::string_view key) const {
    std::vector<std::string> values;
    // A list of one is kept as a bare text in an INI file; toStringList reads both.
    for (const QString& value : settings_.value(toQString(key)).toStringList()) {
        values.push_back(toStdString(value));
    }
    return values;
}

void QtSettingsStore::setText(std::string_view key, std::string_view value) {
    settings_.setValue(toQString(key), toQString(value));
}

void QtSettingsStore::setTexts(std::string_view key, const std::vector<std::string>& values) {
    QStringList list;
    for (const std::string& value : values) {
        list << toQString(value);
    }
    settings_.setValue(toQString(key), list);
}

void QtSettingsStore::remove(std::string_view key) {
    settings_.remove(toQString(key));
}

} // namespace mirvane::shell
