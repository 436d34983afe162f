// Built into mirvane-hesap only when the program is built with Qt: the PDF writer
// of the windows, run without a window. Qt is started on the first PDF, on a
// platform that needs no display unless the caller chose another, so the other verbs
// never touch it.

#include "cli/QtPdfWriter.h"

#include "cli/PdfOutput.h"
#include "cli/Platform.h"
#include "cli/WordOutput.h"
#include "documents/PdfDocument.h"
#include "documents/WordDocument.h"
#include "shell/Convert.h"

#include <QFile>
#include <QGuiApplication>
#include <memory>

namespace mirvane::cli {

namespace {

void startQt() {
    if (QCoreApplication::instance()) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", platform::qtPlatformWithoutDisplay());
    }
    static int argc = 1;
    static char name[] = "mirvane-hesap";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> application =
        std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

void installQtPdfWriter() {
    setPdfWriter([](const report::Document& document, const std::filesystem::path& file) {
        startQt();
        return pdf::write(document, shell::fromPath(file));
    });
    setWordWriter([](const report::Document& document, const std::filesystem::path& file) {
        startQt();
        // A .dotx opens as a new, untitled document; anything else is a document to keep.
        const bool asTemplate = shell::fromPath(file.extension())
                                    .compare(QStringLiteral(".dotx"), Qt::CaseInsensitive) == 0;
        return word::writePackage(file, document,
                                  asTemplate ? word::Kind::Template : word::Kind::Document);
    });
}

} // namespace mirvane::cli
