#include "ui/span/SureHesaplamaFormu.h"

#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "span/DateSpan.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

using namespace mirvane;
using shell::button;
using shell::layoutFont;
using shell::place;
using shell::px;
using shell::toQString;
using shell::twips;

namespace {

// The rows of the frame: label on the left, field on the right, sharing the
// field's height so that the caption stands level with it.
constexpr int LabelLeft = 240;
constexpr int LabelWidth = 1560;
constexpr int FieldLeft = 1920;
constexpr int FieldWidth = 1650;
constexpr int AmountWidth = 615;
constexpr int RowHeight = 315;

QLabel* rowLabel(QWidget* parent, int index, const QString& caption, int top) {
    auto* label = place(new QLabel(caption, parent), QStringLiteral("Etiket%1").arg(index),
                        twips(LabelLeft, top, LabelWidth, RowHeight));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// The amount box takes digits and Backspace; keys that type nothing (cursor
// movement, Delete) or that move on or close (Tab, Enter, Esc) pass on to where
// they belong. Every other character is dropped, the clipboard shortcuts
// included, so that no sign, separator or letter is typed into the amount.
bool amountKeyPasses(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    const QString text = key.text();
    return text.isEmpty() || (text.size() == 1 && text.front() >= u'0' && text.front() <= u'9');
}

} // namespace

SüreHesaplamaFormu::SüreHesaplamaFormu(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("SüreHesaplamaFormu"));
    setWindowTitle(QStringLiteral("Süre Hesaplama"));
    setFont(layoutFont(font()));
    // The client area as designed; the outer width of 4260 twips is this width
    // plus the borders of a fixed dialog.
    setFixedSize(px(4170), px(3540));
    buildValuesFrame();
    buildButtons();
    setKeyboardOrder();
    connectHandlers();
    load();
}

void SüreHesaplamaFormu::buildValuesFrame() {
    auto* frame = place(new QGroupBox(QStringLiteral("Değerler "), this),
                        QStringLiteral("Çerçeve0"), twips(120, 90, 3930, 2700));
    QWidget* rows =
        place(new QWidget(frame), QStringLiteral("Altlık0"), twips(60, 210, 3810, 2400));

    Etiket_[0] = rowLabel(rows, 0, QStringLiteral("&Başlangıç Tarihi:"), 180);
    BaşlangıçTarihiKutusu_ =
        place(new shell::DateTimePicker(rows), QStringLiteral("BaşlangıçTarihiKutusu"),
              twips(FieldLeft, 180, FieldWidth, RowHeight));

    Etiket_[1] = rowLabel(rows, 1, QStringLiteral("Eklenecek &Dilim:"), 720);
    EklenecekZamanDilimiKutusu_ =
        place(new QComboBox(rows), QStringLiteral("EklenecekZamanDilimiKutusu"),
              twips(FieldLeft, 720, FieldWidth, RowHeight));
    // In the order of span::Unit, which the selected position indexes.
    EklenecekZamanDilimiKutusu_->addItems({QStringLiteral("Gün"), QStringLiteral("Hafta"),
                                           QStringLiteral("Ay"), QStringLiteral("Yıl")});

    Etiket_[2] = rowLabel(rows, 2, QStringLiteral("Eklenecek &Miktar:"), 1260);
    EklenecekZamanMiktarıKutusu_ =
        place(new QLineEdit(rows), QStringLiteral("EklenecekZamanMiktarıKutusu"),
              twips(FieldLeft, 1260, AmountWidth, RowHeight));
    EklenecekZamanMiktarıKutusu_->setMaxLength(3);
    // Only typed digits come in: no dropped text, no input-method text.
    EklenecekZamanMiktarıKutusu_->setAcceptDrops(false);
    EklenecekZamanMiktarıKutusu_->setAttribute(Qt::WA_InputMethodEnabled, false);

    Etiket_[3] = rowLabel(rows, 3, QStringLiteral("Bulunan Tarih:"), 1920);
    Etiket_[3]->setEnabled(false);
    SonuçKutusu_ = place(new QLineEdit(rows), QStringLiteral("SonuçKutusu"),
                         twips(FieldLeft, 1920, FieldWidth, RowHeight));
    // The found date is only shown: it takes no focus, selection or typing.
    SonuçKutusu_->setEnabled(false);
    SonuçKutusu_->setFocusPolicy(Qt::NoFocus);
    QFont resultFont = SonuçKutusu_->font();
    resultFont.setBold(true);
    SonuçKutusu_->setFont(resultFont);

    Etiket_[0]->setBuddy(BaşlangıçTarihiKutusu_);
    Etiket_[1]->setBuddy(EklenecekZamanDilimiKutusu_);
    Etiket_[2]->setBuddy(EklenecekZamanMiktarıKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[0], BaşlangıçTarihiKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[1], EklenecekZamanDilimiKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[2], EklenecekZamanMiktarıKutusu_);
    shell::enterMovesFocus(EklenecekZamanDilimiKutusu_);
    shell::enterMovesFocus(EklenecekZamanMiktarıKutusu_);
    shell::SuppressContextMenu(EklenecekZamanMiktarıKutusu_);
    EklenecekZamanMiktarıKutusu_->installEventFilter(this);
}

void SüreHesaplamaFormu::buildButtons() {
    KopyalaButonu_ = button(this, QStringLiteral("KopyalaButonu"),
                            QStringLiteral("B&ulunan Tarihi Kopyala"), twips(120, 3000, 2415, 345));
    KopyalaButonu_->setEnabled(false);
    KapatButonu_ = button(this, QStringLiteral("KapatButonu"), QStringLiteral("Kapat"),
                          twips(2655, 3000, 1395, 345));
}

void SüreHesaplamaFormu::setKeyboardOrder() {
    setTabOrder(BaşlangıçTarihiKutusu_, EklenecekZamanDilimiKutusu_);
    setTabOrder(EklenecekZamanDilimiKutusu_, EklenecekZamanMiktarıKutusu_);
    setTabOrder(EklenecekZamanMiktarıKutusu_, KopyalaButonu_);
    setTabOrder(KopyalaButonu_, KapatButonu_);
}

void SüreHesaplamaFormu::connectHandlers() {
    connect(BaşlangıçTarihiKutusu_, &QDateEdit::dateChanged, this,
            &SüreHesaplamaFormu::RecomputeFoundDate);
    connect(EklenecekZamanDilimiKutusu_, &QComboBox::currentIndexChanged, this,
            &SüreHesaplamaFormu::RecomputeFoundDate);
    connect(EklenecekZamanMiktarıKutusu_, &QLineEdit::textChanged, this,
            &SüreHesaplamaFormu::RecomputeFoundDate);
    connect(SonuçKutusu_, &QLineEdit::textChanged, this, &SüreHesaplamaFormu::SonuçKutusuDeğişti);
    connect(KopyalaButonu_, &QPushButton::clicked, this,
            &SüreHesaplamaFormu::KopyalaButonuTıklandı);
    connect(KapatButonu_, &QPushButton::clicked, this, &QDialog::reject);
}

void SüreHesaplamaFormu::load() {
    EklenecekZamanDilimiKutusu_->setCurrentIndex(0);
    BaşlangıçTarihiKutusu_->setValue(shell::shared().today());
}

bool SüreHesaplamaFormu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EklenecekZamanMiktarıKutusu_) {
        if (event->type() == QEvent::KeyPress && !amountKeyPasses(*static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::FocusIn)
            EklenecekZamanMiktarıKutusu_->selectAll();
        // The middle button would paste the X11 selection, whatever it holds.
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SüreHesaplamaFormu::keyPressEvent(QKeyEvent* event) {
    // The window has no default button: an Enter that a field lets through (the
    // date picker does) must not press the copy button.
    if (shell::isEnter(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SüreHesaplamaFormu::RecomputeFoundDate() {
    std::optional<span::Date> start;
    if (const std::optional<QDate> date = BaşlangıçTarihiKutusu_->value())
        start = shell::toSysDays(*date);
    const auto unit = span::Unit(EklenecekZamanDilimiKutusu_->currentIndex());
    const Result<std::string> found =
        span::foundDateText(start, unit, shell::toStdString(EklenecekZamanMiktarıKutusu_->text()));
    if (!found) {
        // Going on keeps the date found before; ending does not come back here.
        shell::ReportError(found.error());
        return;
    }
    SonuçKutusu_->setText(toQString(found.value()));
}

void SüreHesaplamaFormu::SonuçKutusuDeğişti(const QString& text) {
    KopyalaButonu_->setEnabled(!text.isEmpty());
}

void SüreHesaplamaFormu::KopyalaButonuTıklandı() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(SonuçKutusu_->text());
    // Enabled again by the next change of the found date.
    KopyalaButonu_->setEnabled(false);
}
