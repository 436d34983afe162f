#pragma once

// A report goes into a new document of the computer's word processor ("Listeyi MS
// Word'e Aktar" sends the breakdown to the clipboard first). Without Word automation
// the document is a template written beside nothing the user owns (a fresh
// temporary folder) and handed to the desktop, which opens it as a new, unsaved
// document.

#include "common/Errors.h"
#include "report/Report.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace mirvane::word {

// Whether there is a word processor to show the document in. On Windows this is
// Word's registration (the default value of Word.Document\CurVer under the classes
// root); elsewhere a desktop handler for Word templates, or LibreOffice on the path.
bool wordProcessorAvailable();

// Tests replace the detection and the opener; nullptr restores the real ones.
void setWordProcessorCheck(std::function<bool()> check);
void setDocumentOpener(std::function<bool(const QString& file)> opener);

// The name the breakdown's document gets.
inline const char* const BreakdownDocumentName = "FaizDokumu.dotx";

// Writes the template for `document` as `name` into a fresh folder under the
// temporary location and returns the file's path. The folder stays: the word
// processor may read the file long after this returns.
// The notice shown when there is none: on Windows "Bilgisayarınızda MS Word yüklü
// değil!", elsewhere one naming the word processors looked for.
QString noWordProcessorNotice();

// Removes the export folders under `temporaryLocation` last changed more than a day
// before `now`.
void removeOldExportFolders(const QString& temporaryLocation, const QDateTime& now);

Result<QString> makeDocument(const report::Document& document,
                             const QString& name = QString::fromLatin1(BreakdownDocumentName));

// Hands `file` to the word processor through the opener.
Status showDocument(const QString& file);

// The whole export, in its order: without a word processor only the notice
// "Bilgisayarınızda MS Word yüklü değil!" (nothing composed, nothing copied);
// otherwise `compose` returns the report (the breakdown's copies the whole list to
// the clipboard on the way), then the document is made from it and shown. A
// failing step goes through the error report; continuing runs the next step.
void exportToWordProcessor(const std::function<report::Document()>& compose,
                           const QString& name = QString::fromLatin1(BreakdownDocumentName));

} // namespace mirvane::word
