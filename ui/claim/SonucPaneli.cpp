#include "ui/claim/SonucPaneli.h"

#include "core/claim/ClaimTexts.h"
#include "core/interest/Breakdown.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/TableView.h"
#include "ui/claim/ClaimControls.h"
#include "ui/claim/ColumnSpread.h"
#include "ui/claim/KarsilastirmaModeli.h"
#include "ui/claim/ResultRows.h"
#include "ui/claim/UndertakingPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

using namespace mirvane;
using shell::toQString;
using namespace claimui;

namespace {

using Align = breakdown::Column::Align;

const std::array<breakdown::Column, 2> SummaryColumns{{
    {"", 0.6, Align::Left},
    {"Tutar (TL)", 0.38, Align::Right},
}};

const std::array<breakdown::Column, 7> SliceColumns{{
    {"Kalem", 0.09, Align::Centre},
    {"Başlangıç", 0.15, Align::Left},
    {"Bitiş", 0.15, Align::Left},
    {"Gün", 0.09, Align::Centre},
    {"Oran (%)", 0.1, Align::Centre},
    {"Matrah", 0.21, Align::Right},
    {"Faiz", 0.19, Align::Right},
}};

const std::array<breakdown::Column, 8> SetOffColumns{{
    {"Tarih", 0.13, Align::Left},
    {"Ödenen", 0.13, Align::Right},
    {"Masraf", 0.11, Align::Right},
    {"Vekalet", 0.11, Align::Right},
    {"Faiz", 0.12, Align::Right},
    {"Anapara", 0.13, Align::Right},
    {"Kalan Anapara", 0.15, Align::Right},
    {"Fazla", 0.1, Align::Right},
}};

// A tab's table with a line of text under it.
QWidget* withNoteBelow(QWidget* table, QLabel* note) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table, 1);
    note->setWordWrap(true);
    layout->addWidget(note);
    return page;
}

} // namespace

SonucPaneli::SonucPaneli(std::function<void(std::optional<claim::Undertaking>)> termsChanged,
                         std::function<void()> takeFolderLists)
    : sliceRows_([this](std::size_t row) {
          return shell::toQStringList(claim::sliceCells(slices_[row]));
      }),
      setOffRows_([this](std::size_t row) {
          return shell::toQStringList(claim::setOffCells(setOffs_[row]));
      }) {
    setObjectName(QStringLiteral("SonuçPaneli"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    HataEtiketi_ = named(new QLabel, QStringLiteral("HataEtiketi"));
    HataEtiketi_->setWordWrap(true);
    HataEtiketi_->setPalette(warningPalette(HataEtiketi_->palette()));
    QFont bold = HataEtiketi_->font();
    bold.setBold(true);
    HataEtiketi_->setFont(bold);
    UyarıEtiketi_ = named(new QLabel, QStringLiteral("UyarıEtiketi"));
    UyarıEtiketi_->setWordWrap(true);
    UyarıEtiketi_->setPalette(warningPalette(UyarıEtiketi_->palette()));

    GüncelOranlarAlanı_ = named(new QWidget, QStringLiteral("GüncelOranlarAlanı"));
    auto* update = new QHBoxLayout(GüncelOranlarAlanı_);
    update->setContentsMargins(0, 0, 0, 0);
    GüncelOranlarEtiketi_ = named(new QLabel, QStringLiteral("GüncelOranlarEtiketi"));
    GüncelOranlarEtiketi_->setWordWrap(true);
    GüncelOranlarButonu_ = namedButton(QStringLiteral("GüncelOranlarButonu"),
                                       QStringLiteral("Güncel &oranlarla hesapla"));
    update->addWidget(GüncelOranlarEtiketi_, 1);
    update->addWidget(GüncelOranlarButonu_);

    SonuçSekmeleri_ = named(new QTabWidget, QStringLiteral("SonuçSekmeleri"));
    ÖzetListesi_ = named(new shell::ListView, QStringLiteral("ÖzetListesi"));
    DilimlerListesi_ = named(new shell::TableView, QStringLiteral("DilimlerListesi"));
    MahsupListesi_ = named(new shell::TableView, QStringLiteral("MahsupListesi"));
    sliceModel_ = new shell::CellTableModel(
        SliceColumns, [this] { return int(slices_.size()); },
        [this](int row, int column) { return sliceRows_.cell(row, column); }, this);
    setOffModel_ = new shell::CellTableModel(
        SetOffColumns, [this] { return int(setOffs_.size()); },
        [this](int row, int column) { return setOffRows_.cell(row, column); }, this);
    // The column widths are ColumnSpread's, measured on the widest rows only.
    DilimlerListesi_->setModel(sliceModel_);
    MahsupListesi_->setModel(setOffModel_);
    // The summary, and under it the comparison with the alternatives when there are any.
    auto* summary = new QWidget;
    auto* summaryLayout = new QVBoxLayout(summary);
    summaryLayout->setContentsMargins(0, 0, 0, 0);
    KarşılaştırmaModeli_ = new KarsilastirmaModeli(this);
    KarşılaştırmaTablosu_ = named(new QTableView, QStringLiteral("KarşılaştırmaTablosu"));
    KarşılaştırmaTablosu_->setModel(KarşılaştırmaModeli_);
    KarşılaştırmaTablosu_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    KarşılaştırmaTablosu_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    KarşılaştırmaTablosu_->hide();
    summaryLayout->addWidget(ÖzetListesi_, 3);
    summaryLayout->addWidget(KarşılaştırmaTablosu_, 2);
    TakipTutarıNotu_ =
        named(new QLabel(toQString(claim::FilingTotalNote)), QStringLiteral("TakipTutarıNotu"));
    TakipTutarıNotu_->setWordWrap(true);
    summaryLayout->addWidget(TakipTutarıNotu_);
    SonuçSekmeleri_->addTab(summary, QStringLiteral("Ö&zet"));
    NotEtiketi_ = named(new QLabel, QStringLiteral("NotEtiketi"));
    NotEtiketi_->setWordWrap(true);
    NotEtiketi_->hide();
    DilimNotuEtiketi_ =
        named(new QLabel(toQString(breakdown::StartDayNote)), QStringLiteral("DilimNotuEtiketi"));
    SonuçSekmeleri_->addTab(withNoteBelow(DilimlerListesi_, DilimNotuEtiketi_),
                            QStringLiteral("Faiz Dilimle&ri"));
    SonuçSekmeleri_->addTab(MahsupListesi_, QStringLiteral("&Mahsup"));
    TaahhütPaneli_ = new UndertakingPanel(std::move(termsChanged));
    SonuçSekmeleri_->addTab(TaahhütPaneli_, QStringLiteral("Ödeme &Taahhüdü"));

    layout->addWidget(HataEtiketi_);
    layout->addWidget(GüncelOranlarAlanı_);
    layout->addWidget(UyarıEtiketi_);
    layout->addWidget(NotEtiketi_);
    layout->addWidget(SonuçSekmeleri_, 1);
    ÖzetListesi_->createColumns(SummaryColumns);
    DilimSütunları_ = new ColumnSpread(DilimlerListesi_, {}, ColumnSpread::Widest::Given);
    MahsupSütunları_ = new ColumnSpread(MahsupListesi_, {}, ColumnSpread::Widest::Given);
    for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{
             ÖzetListesi_, DilimlerListesi_, MahsupListesi_}) {
        giveRoomyRows(view);
    }
    connect(GüncelOranlarButonu_, &QPushButton::clicked, this, std::move(takeFolderLists));
    // The summary's amounts stand at its right edge, the labels take the rest.
    ÖzetListesi_->header()->setStretchLastSection(false);
    ÖzetListesi_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ÖzetListesi_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
}

void SonucPaneli::showProblem(const QString& text) {
    HataEtiketi_->setText(text);
    HataEtiketi_->setVisible(!text.isEmpty());
}

void SonucPaneli::showDifferingLists(const std::vector<std::string>& differing) {
    if (!differing.empty()) {
        QStringList names;
        for (const std::string& name : differing) {
            names << u'"' + toQString(name) + u'"';
        }
        GüncelOranlarEtiketi_->setText(
            QStringLiteral("Dosyadaki %1 listesi, klasördeki aynı adlı listeden farklı. Hesap "
                           "dosyadaki oranlarla yapıldı.")
                .arg(names.join(QStringLiteral(", "))));
    }
    GüncelOranlarAlanı_->setVisible(!differing.empty());
}

void SonucPaneli::showAlternatives(const claim::ClaimFile& file,
                                   const std::optional<claim::ClaimResult>& result) {
    if (result) {
        KarşılaştırmaModeli_->setResults(file, *result);
    } else {
        KarşılaştırmaModeli_->clear();
    }
    KarşılaştırmaTablosu_->setVisible(KarşılaştırmaModeli_->hasAlternatives());
    TaahhütPaneli_->compute(file, result.has_value());
}

// Nothing of an earlier result stays on display once an input is wrong.
void SonucPaneli::showResult(const std::optional<claim::ClaimResult>& result) {
    ÖzetListesi_->removeAllRows();
    showRows(result);
    SonuçSekmeleri_->setVisible(result.has_value());
    if (!result) {
        UyarıEtiketi_->clear();
        UyarıEtiketi_->hide();
        NotEtiketi_->clear();
        NotEtiketi_->hide();
        return;
    }
    TakipTutarıNotu_->setVisible(result->filingTotal.has_value());
    QList<QStringList> summary;
    for (const auto& [label, amount] : claim::summaryLines(*result)) {
        summary.append({toQString(label), toQString(amount)});
    }
    ÖzetListesi_->addRows(summary);
    QStringList notices;
    for (const std::string& notice : result->notices) {
        notices << toQString(notice);
    }
    UyarıEtiketi_->setText(notices.join(u'\n'));
    UyarıEtiketi_->setVisible(!notices.isEmpty());
    QStringList notes;
    for (const std::string& note : result->notes) {
        notes << toQString(note);
    }
    NotEtiketi_->setText(notes.join(u'\n'));
    NotEtiketi_->setVisible(!notes.isEmpty());
}

void SonucPaneli::showRows(const std::optional<claim::ClaimResult>& result) {
    sliceModel_->change([&] {
        slices_ = result ? result->slices : std::vector<claim::Slice>{};
        sliceRows_.forget();
    });
    setOffModel_->change([&] {
        setOffs_ = result ? result->setOffs : std::vector<claim::SetOff>{};
        setOffRows_.forget();
    });
    if (!result) {
        return;
    }
    DilimSütunları_->setWidestRows({int(widestRow(slices_, &claim::Slice::base)),
                                    int(widestRow(slices_, &claim::Slice::interest)),
                                    int(widestRow(slices_, &claim::Slice::days))});
    std::vector<int> widest;
    for (claim::Kurus claim::SetOff::*field :
         {&claim::SetOff::amount, &claim::SetOff::costs, &claim::SetOff::fee,
          &claim::SetOff::interest, &claim::SetOff::principal, &claim::SetOff::remainingPrincipal,
          &claim::SetOff::overpaid}) {
        widest.push_back(int(widestRow(setOffs_, field)));
    }
    MahsupSütunları_->setWidestRows(std::move(widest));
}
