#include "ui/main/ListFileActions.h"

#include "core/ratelist/FolderState.h"
#include "core/ratelist/RateListStore.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "ui/about/HakkindaFormu.h"
#include "ui/about/RatePackageDialog.h"
#include "ui/claim/DosyaHesabiFormu.h"
#include "ui/editor/ListeEkleFormu.h"
#include "ui/editor/ListeGuncelleFormu.h"
#include "ui/span/SureHesaplamaFormu.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace mirvane::ui {

namespace {

const QString LastListNotice = QStringLiteral("En az (1) faiz oranı listesi kalması gerekiyor!");
const QString DeleteQuestionTail =
    QStringLiteral(" adlı listeyi silmek istediğinizden emin misiniz?");

} // namespace

ListFileActions::ListFileActions(app::BreakdownSession& session, ListFileActionParts parts)
    : session_(session), parts_(std::move(parts)) {
    QWidget* window = parts_.window;
    QObject::connect(parts_.SonDönemUyarısıEtiketi, &QLabel::linkActivated, window,
                     [this](const QString& link) { SonDönemUyarısıBağlantısıTıklandı(link); });
    const std::pair<QPushButton*, void (ListFileActions::*)()> buttons[] = {
        {parts_.ListeSilButonu, &ListFileActions::deleteSelectedList},
        {parts_.YeniListeEkleButonu, &ListFileActions::YeniListeEkleButonuTıklandı},
        {parts_.ListeyiGüncelleButonu, &ListFileActions::ListeyiGüncelleButonuTıklandı},
        {parts_.SüreHesaplaButonu, &ListFileActions::SüreHesaplaButonuTıklandı},
        {parts_.HakkındaButonu, &ListFileActions::HakkındaButonuTıklandı},
        {parts_.DosyaHesabıButonu, &ListFileActions::DosyaHesabıButonuTıklandı},
    };
    for (const auto& [button, handler] : buttons) {
        QObject::connect(button, &QPushButton::clicked, window,
                         [this, handler] { (this->*handler)(); });
    }
}

void ListFileActions::YeniListeEkleButonuTıklandı() {
    ListeEkleFormu window(parts_.window);
    openModal(window, [&window] { return window.savedListName(); });
}

void ListFileActions::ListeyiGüncelleButonuTıklandı() {
    const int row = parts_.FaizDosyalarıListesi->currentRow();
    if (row < 0) {
        return; // the update window needs a selected list
    }
    ListeGüncelleFormu window(session_.nameAt(row), parts_.window);
    openModal(window);
}

void ListFileActions::SonDönemUyarısıBağlantısıTıklandı(const QString& link) {
    if (link == QStringLiteral("oran-paketi")) {
        installRatePackage(parts_.window);
        return;
    }
    const int row = parts_.FaizDosyalarıListesi->currentRow();
    if (row < 0) {
        return;
    }
    ListeGüncelleFormu window(session_.nameAt(row), parts_.window);
    window.bringCurrent();
    openModal(window);
}

void ListFileActions::SüreHesaplaButonuTıklandı() {
    SüreHesaplamaFormu form(parts_.window);
    openModal(form);
}

// Claim windows are not modal: several may be open beside the main window.
void ListFileActions::DosyaHesabıButonuTıklandı() {
    DosyaHesabıFormu::openNew(parts_.window);
}

void ListFileActions::HakkındaButonuTıklandı() {
    HakkındaFormu form(parts_.window);
    openModal(form);
}

void ListFileActions::openModal(QDialog& dialog, const std::function<std::string()>& savedList) {
    const int row = parts_.FaizDosyalarıListesi->currentRow();
    session_.rememberSelection(row);
    const std::vector<store::ListFileState> before = store::folderState(shell::shared().ListFolder);
    dialog.exec();
    const std::string saved = savedList ? savedList() : std::string();
    if (!saved.empty() || store::folderState(shell::shared().ListFolder) != before) {
        parts_.refreshListNames(saved);
    }
}

void ListFileActions::deleteSelectedList() {
    if (!shell::shared().ListFolderWritable) {
        return;
    }
    QListWidget* lists = parts_.FaizDosyalarıListesi;
    if (lists->count() == 1) {
        shell::showNotice(LastListNotice);
        return;
    }
    const int row = lists->currentRow();
    if (row < 0) {
        return;
    }
    const std::string name = session_.nameAt(row);
    if (!shell::askYesNo(u'"' + shell::toQString(name) + u'"' + DeleteQuestionTail)) {
        return;
    }
    // A list whose file is still there must not vanish from view as if deleted.
    const Status deleted =
        store::deleteListFile(store::listFilePath(shell::shared().ListFolder, name));
    if (!deleted && deleted.error().number != errors::FileNotFound) {
        shell::reportError(deleted.error());
        return;
    }
    const int next = int(session_.removeList(std::size_t(row)));
    {
        const QSignalBlocker quiet(lists);
        delete lists->takeItem(row);
        lists->setCurrentRow(next);
    }
    parts_.showList(next);
}

} // namespace mirvane::ui
