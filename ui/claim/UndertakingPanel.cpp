#include "ui/claim/UndertakingPanel.h"

#include "core/claim/ClaimTexts.h"
#include "core/plan/PlanTexts.h"
#include "core/report/UndertakingReport.h"
#include "core/text/TextForms.h"
#include "shell/AnaParaKutusu.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/SharedValues.h"
#include "ui/claim/ClaimControls.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

using namespace mirvane;
using namespace claimui;
using shell::toQString;
using shell::toStdString;

// The instalment table: one row per payment of the plan, in the texts the reports
// print. With typed amounts the amount of each instalment is edited in its cell.
class InstalmentModel : public QAbstractTableModel {
public:
    struct Row {
        int number = 0; // 0 for the down payment
        std::array<QString, plan::InstalmentColumns> cells;
    };

    // An amount typed into instalment `number` (from 1).
    std::function<void(int number, claim::Kurus amount)> amountTyped;

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<Row> rows, bool typed) {
        beginResetModel();
        rows_ = std::move(rows);
        typed_ = typed;
        endResetModel();
    }

    const std::vector<Row>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(plan::InstalmentColumns);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || std::size_t(index.row()) >= rows_.size()) {
            return {};
        }
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            return rows_[std::size_t(index.row())].cells[std::size_t(index.column())];
        }
        if (role == Qt::TextAlignmentRole) {
            const Qt::Alignment horizontal = index.column() == 0   ? Qt::AlignHCenter
                                             : index.column() <= 2 ? Qt::AlignLeft
                                                                   : Qt::AlignRight;
            return QVariant(int(horizontal | Qt::AlignVCenter));
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            std::size_t(section) < plan::InstalmentColumns) {
            return toQString(plan::instalmentHeaders()[std::size_t(section)]);
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        if (editable(index)) {
            flags |= Qt::ItemIsEditable;
        }
        return flags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !editable(index)) {
            return false;
        }
        const std::optional<claim::Kurus> amount = claim::parseKurus(toStdString(value.toString()));
        if (!amount || *amount <= 0) {
            return false;
        }
        Row& row = rows_[std::size_t(index.row())];
        row.cells[3] = toQString(text::formatCents(*amount));
        emit dataChanged(index, index);
        // The plan is made again once the editor has let go of the cell.
        const int number = row.number;
        QTimer::singleShot(0, this, [this, number, kurus = *amount] {
            if (amountTyped) {
                amountTyped(number, kurus);
            }
        });
        return true;
    }

private:
    bool editable(const QModelIndex& index) const {
        return typed_ && index.isValid() && index.column() == 3 &&
               std::size_t(index.row()) < rows_.size() &&
               rows_[std::size_t(index.row())].number > 0;
    }

    std::vector<Row> rows_;
    bool typed_ = false;
};

namespace {

const std::array<breakdown::Column, 2> DebtColumns{{
    {"", 0.68, breakdown::Column::Align::Left},
    {"Tutar (TL)", 0.3, breakdown::Column::Align::Right},
}};

QDate today() {
    return shell::shared().today();
}

InstalmentModel::Row rowOf(const plan::Instalment& instalment) {
    InstalmentModel::Row row;
    row.number = instalment.number;
    const auto cells = plan::instalmentCells(instalment);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        row.cells[c] = toQString(cells[c]);
    }
    return row;
}

} // namespace

UndertakingPanel::UndertakingPanel(TermsChanged changed, QWidget* parent)
    : QWidget(parent), changed_(std::move(changed)) {
    setObjectName(QStringLiteral("TaahhütPaneli"));
    auto* layout = new QVBoxLayout(this);
    // Access letters the rest of the claim window does not use.
    TaahhütOnayı_ = named(new QCheckBox(QStringLiteral("Bu dosya i&çin ödeme taahhüdü (İİK 111)")),
                          QStringLiteral("TaahhütOnayı"));
    layout->addWidget(TaahhütOnayı_);
    TaahhütAlanı_ = named(new QWidget, QStringLiteral("TaahhütAlanı"));
    auto* area = new QVBoxLayout(TaahhütAlanı_);
    area->setContentsMargins(0, 0, 0, 0);
    area->addWidget(buildTerms());

    TaahhütHataEtiketi_ = named(new QLabel, QStringLiteral("TaahhütHataEtiketi"));
    TaahhütHataEtiketi_->setWordWrap(true);
    TaahhütHataEtiketi_->setPalette(warningPalette(TaahhütHataEtiketi_->palette()));
    area->addWidget(TaahhütHataEtiketi_);

    TaahhütBorçListesi_ = named(new shell::ListView, QStringLiteral("TaahhütBorçListesi"));
    TaahhütBorçListesi_->createColumns(DebtColumns);
    TaahhütBorçListesi_->header()->setStretchLastSection(false);
    TaahhütBorçListesi_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    TaahhütBorçListesi_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    // Room for the lines of a file with one principal item without scrolling.
    TaahhütBorçListesi_->setMinimumHeight(TaahhütBorçListesi_->fontMetrics().height() * 10);
    area->addWidget(TaahhütBorçListesi_, 2);

    model_ = new InstalmentModel(this);
    model_->amountTyped = [this](int number, claim::Kurus amount) {
        setAmount(number, amount);
    };
    TaksitlerTablosu_ = named(new QTableView, QStringLiteral("TaksitlerTablosu"));
    TaksitlerTablosu_->setModel(model_);
    TaksitlerTablosu_->verticalHeader()->hide();
    TaksitlerTablosu_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TaksitlerTablosu_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TaksitlerTablosu_->setSelectionBehavior(QAbstractItemView::SelectRows);
    TaksitlerTablosu_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                       QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::AnyKeyPressed);
    area->addWidget(TaksitlerTablosu_, 3);

    TaahhütToplamEtiketi_ = named(new QLabel, QStringLiteral("TaahhütToplamEtiketi"));
    TaahhütToplamEtiketi_->setWordWrap(true);
    TaahhütToplamEtiketi_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = TaahhütToplamEtiketi_->font();
    bold.setBold(true);
    TaahhütToplamEtiketi_->setFont(bold);
    area->addWidget(TaahhütToplamEtiketi_);
    TaahhütUyarıEtiketi_ = named(new QLabel, QStringLiteral("TaahhütUyarıEtiketi"));
    TaahhütUyarıEtiketi_->setWordWrap(true);
    TaahhütUyarıEtiketi_->setPalette(warningPalette(TaahhütUyarıEtiketi_->palette()));
    area->addWidget(TaahhütUyarıEtiketi_);
    layout->addWidget(TaahhütAlanı_, 1);
    layout->addStretch(0);

    TaahhütPdfMenüsü_ = named(new QAction(QStringLiteral("Ödeme &Taahhüdü PDF..."), this),
                              QStringLiteral("TaahhütPdfMenüsü"));
    TaahhütWordMenüsü_ = named(new QAction(QStringLiteral("Ödeme Taahhüdü Wo&rd'e Aktar"), this),
                               QStringLiteral("TaahhütWordMenüsü"));
    connect(TaahhütPdfMenüsü_, &QAction::triggered, this, &UndertakingPanel::exportPdf);
    connect(TaahhütWordMenüsü_, &QAction::triggered, this, &UndertakingPanel::exportWord);

    connect(TaahhütOnayı_, &QCheckBox::toggled, this, &UndertakingPanel::edited);
    connect(TaahhütTarihiKutusu_, &QDateEdit::dateChanged, this, &UndertakingPanel::edited);
    connect(İlkVadeKutusu_, &QDateEdit::dateChanged, this, &UndertakingPanel::edited);
    connect(PeşinatKutusu_, &QLineEdit::textChanged, this, &UndertakingPanel::edited);
    connect(TaksitSayısıKutusu_, &QSpinBox::valueChanged, this, &UndertakingPanel::edited);
    connect(AralıkKutusu_, &QComboBox::currentIndexChanged, this, &UndertakingPanel::edited);
    connect(TaksitTürüKutusu_, &QComboBox::currentIndexChanged, this,
            &UndertakingPanel::kindChanged);
    for (QLineEdit* field : {AlacaklıKutusu_, BorçluKutusu_, DosyaNoKutusu_}) {
        connect(field, &QLineEdit::textEdited, this, &UndertakingPanel::edited);
    }
    showTerms(std::nullopt);
}

UndertakingPanel::~UndertakingPanel() = default;

QWidget* UndertakingPanel::buildTerms() {
    auto* box = named(new QGroupBox(QStringLiteral("Taahhüt")), QStringLiteral("TaahhütÇerçevesi"));
    auto* grid = new QGridLayout(box);
    TaahhütTarihiKutusu_ = named(new shell::DateTimePicker, QStringLiteral("TaahhütTarihiKutusu"));
    PeşinatKutusu_ = named(new AnaParaKutusu, QStringLiteral("PeşinatKutusu"));
    TaksitSayısıKutusu_ = named(new QSpinBox, QStringLiteral("TaksitSayısıKutusu"));
    TaksitSayısıKutusu_->setRange(1, claim::MaxInstalments);
    İlkVadeKutusu_ = named(new shell::DateTimePicker, QStringLiteral("İlkVadeKutusu"));
    AralıkKutusu_ = named(new QComboBox, QStringLiteral("AralıkKutusu"));
    AralıkKutusu_->addItems({QStringLiteral("Ay"), QStringLiteral("Hafta")});
    TaksitTürüKutusu_ = named(new QComboBox, QStringLiteral("TaksitTürüKutusu"));
    TaksitTürüKutusu_->addItems({QStringLiteral("Eşit taksit"), QStringLiteral("Tutarları gir")});
    AlacaklıKutusu_ = named(new QLineEdit, QStringLiteral("AlacaklıKutusu"));
    BorçluKutusu_ = named(new QLineEdit, QStringLiteral("BorçluKutusu"));
    DosyaNoKutusu_ = named(new QLineEdit, QStringLiteral("DosyaNoKutusu"));
    DosyaNoKutusu_->setPlaceholderText(
        QStringLiteral("örneğin İstanbul 5. İcra Dairesi 2024/1234 E."));

    grid->addWidget(fieldLabel(QStringLiteral("Taahh&üt tarihi:"), TaahhütTarihiKutusu_), 0, 0);
    grid->addWidget(TaahhütTarihiKutusu_, 0, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Pe&şinat:"), PeşinatKutusu_), 0, 2);
    grid->addWidget(PeşinatKutusu_, 0, 3);
    grid->addWidget(fieldLabel(QStringLiteral("Taksit sa&yısı:"), TaksitSayısıKutusu_), 1, 0);
    grid->addWidget(TaksitSayısıKutusu_, 1, 1);
    grid->addWidget(fieldLabel(QStringLiteral("İlk vade:"), İlkVadeKutusu_), 1, 2);
    grid->addWidget(İlkVadeKutusu_, 1, 3);
    grid->addWidget(fieldLabel(QStringLiteral("Aral&ık:"), AralıkKutusu_), 2, 0);
    grid->addWidget(AralıkKutusu_, 2, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Taksitler:"), TaksitTürüKutusu_), 2, 2);
    grid->addWidget(TaksitTürüKutusu_, 2, 3);
    grid->addWidget(fieldLabel(QStringLiteral("Alacaklı:"), AlacaklıKutusu_), 3, 0);
    grid->addWidget(AlacaklıKutusu_, 3, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Borçlu:"), BorçluKutusu_), 3, 2);
    grid->addWidget(BorçluKutusu_, 3, 3);
    grid->addWidget(fieldLabel(QStringLiteral("İcra dosyası:"), DosyaNoKutusu_), 4, 0);
    grid->addWidget(DosyaNoKutusu_, 4, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

void UndertakingPanel::showTerms(const std::optional<claim::Undertaking>& terms) {
    showing_ = true;
    terms_ = terms;
    // A new undertaking starts today, the first instalment a month later.
    claim::Undertaking shown;
    shown.date = shell::toSysDays(today());
    shown.firstDue = shell::toSysDays(today().addMonths(1));
    shown.count = 6;
    if (terms) {
        shown = *terms;
    }
    TaahhütOnayı_->setChecked(terms.has_value());
    TaahhütTarihiKutusu_->setValue(shell::toQDate(shown.date));
    İlkVadeKutusu_->setValue(shell::toQDate(shown.firstDue));
    PeşinatKutusu_->setText(shown.downPayment > 0 ? toQString(text::formatCents(shown.downPayment))
                                                  : QString());
    TaksitSayısıKutusu_->setValue(std::clamp(shown.count, 1, claim::MaxInstalments));
    AralıkKutusu_->setCurrentIndex(shown.interval == claim::PlanInterval::Week ? 1 : 0);
    TaksitTürüKutusu_->setCurrentIndex(shown.amounts.empty() ? 0 : 1);
    AlacaklıKutusu_->setText(toQString(shown.creditor));
    BorçluKutusu_->setText(toQString(shown.debtor));
    DosyaNoKutusu_->setText(toQString(shown.fileNumber));
    TaahhütAlanı_->setEnabled(terms.has_value());
    showing_ = false;
}

std::optional<claim::Undertaking> UndertakingPanel::termsFromFields(QString& problem) const {
    claim::Undertaking terms = terms_.value_or(claim::Undertaking{});
    const std::optional<Date> date = dateOf(*TaahhütTarihiKutusu_);
    const std::optional<Date> firstDue = dateOf(*İlkVadeKutusu_);
    if (!date) {
        problem = QStringLiteral("Taahhüt tarihi girilmeli.");
        return std::nullopt;
    }
    if (!firstDue) {
        problem = QStringLiteral("İlk vade girilmeli.");
        return std::nullopt;
    }
    const QString downText = PeşinatKutusu_->text().trimmed();
    std::optional<claim::Kurus> down = 0;
    if (!downText.isEmpty()) {
        down = claim::parseKurus(toStdString(downText));
    }
    if (!down) {
        problem = QStringLiteral("Peşinat bir tutar olmalı (örneğin 5.000,00).");
        return std::nullopt;
    }
    terms.date = *date;
    terms.firstDue = *firstDue;
    terms.downPayment = *down;
    terms.count = TaksitSayısıKutusu_->value();
    terms.interval =
        AralıkKutusu_->currentIndex() == 1 ? claim::PlanInterval::Week : claim::PlanInterval::Month;
    terms.creditor = toStdString(AlacaklıKutusu_->text());
    terms.debtor = toStdString(BorçluKutusu_->text());
    terms.fileNumber = toStdString(DosyaNoKutusu_->text());
    if (TaksitTürüKutusu_->currentIndex() == 0) {
        terms.amounts.clear();
    } else {
        // Typed amounts follow the count: new instalments take the last amount.
        const claim::Kurus last = terms.amounts.empty() ? 100'00 : terms.amounts.back();
        terms.amounts.resize(std::size_t(terms.count), last);
    }
    return terms;
}

void UndertakingPanel::edited() {
    if (showing_) {
        return;
    }
    TaahhütAlanı_->setEnabled(TaahhütOnayı_->isChecked());
    if (!TaahhütOnayı_->isChecked()) {
        terms_.reset();
        changed_(std::nullopt);
        return;
    }
    QString problem;
    const std::optional<claim::Undertaking> terms = termsFromFields(problem);
    if (!terms) {
        // Nothing goes into the file while a field holds no value.
        plan_.reset();
        showPlan(problem);
        return;
    }
    terms_ = terms;
    changed_(terms_);
}

// Typed amounts start from the equal plan, so the user changes only what differs.
void UndertakingPanel::kindChanged() {
    if (showing_) {
        return;
    }
    if (terms_) {
        if (TaksitTürüKutusu_->currentIndex() == 1 && plan_ && plan_->equal) {
            terms_->amounts.clear();
            for (const plan::Instalment& instalment : plan_->instalments) {
                terms_->amounts.push_back(instalment.amount);
            }
        } else if (TaksitTürüKutusu_->currentIndex() == 0) {
            terms_->amounts.clear();
        }
    }
    edited();
}

void UndertakingPanel::setAmount(int instalment, claim::Kurus amount) {
    if (!terms_ || instalment < 1 || std::size_t(instalment) > terms_->amounts.size()) {
        return;
    }
    terms_->amounts[std::size_t(instalment) - 1] = amount;
    changed_(terms_);
}

void UndertakingPanel::compute(const claim::ClaimFile& file, bool computes) {
    file_ = file;
    plan_.reset();
    QString problem;
    if (file.undertaking) {
        if (!computes) {
            problem = QStringLiteral("Dosya hesaplanamadığı için taahhüt planı yapılamıyor.");
        } else {
            plan::PlanOutcome outcome = plan::makePlan(file, *file.undertaking);
            if (const auto* refusal = std::get_if<claim::Refusal>(&outcome)) {
                problem = toQString(refusal->message);
            } else {
                plan_ = std::move(std::get<plan::Plan>(outcome));
            }
        }
    }
    showPlan(problem);
}

void UndertakingPanel::showPlan(const QString& problem) {
    TaahhütHataEtiketi_->setText(problem);
    TaahhütHataEtiketi_->setVisible(!problem.isEmpty());
    TaahhütPdfMenüsü_->setEnabled(plan_.has_value());
    TaahhütWordMenüsü_->setEnabled(plan_.has_value());
    TaahhütBorçListesi_->removeAllRows();
    std::vector<InstalmentModel::Row> rows;
    const bool typed = terms_ && !terms_->amounts.empty();
    if (plan_) {
        QList<QStringList> debt;
        for (const auto& [label, amount] : plan::debtLines(plan_->debt)) {
            debt.append({toQString(label), toQString(amount)});
        }
        TaahhütBorçListesi_->addRows(debt);
        for (const plan::Instalment* payment : plan::payments(*plan_)) {
            rows.push_back(rowOf(*payment));
        }
        QStringList totals;
        for (const auto& [label, amount] : plan::totalLines(*plan_)) {
            totals << toQString(label) + QStringLiteral(": ") + toQString(amount) +
                          QStringLiteral(" TL");
        }
        totals << toQString(plan::totalSentence(*plan_));
        TaahhütToplamEtiketi_->setText(totals.join(u'\n'));
        QStringList notices;
        for (const std::string& notice : plan_->notices) {
            notices << toQString(notice);
        }
        TaahhütUyarıEtiketi_->setText(notices.join(u'\n'));
    } else {
        // Typed amounts stay editable while the plan cannot be made.
        if (typed) {
            for (std::size_t k = 0; k < terms_->amounts.size(); ++k) {
                InstalmentModel::Row row;
                row.number = int(k) + 1;
                row.cells[0] = QString::number(k + 1);
                row.cells[3] = toQString(text::formatCents(terms_->amounts[k]));
                rows.push_back(std::move(row));
            }
        }
        TaahhütToplamEtiketi_->clear();
        TaahhütUyarıEtiketi_->clear();
    }
    model_->setRows(std::move(rows), typed);
    TaahhütToplamEtiketi_->setVisible(!TaahhütToplamEtiketi_->text().isEmpty());
    TaahhütUyarıEtiketi_->setVisible(!TaahhütUyarıEtiketi_->text().isEmpty());
}

QList<QAction*> UndertakingPanel::menuActions() const {
    return {TaahhütPdfMenüsü_, TaahhütWordMenüsü_};
}

report::Document UndertakingPanel::document() const {
    return report::undertakingReport(file_, *plan_, shell::toSysDays(today()));
}

void UndertakingPanel::exportPdf() {
    if (!plan_) {
        return;
    }
    const std::string& name =
        plan_->terms.fileNumber.empty() ? file_.title : plan_->terms.fileNumber;
    pdf::saveReport(
        window(), document(),
        pdf::suggestedFileName(QStringLiteral("Ödeme Taahhüdü") +
                               (name.empty() ? QString() : QStringLiteral(" ") + toQString(name))));
}

void UndertakingPanel::exportWord() {
    if (!plan_) {
        return;
    }
    const report::Document made = document();
    word::exportToWordProcessor([&made] { return made; }, QStringLiteral("OdemeTaahhudu.dotx"));
}
