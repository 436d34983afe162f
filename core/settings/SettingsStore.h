#pragma once

// Where the program keeps its settings: texts under keys ("Section/Key"). The desktop
// program keeps them through Qt (the registry on Windows, an INI file elsewhere); tests and
// sessions below the windows use the store in memory.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::settings {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The text under the key; nullopt when the key holds nothing.
    virtual std::optional<std::string> text(std::string_view key) const = 0;
    // The list of texts under the key, first to last; empty when the key holds nothing.
    virtual std::vector<std::string> texts(std::string_view key) const = 0;
    virtual void setText(std::string_view key, std::string_view value) = 0;
    virtual void setTexts(std::string_view key, const std::vector<std::string>& values) = 0;
    virtual void remove(std::string_view key) = 0;
};

class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::string> text(std::string_view key) const override;
    std::vector<std::string> texts(std::string_view key) const override;
    void setText(std::string_view key, std::string_view value) override;
    void setTexts(std::string_view key, const std::vector<std::string>& values) override;
    void remove(std::string_view key) override;

private:
    // A single text is kept as a one-element list, as Qt reads it back.
    std::map<std::string, std::vector<std::string>, std::less<>> values_;
};

} // namespace mirvane::settings
