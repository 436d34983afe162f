#include "ui/editor/ListeGuncelleFormu.h"

#include "core/interest/Breakdown.h"
#include "core/ratelist/FaizFile.h"
#include "core/ratelist/ListEditing.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/Recognition.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"

#include <QPushButton>

using namespace mirvane;
using shell::button;
using shell::toQString;
using shell::twips;
using std::chrono::days;

namespace {

constexpr int DaysAheadOfStart = 30;

std::filesystem::path fileOf(const std::string& listName) {
    return store::listFilePath(shell::shared().ListFolder, listName);
}

} // namespace

ListeGüncelleFormu::ListeGüncelleFormu(std::string listName, QWidget* owner)
    : PeriodEditor(owner, QStringLiteral("ListeGüncelleFormu"), QStringLiteral("Liste Güncelle..."),
                   {1470, 1245, 450}),
      listName_(std::move(listName)) {
    DönemiGüncelleButonu_ = button(this, QStringLiteral("DönemiGüncelleButonu"),
                                   QStringLiteral("Dönemi &Güncelle"), twips(6300, 862, 1755, 345));
    SonDönemiSilButonu_ = button(this, QStringLiteral("SonDönemiSilButonu"),
                                 QStringLiteral("&Son Dönemi Sil"), twips(240, 5730, 1455, 345));
    ListeyiKaydetButonu_ = button(this, QStringLiteral("ListeyiKaydetButonu"),
                                  QStringLiteral("&Listeyi Kaydet"), twips(1770, 5730, 1455, 345));
    HazırListeyleGüncelleButonu_ =
        button(this, QStringLiteral("HazırListeyleGüncelleButonu"),
               QStringLiteral("&Hazır Listeyle Güncelle"), twips(3300, 5730, 2115, 345));
    setKeyboardOrder({YeniDönemBelirleListeyeEkleButonu_, DönemiGüncelleButonu_, VazgeçButonu_,
                      FaizDönemleriListesi_, SonDönemiSilButonu_, ListeyiKaydetButonu_,
                      HazırListeyleGüncelleButonu_, KapatButonu_});

    loadList();
    showState(false);

    connect(YeniDönemBelirleListeyeEkleButonu_, &QPushButton::clicked, this,
            &ListeGüncelleFormu::YeniDönemBelirleListeyeEkleButonuTıklandı);
    connect(DönemiGüncelleButonu_, &QPushButton::clicked, this,
            &ListeGüncelleFormu::DönemiGüncelleButonuTıklandı);
    connect(FaizDönemleriListesi_, &QTreeWidget::itemDoubleClicked, this,
            &ListeGüncelleFormu::DönemiGüncelleButonuTıklandı);
    connect(VazgeçButonu_, &QPushButton::clicked, this, &ListeGüncelleFormu::VazgeçButonuTıklandı);
    connect(SonDönemiSilButonu_, &QPushButton::clicked, this,
            &ListeGüncelleFormu::SonDönemiSilButonuTıklandı);
    connect(ListeyiKaydetButonu_, &QPushButton::clicked, this,
            &ListeGüncelleFormu::ListeyiKaydetButonuTıklandı);
    connect(HazırListeyleGüncelleButonu_, &QPushButton::clicked, this,
            &ListeGüncelleFormu::HazırListeyleGüncelleButonuTıklandı);
}

// A list that cannot be read is reported; the window then opens without rows.
void ListeGüncelleFormu::loadList() {
    const Result<RateList> list = faiz::read(fileOf(listName_));
    if (!list) {
        shell::reportError(list.error());
        return;
    }
    const std::vector<RatePeriod>& periods = list.value().Periods;
    for (std::size_t k = 0; k < periods.size(); ++k) {
        appendRow(breakdown::periodCells(int(k) + 1, periods[k]));
    }
    rowsChanged_ = false;
    followLastRow();
}

void ListeGüncelleFormu::followLastRow() {
    if (const std::optional<Date> lastEnd = lastRowEnd()) {
        const Date start = *lastEnd + days{1};
        BaşlangıçTarihiKutusu_->setValue(shell::toQDate(start));
        BitişTarihiKutusu_->setValue(shell::toQDate(start + days{DaysAheadOfStart}));
    }
}

void ListeGüncelleFormu::refreshBringCurrent() {
    const Result<std::vector<RatePeriod>> periods = periodsOfRows();
    const bool recognised = periods && rates::recognise(periods.value()).has_value();
    HazırListeyleGüncelleButonu_->setEnabled(recognised && !inEntryState());
    HazırListeyleGüncelleButonu_->setToolTip(
        periods ? toQString(rates::recognitionText(periods.value())) : QString());
}

void ListeGüncelleFormu::HazırListeyleGüncelleButonuTıklandı() {
    bringCurrent();
}

void ListeGüncelleFormu::bringCurrent() {
    const Result<std::vector<RatePeriod>> periods = periodsOfRows();
    if (!periods) {
        return;
    }
    const std::optional<rates::Recognition> recognition = rates::recognise(periods.value());
    if (!recognition) {
        return;
    }
    if (recognition->changed == 0) {
        shell::showNotice(toQString(rates::recognitionText(periods.value())));
        return;
    }
    const int first = int(recognition->firstDifference);
    while (rowCount() > first) {
        removeRow(rowCount() - 1);
    }
    for (std::size_t k = recognition->firstDifference; k < recognition->proposal.size(); ++k) {
        appendRow(breakdown::periodCells(int(k) + 1, recognition->proposal[k]));
    }
    followLastRow();
    FaizDönemleriListesi_->selectRow(first);
    refreshBringCurrent();
}

void ListeGüncelleFormu::showState(bool entry) {
    showEntryArea(entry);
    for (QWidget* idleOnly :
         {static_cast<QWidget*>(DönemiGüncelleButonu_),
          static_cast<QWidget*>(FaizDönemleriListesi_), static_cast<QWidget*>(SonDönemiSilButonu_),
          static_cast<QWidget*>(ListeyiKaydetButonu_)}) {
        idleOnly->setEnabled(!entry);
    }
    refreshBringCurrent();
}

void ListeGüncelleFormu::YeniDönemBelirleListeyeEkleButonuTıklandı() {
    if (inEntryState()) {
        confirmEntry();
    } else {
        beginNewPeriod();
    }
}

void ListeGüncelleFormu::beginNewPeriod() {
    if (listIsFull()) {
        return;
    }
    showState(true);
    if (const std::optional<Date> lastEnd = lastRowEnd()) {
        BaşlangıçTarihiKutusu_->setValue(shell::toQDate(*lastEnd + days{1}));
    }
    UpdatingSelectedPeriod_ = false;
    BaşlangıçTarihiKutusu_->setFocus();
}

void ListeGüncelleFormu::DönemiGüncelleButonuTıklandı() {
    const int row = FaizDönemleriListesi_->selectedRow();
    if (row < 0 || inEntryState()) {
        return;
    }
    BaşlangıçTarihiKutusu_->setValueText(FaizDönemleriListesi_->cellText(row, 1));
    BitişTarihiKutusu_->setValueText(FaizDönemleriListesi_->cellText(row, 2));
    FaizOranıKutusu_->setText(FaizDönemleriListesi_->cellText(row, 3));
    AçıklamaKutusu_->setPlainText(FaizDönemleriListesi_->cellText(row, 4));
    showState(true);
    UpdatingSelectedPeriod_ = true;
    editedRow_ = row;
    // The button pressed is now disabled; the focus must not fall on to "Kapat".
    FaizOranıKutusu_->setFocus();
}

// A new period follows the last row; an edited one sits between the rows around it.
editing::Neighbours ListeGüncelleFormu::neighboursOfEntry() const {
    if (!UpdatingSelectedPeriod_) {
        return {lastRowEnd(), std::nullopt};
    }
    editing::Neighbours neighbours;
    if (editedRow_ > 0) {
        neighbours.previousEnd = rowEnd(editedRow_ - 1);
    }
    if (editedRow_ + 1 < rowCount()) {
        neighbours.nextStart = rowStart(editedRow_ + 1);
    }
    return neighbours;
}

void ListeGüncelleFormu::confirmEntry() {
    if (!entryPasses(neighboursOfEntry())) {
        return;
    }
    if (UpdatingSelectedPeriod_) {
        setRow(editedRow_, entryRow(editedRow_ + 1));
    } else {
        appendRow(entryRow(rowCount() + 1));
    }
    showState(false);
    emptyRateAndDescription();
    if (!UpdatingSelectedPeriod_) {
        FaizDönemleriListesi_->selectRow(rowCount() - 1);
    }
    focusAfterEntry(FaizDönemleriListesi_);
}

void ListeGüncelleFormu::VazgeçButonuTıklandı() {
    showState(false);
    emptyRateAndDescription();
}

void ListeGüncelleFormu::SonDönemiSilButonuTıklandı() {
    if (const std::optional<std::string_view> refusal =
            editing::refuseRemovingLast(std::size_t(rowCount()))) {
        shell::showNotice(toQString(*refusal));
        return;
    }
    if (!shell::askYesNo(toQString(editing::M8))) {
        return;
    }
    removeRow(rowCount() - 1);
    FaizDönemleriListesi_->selectRow(rowCount() - 1);
    refreshBringCurrent();
}

// The file is replaced only once the new content is complete: a failed save leaves
// the list on disk as it was and this window open with its rows. A list keeps at
// least one period, so a window that could not read its list writes nothing empty.
void ListeGüncelleFormu::ListeyiKaydetButonuTıklandı() {
    if (rowCount() == 0) {
        shell::showNotice(toQString(editing::M7));
        return;
    }
    const Result<std::vector<RatePeriod>> periods = periodsOfRows();
    if (!periods) {
        shell::reportError(periods.error());
        return;
    }
    const Status written = faiz::write(fileOf(listName_), periods.value());
    if (!written) {
        shell::reportError(written.error());
        return;
    }
    accept();
}
