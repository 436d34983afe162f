#include "shell/BundledFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace mirvane::shell {

void registerBundledFonts() {
    // Every Windows has Arial, which the report embeds and whose widths the windows'
    // fallback face shares; only where it is missing are the shipped faces read.
    const QStringList installed = QFontDatabase::families();
    for (const char* face : {"Arial", "Liberation Sans"}) {
        if (installed.contains(QLatin1String(face), Qt::CaseInsensitive))
            return;
    }
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& file : folder.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(folder.filePath(file));
}

} // namespace mirvane::shell
