#include "ui/editor/EditorParts.h"

#include "core/interest/Breakdown.h"
#include "core/text/Cp1254.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/RefusalNotice.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QToolTip>

using namespace mirvane;
using shell::button;
using shell::FixedEdge;
using shell::label;
using shell::layoutFont;
using shell::place;
using shell::px;
using shell::toQString;
using shell::toStdString;
using shell::twips;

namespace mirvane::editor {

namespace {

// Client area of both windows.
constexpr int WindowWidth = 8340;
constexpr int WindowHeight = 6420;

const QString EnterCaption = QStringLiteral("&Listeye Ekle");
const QString UnsavedQuestion =
    QStringLiteral("Yapılan değişiklikler kaydedilmedi. Kaydetmeden kapatılsın mı?");
const QString IdleCaption = QStringLiteral("Yeni &Dönem Belirle");

std::optional<Date> dayOf(const shell::DateTimePicker& picker) {
    const std::optional<QDate> value = picker.value();
    if (!value) {
        return std::nullopt;
    }
    return shell::toSysDays(*value);
}

// "&Başlangıç Tarihi:" -> "Başlangıç Tarihi".
QString fieldName(const QLabel& caption) {
    QString name = caption.text();
    name.remove(u'&');
    if (name.endsWith(u':')) {
        name.chop(1);
    }
    return name;
}

} // namespace

// ---- DescriptionField ----------------------------------------------------------

DescriptionField::DescriptionField(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(document(), &QTextDocument::contentsChange, this, &DescriptionField::noteChange);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        // The corrections change the text again; they run once, on what came in.
        if (correcting_) {
            return;
        }
        correcting_ = true;
        dropCharactersTheFileCannotHold();
        keepWithinLimit();
        correcting_ = false;
    });
}

void DescriptionField::keyPressEvent(QKeyEvent* event) {
    if (shell::isEnter(*event)) {
        focusNextChild();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DescriptionField::noteChange(int position, int, int added) {
    insertedEnd_ = position + added;
}

// The list file keeps descriptions in Windows-1254; a character it has no byte for
// (₺, Ω) would be saved as '?', so the field does not take it.
void DescriptionField::dropCharactersTheFileCannotHold() {
    const QString text = toPlainText();
    QStringList refused;
    QTextCursor cut(document());
    for (qsizetype i = text.size(); i > 0;) {
        const qsizetype end = i;
        --i;
        if (text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()) {
            --i;
        }
        const QString character = text.mid(i, end - i);
        if (cp1254::holds(character.toUcs4().value(0))) {
            continue;
        }
        refused.prepend(character);
        cut.setPosition(int(i));
        cut.setPosition(int(end), QTextCursor::KeepAnchor);
        cut.removeSelectedText();
    }
    if (refused.isEmpty()) {
        return;
    }
    QApplication::beep();
    QToolTip::showText(
        mapToGlobal(QPoint(0, height())),
        QStringLiteral("Liste dosyası bu karakterleri saklayamaz: ") + refused.join(u' '), this);
}

// Typing at the limit, pasting or dropping keeps only what fits, taken from the
// front of what came in, as a text box with a length limit does.
void DescriptionField::keepWithinLimit() {
    const QString text = toPlainText();
    const int excess = int(text.size()) - LengthLimit;
    if (excess <= 0) {
        return;
    }
    const int end = std::clamp(insertedEnd_, excess, int(text.size()));
    int start = end - excess;
    if (start > 0 && text.at(start).isLowSurrogate()) {
        --start; // never leave half a character behind
    }
    QTextCursor cut(document());
    cut.setPosition(start);
    cut.setPosition(end, QTextCursor::KeepAnchor);
    cut.removeSelectedText();
    QTextCursor caret = textCursor();
    caret.setPosition(start);
    setTextCursor(caret);
}

// ---- PeriodEditor --------------------------------------------------------------

PeriodEditor::PeriodEditor(QWidget* owner, const QString& name, const QString& caption,
                           Placement placement)
    : QDialog(owner) {
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(px(WindowWidth), px(WindowHeight));
    setFont(layoutFont(font()));
    buildEntryArea(placement);
    buildPeriodList();
    buildButtons(placement);
    FaizDönemleriListesi_->createColumns(breakdown::editorPeriodColumns());
    showEntryArea(false);
}

void PeriodEditor::buildEntryArea(const Placement& placement) {
    Çerçeve_ = place(new QGroupBox(this), QStringLiteral("Çerçeve"), twips(240, 210, 5820, 1575));
    Altlık_ = place(new QWidget(Çerçeve_), QStringLiteral("Altlık"), twips(90, 180, 5625, 1305));
    BaşlangıçTarihiKutusu_ =
        place(new shell::DateTimePicker(Altlık_), QStringLiteral("BaşlangıçTarihiKutusu"),
              twips(placement.fieldLeft, 120, 1275, 315));
    BitişTarihiKutusu_ =
        place(new shell::DateTimePicker(Altlık_), QStringLiteral("BitişTarihiKutusu"),
              twips(placement.fieldLeft, 495, 1275, 315));
    FaizOranıKutusu_ = place(new shell::RateField(Altlık_), QStringLiteral("FaizOranıKutusu"),
                             twips(placement.fieldLeft, 900, placement.rateWidth, 285));
    AçıklamaKutusu_ = place(new DescriptionField(Altlık_), QStringLiteral("AçıklamaKutusu"),
                            twips(2910, 465, 2565, 735));

    Etiket_[0] = label(Altlık_, 0, QStringLiteral("&Başlangıç Tarihi:"), twips(120, 180, 1170, 195),
                       FixedEdge::Right);
    Etiket_[1] = label(Altlık_, 1, QStringLiteral("Bitiş &Tarihi:"), twips(525, 555, 765, 195),
                       FixedEdge::Right);
    Etiket_[2] = label(Altlık_, 2, QStringLiteral("Faiz &Oranı:"), twips(540, 945, 750, 195),
                       FixedEdge::Right);
    Etiket_[3] = label(Altlık_, 3, QStringLiteral("&Açıklama:"), twips(2910, 180, 690, 195),
                       FixedEdge::Left);
    const std::array<QWidget*, 4> fields{BaşlangıçTarihiKutusu_, BitişTarihiKutusu_,
                                         FaizOranıKutusu_, AçıklamaKutusu_};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        Etiket_[i]->setBuddy(fields[i]);
        shell::highlightLabelWhileFocused(Etiket_[i], fields[i]);
    }
}

void PeriodEditor::buildPeriodList() {
    Etiket_[4] = label(this, 4, QStringLiteral("Faiz Dönemleri"), twips(240, 2010, 1035, 195),
                       FixedEdge::Left);
    FaizDönemleriListesi_ = place(new shell::ListView(this), QStringLiteral("FaizDönemleriListesi"),
                                  twips(240, 2280, 7830, 3255));
}

void PeriodEditor::buildButtons(const Placement& placement) {
    YeniDönemBelirleListeyeEkleButonu_ =
        button(this, QStringLiteral("YeniDönemBelirleListeyeEkleButonu"), IdleCaption,
               twips(6300, placement.twoStateTop, 1755, 345));
    VazgeçButonu_ = button(this, QStringLiteral("VazgeçButonu"), QStringLiteral("Vazgeç"),
                           twips(6300, 1275, 1755, 345));
    KapatButonu_ = button(this, QStringLiteral("KapatButonu"), QStringLiteral("Kapat (Esc)"),
                          twips(6795, 5730, 1275, 345));
    connect(KapatButonu_, &QPushButton::clicked, this, &QDialog::reject);
}

// Esc presses the window's cancel button, whatever control has the focus. The
// window has no default button: a focused button takes Enter itself, and an Enter
// that no control took (in a date picker, say) must not press the button that
// last had the focus, as a dialog would.
void PeriodEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        KapatButonu_->click();
        event->accept();
        return;
    }
    if (shell::isEnter(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PeriodEditor::inEntryState() const {
    return Altlık_->isEnabled();
}

void PeriodEditor::showEntryArea(bool entry) {
    Altlık_->setEnabled(entry);
    VazgeçButonu_->setEnabled(entry);
    YeniDönemBelirleListeyeEkleButonu_->setText(entry ? EnterCaption : IdleCaption);
}

void PeriodEditor::emptyRateAndDescription() {
    FaizOranıKutusu_->clear();
    AçıklamaKutusu_->clear();
}

bool PeriodEditor::listIsFull() {
    const std::optional<std::string_view> refusal =
        editing::refuseNewPeriod(std::size_t(rowCount()));
    if (refusal) {
        shell::showNotice(toQString(*refusal));
    }
    return refusal.has_value();
}

bool PeriodEditor::entryPasses(const editing::Neighbours& neighbours) {
    BaşlangıçTarihiKutusu_->finishTyping();
    BitişTarihiKutusu_->finishTyping();
    // A date refused as typed keeps the field's earlier value, which must not go
    // into the list in its place.
    for (shell::DateTimePicker* field : {BaşlangıçTarihiKutusu_, BitişTarihiKutusu_}) {
        if (!field->refusedEntry().isEmpty()) {
            const QLabel* caption = Etiket_[field == BaşlangıçTarihiKutusu_ ? 0 : 1];
            shell::showNotice(field->problemNotice(fieldName(*caption)));
            field->setFocus();
            return false;
        }
    }
    const editing::Entry entry{dayOf(*BaşlangıçTarihiKutusu_), dayOf(*BitişTarihiKutusu_),
                               toStdString(FaizOranıKutusu_->text())};
    const std::optional<editing::Refusal> refusal = editing::checkEntry(entry, neighbours);
    if (refusal) {
        applyRefusal(*refusal);
    }
    return !refusal;
}

void PeriodEditor::applyRefusal(const editing::Refusal& refusal) {
    shell::showRefusal(refusal, {BaşlangıçTarihiKutusu_, BitişTarihiKutusu_, FaizOranıKutusu_});
}

// Called only once the checks passed, so both dates are there.
editing::RowTexts PeriodEditor::entryRow(int number) const {
    return editing::entryRow(std::size_t(number), *dayOf(*BaşlangıçTarihiKutusu_),
                             *dayOf(*BitişTarihiKutusu_), toStdString(FaizOranıKutusu_->text()),
                             toStdString(AçıklamaKutusu_->toPlainText()));
}

int PeriodEditor::rowCount() const {
    return FaizDönemleriListesi_->rowCount();
}

editing::RowTexts PeriodEditor::rowTexts(int row) const {
    editing::RowTexts texts;
    for (std::size_t column = 0; column < texts.size(); ++column) {
        texts[column] = toStdString(FaizDönemleriListesi_->cellText(row, int(column)));
    }
    return texts;
}

void PeriodEditor::reject() {
    if (hasUnsavedChanges() && !shell::askYesNoDefaultNo(UnsavedQuestion)) {
        return;
    }
    QDialog::reject();
}

bool PeriodEditor::hasUnsavedChanges() const {
    return rowsChanged_ || inEntryState();
}

void PeriodEditor::focusAfterEntry(QWidget* next) {
    next->setFocus(Qt::OtherFocusReason);
}

void PeriodEditor::removeRow(int row) {
    FaizDönemleriListesi_->removeRow(row);
    rowsChanged_ = true;
}

void PeriodEditor::setRow(int row, const editing::RowTexts& texts) {
    rowsChanged_ = true;
    for (std::size_t column = 1; column < texts.size(); ++column) {
        FaizDönemleriListesi_->setCellText(row, int(column), toQString(texts[column]));
    }
}

void PeriodEditor::appendRow(const editing::RowTexts& texts) {
    rowsChanged_ = true;
    FaizDönemleriListesi_->addRow(shell::toQStringList(texts));
}

std::optional<Date> PeriodEditor::rowStart(int row) const {
    return editing::rowDate(toStdString(FaizDönemleriListesi_->cellText(row, 1)));
}

std::optional<Date> PeriodEditor::rowEnd(int row) const {
    return editing::rowDate(toStdString(FaizDönemleriListesi_->cellText(row, 2)));
}

std::optional<Date> PeriodEditor::lastRowEnd() const {
    return rowCount() > 0 ? rowEnd(rowCount() - 1) : std::nullopt;
}

Result<std::vector<RatePeriod>> PeriodEditor::periodsOfRows() const {
    std::vector<editing::RowTexts> rows;
    for (int row = 0; row < rowCount(); ++row) {
        rows.push_back(rowTexts(row));
    }
    return editing::periodsFromRows(rows);
}

void PeriodEditor::setKeyboardOrder(std::initializer_list<QWidget*> rest) {
    std::vector<QWidget*> order{BaşlangıçTarihiKutusu_, BitişTarihiKutusu_, FaizOranıKutusu_,
                                AçıklamaKutusu_};
    order.insert(order.end(), rest.begin(), rest.end());
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

} // namespace mirvane::editor
