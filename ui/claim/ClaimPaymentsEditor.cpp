#include "ui/claim/ClaimPaymentsEditor.h"

#include "core/claim/ClaimTexts.h"
#include "core/interest/Breakdown.h"
#include "shell/AnaParaKutusu.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "ui/claim/ColumnSpread.h"

#include <QGridLayout>
#include <QHBoxLayout>
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

using Align = breakdown::Column::Align;

const std::array<breakdown::Column, 4> PaymentColumns{{
    {"No", 0.08, Align::Centre},
    {"Tarih", 0.2, Align::Left},
    {"Tutar", 0.25, Align::Right},
    {"Açıklama", 0.47, Align::Left},
}};

} // namespace

ClaimPaymentsEditor::ClaimPaymentsEditor(claim::ClaimSession& session, PartHooks hooks,
                                         std::function<void()> refreshUndo)
    : QGroupBox(QStringLiteral("Ödemeler")), session_(session), hooks_(std::move(hooks)),
      refreshUndo_(std::move(refreshUndo)) {
    setObjectName(QStringLiteral("ÖdemeÇerçevesi"));
    auto* layout = new QGridLayout(this);
    ÖdemelerListesi_ = named(new shell::ListView, QStringLiteral("ÖdemelerListesi"));
    ÖdemelerListesi_->installEventFilter(this);
    ÖdemelerListesi_->createColumns(PaymentColumns);
    new ColumnSpread(ÖdemelerListesi_, {3});
    giveRoomyRows(ÖdemelerListesi_);
    ÖdemeEkleButonu_ =
        namedButton(QStringLiteral("ÖdemeEkleButonu"), QStringLiteral("Ödeme Ek&le"));
    ÖdemeSilButonu_ = namedButton(QStringLiteral("ÖdemeSilButonu"), QStringLiteral("Ödemeyi S&il"));
    layout->addWidget(ÖdemelerListesi_, 0, 0);
    layout->addWidget(buttonColumn({ÖdemeEkleButonu_, ÖdemeSilButonu_}), 0, 1);

    ÖdemeAlanı_ = named(new QWidget, QStringLiteral("ÖdemeAlanı"));
    auto* fields = new QHBoxLayout(ÖdemeAlanı_);
    fields->setContentsMargins(0, 0, 0, 0);
    ÖdemeTarihiKutusu_ = named(new shell::DateTimePicker, QStringLiteral("ÖdemeTarihiKutusu"));
    ÖdemeTutarıKutusu_ = named(new AnaParaKutusu, QStringLiteral("ÖdemeTutarıKutusu"));
    ÖdemeAçıklamaKutusu_ = named(new QLineEdit, QStringLiteral("ÖdemeAçıklamaKutusu"));
    shell::enterMovesFocus(ÖdemeTutarıKutusu_);
    shell::enterMovesFocus(ÖdemeAçıklamaKutusu_);
    fields->addWidget(fieldLabel(QStringLiteral("Tarih:"), ÖdemeTarihiKutusu_));
    fields->addWidget(ÖdemeTarihiKutusu_);
    fields->addWidget(fieldLabel(QStringLiteral("Tutar (TL):"), ÖdemeTutarıKutusu_));
    fields->addWidget(ÖdemeTutarıKutusu_);
    fields->addWidget(fieldLabel(QStringLiteral("Açıklama:"), ÖdemeAçıklamaKutusu_));
    fields->addWidget(ÖdemeAçıklamaKutusu_, 1);
    layout->addWidget(ÖdemeAlanı_, 1, 0, 1, 2);
    ÖdemeHataEtiketi_ = problemLabel(QStringLiteral("ÖdemeHataEtiketi"));
    layout->addWidget(ÖdemeHataEtiketi_, 2, 0, 1, 2);

    connect(ÖdemelerListesi_, &QTreeWidget::currentItemChanged, this,
            &ClaimPaymentsEditor::showPaymentEditor);
    connect(ÖdemeTarihiKutusu_, &QDateEdit::dateChanged, this,
            &ClaimPaymentsEditor::paymentEditorChanged);
    connect(ÖdemeTutarıKutusu_, &QLineEdit::textChanged, this,
            &ClaimPaymentsEditor::paymentEditorChanged);
    connect(ÖdemeAçıklamaKutusu_, &QLineEdit::textChanged, this,
            &ClaimPaymentsEditor::paymentEditorChanged);
    connect(ÖdemeEkleButonu_, &QPushButton::clicked, this,
            &ClaimPaymentsEditor::ÖdemeEkleButonuTıklandı);
    connect(ÖdemeSilButonu_, &QPushButton::clicked, this,
            &ClaimPaymentsEditor::ÖdemeSilButonuTıklandı);
}

void ClaimPaymentsEditor::showFile() {
    showing_ = true;
    ÖdemelerListesi_->removeAllRows();
    const std::size_t count = session_.file().payments.size();
    for (std::size_t i = 0; i < count; ++i) {
        ÖdemelerListesi_->addRow(QStringList(int(PaymentColumns.size()), QString()));
    }
    for (std::size_t i = 0; i < count; ++i) {
        showPaymentRow(int(i));
    }
    showing_ = false;
    ÖdemelerListesi_->selectRow(count == 0 ? -1 : 0);
    showPaymentEditor();
}

void ClaimPaymentsEditor::showRestored(int row) {
    ÖdemelerListesi_->addRow(QStringList(int(PaymentColumns.size()), QString()));
    for (int r = row; r < int(session_.file().payments.size()); ++r) {
        showPaymentRow(r);
    }
    ÖdemelerListesi_->selectRow(row);
    showPaymentEditor();
    ÖdemelerListesi_->setFocus();
}

void ClaimPaymentsEditor::showProblem(const QString& text, int wrongRow) {
    showProblemText(*ÖdemeHataEtiketi_, text);
    markWrongRow(*ÖdemelerListesi_, markedRow_, wrongRow);
}

void ClaimPaymentsEditor::showPaymentRow(int row) {
    showCells(*ÖdemelerListesi_, row,
              claim::paymentCells(session_.file().payments.at(std::size_t(row)), std::size_t(row)));
}

void ClaimPaymentsEditor::showPaymentEditor() {
    const int row = ÖdemelerListesi_->selectedRow();
    // Selecting another row ends the grace of the row just added.
    const std::optional<claim::RefusalPlace>& fresh = session_.freshRow();
    if (fresh && fresh->part == claim::RefusalPlace::Part::Payment &&
        fresh->index != std::optional<std::size_t>(std::size_t(row))) {
        session_.setFreshRow(std::nullopt);
        hooks_.showProblem();
    }
    ÖdemeAlanı_->setEnabled(row >= 0);
    ÖdemeSilButonu_->setEnabled(row >= 0);
    showing_ = true;
    if (row < 0) {
        ÖdemeTutarıKutusu_->clear();
        ÖdemeAçıklamaKutusu_->clear();
    } else {
        const claim::Payment& payment = session_.file().payments.at(std::size_t(row));
        ÖdemeTarihiKutusu_->setValue(shell::toQDate(payment.date));
        ÖdemeTutarıKutusu_->setText(amountText(payment.amount));
        ÖdemeAçıklamaKutusu_->setText(toQString(payment.description));
    }
    showing_ = false;
    session_.setFieldError(std::nullopt);
}

void ClaimPaymentsEditor::paymentEditorChanged() {
    const int row = ÖdemelerListesi_->selectedRow();
    if (showing_ || row < 0) {
        return;
    }
    session_.editPayment(std::size_t(row),
                         {toStdString(ÖdemeAçıklamaKutusu_->text()),
                          toStdString(ÖdemeTutarıKutusu_->text()), dateOf(*ÖdemeTarihiKutusu_)});
    showPaymentRow(row);
    hooks_.changed();
}

void ClaimPaymentsEditor::ÖdemeEkleButonuTıklandı() {
    const int row = int(session_.addPayment());
    ÖdemelerListesi_->addRow(QStringList(int(PaymentColumns.size()), QString()));
    showPaymentRow(row);
    ÖdemelerListesi_->selectRow(row);
    showPaymentEditor();
    ÖdemeTarihiKutusu_->setFocus(Qt::TabFocusReason);
    hooks_.changed();
}

void ClaimPaymentsEditor::ÖdemeSilButonuTıklandı() {
    const int row = ÖdemelerListesi_->selectedRow();
    if (row < 0) {
        return;
    }
    session_.deletePayment(std::size_t(row));
    // While the row goes, the view makes the next one current and would show it
    // from the shortened file, one place off or past its end.
    {
        const QSignalBlocker quiet(ÖdemelerListesi_);
        ÖdemelerListesi_->removeRow(row);
    }
    for (int r = row; r < int(session_.file().payments.size()); ++r) {
        showPaymentRow(r);
    }
    ÖdemelerListesi_->selectRow(std::min(row, int(session_.file().payments.size()) - 1));
    showPaymentEditor();
    ÖdemelerListesi_->setFocus();
    refreshUndo_();
    hooks_.changed();
}

// Insert adds and Delete removes a row while the list has the focus.
bool ClaimPaymentsEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ÖdemelerListesi_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Insert) {
            ÖdemeEkleButonuTıklandı();
            return true;
        }
        if (key == Qt::Key_Delete) {
            ÖdemeSilButonuTıklandı();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace claimui
