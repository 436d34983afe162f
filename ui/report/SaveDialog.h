#pragma once

// What the PDF and the Word document's save dialogs share: Qt's own dialog, so that it
// looks and behaves the same on every desktop (it asks before replacing a file), opened
// in the folder the last report of its kind went to.

#include <QString>
#include <optional>
#include <string>

class QFileDialog;

namespace mirvane::ui {

// `kept`, the folder a report was saved in last; at first the documents folder.
QString reportFolderOr(const std::optional<std::string>& kept);

// Sets `dialog` up to save one file ending in `suffix` ("pdf"), named `objectName`,
// with `suggestedName` filled in.
void prepareSaveDialog(QFileDialog& dialog, const QString& objectName, const QString& suffix,
                       const QString& suggestedName);

// Runs the dialog; the file chosen, or an empty text when called off.
QString chosenFile(QFileDialog& dialog);

} // namespace mirvane::ui
