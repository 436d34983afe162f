#include "desktop/Startup.h"

#include "core/app/AppInfo.h"
#include "core/ratelist/RateListStore.h"
#include "shell/BundledFonts.h"
#include "shell/Convert.h"
#include "shell/FusionPictures.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "shell/SingleInstance.h"
#include "shell/Translations.h"
#include "ui/about/ProgramIcon.h"
#include "ui/claim/DosyaHesabiFormu.h"
#include "ui/main/AnaForm.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <array>
#include <functional>
#include <memory>

namespace mirvane::desktop {

// The start-up is made of the shell's services.
using namespace shell;

namespace {

// Each start-up step runs under the error report; a failed step is skipped when
// the user chooses to go on. False once the user chose to end.
bool runStartStep(const std::function<void()>& step) {
    runStep([&step] {
        step();
        return Status{};
    });
    return !endRequested();
}

// The claim files the program was started with ("mirvane DOSYA.mirvane", or several
// from the file manager), as absolute paths.
QStringList filesToOpen(const QStringList& arguments) {
    QStringList files;
    for (const QString& argument : arguments.mid(1)) {
        if (!argument.startsWith(u'-')) {
            files << QFileInfo(argument).absoluteFilePath();
        }
    }
    return files;
}

void nameTheProgram() {
    QCoreApplication::setOrganizationName(toQString(app::MakerName));
    QCoreApplication::setApplicationName(toQString(app::ProductName));
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

} // namespace

int runProgram(int argc, char** argv) {
    QApplication application(argc, argv);
    nameTheProgram();
    registerBundledFonts();
    QApplication::setWindowIcon(programIcon());
    installQtTranslations(application);
    cacheFusionPictures();
    SharedValues& values = shared();

    if (!runStartStep([&values] {
            values.MainWindowTitle = toQString(app::mainWindowTitle(app::currentVersion()));
        }))
        return 1;

    const QStringList files = filesToOpen(QCoreApplication::arguments());
    SingleInstance instance(values.MainWindowTitle);
    bool firstCopy = true;
    if (!runStartStep([&] { firstCopy = instance.claim(files); })) {
        return 1;
    }
    if (!firstCopy) {
        return 0;
    }

    if (!runStartStep([&values] { values.LabelHighlightColour = DefaultLabelHighlightColour; })) {
        return 1;
    }

    std::unique_ptr<AnaForm> window;
    if (!runStartStep([&] { window = std::make_unique<AnaForm>(); })) {
        return 1;
    }
    // Without its main window the program has nothing to wait for.
    if (!window) {
        return 0;
    }
    // From here on an end asked for in the error report closes the main window, so
    // that nothing typed into a claim window is lost.
    setProgramCloser([form = window.get()] { form->endProgram(); });
    runStartStep([&] {
        instance.setRaiseHandler([form = window.get()] { bringToFront(form); });
        instance.setOpenHandler(
            [form = window.get()](const QString& file) { DosyaHesabıFormu::openFile(file, form); });
        window->show();
    });
    // Nothing reads the list folder before the window is up (its first list refresh,
    // a claim file's rates), so the folder is chosen after the window is shown: the
    // choice creates and removes a file to try the program's folder, which the
    // window need not wait for. Once the user chose to end, the remaining steps are
    // skipped and the queued close ends the program.
    const std::array<std::function<void()>, 4> laterSteps{
        [&values] { values.ProgramFolder = toPath(QCoreApplication::applicationDirPath()); },
        [&values] { values.ListFolder = store::chooseListFolder(values.ProgramFolder); },
        // What a crash or a kill left unsaved is offered before any file is opened.
        [&] { DosyaHesabıFormu::startRecovery(window.get()); },
        [&] {
            for (const QString& file : files) {
                DosyaHesabıFormu::openFile(file, window.get());
            }
        }};
    for (const std::function<void()>& step : laterSteps) {
        if (!endRequested()) {
            runStartStep(step);
        }
    }
    const int code = application.exec();
    setProgramCloser(nullptr);
    return code;
}

} // namespace mirvane::desktop
