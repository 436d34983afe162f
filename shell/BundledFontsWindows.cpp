#include "shell/BundledFonts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace mirvane::shell {

namespace {

bool installed(const QString& face) {
    return QFontDatabase::families().contains(face, Qt::CaseInsensitive);
}

void addShippedFaces() {
    // Every Windows has Arial, which the report embeds and whose widths the windows'
    // fallback face shares; only where it is missing are the shipped faces read.
    for (const QString& face : {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}) {
        if (installed(face)) {
            return;
        }
    }
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& file : folder.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
        QFontDatabase::addApplicationFont(folder.filePath(file));
    }
}

// A face is drawn as named only when it is installed: a name the system merely maps on
// (MS Shell Dlg) is drawn in whatever it maps to.
bool drawnAsNamed(const QFont& font) {
    return QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0;
}

// Wine without fonts of its own names a desktop face it maps on a missing Tahoma: every
// window laid out by Qt and every message box would then be drawn in a serif stand-in
// wider than the fields were measured for, and a date would lose its last digit.
void replaceMissingDesktopFace() {
    QFont desktop = QApplication::font();
    if (drawnAsNamed(desktop)) {
        return;
    }
    for (const QString& face : {QStringLiteral("Segoe UI"), QStringLiteral("Tahoma"),
                                QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}) {
        if (drawnAsNamed(QFont(face))) {
            desktop.setFamily(face);
            // Also drops the faces the desktop named for menus, message boxes and tips.
            QApplication::setFont(desktop);
            return;
        }
    }
}

} // namespace

void registerBundledFonts() {
    addShippedFaces();
    replaceMissingDesktopFace();
}

} // namespace mirvane::shell
