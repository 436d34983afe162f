#include "ui/report/WordExport.h"
#include "ui/report/WordProcessor.h"

#include <QDesktopServices>
#include <QSettings>
#include <QUrl>

namespace mirvane::word {

namespace {

// The key's default value has the empty name; QSettings calls it "Default".
QString readRegistryString(const QString& root, const QString& subkey, const QString& valueName) {
    const QSettings key(root + QLatin1Char('\\') + subkey, QSettings::NativeFormat);
    return key.value(valueName.isEmpty() ? QStringLiteral("Default") : valueName).toString();
}

} // namespace

// Word registers its document class for the user or for the machine. HKEY_CLASSES_ROOT
// is Windows' merged view of both; asking each half answers the same on Windows and also
// where that view holds only the machine's classes (Wine).
bool realWordProcessorCheck() {
    for (const QString& classes : {QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"),
                                   QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Classes")}) {
        if (!readRegistryString(classes, QStringLiteral("Word.Document\\CurVer"), QString())
                 .isEmpty()) {
            return true;
        }
    }
    return false;
}

bool openWithDesktop(const QString& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

QString noWordProcessorNotice() {
    return QStringLiteral("Bilgisayarınızda MS Word yüklü değil!");
}

} // namespace mirvane::word
