#include "ui/main/AnaForm.h"

#include "app/BreakdownSession.h"
#include "common/Utf8Path.h"
#include "interest/Breakdown.h"
#include "ratelist/FaizFile.h"
#include "ratelist/FolderState.h"
#include "ratelist/ListSource.h"
#include "ratelist/RateListStore.h"
#include "rates/Recognition.h"
#include "report/ReportTexts.h"
#include "settings/ProgramSettings.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/QtSettingsStore.h"
#include "shell/SharedValues.h"
#include "text/Amount.h"
#include "text/TextForms.h"
#include "ui/about/HakkindaFormu.h"
#include "ui/about/RatePackageDialog.h"
#include "ui/claim/DosyaHesabiFormu.h"
#include "ui/editor/ListeEkleFormu.h"
#include "ui/editor/ListeGuncelleFormu.h"
#include "ui/main/AnaParaKutusu.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"
#include "ui/span/SureHesaplamaFormu.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cmath>

using namespace mirvane;
using shell::button;
using shell::fitToText;
using shell::FixedEdge;
using shell::label;
using shell::layoutFont;
using shell::place;
using shell::px;
using shell::toQString;
using shell::twips;
using shell::TwipsPerPixel;

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

// Only read once the date fields were found usable.
Date dayOf(const shell::DateTimePicker& picker) {
    return shell::toSysDays(*picker.value());
}

const QSize DesignedSize(px(9705), px(7185));

settings::EdgeScale edgeScale() {
    return {TwipsPerPixel, QWIDGETSIZE_MAX};
}

// One step of the reading: a value kept is handed to `use`.
template <class T, class Use> Status useStored(const Result<std::optional<T>>& stored, Use use) {
    if (!stored) {
        return stored.error();
    }
    if (stored.value()) {
        use(*stored.value());
    }
    return {};
}

const std::string ListsReadOnlyNote = "(salt okunur)";
const QString BuiltInListsTip =
    QStringLiteral("Liste klasörü kullanılamıyor: programın kendi hazır listeleri salt okunur "
                   "gösteriliyor. Liste eklemek, güncellemek ya da silmek için liste klasörüne "
                   "yazma izni gerekir.");
const QString ReadOnlyFolderTip =
    QStringLiteral("Liste klasörüne yazılamıyor: listeler salt okunur. Liste eklemek, "
                   "güncellemek ya da silmek için klasöre yazma izni gerekir.");
const QString BuiltInListsNotice = QStringLiteral(
    "Programın kendi hazır listeleri salt okunur olarak gösteriliyor; hesaplar bu listelerle "
    "yapılabilir. Yeni liste eklemek, listeleri güncellemek ya da silmek için liste klasörüne "
    "yazma izni gerekir.");
const QString ReadOnlyFolderNotice =
    QStringLiteral("Klasördeki listeler salt okunur olarak gösteriliyor; hesaplar bu listelerle "
                   "yapılabilir. Yeni liste eklemek, listeleri güncellemek ya da silmek için "
                   "klasöre yazma izni gerekir.");
const QString NoListNotice = QStringLiteral(
    "Hesap için bir faiz oranı listesi seçilmemiş: \"Faiz Oranları Listeleri\" kutusundan bir "
    "liste seçin.");
const QString EmptyListTail = QStringLiteral(
    " listesinde hesaba girecek dönem yok (liste okunamadı ya da boş): başka bir liste seçin.");
const QString QuitQuestion = QStringLiteral("Programdan çıkmak istiyor musunuz?");
const QString EmptyListNotice = QStringLiteral("Liste boş!");
const QColor WarningColour(160, 0, 0);
// How long a status message stands, in milliseconds: long enough for a slow word
// processor to come up.
constexpr int StatusTime = 20000;
const QString LastListNotice = QStringLiteral("En az (1) faiz oranı listesi kalması gerekiyor!");
const QString DeleteQuestionTail =
    QStringLiteral(" adlı listeyi silmek istediğinizden emin misiniz?");

} // namespace

AnaForm::AnaForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AnaForm"));
    // Never smaller than drawn; the room it gains goes to the two tables.
    setMinimumSize(DesignedSize);
    resize(DesignedSize);
    setFont(layoutFont(font()));
    buildTopBand();
    buildBreakdownArea();
    buildRatesArea();
    buildBottomButtons();
    buildMenu();
    setKeyboardOrder();
    connectHandlers();

    setWindowTitle(shell::shared().MainWindowTitle);
    createColumns();
    rememberDesignedPlaces();
    setInitialDates();
    readSettings();
}

void AnaForm::rememberDesignedPlaces() {
    laidOutSize_ = DesignedSize;
    for (QWidget* parent : {static_cast<QWidget*>(this), Altlık_[0], Altlık_[2]}) {
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
void AnaForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Placed as drawn already: moving every control onto its own place would only
    // queue a move for each, delivered as the window is first shown.
    if (size() == laidOutSize_)
        return;
    laidOutSize_ = size();
    const int wider = std::max(0, width() - DesignedSize.width());
    const int taller = std::max(0, height() - DesignedSize.height());
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
    if (DurumEtiketi_)
        DurumEtiketi_->setGeometry(SonDönemUyarısıEtiketi_->geometry());
}

// The inputs outlive this part of the window while it is torn down; their last
// signals must not reach it.
AnaForm::~AnaForm() {
    for (QObject* input : std::initializer_list<QObject*>{
             BaşlangıçTarihiKutusu_, BitişTarihiKutusu_, AnaParaKutusu_, YılGünSayısıOnayı_}) {
        input->disconnect(this);
    }
}

void AnaForm::buildTopBand() {
    Çerçeve_ = place(new QGroupBox(this), QStringLiteral("Çerçeve"), twips(300, 210, 9060, 1635));
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

void AnaForm::buildBreakdownArea() {
    FaizDökümüListesi_ = place(new shell::ListView(this), QStringLiteral("FaizDökümüListesi"),
                               twips(300, 2310, 9030, 1560));
    FaizDökümüListesi_->setContextMenuPolicy(Qt::DefaultContextMenu);
    FaizDökümüListesi_->viewport()->installEventFilter(this);
    Etiket_[4] =
        label(this, 4, QStringLiteral("Fa&iz Dökümü"), twips(300, 2010, 930, 195), FixedEdge::Left);
    Etiket_[4]->setBuddy(FaizDökümüListesi_);
    // How the rows are to be read stands on the caption's line, the only free band
    // beside the breakdown, while a breakdown is shown.
    SatırNotuEtiketi_ =
        place(new QLabel(this), QStringLiteral("SatırNotuEtiketi"), twips(1380, 2010, 7950, 195));
    SatırNotuEtiketi_->setText(toQString(breakdown::StartDayNote));
    SatırNotuEtiketi_->hide();

    ListeyiAktarDüğmesi_ = button(this, QStringLiteral("ListeyiAktarDüğmesi"),
                                  QStringLiteral("&Listeyi Aktar"), twips(300, 3990, 3075, 345));
    // The claim file window opens from the free space between the export button and
    // the total.
    DosyaHesabıButonu_ = button(this, QStringLiteral("DosyaHesabıButonu"),
                                QStringLiteral("&Dosya Hesabı"), twips(3525, 3990, 1800, 345));
    Etiket_[5] = label(this, 5, QStringLiteral("Toplam Faiz:"), twips(5940, 4065, 900, 195),
                       FixedEdge::Right);
    Altlık_[1] = place(new QWidget(this), QStringLiteral("Altlık1"), twips(6960, 3975, 2415, 375));
    ToplamFaizKutusu_ = place(new QLineEdit(Altlık_[1]), QStringLiteral("ToplamFaizKutusu"),
                              twips(30, 30, 2325, 315));
    // The total is copied as it stands, so the user cannot type over it.
    ToplamFaizKutusu_->setReadOnly(true);
    shell::enterMovesFocus(ToplamFaizKutusu_);
}

void AnaForm::buildRatesArea() {
    QWidget* area = Altlık_[2] =
        place(new QWidget(this), QStringLiteral("Altlık2"), twips(270, 4470, 9225, 2025));
    Etiket_[6] = label(area, 6, QString(), twips(60, 60, 45, 195), FixedEdge::Left);
    FaizOranlarıListesi_ = place(new shell::ListView(area), QStringLiteral("FaizOranlarıListesi"),
                                 twips(60, 360, 7410, 1575));
    YeniListeEkleButonu_ = button(area, QStringLiteral("YeniListeEkleButonu"),
                                  QStringLiteral("Yeni Liste &Ekle"), twips(7680, 570, 1395, 345));
    ListeSilButonu_ = button(area, QStringLiteral("ListeSilButonu"), QStringLiteral("Listeyi &Sil"),
                             twips(7680, 975, 1395, 345));
    ListeyiGüncelleButonu_ =
        button(area, QStringLiteral("ListeyiGüncelleButonu"), QStringLiteral("Listeyi &Güncelle"),
               twips(7680, 1380, 1395, 345));
}

void AnaForm::buildBottomButtons() {
    SüreHesaplaButonu_ = button(this, QStringLiteral("SüreHesaplaButonu"),
                                QStringLiteral("Süre &Hesapla"), twips(300, 6630, 1395, 345));
    HakkındaButonu_ = button(this, QStringLiteral("HakkındaButonu"), QStringLiteral("Ha&kkında"),
                             twips(6450, 6600, 1395, 345));
    ÇıkışButonu_ = button(this, QStringLiteral("ÇıkışButonu"), QStringLiteral("Çıkış (Esc)"),
                          twips(7950, 6600, 1395, 345));
    // The band between the two button groups stays free, so the notice of a stale
    // rate can stand there without moving anything else.
    SonDönemUyarısıEtiketi_ = place(new NoticeLabel(this), QStringLiteral("SonDönemUyarısıEtiketi"),
                                    twips(1800, 6525, 4560, 645));
    SonDönemUyarısıEtiketi_->setWordWrap(true);
    SonDönemUyarısıEtiketi_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette warning = SonDönemUyarısıEtiketi_->palette();
    warning.setColor(QPalette::WindowText, WarningColour);
    SonDönemUyarısıEtiketi_->setPalette(warning);
    SonDönemUyarısıEtiketi_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    SonDönemUyarısıEtiketi_->hide();
    connect(SonDönemUyarısıEtiketi_, &QLabel::linkActivated, this,
            &AnaForm::SonDönemUyarısıBağlantısıTıklandı);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, ÇıkışButonu_, &QPushButton::click);
}

void AnaForm::buildMenu() {
    SağMenü_ = new QMenu(QStringLiteral("Liste Menüsü"), this);
    SağMenü_->setObjectName(QStringLiteral("SağMenü"));
    // A pop-up takes the application's font, not its window's.
    SağMenü_->setFont(font());
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
    addAction(SadeceToplamıKopyalaMenüsü_);
    addAction(TümListeyiKopyalaMenüsü_);
    for (QWidget* field : std::initializer_list<QWidget*>{
             BaşlangıçTarihiKutusu_, BitişTarihiKutusu_, AnaParaKutusu_, ToplamFaizKutusu_}) {
        field->installEventFilter(this);
    }
}

bool AnaForm::isMenuShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    return pressed == SadeceToplamıKopyalaMenüsü_->shortcut() ||
           pressed == TümListeyiKopyalaMenüsü_->shortcut();
}

void AnaForm::setKeyboardOrder() {
    const std::array<QWidget*, 17> order{
        FaizDosyalarıListesi_, BaşlangıçTarihiKutusu_, BitişTarihiKutusu_,   YılGünSayısıOnayı_,
        AnaParaKutusu_,        FaiziHesaplaButonu_,    FaizDökümüListesi_,   ListeyiAktarDüğmesi_,
        DosyaHesabıButonu_,    ToplamFaizKutusu_,      FaizOranlarıListesi_, YeniListeEkleButonu_,
        ListeSilButonu_,       ListeyiGüncelleButonu_, SüreHesaplaButonu_,   HakkındaButonu_,
        ÇıkışButonu_};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

void AnaForm::connectHandlers() {
    connect(FaizDosyalarıListesi_, &QListWidget::currentRowChanged, this,
            &AnaForm::FaizDosyalarıListesiSeçildi);
    connect(YılGünSayısıOnayı_, &QCheckBox::clicked, this, &AnaForm::YılGünSayısıOnayıTıklandı);
    connect(YılGünSayısıOnayı_, &QCheckBox::toggled, this, &AnaForm::inputChanged);
    connect(AnaParaKutusu_, &QLineEdit::textChanged, this, &AnaForm::inputChanged);
    for (shell::DateTimePicker* date : {BaşlangıçTarihiKutusu_, BitişTarihiKutusu_}) {
        connect(date, &QDateEdit::dateChanged, this, &AnaForm::inputChanged);
        // A date being typed is not yet the date the breakdown was computed for.
        connect(date, &shell::DateTimePicker::edited, this, &AnaForm::clearBreakdown);
    }
    connect(FaiziHesaplaButonu_, &QPushButton::clicked, this, &AnaForm::FaiziHesaplaButonuTıklandı);
    connect(ListeyiAktarDüğmesi_, &QPushButton::clicked, this,
            &AnaForm::ListeyiAktarDüğmesiBasıldı);
    connect(ListeSilButonu_, &QPushButton::clicked, this, &AnaForm::DeleteSelectedList);
    connect(ÇıkışButonu_, &QPushButton::clicked, this, &AnaForm::ÇıkışButonuTıklandı);
    connect(YeniListeEkleButonu_, &QPushButton::clicked, this,
            &AnaForm::YeniListeEkleButonuTıklandı);
    connect(ListeyiGüncelleButonu_, &QPushButton::clicked, this,
            &AnaForm::ListeyiGüncelleButonuTıklandı);
    connect(SüreHesaplaButonu_, &QPushButton::clicked, this, &AnaForm::SüreHesaplaButonuTıklandı);
    connect(HakkındaButonu_, &QPushButton::clicked, this, &AnaForm::HakkındaButonuTıklandı);
    connect(DosyaHesabıButonu_, &QPushButton::clicked, this, &AnaForm::DosyaHesabıButonuTıklandı);
    connect(SadeceToplamıKopyalaMenüsü_, &QAction::triggered, this,
            &AnaForm::SadeceToplamıKopyalaMenüsüTıklandı);
    connect(TümListeyiKopyalaMenüsü_, &QAction::triggered, this,
            &AnaForm::TümListeyiKopyalaMenüsüTıklandı);
    connect(ListeyiMSWordeAktarMenüsü_, &QAction::triggered, this,
            &AnaForm::ListeyiMSWordeAktarMenüsüTıklandı);
    connect(ListeyiPDFeAktarMenüsü_, &QAction::triggered, this,
            &AnaForm::ListeyiPDFeAktarMenüsüTıklandı);
    connect(WordBelgesiOlarakKaydetMenüsü_, &QAction::triggered, this,
            &AnaForm::WordBelgesiOlarakKaydetMenüsüTıklandı);
}

// The export itself copies the whole list first, so that the clipboard holds
// ExportText afterwards, as with the copy item; the document holds what the PDF
// holds.
void AnaForm::ListeyiMSWordeAktarMenüsüTıklandı() {
    word::exportToWordProcessor(
        [this] {
            TümListeyiKopyalaMenüsüTıklandı();
            return breakdownDocument();
        },
        QString::fromLatin1(word::BreakdownDocumentName),
        {[this](const QString& text) { showStatus(text); },
         [this] {
             WordBelgesiOlarakKaydetMenüsüTıklandı();
         }});
}

void AnaForm::ListeyiPDFeAktarMenüsüTıklandı() {
    if (!session_.canReport()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    pdf::saveReport(this, breakdownDocument(), pdf::suggestedFileName(reportName()));
}

void AnaForm::WordBelgesiOlarakKaydetMenüsüTıklandı() {
    if (!session_.canReport()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    const QString file =
        word::saveDocument(this, breakdownDocument(), word::suggestedFileName(reportName()));
    if (!file.isEmpty())
        showStatus(word::savedStatus(file));
}

// The report of the breakdown on display; with none computed, the header row alone,
// as the whole-list copy has it.
report::Document AnaForm::breakdownDocument() const {
    return session_.document(shell::toSysDays(shell::shared().today()));
}

QString AnaForm::reportName() const {
    return toQString(report::BreakdownTitle) + u' ' +
           (session_.facts() ? toQString(session_.facts()->list.Name) : QString());
}

// The window has no status bar of its own; a short message stands in the free band
// between the bottom buttons, over a stale-rate notice there, for a while.
void AnaForm::showStatus(const QString& text) {
    if (!DurumEtiketi_) {
        DurumEtiketi_ = new QLabel(this);
        DurumEtiketi_->setObjectName(QStringLiteral("DurumEtiketi"));
        DurumEtiketi_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        DurumEtiketi_->setWordWrap(true);
        DurumEtiketi_->setAutoFillBackground(true);
        statusTimer_ = new QTimer(this);
        statusTimer_->setSingleShot(true);
        connect(statusTimer_, &QTimer::timeout, DurumEtiketi_, &QLabel::hide);
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

void AnaForm::YeniListeEkleButonuTıklandı() {
    ListeEkleFormu window(this);
    openModal(window, [&window] { return window.savedListName(); });
}

void AnaForm::ListeyiGüncelleButonuTıklandı() {
    const int row = FaizDosyalarıListesi_->currentRow();
    if (row < 0) {
        return; // the update window needs a selected list
    }
    ListeGüncelleFormu window(session_.nameAt(row), this);
    openModal(window);
}

void AnaForm::SonDönemUyarısıBağlantısıTıklandı(const QString& link) {
    if (link == QStringLiteral("oran-paketi")) {
        ui::installRatePackage(this);
        return;
    }
    const int row = FaizDosyalarıListesi_->currentRow();
    if (row < 0) {
        return;
    }
    ListeGüncelleFormu window(session_.nameAt(row), this);
    window.bringCurrent();
    openModal(window);
}

void AnaForm::SüreHesaplaButonuTıklandı() {
    SüreHesaplamaFormu form(this);
    openModal(form);
}

// Claim windows are not modal: several may be open beside the main window.
void AnaForm::DosyaHesabıButonuTıklandı() {
    DosyaHesabıFormu::openNew(this);
}

void AnaForm::HakkındaButonuTıklandı() {
    HakkındaFormu form(this);
    openModal(form);
}

void AnaForm::createColumns() {
    FaizDökümüListesi_->createColumns(breakdown::breakdownColumns());
    FaizOranlarıListesi_->createColumns(breakdown::rateColumns());
}

void AnaForm::setInitialDates() {
    const QDate today = shell::shared().today();
    BaşlangıçTarihiKutusu_->setValue(today.addDays(-1));
    BitişTarihiKutusu_->setValue(today);
}

// Each value is one load step: a value that cannot be read is reported and its
// step skipped, unless the user ends the program there.
void AnaForm::readSettings() {
    shell::QtSettingsStore store;
    const settings::MainWindowSettings kept(store, edgeScale());
    const auto readEdge = [&kept](settings::Edge which, int& pixels) {
        return shell::runStep(
            [&] { return useStored(kept.edge(which), [&pixels](int value) { pixels = value; }); });
    };
    QSize size = DesignedSize;
    const bool sized = readEdge(settings::Edge::Width, size.rwidth()) &&
                       readEdge(settings::Edge::Height, size.rheight());
    resize(size.expandedTo(DesignedSize));
    if (!sized) {
        return;
    }
    QPoint position = centredPosition();
    const bool goOn = readEdge(settings::Edge::Top, position.ry()) &&
                      readEdge(settings::Edge::Left, position.rx());
    // A position left behind on a screen that is gone would hide the window.
    move(liesOnAScreen(position) ? position : centredPosition());
    if (!goOn) {
        return;
    }
    if (!shell::runStep([&] {
            return useStored(kept.listPosition(), [this](std::int16_t value) {
                session_.rememberSelection(value, session_.rememberedName());
            });
        })) {
        return;
    }
    session_.rememberSelection(session_.rememberedPosition(), kept.listName());
    if (shell::runStep([&] {
            return useStored(kept.year360(),
                             [this](bool value) { YılGünSayısıOnayı_->setChecked(value); });
        })) {
        YılGünSayısıOnayıTıklandı();
    }
}

// Failures to store a value are ignored; the remaining values are still written.
void AnaForm::writeSettings() {
    shell::QtSettingsStore store;
    settings::MainWindowSettings kept(store, edgeScale());
    const Qt::WindowStates notNormal =
        Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(windowState() & notNormal)) {
        kept.writeEdges(pos().x(), pos().y(), width(), height());
    }
    const int row = FaizDosyalarıListesi_->currentRow();
    kept.writeList(row, session_.nameAt(row));
    kept.writeYear360(YılGünSayısıOnayı_->isChecked());
}

QPoint AnaForm::centredPosition() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect area = screen->geometry();
    return {area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2};
}

bool AnaForm::liesOnAScreen(const QPoint& position) const {
    const QRect window(position, size());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().intersects(window)) {
            return true;
        }
    }
    return false;
}

// The list of rate lists is built when the window is first shown, and rebuilt
// only when a modal window changed the folder, not on every activation: an
// activation after a message box, another program or the About window must not
// wipe a breakdown just computed. The first build waits until the window has been
// handed to the window system, so that reading the folder does not delay its
// appearance; it runs as soon as the event loop does, long before the window
// system has put the window on the screen.
void AnaForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        QMetaObject::invokeMethod(
            this, [this] { RefreshListNames(); }, Qt::QueuedConnection);
    }
}

void AnaForm::openModal(QDialog& dialog, const std::function<std::string()>& savedList) {
    const int row = FaizDosyalarıListesi_->currentRow();
    session_.rememberSelection(row);
    const std::vector<store::ListFileState> before = store::folderState(shell::shared().ListFolder);
    dialog.exec();
    const std::string saved = savedList ? savedList() : std::string();
    if (!saved.empty() || store::folderState(shell::shared().ListFolder) != before) {
        RefreshListNames(saved);
    }
}

// The title bar's close box, its menu and Alt+F4 reach the window from the window
// system and close without a question; "Çıkış (Esc)" and every request made by a
// program ask first.
void AnaForm::closeEvent(QCloseEvent* event) {
    if (!event->spontaneous() && !endingWithoutQuestion_ && !shell::askYesNo(QuitQuestion)) {
        event->ignore();
        return;
    }
    // Each claim window asks about its unsaved changes; one that stays open keeps
    // the program running.
    for (DosyaHesabıFormu* claimWindow : DosyaHesabıFormu::openWindows()) {
        if (!claimWindow->close()) {
            event->ignore();
            return;
        }
    }
    writeSettings();
    event->accept();
}

void AnaForm::endProgram() {
    endingWithoutQuestion_ = true;
    close();
    endingWithoutQuestion_ = false;
}

bool AnaForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // In a field Ctrl+C copies from the field: its selection, or its whole value.
        // The total is copied by it only from outside the fields, and by the menu item.
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
    if (watched == FaizDökümüListesi_->viewport() && event->type() == QEvent::ContextMenu) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        if (request->reason() == QContextMenuEvent::Mouse) {
            FaizDökümüListesiSağTıklandı(request->globalPos());
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AnaForm::RefreshListNames(const std::string& listToSelect) {
    shell::SharedValues& values = shell::shared();
    // A folder that cannot be made, read or given the ready lists does not stop the
    // user from computing: the program's own ready lists stand in for it, read-only.
    QString unusable;
    const Status prepared = store::prepareFolder(values.ListFolder);
    if (!prepared) {
        unusable = toQString(prepared.error().description);
    }
    values.ListsBuiltIn = !prepared;
    Result<store::Listing> listing = store::listNames(values.listSource());
    if (!listing) {
        unusable = toQString(listing.error().description);
        values.ListsBuiltIn = true;
        listing = store::listNames(values.listSource());
    }
    // Lists kept in a folder the user may only read are still used; what would
    // change them is turned off.
    values.ListFolderWritable = !values.ListsBuiltIn && store::isUsableFolder(values.ListFolder);
    showWhetherListsCanChange();
    std::vector<std::string> notices;
    if (!values.ListFolderWritable) {
        notices.push_back(ListsReadOnlyNote);
    }
    if (listing) {
        notices.insert(notices.end(), listing.value().notices.begin(),
                       listing.value().notices.end());
    }
    const std::optional<std::size_t> chosen =
        session_.refresh(listing ? listing.value().names : std::vector<std::string>(),
                         std::move(notices), listToSelect);
    {
        const QSignalBlocker quiet(FaizDosyalarıListesi_);
        FaizDosyalarıListesi_->clear();
        for (const std::string& name : session_.listNames()) {
            FaizDosyalarıListesi_->addItem(toQString(name));
        }
        FaizDosyalarıListesi_->setCurrentRow(chosen ? int(*chosen) : -1);
    }
    if (chosen) {
        loadForDisplay(int(*chosen));
    } else {
        clearDisplay(QString());
    }
    BaşlangıçTarihiKutusu_->setFocus();
    // Told over the lists it concerns, once a run.
    if (!values.ListFolderWritable && !folderNoticeShown_) {
        folderNoticeShown_ = true;
        tellFolderCannotBeWritten(unusable);
    }
}

// The editors are turned off, each saying why.
void AnaForm::showWhetherListsCanChange() {
    const shell::SharedValues& values = shell::shared();
    const QString why = values.ListFolderWritable ? QString()
                        : values.ListsBuiltIn     ? BuiltInListsTip
                                                  : ReadOnlyFolderTip;
    for (QPushButton* editor : {YeniListeEkleButonu_, ListeSilButonu_, ListeyiGüncelleButonu_}) {
        editor->setEnabled(values.ListFolderWritable);
        editor->setToolTip(why);
    }
}

void AnaForm::tellFolderCannotBeWritten(const QString& unusable) {
    const shell::SharedValues& values = shell::shared();
    const QString folder = QDir::toNativeSeparators(toQString(utf8path::toUtf8(values.ListFolder)));
    shell::showNotice(values.ListsBuiltIn
                          ? unusable + QStringLiteral("\n\n") + BuiltInListsNotice
                          : QStringLiteral("Liste klasörüne yazılamıyor: \"%1\".\n\n").arg(folder) +
                                ReadOnlyFolderNotice);
}

void AnaForm::DeleteSelectedList() {
    if (!shell::shared().ListFolderWritable) {
        return;
    }
    if (FaizDosyalarıListesi_->count() == 1) {
        shell::showNotice(LastListNotice);
        return;
    }
    const int row = FaizDosyalarıListesi_->currentRow();
    if (row < 0) {
        return;
    }
    const std::string name = session_.nameAt(row);
    if (!shell::askYesNo(u'"' + toQString(name) + u'"' + DeleteQuestionTail)) {
        return;
    }
    // A list whose file is still there must not vanish from view as if deleted.
    const Status deleted =
        store::deleteListFile(store::ListFilePath(shell::shared().ListFolder, name));
    if (!deleted && deleted.error().number != errors::FileNotFound) {
        shell::ReportError(deleted.error());
        return;
    }
    const int next = int(session_.removeList(std::size_t(row)));
    {
        const QSignalBlocker quiet(FaizDosyalarıListesi_);
        delete FaizDosyalarıListesi_->takeItem(row);
        FaizDosyalarıListesi_->setCurrentRow(next);
    }
    loadForDisplay(next);
}

void AnaForm::FaizDosyalarıListesiSeçildi(int row) {
    if (row >= 0) {
        loadForDisplay(row);
    }
}

bool AnaForm::loadForDisplay(int row) {
    const std::string name = session_.nameAt(row);
    if (name.empty()) {
        return false;
    }
    clearDisplay(toQString(name));
    Result<RateList> read = store::readList(shell::shared().listSource(), name);
    if (!read) {
        shell::ReportError(read.error());
        return false;
    }
    session_.showList(std::move(read).value());
    showListCaption(toQString(breakdown::loadedListCaption(session_.shownList())));
    showPeriods();
    return true;
}

// The caption names the loaded list; a notice of the folder follows it on the same line,
// every notice in the tooltip.
void AnaForm::showListCaption(const QString& caption) {
    QString text = caption;
    const std::vector<std::string>& notices = session_.listNotices();
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

void AnaForm::clearDisplay(const QString& listName) {
    showListCaption(listName);
    clearBreakdown();
    FaizOranlarıListesi_->removeAllRows();
    session_.clearList();
}

void AnaForm::clearBreakdown() {
    ToplamFaizKutusu_->clear();
    SonDönemUyarısıEtiketi_->clear();
    SonDönemUyarısıEtiketi_->hide();
    SatırNotuEtiketi_->hide();
    FaizDökümüListesi_->removeAllRows();
    session_.clearBreakdown();
}

// The principal counts by its amount, so the grouping and decimals it gains when
// the field is left change nothing.
app::BreakdownInputs AnaForm::inputsNow() const {
    const auto dayOrNone = [](const shell::DateTimePicker& picker) -> std::optional<Date> {
        const std::optional<QDate> value = picker.value();
        return value ? std::optional<Date>(shell::toSysDays(*value)) : std::nullopt;
    };
    return {FaizDosyalarıListesi_->currentRow(), dayOrNone(*BaşlangıçTarihiKutusu_),
            dayOrNone(*BitişTarihiKutusu_), app::principalKey(AnaParaKutusu_->text().toStdString()),
            YılGünSayısıOnayı_->isChecked()};
}

void AnaForm::inputChanged() {
    if (session_.inputsChanged(inputsNow())) {
        clearBreakdown();
    }
}

void AnaForm::showPeriods() {
    const std::vector<RatePeriod>& periods = session_.shownList().Periods;
    for (std::size_t k = 0; k < periods.size(); ++k) {
        FaizOranlarıListesi_->addRow(
            shell::toQStringList(breakdown::periodCells(int(k) + 1, periods[k])));
    }
}

void AnaForm::YılGünSayısıOnayıTıklandı() {
    session_.setYear360(YılGünSayısıOnayı_->isChecked());
}

void AnaForm::FaiziHesaplaButonuTıklandı() {
    // Alt+F leaves the focus where it is, possibly on a date half typed.
    BaşlangıçTarihiKutusu_->finishTyping();
    BitişTarihiKutusu_->finishTyping();
    if (!datesAreUsable()) {
        return;
    }
    const std::string principalText = AnaParaKutusu_->text().toStdString();
    const interest::Inputs inputs = calculationInputs(principalText);
    if (passesChecks(inputs)) {
        runCalculation(inputs);
    }
}

bool AnaForm::datesAreUsable() {
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

interest::Inputs AnaForm::calculationInputs(const std::string& principalText) const {
    return {dayOf(*BaşlangıçTarihiKutusu_), dayOf(*BitişTarihiKutusu_), principalText,
            session_.divisor()};
}

// The checks look at the list as it is shown, and a refused calculation leaves
// the breakdown on display untouched.
bool AnaForm::passesChecks(const interest::Inputs& inputs) {
    // Without a list there is nothing to compute over; the user is told so in words.
    const int row = FaizDosyalarıListesi_->currentRow();
    if (row < 0 || session_.shownList().Periods.empty()) {
        shell::showNotice(row < 0 ? NoListNotice
                                  : u'"' + toQString(session_.nameAt(row)) + u'"' + EmptyListTail);
        FaizDosyalarıListesi_->setFocus();
        return false;
    }
    const interest::Outcome outcome = interest::calculate(session_.shownList(), inputs);
    if (const auto* rejection = std::get_if<interest::Rejection>(&outcome)) {
        refuse(*rejection);
        return false;
    }
    // Any failure is the run's own, on the list as it is stored now.
    return true;
}

// The run reads the list again from its file, so it uses the list as stored now.
void AnaForm::runCalculation(const interest::Inputs& inputs) {
    // A list that could not be read has been reported; there is nothing to compute.
    if (!loadForDisplay(FaizDosyalarıListesi_->currentRow())) {
        return;
    }
    session_.startBreakdown(inputsNow());
    const interest::Outcome outcome = interest::calculate(
        session_.shownList(), inputs, [this](const interest::InterestRow& row) { showRow(row); });
    if (const auto* rejection = std::get_if<interest::Rejection>(&outcome)) {
        refuse(*rejection);
        return;
    }
    const interest::Calculation& calculation = std::get<interest::Calculation>(outcome);
    // A run that fails before its first row (periods that do not follow one another,
    // an overflow at once) has nothing to show, not even a total.
    if (calculation.failure &&
        (!shell::ReportError(*calculation.failure) || calculation.rows.empty())) {
        return;
    }
    const std::string total = breakdown::totalText(calculation.total);
    showTotal(toQString(total));
    SatırNotuEtiketi_->setVisible(!calculation.rows.empty());
    session_.finishBreakdown(
        total, {session_.shownList(), text::parseAmount(inputs.principalText).value_or(0.0),
                inputs.start, inputs.end, inputs.divisor, calculation.ranPastListEnd});
    if (calculation.ranPastListEnd) {
        showRunOnNotice(breakdown::runOnNotice(*calculation.ranPastListEnd),
                        !calculation.ranPastListEnd->checkedToListEnd);
    }
}

// The total stands in bold. Its face is loaded with the first total rather than
// with the window: the box is empty until then, and loading a face delays a start.
void AnaForm::showTotal(const QString& total) {
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
void AnaForm::showRunOnNotice(const std::string& notice, bool warning) {
    const QString text = toQString(notice);
    // A ready list ending where its rates were checked is no warning: plain colour.
    QPalette colours = SonDönemUyarısıEtiketi_->palette();
    colours.setColor(QPalette::WindowText,
                     warning ? WarningColour : palette().color(QPalette::WindowText));
    SonDönemUyarısıEtiketi_->setPalette(colours);
    const std::optional<rates::Recognition> recognition =
        rates::recognise(session_.shownList().Periods);
    const QString advice = QStringLiteral("listeyi güncelleyin");
    // A read-only list folder leaves nothing to bring current there.
    const bool canUpdate = recognition && recognition->changed > 0 && text.contains(advice) &&
                           shell::shared().ListFolderWritable;
    const bool current = recognition && recognition->changed == 0;
    if (canUpdate || current) {
        QString linked = text.toHtmlEscaped();
        if (canUpdate) {
            linked.replace(advice, QStringLiteral("<a href=\"guncelle\">%1</a>").arg(advice));
            SonDönemUyarısıEtiketi_->setToolTip(
                toQString(rates::recognitionText(session_.shownList().Periods)));
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
        setTabOrder(SüreHesaplaButonu_, SonDönemUyarısıEtiketi_);
        setTabOrder(SonDönemUyarısıEtiketi_, HakkındaButonu_);
    } else {
        SonDönemUyarısıEtiketi_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        SonDönemUyarısıEtiketi_->setTextFormat(Qt::PlainText);
        SonDönemUyarısıEtiketi_->setText(text);
        SonDönemUyarısıEtiketi_->setToolTip(QString());
    }
    SonDönemUyarısıEtiketi_->show();
}

void AnaForm::refuse(const interest::Rejection& rejection) {
    shell::showNotice(toQString(rejection.message));
    if (rejection.correctedStart) {
        BaşlangıçTarihiKutusu_->setValue(shell::toQDate(*rejection.correctedStart));
    }
    if (rejection.correctedEnd) {
        BitişTarihiKutusu_->setValue(shell::toQDate(*rejection.correctedEnd));
    }
    switch (rejection.focus) {
    case interest::Field::StartDate:
        BaşlangıçTarihiKutusu_->setFocus();
        break;
    case interest::Field::EndDate:
        BitişTarihiKutusu_->setFocus();
        break;
    case interest::Field::Principal:
        AnaParaKutusu_->setFocus();
        break;
    }
}

void AnaForm::showRow(const interest::InterestRow& row) {
    breakdown::RowCells cells = breakdown::rowCells(row);
    FaizDökümüListesi_->addRow(shell::toQStringList(cells));
    session_.addRow(std::move(cells));
}

void AnaForm::ListeyiAktarDüğmesiBasıldı() {
    if (session_.rows().empty()) {
        shell::showNotice(EmptyListNotice);
        return;
    }
    openMenu(ListeyiAktarDüğmesi_->mapToGlobal(QPoint(0, ListeyiAktarDüğmesi_->height())), nullptr);
}

void AnaForm::FaizDökümüListesiSağTıklandı(const QPoint& globalPosition) {
    if (!session_.rows().empty()) {
        openMenu(globalPosition, SadeceToplamıKopyalaMenüsü_);
    }
}

void AnaForm::openMenu(const QPoint& globalPosition, QAction* defaultItem) {
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

void AnaForm::SadeceToplamıKopyalaMenüsüTıklandı() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(ToplamFaizKutusu_->text());
}

// The rows and the total as the session holds them, which are the texts the user reads.
void AnaForm::TümListeyiKopyalaMenüsüTıklandı() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(toQString(session_.copyAll()));
}

void AnaForm::ÇıkışButonuTıklandı() {
    close();
}
