#include "documents/WordDocument.h"
#include "shell/Convert.h"
#include "ui/report/WordExport.h"
#include "ui/report/WordProcessor.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace mirvane::word {

namespace {

QString knownWordProcessor() {
    for (const QString& name :
         {QStringLiteral("soffice"), QStringLiteral("libreoffice"), QStringLiteral("lowriter")}) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty()) {
            return program;
        }
    }
    return {};
}

bool desktopHandlesTemplates() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        return false;
    }
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

} // namespace

bool realWordProcessorCheck() {
    return !knownWordProcessor().isEmpty() || desktopHandlesTemplates();
}

// Detection also accepts LibreOffice on the path when the desktop has no handler
// for templates, so opening falls back to it.
bool openWithDesktop(const QString& file) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
        return true;
    }
    const QString program = knownWordProcessor();
    return !program.isEmpty() && QProcess::startDetached(program, {file});
}

QString noWordProcessorNotice() {
    return QStringLiteral("Bilgisayarınızda bir kelime işlemci (Microsoft Word ya da "
                          "LibreOffice Writer) bulunamadı!");
}

} // namespace mirvane::word
