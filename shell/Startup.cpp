#include "shell/Startup.h"

#include "app/AppInfo.h"
#include "ratelist/RateListStore.h"
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
#include <memory>

namespace mirvane::shell {

namespace {

// Each start-up step runs under the error report; a failed step is skipped when
// the user chooses to go on.
void runStartStep(const std::function<void()>& step) {
    runStep([&step] {
        step();
        return Status{};
    });
}

// The claim files the program was started with ("mirvane DOSYA.mirvane", or several
// from the file manager), as absolute paths.
QStringList filesToOpen(const QStringList& arguments) {
    QStringList files;
    for (const QString& argument : arguments.mid(1)) {
        if (!argument.startsWith(u'-'))
            files << QFileInfo(argument).absoluteFilePath();
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
    QApplication::setWindowIcon(programIcon());
    installQtTranslations(application);
    cacheFusionPictures();
    SharedValues& values = shared();

    runStartStep([&values] {
        values.MainWindowTitle = toQString(app::MainWindowTitle(app::currentVersion()));
    });

    const QStringList files = filesToOpen(QCoreApplication::arguments());
    SingleInstance instance(values.MainWindowTitle);
    bool firstCopy = true;
    runStartStep([&] { firstCopy = instance.claim(files); });
    if (!firstCopy)
        return 0;

    runStartStep([&values] { values.LabelHighlightColour = DefaultLabelHighlightColour; });

    std::unique_ptr<AnaForm> window;
    runStartStep([&] {
        window = std::make_unique<AnaForm>();
        instance.setRaiseHandler([form = window.get()] { bringToFront(form); });
        instance.setOpenHandler(
            [form = window.get()](const QString& file) { DosyaHesabıFormu::openFile(file, form); });
        window->show();
    });
    // Without its main window the program has nothing to wait for.
    if (!window)
        return 0;
    // Nothing reads the list folder before the window is up (its first list refresh,
    // a claim file's rates), so the folder is chosen after the window is shown: the
    // choice creates and removes a file to try the program's folder, which the
    // window need not wait for.
    runStartStep(
        [&values] { values.ProgramFolder = toPath(QCoreApplication::applicationDirPath()); });
    runStartStep([&values] { values.ListFolder = store::chooseListFolder(values.ProgramFolder); });
    runStartStep([&] {
        for (const QString& file : files)
            DosyaHesabıFormu::openFile(file, window.get());
    });
    return application.exec();
}

} // namespace mirvane::shell
