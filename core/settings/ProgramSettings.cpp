#include "core/settings/ProgramSettings.h"

#include "core/text/TextForms.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <limits>

namespace mirvane::settings {

namespace {

constexpr std::string_view LeftKey = "Ayarlar/Sol Bosluk";
constexpr std::string_view TopKey = "Ayarlar/Ust Bosluk";
constexpr std::string_view WidthKey = "Ayarlar/Pencere Genisligi";
constexpr std::string_view HeightKey = "Ayarlar/Pencere Yuksekligi";
constexpr std::string_view ListPositionKey = "Ayarlar/Liste Sirasi";
constexpr std::string_view ListNameKey = "Ayarlar/Liste Adi";
constexpr std::string_view Year360Key = "Ayarlar/360 Onayi";

constexpr std::string_view PdfFolderKey = "Raporlar/PDF Klasoru";
constexpr std::string_view PdfOpenKey = "Raporlar/PDF Acilsin";
constexpr std::string_view WordFolderKey = "Raporlar/Word Klasoru";

constexpr std::string_view RecentClaimFilesKey = "DosyaHesabi/SonDosyalar";

std::string_view edgeKey(Edge which) {
    switch (which) {
    case Edge::Left:
        return LeftKey;
    case Edge::Top:
        return TopKey;
    case Edge::Width:
        return WidthKey;
    case Edge::Height:
        return HeightKey;
    }
    return WidthKey;
}

// The number a setting holds; nullopt when it is absent.
Result<std::optional<double>> storedNumber(const SettingsStore& store, std::string_view key) {
    const std::optional<std::string> text = store.text(key);
    if (!text) {
        return std::optional<double>{};
    }
    const std::optional<double> number = text::parseNumber(*text);
    if (!number) {
        return errors::make(errors::TypeMismatch);
    }
    return number;
}

// A whole number setting, rounded to the nearest (halves to even) like the conversion the
// values were first written for.
Result<std::optional<long>> storedWholeNumber(const SettingsStore& store, std::string_view key) {
    const Result<std::optional<double>> stored = storedNumber(store, key);
    if (!stored) {
        return stored.error();
    }
    if (!stored.value()) {
        return std::optional<long>{};
    }
    const double rounded = std::nearbyint(*stored.value());
    if (std::abs(rounded) > double(std::numeric_limits<std::int32_t>::max())) {
        return errors::make(errors::Overflow);
    }
    return std::optional<long>(long(rounded));
}

// An edge is written as a single-precision number of twips.
std::string twipsText(int pixels, const EdgeScale& scale) {
    return text::formatGeneralNumber(float(pixels * scale.twipsPerPixel));
}

// As Qt reads a kept text as a truth value.
bool truthOf(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return !text.empty() && text != "0" && text != "false";
}

} // namespace

MainWindowSettings::MainWindowSettings(SettingsStore& store, EdgeScale scale)
    : store_(store), scale_(scale) {}

Result<std::optional<int>> MainWindowSettings::edge(Edge which) const {
    const Result<std::optional<double>> stored = storedNumber(store_, edgeKey(which));
    if (!stored) {
        return stored.error();
    }
    if (!stored.value()) {
        return std::optional<int>{};
    }
    const double twips = *stored.value();
    if (std::abs(twips) > FLT_MAX) {
        return errors::make(errors::Overflow);
    }
    const double pixels = std::nearbyint(double(float(twips)) / scale_.twipsPerPixel);
    if (std::abs(pixels) > scale_.largestPixels) {
        return errors::make(errors::Overflow);
    }
    return std::optional<int>(int(pixels));
}

Result<std::optional<std::int16_t>> MainWindowSettings::listPosition() const {
    const Result<std::optional<long>> stored = storedWholeNumber(store_, ListPositionKey);
    if (!stored) {
        return stored.error();
    }
    const std::optional<long> value = stored.value();
    if (!value) {
        return std::optional<std::int16_t>{};
    }
    if (*value < std::numeric_limits<std::int16_t>::min() ||
        *value > std::numeric_limits<std::int16_t>::max()) {
        return errors::make(errors::Overflow);
    }
    return std::optional<std::int16_t>(std::int16_t(*value));
}

std::string MainWindowSettings::listName() const {
    return store_.text(ListNameKey).value_or(std::string());
}

Result<std::optional<bool>> MainWindowSettings::year360() const {
    const Result<std::optional<long>> stored = storedWholeNumber(store_, Year360Key);
    if (!stored) {
        return stored.error();
    }
    const std::optional<long> value = stored.value();
    if (!value) {
        return std::optional<bool>{};
    }
    if (*value != 0 && *value != 1) {
        return errors::make(errors::InvalidPropertyValue);
    }
    return std::optional<bool>(*value == 1);
}

void MainWindowSettings::writeEdges(int left, int top, int width, int height) {
    store_.setText(LeftKey, twipsText(left, scale_));
    store_.setText(TopKey, twipsText(top, scale_));
    store_.setText(WidthKey, twipsText(width, scale_));
    store_.setText(HeightKey, twipsText(height, scale_));
}

void MainWindowSettings::writeList(int position, std::string_view name) {
    store_.setText(ListPositionKey, std::to_string(position));
    store_.setText(ListNameKey, name);
}

void MainWindowSettings::writeYear360(bool year360) {
    store_.setText(Year360Key, year360 ? "1" : "0");
}

ReportSettings::ReportSettings(SettingsStore& store) : store_(store) {}

std::optional<std::string> ReportSettings::pdfFolder() const {
    return store_.text(PdfFolderKey);
}

bool ReportSettings::openPdfAfterSaving() const {
    const std::optional<std::string> stored = store_.text(PdfOpenKey);
    return !stored || truthOf(*stored);
}

void ReportSettings::rememberPdf(std::string_view folder, bool openAfterwards) {
    store_.setText(PdfFolderKey, folder);
    store_.setText(PdfOpenKey, openAfterwards ? "true" : "false");
}

std::optional<std::string> ReportSettings::wordFolder() const {
    std::optional<std::string> folder = store_.text(WordFolderKey);
    return folder ? folder : pdfFolder();
}

void ReportSettings::rememberWordFolder(std::string_view folder) {
    store_.setText(WordFolderKey, folder);
}

RecentClaimFiles::RecentClaimFiles(SettingsStore& store) : store_(store) {}

std::vector<std::string> RecentClaimFiles::files() const {
    std::vector<std::string> files = store_.texts(RecentClaimFilesKey);
    if (files.size() > Count) {
        files.resize(Count);
    }
    return files;
}

void RecentClaimFiles::remember(std::string_view path) {
    std::vector<std::string> files = store_.texts(RecentClaimFilesKey);
    std::erase(files, path);
    files.insert(files.begin(), std::string(path));
    if (files.size() > Count) {
        files.resize(Count);
    }
    store_.setTexts(RecentClaimFilesKey, files);
}

} // namespace mirvane::settings
