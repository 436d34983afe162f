#pragma once

// Saving a report as PDF from a window: the user picks the file (and whether to
// open it afterwards), the PDF is written, and the desktop's viewer shows it if
// asked to. Tests replace the file chooser and the viewer.

#include "core/report/Report.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace mirvane::pdf {

struct SaveChoice {
    QString file;
    bool openAfterwards = false;
};

using SaveChooser =
    std::function<std::optional<SaveChoice>(QWidget* parent, const QString& suggestedName)>;

// nullptr restores the real ones (a file dialog with the tick "Kaydettikten sonra
// aç", the desktop's PDF viewer).
void setSaveChooser(SaveChooser chooser);
void setViewerOpener(std::function<bool(const QString& file)> opener);

// A file name for a report from its title: letters, digits and a few signs kept,
// the rest turned into "_", full stops and blanks at its end dropped, ".pdf" added
// ("İcra 2024/1234." -> "İcra 2024_1234.pdf").
QString suggestedFileName(const QString& title);

// The folder the PDF dialog opens in: where the last report was saved, at first the
// documents folder.
QString reportFolder();

// Asks where to save `document`, writes it and opens it if the user ticked so.
// A failure goes through the error report. True when the file was written.
bool saveReport(QWidget* parent, const report::Document& document, const QString& suggestedName);

} // namespace mirvane::pdf
