#include "ui/about/HakkindaFormu.h"

#include "core/app/AppInfo.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "ui/about/ProgramIcon.h"
#include "ui/about/RatePackageDialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

using namespace mirvane;
using shell::layoutFont;
using shell::place;
using shell::px;
using shell::toQString;
using shell::twips;

namespace {

const QString ArtworkPath = QStringLiteral(":/about-artwork.svg");
constexpr QSize ArtworkSize(214, 300);
constexpr int IconSide = 32;

const QColor TitleColour(128, 64, 64);
const QColor LinkColour(0, 0, 255);

// The window shows the artwork as a picture without transparency.
QPixmap artwork() {
    QImage opaque(ArtworkSize, QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, renderedPicture(ArtworkPath, ArtworkSize));
    painter.end();
    return QPixmap::fromImage(opaque);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QFont withSize(QFont font, double points, bool bold) {
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

HakkındaFormu::HakkındaFormu(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      Resim_(artwork()) {
    setObjectName(QStringLiteral("HakkındaFormu"));
    setWindowTitle(toQString(app::AboutCaption));
    setFont(layoutFont(font()));
    setFixedSize(px(6630), px(4230));
    buildPanel();
}

void HakkındaFormu::buildPanel() {
    Altlık_ = place(new QWidget(this), QStringLiteral("Altlık"),
                    QRect(px(2715), 0, width() - px(2715), height()));
    Altlık_->setAutoFillBackground(true);
    QPalette white = Altlık_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Altlık_->setPalette(white);
    Altlık_->setMouseTracking(true);
    Altlık_->installEventFilter(this);

    auto* icon = place(new QLabel(Altlık_), QStringLiteral("SimgeKutusu"),
                       QRect(px(360), px(420), IconSide, IconSide));
    icon->setPixmap(programIcon().pixmap(IconSide, IconSide));

    QLabel* title = label(0, toQString(app::ProductName), twips(360, 1140, 3300, 450));
    title->setFont(withSize(font(), 14, true));
    setTextColour(title, TitleColour);
    label(1, toQString(app::aboutVersionText(app::currentVersion())), twips(360, 1620, 3300, 255));
    OranlarEtiketi_ = label(2, ui::rateDataText(), twips(360, 1920, 3300, 640));
    OranlarEtiketi_->setWordWrap(true);
    OranlarEtiketi_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    OranlarEtiketi_->setToolTip(ui::ratePackageHelp());
    QLabel* maker = label(3, toQString(app::MakerName), twips(360, 2580, 3300, 255));
    maker->setFont(withSize(font(), font().pointSizeF(), true));
    setTextColour(maker, TitleColour);

    const QUrl address(makerAddress());
    TELVAREtiketi_ = new QLabel(address.host(), Altlık_);
    TELVAREtiketi_->setObjectName(QStringLiteral("TELVAREtiketi"));
    TELVAREtiketi_->move(px(360), px(2880));
    // Only the text itself is the link; the panel beside it takes the underline off.
    TELVAREtiketi_->adjustSize();
    setTextColour(TELVAREtiketi_, LinkColour);
    TELVAREtiketi_->setCursor(Qt::PointingHandCursor);
    TELVAREtiketi_->setMouseTracking(true);
    TELVAREtiketi_->installEventFilter(this);

    // In the panel's lower right corner, clear of the labels; Esc presses it too.
    QPushButton* close = shell::button(Altlık_, QStringLiteral("KapatButonu"),
                                       QStringLiteral("Kapat"), twips(2400, 3645, 1275, 345));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // New rates between releases: a signed package, installed or removed here.
    OranPaketiYükleButonu_ =
        shell::button(Altlık_, QStringLiteral("OranPaketiYükleButonu"),
                      QStringLiteral("&Oran paketi yükle…"), twips(360, 3645, 1950, 345));
    OranPaketiYükleButonu_->setToolTip(ui::ratePackageHelp());
    connect(OranPaketiYükleButonu_, &QPushButton::clicked, this,
            &HakkındaFormu::OranPaketiYükleButonuTıklandı);
    OranPaketiniKaldırButonu_ =
        shell::button(Altlık_, QStringLiteral("OranPaketiniKaldırButonu"),
                      QStringLiteral("Oran paketini &kaldır"), twips(360, 3240, 1950, 345));
    connect(OranPaketiniKaldırButonu_, &QPushButton::clicked, this,
            &HakkındaFormu::OranPaketiniKaldırButonuTıklandı);
    showRateData();
}

void HakkındaFormu::showRateData() {
    OranlarEtiketi_->setText(ui::rateDataText());
    OranPaketiniKaldırButonu_->setVisible(ui::ratePackageInstalled());
}

void HakkındaFormu::OranPaketiYükleButonuTıklandı() {
    ui::installRatePackage(this);
    showRateData();
}

void HakkındaFormu::OranPaketiniKaldırButonuTıklandı() {
    ui::removeRatePackage(this);
    showRateData();
    OranPaketiYükleButonu_->setFocus();
}

QLabel* HakkındaFormu::label(int index, const QString& text, const QRect& area) {
    return place(new QLabel(text, Altlık_), QStringLiteral("Etiket%1").arg(index), area);
}

bool HakkındaFormu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == TELVAREtiketi_) {
            TELVAREtiketiÜzerindeFareHareketi();
            // A label passes mouse moves on to its parent, the panel, which would
            // take the underline off again.
            return true;
        }
        if (watched == Altlık_) {
            AltlıkÜzerindeFareHareketi();
        }
    } else if (watched == TELVAREtiketi_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            TELVAREtiketi_->rect().contains(mouse->position().toPoint())) {
            TELVAREtiketiTıklandı();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HakkındaFormu::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Resim_);
    QDialog::paintEvent(event);
}

void HakkındaFormu::TELVAREtiketiÜzerindeFareHareketi() {
    setLinkUnderlined(true);
}

void HakkındaFormu::AltlıkÜzerindeFareHareketi() {
    setLinkUnderlined(false);
}

void HakkındaFormu::TELVAREtiketiTıklandı() {
    // A desktop without a browser simply leaves the window as it is.
    QDesktopServices::openUrl(QUrl(makerAddress()));
}

void HakkındaFormu::setLinkUnderlined(bool underlined) {
    QFont linkFont = TELVAREtiketi_->font();
    if (linkFont.underline() == underlined) {
        return;
    }
    linkFont.setUnderline(underlined);
    TELVAREtiketi_->setFont(linkFont);
}
