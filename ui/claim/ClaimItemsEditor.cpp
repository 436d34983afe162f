#include "ui/claim/ClaimItemsEditor.h"

#include "core/claim/ClaimTexts.h"
#include "core/interest/Breakdown.h"
#include "core/text/TextForms.h"
#include "shell/AnaParaKutusu.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/RateField.h"
#include "shell/SharedValues.h"
#include "ui/claim/ColumnSpread.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <array>

using namespace mirvane;
using shell::toQString;
using shell::toStdString;

namespace claimui {

namespace {

const QString FixedRateChoice = QStringLiteral("Sabit oran");

using Align = breakdown::Column::Align;

const std::array<breakdown::Column, 6> ItemColumns{{
    {"No", 0.06, Align::Centre},
    {"Tür", 0.16, Align::Left},
    {"Açıklama", 0.26, Align::Left},
    {"Tutar", 0.17, Align::Right},
    {"Tarih", 0.14, Align::Left},
    {"Oran", 0.21, Align::Left},
}};

constexpr std::array<claim::ItemKind, 3> Kinds{claim::ItemKind::Principal, claim::ItemKind::Costs,
                                               claim::ItemKind::Fee};

} // namespace

ClaimItemsEditor::ClaimItemsEditor(claim::ClaimSession& session, PartHooks hooks,
                                   std::function<void()> refreshUndo)
    : QGroupBox(QStringLiteral("Alacak kalemleri")), session_(session), hooks_(std::move(hooks)),
      refreshUndo_(std::move(refreshUndo)) {
    setObjectName(QStringLiteral("KalemÇerçevesi"));
    auto* layout = new QGridLayout(this);
    KalemlerListesi_ = named(new shell::ListView, QStringLiteral("KalemlerListesi"));
    KalemlerListesi_->installEventFilter(this);
    KalemlerListesi_->createColumns(ItemColumns);
    new ColumnSpread(KalemlerListesi_, {2, 5});
    giveRoomyRows(KalemlerListesi_);
    KalemEkleButonu_ =
        namedButton(QStringLiteral("KalemEkleButonu"), QStringLiteral("Kalem &Ekle"));
    KalemSilButonu_ = namedButton(QStringLiteral("KalemSilButonu"), QStringLiteral("Kalemi &Sil"));
    layout->addWidget(KalemlerListesi_, 0, 0);
    layout->addWidget(buttonColumn({KalemEkleButonu_, KalemSilButonu_}), 0, 1);

    KalemAlanı_ = named(new QWidget, QStringLiteral("KalemAlanı"));
    auto* fields = new QGridLayout(KalemAlanı_);
    fields->setContentsMargins(0, 0, 0, 0);
    TürKutusu_ = named(new QComboBox, QStringLiteral("TürKutusu"));
    for (const claim::ItemKind kind : Kinds) {
        TürKutusu_->addItem(toQString(claim::itemKindTitle(kind)));
    }
    AçıklamaKutusu_ = named(new QLineEdit, QStringLiteral("AçıklamaKutusu"));
    TutarKutusu_ = named(new AnaParaKutusu, QStringLiteral("TutarKutusu"));
    TarihKutusu_ = named(new shell::DateTimePicker, QStringLiteral("TarihKutusu"));
    OranKutusu_ = named(new QComboBox, QStringLiteral("OranKutusu"));
    OranKutusu_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    OranKutusu_->setMinimumContentsLength(18);
    SabitOranKutusu_ = named(new shell::RateField, QStringLiteral("SabitOranKutusu"));
    TarihEtiketi_ = fieldLabel(QStringLiteral("Faiz başlangıcı:"), TarihKutusu_);
    for (QWidget* field : std::initializer_list<QWidget*>{AçıklamaKutusu_, TutarKutusu_}) {
        shell::enterMovesFocus(field);
    }
    fields->addWidget(fieldLabel(QStringLiteral("Tür:"), TürKutusu_), 0, 0);
    fields->addWidget(TürKutusu_, 0, 1);
    fields->addWidget(fieldLabel(QStringLiteral("Açıklama:"), AçıklamaKutusu_), 0, 2);
    fields->addWidget(AçıklamaKutusu_, 0, 3, 1, 3);
    fields->addWidget(fieldLabel(QStringLiteral("Tutar (TL):"), TutarKutusu_), 1, 0);
    fields->addWidget(TutarKutusu_, 1, 1);
    fields->addWidget(TarihEtiketi_, 1, 2);
    fields->addWidget(TarihKutusu_, 1, 3);
    fields->addWidget(fieldLabel(QStringLiteral("Oran:"), OranKutusu_), 2, 0);
    fields->addWidget(OranKutusu_, 2, 1, 1, 3);
    fields->addWidget(fieldLabel(QStringLiteral("Yıllık %:"), SabitOranKutusu_), 2, 4);
    fields->addWidget(SabitOranKutusu_, 2, 5);
    fields->setColumnStretch(3, 1);
    layout->addWidget(KalemAlanı_, 1, 0, 1, 2);
    KalemHataEtiketi_ = problemLabel(QStringLiteral("KalemHataEtiketi"));
    layout->addWidget(KalemHataEtiketi_, 2, 0, 1, 2);

    connect(KalemlerListesi_, &QTreeWidget::currentItemChanged, this,
            &ClaimItemsEditor::showItemEditor);
    connect(TürKutusu_, &QComboBox::currentIndexChanged, this, &ClaimItemsEditor::itemKindChanged);
    connect(AçıklamaKutusu_, &QLineEdit::textChanged, this, &ClaimItemsEditor::itemEditorChanged);
    connect(TutarKutusu_, &QLineEdit::textChanged, this, &ClaimItemsEditor::itemEditorChanged);
    connect(TarihKutusu_, &QDateEdit::dateChanged, this, &ClaimItemsEditor::itemEditorChanged);
    connect(OranKutusu_, &QComboBox::currentIndexChanged, this,
            &ClaimItemsEditor::itemEditorChanged);
    connect(SabitOranKutusu_, &QLineEdit::textChanged, this, &ClaimItemsEditor::itemEditorChanged);
    connect(KalemEkleButonu_, &QPushButton::clicked, this,
            &ClaimItemsEditor::KalemEkleButonuTıklandı);
    connect(KalemSilButonu_, &QPushButton::clicked, this,
            &ClaimItemsEditor::KalemSilButonuTıklandı);
}

void ClaimItemsEditor::showFile() {
    showing_ = true;
    fillRateChoices();
    KalemlerListesi_->removeAllRows();
    const std::size_t count = session_.file().items.size();
    for (std::size_t i = 0; i < count; ++i) {
        KalemlerListesi_->addRow(QStringList(int(ItemColumns.size()), QString()));
    }
    for (std::size_t i = 0; i < count; ++i) {
        showItemRow(int(i));
    }
    showing_ = false;
    KalemlerListesi_->selectRow(count == 0 ? -1 : 0);
    showItemEditor();
}

void ClaimItemsEditor::showRestored(int row) {
    session_.copyMissingLists(shell::shared().listSource());
    KalemlerListesi_->addRow(QStringList(int(ItemColumns.size()), QString()));
    for (int r = row; r < int(session_.file().items.size()); ++r) {
        showItemRow(r);
    }
    KalemlerListesi_->selectRow(row);
    showItemEditor();
    KalemlerListesi_->setFocus();
}

void ClaimItemsEditor::showProblem(const QString& text, int wrongRow) {
    showProblemText(*KalemHataEtiketi_, text);
    markWrongRow(*KalemlerListesi_, markedRow_, wrongRow);
}

void ClaimItemsEditor::showItemRow(int row) {
    showCells(*KalemlerListesi_, row,
              claim::itemCells(session_.file().items.at(std::size_t(row)), std::size_t(row)));
}

// The rate lists to choose from: the folder's and the file's own copies, then the
// fixed rate.
void ClaimItemsEditor::fillRateChoices() {
    const bool wasShowing = showing_;
    showing_ = true;
    OranKutusu_->clear();
    for (const std::string& name : session_.rateChoices(shell::shared().listSource())) {
        OranKutusu_->addItem(toQString(name));
    }
    OranKutusu_->addItem(FixedRateChoice);
    showing_ = wasShowing;
}

void ClaimItemsEditor::showItemEditor() {
    const int row = KalemlerListesi_->selectedRow();
    // Selecting another row ends the grace of the row just added.
    const std::optional<claim::RefusalPlace>& fresh = session_.freshRow();
    if (fresh && fresh->part == claim::RefusalPlace::Part::Item &&
        fresh->index != std::optional<std::size_t>(std::size_t(row))) {
        session_.setFreshRow(std::nullopt);
        hooks_.showProblem();
    }
    KalemAlanı_->setEnabled(row >= 0);
    KalemSilButonu_->setEnabled(row >= 0);
    showing_ = true;
    if (row < 0) {
        AçıklamaKutusu_->clear();
        TutarKutusu_->clear();
        SabitOranKutusu_->clear();
        showing_ = false;
        return;
    }
    const claim::Item& item = session_.file().items.at(std::size_t(row));
    const bool principal = item.kind == claim::ItemKind::Principal;
    TürKutusu_->setCurrentIndex(
        int(std::find(Kinds.begin(), Kinds.end(), item.kind) - Kinds.begin()));
    AçıklamaKutusu_->setText(toQString(item.description));
    TutarKutusu_->setText(amountText(item.amount));
    TarihEtiketi_->setText(principal ? QStringLiteral("Faiz başlangıcı:")
                                     : QStringLiteral("Tarih:"));
    TarihKutusu_->setValue(qDateOf(principal ? item.interestStart : item.date));
    if (const auto* list = std::get_if<claim::ListRate>(&item.rate)) {
        if (OranKutusu_->findText(toQString(list->name)) < 0) {
            OranKutusu_->insertItem(0, toQString(list->name));
        }
        OranKutusu_->setCurrentText(toQString(list->name));
        SabitOranKutusu_->clear();
    } else {
        OranKutusu_->setCurrentText(FixedRateChoice);
        const double percent = std::get<claim::FixedRate>(item.rate).percent;
        SabitOranKutusu_->setText(percent > 0 ? toQString(text::formatGeneralNumber(percent))
                                              : QString());
    }
    OranKutusu_->setEnabled(principal);
    SabitOranKutusu_->setEnabled(principal && OranKutusu_->currentText() == FixedRateChoice);
    showing_ = false;
    session_.setFieldError(std::nullopt);
}

void ClaimItemsEditor::itemKindChanged() {
    const int row = KalemlerListesi_->selectedRow();
    if (showing_ || row < 0) {
        return;
    }
    session_.setItemKind(std::size_t(row),
                         Kinds.at(std::size_t(std::max(TürKutusu_->currentIndex(), 0))));
    showItemEditor();
    itemEditorChanged();
}

void ClaimItemsEditor::itemEditorChanged() {
    const int row = KalemlerListesi_->selectedRow();
    if (showing_ || row < 0) {
        return;
    }
    const bool fixed = OranKutusu_->currentText() == FixedRateChoice;
    const bool principal =
        session_.file().items.at(std::size_t(row)).kind == claim::ItemKind::Principal;
    SabitOranKutusu_->setEnabled(principal && fixed);
    session_.editItem(std::size_t(row),
                      {toStdString(AçıklamaKutusu_->text()), toStdString(TutarKutusu_->text()),
                       dateOf(*TarihKutusu_), fixed, toStdString(SabitOranKutusu_->text()),
                       toStdString(OranKutusu_->currentText())});
    if (principal && !fixed) {
        session_.copyMissingLists(shell::shared().listSource());
    }
    showItemRow(row);
    hooks_.changed();
}

void ClaimItemsEditor::KalemEkleButonuTıklandı() {
    const int row = int(session_.addItem(
        OranKutusu_->count() > 1 ? toStdString(OranKutusu_->itemText(0)) : std::string()));
    session_.copyMissingLists(shell::shared().listSource());
    KalemlerListesi_->addRow(QStringList(int(ItemColumns.size()), QString()));
    showItemRow(row);
    KalemlerListesi_->selectRow(row);
    showItemEditor();
    TürKutusu_->setFocus(Qt::TabFocusReason);
    hooks_.changed();
}

void ClaimItemsEditor::KalemSilButonuTıklandı() {
    const int row = KalemlerListesi_->selectedRow();
    if (row < 0) {
        return;
    }
    session_.deleteItem(std::size_t(row));
    // While the row goes, the view makes the next one current and would show it
    // from the shortened file, one place off or past its end.
    {
        const QSignalBlocker quiet(KalemlerListesi_);
        KalemlerListesi_->removeRow(row);
    }
    for (int r = row; r < int(session_.file().items.size()); ++r) {
        showItemRow(r);
    }
    KalemlerListesi_->selectRow(std::min(row, int(session_.file().items.size()) - 1));
    showItemEditor();
    KalemlerListesi_->setFocus();
    refreshUndo_();
    hooks_.changed();
}

// Insert adds and Delete removes a row while the list has the focus.
bool ClaimItemsEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == KalemlerListesi_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Insert) {
            KalemEkleButonuTıklandı();
            return true;
        }
        if (key == Qt::Key_Delete) {
            KalemSilButonuTıklandı();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace claimui
