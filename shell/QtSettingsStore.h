#pragma once

// The program's settings kept through QSettings under the maker's and the product's name:
// the registry (HKCU\Software\Telvar\Mirvane) on Windows, an INI file elsewhere.

#include "core/settings/SettingsStore.h"

#include <QSettings>

namespace mirvane::shell {

class QtSettingsStore final : public settings::SettingsStore {
public:
    QtSettingsStore();

    std::optional<std::string> text(std::string_view key) const override;
    std::vector<std::string> texts(std::string_view key) const override;
    void setText(std::string_view key, std::string_view value) override;
    void setTexts(std::string_view key, const std::vector<std::string>& values) override;
    void remove(std::string_view key) override;

private:
    QSettings settings_;
};

} // namespace mirvane::shell
