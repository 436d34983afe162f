#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace mirvane::shell {

bool installQtTranslations(QCoreApplication& application) {
    // Owned by the application, so it lives as long as anything can ask for a text.
    auto* translator = new QTranslator(&application);
    const bool loaded =
        translator->load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace mirvane::shell
