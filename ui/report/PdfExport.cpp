#include "ui/report/PdfExport.h"

#include "core/settings/ProgramSettings.h"
#include "documents/PdfDocument.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/QtSettingsStore.h"
#include "ui/report/SaveDialog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QUrl>
#include <utility>

namespace mirvane::pdf {

namespace {

// The dialog of Qt's own, so the tick can stand in it on every desktop.
std::optional<SaveChoice> askWithDialog(QWidget* parent, const QString& suggestedName) {
    shell::QtSettingsStore store;
    settings::ReportSettings kept(store);
    QFileDialog dialog(parent, QStringLiteral("PDF Olarak Kaydet"), reportFolder(),
                       QStringLiteral("PDF belgeleri (*.pdf)"));
    ui::prepareSaveDialog(dialog, QStringLiteral("PdfKaydetPenceresi"), QStringLiteral("pdf"),
                          suggestedName);
    auto* openAfterwards = new QCheckBox(QStringLiteral("Kaydettikten sonra &aç"), &dialog);
    openAfterwards->setObjectName(QStringLiteral("SonraAcOnayi"));
    openAfterwards->setChecked(kept.openPdfAfterSaving());
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(openAfterwards, grid->rowCount(), 0, 1, -1);
    }
    const QString file = ui::chosenFile(dialog);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    SaveChoice choice{file, openAfterwards->isChecked()};
    kept.rememberPdf(shell::toStdString(QFileInfo(choice.file).absolutePath()),
                     choice.openAfterwards);
    return choice;
}

bool openWithViewer(const QString& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

SaveChooser installedChooser;
std::function<bool(const QString&)> installedOpener;

} // namespace

QString reportFolder() {
    shell::QtSettingsStore store;
    return ui::reportFolderOr(settings::ReportSettings(store).pdfFolder());
}

void setSaveChooser(SaveChooser chooser) {
    installedChooser = std::move(chooser);
}

void setViewerOpener(std::function<bool(const QString&)> opener) {
    installedOpener = std::move(opener);
}

QString suggestedFileName(const QString& title) {
    QString name;
    for (const QChar c : title.trimmed()) {
        const bool kept = c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'.' ||
                          c == u'(' || c == u')' || c == u',';
        name += kept ? c : QChar(u'_');
    }
    // "Dosya." would give "Dosya..pdf".
    while (!name.isEmpty() && (name.back() == u'.' || name.back() == u' ')) {
        name.chop(1);
    }
    if (name.isEmpty()) {
        name = QStringLiteral("Rapor");
    }
    return name + QStringLiteral(".pdf");
}

bool saveReport(QWidget* parent, const report::Document& document, const QString& suggestedName) {
    const std::optional<SaveChoice> choice = installedChooser
                                                 ? installedChooser(parent, suggestedName)
                                                 : askWithDialog(parent, suggestedName);
    if (!choice) {
        return false;
    }
    const Status written = write(document, choice->file);
    if (!written) {
        shell::reportError(written.error());
        return false;
    }
    if (choice->openAfterwards) {
        const bool opened =
            installedOpener ? installedOpener(choice->file) : openWithViewer(choice->file);
        // The report is written; only the viewer is missing, which the user can
        // make up for: no error report.
        if (!opened) {
            shell::showNotice(QStringLiteral("PDF kaydedildi, ancak açacak bir program "
                                             "bulunamadı: ") +
                              QDir::toNativeSeparators(choice->file));
        }
    }
    return true;
}

} // namespace mirvane::pdf
