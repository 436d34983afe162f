#pragma once

// A report goes into a new document of the computer's word processor ("Listeyi MS
// Word'e Aktar" sends the breakdown to the clipboard first). Without Word automation
// the document is a template written beside nothing the user owns (a fresh
// temporary folder) and handed to the desktop, which opens it as a new, unsaved
// document. Either way it can also be saved as a Word document (.docx) to be taken
// elsewhere, which is the way out on a computer with no word processor at all.

#include "core/common/Errors.h"
#include "core/report/Report.h"

#include <QDateTime>
#include <QString>
#include <functional>

class QWidget;

namespace mirvane::word {

// Whether there is a word processor to show the document in. On Windows this is
// Word's registration (the default value of Word.Document\CurVer under the classes
// root); elsewhere a desktop handler for Word templates, or LibreOffice on the path.
bool wordProcessorAvailable();

// Tests replace the detection, the opener and the save dialog (which answers the
// chosen file, or an empty text when called off); nullptr restores the real ones.
void setWordProcessorCheck(std::function<bool()> check);
void setDocumentOpener(std::function<bool(const QString& file)> opener);
using SaveChooser = std::function<QString(QWidget* parent, const QString& suggestedName)>;
void setSaveChooser(SaveChooser chooser);

// The name the breakdown's document gets.
inline QString breakdownDocumentName() {
    return QStringLiteral("FaizDokumu.dotx");
}

// What the status area says while the word processor starts, which may take a
// while or happen out of sight.
QString openingStatus();

// The notice shown when there is none: on Windows "Bilgisayarınızda MS Word yüklü
// değil!", elsewhere one naming the word processors looked for.
QString noWordProcessorNotice();
// The notice with its way out: the question whether to save the document instead.
QString noWordProcessorQuestion();

// Removes the export folders under `temporaryLocation` last changed more than a day
// before `now`.
void removeOldExportFolders(const QString& temporaryLocation, const QDateTime& now);

// Writes the template for `document` as `name` into a fresh folder under the
// temporary location and returns the file's path. The folder stays: the word
// processor may read the file long after this returns.
Result<QString> makeDocument(const report::Document& document,
                             const QString& name = breakdownDocumentName());

// Hands `file` to the word processor through the opener.
Status showDocument(const QString& file);

// What a window lends the export: its status area, and its own way of saving the
// report as a Word document, offered when there is no word processor.
struct WindowHooks {
    std::function<void(const QString& text)> showStatus;
    std::function<void()> saveInstead;
};

// The whole export, in its order: the status says the document is on its way;
// without a word processor the notice, offering to save instead (nothing composed,
// nothing copied unless the user takes that way); otherwise `compose` returns the
// report (the breakdown's copies the whole list to the clipboard on the way), then
// the document is made from it and shown. A failing step goes through the error
// report; continuing runs the next step.
void exportToWordProcessor(const std::function<report::Document()>& compose,
                           const QString& name = breakdownDocumentName(),
                           const WindowHooks& hooks = {});

// A file name for a Word document from the report's title, as the PDF's is made
// ("İcra 2024/1234" -> "İcra 2024_1234.docx").
QString suggestedFileName(const QString& title);

// Asks where to save `document` as a Word document (Qt's file dialog, .docx) and
// writes it with the safe write. A failure goes through the error report. The
// file's path when written; empty when called off or failed.
QString saveDocument(QWidget* parent, const report::Document& document,
                     const QString& suggestedName);

// What the status area says once a document is saved.
QString savedStatus(const QString& file);

} // namespace mirvane::word
