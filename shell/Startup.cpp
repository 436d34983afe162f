#include "shell/Startup.h"

#include "app/AppInfo.h"
#include "ratelist/RateListStore.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "shell/SingleInstance.h"
#include "shell/Translations.h"
#include "ui/about/ProgramIcon.h"
#include "ui/main/AnaForm.h"

#include <QApplication>
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
    SharedValues& values = shared();

    runStartStep([&values] {
        values.MainWindowTitle = toQString(app::MainWindowTitle(app::currentVersion()));
    });

    SingleInstance instance(values.MainWindowTitle);
    bool firstCopy = true;
    runStartStep([&] { firstCopy = instance.claim(); });
    if (!firstCopy)
        return 0;

    runStartStep(
        [&values] { values.ProgramFolder = toPath(QCoreApplication::applicationDirPath()); });
    runStartStep([&values] { values.ListFolder = store::chooseListFolder(values.ProgramFolder); });
    runStartStep([&values] { values.LabelHighlightColour = DefaultLabelHighlightColour; });

    std::unique_ptr<AnaForm> window;
    runStartStep([&] {
        window = std::make_unique<AnaForm>();
        instance.setRaiseHandler([form = window.get()] { bringToFront(form); });
        window->show();
    });
    // Without its main window the program has nothing to wait for.
    if (!window)
        return 0;
    return application.exec();
}

} // namespace mirvane::shell
