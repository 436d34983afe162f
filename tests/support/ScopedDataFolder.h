#pragma once

// The user's data folder, where a rate package is installed, moved to a test's own folder
// for as long as the object lives; the rate data are read again on both sides.

#include "core/rates/RateSource.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace mirvane::testing {

class ScopedDataFolder {
public:
    explicit ScopedDataFolder(const std::filesystem::path& folder) {
        if (const char* old = std::getenv(Variable)) {
            old_ = old;
        }
        set(folder.string().c_str());
        rates::forgetActiveRates();
    }
    ~ScopedDataFolder() {
        set(old_ ? old_->c_str() : nullptr);
        rates::forgetActiveRates();
    }
    ScopedDataFolder(const ScopedDataFolder&) = delete;
    ScopedDataFolder& operator=(const ScopedDataFolder&) = delete;

private:
#ifdef _WIN32
    static constexpr const char* Variable = "APPDATA";
    static void set(const char* value) {
        ::_putenv_s(Variable, value ? value : "");
    }
#else
    static constexpr const char* Variable = "XDG_DATA_HOME";
    static void set(const char* value) {
        value ? ::setenv(Variable, value, 1) : ::unsetenv(Variable);
    }
#endif

    std::optional<std::string> old_;
};

} // namespace mirvane::testing
