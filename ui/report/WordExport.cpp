#include "ui/report/WordExport.h"

#include "shell/Convert.h"
#include "shell/Messages.h"
#include "ui/report/WordDocument.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <utility>

#ifdef Q_OS_WIN
#include <QSettings>
#else
#include <QProcess>
#include <QStandardPaths>
#endif

namespace mirvane::word {

namespace {

#ifdef Q_OS_WIN

// The key's default value has the empty name; QSettings calls it "Default".
QString ReadRegistryString(const QString& root, const QString& subkey, const QString& valueName) {
    const QSettings key(root + QLatin1Char('\\') + subkey, QSettings::NativeFormat);
    return key.value(valueName.isEmpty() ? QStringLiteral("Default") : valueName).toString();
}

bool realWordProcessorCheck() {
    return !ReadRegistryString(QStringLiteral("HKEY_CLASSES_ROOT"),
                               QStringLiteral("Word.Document\\CurVer"), QString())
                .isEmpty();
}

bool openWithDesktop(const QString& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

#else

QString knownWordProcessor() {
    for (const char* name : {"soffice", "libreoffice", "lowriter"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            return program;
    }
    return {};
}

bool desktopHandlesTemplates() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          shell::toQString(TemplateMimeType)});
    // A hanging query must not freeze the window for good.
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

bool realWordProcessorCheck() {
    return !knownWordProcessor().isEmpty() || desktopHandlesTemplates();
}

// Detection also accepts LibreOffice on the path when the desktop has no handler
// for templates, so opening falls back to it.
bool openWithDesktop(const QString& file) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        return true;
    const QString program = knownWordProcessor();
    return !program.isEmpty() && QProcess::startDetached(program, {file});
}

#endif

std::function<bool()> installedCheck;
std::function<bool(const QString&)> installedOpener;

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

Result<QString> makeDocument(const report::Document& document, const QString& name) {
    // Qt answers an empty path when the temporary folder it is told to use does not
    // exist; the pattern would then put the folder at the file system's root.
    const QString temporaryLocation = QDir::tempPath();
    if (temporaryLocation.isEmpty())
        return errors::make(errors::PathNotFound);
    QTemporaryDir folder(temporaryLocation + QStringLiteral("/mirvane-XXXXXX"));
    if (!folder.isValid())
        return errors::make(errors::PathFileAccessError);
    const QString file = folder.filePath(name);
    const Status written = writeTemplate(QFile::encodeName(file).toStdString(), document);
    if (!written)
        return written.error();
    folder.setAutoRemove(false);
    return file;
}

Status showDocument(const QString& file) {
    if (file.isEmpty() || !QFileInfo::exists(file))
        return errors::make(errors::FileNotFound);
    const bool opened = installedOpener ? installedOpener(file) : openWithDesktop(file);
    if (!opened)
        return errors::make(errors::CannotStartProgram, "Kelime işlemci başlatılamadı");
    return {};
}

void exportToWordProcessor(const std::function<report::Document()>& compose, const QString& name) {
    if (!wordProcessorAvailable()) {
        shell::showNotice(QStringLiteral("Bilgisayarınızda MS Word yüklü değil!"));
        return;
    }
    const report::Document document = compose();
    QString file;
    const bool goOn = shell::runStep([&]() -> Status {
        Result<QString> made = makeDocument(document, name);
        if (!made)
            return made.error();
        file = made.value();
        return {};
    });
    if (goOn)
        shell::runStep([&] { return showDocument(file); });
}

} // namespace mirvane::word
