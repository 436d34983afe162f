#pragma once

// "Listeyi MS Word'e Aktar": the breakdown goes to the clipboard and, as a table,
// into a new document of the computer's word processor. Without Word automation
// the document is a template written beside nothing the user owns (a fresh
// temporary folder) and handed to the desktop, which opens it as a new, unsaved
// document.

#include "common/Errors.h"

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

// Writes the template for `exportText` into a fresh folder under the temporary
// location and returns the file's path. The folder stays: the word processor may
// read the file long after this returns.
Result<QString> makeDocument(const QString& exportText);

// Hands `file` to the word processor through the opener.
Status showDocument(const QString& file);

// The whole export, in its order: without a word processor only the notice
// "Bilgisayarınızda MS Word yüklü değil!" (nothing copied); otherwise
// `copyWholeList` runs the whole-list copy and returns the text it put on the
// clipboard, then the document is made from that text and shown. A failing step
// goes through the error report; continuing runs the next step.
void exportToWordProcessor(const std::function<QString()>& copyWholeList);

} // namespace mirvane::word
