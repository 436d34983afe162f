#include "ui/claim/SeceneklerPaneli.h"

#include "core/claim/Alternatives.h"
#include "core/text/TextForms.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/SharedValues.h"
#include "ui/claim/ClaimControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace mirvane;
using namespace claimui;
using shell::toQString;
using shell::toStdString;

namespace {

const QString Unchanged = QStringLiteral("Değişmez");
const QString FixedChoice = QStringLiteral("Sabit oran");

enum ItemColumn { ItemName, RateChoice, FixedPercent, InterestStart };

} // namespace

SeceneklerPaneli::SeceneklerPaneli(claim::ClaimFile& file, std::function<void()> changed,
                                   std::function<std::vector<std::string>()> rateChoices,
                                   QWidget* parent)
    : QWidget(parent), file_(file), changed_(std::move(changed)),
      rateChoices_(std::move(rateChoices)) {
    setObjectName(QStringLiteral("SeceneklerPaneli"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* listRow = new QHBoxLayout;
    SeçeneklerListesi_ = named(new QListWidget, QStringLiteral("SeçeneklerListesi"));
    SeçeneklerListesi_->setMinimumHeight(80);
    listRow->addWidget(SeçeneklerListesi_, 1);
    auto* buttons = new QVBoxLayout;
    SeçenekEkleButonu_ =
        named(new QPushButton(QStringLiteral("Seçenek ekle")), QStringLiteral("SeçenekEkleButonu"));
    auto* menu = new QMenu(SeçenekEkleButonu_);
    menu->setObjectName(QStringLiteral("SeçenekEkleMenüsü"));
    for (const claim::UsualAlternative kind : claim::UsualAlternatives) {
        QAction* action = menu->addAction(toQString(claim::usualAlternativeName(kind)));
        connect(action, &QAction::triggered, this,
                [this, kind] { add(claim::usualAlternative(kind, file_)); });
    }
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Boş seçenek")), &QAction::triggered, this, [this] {
        claim::Alternative empty;
        empty.name = "Seçenek " + std::to_string(file_.alternatives.size() + 1);
        add(empty);
    });
    SeçenekEkleButonu_->setMenu(menu);
    SeçenekSilButonu_ =
        named(new QPushButton(QStringLiteral("Seçeneği sil")), QStringLiteral("SeçenekSilButonu"));
    buttons->addWidget(SeçenekEkleButonu_);
    buttons->addWidget(SeçenekSilButonu_);
    buttons->addStretch();
    listRow->addLayout(buttons);
    layout->addLayout(listRow, 1);

    SeçenekAlanı_ = named(new QWidget, QStringLiteral("SeçenekAlanı"));
    auto* form = new QFormLayout(SeçenekAlanı_);
    SeçenekAdıKutusu_ = named(new QLineEdit, QStringLiteral("SeçenekAdıKutusu"));
    SeçenekNedeniKutusu_ = named(new QLineEdit, QStringLiteral("SeçenekNedeniKutusu"));
    SeçenekGünEsasıKutusu_ = named(new QComboBox, QStringLiteral("SeçenekGünEsasıKutusu"));
    SeçenekGünEsasıKutusu_->addItems(
        {Unchanged, QStringLiteral("Yıl 365 gün"), QStringLiteral("Yıl 360 gün")});
    SeçenekTakipOnayı_ =
        named(new QCheckBox(QStringLiteral("Takip tarihi:")), QStringLiteral("SeçenekTakipOnayı"));
    SeçenekTakipTarihiKutusu_ =
        named(new shell::DateTimePicker, QStringLiteral("SeçenekTakipTarihiKutusu"));
    SeçenekKalemleriTablosu_ =
        named(new QTableWidget(0, 4), QStringLiteral("SeçenekKalemleriTablosu"));
    SeçenekKalemleriTablosu_->setHorizontalHeaderLabels(
        {QStringLiteral("Kalem"), QStringLiteral("Oran"), QStringLiteral("Sabit %"),
         QStringLiteral("Faiz başlangıcı")});
    SeçenekKalemleriTablosu_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SeçenekKalemleriTablosu_->horizontalHeader()->setSectionResizeMode(
        RateChoice, QHeaderView::ResizeToContents);
    SeçenekKalemleriTablosu_->verticalHeader()->hide();
    SeçenekKalemleriTablosu_->setToolTip(
        QStringLiteral("Boş bırakılan sabit oran ve faiz başlangıcı değişmez; tarih "
                       "GG.AA.YYYY biçiminde."));
    SeçenekHataEtiketi_ = named(new QLabel, QStringLiteral("SeçenekHataEtiketi"));
    SeçenekHataEtiketi_->setWordWrap(true);
    SeçenekHataEtiketi_->setPalette(warningPalette(SeçenekHataEtiketi_->palette()));
    SeçenekHataEtiketi_->hide();

    auto* filing = new QHBoxLayout;
    filing->addWidget(SeçenekTakipTarihiKutusu_);
    filing->addStretch();
    const auto label = [](const QString& text, QWidget* buddy) {
        auto* caption = new QLabel(text);
        caption->setBuddy(buddy);
        shell::highlightLabelWhileFocused(caption, buddy);
        return caption;
    };
    form->addRow(label(QStringLiteral("&Adı:"), SeçenekAdıKutusu_), SeçenekAdıKutusu_);
    form->addRow(label(QStringLiteral("&Nedeni:"), SeçenekNedeniKutusu_), SeçenekNedeniKutusu_);
    form->addRow(label(QStringLiteral("&Gün esası:"), SeçenekGünEsasıKutusu_),
                 SeçenekGünEsasıKutusu_);
    form->addRow(SeçenekTakipOnayı_, filing);
    form->addRow(label(QStringLiteral("Anapara &kalemleri:"), SeçenekKalemleriTablosu_),
                 SeçenekKalemleriTablosu_);
    form->addRow(SeçenekHataEtiketi_);
    layout->addWidget(SeçenekAlanı_, 2);

    connect(SeçenekSilButonu_, &QPushButton::clicked, this, &SeceneklerPaneli::remove);
    connect(SeçeneklerListesi_, &QListWidget::currentRowChanged, this,
            &SeceneklerPaneli::showEditor);
    for (QLineEdit* field : {SeçenekAdıKutusu_, SeçenekNedeniKutusu_}) {
        connect(field, &QLineEdit::textChanged, this, &SeceneklerPaneli::edited);
    }
    connect(SeçenekGünEsasıKutusu_, &QComboBox::currentIndexChanged, this,
            &SeceneklerPaneli::edited);
    connect(SeçenekTakipOnayı_, &QCheckBox::toggled, this, &SeceneklerPaneli::edited);
    connect(SeçenekTakipTarihiKutusu_, &QDateEdit::dateChanged, this, &SeceneklerPaneli::edited);
    connect(SeçenekKalemleriTablosu_, &QTableWidget::itemChanged, this, &SeceneklerPaneli::edited);
    showFile();
}

void SeceneklerPaneli::showFile() {
    showing_ = true;
    const int current = SeçeneklerListesi_->currentRow();
    SeçeneklerListesi_->clear();
    for (std::size_t k = 0; k < file_.alternatives.size(); ++k) {
        auto* item = new QListWidgetItem;
        SeçeneklerListesi_->addItem(item);
        refreshRow(int(k));
    }
    const int count = SeçeneklerListesi_->count();
    SeçeneklerListesi_->setCurrentRow(count == 0 ? -1 : std::clamp(current, 0, count - 1));
    showing_ = false;
    showEditor();
}

void SeceneklerPaneli::refreshRow(int row) {
    QListWidgetItem* item = SeçeneklerListesi_->item(row);
    if (!item) {
        return;
    }
    const claim::Alternative& alternative = file_.alternatives.at(std::size_t(row));
    const std::string change = claim::changeText(file_, alternative.change);
    item->setText(toQString(claim::alternativeTitle(alternative, std::size_t(row)) +
                            (change.empty() ? "" : " — " + change)));
}

void SeceneklerPaneli::add(const claim::Alternative& alternative) {
    file_.alternatives.push_back(alternative);
    claim::copyMissingLists(file_, shell::shared().ListFolder);
    showFile();
    SeçeneklerListesi_->setCurrentRow(SeçeneklerListesi_->count() - 1);
    SeçenekAdıKutusu_->setFocus(Qt::OtherFocusReason);
    SeçenekAdıKutusu_->selectAll();
    changed_();
}

void SeceneklerPaneli::remove() {
    const int row = SeçeneklerListesi_->currentRow();
    if (row < 0 || std::size_t(row) >= file_.alternatives.size()) {
        return;
    }
    file_.alternatives.erase(file_.alternatives.begin() + row);
    showFile();
    changed_();
}

void SeceneklerPaneli::showEditor() {
    if (showing_) {
        return;
    }
    const int row = SeçeneklerListesi_->currentRow();
    const bool chosen = row >= 0 && std::size_t(row) < file_.alternatives.size();
    SeçenekAlanı_->setEnabled(chosen);
    SeçenekSilButonu_->setEnabled(chosen);
    SeçenekHataEtiketi_->hide();
    showing_ = true;
    const claim::Alternative alternative =
        chosen ? file_.alternatives[std::size_t(row)] : claim::Alternative{};
    const claim::Change& change = alternative.change;
    SeçenekAdıKutusu_->setText(toQString(alternative.name));
    SeçenekNedeniKutusu_->setText(toQString(alternative.reason));
    SeçenekGünEsasıKutusu_->setCurrentIndex(!change.dayBasis ? 0 : *change.dayBasis == 360 ? 2 : 1);
    SeçenekTakipOnayı_->setChecked(change.filingDate.has_value());
    const std::optional<Date> filing = change.filingDate ? change.filingDate : file_.filingDate;
    SeçenekTakipTarihiKutusu_->setValue(filing ? shell::toQDate(*filing) : shell::shared().today());
    SeçenekTakipTarihiKutusu_->setEnabled(change.filingDate.has_value());

    // One row per principal item; what the change does not name stays as it is.
    const std::vector<std::string> names = rateChoices_();
    QTableWidget* table = SeçenekKalemleriTablosu_;
    table->setRowCount(0);
    for (std::size_t index = 0; index < file_.items.size(); ++index) {
        const claim::Item& item = file_.items[index];
        if (item.kind != claim::ItemKind::Principal) {
            continue;
        }
        const auto number = static_cast<std::int64_t>(index) + 1;
        const auto found =
            std::find_if(change.items.begin(), change.items.end(),
                         [&](const claim::ItemChange& c) { return c.item == number; });
        const claim::ItemChange* itemChange = found == change.items.end() ? nullptr : &*found;
        const int r = table->rowCount();
        table->insertRow(r);
        auto* title = new QTableWidgetItem(
            QStringLiteral("%1. %2").arg(number).arg(toQString(item.description)));
        title->setFlags(title->flags() & ~Qt::ItemIsEditable);
        title->setData(Qt::UserRole, qint64(number));
        table->setItem(r, ItemName, title);
        auto* rate = named(new QComboBox, QStringLiteral("SeçenekOranKutusu%1").arg(number));
        rate->addItem(Unchanged);
        for (const std::string& name : names) {
            rate->addItem(toQString(name));
        }
        rate->addItem(FixedChoice);
        QString fixed;
        if (itemChange && itemChange->rate) {
            if (const auto* list = std::get_if<claim::ListRate>(&*itemChange->rate)) {
                // A name no list has stays, for the window to say so.
                if (rate->findText(toQString(list->name)) < 0) {
                    rate->insertItem(1, toQString(list->name));
                }
                rate->setCurrentText(toQString(list->name));
            } else {
                rate->setCurrentText(FixedChoice);
                fixed = toQString(text::formatGeneralNumber(
                    std::get<claim::FixedRate>(*itemChange->rate).percent));
            }
        }
        table->setCellWidget(r, RateChoice, rate);
        connect(rate, &QComboBox::currentIndexChanged, this, &SeceneklerPaneli::edited);
        table->setItem(r, FixedPercent, new QTableWidgetItem(fixed));
        table->setItem(
            r, InterestStart,
            new QTableWidgetItem(itemChange && itemChange->interestStart
                                     ? toQString(text::formatDate(*itemChange->interestStart))
                                     : QString()));
    }
    showing_ = false;
}

void SeceneklerPaneli::edited() {
    const int row = SeçeneklerListesi_->currentRow();
    if (showing_ || row < 0 || std::size_t(row) >= file_.alternatives.size()) {
        return;
    }
    claim::Alternative& alternative = file_.alternatives[std::size_t(row)];
    alternative.name = toStdString(SeçenekAdıKutusu_->text().trimmed());
    alternative.reason = toStdString(SeçenekNedeniKutusu_->text().trimmed());
    claim::Change change;
    // A set-off order from the file is kept: the window does not edit it here.
    change.setOffOrder = alternative.change.setOffOrder;
    const int basis = SeçenekGünEsasıKutusu_->currentIndex();
    if (basis > 0) {
        change.dayBasis = basis == 2 ? 360 : 365;
    }
    SeçenekTakipTarihiKutusu_->setEnabled(SeçenekTakipOnayı_->isChecked());
    if (SeçenekTakipOnayı_->isChecked()) {
        if (const std::optional<QDate> date = SeçenekTakipTarihiKutusu_->value()) {
            change.filingDate = shell::toSysDays(*date);
        }
    }
    QStringList problems;
    QTableWidget* table = SeçenekKalemleriTablosu_;
    for (int r = 0; r < table->rowCount(); ++r) {
        claim::ItemChange itemChange;
        itemChange.item = table->item(r, ItemName)->data(Qt::UserRole).toLongLong();
        const auto* rate = static_cast<QComboBox*>(table->cellWidget(r, RateChoice));
        const QString choice = rate ? rate->currentText() : Unchanged;
        const QString fixedText = table->item(r, FixedPercent)->text().trimmed();
        if (choice == FixedChoice) {
            const std::optional<double> percent = text::parseNumber(toStdString(fixedText));
            if (percent) {
                itemChange.rate = claim::FixedRate{*percent};
            } else {
                problems
                    << QStringLiteral("%1. kalem: sabit oran girilmemiş.").arg(itemChange.item);
            }
        } else if (choice != Unchanged) {
            itemChange.rate = claim::ListRate{toStdString(choice)};
        }
        const QString startText = table->item(r, InterestStart)->text().trimmed();
        if (!startText.isEmpty()) {
            if (const std::optional<Date> start = text::parseDate(toStdString(startText))) {
                itemChange.interestStart = *start;
            } else {
                problems << QStringLiteral("%1. kalem: faiz başlangıcı GG.AA.YYYY biçiminde "
                                           "bir tarih olmalı.")
                                .arg(itemChange.item);
            }
        }
        if (itemChange.rate || itemChange.interestStart) {
            change.items.push_back(itemChange);
        }
    }
    alternative.change = std::move(change);
    claim::copyMissingLists(file_, shell::shared().ListFolder);
    SeçenekHataEtiketi_->setText(problems.join(u'\n'));
    SeçenekHataEtiketi_->setVisible(!problems.isEmpty());
    refreshRow(row);
    changed_();
}
