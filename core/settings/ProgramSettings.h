#pragma once

// The values the program keeps between runs, read and checked in one place over a
// settings store. Each value is read on its own, so that a caller can report a value that
// cannot be read and go on with the next; the keys and the stored forms are those earlier
// versions wrote.

#include "core/common/Errors.h"
#include "core/settings/SettingsStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::settings {

// Window edges are kept in twips; a window's pixels are read back within the window
// system's limit.
struct EdgeScale {
    int twipsPerPixel = 15;
    int largestPixels = 16777215;
};

enum class Edge { Left, Top, Width, Height };

// The main window's size and place, the list it showed and its 360-day box.
class MainWindowSettings {
public:
    MainWindowSettings(SettingsStore& store, EdgeScale scale);

    // In pixels; nullopt when none is kept. A text that is no number is a type mismatch,
    // a number past the limits an overflow.
    Result<std::optional<int>> edge(Edge which) const;
    // The position of the list shown last, -1 for none.
    Result<std::optional<std::int16_t>> listPosition() const;
    // The name of the list shown last; it wins over the position where it still exists.
    std::string listName() const;
    // Whether a year counts 360 days; a number other than 0 or 1 is refused.
    Result<std::optional<bool>> year360() const;

    void writeEdges(int left, int top, int width, int height);
    void writeList(int position, std::string_view name);
    void writeYear360(bool year360);

private:
    SettingsStore& store_;
    EdgeScale scale_;
};

// Where reports are saved and whether a PDF opens after saving.
class ReportSettings {
public:
    explicit ReportSettings(SettingsStore& store);

    // nullopt when no report was saved yet.
    std::optional<std::string> pdfFolder() const;
    // True unless the user turned it off.
    bool openPdfAfterSaving() const;
    void rememberPdf(std::string_view folder, bool openAfterwards);

    // The folder a Word document was last saved in, else that of the PDF.
    std::optional<std::string> wordFolder() const;
    void rememberWordFolder(std::string_view folder);

private:
    SettingsStore& store_;
};

// The claim files opened or saved last, newest first and each once: at most eight.
class RecentClaimFiles {
public:
    static constexpr std::size_t Count = 8;

    explicit RecentClaimFiles(SettingsStore& store);

    // The files' paths as kept (UTF-8).
    std::vector<std::string> files() const;
    // Puts `path` first; the oldest beyond the count go.
    void remember(std::string_view path);

private:
    SettingsStore& store_;
};

} // namespace mirvane::settings
