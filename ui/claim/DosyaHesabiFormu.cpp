#include "ui/claim/DosyaHesabiFormu.h"

#include "core/app/AppInfo.h"
#include "core/claim/ClaimJson.h"
#include "core/claim/ClaimTexts.h"
#include "core/interest/Breakdown.h"
#include "core/ratelist/FaizFile.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/ListSource.h"
#include "core/rates/ReadyLists.h"
#include "core/report/ClaimReport.h"
#include "core/text/TextForms.h"
#include "shell/AnaParaKutusu.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/RateField.h"
#include "shell/SharedValues.h"
#include "shell/SingleInstance.h"
#include "ui/claim/ClaimControls.h"
#include "ui/claim/ColumnSpread.h"
#include "ui/claim/KarsilastirmaModeli.h"
#include "ui/claim/RaporPaneli.h"
#include "ui/claim/ResultRows.h"
#include "ui/claim/SeceneklerPaneli.h"
#include "ui/claim/SonucPaneli.h"
#include "ui/claim/UndertakingPanel.h"
#include "ui/editor/EditorParts.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <set>

using namespace mirvane;
using shell::toQString;
using shell::toStdString;
using namespace claimui;

namespace {

const QString SettingsGroup = QStringLiteral("DosyaHesabi");
const QString GeometryKey = QStringLiteral("Geometri");
const QString FileFilter = QStringLiteral("Dosya hesapları (*.mirvane)");
const QString FixedRateChoice = QStringLiteral("Sabit oran");
const QString WindowName = QStringLiteral("DosyaHesabıFormu");

using Align = breakdown::Column::Align;

const std::array<breakdown::Column, 6> ItemColumns{{
    {"No", 0.06, Align::Centre},
    {"Tür", 0.16, Align::Left},
    {"Açıklama", 0.26, Align::Left},
    {"Tutar", 0.17, Align::Right},
    {"Tarih", 0.14, Align::Left},
    {"Oran", 0.21, Align::Left},
}};

const std::array<breakdown::Column, 4> PaymentColumns{{
    {"No", 0.08, Align::Centre},
    {"Tarih", 0.2, Align::Left},
    {"Tutar", 0.25, Align::Right},
    {"Açıklama", 0.47, Align::Left},
}};

constexpr std::array<claim::ItemKind, 3> Kinds{claim::ItemKind::Principal, claim::ItemKind::Costs,
                                               claim::ItemKind::Fee};

DosyaHesabıFormu::FileChooser installedChooser;
std::filesystem::path recoveryFolder;

QDate today() {
    return shell::shared().today();
}

std::optional<QDate> qDateOf(const std::optional<Date>& date) {
    if (!date) {
        return std::nullopt;
    }
    return shell::toQDate(*date);
}

std::optional<Date> dateOf(const shell::DateTimePicker& picker) {
    const std::optional<QDate> value = picker.value();
    if (!value) {
        return std::nullopt;
    }
    return shell::toSysDays(*value);
}

QString amountText(claim::Kurus amount) {
    return amount > 0 ? toQString(text::formatCents(amount)) : QString();
}

QWidget* buttonColumn(std::initializer_list<QPushButton*> buttons) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : buttons) {
        layout->addWidget(button);
    }
    layout->addStretch();
    return column;
}

// The line under a part of the inputs that says what is wrong there.
QLabel* problemLabel(const QString& name) {
    auto* label = named(new QLabel, name);
    label->setWordWrap(true);
    label->setPalette(warningPalette(label->palette()));
    label->hide();
    return label;
}

} // namespace

void DosyaHesabıFormu::setFileChooser(FileChooser chooser) {
    installedChooser = std::move(chooser);
}

void DosyaHesabıFormu::setRecoveryFolder(std::filesystem::path folder) {
    recoveryFolder = std::move(folder);
}

void DosyaHesabıFormu::offerRecoveredFiles(QWidget* owner) {
    if (recoveryFolder.empty()) {
        return;
    }
    for (const claim::FoundCopy& found : claim::findRecoveryCopies(recoveryFolder)) {
        const QString question =
            QStringLiteral("%1 dosyasında kaydedilmemiş değişiklikler var. Geri yüklensin mi?")
                .arg(toQString(claim::offeredName(found.copy)));
        if (!shell::askYesNo(question)) {
            claim::removeRecoveryCopy(found.path);
            continue;
        }
        auto window = std::make_unique<DosyaHesabıFormu>(owner);
        if (window->restore(found)) {
            window.release()->show();
        }
    }
}

void DosyaHesabıFormu::startRecovery(QWidget* owner) {
    setRecoveryFolder(claim::recoveryFolder().value_or(std::filesystem::path()));
    offerRecoveredFiles(owner);
}

DosyaHesabıFormu::DosyaHesabıFormu(QWidget* owner)
    : QMainWindow(owner, Qt::Window), session_(recoveryFolder, &settings_) {
    setObjectName(WindowName);
    setAttribute(Qt::WA_DeleteOnClose);
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    connect(recoveryTimer_, &QTimer::timeout, this, &DosyaHesabıFormu::keepRecoveryCopy);
    session_.file().calculationDate = shell::toSysDays(today());

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    auto* splitter = new QSplitter(Qt::Horizontal);
    auto* inputs = new QWidget;
    auto* inputsLayout = new QVBoxLayout(inputs);
    inputsLayout->setContentsMargins(0, 0, 0, 0);
    inputsLayout->addWidget(buildHeader());
    inputsLayout->addWidget(buildItems(), 3);
    inputsLayout->addWidget(buildPayments(), 2);
    inputsLayout->addWidget(buildSetOffOrder());
    GirdiSekmeleri_ = named(new QTabWidget, QStringLiteral("GirdiSekmeleri"));
    GirdiSekmeleri_->addTab(inputs, QStringLiteral("T&utarlar"));
    RaporPaneli_ = new RaporPaneli(session_.file(), [this] { changed(); });
    GirdiSekmeleri_->addTab(RaporPaneli_, QStringLiteral("Ra&por"));
    SeçeneklerPaneli_ = new SeceneklerPaneli(session_.file(), [this] { changed(); });
    GirdiSekmeleri_->addTab(SeçeneklerPaneli_, QStringLiteral("Se&çenekler"));
    // The items may have changed since the alternatives were last shown.
    connect(GirdiSekmeleri_, &QTabWidget::currentChanged, this, [this](int index) {
        if (GirdiSekmeleri_->widget(index) == SeçeneklerPaneli_) {
            SeçeneklerPaneli_->showFile();
        }
    });
    splitter->addWidget(GirdiSekmeleri_);
    splitter->addWidget(buildResults());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({640, 540});
    layout->addWidget(splitter);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("DurumÇubuğu"));
    buildMenu();
    connectHandlers();

    QSettings settings(toQString(app::MakerName), toQString(app::ProductName));
    settings.beginGroup(SettingsGroup);
    if (!restoreGeometry(settings.value(GeometryKey).toByteArray())) {
        resize(1180, 760);
    }
    // A second window does not hide the first one exactly.
    const std::size_t others = openWindows().size();
    if (others > 0) {
        move(pos() + QPoint(30, 30) * int(std::min<std::size_t>(others, 8)));
    }
    showFile();
}

DosyaHesabıFormu::~DosyaHesabıFormu() = default;

QString DosyaHesabıFormu::filePath() const {
    return session_.path() ? shell::fromPath(*session_.path()) : QString();
}

QWidget* DosyaHesabıFormu::buildHeader() {
    auto* box = named(new QGroupBox(QStringLiteral("Dosya")), QStringLiteral("DosyaÇerçevesi"));
    auto* form = new QFormLayout(box);
    BaşlıkKutusu_ = named(new QLineEdit, QStringLiteral("BaşlıkKutusu"));
    BaşlıkKutusu_->setPlaceholderText(QStringLiteral("örneğin İstanbul 5. İcra Dairesi 2024/1234"));
    HesapTarihiKutusu_ = named(new shell::DateTimePicker, QStringLiteral("HesapTarihiKutusu"));
    TakipTarihiOnayı_ =
        named(new QCheckBox(QStringLiteral("Ta&kip tarihi:")), QStringLiteral("TakipTarihiOnayı"));
    TakipTarihiKutusu_ = named(new shell::DateTimePicker, QStringLiteral("TakipTarihiKutusu"));
    GünEsasıKutusu_ = named(new QComboBox, QStringLiteral("GünEsasıKutusu"));
    GünEsasıKutusu_->addItems({QStringLiteral("365 gün"), QStringLiteral("360 gün")});
    form->addRow(fieldLabel(QStringLiteral("&Başlık:"), BaşlıkKutusu_), BaşlıkKutusu_);
    auto* dates = new QHBoxLayout;
    dates->addWidget(HesapTarihiKutusu_);
    dates->addSpacing(16);
    dates->addWidget(TakipTarihiOnayı_);
    dates->addWidget(TakipTarihiKutusu_);
    dates->addSpacing(16);
    dates->addWidget(fieldLabel(QStringLiteral("&Gün esası:"), GünEsasıKutusu_));
    dates->addWidget(GünEsasıKutusu_);
    dates->addStretch();
    form->addRow(fieldLabel(QStringLiteral("&Hesap tarihi:"), HesapTarihiKutusu_), dates);
    DosyaHataEtiketi_ = problemLabel(QStringLiteral("DosyaHataEtiketi"));
    form->addRow(DosyaHataEtiketi_);
    return box;
}

QWidget* DosyaHesabıFormu::buildItems() {
    auto* box =
        named(new QGroupBox(QStringLiteral("Alacak kalemleri")), QStringLiteral("KalemÇerçevesi"));
    auto* layout = new QGridLayout(box);
    KalemlerListesi_ = named(new shell::ListView, QStringLiteral("KalemlerListesi"));
    KalemlerListesi_->installEventFilter(this);
    KalemlerListesi_->createColumns(ItemColumns);
    new ColumnSpread(KalemlerListesi_, {2, 5});
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
    return box;
}

QWidget* DosyaHesabıFormu::buildPayments() {
    auto* box = named(new QGroupBox(QStringLiteral("Ödemeler")), QStringLiteral("ÖdemeÇerçevesi"));
    auto* layout = new QGridLayout(box);
    ÖdemelerListesi_ = named(new shell::ListView, QStringLiteral("ÖdemelerListesi"));
    ÖdemelerListesi_->installEventFilter(this);
    ÖdemelerListesi_->createColumns(PaymentColumns);
    new ColumnSpread(ÖdemelerListesi_, {3});
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
    return box;
}

QWidget* DosyaHesabıFormu::buildSetOffOrder() {
    auto* box =
        named(new QGroupBox(QStringLiteral("Mahsup sırası")), QStringLiteral("MahsupÇerçevesi"));
    auto* layout = new QHBoxLayout(box);
    MahsupSırasıListesi_ = named(new QListWidget, QStringLiteral("MahsupSırasıListesi"));
    MahsupSırasıListesi_->setFlow(QListView::LeftToRight);
    MahsupSırasıListesi_->setMaximumHeight(MahsupSırasıListesi_->fontMetrics().height() * 2 + 12);
    MahsupSırasıListesi_->installEventFilter(this);
    YukarıButonu_ = namedButton(QStringLiteral("YukarıButonu"), QStringLiteral("◀ Ö&ne"));
    AşağıButonu_ = namedButton(QStringLiteral("AşağıButonu"), QStringLiteral("&Arkaya ▶"));
    VarsayılanSıraButonu_ =
        namedButton(QStringLiteral("VarsayılanSıraButonu"), QStringLiteral("&Varsayılan"));
    layout->addWidget(MahsupSırasıListesi_, 1);
    layout->addWidget(YukarıButonu_);
    layout->addWidget(AşağıButonu_);
    layout->addWidget(VarsayılanSıraButonu_);
    return box;
}

void DosyaHesabıFormu::buildMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Dosya"));
    menu->setObjectName(QStringLiteral("DosyaMenüsü"));
    const auto add = [&](const QString& name, const QString& caption, QKeySequence keys,
                         auto handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add(QStringLiteral("YeniMenüsü"), QStringLiteral("&Yeni"), QKeySequence::New,
        [this] { openNew(parentWidget()); });
    add(QStringLiteral("AçMenüsü"), QStringLiteral("&Aç..."), QKeySequence::Open,
        &DosyaHesabıFormu::OpenChosenFile);
    SonDosyalarMenüsü_ = menu->addMenu(QStringLiteral("Son &Dosyalar"));
    SonDosyalarMenüsü_->setObjectName(QStringLiteral("SonDosyalarMenüsü"));
    connect(SonDosyalarMenüsü_, &QMenu::aboutToShow, this, &DosyaHesabıFormu::fillRecentMenu);
    menu->addSeparator();
    add(QStringLiteral("KaydetMenüsü"), QStringLiteral("&Kaydet"), QKeySequence::Save,
        &DosyaHesabıFormu::save);
    add(QStringLiteral("FarklıKaydetMenüsü"), QStringLiteral("&Farklı Kaydet..."),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &DosyaHesabıFormu::saveAs);
    menu->addSeparator();
    PdfMenüsü_ = add(QStringLiteral("PdfMenüsü"), QStringLiteral("&PDF Olarak Kaydet..."),
                     QKeySequence(Qt::CTRL | Qt::Key_P), &DosyaHesabıFormu::ExportPdf);
    WordMenüsü_ = add(QStringLiteral("WordMenüsü"), QStringLiteral("&Word'e Aktar"), QKeySequence(),
                      &DosyaHesabıFormu::ExportWord);
    WordKaydetMenüsü_ = add(QStringLiteral("WordBelgesiOlarakKaydetMenüsü"),
                            QStringLiteral("Word &Belgesi Olarak Kaydet…"), QKeySequence(),
                            &DosyaHesabıFormu::SaveWord);
    menu->addSeparator();
    menu->addActions(SonuçPaneli_->undertakings()->menuActions());
    menu->addSeparator();
    add(QStringLiteral("KapatMenüsü"), QStringLiteral("Ka&pat"), QKeySequence::Close,
        &QWidget::close);

    // A deleted item or payment comes back with Ctrl+Z, where no text field takes
    // the key for its own typing.
    menu = menuBar()->addMenu(QStringLiteral("Dü&zen"));
    menu->setObjectName(QStringLiteral("DüzenMenüsü"));
    GeriAlMenüsü_ = add(QStringLiteral("GeriAlMenüsü"), QStringLiteral("&Geri Al"),
                        QKeySequence::Undo, &DosyaHesabıFormu::GeriAlMenüsüTıklandı);
    GeriAlMenüsü_->setEnabled(false);
}

void DosyaHesabıFormu::connectHandlers() {
    connect(BaşlıkKutusu_, &QLineEdit::textEdited, this, &DosyaHesabıFormu::HeaderChanged);
    connect(HesapTarihiKutusu_, &QDateEdit::dateChanged, this, &DosyaHesabıFormu::HeaderChanged);
    connect(TakipTarihiOnayı_, &QCheckBox::toggled, this, &DosyaHesabıFormu::HeaderChanged);
    connect(TakipTarihiKutusu_, &QDateEdit::dateChanged, this, &DosyaHesabıFormu::HeaderChanged);
    connect(GünEsasıKutusu_, &QComboBox::currentIndexChanged, this,
            &DosyaHesabıFormu::HeaderChanged);

    connect(KalemlerListesi_, &QTreeWidget::currentItemChanged, this,
            &DosyaHesabıFormu::showItemEditor);
    connect(TürKutusu_, &QComboBox::currentIndexChanged, this, &DosyaHesabıFormu::ItemKindChanged);
    connect(AçıklamaKutusu_, &QLineEdit::textChanged, this, &DosyaHesabıFormu::ItemEditorChanged);
    connect(TutarKutusu_, &QLineEdit::textChanged, this, &DosyaHesabıFormu::ItemEditorChanged);
    connect(TarihKutusu_, &QDateEdit::dateChanged, this, &DosyaHesabıFormu::ItemEditorChanged);
    connect(OranKutusu_, &QComboBox::currentIndexChanged, this,
            &DosyaHesabıFormu::ItemEditorChanged);
    connect(SabitOranKutusu_, &QLineEdit::textChanged, this, &DosyaHesabıFormu::ItemEditorChanged);
    connect(KalemEkleButonu_, &QPushButton::clicked, this,
            &DosyaHesabıFormu::KalemEkleButonuTıklandı);
    connect(KalemSilButonu_, &QPushButton::clicked, this,
            &DosyaHesabıFormu::KalemSilButonuTıklandı);

    connect(ÖdemelerListesi_, &QTreeWidget::currentItemChanged, this,
            &DosyaHesabıFormu::showPaymentEditor);
    connect(ÖdemeTarihiKutusu_, &QDateEdit::dateChanged, this,
            &DosyaHesabıFormu::PaymentEditorChanged);
    connect(ÖdemeTutarıKutusu_, &QLineEdit::textChanged, this,
            &DosyaHesabıFormu::PaymentEditorChanged);
    connect(ÖdemeAçıklamaKutusu_, &QLineEdit::textChanged, this,
            &DosyaHesabıFormu::PaymentEditorChanged);
    connect(ÖdemeEkleButonu_, &QPushButton::clicked, this,
            &DosyaHesabıFormu::ÖdemeEkleButonuTıklandı);
    connect(ÖdemeSilButonu_, &QPushButton::clicked, this,
            &DosyaHesabıFormu::ÖdemeSilButonuTıklandı);

    connect(YukarıButonu_, &QPushButton::clicked, this, [this] { MoveBucket(-1); });
    connect(AşağıButonu_, &QPushButton::clicked, this, [this] { MoveBucket(1); });
    connect(VarsayılanSıraButonu_, &QPushButton::clicked, this,
            &DosyaHesabıFormu::VarsayılanSıraButonuTıklandı);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusMoved(now); });
}

DosyaHesabıFormu* DosyaHesabıFormu::openNew(QWidget* owner) {
    auto* window = new DosyaHesabıFormu(owner);
    window->show();
    return window;
}

DosyaHesabıFormu* DosyaHesabıFormu::openFile(const QString& path, QWidget* owner) {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (DosyaHesabıFormu* window : openWindows()) {
        if (!window->filePath().isEmpty() &&
            QFileInfo(window->filePath()).absoluteFilePath() == wanted) {
            shell::bringToFront(window);
            return window;
        }
    }
    auto window = std::make_unique<DosyaHesabıFormu>(owner);
    if (!window->load(wanted)) {
        return nullptr;
    }
    window->show();
    return window.release();
}

std::vector<DosyaHesabıFormu*> DosyaHesabıFormu::openWindows() {
    std::vector<DosyaHesabıFormu*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == WindowName && !widget->testAttribute(Qt::WA_WState_Hidden) &&
            widget->isVisible()) {
            windows.push_back(static_cast<DosyaHesabıFormu*>(widget));
        }
    }
    return windows;
}

bool DosyaHesabıFormu::load(const QString& path) {
    claim::ReadOutcome read = claim::readFile(shell::toPath(path));
    if (const auto* failure = std::get_if<claim::ReadFailure>(&read)) {
        // The message names the line and column of a damaged file itself. A file that
        // cannot be opened is an error, not a notice.
        const QString message =
            QStringLiteral("\"%1\" açılamadı: ").arg(QFileInfo(path).fileName()) +
            toQString(failure->message);
        shell::messageBoxes().show(
            {toQString(app::MessageCaption), message, shell::Icon::Critical, shell::Buttons::Ok});
        return false;
    }
    session_.open(std::move(std::get<claim::ClaimFile>(read)),
                  shell::toPath(QFileInfo(path).absoluteFilePath()));
    // A file that names a list without carrying it takes the folder's copy.
    copyMissingLists();
    showFile();
    return true;
}

void DosyaHesabıFormu::showFile() {
    showing_ = true;
    BaşlıkKutusu_->setText(toQString(session_.file().title));
    HesapTarihiKutusu_->setValue(shell::toQDate(session_.file().calculationDate));
    TakipTarihiOnayı_->setChecked(session_.file().filingDate.has_value());
    TakipTarihiKutusu_->setValue(session_.file().filingDate ? qDateOf(session_.file().filingDate)
                                                            : today());
    TakipTarihiKutusu_->setEnabled(session_.file().filingDate.has_value());
    GünEsasıKutusu_->setCurrentIndex(session_.file().dayBasis == 360 ? 1 : 0);
    fillRateChoices();
    KalemlerListesi_->removeAllRows();
    for (std::size_t i = 0; i < session_.file().items.size(); ++i) {
        KalemlerListesi_->addRow(QStringList(int(ItemColumns.size()), QString()));
    }
    for (std::size_t i = 0; i < session_.file().items.size(); ++i) {
        showItemRow(int(i));
    }
    ÖdemelerListesi_->removeAllRows();
    for (std::size_t i = 0; i < session_.file().payments.size(); ++i) {
        ÖdemelerListesi_->addRow(QStringList(int(PaymentColumns.size()), QString()));
    }
    for (std::size_t i = 0; i < session_.file().payments.size(); ++i) {
        showPaymentRow(int(i));
    }
    showSetOffOrder();
    SonuçPaneli_->undertakings()->showTerms(session_.file().undertaking);
    RaporPaneli_->showFile();
    SeçeneklerPaneli_->showFile();
    showing_ = false;
    KalemlerListesi_->selectRow(session_.file().items.empty() ? -1 : 0);
    ÖdemelerListesi_->selectRow(session_.file().payments.empty() ? -1 : 0);
    showItemEditor();
    showPaymentEditor();
    session_.setFieldError(std::nullopt);
    session_.setFreshRow(std::nullopt);
    refreshUndo();
    setWindowModified(false);
    refreshTitle();
    recompute();
}

void DosyaHesabıFormu::showItemRow(int row) {
    const claim::Item& item = session_.file().items.at(std::size_t(row));
    const bool principal = item.kind == claim::ItemKind::Principal;
    const std::optional<Date>& date = principal ? item.interestStart : item.date;
    const QStringList cells{QString::number(row + 1),
                            toQString(claim::itemKindTitle(item.kind)),
                            toQString(item.description),
                            toQString(text::formatCents(item.amount)),
                            date ? toQString(text::formatDate(*date)) : QString(),
                            principal ? toQString(claim::rateText(item.rate)) : QString()};
    for (int c = 0; c < cells.size(); ++c) {
        KalemlerListesi_->setCellText(row, c, cells[c]);
    }
}

void DosyaHesabıFormu::showPaymentRow(int row) {
    const claim::Payment& payment = session_.file().payments.at(std::size_t(row));
    const QStringList cells{QString::number(row + 1), toQString(text::formatDate(payment.date)),
                            toQString(text::formatCents(payment.amount)),
                            toQString(payment.description)};
    for (int c = 0; c < cells.size(); ++c) {
        ÖdemelerListesi_->setCellText(row, c, cells[c]);
    }
}

// The rate lists to choose from: the folder's and the file's own copies, then the
// fixed rate.
void DosyaHesabıFormu::fillRateChoices() {
    std::set<std::string> names;
    // A folder that cannot be read leaves the file's own copies to choose from.
    const Result<store::Listing> listing = store::listNames(shell::shared().listSource());
    if (listing) {
        names.insert(listing.value().names.begin(), listing.value().names.end());
    }
    for (const auto& [name, periods] : session_.file().lists) {
        names.insert(name);
    }
    for (const RateList& list : rates::readyLists()) {
        names.insert(list.Name);
    }
    const bool wasShowing = showing_;
    showing_ = true;
    OranKutusu_->clear();
    for (const std::string& name : names) {
        OranKutusu_->addItem(toQString(name));
    }
    OranKutusu_->addItem(FixedRateChoice);
    showing_ = wasShowing;
}

void DosyaHesabıFormu::showItemEditor() {
    const int row = KalemlerListesi_->selectedRow();
    endGraceOfOtherRow(claim::RefusalPlace::Part::Item, row);
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

// Selecting another row of a list ends the grace of the row just added to it.
void DosyaHesabıFormu::endGraceOfOtherRow(claim::RefusalPlace::Part part, int row) {
    const std::optional<claim::RefusalPlace>& fresh = session_.freshRow();
    if (fresh && fresh->part == part &&
        fresh->index != std::optional<std::size_t>(std::size_t(row))) {
        session_.setFreshRow(std::nullopt);
        showProblem();
    }
}

void DosyaHesabıFormu::showPaymentEditor() {
    const int row = ÖdemelerListesi_->selectedRow();
    endGraceOfOtherRow(claim::RefusalPlace::Part::Payment, row);
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

void DosyaHesabıFormu::showSetOffOrder() {
    const int current = MahsupSırasıListesi_->currentRow();
    MahsupSırasıListesi_->clear();
    for (const claim::Bucket bucket : session_.file().setOffOrder) {
        MahsupSırasıListesi_->addItem(toQString(claim::bucketTitle(bucket)));
    }
    MahsupSırasıListesi_->setCurrentRow(std::max(current, 0));
}

void DosyaHesabıFormu::refreshTitle() {
    const QString name =
        filePath().isEmpty() ? QStringLiteral("Adsız") : QFileInfo(filePath()).fileName();
    setWindowTitle(name + QStringLiteral("[*] — Dosya Hesabı"));
}

void DosyaHesabıFormu::HeaderChanged() {
    if (showing_) {
        return;
    }
    TakipTarihiKutusu_->setEnabled(TakipTarihiOnayı_->isChecked());
    session_.editHeader({toStdString(BaşlıkKutusu_->text()), dateOf(*HesapTarihiKutusu_),
                         TakipTarihiOnayı_->isChecked(), dateOf(*TakipTarihiKutusu_),
                         GünEsasıKutusu_->currentIndex() == 1 ? 360 : 365});
    changed();
}

void DosyaHesabıFormu::ItemKindChanged() {
    const int row = KalemlerListesi_->selectedRow();
    if (showing_ || row < 0) {
        return;
    }
    session_.setItemKind(std::size_t(row),
                         Kinds.at(std::size_t(std::max(TürKutusu_->currentIndex(), 0))));
    showItemEditor();
    ItemEditorChanged();
}

void DosyaHesabıFormu::ItemEditorChanged() {
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
        copyMissingLists();
    }
    showItemRow(row);
    changed();
}

void DosyaHesabıFormu::KalemEkleButonuTıklandı() {
    const int row = int(session_.addItem(
        OranKutusu_->count() > 1 ? toStdString(OranKutusu_->itemText(0)) : std::string()));
    copyMissingLists();
    KalemlerListesi_->addRow(QStringList(int(ItemColumns.size()), QString()));
    showItemRow(row);
    KalemlerListesi_->selectRow(row);
    showItemEditor();
    TürKutusu_->setFocus(Qt::TabFocusReason);
    changed();
}

void DosyaHesabıFormu::KalemSilButonuTıklandı() {
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
    refreshUndo();
    changed();
}

void DosyaHesabıFormu::PaymentEditorChanged() {
    const int row = ÖdemelerListesi_->selectedRow();
    if (showing_ || row < 0) {
        return;
    }
    session_.editPayment(std::size_t(row),
                         {toStdString(ÖdemeAçıklamaKutusu_->text()),
                          toStdString(ÖdemeTutarıKutusu_->text()), dateOf(*ÖdemeTarihiKutusu_)});
    showPaymentRow(row);
    changed();
}

void DosyaHesabıFormu::ÖdemeEkleButonuTıklandı() {
    const int row = int(session_.addPayment());
    ÖdemelerListesi_->addRow(QStringList(int(PaymentColumns.size()), QString()));
    showPaymentRow(row);
    ÖdemelerListesi_->selectRow(row);
    showPaymentEditor();
    ÖdemeTarihiKutusu_->setFocus(Qt::TabFocusReason);
    changed();
}

void DosyaHesabıFormu::ÖdemeSilButonuTıklandı() {
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
    refreshUndo();
    changed();
}

// The row comes back where it stood (or last, if the rows before it have gone since),
// selected.
void DosyaHesabıFormu::GeriAlMenüsüTıklandı() {
    const std::optional<claim::ClaimSession::Deleted> last = session_.undo();
    if (!last) {
        return;
    }
    const std::size_t at = last->index;
    if (last->isItem) {
        copyMissingLists();
        KalemlerListesi_->addRow(QStringList(int(ItemColumns.size()), QString()));
        for (int r = int(at); r < int(session_.file().items.size()); ++r) {
            showItemRow(r);
        }
        KalemlerListesi_->selectRow(int(at));
        showItemEditor();
        KalemlerListesi_->setFocus();
    } else {
        ÖdemelerListesi_->addRow(QStringList(int(PaymentColumns.size()), QString()));
        for (int r = int(at); r < int(session_.file().payments.size()); ++r) {
            showPaymentRow(r);
        }
        ÖdemelerListesi_->selectRow(int(at));
        showPaymentEditor();
        ÖdemelerListesi_->setFocus();
    }
    refreshUndo();
    changed();
}

void DosyaHesabıFormu::refreshUndo() {
    const std::vector<claim::ClaimSession::Deleted>& deleted = session_.deleted();
    GeriAlMenüsü_->setEnabled(!deleted.empty());
    if (deleted.empty()) {
        GeriAlMenüsü_->setText(QStringLiteral("&Geri Al"));
        return;
    }
    const claim::ClaimSession::Deleted& last = deleted.back();
    GeriAlMenüsü_->setText(
        QStringLiteral("&Geri Al: %1. %2 silinmesi")
            .arg(last.index + 1)
            .arg(last.isItem ? QStringLiteral("kalemin") : QStringLiteral("ödemenin")));
}

void DosyaHesabıFormu::MoveBucket(int step) {
    const int row = MahsupSırasıListesi_->currentRow();
    if (row < 0 || !session_.moveBucket(std::size_t(row), step)) {
        return;
    }
    MahsupSırasıListesi_->setCurrentRow(row + step);
    showSetOffOrder();
    changed();
}

void DosyaHesabıFormu::VarsayılanSıraButonuTıklandı() {
    if (session_.useDefaultSetOffOrder()) {
        showSetOffOrder();
        changed();
    }
}

void DosyaHesabıFormu::GüncelOranlarButonuTıklandı() {
    session_.takeFolderLists(shell::shared().listSource());
    changed();
}

void DosyaHesabıFormu::changed() {
    session_.changed(claim::RecoveryKeeper::Clock::now());
    setWindowModified(true);
    scheduleRecoveryCopy();
    recompute();
}

void DosyaHesabıFormu::scheduleRecoveryCopy() {
    const std::optional<claim::RecoveryKeeper::Clock::duration> wait =
        session_.recovery().dueIn(claim::RecoveryKeeper::Clock::now());
    if (wait && !recoveryTimer_->isActive()) {
        recoveryTimer_->start(int(std::chrono::ceil<std::chrono::milliseconds>(*wait).count()));
    }
}

void DosyaHesabıFormu::keepRecoveryCopy() {
    const Status kept = session_.keepRecoveryCopy(claim::RecoveryKeeper::Clock::now());
    if (!kept) {
        showStatus(QStringLiteral("Kurtarma kopyası yazılamadı: ") +
                   toQString(kept.error().description));
    }
    scheduleRecoveryCopy();
}

bool DosyaHesabıFormu::restore(const claim::FoundCopy& found) {
    claim::ReadOutcome read = claim::parse(found.copy.content);
    if (const auto* failure = std::get_if<claim::ReadFailure>(&read)) {
        shell::messageBoxes().show({toQString(app::MessageCaption),
                                    QStringLiteral("\"%1\" geri yüklenemedi: ")
                                            .arg(toQString(claim::offeredName(found.copy))) +
                                        toQString(failure->message),
                                    shell::Icon::Critical, shell::Buttons::Ok});
        return false;
    }
    session_.recover(std::move(std::get<claim::ClaimFile>(read)), found);
    copyMissingLists();
    showFile();
    setWindowModified(true);
    return true;
}

QWidget* DosyaHesabıFormu::buildResults() {
    SonuçPaneli_ = new SonucPaneli(
        [this](std::optional<claim::Undertaking> terms) {
            session_.file().undertaking = std::move(terms);
            changed();
        },
        [this] { GüncelOranlarButonuTıklandı(); });
    for (shell::ListView* view : {KalemlerListesi_, ÖdemelerListesi_}) {
        giveRoomyRows(view);
    }
    return SonuçPaneli_;
}

void DosyaHesabıFormu::recompute() {
    // An edit that leaves the figures as they were (a description, the title) does
    // not fill the tables again: a large file has tens of thousands of slices.
    const bool figuresChanged = session_.recompute();
    showProblem();
    SonuçPaneli_->showDifferingLists(
        session_.listsDifferingFromFolder(shell::shared().listSource()));
    if (figuresChanged) {
        showResult();
    }
    // An alternative may change while the main figures stay as they were.
    SonuçPaneli_->showAlternatives(session_.file(), session_.result());
}

void DosyaHesabıFormu::showResult() {
    for (QAction* action : {PdfMenüsü_, WordMenüsü_, WordKaydetMenüsü_}) {
        action->setEnabled(session_.result().has_value());
    }
    SonuçPaneli_->showResult(session_.result());
}

// The message stands under the part of the inputs it concerns and where the results
// would be; the row concerned is drawn in red. What a row just added still lacks
// waits until the user leaves it.
void DosyaHesabıFormu::showProblem() {
    using Part = claim::RefusalPlace::Part;
    const std::optional<claim::WordedRefusal> shown = session_.shownProblem();
    const QString text = shown ? toQString(shown->text) : QString();
    const Part part = shown ? shown->place.part : Part::File;
    const bool items =
        shown && (part == Part::Item || part == Part::List || shown->place.field == "kalemler");
    const bool payments = shown && (part == Part::Payment || shown->place.field == "odemeler");
    for (const auto& [label, here] :
         {std::pair{KalemHataEtiketi_, items}, std::pair{ÖdemeHataEtiketi_, payments},
          std::pair{DosyaHataEtiketi_, shown && !items && !payments}}) {
        label->setText(here ? text : QString());
        label->setVisible(here);
    }
    SonuçPaneli_->showProblem(text);

    const auto mark = [](shell::ListView* view, int& marked, int row) {
        for (const int r : {marked, row}) {
            if (r < 0 || r >= view->rowCount()) {
                continue;
            }
            QTreeWidgetItem* line = view->topLevelItem(r);
            for (int c = 0; c < view->columnCount(); ++c) {
                line->setForeground(c, r == row ? QBrush(claimui::WarningColour) : QBrush());
            }
        }
        marked = row;
    };
    const int wrong = shown && shown->place.index ? int(*shown->place.index) : -1;
    mark(KalemlerListesi_, markedItemRow_, part == Part::Item ? wrong : -1);
    mark(ÖdemelerListesi_, markedPaymentRow_, part == Part::Payment ? wrong : -1);
}

// Leaving the fields of a row just added, for another control of this window, ends
// its grace.
void DosyaHesabıFormu::focusMoved(QWidget* now) {
    if (!session_.freshRow() || !now || now->window() != this) {
        return;
    }
    const QWidget* area =
        session_.freshRow()->part == claim::RefusalPlace::Part::Item ? KalemAlanı_ : ÖdemeAlanı_;
    if (area->isAncestorOf(now)) {
        return;
    }
    session_.setFreshRow(std::nullopt);
    showProblem();
}

// A file that names a list without carrying it takes the copy the windows read from.
void DosyaHesabıFormu::copyMissingLists() {
    session_.copyMissingLists(shell::shared().listSource());
}

QString DosyaHesabıFormu::chooseFile(FileDialog dialog, const QString& suggested) {
    if (installedChooser) {
        return installedChooser(dialog, this, suggested);
    }
    if (dialog == FileDialog::Open) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Dosya Hesabı Aç"), suggested,
                                            FileFilter);
    }
    QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Dosya Hesabını Kaydet"),
                                                  suggested, FileFilter);
    if (!chosen.isEmpty() &&
        !chosen.endsWith(toQString(claim::FileExtension), Qt::CaseInsensitive)) {
        chosen += toQString(claim::FileExtension);
    }
    return chosen;
}

void DosyaHesabıFormu::OpenChosenFile() {
    const QString folder =
        filePath().isEmpty() ? pdf::reportFolder() : QFileInfo(filePath()).absolutePath();
    const QString chosen = chooseFile(FileDialog::Open, folder);
    if (!chosen.isEmpty()) {
        openHereOrBeside(chosen);
    }
}

bool DosyaHesabıFormu::untouched() const {
    return filePath().isEmpty() && !isModified() && session_.file().items.empty() &&
           session_.file().payments.empty();
}

// An untouched new window takes the file itself, unless the file is open in another
// window already, which then comes to the front.
void DosyaHesabıFormu::openHereOrBeside(const QString& path) {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    const std::vector<DosyaHesabıFormu*> windows = openWindows();
    const bool openElsewhere =
        std::any_of(windows.begin(), windows.end(), [&wanted](const DosyaHesabıFormu* window) {
            return !window->filePath().isEmpty() &&
                   QFileInfo(window->filePath()).absoluteFilePath() == wanted;
        });
    if (untouched() && !openElsewhere) {
        load(wanted);
        return;
    }
    openFile(wanted, parentWidget());
}

bool DosyaHesabıFormu::save() {
    return filePath().isEmpty() ? saveAs() : writeTo(filePath());
}

bool DosyaHesabıFormu::saveAs() {
    QString suggested = filePath();
    // The first save opens where the reports are saved.
    if (suggested.isEmpty()) {
        const QString pdfName = pdf::suggestedFileName(toQString(session_.file().title));
        suggested =
            QDir(pdf::reportFolder())
                .filePath(pdfName.left(pdfName.size() - 4) + toQString(claim::FileExtension));
    }
    const QString chosen = chooseFile(FileDialog::Save, suggested);
    return !chosen.isEmpty() && writeTo(chosen);
}

bool DosyaHesabıFormu::writeTo(const QString& path) {
    const Status written = session_.save(shell::toPath(QFileInfo(path).absoluteFilePath()));
    if (!written) {
        shell::ReportError(written.error());
        return false;
    }
    setWindowModified(false);
    recoveryTimer_->stop();
    refreshTitle();
    return true;
}

void DosyaHesabıFormu::fillRecentMenu() {
    SonDosyalarMenüsü_->clear();
    QStringList recent;
    for (const std::filesystem::path& file : session_.recentFiles()) {
        recent << shell::fromPath(file);
    }
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        // Files of one name in different folders are told apart by their folder.
        const QFileInfo file(path);
        const QString caption =
            QStringLiteral("%1  —  %2")
                .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()))
                .replace(u'&', QStringLiteral("&&"));
        QAction* action =
            SonDosyalarMenüsü_->addAction(QStringLiteral("&%1 ").arg(i + 1) + caption);
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { openHereOrBeside(path); });
    }
    SonDosyalarMenüsü_->setEnabled(!recent.isEmpty());
}

QString DosyaHesabıFormu::reportName() const {
    return filePath().isEmpty() ? toQString(session_.file().title)
                                : QFileInfo(filePath()).completeBaseName();
}

void DosyaHesabıFormu::ExportPdf() {
    if (!session_.result()) {
        return;
    }
    const report::Document document =
        report::claimReport(session_.file(), *session_.result(), shell::toSysDays(today()));
    pdf::saveReport(this, document, pdf::suggestedFileName(reportName()));
}

void DosyaHesabıFormu::ExportWord() {
    if (!session_.result()) {
        return;
    }
    const report::Document document =
        report::claimReport(session_.file(), *session_.result(), shell::toSysDays(today()));
    word::exportToWordProcessor([&document] { return document; },
                                QStringLiteral("DosyaHesabi.dotx"),
                                {[this](const QString& text) { showStatus(text); },
                                 [this] {
                                     SaveWord();
                                 }});
}

void DosyaHesabıFormu::SaveWord() {
    if (!session_.result()) {
        return;
    }
    const report::Document document =
        report::claimReport(session_.file(), *session_.result(), shell::toSysDays(today()));
    const QString file = word::saveDocument(this, document, word::suggestedFileName(reportName()));
    if (!file.isEmpty()) {
        showStatus(word::savedStatus(file));
    }
}

// Long enough for a slow word processor to come up; what follows may hold the
// window for a moment (looking for a word processor), so it is drawn at once.
void DosyaHesabıFormu::showStatus(const QString& text) {
    if (text.isEmpty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(text, 20000);
    }
    statusBar()->repaint();
}

bool DosyaHesabıFormu::confirmDiscard() {
    if (!isModified()) {
        return true;
    }
    const QString name =
        filePath().isEmpty() ? QStringLiteral("Adsız") : QFileInfo(filePath()).fileName();
    switch (shell::askYesNoCancel(
        QStringLiteral("\"%1\" değişti. Değişiklikler kaydedilsin mi?").arg(name))) {
    case shell::Answer::Yes:
        return save();
    case shell::Answer::No:
        return true;
    default:
        return false;
    }
}

void DosyaHesabıFormu::closeEvent(QCloseEvent* event) {
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    // Saved, or its changes thrown away: nothing is left to recover.
    recoveryTimer_->stop();
    session_.discardChanges();
    QSettings settings(toQString(app::MakerName), toQString(app::ProductName));
    settings.beginGroup(SettingsGroup);
    settings.setValue(GeometryKey, saveGeometry());
    event->accept();
}

// Insert adds and Delete removes a row of the list that has the focus; Alt with an
// arrow moves a bucket of the set-off order.
bool DosyaHesabıFormu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == KalemlerListesi_ || watched == ÖdemelerListesi_) {
        const bool items = watched == KalemlerListesi_;
        if (key->key() == Qt::Key_Insert) {
            items ? KalemEkleButonuTıklandı() : ÖdemeEkleButonuTıklandı();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            items ? KalemSilButonuTıklandı() : ÖdemeSilButonuTıklandı();
            return true;
        }
    }
    if (watched == MahsupSırasıListesi_ && (key->modifiers() & Qt::AltModifier)) {
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up) {
            MoveBucket(-1);
            return true;
        }
        if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down) {
            MoveBucket(1);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
