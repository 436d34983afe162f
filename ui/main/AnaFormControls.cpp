#include "ui/main/AnaFormControls.h"

#include "core/interest/Breakdown.h"
#include "core/interest/InterestEngine.h"
#include "core/rates/Recognition.h"
#include "shell/AnaParaKutusu.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/RefusalNotice.h"
#include "shell/SharedValues.h"
#include "shell/TableView.h"
#include "ui/about/RatePackageDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

using namespace mirvane;
using shell::button;
using shell::fitToText;
using shell::FixedEdge;
using shell::label;
using shell::place;
using shell::px;
using shell::toQString;
using shell::twips;

namespace {

// The stale-rate notice: reached by Tab, its link takes the focus at once, so that
// Enter follows it (a plain label would wait for a second Tab).
class NoticeLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLabel::focusInEvent(event);
        if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
            focusNextPrevChild(event->reason() == Qt::TabFocusReason);
        }
    }
};

// How long a status message stands, in milliseconds: long enough for a slow word
// processor to come up.
constexpr int StatusTime = 20000;

} // namespace

const QColor AnaFormControls::WarningColour(160, 0, 0);

QSize AnaFormControls::designedSize() {
    return {px(9705), px(7185)};
}

void AnaFormControls::buildControls(QWidget* window) {
    window_ = window;
    buildTopBand();
    buildBreakdownArea();
    buildRatesArea();
    buildBottomButtons();
    buildMenu();
    setKeyboardOrder();
}

void AnaFormControls::rememberDesignedPlaces() {
    laidOutSize_ = designedSize();
    for (QWidget* parent : {window_, Altlık_[0], Altlık_[2]}) {
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) {
                designedPlaces_.emplace_back(child, child->geometry());
            }
        }
    }
}

// At the designed size every control stands where it was drawn. Of the height
// gained, a fifth goes to the list of rate lists (ready lists and the user's own
// soon fill its four rows); of the rest three quarters go to the breakdown and a
// quarter to the rates table, and what lies below each moves down with it. The
// width gained widens the list of lists and both tables and moves what stands at
// the right.
void AnaFormControls::layOut() {
    // Placed as drawn already: moving every control onto its own place would only
    // queue a move for each, delivered as the window is first shown.
    if (window_->size() == laidOutSize_) {
        return;
    }
    laidOutSize_ = window_->size();
    const int wider = std::max(0, window_->width() - designedSize().width());
    const int taller = std::max(0, window_->height() - designedSize().height());
    const int listsGain = taller / 5;
    const int breakdownGain = (taller - listsGain) * 3 / 4;
    const int ratesGain = taller - listsGain - breakdownGain;
    const int breakdownBottom = px(2310 + 1560);
    const int ratesTop = px(4470);
    const int bottomBand = px(6500);
    const int rightHalf = px(5000);
    const int listsRight = px(120 + 2805);
    for (const auto& [widget, place] : designedPlaces_) {
        QRect moved = place;
        if (widget == Çerçeve_ || widget == Altlık_[0] || widget == FaizDosyalarıListesi_) {
            moved.adjust(0, 0, wider, listsGain);
        } else if (widget->parentWidget() == Altlık_[0]) {
            moved.translate(place.left() >= listsRight ? wider : 0, 0);
        } else if (widget == FaizDökümüListesi_) {
            moved.adjust(0, listsGain, wider, listsGain + breakdownGain);
        } else if (widget == Altlık_[2]) {
            moved.adjust(0, listsGain + breakdownGain, wider, taller);
        } else if (widget == FaizOranlarıListesi_) {
            moved.adjust(0, 0, wider, ratesGain);
        } else if (widget == SonDönemUyarısıEtiketi_) {
            moved.adjust(0, taller, wider, taller);
        } else if (widget->parentWidget() == Altlık_[2]) {
            moved.translate(place.left() >= px(7000) ? wider : 0, 0);
        } else if (place.top() >= bottomBand) {
            moved.translate(place.left() >= rightHalf ? wider : 0, taller);
        } else if (place.top() >= breakdownBottom && place.top() < ratesTop) {
            moved.translate(place.left() >= rightHalf ? wider : 0, listsGain + breakdownGain);
        } else {
            moved.translate(0, listsGain);
        }
        if (moved.size() == place.size()) {
            widget->move(moved.topLeft());
        } else {
            widget->setGeometry(moved);
        }
    }
    if (DurumEtiketi_) {
        DurumEtiketi_->setGeometry(SonDönemUyarısıEtiketi_->geometry());
    }
}

void AnaFormControls::buildTopBand() {
    Çerçeve_ =
        place(new QGroupBox(window_), QStringLiteral("Çerçeve"), twips(300, 210, 9060, 1635));
    QWidget* band = Altlık_[0] =
        place(new QWidget(Çerçeve_), QStringLiteral("Altlık0"), twips(60, 180, 8865, 1365));
    FaizDosyalarıListesi_ = place(new QListWidget(band), QStringLiteral("FaizDosyalarıListesi"),
                                  twips(120, 360, 2805, 840));
    BaşlangıçTarihiKutusu_ =
        place(new shell::DateTimePicker(band), QStringLiteral("BaşlangıçTarihiKutusu"),
              twips(4530, 180, 1275, 315));
    BitişTarihiKutusu_ = place(new shell::DateTimePicker(band), QStringLiteral("BitişTarihiKutusu"),
                               twips(4530, 570, 1275, 315));
    YılGünSayısıOnayı_ = new QCheckBox(QStringLiteral(" Yıl &360 gün olarak alınsın "), band);
    YılGünSayısıOnayı_->setObjectName(QStringLiteral("YılGünSayısıOnayı"));
    fitToText(YılGünSayısıOnayı_, twips(3630, 990, 2175, 285), FixedEdge::Left);
    AnaParaKutusu_ = place(new AnaParaKutusu(band), QStringLiteral("AnaParaKutusu"),
                           twips(6900, 300, 1815, 315));
    FaiziHesaplaButonu_ = button(band, QStringLiteral("FaiziHesaplaButonu"),
                                 QStringLiteral("&Faizi Hesapla"), twips(6900, 750, 1815, 345));

    Etiket_[0] = label(band, 0, QStringLiteral("Faiz &Oranları Listeleri"),
                       twips(120, 90, 1440, 195), FixedEdge::Left);
    Etiket_[1] = label(band, 1, QStringLiteral("&Başlangıç Tarihi:"), twips(3180, 240, 1170, 195),
                       FixedEdge::Right);
    Etiket_[2] = label(band, 2, QStringLiteral("Bitiş &Tarihi:"), twips(3585, 630, 765, 195),
                       FixedEdge::Right);
    Etiket_[3] =
        label(band, 3, QStringLiteral("Ana &Para:"), twips(6060, 360, 705, 195), FixedEdge::Right);
    Etiket_[0]->setBuddy(FaizDosyalarıListesi_);
    Etiket_[1]->setBuddy(BaşlangıçTarihiKutusu_);
    Etiket_[2]->setBuddy(BitişTarihiKutusu_);
    Etiket_[3]->setBuddy(AnaParaKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[0], FaizDosyalarıListesi_);
    shell::highlightLabelWhileFocused(Etiket_[1], BaşlangıçTarihiKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[2], BitişTarihiKutusu_);
    shell::highlightLabelWhileFocused(Etiket_[3], AnaParaKutusu_);
    shell::enterMovesFocus(FaizDosyalarıListesi_);
}

void AnaFormControls::buildBreakdownArea() {
    FaizDökümüListesi_ = place(new shell::TableView(window_), QStringLiteral("FaizDökümüListesi"),
                               twips(300, 2310, 9030, 1560));
    FaizDökümüListesi_->setContextMenuPolicy(Qt::DefaultContextMenu);
    FaizDökümüListesi_->viewport()->installEventFilter(window_);
    Etiket_[4] = label(window_, 4, QStringLiteral("Fa&iz Dökümü"), twips(300, 2010, 930, 195),
                       FixedEdge::Left);
    Etiket_[4]->setBuddy(FaizDökümüListesi_);
    // How the rows are to be read stands on the caption's line, the only free band
    // beside the breakdown, while a breakdown is shown.
    SatırNotuEtiketi_ = place(new QLabel(window_), QStringLiteral("SatırNotuEtiketi"),
                              twips(1380, 2010, 7950, 195));
    SatırNotuEtiketi_->setText(toQString(breakdown::StartDayNote));
    SatırNotuEtiketi_->hide();

    ListeyiAktarDüğmesi_ = button(window_, QStringLiteral("ListeyiAktarDüğmesi"),
                                  QStringLiteral("&Listeyi Aktar"), twips(300, 3990, 3075, 345));
    // The claim file window opens from the free space between the export button and
    // the total.
    DosyaHesabıButonu_ = button(window_, QStringLiteral("DosyaHesabıButonu"),
                                QStringLiteral("&Dosya Hesabı"), twips(3525, 3990, 1800, 345));
    Etiket_[5] = label(window_, 5, QStringLiteral("Toplam Faiz:"), twips(5940, 4065, 900, 195),
                       FixedEdge::Right);
    Altlık_[1] =
        place(new QWidget(window_), QStringLiteral("Altlık1"), twips(6960, 3975, 2415, 375));
    ToplamFaizKutusu_ = place(new QLineEdit(Altlık_[1]), QStringLiteral("ToplamFaizKutusu"),
                              twips(30, 30, 2325, 315));
    // The total is copied as it stands, so the user cannot type over it.
    ToplamFaizKutusu_->setReadOnly(true);
    shell::enterMovesFocus(ToplamFaizKutusu_);
}

void AnaFormControls::buildRatesArea() {
    QWidget* area = Altlık_[2] =
        place(new QWidget(window_), QStringLiteral("Altlık2"), twips(270, 4470, 9225, 2025));
    Etiket_[6] = label(area, 6, QString(), twips(60, 60, 45, 195), FixedEdge::Left);
    FaizOranlarıListesi_ = place(new shell::TableView(area), QStringLiteral("FaizOranlarıListesi"),
                                 twips(60, 360, 7410, 1575));
    YeniListeEkleButonu_ = button(area, QStringLiteral("YeniListeEkleButonu"),
                                  QStringLiteral("Yeni Liste &Ekle"), twips(7680, 570, 1395, 345));
    ListeSilButonu_ = button(area, QStringLiteral("ListeSilButonu"), QStringLiteral("Listeyi &Sil"),
                             twips(7680, 975, 1395, 345));
    ListeyiGüncelleButonu_ =
        button(area, QStringLiteral("ListeyiGüncelleButonu"), QStringLiteral("Listeyi &Güncelle"),
               twips(7680, 1380, 1395, 345));
}

void AnaFormControls::buildBottomButtons() {
    SüreHesaplaButonu_ = button(window_, QStringLiteral("SüreHesaplaButonu"),
                                QStringLiteral("Süre &Hesapla"), twips(300, 6630, 1395, 345));
    HakkındaButonu_ = button(window_, QStringLiteral("HakkındaButonu"), QStringLiteral("Ha&kkında"),
                             twips(6450, 6600, 1395, 345));
    ÇıkışButonu_ = button(window_, QStringLiteral("ÇıkışButonu"), QStringLiteral("Çıkış (Esc)"),
                          twips(7950, 6600, 1395, 345));
    // The band between the two button groups stays free, so the notice of a stale
    // rate can stand there without moving anything else.
    SonDönemUyarısıEtiketi_ =
        place(new NoticeLabel(window_), QStringLiteral("SonDönemUyarısıEtiketi"),
              twips(1800, 6525, 4560, 645));
    SonDönemUyarısıEtiketi_->setWordWrap(true);
    SonDönemUyarısıEtiketi_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette warning = SonDönemUyarısıEtiketi_->palette();
    warning.setColor(QPalette::WindowText, WarningColour);
    SonDönemUyarısıEtiketi_->setPalette(warning);
    SonDönemUyarısıEtiketi_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    SonDönemUyarısıEtiketi_->hide();
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window_);
    QObject::connect(escape, &QShortcut::activated, ÇıkışButonu_, &QPushButton::click);
}

void AnaFormControls::buildMenu() {
    SağMenü_ = new QMenu(QStringLiteral("Liste Menüsü"), window_);
    SağMenü_->setObjectName(QStringLiteral("SağMenü"));
    // A pop-up takes the application's font, not its window's.
    SağMenü_->setFont(window_->font());
    SadeceToplamıKopyalaMenüsü_ =
        SağMenü_->addAction(QStringLiteral("&Sadece Toplamı Panoya Kopyala"));
    SadeceToplamıKopyalaMenüsü_->setObjectName(QStringLiteral("SadeceToplamıKopyalaMenüsü"));
    SadeceToplamıKopyalaMenüsü_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    TümListeyiKopyalaMenüsü_ = SağMenü_->addAction(QStringLiteral("&Tüm Listeyi Panoya Kopyala"));
    TümListeyiKopyalaMenüsü_->setObjectName(QStringLiteral("TümListeyiKopyalaMenüsü"));
    TümListeyiKopyalaMenüsü_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    SağMenü_->addSeparator()->setObjectName(QStringLiteral("MenüÇizgisi"));
    ListeyiMSWordeAktarMenüsü_ = SağMenü_->addAction(QStringLiteral("Listeyi MS &Word'e Aktar"));
    ListeyiMSWordeAktarMenüsü_->setObjectName(QStringLiteral("ListeyiMSWordeAktarMenüsü"));
    ListeyiPDFeAktarMenüsü_ = SağMenü_->addAction(QStringLiteral("Listeyi &PDF'e Aktar"));
    ListeyiPDFeAktarMenüsü_->setObjectName(QStringLiteral("ListeyiPDFeAktarMenüsü"));
    WordBelgesiOlarakKaydetMenüsü_ =
        SağMenü_->addAction(QStringLiteral("Word &Belgesi Olarak Kaydet…"));
    WordBelgesiOlarakKaydetMenüsü_->setObjectName(QStringLiteral("WordBelgesiOlarakKaydetMenüsü"));
    // The shortcuts work while the menu is closed too. In a field Ctrl+C copies that
    // field's value: a total pasted where the user meant the principal would end up
    // in a petition.
    window_->addAction(SadeceToplamıKopyalaMenüsü_);
    window_->addAction(TümListeyiKopyalaMenüsü_);
    for (QWidget* field : std::initializer_list<QWidget*>{
             BaşlangıçTarihiKutusu_, BitişTarihiKutusu_, AnaParaKutusu_, ToplamFaizKutusu_}) {
        field->installEventFilter(window_);
    }
}

bool AnaFormControls::isMenuShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    return pressed == SadeceToplamıKopyalaMenüsü_->shortcut() ||
           pressed == TümListeyiKopyalaMenüsü_->shortcut();
}

void AnaFormControls::setKeyboardOrder() {
    const std::array<QWidget*, 17> order{
        FaizDosyalarıListesi_, BaşlangıçTarihiKutusu_, BitişTarihiKutusu_,   YılGünSayısıOnayı_,
        AnaParaKutusu_,        FaiziHesaplaButonu_,    FaizDökümüListesi_,   ListeyiAktarDüğmesi_,
        DosyaHesabıButonu_,    ToplamFaizKutusu_,      FaizOranlarıListesi_, YeniListeEkleButonu_,
        ListeSilButonu_,       ListeyiGüncelleButonu_, SüreHesaplaButonu_,   HakkındaButonu_,
        ÇıkışButonu_};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

// The window has no status bar of its own; a short message stands in the free band
// between the bottom buttons, over a stale-rate notice there, for a while.
void AnaFormControls::showStatus(const QString& text) {
    if (!DurumEtiketi_) {
        DurumEtiketi_ = new QLabel(window_);
        DurumEtiketi_->setObjectName(QStringLiteral("DurumEtiketi"));
        DurumEtiketi_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        DurumEtiketi_->setWordWrap(true);
        DurumEtiketi_->setAutoFillBackground(true);
        statusTimer_ = new QTimer(window_);
        statusTimer_->setSingleShot(true);
        QObject::connect(statusTimer_, &QTimer::timeout, DurumEtiketi_, &QLabel::hide);
    }
    statusTimer_->stop();
    if (text.isEmpty()) {
        DurumEtiketi_->hide();
        return;
    }
    DurumEtiketi_->setGeometry(SonDönemUyarısıEtiketi_->geometry());
    DurumEtiketi_->setText(text);
    DurumEtiketi_->show();
    DurumEtiketi_->raise();
    // What follows may hold the window for a moment (looking for a word processor).
    DurumEtiketi_->repaint();
    statusTimer_->start(StatusTime);
}

// The total stands in bold. Its face is loaded with the first total rather than
// with the window: the box is empty until then, and loading a face delays a start.
void AnaFormControls::showTotal(const QString& total) {
    if (!ToplamFaizKutusu_->font().bold()) {
        QFont bold = ToplamFaizKutusu_->font();
        bold.setBold(true);
        ToplamFaizKutusu_->setFont(bold);
    }
    ToplamFaizKutusu_->setText(total);
}

// For a list that is an earlier state of a ready list, the notice's advice to update
// the list becomes a link that does it. A list as current as the program's ready list
// can only gain from newer rates: the notice offers a rate package.
void AnaFormControls::showRunOnNotice(const std::string& notice, bool warning,
                                      const std::vector<RatePeriod>& periods) {
    const QString text = toQString(notice);
    // A ready list ending where its rates were checked is no warning: plain colour.
    QPalette colours = SonDönemUyarısıEtiketi_->palette();
    colours.setColor(QPalette::WindowText,
                     warning ? WarningColour : window_->palette().color(QPalette::WindowText));
    SonDönemUyarısıEtiketi_->setPalette(colours);
    const std::optional<rates::Recognition> recognition = rates::recognise(periods);
    const QString advice = QStringLiteral("listeyi güncelleyin");
    // A read-only list folder leaves nothing to bring current there.
    const bool canUpdate = recognition && recognition->changed > 0 && text.contains(advice) &&
                           shell::shared().ListFolderWritable;
    const bool current = recognition && recognition->changed == 0;
    if (canUpdate || current) {
        QString linked = text.toHtmlEscaped();
        if (canUpdate) {
            linked.replace(advice, QStringLiteral("<a href=\"guncelle\">%1</a>").arg(advice));
            SonDönemUyarısıEtiketi_->setToolTip(toQString(rates::recognitionText(periods)));
        } else {
            linked += QStringLiteral(" <a href=\"oran-paketi\">Oran paketi yükle…</a>");
            SonDönemUyarısıEtiketi_->setToolTip(ui::ratePackageHelp());
        }
        SonDönemUyarısıEtiketi_->setTextFormat(Qt::RichText);
        SonDönemUyarısıEtiketi_->setText(linked);
        // The link is reached by Tab after "Süre Hesapla", as it stands beside it, and
        // followed with Enter; a notice without a link takes no focus.
        SonDönemUyarısıEtiketi_->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                                         Qt::LinksAccessibleByKeyboard);
        QWidget::setTabOrder(SüreHesaplaButonu_, SonDönemUyarısıEtiketi_);
        QWidget::setTabOrder(SonDönemUyarısıEtiketi_, HakkındaButonu_);
    } else {
        SonDönemUyarısıEtiketi_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        SonDönemUyarısıEtiketi_->setTextFormat(Qt::PlainText);
        SonDönemUyarısıEtiketi_->setText(text);
        SonDönemUyarısıEtiketi_->setToolTip(QString());
    }
    SonDönemUyarısıEtiketi_->show();
}

// The caption names the loaded list; a notice of the folder follows it on the same line,
// every notice in the tooltip.
void AnaFormControls::showListCaption(const QString& caption,
                                      const std::vector<std::string>& notices) {
    QString text = caption;
    if (!notices.empty()) {
        text += QStringLiteral("   ") + toQString(notices.front());
        if (notices.size() > 1) {
            text += QStringLiteral(" (+%1)").arg(notices.size() - 1);
        }
    }
    Etiket_[6]->setText(text);
    Etiket_[6]->setToolTip(shell::toQStringList(notices).join(u'\n'));
    Etiket_[6]->adjustSize();
}

bool AnaFormControls::datesAreUsable() {
    const std::array<std::pair<shell::DateTimePicker*, QString>, 2> fields{
        {{BaşlangıçTarihiKutusu_, QStringLiteral("Başlangıç Tarihi")},
         {BitişTarihiKutusu_, QStringLiteral("Bitiş Tarihi")}}};
    for (const auto& [field, name] : fields) {
        const QString notice = field->problemNotice(name);
        if (!notice.isEmpty()) {
            shell::showNotice(notice);
            field->setFocus();
            return false;
        }
    }
    return true;
}

void AnaFormControls::refuse(const interest::Rejection& rejection) {
    shell::showRefusal(rejection, {BaşlangıçTarihiKutusu_, BitişTarihiKutusu_, AnaParaKutusu_});
}

void AnaFormControls::openMenu(const QPoint& globalPosition, QAction* defaultItem) {
    // The menu measures an item in the item's own font: the default item, drawn
    // bold, is given the bold font so that its caption is not cut.
    for (QAction* item : SağMenü_->actions()) {
        QFont font = SağMenü_->font();
        font.setBold(item == defaultItem);
        item->setFont(font);
    }
    SağMenü_->setDefaultAction(defaultItem);
    SağMenü_->popup(globalPosition);
}

void AnaFormControls::clearBreakdownNotices() {
    ToplamFaizKutusu_->clear();
    SonDönemUyarısıEtiketi_->clear();
    SonDönemUyarısıEtiketi_->hide();
    SatırNotuEtiketi_->hide();
}

// In a field Ctrl+C copies from the field: its selection, or its whole value. The total is
// copied by it only from outside the fields, and by the menu item.
bool AnaFormControls::filterFieldKeys(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            event->accept();
            return true;
        }
        // Left unclaimed by the field, the key goes to the menu's shortcut.
        if (isMenuShortcut(*key)) {
            event->ignore();
            return true;
        }
    }
    if (watched == ToplamFaizKutusu_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        shell::copySelectionOrWhole(*ToplamFaizKutusu_);
        return true;
    }
    return false;
}
