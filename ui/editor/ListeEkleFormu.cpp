#include "ui/editor/ListeEkleFormu.h"

#include "core/interest/Breakdown.h"
#include "core/ratelist/FaizFile.h"
#include "core/ratelist/ListEditing.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/ReadyLists.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "ui/editor/ListeAdiGirisFormu.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

using namespace mirvane;
using shell::button;
using shell::toQString;
using shell::twips;

ListeEkleFormu::ListeEkleFormu(QWidget* owner)
    : PeriodEditor(owner, QStringLiteral("ListeEkleFormu"), QStringLiteral("Yeni Liste Ekle..."),
                   {1440, 1275, 840}) {
    ListeyiTemizleButonu_ = button(this, QStringLiteral("ListeyiTemizleButonu"),
                                   QStringLiteral("Listeyi Te&mizle"), twips(240, 5730, 1335, 345));
    ListeyiKaydetButonu_ = button(this, QStringLiteral("ListeyiKaydetButonu"),
                                  QStringLiteral("Listeyi &Kaydet"), twips(1650, 5730, 1335, 345));
    HazırListelerButonu_ = button(this, QStringLiteral("HazırListelerButonu"),
                                  QStringLiteral("&Hazır Listeler"), twips(3060, 5730, 1755, 345));
    auto* readyMenu = new QMenu(HazırListelerButonu_);
    readyMenu->setObjectName(QStringLiteral("HazırListelerMenüsü"));
    const std::vector<RateList>& ready = rates::readyLists();
    for (std::size_t index = 0; index < ready.size(); ++index) {
        QAction* action = readyMenu->addAction(toQString(ready[index].Name));
        action->setObjectName(QStringLiteral("HazırListe%1").arg(index + 1));
        connect(action, &QAction::triggered, this, [this, index] { hazırListeSeçildi(index); });
    }
    HazırListelerButonu_->setMenu(readyMenu);
    HazırListelerButonu_->setToolTip(QStringLiteral(
        "Programla gelen güncel bir listeyi başlangıç olarak doldurur; kaydetmeden önce "
        "dönemlerini gözden geçirebilirsiniz."));
    setKeyboardOrder({YeniDönemBelirleListeyeEkleButonu_, VazgeçButonu_, FaizDönemleriListesi_,
                      ListeyiTemizleButonu_, ListeyiKaydetButonu_, HazırListelerButonu_,
                      KapatButonu_});

    const QDate today = shell::shared().today();
    BaşlangıçTarihiKutusu_->setValue(today.addDays(-1));
    BitişTarihiKutusu_->setValue(today);
    showIdleState();

    connect(YeniDönemBelirleListeyeEkleButonu_, &QPushButton::clicked, this,
            &ListeEkleFormu::YeniDönemBelirleListeyeEkleButonuTıklandı);
    connect(VazgeçButonu_, &QPushButton::clicked, this, &ListeEkleFormu::VazgeçButonuTıklandı);
    connect(ListeyiTemizleButonu_, &QPushButton::clicked, this,
            &ListeEkleFormu::ListeyiTemizleButonuTıklandı);
    connect(ListeyiKaydetButonu_, &QPushButton::clicked, this,
            &ListeEkleFormu::ListeyiKaydetButonuTıklandı);
}

void ListeEkleFormu::YeniDönemBelirleListeyeEkleButonuTıklandı() {
    if (inEntryState()) {
        addPeriod();
    } else {
        beginPeriod();
    }
}

void ListeEkleFormu::beginPeriod() {
    if (listIsFull()) {
        return;
    }
    showEntryArea(true);
    ListeyiTemizleButonu_->setEnabled(false);
    ListeyiKaydetButonu_->setEnabled(false);
    HazırListelerButonu_->setEnabled(false);
    if (const std::optional<Date> previousEnd = lastRowEnd()) {
        BaşlangıçTarihiKutusu_->setValue(shell::toQDate(*previousEnd + std::chrono::days{1}));
    }
    BaşlangıçTarihiKutusu_->setFocus();
}

void ListeEkleFormu::addPeriod() {
    if (!entryPasses({lastRowEnd(), std::nullopt})) {
        return;
    }
    appendRow(entryRow(rowCount() + 1));
    showIdleState();
    BaşlangıçTarihiKutusu_->setValue(std::nullopt);
    BitişTarihiKutusu_->setValue(std::nullopt);
    emptyRateAndDescription();
    FaizDönemleriListesi_->selectRow(rowCount() - 1);
    focusAfterEntry(YeniDönemBelirleListeyeEkleButonu_);
}

bool ListeEkleFormu::hasUnsavedChanges() const {
    return rowCount() > 0 || inEntryState();
}

void ListeEkleFormu::VazgeçButonuTıklandı() {
    showIdleState();
    emptyRateAndDescription();
}

void ListeEkleFormu::ListeyiTemizleButonuTıklandı() {
    FaizDönemleriListesi_->removeAllRows();
    proposedName_.clear();
    showIdleState();
}

void ListeEkleFormu::hazırListeSeçildi(std::size_t index) {
    if (inEntryState()) {
        return;
    }
    const RateList& list = rates::readyLists().at(index);
    FaizDönemleriListesi_->removeAllRows();
    for (std::size_t k = 0; k < list.Periods.size(); ++k) {
        appendRow(breakdown::periodCells(int(k) + 1, list.Periods[k]));
    }
    proposedName_ = toQString(list.Name);
    showIdleState();
    FaizDönemleriListesi_->selectRow(rowCount() - 1);
}

void ListeEkleFormu::showIdleState() {
    showEntryArea(false);
    ListeyiTemizleButonu_->setEnabled(rowCount() > 0);
    ListeyiKaydetButonu_->setEnabled(rowCount() > 0);
    HazırListelerButonu_->setEnabled(true);
}

// The name dialog hands back the name; the window keeps it, as the list the main window is
// to select, only once the list is written. A save that writes nothing forgets the name
// of an earlier one, so the main window never looks for a list the user did not mean.
// A name the file system refuses brings the dialog back with that name in it, to be
// put right rather than typed again.
void ListeEkleFormu::ListeyiKaydetButonuTıklandı() {
    savedListName_.clear();
    QString proposal = proposedName_;
    while (true) {
        ListeAdıGirişFormu dialog(this, proposal);
        dialog.exec();
        const std::string name = dialog.acceptedName();
        if (name.empty()) {
            return;
        }
        const WriteOutcome outcome = writeList(name);
        if (outcome == WriteOutcome::Written) {
            savedListName_ = name;
            break;
        }
        proposal = toQString(name);
        if (outcome == WriteOutcome::Failed) {
            return;
        }
    }
    FaizDönemleriListesi_->removeAllRows();
    proposedName_.clear();
    VazgeçButonuTıklandı();
}

ListeEkleFormu::WriteOutcome ListeEkleFormu::writeList(const std::string& name) {
    if (editing::nameProblem(name)) {
        shell::showNotice(toQString(editing::M6));
        return WriteOutcome::BadName;
    }
    const Result<std::vector<RatePeriod>> periods = periodsOfRows();
    if (!periods) {
        shell::reportError(periods.error());
        return WriteOutcome::Failed;
    }
    const Status written =
        faiz::write(store::listFilePath(shell::shared().ListFolder, name), periods.value());
    if (written.ok()) {
        return WriteOutcome::Written;
    }
    if (written.error().number == errors::BadFileName) {
        shell::showNotice(toQString(editing::M6));
        return WriteOutcome::BadName;
    }
    shell::reportError(written.error());
    return WriteOutcome::Failed;
}
