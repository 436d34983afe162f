#include "ui/report/PdfExport.h"

#include "shell/Messages.h"
#include "ui/report/PdfDocument.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

namespace mirvane::pdf {

namespace {

const QString SettingsGroup = QStringLiteral("Raporlar");
const QString FolderKey = QStringLiteral("PDF Klasoru");
const QString OpenKey = QStringLiteral("PDF Acilsin");

// The dialog of Qt's own, so the tick can stand in it on every desktop.
std::optional<SaveChoice> askWithDialog(QWidget* parent, const QString& suggestedName) {
    QSettings settings;
    settings.beginGroup(SettingsGroup);
    const QString folder = reportFolder();
    QFileDialog dialog(parent, QStringLiteral("PDF Olarak Kaydet"), folder,
                       QStringLiteral("PDF belgeleri (*.pdf)"));
    dialog.setObjectName(QStringLiteral("PdfKaydetPenceresi"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggestedName);
    auto* openAfterwards = new QCheckBox(QStringLiteral("Kaydettikten sonra &aç"), &dialog);
    openAfterwards->setObjectName(QStringLiteral("SonraAcOnayi"));
    openAfterwards->setChecked(settings.value(OpenKey, true).toBool());
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(openAfterwards, grid->rowCount(), 0, 1, -1);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    SaveChoice choice{dialog.selectedFiles().constFirst(), openAfterwards->isChecked()};
    settings.setValue(FolderKey, QFileInfo(choice.file).absolutePath());
    settings.setValue(OpenKey, choice.openAfterwards);
    return choice;
}

bool openWithViewer(const QString& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

SaveChooser installedChooser;
std::function<bool(const QString&)> installedOpener;

} // namespace

QString reportFolder() {
    QSettings settings;
    settings.beginGroup(SettingsGroup);
    return settings
        .value(FolderKey, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .toString();
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
    while (!name.isEmpty() && (name.back() == u'.' || name.back() == u' '))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("Rapor");
    return name + QStringLiteral(".pdf");
}

bool saveReport(QWidget* parent, const report::Document& document, const QString& suggestedName) {
    const std::optional<SaveChoice> choice = installedChooser
                                                 ? installedChooser(parent, suggestedName)
                                                 : askWithDialog(parent, suggestedName);
    if (!choice)
        return false;
    const Status written = write(document, choice->file);
    if (!written) {
        shell::ReportError(written.error());
        return false;
    }
    if (choice->openAfterwards) {
        const bool opened =
            installedOpener ? installedOpener(choice->file) : openWithViewer(choice->file);
        // The report is written; only the viewer is missing, which the user can
        // make up for: no error report.
        if (!opened)
            shell::showNotice(QStringLiteral("PDF kaydedildi, ancak açacak bir program "
                                             "bulunamadı: ") +
                              QDir::toNativeSeparators(choice->file));
    }
    return true;
}

} // namespace mirvane::pdf
