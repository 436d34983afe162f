#include "core/rates/RatePackage.h"
#include "core/rates/ReadyLists.h"
#include "tests/gui/GuiTestSupport.h"
#include "ui/about/HakkindaFormu.h"
#include "ui/about/ProgramIcon.h"
#include "ui/about/RatePackageDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cstdlib>
#include <fstream>
#include <memory>

// Takes the addresses the window asks the desktop to open, instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void showsTitleVersionAndMaker();
    void pictureOnTheLeftWhitePanelOnTheRight();
    void linkUnderlineFollowsTheMouse();
    void clickOnTheLinkOpensTheMakersSite();
    void escapeAndKapatClose();
    void programIconHasTheUsualSizes();
    void ratePackageInstalledAndRemoved();

private:
    QLabel* label(const char* name) {
        auto* found = form_->findChild<QLabel*>(guitest::q(name));
        if (!found) {
            qFatal("no label %s", name);
        }
        return found;
    }
    QLabel* link() { return label("TELVAREtiketi"); }
    QWidget* panel() { return form_->findChild<QWidget*>(QStringLiteral("Altlık")); }
    bool underlined() { return link()->font().underline(); }

    // A plain mouse move, as the window system delivers it to the widget under the pointer.
    static void moveOver(QWidget* widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    UrlCatcher catcher_;
    std::unique_ptr<HakkındaFormu> form_;
};

void AboutTest::initTestCase() {
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher_, "open");
}

void AboutTest::cleanupTestCase() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void AboutTest::init() {
    catcher_.opened.clear();
    form_ = std::make_unique<HakkındaFormu>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void AboutTest::cleanup() {
    form_.reset();
    guitest::checkNoTopLevelWidgetLeft();
}

void AboutTest::showsTitleVersionAndMaker() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Program Hakkında"));
    QCOMPARE(label("Etiket0")->text(), QStringLiteral("Mirvane"));
    QCOMPARE(label("Etiket1")->text(), QStringLiteral("Sürüm 1.14"));
    QCOMPARE(label("Etiket2")->text(),
             QStringLiteral(
                 "Faiz oranları 08.12.2026 tarihine kadar denetlendi, programla gelen oranlar."));
    QVERIFY(!label("Etiket2")->geometry().intersects(label("Etiket3")->geometry()));
    QCOMPARE(label("Etiket3")->text(), QStringLiteral("Telvar"));
    const QColor brown(128, 64, 64);
    QCOMPARE(label("Etiket0")->palette().color(QPalette::WindowText), brown);
    QCOMPARE(label("Etiket3")->palette().color(QPalette::WindowText), brown);
    QCOMPARE(link()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(link()->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link()->text(), QStringLiteral("www.telvar.example.org"));
}

void AboutTest::pictureOnTheLeftWhitePanelOnTheRight() {
    QCOMPARE(form_->size(), QSize(442, 282));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QCOMPARE(panel()->geometry(), QRect(181, 0, 261, 282));
    QCOMPARE(panel()->palette().color(QPalette::Window), QColor(Qt::white));

    const QImage shown = form_->grab().toImage();
    QCOMPARE(shown.pixelColor(300, 270), QColor(Qt::white));
    // The artwork is opaque and not white where it begins.
    QVERIFY(shown.pixelColor(5, 5) != QColor(Qt::white));
    QCOMPARE(shown.pixelColor(5, 5).alpha(), 255);

    const auto* icon = form_->findChild<QLabel*>(QStringLiteral("SimgeKutusu"));
    QVERIFY(icon);
    QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    QCOMPARE(icon->parentWidget(), panel());
}

void AboutTest::linkUnderlineFollowsTheMouse() {
    QVERIFY(!underlined());
    moveOver(link(), QPoint(2, 2));
    QVERIFY(underlined());
    moveOver(link(), QPoint(5, 3));
    QVERIFY(underlined());

    // Straight from the link onto the picture: the underline stays.
    moveOver(form_.get(), QPoint(40, 40));
    QVERIFY(underlined());
    // The other captions on the panel leave it too.
    moveOver(label("Etiket1"), QPoint(2, 2));
    QVERIFY(underlined());

    // Crossing the white panel takes it off, until the link is reached again.
    moveOver(panel(), QPoint(200, 260));
    QVERIFY(!underlined());
    moveOver(panel(), QPoint(210, 250));
    QVERIFY(!underlined());
    moveOver(form_.get(), QPoint(40, 40));
    QVERIFY(!underlined());
    moveOver(link(), QPoint(1, 1));
    QVERIFY(underlined());
}

void AboutTest::clickOnTheLinkOpensTheMakersSite() {
    QTest::mouseClick(panel(), Qt::LeftButton, {}, QPoint(200, 260));
    QTest::mouseClick(label("Etiket3"), Qt::LeftButton);
    QCOMPARE(catcher_.opened.size(), 0);

    QTest::mouseClick(link(), Qt::LeftButton);
    QCOMPARE(catcher_.opened.size(), 1);
    QCOMPARE(catcher_.opened[0], QUrl(QStringLiteral("https://www.telvar.example.org/")));
    QTest::mouseClick(link(), Qt::RightButton);
    QCOMPARE(catcher_.opened.size(), 1);
    QVERIFY(form_->isVisible());
}

void AboutTest::escapeAndKapatClose() {
    QTest::keyClick(form_.get(), Qt::Key_Escape);
    QVERIFY(!form_->isVisible());
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    auto* close = form_->findChild<QPushButton*>(QStringLiteral("KapatButonu"));
    QVERIFY(close);
    QCOMPARE(close->text(), QStringLiteral("Kapat"));
    QVERIFY(form_->rect().contains(QRect(close->mapTo(form_.get(), QPoint()), close->size())));
    QTest::keyClick(form_.get(), Qt::Key_Return);
    QVERIFY(!form_->isVisible());
}

void AboutTest::programIconHasTheUsualSizes() {
    const QIcon icon = programIcon();
    QVERIFY(!icon.isNull());
    for (const int side : {16, 32, 48, 64}) {
        QVERIFY(icon.availableSizes().contains(QSize(side, side)));
        const QImage image = icon.pixmap(side, side).toImage();
        QCOMPARE(image.size(), QSize(side, side));
        // Drawn edge to edge: opaque in the middle, see-through at the rounded corner.
        QCOMPARE(image.pixelColor(side / 2, side / 2).alpha(), 255);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    }
    // Every size goes to the X server with each window: the large ones are the icon
    // theme's.
    for (const QSize& size : icon.availableSizes()) {
        QVERIFY(size.width() <= 64 && size.height() <= 64);
    }
}

QTEST_MAIN(AboutTest)

void AboutTest::ratePackageInstalledAndRemoved() {
    // A data folder and a key of the test's own.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", folder.path().toUtf8());
    const auto [publicKey, secretKey] = mirvane::rates::makeKeyPair();
    mirvane::rates::trustKey(publicKey);

    mirvane::rates::RateTexts texts = mirvane::rates::builtInTexts();
    const std::string closing = "bitiş\t08.12.2026";
    texts.centralBank.replace(texts.centralBank.find(closing), closing.size(),
                              "10.01.2027\t41,5\t40\tTCMB, RG 09.01.2027/99999\nbitiş\t15.01.2027");
    texts.checkedOn = "15.01.2027\n";
    const QString packageFile = folder.filePath(QStringLiteral("2027.1.mirvane-oran"));
    std::ofstream(packageFile.toStdString(), std::ios::binary)
        << mirvane::rates::makePackage(texts, "2027.1", secretKey).value();
    std::optional<QString> chosen = packageFile;
    mirvane::ui::setPackageChooser([&](QWidget*) { return chosen; });
    guitest::FakeBoxes boxes;
    mirvane::shell::setMessageBoxes(&boxes);

    form_ = std::make_unique<HakkındaFormu>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    auto* install = form_->findChild<QPushButton*>(QStringLiteral("OranPaketiYükleButonu"));
    auto* remove = form_->findChild<QPushButton*>(QStringLiteral("OranPaketiniKaldırButonu"));
    QVERIFY(install && remove);
    QCOMPARE(install->text(), QStringLiteral("&Oran paketi yükle…"));
    QVERIFY(!remove->isVisible());
    QVERIFY(!install->geometry().intersects(link()->geometry()));
    QVERIFY(label("Etiket2")->toolTip().contains(QStringLiteral("Oran paketi yükle")));

    // Cancelling the dialog changes nothing.
    chosen = std::nullopt;
    QTest::mouseClick(install, Qt::LeftButton);
    QVERIFY(boxes.requests.empty());

    chosen = packageFile;
    QTest::keyClick(form_.get(), Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(boxes.requests.size(), std::size_t{1});
    QVERIFY(boxes.texts().constLast().startsWith(QStringLiteral("Oran paketi 2027.1 kuruldu.")));
    QCOMPARE(
        label("Etiket2")->text(),
        QStringLiteral("Faiz oranları 15.01.2027 tarihine kadar denetlendi, oran paketi 2027.1."));
    QVERIFY(remove->isVisible());
    QCOMPARE(mirvane::rates::readyList(mirvane::rates::AdvanceName)->Periods.back().Rate, 41.5);
    QVERIFY(!remove->geometry().intersects(link()->geometry()));
    QVERIFY(!remove->geometry().intersects(install->geometry()));

    // The same package again is refused with its reason.
    QTest::mouseClick(install, Qt::LeftButton);
    QCOMPARE(boxes.requests.size(), std::size_t{2});
    QVERIFY(boxes.texts().constLast().startsWith(QStringLiteral("Oran paketi kurulmadı:")));
    QVERIFY(boxes.texts().constLast().contains(QStringLiteral("yeni değil")));

    // Removal asks first; No keeps the package, Yes returns to the program's own data.
    boxes.answers = {mirvane::shell::Answer::No};
    QTest::mouseClick(remove, Qt::LeftButton);
    QVERIFY(remove->isVisible());
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(boxes.requests.size(), std::size_t{5});
    QVERIFY(boxes.texts().constLast().startsWith(QStringLiteral("Oran paketi kaldırıldı.")));
    QCOMPARE(label("Etiket2")->text(),
             QStringLiteral(
                 "Faiz oranları 08.12.2026 tarihine kadar denetlendi, programla gelen oranlar."));
    QVERIFY(!remove->isVisible());
    QVERIFY(install->hasFocus());

    mirvane::shell::setMessageBoxes(nullptr);
    mirvane::ui::setPackageChooser({});
    mirvane::rates::trustKey(mirvane::rates::releaseKey());
    oldDataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", oldDataHome);
}

#include "AboutTest.moc"
