#include "ui/span/SureHesaplamaFormu.h"

#include "core/deadline/CommonPeriods.h"
#include "core/span/DateSpan.h"
#include "core/text/TextForms.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
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
constexpr int CaptionHeight = 240;

// The weekday of the date found stands just under it.
constexpr int WeekdayTop = 2250;
constexpr int WeekdayHeight = 210;

// The last-day frame below the buttons; its fields are wider than the ones
// above, for a date with its weekday and the longer names of the periods.
constexpr int LastDayFrameTop = 3480;
constexpr int LastDayFrameHeight = 6570;
constexpr int WideFieldLeft = 1200;
constexpr int WideFieldWidth = 2370;
constexpr int FullWidth = 3330;
constexpr int ClientWidth = 4170;
constexpr int ClientHeight = LastDayFrameTop + LastDayFrameHeight + 120;

// In the order of deadline::Procedure, which the selected position indexes.
constexpr int HmkIndex = static_cast<int>(deadline::Procedure::Hmk);
constexpr int CmkIndex = static_cast<int>(deadline::Procedure::Cmk);

const QString ProcedureHelp = QStringLiteral(
    "Takvim: bulunan tarih olduğu gibi son gündür.\n"
    "HMK: son gün tatile rastlarsa ilk iş gününe geçer; adli tatilde (20 Temmuz–31 Ağustos) "
    "biten süre 7 Eylül'e uzar (HMK 104), ivedi işlerde uzamaz (HMK 103).\n"
    "İİK: son gün tatile rastlarsa ilk iş gününe geçer; adli tatil işlemez.\n"
    "CMK: son gün tatile rastlarsa tatilin ertesi iş günü biter (CMK 39); adli tatilde biten "
    "süre tatilin bitiminden üç gün uzar (CMK 331/4), ivedi işlerde uzamaz.\n"
    "Adli tatil o yılın sınırlarıyla uygulanır (2013'ten önce 5 Eylül'de biterdi).\n"
    "Cumartesi, pazar, resmî bayramlar ve dinî bayramlar (2000–2030) tatildir; arife ve "
    "28 Ekim öğleden sonrası ile idari izin günleri iş günüdür, süreyi uzatmaz.");

QLabel* rowLabel(QWidget* parent, int index, const QString& caption, int top,
                 int width = LabelWidth, int height = RowHeight) {
    auto* label = place(new QLabel(caption, parent), QStringLiteral("Etiket%1").arg(index),
                        twips(LabelLeft, top, width, height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QPlainTextEdit* readOnlyText(QWidget* parent, const QString& name, const QRect& area) {
    auto* box = place(new QPlainTextEdit(parent), name, area);
    box->setReadOnly(true);
    // Selectable and copyable by mouse, but left out of the keyboard round.
    box->setFocusPolicy(Qt::ClickFocus);
    box->setTabChangesFocus(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return box;
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
    setFixedSize(px(ClientWidth), px(ClientHeight));
    buildValuesFrame();
    buildButtons();
    buildLastDayFrame();
    setKeyboardOrder();
    connectHandlers();
    load();
}

void SüreHesaplamaFormu::buildValuesFrame() {
    auto* frame = place(new QGroupBox(QStringLiteral("Değerler "), this),
                        QStringLiteral("Çerçeve0"), twips(120, 90, 3930, 2700));
    QWidget* rows =
        place(new QWidget(frame), QStringLiteral("Altlık0"), twips(60, 210, 3810, 2460));

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
    BulunanGünEtiketi_ = place(new QLabel(rows), QStringLiteral("BulunanGünEtiketi"),
                               twips(FieldLeft, WeekdayTop, FieldWidth, WeekdayHeight));
    BulunanGünEtiketi_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Etiket_[0]->setBuddy(BaşlangıçTarihiKutusu_);
    Etiket_[1]->setBuddy(EklenecekZamanDilimiKutusu_);
    Etiket_[2]->setBuddy(EklenecekZamanMiktarıKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[0], BaşlangıçTarihiKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[1], EklenecekZamanDilimiKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[2], EklenecekZamanMiktarıKutusu_);
    shell::enterMovesFocus(EklenecekZamanDilimiKutusu_);
    shell::enterMovesFocus(EklenecekZamanMiktarıKutusu_);
    shell::suppressContextMenu(EklenecekZamanMiktarıKutusu_);
    EklenecekZamanMiktarıKutusu_->installEventFilter(this);
}

void SüreHesaplamaFormu::buildButtons() {
    KopyalaButonu_ = button(this, QStringLiteral("KopyalaButonu"),
                            QStringLiteral("B&ulunan Tarihi Kopyala"), twips(120, 3000, 2415, 345));
    KopyalaButonu_->setEnabled(false);
    KopyalaButonu_->setToolTip(
        QStringLiteral("HMK ve İİK'de son günü, Takvim'de bulunan tarihi kopyalar."));
    KapatButonu_ = button(this, QStringLiteral("KapatButonu"), QStringLiteral("Kapat"),
                          twips(2655, 3000, 1395, 345));
}

void SüreHesaplamaFormu::buildLastDayFrame() {
    auto* frame = place(new QGroupBox(QStringLiteral("Son Gün "), this), QStringLiteral("Çerçeve1"),
                        twips(120, LastDayFrameTop, 3930, LastDayFrameHeight));
    QWidget* rows = place(new QWidget(frame), QStringLiteral("Altlık1"),
                          twips(60, 210, 3810, LastDayFrameHeight - 300));

    Etiket_[4] =
        rowLabel(rows, 4, QStringLiteral("Sık &Kullanılan Süreler:"), 60, FullWidth, CaptionHeight);
    SıkKullanılanSürelerKutusu_ =
        place(new QComboBox(rows), QStringLiteral("SıkKullanılanSürelerKutusu"),
              twips(LabelLeft, 330, FullWidth, RowHeight));
    for (const deadline::CommonPeriod& period : deadline::commonPeriods()) {
        SıkKullanılanSürelerKutusu_->addItem(toQString(deadline::commonPeriodLabel(period)));
    }
    SıkKullanılanSürelerKutusu_->setPlaceholderText(QStringLiteral("Seçiniz"));
    SıkKullanılanSürelerKutusu_->setCurrentIndex(-1);

    Etiket_[5] = rowLabel(rows, 5, QStringLiteral("Usu&l:"), 780);
    UsulKutusu_ = place(new QComboBox(rows), QStringLiteral("UsulKutusu"),
                        twips(WideFieldLeft, 780, WideFieldWidth, RowHeight));
    for (const deadline::Procedure procedure :
         {deadline::Procedure::Takvim, deadline::Procedure::Hmk, deadline::Procedure::Iik,
          deadline::Procedure::Cmk}) {
        UsulKutusu_->addItem(toQString(std::string(deadline::procedureName(procedure))));
    }
    UsulKutusu_->setToolTip(ProcedureHelp);
    UsulKutusu_->setWhatsThis(ProcedureHelp);

    İvediİşOnayı_ = new QCheckBox(QStringLiteral("İvedi iş (adli tatil işlemez)"), rows);
    place(İvediİşOnayı_, QStringLiteral("İvediİşOnayı"),
          twips(LabelLeft, 1215, FullWidth, RowHeight));
    İvediİşOnayı_->setToolTip(
        QStringLiteral("Adli tatilde görülen işler (HMK 103): ihtiyati tedbir, nafaka, "
                       "velayet, iş davaları, iflas ve konkordato, çekişmesiz yargı ve "
                       "ivedi olduğu belirtilen işler. Ceza işlerinde (CMK 331): soruşturma, "
                       "tutuklu işler ve ivedi sayılan diğer işler."));

    Etiket_[6] = rowLabel(rows, 6, QStringLiteral("Son Gün:"), 1650);
    SonGünKutusu_ = place(new QLineEdit(rows), QStringLiteral("SonGünKutusu"),
                          twips(WideFieldLeft, 1650, WideFieldWidth, RowHeight));
    // The answer the window is for: read-only but drawn in full colour, unlike
    // the date found above it.
    SonGünKutusu_->setReadOnly(true);
    SonGünKutusu_->setFocusPolicy(Qt::NoFocus);
    SonGünKutusu_->setFont(SonuçKutusu_->font());
    SonGünKutusu_->setToolTip(ProcedureHelp);

    // Steps take two lines each when wrapped; three of them (a weekend, the recess,
    // a weekend again) show without scrolling.
    Etiket_[7] = rowLabel(rows, 7, QStringLiteral("Adımlar:"), 2085, FullWidth, CaptionHeight);
    AdımlarKutusu_ = readOnlyText(rows, QStringLiteral("AdımlarKutusu"),
                                  twips(LabelLeft, 2355, FullWidth, 1380));
    Etiket_[8] = rowLabel(rows, 8, QStringLiteral("Uyarılar:"), 3825, FullWidth, CaptionHeight);
    UyarılarKutusu_ = readOnlyText(rows, QStringLiteral("UyarılarKutusu"),
                                   twips(LabelLeft, 4095, FullWidth, 2100));

    Etiket_[4]->setBuddy(SıkKullanılanSürelerKutusu_);
    Etiket_[5]->setBuddy(UsulKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[4], SıkKullanılanSürelerKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[5], UsulKutusu_);
    shell::enterMovesFocus(SıkKullanılanSürelerKutusu_);
    shell::enterMovesFocus(UsulKutusu_);
}

void SüreHesaplamaFormu::setKeyboardOrder() {
    setTabOrder(BaşlangıçTarihiKutusu_, EklenecekZamanDilimiKutusu_);
    setTabOrder(EklenecekZamanDilimiKutusu_, EklenecekZamanMiktarıKutusu_);
    setTabOrder(EklenecekZamanMiktarıKutusu_, KopyalaButonu_);
    setTabOrder(KopyalaButonu_, KapatButonu_);
    setTabOrder(KapatButonu_, SıkKullanılanSürelerKutusu_);
    setTabOrder(SıkKullanılanSürelerKutusu_, UsulKutusu_);
    setTabOrder(UsulKutusu_, İvediİşOnayı_);
}

void SüreHesaplamaFormu::connectHandlers() {
    connect(BaşlangıçTarihiKutusu_, &QDateEdit::dateChanged, this,
            &SüreHesaplamaFormu::RecomputeFoundDate);
    connect(EklenecekZamanDilimiKutusu_, &QComboBox::currentIndexChanged, this,
            &SüreHesaplamaFormu::RecomputeFoundDate);
    connect(EklenecekZamanMiktarıKutusu_, &QLineEdit::textChanged, this,
            &SüreHesaplamaFormu::RecomputeFoundDate);
    connect(SonuçKutusu_, &QLineEdit::textChanged, this, &SüreHesaplamaFormu::SonuçKutusuDeğişti);
    connect(SonGünKutusu_, &QLineEdit::textChanged, this, &SüreHesaplamaFormu::SonGünKutusuDeğişti);
    connect(UsulKutusu_, &QComboBox::currentIndexChanged, this,
            &SüreHesaplamaFormu::UsulKutusuDeğişti);
    connect(İvediİşOnayı_, &QCheckBox::toggled, this, &SüreHesaplamaFormu::RecomputeLastDay);
    connect(SıkKullanılanSürelerKutusu_, &QComboBox::activated, this,
            &SüreHesaplamaFormu::SıkKullanılanSürelerKutusuSeçildi);
    // A value changed by hand no longer belongs to the common period shown.
    connect(EklenecekZamanDilimiKutusu_, &QComboBox::currentIndexChanged, this,
            &SüreHesaplamaFormu::DeğerElleDeğişti);
    connect(EklenecekZamanMiktarıKutusu_, &QLineEdit::textChanged, this,
            &SüreHesaplamaFormu::DeğerElleDeğişti);
    connect(KopyalaButonu_, &QPushButton::clicked, this,
            &SüreHesaplamaFormu::KopyalaButonuTıklandı);
    connect(KapatButonu_, &QPushButton::clicked, this, &QDialog::reject);
}

void SüreHesaplamaFormu::load() {
    EklenecekZamanDilimiKutusu_->setCurrentIndex(0);
    UsulKutusu_->setCurrentIndex(HmkIndex);
    BaşlangıçTarihiKutusu_->setValue(shell::shared().today());
}

bool SüreHesaplamaFormu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EklenecekZamanMiktarıKutusu_) {
        if (event->type() == QEvent::KeyPress &&
            !amountKeyPasses(*static_cast<QKeyEvent*>(event))) {
            return true;
        }
        if (event->type() == QEvent::FocusIn) {
            EklenecekZamanMiktarıKutusu_->selectAll();
        }
        // The middle button would paste the X11 selection, whatever it holds.
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            return true;
        }
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
    std::optional<Date> start;
    if (const std::optional<QDate> date = BaşlangıçTarihiKutusu_->value()) {
        start = shell::toSysDays(*date);
    }
    const auto unit = span::Unit(EklenecekZamanDilimiKutusu_->currentIndex());
    const Result<std::string> found =
        span::foundDateText(start, unit, shell::toStdString(EklenecekZamanMiktarıKutusu_->text()));
    if (!found) {
        // Going on keeps the date found before; ending does not come back here.
        shell::reportError(found.error());
        return;
    }
    SonuçKutusu_->setText(toQString(found.value()));
    RecomputeLastDay();
}

std::optional<Date> SüreHesaplamaFormu::foundDate() const {
    return text::parseDate(shell::toStdString(SonuçKutusu_->text()));
}

void SüreHesaplamaFormu::RecomputeLastDay() {
    const std::optional<Date> found = foundDate();
    if (!found) {
        lastDay_.reset();
        BulunanGünEtiketi_->clear();
        SonGünKutusu_->clear();
        AdımlarKutusu_->clear();
        UyarılarKutusu_->clear();
        return;
    }
    const auto procedure = deadline::Procedure(UsulKutusu_->currentIndex());
    lastDay_ = deadline::lastDay(*found, procedure, İvediİşOnayı_->isChecked());

    QStringList steps;
    for (const deadline::Step& step : lastDay_->steps) {
        steps << toQString(deadline::stepLine(step));
    }
    QStringList notices;
    for (const std::string& notice : lastDay_->notices) {
        notices << QStringLiteral("• ") + toQString(notice);
    }
    BulunanGünEtiketi_->setText(toQString(std::string(deadline::weekdayName(*found))));
    AdımlarKutusu_->setPlainText(steps.join(u'\n'));
    UyarılarKutusu_->setPlainText(notices.join(u'\n'));
    SonGünKutusu_->setText(toQString(deadline::dateWithWeekday(lastDay_->date)));
}

QString SüreHesaplamaFormu::copyText() const {
    if (!lastDay_ || UsulKutusu_->currentIndex() == int(deadline::Procedure::Takvim)) {
        return SonuçKutusu_->text();
    }
    return toQString(text::formatDate(lastDay_->date));
}

void SüreHesaplamaFormu::SonuçKutusuDeğişti(const QString& text) {
    KopyalaButonu_->setEnabled(!text.isEmpty());
}

// A new last day is something new to copy, as a new date found is.
void SüreHesaplamaFormu::SonGünKutusuDeğişti() {
    KopyalaButonu_->setEnabled(!copyText().isEmpty());
}

void SüreHesaplamaFormu::UsulKutusuDeğişti() {
    // Only civil and criminal procedure know the recess that an urgent matter escapes.
    İvediİşOnayı_->setEnabled(UsulKutusu_->currentIndex() == HmkIndex ||
                              UsulKutusu_->currentIndex() == CmkIndex);
    DeğerElleDeğişti();
    RecomputeLastDay();
}

void SüreHesaplamaFormu::SıkKullanılanSürelerKutusuSeçildi(int index) {
    const auto periods = deadline::commonPeriods();
    if (index < 0 || index >= int(periods.size())) {
        return;
    }
    const deadline::CommonPeriod& period = periods[std::size_t(index)];
    fillingPeriod_ = true;
    EklenecekZamanMiktarıKutusu_->setText(QString::number(period.amount));
    EklenecekZamanDilimiKutusu_->setCurrentIndex(int(period.unit));
    UsulKutusu_->setCurrentIndex(int(period.procedure));
    fillingPeriod_ = false;
}

void SüreHesaplamaFormu::DeğerElleDeğişti() {
    if (!fillingPeriod_) {
        SıkKullanılanSürelerKutusu_->setCurrentIndex(-1);
    }
}

void SüreHesaplamaFormu::KopyalaButonuTıklandı() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(copyText());
    // Enabled again by the next change of the found date.
    KopyalaButonu_->setEnabled(false);
}
