#include "ui/claim/DosyaHesabiFormu.h"

#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "core/claim/ClaimTexts.h"
#include "core/ratelist/FaizFile.h"
#include "shell/AnaParaKutusu.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "shell/TableView.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/OfficeTestSupport.h"
#include "tests/gui/PdfTestSupport.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace mirvane;
using guitest::FakeBoxes;

namespace {

const QDate Today(2026, 12, 8);
const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";

// Types `text` key by key; letters outside ASCII go through a plain key event,
// which QTest::keyClicks cannot send.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), {});
        }
    }
}

QString summaryOf(const shell::ListView& summary, const QString& label) {
    for (int row = 0; row < summary.rowCount(); ++row) {
        if (summary.cellText(row, 0) == label) {
            return summary.cellText(row, 1);
        }
    }
    return QStringLiteral("(yok)");
}

QStringList rowsOf(const QAbstractItemView& view) {
    const QAbstractItemModel& model = *view.model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            cells << model.index(row, column).data().toString();
        }
        rows << cells.join(QStringLiteral(" | "));
    }
    return rows;
}

} // namespace

class DosyaHesabiFormuTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void workedExampleTypedByKeyboard();
    void wrongInputHidesTheResult();
    void saveReopenSameFigures();
    void changedFolderListIsOfferedNotApplied();
    void unsavedChangesAreAskedAbout();
    void setOffOrderMovesByKeyboard();
    void newRowIsNoErrorUntilLeft();
    void deletedRowsComeBackWithUndo();
    void columnsShareTheRoomOfTheWindow();
    void columnsSettleOnTheirTexts();
    void fileDialogsRecentFilesAndUntouchedWindow();
    void reportsCarryTheWorkedExample();

private:
    DosyaHesabıFormu* openWindow();
    template <class Widget> Widget* child(const QString& name) const;
    shell::ListView* view(const QString& name) const { return child<shell::ListView>(name); }
    shell::TableView* table(const QString& name) const { return child<shell::TableView>(name); }
    void typeDate(const QString& name, const QString& digits);
    void addItem(int kindSteps, const QString& description, const QString& amount,
                 const QString& date);
    void addPayment(const QString& date, const QString& amount);
    void checkWorkedExampleFigures();
    QString writeExample(const QString& name) const;

    std::unique_ptr<QTemporaryDir> folder_;
    FakeBoxes boxes_;
    QPointer<DosyaHesabıFormu> window_;
    QString chosenFile_;
    QString suggested_;
    int chooserCalls_ = 0;
};

void DosyaHesabiFormuTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    // The program's own names: without them Windows keeps no settings at all.
    QCoreApplication::setOrganizationName(QStringLiteral("Telvar"));
    QCoreApplication::setApplicationName(QStringLiteral("Mirvane"));
    shell::setMessageBoxes(&boxes_);
    shell::setProgramEnder([] {});
    DosyaHesabıFormu::setFileChooser(
        [this](DosyaHesabıFormu::FileDialog, QWidget*, const QString& suggested) {
            ++chooserCalls_;
            suggested_ = suggested;
            return chosenFile_;
        });
}

// The list folder holds the statutory list as it stands today, the copy the worked
// example carries.
void DosyaHesabiFormuTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    shell::SharedValues& values = shell::shared();
    values.ListFolder = shell::toPath(folder_->filePath(QStringLiteral("Faizler")));
    std::filesystem::create_directories(values.ListFolder);
    values.today = [] {
        return Today;
    };
    const claim::ClaimFile example = claim::workedExample();
    QVERIFY(faiz::write(values.ListFolder / (Statutory + ".faiz"), example.lists.at(Statutory)));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder_->filePath(QStringLiteral("settings")));
    // Windows keeps settings in the registry, which no folder of the test's holds.
    QSettings(QStringLiteral("Telvar"), QStringLiteral("Mirvane")).clear();
    boxes_ = {};
    chosenFile_.clear();
    chooserCalls_ = 0;
}

void DosyaHesabiFormuTest::cleanup() {
    for (DosyaHesabıFormu* window : DosyaHesabıFormu::openWindows()) {
        window->setWindowModified(false);
        window->close();
    }
    QTest::qWait(1);
    delete window_;
    folder_.reset();
}

DosyaHesabıFormu* DosyaHesabiFormuTest::openWindow() {
    window_ = DosyaHesabıFormu::openNew(nullptr);
    [this] {
        QVERIFY(QTest::qWaitForWindowExposed(window_.data()));
    }();
    return window_;
}

template <class Widget> Widget* DosyaHesabiFormuTest::child(const QString& name) const {
    Widget* found = window_->findChild<Widget*>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

void DosyaHesabiFormuTest::typeDate(const QString& name, const QString& digits) {
    auto* field = child<shell::DateTimePicker>(name);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, digits);
}

// Insert in the list adds the row and puts the focus on its kind; the fields follow
// in the keyboard order.
void DosyaHesabiFormuTest::addItem(int kindSteps, const QString& description, const QString& amount,
                                   const QString& date) {
    QWidget* items = view(QStringLiteral("KalemlerListesi"));
    items->setFocus();
    QTest::keyClick(items, Qt::Key_Insert);
    auto* kind = child<QComboBox>(QStringLiteral("TürKutusu"));
    QCOMPARE(QApplication::focusWidget(), kind);
    for (int i = 0; i < kindSteps; ++i) {
        QTest::keyClick(kind, Qt::Key_Down);
    }
    auto* text = child<QLineEdit>(QStringLiteral("AçıklamaKutusu"));
    text->setFocus(Qt::TabFocusReason);
    typeText(text, description);
    auto* money = child<AnaParaKutusu>(QStringLiteral("TutarKutusu"));
    money->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(money, amount);
    typeDate(QStringLiteral("TarihKutusu"), date);
}

void DosyaHesabiFormuTest::addPayment(const QString& date, const QString& amount) {
    QWidget* payments = view(QStringLiteral("ÖdemelerListesi"));
    payments->setFocus();
    QTest::keyClick(payments, Qt::Key_Insert);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(QStringLiteral("ÖdemeTarihiKutusu")));
    QTest::keyClicks(QApplication::focusWidget(), date);
    auto* money = child<AnaParaKutusu>(QStringLiteral("ÖdemeTutarıKutusu"));
    money->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(money, amount);
}

void DosyaHesabiFormuTest::checkWorkedExampleFigures() {
    QVERIFY(window_->result().has_value());
    QVERIFY(!child<QLabel>(QStringLiteral("HataEtiketi"))->isVisible());
    QVERIFY(child<QTabWidget>(QStringLiteral("SonuçSekmeleri"))->isVisible());
    const shell::ListView& summary = *view(QStringLiteral("ÖzetListesi"));
    QCOMPARE(summaryOf(summary, QStringLiteral("Kalan anapara")), QStringLiteral("54.056,44"));
    QCOMPARE(summaryOf(summary, QStringLiteral("Ödenmemiş faiz")), QStringLiteral("3.234,50"));
    QCOMPARE(summaryOf(summary, QStringLiteral("Ödenmemiş masraf")), QStringLiteral("0,00"));
    QCOMPARE(summaryOf(summary, QStringLiteral("Bakiye")), QStringLiteral("57.290,94"));
    QCOMPARE(summaryOf(summary, QStringLiteral("İşlemiş faiz (takipten önce)")),
             QStringLiteral("1.479,45"));
    QCOMPARE(summaryOf(summary, QStringLiteral("Fazla ödeme")), QStringLiteral("0,00"));
    // Under the summary what the filing total holds, under the slices how they are read.
    QCOMPARE(summaryOf(summary, QStringLiteral("Takip tutarı")), QStringLiteral("101.479,45"));
    QCOMPARE(child<QLabel>(QStringLiteral("TakipTutarıNotu"))->text(),
             shell::toQString(claim::FilingTotalNote));
    QVERIFY(!child<QLabel>(QStringLiteral("TakipTutarıNotu"))->isHidden());
    QCOMPARE(child<QLabel>(QStringLiteral("DilimNotuEtiketi"))->text(),
             QStringLiteral("Her satırın başlangıç günü faize dahil değildir; faiz ertesi günden "
                            "işler."));
    QVERIFY(child<QLabel>(QStringLiteral("NotEtiketi"))->isHidden());
    const QStringList setOffs = rowsOf(*table(QStringLiteral("MahsupListesi")));
    QCOMPARE(setOffs,
             (QStringList{QStringLiteral("01.07.2024 | 40.000,00 | 1.500,00 | 12.000,00 | 5.761,65 "
                                         "| 20.738,35 | 79.261,65 | 0,00"),
                          QStringLiteral("01.10.2024 | 30.000,00 | 0,00 | 0,00 | 4.794,79 | "
                                         "25.205,21 | 54.056,44 | 0,00")}));
    const QStringList slices = rowsOf(*table(QStringLiteral("DilimlerListesi")));
    QVERIFY(slices.contains(
        QStringLiteral("1 | 01.01.2024 | 01.03.2024 | 60 | 9 | 100.000,00 | 1.479,45")));
    QVERIFY(slices.contains(
        QStringLiteral("1 | 01.10.2024 | 31.12.2024 | 91 | 24 | 54.056,44 | 3.234,50")));
}

QString DosyaHesabiFormuTest::writeExample(const QString& name) const {
    const QString path = folder_->filePath(name);
    [&] {
        QVERIFY(claim::writeFile(shell::toPath(path), claim::workedExample()));
    }();
    return path;
}

void DosyaHesabiFormuTest::workedExampleTypedByKeyboard() {
    openWindow();
    QCOMPARE(window_->windowTitle(), QStringLiteral("Adsız[*] — Dosya Hesabı"));
    auto* title = child<QLineEdit>(QStringLiteral("BaşlıkKutusu"));
    title->setFocus();
    typeText(title, QStringLiteral("İstanbul 5. İcra Dairesi 2024/1234"));
    typeDate(QStringLiteral("HesapTarihiKutusu"), QStringLiteral("31122024"));
    auto* filed = child<QCheckBox>(QStringLiteral("TakipTarihiOnayı"));
    filed->setFocus();
    QTest::keyClick(filed, Qt::Key_Space);
    typeDate(QStringLiteral("TakipTarihiKutusu"), QStringLiteral("01032024"));

    addItem(0, QStringLiteral("Fatura"), QStringLiteral("100000"), QStringLiteral("01012024"));
    QCOMPARE(child<QComboBox>(QStringLiteral("OranKutusu"))->currentText(), guitest::q(Statutory));
    addItem(1, QStringLiteral("Takip giderleri"), QStringLiteral("1500"),
            QStringLiteral("01032024"));
    addItem(2, QStringLiteral("Vekalet ücreti"), QStringLiteral("12000"),
            QStringLiteral("01032024"));
    addPayment(QStringLiteral("01072024"), QStringLiteral("40000"));
    addPayment(QStringLiteral("01102024"), QStringLiteral("30000"));

    checkWorkedExampleFigures();
    QVERIFY(window_->isModified());
    const claim::ClaimFile& file = window_->claimFile();
    QCOMPARE(file.title, std::string("İstanbul 5. İcra Dairesi 2024/1234"));
    QCOMPARE(file.items.at(1).kind, claim::ItemKind::Costs);
    QCOMPARE(file.items.at(2).kind, claim::ItemKind::Fee);
    // The file carries its own copy of the list it uses.
    QCOMPARE(file.lists.at(Statutory), claim::workedExample().lists.at(Statutory));

    // Delete takes the selected payment away; the figures follow at once.
    QWidget* payments = view(QStringLiteral("ÖdemelerListesi"));
    payments->setFocus();
    QTest::keyClick(payments, Qt::Key_Delete);
    QCOMPARE(window_->claimFile().payments.size(), std::size_t(1));
    QVERIFY(summaryOf(*view(QStringLiteral("ÖzetListesi")), QStringLiteral("Bakiye")) !=
            QStringLiteral("57.290,94"));
}

// Nothing of the last good result stays in view while an input is wrong.
void DosyaHesabiFormuTest::wrongInputHidesTheResult() {
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("örnek.mirvane")), nullptr);
    QVERIFY(window_);
    checkWorkedExampleFigures();
    QVERIFY(!window_->isModified());

    auto* money = child<AnaParaKutusu>(QStringLiteral("TutarKutusu"));
    money->setFocus();
    money->selectAll();
    QTest::keyClicks(money, QStringLiteral("1,234"));
    // Said in words, under the item's fields and where the results would stand.
    const QString message = QStringLiteral("1. kalemin tutarı geçerli değil (en çok iki ondalık).");
    QCOMPARE(child<QLabel>(QStringLiteral("HataEtiketi"))->text(), message);
    QCOMPARE(child<QLabel>(QStringLiteral("KalemHataEtiketi"))->text(), message);
    QVERIFY(child<QLabel>(QStringLiteral("KalemHataEtiketi"))->isVisible());
    QVERIFY(!child<QLabel>(QStringLiteral("ÖdemeHataEtiketi"))->isVisible());
    QVERIFY(!window_->result());
    QVERIFY(!child<QTabWidget>(QStringLiteral("SonuçSekmeleri"))->isVisible());
    QCOMPARE(view(QStringLiteral("ÖzetListesi"))->rowCount(), 0);
    QVERIFY(!child<QAction>(QStringLiteral("PdfMenüsü"))->isEnabled());

    // A payment after the calculation date: the core names the field.
    money->selectAll();
    QTest::keyClicks(money, QStringLiteral("100000"));
    QVERIFY(window_->result());
    typeDate(QStringLiteral("HesapTarihiKutusu"), QStringLiteral("30092024"));
    QVERIFY(!window_->result());
    QVERIFY(child<QLabel>(QStringLiteral("HataEtiketi"))
                ->text()
                .startsWith(QStringLiteral("2. ödemenin tarihi hesap tarihinden (30.09.2024) "
                                           "sonra olamaz.")));
    QVERIFY(child<QLabel>(QStringLiteral("ÖdemeHataEtiketi"))->isVisible());
    QCOMPARE(view(QStringLiteral("ÖdemelerListesi"))->topLevelItem(1)->foreground(0).color(),
             QColor(160, 0, 0));
    QVERIFY(!child<QLabel>(QStringLiteral("HataEtiketi"))->text().contains(u'['));
    QVERIFY(!child<QTabWidget>(QStringLiteral("SonuçSekmeleri"))->isVisible());
    typeDate(QStringLiteral("HesapTarihiKutusu"), QStringLiteral("31122024"));
    checkWorkedExampleFigures();
}

void DosyaHesabiFormuTest::saveReopenSameFigures() {
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("ilk.mirvane")), nullptr);
    QVERIFY(window_);
    auto* text = child<QLineEdit>(QStringLiteral("ÖdemeAçıklamaKutusu"));
    text->setFocus();
    typeText(text, QStringLiteral(" (banka)"));
    QVERIFY(window_->isModified());

    chosenFile_ = folder_->filePath(QStringLiteral("ikinci.mirvane"));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.data()));
    QTest::keyClick(window_, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(chooserCalls_, 1);
    QVERIFY(!window_->isModified());
    QCOMPARE(window_->filePath(), chosenFile_);
    QCOMPARE(window_->windowTitle(), QStringLiteral("ikinci.mirvane[*] — Dosya Hesabı"));
    // Ctrl+S saves to the same file without asking.
    text->setFocus();
    typeText(text, QStringLiteral("."));
    QTest::keyClick(window_, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(chooserCalls_, 1);
    QVERIFY(!window_->isModified());

    const claim::ClaimFile saved = window_->claimFile();
    window_->close();
    QTRY_VERIFY(!window_);
    window_ = DosyaHesabıFormu::openFile(chosenFile_, nullptr);
    QVERIFY(window_);
    QCOMPARE(window_->claimFile(), saved);
    QCOMPARE(window_->claimFile().payments.at(0).description, std::string("Kısmi ödeme (banka)."));
    checkWorkedExampleFigures();
    // Opening the same file again brings its window forward.
    QCOMPARE(DosyaHesabıFormu::openFile(chosenFile_, nullptr), window_.data());
    QCOMPARE(DosyaHesabıFormu::openWindows().size(), std::size_t(1));

    // The file is listed among the recent ones.
    const QSettings settings;
    QCOMPARE(settings.value(QStringLiteral("DosyaHesabi/SonDosyalar")).toStringList().value(0),
             chosenFile_);
    // A damaged file is refused with where it breaks, and opens no window.
    QFile damaged(folder_->filePath(QStringLiteral("bozuk.mirvane")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"bicim\": \"mirvane-hesap-dosyasi\",\n \"surum\": ");
    damaged.close();
    QVERIFY(!DosyaHesabıFormu::openFile(damaged.fileName(), nullptr));
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    // An error box, in Turkish alone, naming the line and column once.
    QCOMPARE(boxes_.requests[0].text,
             QStringLiteral("\"bozuk.mirvane\" açılamadı: Hesap dosyası bozuk: satır 2, sütun 11 "
                            "(dosya yarıda bitiyor)."));
    QVERIFY(boxes_.requests[0].icon == shell::Icon::Critical);
    QVERIFY(boxes_.requests[0].buttons == shell::Buttons::Ok);
    QCOMPARE(DosyaHesabıFormu::openWindows().size(), std::size_t(1));
}

// The folder's list has moved on since the file was saved: the window says so and
// offers the update, but computes with the file's copy until told otherwise.
void DosyaHesabiFormuTest::changedFolderListIsOfferedNotApplied() {
    std::vector<RatePeriod> current = claim::workedExample().lists.at(Statutory);
    current.at(current.size() - 2).Rate = 30; // 01.06.2024 - 30.07.2026
    QVERIFY(faiz::write(shell::shared().ListFolder / (Statutory + ".faiz"), current));
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("eski.mirvane")), nullptr);
    QVERIFY(window_);
    QWidget* offer = child<QWidget>(QStringLiteral("GüncelOranlarAlanı"));
    QVERIFY(offer->isVisible());
    QVERIFY(child<QLabel>(QStringLiteral("GüncelOranlarEtiketi"))
                ->text()
                .contains(guitest::q(Statutory)));
    QVERIFY(!window_->isModified());
    QCOMPARE(window_->claimFile().lists.at(Statutory), claim::workedExample().lists.at(Statutory));
    checkWorkedExampleFigures();

    QTest::mouseClick(child<QPushButton>(QStringLiteral("GüncelOranlarButonu")), Qt::LeftButton);
    QCOMPARE(window_->claimFile().lists.at(Statutory), current);
    QVERIFY(window_->isModified());
    QVERIFY(!offer->isVisible());
    QVERIFY(summaryOf(*view(QStringLiteral("ÖzetListesi")), QStringLiteral("Bakiye")) !=
            QStringLiteral("57.290,94"));
}

void DosyaHesabiFormuTest::unsavedChangesAreAskedAbout() {
    const QString path = writeExample(QStringLiteral("soru.mirvane"));
    window_ = DosyaHesabıFormu::openFile(path, nullptr);
    QVERIFY(window_);
    // Unchanged: closes without a question.
    window_->close();
    QTRY_VERIFY(!window_);
    QVERIFY(boxes_.requests.empty());

    window_ = DosyaHesabıFormu::openFile(path, nullptr);
    auto* title = child<QLineEdit>(QStringLiteral("BaşlıkKutusu"));
    title->setFocus();
    QTest::keyClick(title, Qt::Key_X);
    QVERIFY(window_->isModified());
    QCOMPARE(window_->windowTitle(), QStringLiteral("soru.mirvane[*] — Dosya Hesabı"));

    boxes_.answers = {shell::Answer::Cancel};
    QVERIFY(!window_->close());
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(boxes_.requests[0].buttons, shell::Buttons::YesNoCancel);
    QCOMPARE(boxes_.requests[0].text,
             QStringLiteral("\"soru.mirvane\" değişti. Değişiklikler kaydedilsin mi?"));

    // Yes saves before closing; No closes without saving.
    boxes_.answers = {shell::Answer::Yes};
    QVERIFY(window_->close());
    QTRY_VERIFY(!window_);
    const auto saved = claim::readFile(shell::toPath(path));
    QVERIFY(std::get<claim::ClaimFile>(saved).title.ends_with("x"));

    window_ = DosyaHesabıFormu::openFile(path, nullptr);
    title = child<QLineEdit>(QStringLiteral("BaşlıkKutusu"));
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Y);
    boxes_.answers = {shell::Answer::No};
    QVERIFY(window_->close());
    const auto kept = claim::readFile(shell::toPath(path));
    QVERIFY(std::get<claim::ClaimFile>(kept).title.ends_with("x"));
}

// A row just added lacks its amount: that is no error while the user is still in
// its fields, and becomes one, in words beside them, once the user leaves them.
void DosyaHesabiFormuTest::newRowIsNoErrorUntilLeft() {
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("yeni.mirvane")), nullptr);
    QVERIFY(window_);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.data()));
    auto* items = view(QStringLiteral("KalemlerListesi"));
    const int before = items->rowCount();
    items->setFocus();
    QTest::keyClick(items, Qt::Key_Insert);
    QCOMPARE(items->rowCount(), before + 1);
    auto* errorHere = child<QLabel>(QStringLiteral("KalemHataEtiketi"));
    auto* errorThere = child<QLabel>(QStringLiteral("HataEtiketi"));
    QVERIFY(!errorHere->isVisible());
    QVERIFY(!errorThere->isVisible());
    auto* money = child<AnaParaKutusu>(QStringLiteral("TutarKutusu"));
    money->setFocus(Qt::TabFocusReason);
    QVERIFY(!errorHere->isVisible());

    // Leaving the row's fields makes the gap an error.
    child<QLineEdit>(QStringLiteral("BaşlıkKutusu"))->setFocus(Qt::TabFocusReason);
    const QString message =
        QStringLiteral("%1. kalemin tutarı sıfırdan büyük olmalı.").arg(before + 1);
    QTRY_VERIFY(errorHere->isVisible());
    QCOMPARE(errorHere->text(), message);
    QCOMPARE(errorThere->text(), message);
    QCOMPARE(items->topLevelItem(before)->foreground(3).color(), QColor(160, 0, 0));
    QCOMPARE(items->topLevelItem(0)->foreground(3).color(), QBrush().color());

    // Filled in: the message goes, the row is drawn plainly again.
    items->selectRow(before);
    money->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(money, QStringLiteral("250"));
    QVERIFY(!errorHere->isVisible());
    QVERIFY(window_->result());
    QVERIFY(items->topLevelItem(before)->foreground(3).color() != QColor(160, 0, 0));

    // A new payment likewise, until another row is chosen.
    auto* payments = view(QStringLiteral("ÖdemelerListesi"));
    payments->setFocus();
    QTest::keyClick(payments, Qt::Key_Insert);
    QVERIFY(!child<QLabel>(QStringLiteral("ÖdemeHataEtiketi"))->isVisible());
    payments->selectRow(0);
    QVERIFY(child<QLabel>(QStringLiteral("ÖdemeHataEtiketi"))->isVisible());
    QVERIFY(child<QLabel>(QStringLiteral("ÖdemeHataEtiketi"))
                ->text()
                .endsWith(QStringLiteral(". ödemenin tutarı sıfırdan büyük olmalı.")));
}

// Deleting an item or a payment is undone by Ctrl+Z where the focus is after the
// delete, and by the menu item, which says what it brings back.
void DosyaHesabiFormuTest::deletedRowsComeBackWithUndo() {
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("geri.mirvane")), nullptr);
    QVERIFY(window_);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.data()));
    const claim::ClaimFile original = window_->claimFile();
    auto* undo = child<QAction>(QStringLiteral("GeriAlMenüsü"));
    QVERIFY(!undo->isEnabled());

    auto* items = view(QStringLiteral("KalemlerListesi"));
    items->setFocus();
    items->selectRow(0);
    QTest::keyClick(items, Qt::Key_Delete);
    QCOMPARE(window_->claimFile().items.size(), original.items.size() - 1);
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("&Geri Al: 1. kalemin silinmesi"));
    QCOMPARE(QApplication::focusWidget(), items);
    QTest::keyClick(items, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window_->claimFile().items, original.items);
    QCOMPARE(items->selectedRow(), 0);
    QCOMPARE(items->cellText(0, 3), QStringLiteral("100.000,00"));
    checkWorkedExampleFigures();
    QVERIFY(!undo->isEnabled());

    // Two payments deleted come back in the reverse order, each where it stood.
    auto* payments = view(QStringLiteral("ÖdemelerListesi"));
    payments->setFocus();
    for (int i = 0; i < 2 && payments->rowCount() > 0; ++i) {
        payments->selectRow(0);
        QTest::keyClick(payments, Qt::Key_Delete);
    }
    QCOMPARE(undo->text(), QStringLiteral("&Geri Al: 1. ödemenin silinmesi"));
    undo->trigger();
    undo->trigger();
    QCOMPARE(window_->claimFile().payments, original.payments);
    checkWorkedExampleFigures();
    QVERIFY(window_->isModified());
}

// The tables take the room a wide window gives them, and never cut an amount in a
// narrow one.
void DosyaHesabiFormuTest::columnsShareTheRoomOfTheWindow() {
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("genis.mirvane")), nullptr);
    QVERIFY(window_);
    window_->resize(1600, 900);
    auto* items = view(QStringLiteral("KalemlerListesi"));
    const auto contentWidth = [](const QAbstractItemView* view, int column) {
        return view->sizeHintForColumn(column);
    };
    const auto columnsTotal = [](const QTreeView* view) {
        int total = 0;
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            total += view->columnWidth(c);
        }
        return total;
    };
    QTRY_COMPARE(columnsTotal(items), items->viewport()->width());
    // The description takes a share of the room; the amount keeps what it needs.
    QVERIFY(items->columnWidth(2) > contentWidth(items, 2));
    QVERIFY(items->columnWidth(3) >= contentWidth(items, 3));
    auto* slices = table(QStringLiteral("DilimlerListesi"));
    child<QTabWidget>(QStringLiteral("SonuçSekmeleri"))->setCurrentWidget(slices);
    QTRY_COMPARE(columnsTotal(slices), slices->viewport()->width());

    window_->resize(700, 600);
    QTRY_VERIFY(items->columnWidth(3) >= contentWidth(items, 3));
    QTRY_VERIFY(columnsTotal(items) >= items->viewport()->width());
    for (int c = 0; c < slices->model()->columnCount(); ++c) {
        QTRY_VERIFY(slices->columnWidth(c) >= contentWidth(slices, c));
    }
}

// The item and payment lists keep the widths their texts need once shown: no other
// rule takes them back to shares of the width, which had the two chasing each other
// (a scroll bar coming and going) for as long as the window was open.
void DosyaHesabiFormuTest::columnsSettleOnTheirTexts() {
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("sabit.mirvane")), nullptr);
    QVERIFY(window_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    for (const QString& name :
         {QStringLiteral("KalemlerListesi"), QStringLiteral("ÖdemelerListesi")}) {
        auto* list = view(name);
        // The item view's public measure: QTreeView hides its own.
        const auto content = [list](int column) {
            return static_cast<const QAbstractItemView*>(list)->sizeHintForColumn(column);
        };
        const auto widths = [list] {
            QList<int> all;
            for (int c = 0; c < list->model()->columnCount(); ++c) {
                all.append(list->columnWidth(c));
            }
            return all;
        };
        QTRY_VERIFY(list->columnWidth(1) >= content(1));
        const QList<int> settled = widths();
        for (int look = 0; look < 20; ++look) {
            QTest::qWait(15);
            QCOMPARE(widths(), settled);
        }
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            QVERIFY2(list->columnWidth(c) >= content(c),
                     qPrintable(name + QStringLiteral(" sütun ") + QString::number(c)));
        }
    }
}

// The first save opens where the PDF dialog does, with a name that does not double a
// full stop; the recent files show their folder; a file opened from an untouched new
// window takes that window.
void DosyaHesabiFormuTest::fileDialogsRecentFilesAndUntouchedWindow() {
    const QString reports = folder_->filePath(QStringLiteral("raporlar"));
    QSettings(QStringLiteral("Telvar"), QStringLiteral("Mirvane"))
        .setValue(QStringLiteral("Raporlar/PDF Klasoru"), reports);
    openWindow();
    auto* title = child<QLineEdit>(QStringLiteral("BaşlıkKutusu"));
    title->setFocus();
    typeText(title, QStringLiteral("İcra 2024/5."));
    chosenFile_.clear();
    QVERIFY(!window_->save());
    QCOMPARE(suggested_, reports + QStringLiteral("/İcra 2024_5.mirvane"));
    window_->setWindowModified(false);
    window_->close();
    QTRY_VERIFY(!window_);

    const QString first = writeExample(QStringLiteral("ilk.mirvane"));
    QDir(folder_->path()).mkdir(QStringLiteral("başka"));
    const QString second = folder_->filePath(QStringLiteral("başka/ilk.mirvane"));
    QVERIFY(QFile::copy(first, second));
    QVERIFY(DosyaHesabıFormu::openFile(first, nullptr));
    QVERIFY(DosyaHesabıFormu::openFile(second, nullptr));
    for (DosyaHesabıFormu* window : DosyaHesabıFormu::openWindows()) {
        window->close();
    }
    QTRY_COMPARE(DosyaHesabıFormu::openWindows().size(), std::size_t(0));

    openWindow();
    auto* recent = child<QMenu>(QStringLiteral("SonDosyalarMenüsü"));
    emit recent->aboutToShow();
    QCOMPARE(recent->actions().size(), 2);
    QCOMPARE(recent->actions().at(0)->text(),
             QStringLiteral("&1 ilk.mirvane  —  ") +
                 QDir::toNativeSeparators(QFileInfo(second).absolutePath()));
    QCOMPARE(recent->actions().at(1)->text(),
             QStringLiteral("&2 ilk.mirvane  —  ") +
                 QDir::toNativeSeparators(QFileInfo(first).absolutePath()));

    // The untouched "Adsız" window takes the file; no second window opens.
    DosyaHesabıFormu* untouched = window_;
    recent->actions().at(1)->trigger();
    QCOMPARE(DosyaHesabıFormu::openWindows().size(), std::size_t(1));
    QCOMPARE(window_.data(), untouched);
    QCOMPARE(window_->filePath(), QFileInfo(first).absoluteFilePath());
    checkWorkedExampleFigures();
    // A window that holds a file keeps it: the other file opens beside it.
    emit recent->aboutToShow();
    recent->actions().at(1)->trigger();
    QCOMPARE(DosyaHesabıFormu::openWindows().size(), std::size_t(2));
    QCOMPARE(window_->filePath(), QFileInfo(first).absoluteFilePath());
}

void DosyaHesabiFormuTest::setOffOrderMovesByKeyboard() {
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("sira.mirvane")), nullptr);
    QVERIFY(window_);
    auto* order = child<QListWidget>(QStringLiteral("MahsupSırasıListesi"));
    order->setFocus();
    order->setCurrentRow(3); // principal
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(order, Qt::Key_Left, Qt::AltModifier);
    }
    QCOMPARE(window_->claimFile().setOffOrder,
             (std::vector<claim::Bucket>{claim::Bucket::Principal, claim::Bucket::Costs,
                                         claim::Bucket::Fee, claim::Bucket::Interest}));
    // Principal first: payment 1 goes to principal, never to costs.
    const QStringList setOffs = rowsOf(*table(QStringLiteral("MahsupListesi")));
    QVERIFY(setOffs.at(0).startsWith(
        QStringLiteral("01.07.2024 | 40.000,00 | 0,00 | 0,00 | 0,00 | 40.000,00")));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("VarsayılanSıraButonu")), Qt::LeftButton);
    checkWorkedExampleFigures();
}

void DosyaHesabiFormuTest::reportsCarryTheWorkedExample() {
    window_ = DosyaHesabıFormu::openFile(writeExample(QStringLiteral("rapor.mirvane")), nullptr);
    QVERIFY(window_);
    if (guitest::popplerInstalled()) {
        const QString file = folder_->filePath(QStringLiteral("rapor.pdf"));
        QString suggested;
        pdf::setSaveChooser([&](QWidget*, const QString& name) {
            suggested = name;
            return std::optional<pdf::SaveChoice>({file, false});
        });
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.data()));
        QTest::keyClick(window_, Qt::Key_P, Qt::ControlModifier);
        pdf::setSaveChooser(nullptr);
        QCOMPARE(suggested, QStringLiteral("rapor.pdf"));
        QVERIFY(guitest::pdfInfo(file).contains(QStringLiteral("(A4)")));
        // Wrapped lines join with a blank, as the paragraph reads.
        const QString text = guitest::pdfText(file).simplified();
        for (const char* expected : {"Dosya Hesabı",
                                     "Dosya: Örnek: İstanbul 5. İcra Dairesi 2024/1234",
                                     "Rapor tarihi: 08.12.2026",
                                     "Hesap tarihi: 31.12.2024",
                                     "Takip tarihi: 01.03.2024",
                                     "Mahsup sırası: Masraf → Vekalet ücreti → Faiz → Anapara",
                                     "100.000,00",
                                     "1.500,00",
                                     "12.000,00",
                                     "40.000,00",
                                     "30.000,00",
                                     "5.761,65",
                                     "20.738,35",
                                     "79.261,65",
                                     "4.794,79",
                                     "25.205,21",
                                     "54.056,44",
                                     "3.234,50",
                                     "57.290,94",
                                     "1.479,45",
                                     "2.243,84",
                                     "2.038,36",
                                     "3095 sayılı Kanun",
                                     "TBK md. 100",
                                     "8485 sayılı Cumhurbaşkanı Kararı",
                                     "Sayfa 1 / "})
            QVERIFY2(text.contains(guitest::q(expected)), expected);
        for (const QString& font : guitest::pdfFontLines(file)) {
            QVERIFY2(font.contains(QStringLiteral(" yes ")), qPrintable(font));
        }
        QVERIFY(guitest::inkedShare(file, 1) > 0.005);
    }

    QStringList opened;
    word::setWordProcessorCheck([] { return true; });
    word::setDocumentOpener([&opened](const QString& file) {
        opened << file;
        return true;
    });
    child<QAction>(QStringLiteral("WordMenüsü"))->trigger();
    word::setDocumentOpener(nullptr);
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened[0].endsWith(QStringLiteral("DosyaHesabi.dotx")));
    QCOMPARE(window_->statusBar()->currentMessage(),
             QStringLiteral("Belge kelime işlemcide açılıyor…"));

    // Saved as a Word document from the item beside the PDF's, or as the way out
    // when there is no word processor.
    QAction* save = child<QAction>(QStringLiteral("WordBelgesiOlarakKaydetMenüsü"));
    QCOMPARE(save->text(), QStringLiteral("Word &Belgesi Olarak Kaydet…"));
    const QList<QAction*> items = child<QMenu>(QStringLiteral("DosyaMenüsü"))->actions();
    QCOMPARE(items.indexOf(save), items.indexOf(child<QAction>(QStringLiteral("WordMenüsü"))) + 1);
    QStringList saveDialogs;
    const QString document = folder_->filePath(QStringLiteral("rapor.docx"));
    word::setSaveChooser([&](QWidget*, const QString& name) {
        saveDialogs << name;
        return document;
    });
    save->trigger();
    QCOMPARE(saveDialogs, QStringList{QStringLiteral("rapor.docx")});
    QVERIFY(QFileInfo(document).size() > 0);
    QCOMPARE(window_->statusBar()->currentMessage(), word::savedStatus(document));
    QFile::remove(document);
    word::setWordProcessorCheck([] { return false; });
    boxes_.requests.clear();
    boxes_.answers = {shell::Answer::Yes};
    child<QAction>(QStringLiteral("WordMenüsü"))->trigger();
    QCOMPARE(boxes_.texts(), QStringList{word::noWordProcessorQuestion()});
    QCOMPARE(saveDialogs.size(), 2);
    QVERIFY(QFileInfo(document).size() > 0);
    word::setWordProcessorCheck(nullptr);
    word::setSaveChooser(nullptr);
    if (!guitest::libreOfficeInstalled()) {
        QSKIP("LibreOffice (soffice) is not installed");
    }
    QTemporaryDir work;
    const QList<QList<QStringList>> tables =
        guitest::htmlTables(guitest::convertToHtml(opened[0], work));
    QDir(QFileInfo(opened[0]).path()).removeRecursively();
    // Items, payments, summary, slices, set-off and the list's periods.
    QCOMPARE(tables.size(), 6);
    QVERIFY(
        tables[2].contains(QStringList({QStringLiteral("Bakiye"), QStringLiteral("57.290,94")})));
    QCOMPARE(tables[4].first(), (QStringList{QStringLiteral("Tarih"), QStringLiteral("Ödenen"),
                                             QStringLiteral("Masraf"), QStringLiteral("Vekalet"),
                                             QStringLiteral("Faiz"), QStringLiteral("Anapara"),
                                             QStringLiteral("Kalan Anapara")}));
    QCOMPARE(tables[4].at(1),
             (QStringList{QStringLiteral("01.07.2024"), QStringLiteral("40.000,00"),
                          QStringLiteral("1.500,00"), QStringLiteral("12.000,00"),
                          QStringLiteral("5.761,65"), QStringLiteral("20.738,35"),
                          QStringLiteral("79.261,65")}));
}

QTEST_MAIN(DosyaHesabiFormuTest)
#include "DosyaHesabiFormuTest.moc"
