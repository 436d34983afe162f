#include "ui/claim/RaporPaneli.h"

#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/SharedValues.h"
#include "ui/claim/ClaimControls.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace mirvane;
using namespace claimui;
using shell::toQString;
using shell::toStdString;

namespace {

QTableWidget* textTable(const QString& name, const QStringList& headers) {
    auto* table = named(new QTableWidget(0, int(headers.size())), name);
    table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setMinimumHeight(90);
    return table;
}

QString cell(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

void setRows(QTableWidget* table, const std::vector<QStringList>& rows) {
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < table->columnCount(); ++c) {
            table->setItem(r, c,
                           new QTableWidgetItem(c < rows[std::size_t(r)].size()
                                                    ? rows[std::size_t(r)][c]
                                                    : QString()));
        }
    }
}

std::string lineOf(const QTableWidget* table, int row, int column) {
    return toStdString(cell(table, row, column));
}

} // namespace

RaporPaneli::RaporPaneli(claim::ClaimFile& file, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), file_(file), changed_(std::move(changed)) {
    setObjectName(QStringLiteral("RaporPaneli"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    RaporOnayı_ = named(new QCheckBox(QStringLiteral("&Bilirkişi raporu olarak yaz")),
                        QStringLiteral("RaporOnayı"));
    outer->addWidget(RaporOnayı_);

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    RaporAlanı_ = named(new QWidget, QStringLiteral("RaporAlanı"));
    auto* form = new QFormLayout(RaporAlanı_);
    MerciKutusu_ = named(new QLineEdit, QStringLiteral("MerciKutusu"));
    MerciKutusu_->setPlaceholderText(QStringLiteral("İstanbul 12. Asliye Ticaret Mahkemesi"));
    DosyaNoKutusu_ = named(new QLineEdit, QStringLiteral("DosyaNoKutusu"));
    DosyaNoKutusu_->setPlaceholderText(QStringLiteral("2025/345 E."));
    RaporTarihiOnayı_ =
        named(new QCheckBox(QStringLiteral("Rapor tarihi:")), QStringLiteral("RaporTarihiOnayı"));
    RaporTarihiKutusu_ = named(new shell::DateTimePicker, QStringLiteral("RaporTarihiKutusu"));
    KonuKutusu_ = named(new QLineEdit, QStringLiteral("KonuKutusu"));
    TaraflarTablosu_ =
        textTable(QStringLiteral("TaraflarTablosu"),
                  {QStringLiteral("Sıfatı"), QStringLiteral("Adı"), QStringLiteral("Vekili")});
    SorularTablosu_ = textTable(QStringLiteral("SorularTablosu"),
                                {QStringLiteral("Soru"), QStringLiteral("Cevap")});
    BelgelerKutusu_ = named(new QPlainTextEdit, QStringLiteral("BelgelerKutusu"));
    BelgelerKutusu_->setPlaceholderText(QStringLiteral("Her satıra bir belge"));
    BelgelerKutusu_->setTabChangesFocus(true);
    TespitlerKutusu_ = named(new QPlainTextEdit, QStringLiteral("TespitlerKutusu"));
    TespitlerKutusu_->setTabChangesFocus(true);
    BilirkişilerTablosu_ = textTable(
        QStringLiteral("BilirkişilerTablosu"),
        {QStringLiteral("Adı"), QStringLiteral("Unvanı / alanı"), QStringLiteral("Sicil no")});

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(RaporTarihiKutusu_);
    dateRow->addStretch();
    const auto label = [](const QString& text, QWidget* buddy) {
        auto* caption = new QLabel(text);
        caption->setBuddy(buddy);
        shell::highlightLabelWhileFocused(caption, buddy);
        return caption;
    };
    form->addRow(label(QStringLiteral("&Merci:"), MerciKutusu_), MerciKutusu_);
    form->addRow(label(QStringLiteral("Dosya &no:"), DosyaNoKutusu_), DosyaNoKutusu_);
    form->addRow(RaporTarihiOnayı_, dateRow);
    form->addRow(label(QStringLiteral("K&onu:"), KonuKutusu_), KonuKutusu_);
    form->addRow(label(QStringLiteral("&Taraflar:"), TaraflarTablosu_),
                 tableWithButtons(TaraflarTablosu_, QStringLiteral("Taraf"),
                                  QStringLiteral("Taraf ekle"), QStringLiteral("Tarafı sil")));
    form->addRow(label(QStringLiteral("&Sorular:"), SorularTablosu_),
                 tableWithButtons(SorularTablosu_, QStringLiteral("Soru"),
                                  QStringLiteral("Soru ekle"), QStringLiteral("Soruyu sil")));
    form->addRow(label(QStringLiteral("İncelenen &belgeler:"), BelgelerKutusu_), BelgelerKutusu_);
    form->addRow(label(QStringLiteral("Tespit edilen o&lgular:"), TespitlerKutusu_),
                 TespitlerKutusu_);
    form->addRow(label(QStringLiteral("Bilirkişiler:"), BilirkişilerTablosu_),
                 tableWithButtons(BilirkişilerTablosu_, QStringLiteral("Bilirkişi"),
                                  QStringLiteral("Bilirkişi ekle"),
                                  QStringLiteral("Bilirkişiyi sil")));
    scroll->setWidget(RaporAlanı_);
    outer->addWidget(scroll, 1);

    connect(RaporOnayı_, &QCheckBox::toggled, this, [this] { edited(); });
    for (QLineEdit* field : {MerciKutusu_, DosyaNoKutusu_, KonuKutusu_}) {
        connect(field, &QLineEdit::textChanged, this, [this] { edited(); });
    }
    connect(RaporTarihiOnayı_, &QCheckBox::toggled, this, [this] { edited(); });
    connect(RaporTarihiKutusu_, &QDateEdit::dateChanged, this, [this] { edited(); });
    for (QPlainTextEdit* field : {BelgelerKutusu_, TespitlerKutusu_}) {
        connect(field, &QPlainTextEdit::textChanged, this, [this] { edited(); });
    }
    for (QTableWidget* table : {TaraflarTablosu_, SorularTablosu_, BilirkişilerTablosu_}) {
        connect(table, &QTableWidget::itemChanged, this, [this] { edited(); });
    }
    showFile();
}

QWidget* RaporPaneli::tableWithButtons(QTableWidget* table, const QString& name,
                                       const QString& addCaption, const QString& removeCaption) {
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table, 1);
    auto* buttons = new QVBoxLayout;
    auto* add = named(new QPushButton(addCaption), name + QStringLiteral("EkleButonu"));
    auto* remove = named(new QPushButton(removeCaption), name + QStringLiteral("SilButonu"));
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this, table] {
        const int row = table->rowCount();
        showing_ = true;
        table->insertRow(row);
        for (int c = 0; c < table->columnCount(); ++c) {
            table->setItem(row, c, new QTableWidgetItem);
        }
        showing_ = false;
        table->setCurrentCell(row, 0);
        table->setFocus();
        table->editItem(table->item(row, 0));
        edited();
    });
    connect(remove, &QPushButton::clicked, this, [this, table] {
        const int row = table->currentRow();
        if (row < 0) {
            return;
        }
        table->removeRow(row);
        edited();
    });
    return box;
}

void RaporPaneli::showFile() {
    showing_ = true;
    const bool present = file_.report.has_value();
    const claim::ReportDetails details = file_.report.value_or(claim::ReportDetails{});
    RaporOnayı_->setChecked(present);
    RaporAlanı_->setEnabled(present);
    MerciKutusu_->setText(toQString(details.authority));
    DosyaNoKutusu_->setText(toQString(details.fileNumber));
    RaporTarihiOnayı_->setChecked(details.date.has_value());
    RaporTarihiKutusu_->setValue(details.date ? shell::toQDate(*details.date)
                                              : shell::shared().today());
    RaporTarihiKutusu_->setEnabled(details.date.has_value());
    KonuKutusu_->setText(toQString(details.subject));
    std::vector<QStringList> parties;
    for (const claim::Party& party : details.parties) {
        parties.push_back({toQString(party.role), toQString(party.name), toQString(party.counsel)});
    }
    setRows(TaraflarTablosu_, parties);
    std::vector<QStringList> questions;
    for (const claim::Question& question : details.questions) {
        questions.push_back({toQString(question.text), toQString(question.answer)});
    }
    setRows(SorularTablosu_, questions);
    QStringList documents;
    for (const std::string& document : details.documents) {
        documents << toQString(document);
    }
    BelgelerKutusu_->setPlainText(documents.join(u'\n'));
    TespitlerKutusu_->setPlainText(toQString(details.facts));
    std::vector<QStringList> experts;
    for (const claim::Expert& expert : details.experts) {
        experts.push_back(
            {toQString(expert.name), toQString(expert.title), toQString(expert.registryNumber)});
    }
    setRows(BilirkişilerTablosu_, experts);
    showing_ = false;
}

claim::ReportDetails RaporPaneli::details() const {
    claim::ReportDetails details;
    details.authority = toStdString(MerciKutusu_->text().trimmed());
    details.fileNumber = toStdString(DosyaNoKutusu_->text().trimmed());
    if (RaporTarihiOnayı_->isChecked()) {
        if (const std::optional<QDate> date = RaporTarihiKutusu_->value()) {
            details.date = shell::toSysDays(*date);
        }
    }
    details.subject = toStdString(KonuKutusu_->text().trimmed());
    for (int r = 0; r < TaraflarTablosu_->rowCount(); ++r) {
        details.parties.push_back({lineOf(TaraflarTablosu_, r, 0), lineOf(TaraflarTablosu_, r, 1),
                                   lineOf(TaraflarTablosu_, r, 2)});
    }
    for (int r = 0; r < SorularTablosu_->rowCount(); ++r) {
        details.questions.push_back({lineOf(SorularTablosu_, r, 0), lineOf(SorularTablosu_, r, 1)});
    }
    for (const QString& line : BelgelerKutusu_->toPlainText().split(u'\n')) {
        if (!line.trimmed().isEmpty()) {
            details.documents.push_back(toStdString(line.trimmed()));
        }
    }
    details.facts = toStdString(TespitlerKutusu_->toPlainText().trimmed());
    for (int r = 0; r < BilirkişilerTablosu_->rowCount(); ++r) {
        details.experts.push_back({lineOf(BilirkişilerTablosu_, r, 0),
                                   lineOf(BilirkişilerTablosu_, r, 1),
                                   lineOf(BilirkişilerTablosu_, r, 2)});
    }
    return details;
}

void RaporPaneli::edited() {
    if (showing_) {
        return;
    }
    RaporAlanı_->setEnabled(RaporOnayı_->isChecked());
    RaporTarihiKutusu_->setEnabled(RaporTarihiOnayı_->isChecked());
    if (RaporOnayı_->isChecked()) {
        file_.report = details();
    } else {
        file_.report.reset();
    }
    changed_();
}
