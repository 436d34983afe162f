#include "ui/report/WordExport.h"

#include "core/settings/ProgramSettings.h"
#include "documents/WordDocument.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/QtSettingsStore.h"
#include "ui/report/PdfExport.h"
#include "ui/report/SaveDialog.h"
#include "ui/report/WordProcessor.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <utility>

namespace mirvane::word {

namespace {

// The dialog of Qt's own, as the PDF's.
QString askWithDialog(QWidget* parent, const QString& suggestedName) {
    shell::QtSettingsStore store;
    settings::ReportSettings kept(store);
    // A first Word document goes where the PDF went.
    QFileDialog dialog(parent, QStringLiteral("Word Belgesi Olarak Kaydet"),
                       ui::reportFolderOr(kept.wordFolder()),
                       QStringLiteral("Word belgeleri (*.docx)"));
    ui::prepareSaveDialog(dialog, QStringLiteral("WordKaydetPenceresi"), QStringLiteral("docx"),
                          suggestedName);
    const QString file = ui::chosenFile(dialog);
    if (!file.isEmpty()) {
        kept.rememberWordFolder(shell::toStdString(QFileInfo(file).absolutePath()));
    }
    return file;
}

std::function<bool()> installedCheck;
std::function<bool(const QString&)> installedOpener;
SaveChooser installedChooser;

} // namespace

bool wordProcessorAvailable() {
    return installedCheck ? installedCheck() : realWordProcessorCheck();
}

void setWordProcessorCheck(std::function<bool()> check) {
    installedCheck = std::move(check);
}

void setDocumentOpener(std::function<bool(const QString&)> opener) {
    installedOpener = std::move(opener);
}

void setSaveChooser(SaveChooser chooser) {
    installedChooser = std::move(chooser);
}

QString openingStatus() {
    return QStringLiteral("Belge kelime işlemcide açılıyor…");
}

QString noWordProcessorQuestion() {
    return noWordProcessorNotice() +
           QStringLiteral("\n\nBelge, başka bir bilgisayarda açmak üzere Word belgesi (.docx) "
                          "olarak kaydedilebilir. Kaydedilsin mi?");
}

// Only folders this program made are touched: named as it names them, holding
// nothing but its documents.
void removeOldExportFolders(const QString& temporaryLocation, const QDateTime& now) {
    const QDir location(temporaryLocation);
    const QDateTime dayAgo = now.addDays(-1);
    for (const QFileInfo& entry : location.entryInfoList({QStringLiteral("mirvane-??????")},
                                                         QDir::Dirs | QDir::NoSymLinks)) {
        if (entry.lastModified() >= dayAgo) {
            continue;
        }
        QDir folder(entry.absoluteFilePath());
        const QFileInfoList content = folder.entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot);
        const bool onlyDocuments =
            std::all_of(content.begin(), content.end(), [](const QFileInfo& file) {
                return file.isFile() && !file.isSymLink() &&
                       file.suffix().compare(QStringLiteral("dotx"), Qt::CaseInsensitive) == 0;
            });
        if (onlyDocuments) {
            folder.removeRecursively();
        }
    }
}

Result<QString> makeDocument(const report::Document& document, const QString& name) {
    // Qt answers an empty path when the temporary folder it is told to use does not
    // exist; the pattern would then put the folder at the file system's root.
    const QString temporaryLocation = QDir::tempPath();
    if (temporaryLocation.isEmpty()) {
        return errors::make(errors::PathNotFound);
    }
    // The word processor reads a document long after it was handed over, so each
    // stays a day; older ones go now.
    removeOldExportFolders(temporaryLocation, QDateTime::currentDateTime());
    QTemporaryDir folder(temporaryLocation + QStringLiteral("/mirvane-XXXXXX"));
    if (!folder.isValid()) {
        return errors::make(errors::PathFileAccessError);
    }
    const QString file = folder.filePath(name);
    const Status written = writeTemplate(shell::toPath(file), document);
    if (!written) {
        return written.error();
    }
    folder.setAutoRemove(false);
    return file;
}

Status showDocument(const QString& file) {
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        return errors::make(errors::FileNotFound);
    }
    const bool opened = installedOpener ? installedOpener(file) : openWithDesktop(file);
    if (!opened) {
        return errors::make(errors::CannotStartProgram, "Kelime işlemci başlatılamadı");
    }
    return {};
}

void exportToWordProcessor(const std::function<report::Document()>& compose, const QString& name,
                           const WindowHooks& hooks) {
    const auto status = [&hooks](const QString& text) {
        if (hooks.showStatus) {
            hooks.showStatus(text);
        }
    };
    // Looking for a word processor may itself take a moment.
    status(openingStatus());
    if (!wordProcessorAvailable()) {
        status(QString());
        if (!hooks.saveInstead) {
            shell::showNotice(noWordProcessorNotice());
            return;
        }
        if (shell::askYesNo(noWordProcessorQuestion())) {
            hooks.saveInstead();
        }
        return;
    }
    const report::Document document = compose();
    QString file;
    const bool goOn = shell::runStep([&]() -> Status {
        Result<QString> made = makeDocument(document, name);
        if (!made) {
            return made.error();
        }
        file = made.value();
        return {};
    });
    if (!goOn) {
        return;
    }
    // The status stays while the word processor starts, which it may do slowly or
    // out of sight; a failure to start takes it away.
    bool shown = false;
    shell::runStep([&] {
        const Status showing = showDocument(file);
        shown = showing.ok();
        return showing;
    });
    if (!shown) {
        status(QString());
    }
}

QString suggestedFileName(const QString& title) {
    QString name = pdf::suggestedFileName(title);
    name.chop(int(QStringLiteral(".pdf").size()));
    return name + QStringLiteral(".docx");
}

QString savedStatus(const QString& file) {
    return QStringLiteral("Word belgesi kaydedildi: ") + QDir::toNativeSeparators(file);
}

QString saveDocument(QWidget* parent, const report::Document& document,
                     const QString& suggestedName) {
    const QString file = installedChooser ? installedChooser(parent, suggestedName)
                                          : askWithDialog(parent, suggestedName);
    if (file.isEmpty()) {
        return {};
    }
    const Status written = writePackage(shell::toPath(file), document, Kind::Document);
    if (!written) {
        const QString what = QStringLiteral("Word belgesi yazılamadı: ") +
                             QDir::toNativeSeparators(file) + QStringLiteral(" (") +
                             shell::toQString(written.error().description) + QLatin1Char(')');
        shell::reportError(errors::make(written.error().number, shell::toStdString(what)));
        return {};
    }
    return file;
}

} // namespace mirvane::word
