#include "core/settings/SettingsStore.h"

namespace mirvane::settings {

std::optional<std::string> MemorySettingsStore::text(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end() || found->second.empty()) {
        return std::nullopt;
    }
    // A list read as one text joins its parts as Qt's INI reading does.
    std::string joined = found->second.front();
    for (std::size_t i = 1; i < found->second.size(); ++i) {
        joined += ',';
        joined += found->second[i];
    }
    return joined;
}

std::vector<std::string> MemorySettingsStore::texts(std::string_view key) const {
    const auto found = values_.find(key);
    return found == values_.end() ? std::vector<std::string>{} : found->second;
}

void MemorySettingsStore::setText(std::string_view key, std::string_view value) {
    values_.insert_or_assign(std::string(key), std::vector<std::string>{std::string(value)});
}

void MemorySettingsStore::setTexts(std::string_view key, const std::vector<std::string>& values) {
    values_.insert_or_assign(std::string(key), values);
}

void MemorySettingsStore::remove(std::string_view key) {
    const auto found = values_.find(key);
    if (found != values_.end()) {
        values_.erase(found);
    }
}

} // namespace mirvane::settings
