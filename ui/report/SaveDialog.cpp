#include "ui/report/SaveDialog.h"

#include "shell/Convert.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace mirvane::ui {

QString reportFolderOr(const std::optional<std::string>& kept) {
    return kept ? shell::toQString(*kept)
                : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void prepareSaveDialog(QFileDialog& dialog, const QString& objectName, const QString& suffix,
                       const QString& suggestedName) {
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggestedName);
}

QString chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace mirvane::ui
