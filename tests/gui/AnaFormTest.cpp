#include "ui/main/AnaForm.h"

#include "core/common/Utf8Path.h"
#include "core/ratelist/FaizFile.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/DefaultLists.h"
#include "core/rates/ReadyLists.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "shell/TableView.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PdfTestSupport.h"
#include "tests/gui/ZipTestSupport.h"
#include "ui/about/RatePackageDialog.h"
#include "ui/claim/DosyaHesabiFormu.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#endif

using namespace mirvane;
using guitest::FakeBoxes;
namespace fs = std::filesystem;

namespace {

// Windows leaves a window where the program puts it; under Wine the X window manager
// decides, and it moves one that reaches off the screen back onto it.
bool placedByXWindowManager() {
    return QLibrary::resolve(QStringLiteral("ntdll"), "wine_get_version") != nullptr;
}

const QDate Today(2024, 3, 15);
const QString FirstList = QStringLiteral("Adi Alacaklar (Kanuni Faiz)");
const QString SecondList = QStringLiteral("Ticari Alacaklar (Reeskont-Avans)");
const QString ThirdList = QStringLiteral("Ticari Alacaklar (Reeskont-İskonto)");
const QString ExampleExport =
    QStringLiteral("Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz Miktarı\r\n"
                   "01.07.2005\t31.12.2005\t12\t183\t60,16\r\n"
                   "31.12.2005\t01.07.2006\t9\t182\t44,88\r\n"
                   "\t\t\tFaiz Toplamı: \t105,04");

Date day(int year, unsigned month, unsigned dayOfMonth) {
    return std::chrono::sys_days{std::chrono::year{year} / std::chrono::month{month} /
                                 std::chrono::day{dayOfMonth}};
}

fs::path listFile(const QString& name) {
    return shell::shared().ListFolder / utf8path::fromUtf8(name.toStdString() + ".faiz");
}

bool closeFromTitleBar(AnaForm& form) {
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QApplication::instance()->notify(&form, &close);
    return close.isAccepted();
}

} // namespace

class AnaFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstRunPreparesListsAndInputs();
    void exampleTypedThroughTheFields();
    void everyCalculationReadsTheListAgain();
    void validationMessagesCorrectAndFocus();
    void principalThatIsNoAmountIsRefused();
    void keyboardReachesTheFields();
    void anyInputChangeClearsTheBreakdown();
    void emptyOrRefusedDateStopsTheCalculation();
    void copyTotalAndWholeList();
    void staleRateNoticeShownAndCleared();
    void currentListPastTheRatesOffersARatePackage();
    void readyListNoteIsPlainAndLongAmountsAreWhole();
    void exportToWordProcessorFromTheMenu();
    void saveAsWordDocumentFromTheMenu();
    void exportButtonNeedsABreakdown();
    void exportToPdfFromTheMenu();
    void claimWindowsOpenBesideAndCloseFirst();
    void rightClickMenuOnlyOverAFilledBreakdown();
    void deleteRefusesTheLastList();
    void deleteAsksThenSelectsTheEntryBefore();
    void listThatCannotBeDeletedStaysInView();
    void modalWindowsRebuildOnlyWhenTheFolderChanged();
    void folderThatCannotBePreparedIsReported();
    void readOnlyFolderComputesOverBuiltInLists();
    void readOnlyFolderWithListsIsReadOnly();
    void errorReportNoEndsThroughTheUnsavedQuestion();
    void secondFileOfANameIsNamedBesideTheCaption();
    void otherActivationsKeepTheBreakdown();
    void escAsksBeforeClosing();
    void titleBarCloseAsksNothingAndSkipsPositionWhenMinimised();
    void year360SurvivesARestart();
    void listRememberedByNameAcrossStarts();
    void enlargedWindowGivesTheRoomToTheTables();
    void settingThatIsNoNumberIsReported();
    void savedPositionOffEveryScreenIsCentred();

private:
    bool handedToNobody(const char* testFunction);
    AnaForm& openForm();
    void reopenForm();
    template <class Widget> Widget* child(const QString& name) const;
    QListWidget* names() const {
        return child<QListWidget>(QStringLiteral("FaizDosyalarıListesi"));
    }
    shell::DateTimePicker* startField() const;
    shell::DateTimePicker* endField() const;
    QLineEdit* principal() const { return child<QLineEdit>(QStringLiteral("AnaParaKutusu")); }
    QLineEdit* total() const { return child<QLineEdit>(QStringLiteral("ToplamFaizKutusu")); }
    shell::TableView* breakdown() const;
    shell::TableView* rates() const;
    QPushButton* pushButton(const QString& name) const { return child<QPushButton>(name); }
    QMenu* menu() const { return child<QMenu>(QStringLiteral("SağMenü")); }

    void typeDate(shell::DateTimePicker* field, const QString& digits);
    void typeInputs(const QString& start, const QString& end, const QString& amount);
    void calculate() {
        QTest::mouseClick(pushButton(QStringLiteral("FaiziHesaplaButonu")), Qt::LeftButton);
    }
    void calculateExample();
    // `savedList` stands for the name a dialog hands back for the list it saved.
    void openModalWhile(const std::function<void()>& change, const std::string& savedList = {});
    void rightClick(QWidget* widget, const QPoint& position);
    QStringList breakdownLines() const;
    QVariant stored(const QString& key) const;
    QStringList storedKeys() const;
    void storeSettings(const QList<std::pair<QString, QString>>& values) const;
    QPoint centred() const;

    FakeBoxes boxes_;
    int endings_ = 0;
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<AnaForm> form_;
};

void AnaFormTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    shell::setMessageBoxes(&boxes_);
    shell::setProgramEnder([this] { ++endings_; });
}

void AnaFormTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    const fs::path root = shell::toPath(folder_->path());
    shell::SharedValues& values = shell::shared();
    values.ProgramFolder = root / "program";
    values.ListFolder = values.ProgramFolder / "Veriler" / "Faizler";
    values.MainWindowTitle = QStringLiteral("Telvar - Mirvane 1.14");
    values.today = [] {
        return Today;
    };
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder_->filePath(QStringLiteral("settings")));
#ifdef Q_OS_WIN
    // Windows keeps them in the registry, which no folder of the test's holds.
    QSettings(QStringLiteral("Telvar"), QStringLiteral("Mirvane")).clear();
#endif
    boxes_.requests.clear();
    boxes_.answers.clear();
    endings_ = 0;
}

void AnaFormTest::cleanup() {
    form_.reset();
    folder_.reset();
}

AnaForm& AnaFormTest::openForm() {
    form_ = std::make_unique<AnaForm>();
    form_->show();
    [this] {
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }();
    return *form_;
}

void AnaFormTest::reopenForm() {
    form_.reset();
    openForm();
}

template <class Widget> Widget* AnaFormTest::child(const QString& name) const {
    Widget* found = form_->findChild<Widget*>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

shell::DateTimePicker* AnaFormTest::startField() const {
    return child<shell::DateTimePicker>(QStringLiteral("BaşlangıçTarihiKutusu"));
}

shell::DateTimePicker* AnaFormTest::endField() const {
    return child<shell::DateTimePicker>(QStringLiteral("BitişTarihiKutusu"));
}

shell::TableView* AnaFormTest::breakdown() const {
    return child<shell::TableView>(QStringLiteral("FaizDökümüListesi"));
}

shell::TableView* AnaFormTest::rates() const {
    return child<shell::TableView>(QStringLiteral("FaizOranlarıListesi"));
}

// Entering a date field with Tab selects its day; the digits then fill day, month
// and year in turn.
void AnaFormTest::typeDate(shell::DateTimePicker* field, const QString& digits) {
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, digits);
}

void AnaFormTest::typeInputs(const QString& start, const QString& end, const QString& amount) {
    typeDate(startField(), start);
    typeDate(endField(), end);
    principal()->setFocus(Qt::TabFocusReason);
    principal()->selectAll();
    QTest::keyClick(principal(), Qt::Key_Backspace);
    QTest::keyClicks(principal(), amount);
}

void AnaFormTest::calculateExample() {
    typeInputs(QStringLiteral("01072005"), QStringLiteral("01072006"), QStringLiteral("1000"));
    calculate();
}

// Through the window system, which turns the right button into a context-menu request.
void AnaFormTest::rightClick(QWidget* widget, const QPoint& position) {
    QTest::mouseClick(form_->windowHandle(), Qt::RightButton, {},
                      widget->mapTo(form_.get(), position));
}

QStringList AnaFormTest::breakdownLines() const {
    QStringList lines;
    for (int row = 0; row < breakdown()->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 7; ++column) {
            cells << breakdown()->cellText(row, column);
        }
        lines << cells.join(QStringLiteral(" | "));
    }
    return lines;
}

QVariant AnaFormTest::stored(const QString& key) const {
    const QSettings settings(QStringLiteral("Telvar"), QStringLiteral("Mirvane"));
    return settings.value(QStringLiteral("Ayarlar/") + key);
}

QStringList AnaFormTest::storedKeys() const {
    const QSettings settings(QStringLiteral("Telvar"), QStringLiteral("Mirvane"));
    return settings.allKeys();
}

void AnaFormTest::storeSettings(const QList<std::pair<QString, QString>>& values) const {
    QSettings settings(QStringLiteral("Telvar"), QStringLiteral("Mirvane"));
    for (const auto& [key, value] : values) {
        settings.setValue(QStringLiteral("Ayarlar/") + key, value);
    }
}

QPoint AnaFormTest::centred() const {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {(screen.width() - form_->width()) / 2, (screen.height() - form_->height()) / 2};
}

void AnaFormTest::firstRunPreparesListsAndInputs() {
    AnaForm& form = openForm();
    QCOMPARE(fs::file_size(listFile(FirstList)), std::uintmax_t(1916));
    QCOMPARE(fs::file_size(listFile(SecondList)), std::uintmax_t(6524));
    QCOMPARE(fs::file_size(listFile(ThirdList)), std::uintmax_t(6524));
    QCOMPARE(names()->count(), 3);
    QCOMPARE(names()->item(0)->text(), FirstList);
    QCOMPARE(names()->item(2)->text(), ThirdList);
    QCOMPARE(names()->currentRow(), 0);

    QCOMPARE(child<QLabel>(QStringLiteral("Etiket6"))->text(),
             FirstList + QStringLiteral(" — son dönem bitişi: 31.12.2026"));
    QCOMPARE(rates()->rowCount(), 15);
    const QStringList firstPeriod{QStringLiteral("1"), QStringLiteral("01.10.1972"),
                                  QStringLiteral("19.12.1984"), QStringLiteral("5"),
                                  QStringLiteral("1303 tarihli Murabaha Nizamnamesi")};
    for (int column = 0; column < 5; ++column) {
        QCOMPARE(rates()->cellText(0, column), firstPeriod[column]);
    }
    QCOMPARE(rates()->cellText(11, 2), QStringLiteral("30.12.2020"));
    QCOMPARE(rates()->cellText(11, 4), QString());

    QCOMPARE(startField()->value(), Today.addDays(-1));
    QCOMPARE(endField()->value(), Today);
    QVERIFY(!child<QCheckBox>(QStringLiteral("YılGünSayısıOnayı"))->isChecked());
    QCOMPARE(form.dayCountDivisor(), 36500);
    QCOMPARE(form.pos(), centred());
    QCOMPARE(form.windowTitle(), QStringLiteral("Telvar - Mirvane 1.14"));
    QCOMPARE(form.size(), QSize(647, 479));
    QCOMPARE(QApplication::focusWidget(), startField());
    QVERIFY(boxes_.requests.empty());
}

void AnaFormTest::exampleTypedThroughTheFields() {
    AnaForm& form = openForm();
    calculateExample();
    QCOMPARE(startField()->value(), QDate(2005, 7, 1));
    QCOMPARE(principal()->text(), QStringLiteral("1.000,00"));
    QCOMPARE(
        breakdownLines(),
        QStringList({QStringLiteral("9 | 01.07.2005 | 31.12.2005 | 12 | 183 | 60,16 | 60,16"),
                     QStringLiteral("10 | 31.12.2005 | 01.07.2006 | 9 | 182 | 44,88 | 105,04")}));
    QCOMPARE(total()->text(), QStringLiteral("105,04"));
    // The total stands in bold, in the window's face and size.
    QVERIFY(total()->font().bold());
    QCOMPARE(total()->font().family(), form.font().family());
    QCOMPARE(total()->font().pointSizeF(), form.font().pointSizeF());
    QVERIFY(boxes_.requests.empty());

    QTest::mouseClick(child<QCheckBox>(QStringLiteral("YılGünSayısıOnayı")), Qt::LeftButton);
    QCOMPARE(form.dayCountDivisor(), 36000);
    calculate();
    QCOMPARE(breakdown()->cellText(0, 5), QStringLiteral("61,00"));
    QCOMPARE(breakdown()->cellText(1, 5), QStringLiteral("45,50"));
    QCOMPARE(total()->text(), QStringLiteral("106,50"));

    // Choosing another list empties the breakdown and the total at once.
    names()->setCurrentRow(1);
    QCOMPARE(breakdown()->rowCount(), 0);
    QCOMPARE(total()->text(), QString());
    QCOMPARE(child<QLabel>(QStringLiteral("Etiket6"))->text(),
             SecondList + QStringLiteral(" — son dönem bitişi: 08.12.2026"));
    QCOMPARE(rates()->rowCount(), 51);
    QCOMPARE(rates()->cellText(26, 3), QStringLiteral("17,75"));
}

void AnaFormTest::everyCalculationReadsTheListAgain() {
    openForm();
    calculateExample();
    const std::vector<RatePeriod> periods{
        {day(2000, 1, 1), day(2005, 12, 31), 10.0, "birinci"},
        {day(2006, 1, 1), day(2030, 12, 31), 20.0, ""},
    };
    QVERIFY(faiz::write(listFile(FirstList), periods).ok());
    calculate();
    QCOMPARE(rates()->rowCount(), 2);
    QCOMPARE(rates()->cellText(0, 4), QStringLiteral("birinci"));
    QCOMPARE(
        breakdownLines(),
        QStringList({QStringLiteral("1 | 01.07.2005 | 31.12.2005 | 10 | 183 | 50,14 | 50,14"),
                     QStringLiteral("2 | 31.12.2005 | 01.07.2006 | 20 | 182 | 99,73 | 149,87")}));

    // Periods that do not follow one another are reported instead of giving negative
    // or doubled days; no total is shown.
    const std::vector<RatePeriod> gap{
        {day(2000, 1, 1), day(2005, 12, 31), 10.0, ""},
        {day(2006, 3, 1), day(2030, 12, 31), 20.0, ""},
    };
    QVERIFY(faiz::write(listFile(FirstList), gap).ok());
    boxes_.answers = {shell::Answer::Yes};
    calculate();
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(boxes_.requests[0].caption, QStringLiteral("Hata oluştu!"));
    QVERIFY(boxes_.requests[0].text.contains(QStringLiteral("2. dönem")));
    QCOMPARE(breakdown()->rowCount(), 0);
    QCOMPARE(total()->text(), QString());
    boxes_.requests.clear();

    // Put right on disk, the list is read again and computed.
    QVERIFY(faiz::write(listFile(FirstList), periods).ok());
    calculate();
    QVERIFY(boxes_.requests.empty());
    QCOMPARE(total()->text(), QStringLiteral("149,87"));

    // A file that cannot be read is reported; going on leaves nothing to compute.
    fs::resize_file(listFile(FirstList), 100);
    boxes_.answers = {shell::Answer::Yes};
    calculate();
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(boxes_.requests[0].caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(breakdown()->rowCount(), 0);
    QCOMPARE(total()->text(), QString());
}

// A principal with two commas is refused by the check for an amount above zero,
// never read as 1,25.
void AnaFormTest::principalThatIsNoAmountIsRefused() {
    openForm();
    typeInputs(QStringLiteral("01072005"), QStringLiteral("01072006"), QStringLiteral("1,250,000"));
    calculate();
    QCOMPARE(principal()->text(), QStringLiteral("1,250,000"));
    QCOMPARE(boxes_.texts(),
             QStringList{QStringLiteral("\"Anapara\" miktarı SIFIR'dan büyük olmalı!")});
    QCOMPARE(QApplication::focusWidget(), principal());
    QCOMPARE(breakdown()->rowCount(), 0);
}

void AnaFormTest::validationMessagesCorrectAndFocus() {
    openForm();
    calculateExample();

    startField()->setValue(QDate(1970, 1, 1));
    calculate();
    startField()->setValue(QDate(2006, 7, 1));
    calculate();
    principal()->clear();
    calculate();
    QCOMPARE(QApplication::focusWidget(), principal());
    QTest::keyClicks(principal(), QStringLiteral("0"));
    calculate();

    QCOMPARE(boxes_.texts(),
             QStringList({QStringLiteral("\"Başlangıç Tarihi\", ilk dönemin \"Başlangıç "
                                         "Tarihi\"nden küçük olamaz!"),
                          QStringLiteral("\"Başlangıç Tarihi\" ile \"Bitiş Tarihi\" arasında en "
                                         "az (1) gün bulunmalı!"),
                          QStringLiteral("\"Anapara\" miktarını girmeniz gerekiyor!"),
                          QStringLiteral("\"Anapara\" miktarı SIFIR'dan büyük olmalı!")}));
    for (const shell::MessageRequest& request : boxes_.requests) {
        QCOMPARE(request.caption, QStringLiteral("Mirvane"));
        QVERIFY(request.icon == shell::Icon::Information);
        QVERIFY(request.buttons == shell::Buttons::Ok);
    }
    QCOMPARE(QApplication::focusWidget(), principal());
    QCOMPARE(breakdown()->rowCount(), 0);
    QCOMPARE(total()->text(), QString());
}

// Each input changed after a calculation, by the keyboard or the mouse, takes the
// breakdown, the total and the notice off the window, so the copies find nothing
// old; leaving the principal field (which only formats it) keeps them.
void AnaFormTest::anyInputChangeClearsTheBreakdown() {
    openForm();
    QLabel* notice = child<QLabel>(QStringLiteral("SonDönemUyarısıEtiketi"));
    const auto calculateWithNotice = [&] {
        typeInputs(QStringLiteral("01072026"), QStringLiteral("01072027"), QStringLiteral("1000"));
        calculate();
        QVERIFY(breakdown()->rowCount() > 0);
        QVERIFY(!notice->isHidden());
    };
    const std::vector<std::pair<const char*, std::function<void()>>> changes{
        {"principal typed",
         [&] {
             principal()->selectAll();
             QTest::keyClicks(principal(), QStringLiteral("2000"));
         }},
        {"principal erased",
         [&] {
             principal()->selectAll();
             QTest::keyClick(principal(), Qt::Key_Backspace);
         }},
        {"start date typed",
         [&] {
             typeDate(startField(), QStringLiteral("0"));
             QCOMPARE(breakdown()->rowCount(), 0);
             principal()->setFocus();
         }},
        {"end date from the calendar",
         [&] {
             endField()->setValue(QDate(2021, 6, 30));
         }},
        {"360-day box",
         [&] {
             QTest::mouseClick(child<QCheckBox>(QStringLiteral("YılGünSayısıOnayı")),
                               Qt::LeftButton);
         }},
        {"another list",
         [&] {
             names()->setCurrentRow(1);
         }},
    };
    for (const auto& [what, change] : changes) {
        calculateWithNotice();
        change();
        QVERIFY2(breakdown()->rowCount() == 0, what);
        QVERIFY2(total()->text().isEmpty(), what);
        QVERIFY2(notice->isHidden(), what);
        QGuiApplication::clipboard()->setText(QStringLiteral("önceki"));
        QTest::keyClick(breakdown(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY2(QGuiApplication::clipboard()->text().isEmpty(), what);
        names()->setCurrentRow(0);
    }

    typeInputs(QStringLiteral("01072026"), QStringLiteral("01072027"), QStringLiteral("1000"));
    QTest::keyClick(&*form_, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(breakdown()->rowCount() > 0);
    QCOMPARE(principal()->text(), QStringLiteral("1000"));
    startField()->setFocus();
    QCOMPARE(principal()->text(), QStringLiteral("1.000,00"));
    QVERIFY(breakdown()->rowCount() > 0);
}

// An emptied date or one that names no real day stops the calculation with a
// notice naming the field, instead of a value the field no longer shows.
void AnaFormTest::emptyOrRefusedDateStopsTheCalculation() {
    openForm();
    typeInputs(QStringLiteral("01072005"), QStringLiteral("01072006"), QStringLiteral("1000"));
    startField()->setFocus();
    QTest::keyClick(startField(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(startField(), Qt::Key_Delete);
    QTest::keyClick(&*form_, Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(boxes_.texts(),
                 QStringList{QStringLiteral("\"Başlangıç Tarihi\" boş bırakılamaz!")});
    QCOMPARE(QApplication::focusWidget(), startField());
    QCOMPARE(breakdown()->rowCount(), 0);

    boxes_.requests.clear();
    typeDate(startField(), QStringLiteral("01072005"));
    typeDate(endField(), QStringLiteral("31022006"));
    principal()->setFocus();
    QCOMPARE(endField()->value(), QDate(2006, 7, 1));
    QCOMPARE(endField()->refusedEntry(), QStringLiteral("31.02.2006"));
    QCOMPARE(endField()->toolTip(), QStringLiteral("Geçersiz tarih: 31.02.2006"));
    calculate();
    QCOMPARE(boxes_.texts(),
             QStringList{QStringLiteral("\"Bitiş Tarihi\" geçerli bir tarih değil: 31.02.2006")});
    QCOMPARE(QApplication::focusWidget(), endField());
    QCOMPARE(breakdown()->rowCount(), 0);

    // A two-digit year is refused the same way; the next valid date ends the refusal.
    typeDate(endField(), QStringLiteral("010706"));
    principal()->setFocus();
    QCOMPARE(endField()->refusedEntry(), QStringLiteral("01.07.06"));
    typeDate(endField(), QStringLiteral("01072006"));
    QVERIFY(endField()->refusedEntry().isEmpty());
    QVERIFY(endField()->toolTip().isEmpty());
    calculate();
    QCOMPARE(total()->text(), QStringLiteral("105,04"));
}

// Corrections and focus of the two date checks, each seen right after its message.
void AnaFormTest::keyboardReachesTheFields() {
    AnaForm& form = openForm();
    startField()->setValue(QDate(1970, 1, 1));
    principal()->setFocus();
    QTest::keyClicks(principal(), QStringLiteral("1000"));
    QTest::keyClick(principal(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), pushButton(QStringLiteral("FaiziHesaplaButonu")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(startField()->value(), QDate(1972, 10, 1));
    QCOMPARE(QApplication::focusWidget(), startField());

    endField()->setValue(QDate(1972, 10, 1));
    // A button's access key presses it the way a click does, a moment later.
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(boxes_.requests.size(), std::size_t(2));
    QCOMPARE(endField()->value(), QDate(1972, 10, 2));
    QCOMPARE(QApplication::focusWidget(), endField());

    // Access keys on labels move to their fields; the label is highlighted meanwhile.
    QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), principal());
    const QColor highlight =
        child<QLabel>(QStringLiteral("Etiket3"))->palette().color(QPalette::WindowText);
    QCOMPARE(highlight, shell::shared().LabelHighlightColour);
    QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), names());
    QVERIFY(child<QLabel>(QStringLiteral("Etiket3"))->palette().color(QPalette::WindowText) !=
            highlight);
    QTest::keyClick(names(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), startField());
    QTest::keyClick(&form, Qt::Key_I, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), breakdown());
    QTest::keyClick(&form, Qt::Key_3, Qt::AltModifier);
    QTRY_COMPARE(form.dayCountDivisor(), 36000);

    // The keyboard order of the enabled controls.
    QStringList order;
    QWidget* widget = names();
    do {
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
            !widget->objectName().isEmpty() && widget->objectName().front() != u'q') {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != names());
    QCOMPARE(
        order,
        QStringList({QStringLiteral("FaizDosyalarıListesi"),
                     QStringLiteral("BaşlangıçTarihiKutusu"), QStringLiteral("BitişTarihiKutusu"),
                     QStringLiteral("YılGünSayısıOnayı"), QStringLiteral("AnaParaKutusu"),
                     QStringLiteral("FaiziHesaplaButonu"), QStringLiteral("FaizDökümüListesi"),
                     QStringLiteral("ListeyiAktarDüğmesi"), QStringLiteral("DosyaHesabıButonu"),
                     QStringLiteral("ToplamFaizKutusu"), QStringLiteral("FaizOranlarıListesi"),
                     QStringLiteral("YeniListeEkleButonu"), QStringLiteral("ListeSilButonu"),
                     QStringLiteral("ListeyiGüncelleButonu"), QStringLiteral("SüreHesaplaButonu"),
                     QStringLiteral("HakkındaButonu"), QStringLiteral("ÇıkışButonu")}));
}

void AnaFormTest::copyTotalAndWholeList() {
    AnaForm& form = openForm();
    calculateExample();
    QClipboard* clipboard = QGuiApplication::clipboard();

    child<QAction>(QStringLiteral("SadeceToplamıKopyalaMenüsü"))->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("105,04"));
    child<QAction>(QStringLiteral("TümListeyiKopyalaMenüsü"))->trigger();
    QCOMPARE(clipboard->text(), ExampleExport);
    QCOMPARE(form.exportText(), ExampleExport);

    // The shortcuts act while the menu is closed.
    clipboard->setText(QStringLiteral("önce"));
    breakdown()->setFocus();
    QTest::keyClick(breakdown(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("105,04"));
    QTest::keyClick(breakdown(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), ExampleExport);
    // In a field Ctrl+C copies that field, never the total: with nothing selected
    // (a date field's own highlighted part counts as nothing) its whole value. Ctrl+L
    // still copies the whole list from there.
    const std::array<std::pair<QWidget*, QString>, 4> fields{
        {{startField(), QStringLiteral("01.07.2005")},
         {endField(), QStringLiteral("01.07.2006")},
         {principal(), QStringLiteral("1.000,00")},
         {total(), QStringLiteral("105,04")}}};
    for (const auto& [field, value] : fields) {
        clipboard->setText(QStringLiteral("önce"));
        field->setFocus(Qt::TabFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(field)) {
            line->deselect();
        }
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), value);
        QTest::keyClick(field, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), ExampleExport);
    }
    // The day highlighted, as after stepping it with an arrow: still the whole date.
    endField()->setFocus();
    endField()->setSelectedSection(QDateTimeEdit::DaySection);
    QVERIFY(endField()->findChild<QLineEdit*>()->hasSelectedText());
    QTest::keyClick(endField(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("01.07.2006"));
    QCOMPARE(principal()->text(), QStringLiteral("1.000,00"));

    // Ctrl+A selects the whole principal.
    principal()->setFocus();
    principal()->setCursorPosition(2);
    QTest::keyClick(principal(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(principal()->selectedText(), QStringLiteral("1.000,00"));
    QCOMPARE(principal()->text(), QStringLiteral("1.000,00"));

    // Text the user selected is what Ctrl+C copies, as in any program.
    principal()->setFocus();
    principal()->setSelection(0, 5);
    QTest::keyClick(principal(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("1.000"));
    startField()->setFocus();
    startField()->selectAll();
    QTest::keyClick(startField(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("01.07.2005"));
    startField()->findChild<QLineEdit*>()->setSelection(3, 7);
    QTest::keyClick(startField(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("07.2005"));
    breakdown()->setFocus();

    // The Listeyi Aktar menu: every item has an access letter of its own.
    QSet<QChar> letters;
    for (const QAction* action : menu()->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        const qsizetype amp = action->text().indexOf(u'&');
        QVERIFY2(amp >= 0 && amp + 1 < action->text().size(), qPrintable(action->text()));
        const QChar letter = action->text().at(amp + 1).toLower();
        QVERIFY2(!letters.contains(letter), qPrintable(action->text()));
        letters.insert(letter);
    }
    QCOMPARE(breakdown()->rowCount(), 2);

    // One row: header, the row, the total line.
    typeInputs(QStringLiteral("01012008"), QStringLiteral("01012009"), QStringLiteral("1000"));
    calculate();
    child<QAction>(QStringLiteral("TümListeyiKopyalaMenüsü"))->trigger();
    QCOMPARE(clipboard->text(),
             QStringLiteral("Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz "
                            "Miktarı\r\n01.01.2008\t01.01.2009\t9\t366\t90,25\r\n\t\t\tFaiz "
                            "Toplamı: \t90,25"));

    // With nothing computed: the header alone, and an empty total.
    names()->setCurrentRow(1);
    child<QAction>(QStringLiteral("TümListeyiKopyalaMenüsü"))->trigger();
    QCOMPARE(
        clipboard->text(),
        QStringLiteral("Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz Miktarı"));
    child<QAction>(QStringLiteral("SadeceToplamıKopyalaMenüsü"))->trigger();
    QCOMPARE(clipboard->text(), QString());
}

// A claim past the list's end gets the last rate and a notice in the free band; the
// breakdown, its total and what is copied stay as they would be without it.
void AnaFormTest::staleRateNoticeShownAndCleared() {
    openForm();
    // The statutory list as earlier versions wrote it, ending 30.12.2020.
    QVERIFY(faiz::write(listFile(FirstList), rates::earlierDefaults()[0].Periods).ok());
    QLabel* notice = child<QLabel>(QStringLiteral("SonDönemUyarısıEtiketi"));
    const QRect noticeArea = notice->geometry();
    QVERIFY(!notice->isVisible());

    typeInputs(QStringLiteral("01072020"), QStringLiteral("01072021"), QStringLiteral("1000"));
    calculate();
    QVERIFY(notice->isVisible());
    const QString noticeText =
        QStringLiteral("Uyarı: Seçili liste 30.12.2020 tarihinde bitiyor; sonrası için son "
                       "dönemin oranı (%9) uygulandı. Oranlar değiştiyse listeyi "
                       "güncelleyin.");
    // The list is an earlier state of a ready list: the advice is a link to bring it
    // current.
    QCOMPARE(QTextDocumentFragment::fromHtml(notice->text()).toPlainText(), noticeText);
    QVERIFY(
        notice->text().contains(QStringLiteral("<a href=\"guncelle\">listeyi güncelleyin</a>")));
    QCOMPARE(notice->geometry(), noticeArea);
    for (QWidget* neighbour :
         {static_cast<QWidget*>(breakdown()), static_cast<QWidget*>(rates()),
          static_cast<QWidget*>(pushButton(QStringLiteral("SüreHesaplaButonu"))),
          static_cast<QWidget*>(pushButton(QStringLiteral("HakkındaButonu")))}) {
        QVERIFY(!notice->geometry().intersects(neighbour->geometry()));
    }
    QCOMPARE(breakdownLines(),
             QStringList{QStringLiteral("12 | 01.07.2020 | 01.07.2021 | 9 | 365 | 90,00 | 90,00")});
    child<QAction>(QStringLiteral("TümListeyiKopyalaMenüsü"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz "
                            "Miktarı\r\n01.07.2020\t01.07.2021\t9\t365\t90,00\r\n\t\t\tFaiz "
                            "Toplamı: \t90,00"));

    // A calculation within the list has no notice; choosing a list clears it.
    typeInputs(QStringLiteral("01072005"), QStringLiteral("01072006"), QStringLiteral("1000"));
    calculate();
    QVERIFY(!notice->isVisible());
    typeInputs(QStringLiteral("01072020"), QStringLiteral("01072021"), QStringLiteral("1000"));
    calculate();
    QVERIFY(notice->isVisible());
    names()->setCurrentRow(1);
    QVERIFY(!notice->isVisible());
    QVERIFY(notice->text().isEmpty());

    // A list the program does not recognise gets the notice as plain text.
    names()->setCurrentRow(0);
    std::vector<RatePeriod> own = rates::earlierDefaults()[0].Periods;
    own[4].Rate = 56;
    QVERIFY(faiz::write(listFile(FirstList), own).ok());
    typeInputs(QStringLiteral("01072020"), QStringLiteral("01072021"), QStringLiteral("1000"));
    calculate();
    QVERIFY(notice->isVisible());
    QCOMPARE(notice->text(), noticeText);
    QCOMPARE(notice->textFormat(), Qt::PlainText);
    // With nothing to follow, Tab passes it by.
    QCOMPARE(notice->focusPolicy(), Qt::NoFocus);
}

// A list as current as the program's rates, run past their end: newer rates can only
// come in a rate package, which the notice offers.
void AnaFormTest::currentListPastTheRatesOffersARatePackage() {
    openForm();
    QLabel* notice = child<QLabel>(QStringLiteral("SonDönemUyarısıEtiketi"));
    typeInputs(QStringLiteral("01072026"), QStringLiteral("01072027"), QStringLiteral("1000"));
    calculate();
    QVERIFY(notice->isVisible());
    QVERIFY(
        notice->text().contains(QStringLiteral("<a href=\"oran-paketi\">Oran paketi yükle…</a>")));
    QVERIFY(!notice->text().contains(QStringLiteral("href=\"guncelle\"")));
    QVERIFY(notice->toolTip().contains(QStringLiteral(".mirvane-oran")));
    QVERIFY(notice->focusPolicy() != Qt::NoFocus);

    // The link opens the choice of a package; a cancelled choice changes nothing.
    int asked = 0;
    ui::setPackageChooser([&](QWidget*) -> std::optional<QString> {
        ++asked;
        return std::nullopt;
    });
    emit notice->linkActivated(QStringLiteral("oran-paketi"));
    QCOMPARE(asked, 1);
    QVERIFY(notice->isVisible());
    ui::setPackageChooser({});
}

// A ready list ending on the day its rates were checked gets a note in plain colour in
// the notice's place; the line on how rows are read stands while a breakdown does;
// amounts of fifteen digits are shown whole, exact to the kuruş.
void AnaFormTest::readyListNoteIsPlainAndLongAmountsAreWhole() {
    openForm();
    QLabel* notice = child<QLabel>(QStringLiteral("SonDönemUyarısıEtiketi"));
    QLabel* rowsNote = child<QLabel>(QStringLiteral("SatırNotuEtiketi"));
    QVERIFY(!rowsNote->isVisible());
    names()->setCurrentRow(1);
    QCOMPARE(names()->currentItem()->text(), SecondList);
    typeInputs(QStringLiteral("01122026"), QStringLiteral("01012027"), QStringLiteral("1000"));
    calculate();
    QVERIFY(notice->isVisible());
    // A ready list as current as the program's rates also offers a rate package.
    QVERIFY(
        notice->text().startsWith(QStringLiteral("Oranlar 08.12.2026 tarihine kadar denetlendi; "
                                                 "sonrası için son oran (%39,75) uygulandı.")));
    QCOMPARE(notice->palette().color(QPalette::WindowText),
             form_->palette().color(QPalette::WindowText));
    QVERIFY(rowsNote->isVisible());
    QCOMPARE(rowsNote->text(), QStringLiteral("Her satırın başlangıç günü faize dahil değildir; "
                                              "faiz ertesi günden işler."));
    QVERIFY(!rowsNote->geometry().intersects(breakdown()->geometry()));

    // A list that ends before the check day is still a warning, in red.
    QVERIFY(faiz::write(listFile(FirstList), rates::earlierDefaults()[0].Periods).ok());
    names()->setCurrentRow(0);
    QVERIFY(!rowsNote->isVisible());
    typeInputs(QStringLiteral("01072020"), QStringLiteral("01072021"), QStringLiteral("1000"));
    calculate();
    QVERIFY(notice->isVisible());
    QCOMPARE(notice->palette().color(QPalette::WindowText), QColor(160, 0, 0));

    // 80.359.567.862.676 TL at 24 % for 790 days: 41.742.942.648.666,77, not ,80.
    QVERIFY(faiz::write(listFile(FirstList), rates::readyLists()[0].Periods).ok());
    typeInputs(QStringLiteral("01012024"), QStringLiteral("01102026"),
               QStringLiteral("999999999999999"));
    calculate();
    QCOMPARE(breakdown()->rowCount(), 3);
    const QFontMetrics metrics = breakdown()->viewport()->fontMetrics();
    for (int row = 0; row < breakdown()->rowCount(); ++row) {
        for (const int column : {5, 6}) {
            const QString cell = breakdown()->cellText(row, column);
            QVERIFY2(metrics.horizontalAdvance(cell) < breakdown()->columnWidth(column),
                     qPrintable(cell));
        }
    }
    typeInputs(QStringLiteral("01012024"), QStringLiteral("01102026"),
               QStringLiteral("80359567862676"));
    calculate();
    QCOMPARE(breakdown()->cellText(1, 5), QStringLiteral("41.742.942.648.666,77"));
}

// Without a word processor only the notice is shown and the clipboard stays as it was;
// with one, the clipboard holds the whole list and the document is handed to it.
// Without a word processor the notice offers to save instead, and the clipboard stays
// as it was; with one, the status says the document is on its way, the clipboard
// holds the whole list and the document, with the PDF's sections, is handed over.
void AnaFormTest::exportToWordProcessorFromTheMenu() {
    openForm();
    calculateExample();
    QStringList opened;
    word::setDocumentOpener([&opened](const QString& file) {
        opened << file;
        return true;
    });
    QStringList saveDialogs;
    word::setSaveChooser([&](QWidget*, const QString& name) {
        saveDialogs << name;
        return folder_->filePath(QStringLiteral("döküm.docx"));
    });
    const auto restore = qScopeGuard([] {
        word::setWordProcessorCheck(nullptr);
        word::setDocumentOpener(nullptr);
        word::setSaveChooser(nullptr);
    });
    QClipboard* clipboard = QGuiApplication::clipboard();
    QAction* item = child<QAction>(QStringLiteral("ListeyiMSWordeAktarMenüsü"));
    QVERIFY(item->isEnabled());

    word::setWordProcessorCheck([] { return false; });
    clipboard->setText(QStringLiteral("önce"));
    boxes_.answers = {shell::Answer::No};
    item->trigger();
    QCOMPARE(boxes_.texts(), QStringList{word::noWordProcessorQuestion()});
    QVERIFY(saveDialogs.isEmpty());
    // Yes takes the way out: the save dialog, and still nothing copied.
    item->trigger();
    QCOMPARE(saveDialogs,
             QStringList{QStringLiteral("Faiz Dökümü ") + FirstList + QStringLiteral(".docx")});
    QVERIFY(QFileInfo(folder_->filePath(QStringLiteral("döküm.docx"))).size() > 0);
    QCOMPARE(clipboard->text(), QStringLiteral("önce"));
    QVERIFY(opened.isEmpty());

    word::setWordProcessorCheck([] { return true; });
    item->trigger();
    QCOMPARE(clipboard->text(), ExampleExport);
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened.front().endsWith(QStringLiteral(".dotx")));
    const auto* status = form_->findChild<QLabel*>(QStringLiteral("DurumEtiketi"));
    QVERIFY(status);
    QVERIFY(status->isVisible());
    QCOMPARE(status->text(), QStringLiteral("Belge kelime işlemcide açılıyor…"));
    const QByteArray document = guitest::readPart(opened.front(), "word/document.xml");
    QDir(QFileInfo(opened.front()).path()).removeRecursively();
    for (const char* section :
         {"Faiz Dökümü", "Rapor tarihi: 15.03.2024", "Ana para: 1.000,00 TL",
          "Faiz Toplamı: ", "105,04", "Hukuki dayanak", "3095 sayılı Kanun md. 3",
          "Uygulanan oranlar ve kaynakları", "Açıklama (kaynak)"}) {
        QVERIFY2(document.contains(section), section);
    }
    // Rate, days and amount right-aligned in the header, both rows and the total.
    QVERIFY(document.count("<w:jc w:val=\"right\"/>") >= 12);
}

// "Word Belgesi Olarak Kaydet…" stands beside the PDF item; it refuses an empty
// breakdown as the PDF item does and says in the status where the document went.
void AnaFormTest::saveAsWordDocumentFromTheMenu() {
    openForm();
    QAction* item = child<QAction>(QStringLiteral("WordBelgesiOlarakKaydetMenüsü"));
    QCOMPARE(item->text(), QStringLiteral("Word &Belgesi Olarak Kaydet…"));
    const QList<QAction*> items = child<QMenu>(QStringLiteral("SağMenü"))->actions();
    QCOMPARE(items.indexOf(item),
             items.indexOf(child<QAction>(QStringLiteral("ListeyiPDFeAktarMenüsü"))) + 1);
    const QString file = folder_->filePath(QStringLiteral("döküm.docx"));
    word::setSaveChooser([&](QWidget*, const QString&) { return file; });
    const auto restore = qScopeGuard([] { word::setSaveChooser(nullptr); });
    item->trigger();
    QCOMPARE(boxes_.texts(), QStringList{QStringLiteral("Liste boş!")});
    QVERIFY(!QFileInfo::exists(file));

    calculateExample();
    item->trigger();
    QCOMPARE(boxes_.texts().size(), 1);
    QVERIFY(guitest::readPart(file, "word/document.xml").contains("Hukuki dayanak"));
    const auto* status = form_->findChild<QLabel*>(QStringLiteral("DurumEtiketi"));
    QVERIFY(status && status->isVisible());
    QCOMPARE(status->text(), word::savedStatus(file));
}

// The PDF states what was computed as it was computed: a principal typed over
// after the calculation takes the breakdown off the window, so the old one
// cannot reach it.
void AnaFormTest::exportToPdfFromTheMenu() {
    if (!guitest::popplerInstalled()) {
        QSKIP("poppler-utils is not installed");
    }
    openForm();
    QAction* item = child<QAction>(QStringLiteral("ListeyiPDFeAktarMenüsü"));
    QCOMPARE(item->text(), QStringLiteral("Listeyi &PDF'e Aktar"));
    const QString file = folder_->filePath(QStringLiteral("döküm.pdf"));
    QString suggested;
    pdf::setSaveChooser([&](QWidget*, const QString& name) {
        suggested = name;
        return std::optional<pdf::SaveChoice>({file, false});
    });
    item->trigger();
    QCOMPARE(boxes_.texts(), QStringList{QStringLiteral("Liste boş!")});
    QVERIFY(!QFileInfo::exists(file));

    calculateExample();
    QTest::keyClicks(principal(), QStringLiteral("99"));
    item->trigger();
    QCOMPARE(boxes_.texts(),
             QStringList({QStringLiteral("Liste boş!"), QStringLiteral("Liste boş!")}));
    QVERIFY(!QFileInfo::exists(file));

    calculateExample();
    item->trigger();
    pdf::setSaveChooser(nullptr);
    QCOMPARE(suggested, QStringLiteral("Faiz Dökümü ") + FirstList + QStringLiteral(".pdf"));
    const QString text = guitest::pdfText(file);
    for (const QString& expected :
         {QStringLiteral("Faiz Dökümü"), QStringLiteral("Rapor tarihi: 15.03.2024"),
          QStringLiteral("Faiz oranı listesi: ") + FirstList,
          QStringLiteral("Ana para: 1.000,00 TL"), QStringLiteral("Başlangıç tarihi: 01.07.2005"),
          QStringLiteral("Bitiş tarihi: 01.07.2006"), QStringLiteral("Gün esası: yıl 365 gün"),
          QStringLiteral("60,16"), QStringLiteral("44,88"), QStringLiteral("105,04"),
          QStringLiteral("Sayfa 1 / 1")}) {
        QVERIFY2(text.contains(expected), qPrintable(expected));
    }
    QVERIFY(!text.contains(QStringLiteral("1.00099")));
}

// "Dosya Hesabı" opens a window of its own each time, without blocking the main
// window; closing the main window closes them first, and a claim window whose
// changes the user will not give up keeps the program open.
void AnaFormTest::claimWindowsOpenBesideAndCloseFirst() {
    AnaForm& form = openForm();
    QPushButton* open = pushButton(QStringLiteral("DosyaHesabıButonu"));
    QCOMPARE(open->text(), QStringLiteral("&Dosya Hesabı"));
    QVERIFY(!open->geometry().intersects(
        pushButton(QStringLiteral("ListeyiAktarDüğmesi"))->geometry()));
    QVERIFY(!open->geometry().intersects(child<QLabel>(QStringLiteral("Etiket5"))->geometry()));
    QTest::mouseClick(open, Qt::LeftButton);
    QTest::mouseClick(open, Qt::LeftButton);
    QCOMPARE(DosyaHesabıFormu::openWindows().size(), std::size_t(2));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(form.isEnabled());

    DosyaHesabıFormu* changed = DosyaHesabıFormu::openWindows().front();
    changed->setWindowModified(true);
    boxes_.answers = {shell::Answer::Yes, shell::Answer::Cancel};
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QTRY_COMPARE(DosyaHesabıFormu::openWindows().size(), std::size_t(2));
    boxes_.answers = {shell::Answer::Yes, shell::Answer::No};
    QVERIFY(form.close());
    QTRY_VERIFY(DosyaHesabıFormu::openWindows().empty());
}

void AnaFormTest::exportButtonNeedsABreakdown() {
    openForm();
    QPushButton* exportButton = pushButton(QStringLiteral("ListeyiAktarDüğmesi"));
    QTest::mouseClick(exportButton, Qt::LeftButton);
    QCOMPARE(boxes_.texts(), QStringList{QStringLiteral("Liste boş!")});
    QVERIFY(!menu()->isVisible());

    calculateExample();
    QTest::mouseClick(exportButton, Qt::LeftButton);
    QVERIFY(menu()->isVisible());
    QCOMPARE(menu()->pos(), exportButton->mapToGlobal(QPoint(0, exportButton->height())));
    QCOMPARE(menu()->defaultAction(), nullptr);
    QTest::keyClick(menu(), Qt::Key_T);
    QVERIFY(!menu()->isVisible());
    QCOMPARE(QGuiApplication::clipboard()->text(), ExampleExport);
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
}

void AnaFormTest::rightClickMenuOnlyOverAFilledBreakdown() {
    openForm();
    QWidget* surface = breakdown()->viewport();
    rightClick(surface, QPoint(40, 30));
    QVERIFY(!menu()->isVisible());
    QCOMPARE(QApplication::activePopupWidget(), nullptr);

    calculateExample();
    QContextMenuEvent fromKeyboard(QContextMenuEvent::Keyboard, QPoint(40, 30),
                                   surface->mapToGlobal(QPoint(40, 30)));
    QApplication::sendEvent(surface, &fromKeyboard);
    QVERIFY(!menu()->isVisible());

    rightClick(surface, QPoint(40, 30));
    QVERIFY(menu()->isVisible());
    QCOMPARE(menu()->pos(), surface->mapToGlobal(QPoint(40, 30)));
    QCOMPARE(menu()->defaultAction(), child<QAction>(QStringLiteral("SadeceToplamıKopyalaMenüsü")));
    menu()->defaultAction()->trigger();
    menu()->hide();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("105,04"));
    QVERIFY(boxes_.requests.empty());
}

void AnaFormTest::deleteRefusesTheLastList() {
    fs::create_directories(shell::shared().ListFolder);
    const std::vector<RatePeriod> periods{{day(2000, 1, 1), day(2030, 12, 31), 9.0, ""}};
    QVERIFY(faiz::write(listFile(QStringLiteral("Tek")), periods).ok());
    openForm();
    QCOMPARE(names()->count(), 1);
    QTest::mouseClick(pushButton(QStringLiteral("ListeSilButonu")), Qt::LeftButton);
    QCOMPARE(boxes_.texts(),
             QStringList{QStringLiteral("En az (1) faiz oranı listesi kalması gerekiyor!")});
    QVERIFY(boxes_.requests[0].buttons == shell::Buttons::Ok);
    QVERIFY(fs::exists(listFile(QStringLiteral("Tek"))));
    QCOMPARE(names()->count(), 1);
}

void AnaFormTest::deleteAsksThenSelectsTheEntryBefore() {
    openForm();
    QPushButton* deleteButton = pushButton(QStringLiteral("ListeSilButonu"));
    names()->setCurrentRow(2);
    boxes_.answers = {shell::Answer::No};
    QTest::mouseClick(deleteButton, Qt::LeftButton);
    QCOMPARE(boxes_.texts(),
             QStringList{QStringLiteral("\"Ticari Alacaklar (Reeskont-İskonto)\" adlı listeyi "
                                        "silmek istediğinizden emin misiniz?")});
    QVERIFY(boxes_.requests[0].icon == shell::Icon::Question);
    QVERIFY(boxes_.requests[0].buttons == shell::Buttons::YesNo);
    QVERIFY(fs::exists(listFile(ThirdList)));
    QCOMPARE(names()->count(), 3);
    QCOMPARE(names()->currentRow(), 2);

    boxes_.answers = {shell::Answer::Yes};
    QTest::mouseClick(deleteButton, Qt::LeftButton);
    QVERIFY(!fs::exists(listFile(ThirdList)));
    QCOMPARE(names()->count(), 2);
    QCOMPARE(names()->currentRow(), 1);
    QCOMPARE(child<QLabel>(QStringLiteral("Etiket6"))->text(),
             SecondList + QStringLiteral(" — son dönem bitişi: 08.12.2026"));
    QCOMPARE(rates()->rowCount(), 51);

    names()->setCurrentRow(0);
    boxes_.answers = {shell::Answer::Yes};
    QTest::mouseClick(deleteButton, Qt::LeftButton);
    QVERIFY(!fs::exists(listFile(FirstList)));
    QCOMPARE(names()->count(), 1);
    QCOMPARE(names()->currentRow(), 0);
    QCOMPARE(names()->currentItem()->text(), SecondList);
    QCOMPARE(child<QLabel>(QStringLiteral("Etiket6"))->text(),
             SecondList + QStringLiteral(" — son dönem bitişi: 08.12.2026"));
}

void AnaFormTest::listThatCannotBeDeletedStaysInView() {
    openForm();
    names()->setCurrentRow(1);
    fs::remove(listFile(SecondList));
    fs::create_directories(listFile(SecondList) / "içinde");
    boxes_.answers = {shell::Answer::Yes, shell::Answer::Yes};
    QTest::mouseClick(pushButton(QStringLiteral("ListeSilButonu")), Qt::LeftButton);
    QCOMPARE(boxes_.requests.size(), std::size_t(2));
    QCOMPARE(boxes_.requests[1].caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(names()->count(), 3);
    QCOMPARE(names()->currentRow(), 1);
}

// A folder the program cannot make or read is reported, never shown as an empty folder
// to be filled with the defaults.
// A list folder that cannot be made (a file stands at its name) is said once in
// words, with the reason; the program's own ready lists stand in, read-only.
void AnaFormTest::folderThatCannotBePreparedIsReported() {
    fs::create_directories(shell::shared().ListFolder.parent_path());
    std::ofstream(shell::shared().ListFolder) << "kullanıcının dosyası";
    openForm();
    QCOMPARE(int(boxes_.requests.size()), 1);
    QCOMPARE(boxes_.requests[0].icon, shell::Icon::Information);
    QCOMPARE(boxes_.requests[0].buttons, shell::Buttons::Ok);
    QVERIFY(
        boxes_.requests[0].text.contains(shell::toQString(shell::shared().ListFolder.string())));
    QVERIFY(!boxes_.requests[0].text.contains(QStringLiteral("Hata Kodu")));
    QCOMPARE(endings_, 0);
    QCOMPARE(names()->count(), int(rates::readyLists().size()));
    QVERIFY(fs::is_regular_file(shell::shared().ListFolder));
    QCOMPARE(fs::file_size(shell::shared().ListFolder), std::uintmax_t(24)); // untouched
}

// Root may write anywhere, so a case about a folder the user may not write runs again
// in a child of this test program as the user nobody. True when this copy handed the
// case over; the child's failures fail it.
bool AnaFormTest::handedToNobody(const char* testFunction) {
#ifdef Q_OS_UNIX
    if (::geteuid() != 0 || qEnvironmentVariableIsSet("MIRVANE_TEST_AS_NOBODY")) {
        return false;
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody) {
        qWarning("no user nobody: the case runs as root, where every folder can be written");
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MIRVANE_TEST_AS_NOBODY"), QStringLiteral("1"));
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));
    environment.insert(QStringLiteral("TMPDIR"), QStringLiteral("/tmp"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("XDG_DATA_HOME"));
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    child.setChildProcessModifier([uid, gid] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) {
            ::_exit(97);
        }
    });
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(testFunction)});
    const bool finished = child.waitForFinished(120000);
    const QByteArray output = child.readAll();
    [&] {
        QVERIFY2(finished, output.constData());
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 output.constData());
        QVERIFY2(output.contains("PASS   : AnaFormTest::") && output.contains(testFunction),
                 output.constData());
    }();
    return true;
#else
    Q_UNUSED(testFunction);
    return false;
#endif
}

// A locked-down computer: the user may write neither the program's folder nor a
// folder of their own (nobody, mode 555). The window says so once, shows the ready
// lists the program carries, read-only, and computes with them.
void AnaFormTest::readOnlyFolderComputesOverBuiltInLists() {
#ifdef Q_OS_WIN
    QSKIP("Windows: a folder's permission bits do not stop writes into it.");
#endif
    if (handedToNobody("readOnlyFolderComputesOverBuiltInLists")) {
        return;
    }
    const fs::path program = shell::shared().ProgramFolder;
    fs::create_directories(program);
    fs::permissions(program, fs::perms(0555));
    AnaForm& form = openForm();
    QCOMPARE(int(boxes_.requests.size()), 1);
    const shell::MessageRequest notice = boxes_.requests[0];
    QCOMPARE(notice.icon, shell::Icon::Information);
    QCOMPARE(notice.buttons, shell::Buttons::Ok);
    QVERIFY2(notice.text.contains(QStringLiteral("hazır listeleri salt okunur")),
             qPrintable(notice.text));
    QVERIFY(!notice.text.contains(QStringLiteral("Hata Kodu")));

    QCOMPARE(names()->count(), int(rates::readyLists().size()));
    QCOMPARE(names()->item(0)->text(), FirstList);
    for (const QString& editor :
         {QStringLiteral("YeniListeEkleButonu"), QStringLiteral("ListeSilButonu"),
          QStringLiteral("ListeyiGüncelleButonu")}) {
        QVERIFY(!pushButton(editor)->isEnabled());
        QVERIFY(pushButton(editor)->toolTip().contains(QStringLiteral("yazma izni")));
    }
    QVERIFY(
        child<QLabel>(QStringLiteral("Etiket6"))->text().contains(QStringLiteral("salt okunur")));

    calculateExample();
    QCOMPARE(breakdown()->rowCount(), 2);
    QCOMPARE(total()->text(), QStringLiteral("105,04"));
    QCOMPARE(int(boxes_.requests.size()), 1);

    // Said once a run, however often the lists are read again.
    openModalWhile([] {});
    form.refreshListNames();
    QCOMPARE(int(boxes_.requests.size()), 1);
    QCOMPARE(endings_, 0);

    // No list chosen at all: said in words, not as an error code.
    names()->setCurrentRow(-1);
    calculate();
    QCOMPARE(int(boxes_.requests.size()), 2);
    QVERIFY(boxes_.requests[1].text.contains(QStringLiteral("faiz oranı listesi seçilmemiş")));
    QCOMPARE(boxes_.requests[1].icon, shell::Icon::Information);
    QCOMPARE(form.focusWidget(), names());
    fs::permissions(program, fs::perms(0755));
}

// Lists kept in a folder the user may only read are used as they are; what would
// change them is turned off, saying why.
void AnaFormTest::readOnlyFolderWithListsIsReadOnly() {
#ifdef Q_OS_WIN
    QSKIP("Windows: a folder's permission bits do not stop writes into it.");
#endif
    if (handedToNobody("readOnlyFolderWithListsIsReadOnly")) {
        return;
    }
    const fs::path lists = shell::shared().ListFolder;
    QVERIFY(store::prepareFolder(lists).ok());
    fs::remove(lists / utf8path::fromUtf8(ThirdList.toStdString() + ".faiz"));
    for (const fs::path& folder : {lists, lists.parent_path(), lists.parent_path().parent_path()}) {
        fs::permissions(folder, fs::perms(0555));
    }
    openForm();
    QCOMPARE(int(boxes_.requests.size()), 1);
    QVERIFY2(boxes_.requests[0].text.contains(QStringLiteral("Liste klasörüne yazılamıyor")),
             qPrintable(boxes_.requests[0].text));
    QCOMPARE(names()->count(), 2);
    QVERIFY(!pushButton(QStringLiteral("ListeSilButonu"))->isEnabled());
    QVERIFY(!pushButton(QStringLiteral("YeniListeEkleButonu"))->toolTip().isEmpty());
    calculateExample();
    QCOMPARE(total()->text(), QStringLiteral("105,04"));
    for (const fs::path& folder : {lists, lists.parent_path(), lists.parent_path().parent_path()}) {
        fs::permissions(folder, fs::perms(0755));
    }
}

// The error report's "Hayır" does not end the program at once: the end goes through
// the main window's close, which asks about each unsaved claim file (here a new one
// whose save just failed) and writes the settings. Called off there, nothing is lost.
void AnaFormTest::errorReportNoEndsThroughTheUnsavedQuestion() {
    AnaForm& form = openForm();
    shell::setProgramEnder(nullptr);
    shell::setProgramCloser([&form] { form.endProgram(); });
    QString chosen = QStringLiteral("/nonexistent-mirvane/kayit.mirvane");
    DosyaHesabıFormu::setFileChooser(
        [&chosen](DosyaHesabıFormu::FileDialog, QWidget*, const QString&) { return chosen; });
    QPointer<DosyaHesabıFormu> claim = DosyaHesabıFormu::openNew(&form);
    QVERIFY(QTest::qWaitForWindowExposed(claim.data()));
    auto* title = claim->findChild<QLineEdit*>(QStringLiteral("BaşlıkKutusu"));
    title->setFocus();
    QTest::keyClicks(title, QStringLiteral("Icra 2024-1"));
    QVERIFY(claim->isModified());

    // The save fails: the error report, answered "Hayır"; then the unsaved question,
    // answered "İptal".
    boxes_.answers = {shell::Answer::No, shell::Answer::Cancel};
    QVERIFY(!claim->save());
    QTRY_COMPARE(int(boxes_.requests.size()), 2);
    QCOMPARE(boxes_.requests[0].caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(boxes_.requests[1].text,
             QStringLiteral("\"Adsız\" değişti. Değişiklikler kaydedilsin mi?"));
    QTest::qWait(20);
    QVERIFY(claim);
    QVERIFY(claim->isVisible() && claim->isModified());
    QVERIFY(form.isVisible());
    QCOMPARE(claim->claimFile().title, std::string("Icra 2024-1"));
    QVERIFY(!shell::endRequested());

    // Once more, and this time saved where it can be: the file is written, the
    // settings too, and the program's window closes.
    chosen = folder_->filePath(QStringLiteral("kayit.mirvane"));
    boxes_.answers = {shell::Answer::No, shell::Answer::Yes};
    QVERIFY(!shell::reportError(errors::make(errors::DeviceIoError)));
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(QFileInfo::exists(chosen));
    QVERIFY(storedKeys().contains(QStringLiteral("Ayarlar/Liste Sirasi")));
    QTRY_VERIFY(!claim);

    DosyaHesabıFormu::setFileChooser(nullptr);
    shell::setProgramCloser(nullptr);
    shell::setProgramEnder([this] { ++endings_; });
}
void AnaFormTest::secondFileOfANameIsNamedBesideTheCaption() {
#ifdef Q_OS_WIN
    QSKIP("Windows: X.faiz and X.FAIZ are one file.");
#endif
    QVERIFY(store::prepareFolder(shell::shared().ListFolder).ok());
    fs::copy_file(listFile(FirstList),
                  shell::shared().ListFolder / "Adi Alacaklar (Kanuni Faiz).FAIZ");
    openForm();
    QCOMPARE(names()->count(), 3);
    const QLabel* caption = child<QLabel>(QStringLiteral("Etiket6"));
    QVERIFY(caption->text().startsWith(FirstList));
    const QString notice = QStringLiteral("\"Adi Alacaklar (Kanuni Faiz).FAIZ\" listede "
                                          "gösterilmiyor: \"Adi Alacaklar (Kanuni Faiz)\" adlı "
                                          "liste \"Adi Alacaklar (Kanuni Faiz).faiz\" dosyasından "
                                          "okunuyor.");
    QVERIFY(caption->text().endsWith(notice));
    QVERIFY(!caption->text().contains(u'\n'));
    QCOMPARE(caption->toolTip(), notice);
    QVERIFY(boxes_.requests.empty());
}

// Runs `change` while a modal window is open over the main window, as an editor
// would while the user works in it.
void AnaFormTest::openModalWhile(const std::function<void()>& change,
                                 const std::string& savedList) {
    QDialog window(form_.get());
    QTimer::singleShot(0, &window, [&window, change] {
        change();
        window.reject();
    });
    form_->openModal(window, [savedList] { return savedList; });
}

void AnaFormTest::modalWindowsRebuildOnlyWhenTheFolderChanged() {
    AnaForm& form = openForm();
    calculateExample();

    // The span calculator and the About window change no list: the breakdown stays.
    for (const char* button : {"SüreHesaplaButonu", "HakkındaButonu"}) {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        pushButton(guitest::q(button))->click();
        QCOMPARE(breakdown()->rowCount(), 2);
        QCOMPARE(total()->text(), QStringLiteral("105,04"));
    }

    names()->setCurrentRow(2);
    openModalWhile([] {});
    QCOMPARE(names()->currentRow(), 2);
    QCOMPARE(form.selectedListIndex(), 2);
    QCOMPARE(form.selectedListName(), ThirdList.toStdString());

    // A list saved again is read again; the selection stays on the list by its name.
    calculateExample();
    QVERIFY(breakdown()->rowCount() > 0);
    openModalWhile([] {
        const std::vector<RatePeriod> periods{{day(2000, 1, 1), day(2030, 12, 31), 10.0, "yeni"}};
        QVERIFY(faiz::write(listFile(ThirdList), periods));
    });
    QCOMPARE(names()->currentRow(), 2);
    QCOMPARE(breakdown()->rowCount(), 0);
    QCOMPARE(rates()->rowCount(), 1);
    QCOMPARE(form.focusWidget(), startField());

    // A list saved under a new name is selected, wherever it sorts.
    openModalWhile([] { fs::copy_file(listFile(FirstList), listFile(QStringLiteral("Aaa Yeni"))); },
                   "Aaa Yeni");
    QCOMPARE(names()->count(), 4);
    QCOMPARE(names()->currentItem()->text(), QStringLiteral("Aaa Yeni"));

    // A file that sorts first shifts every position, but not the selected list.
    openModalWhile([] { fs::copy_file(listFile(FirstList), listFile(QStringLiteral("0 Kopya"))); });
    QCOMPARE(names()->count(), 5);
    QCOMPARE(names()->currentItem()->text(), QStringLiteral("Aaa Yeni"));
}

void AnaFormTest::otherActivationsKeepTheBreakdown() {
    AnaForm& form = openForm();
    calculateExample();
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    boxes_.answers = {shell::Answer::Ok};
    QTest::mouseClick(pushButton(QStringLiteral("ListeyiAktarDüğmesi")), Qt::LeftButton);
    menu()->hide();
    QCOMPARE(breakdown()->rowCount(), 2);
    QCOMPARE(total()->text(), QStringLiteral("105,04"));
}

void AnaFormTest::escAsksBeforeClosing() {
    AnaForm& form = openForm();
    names()->setCurrentRow(1);
    principal()->setFocus();
    boxes_.answers = {shell::Answer::No};
    QTest::keyClick(principal(), Qt::Key_Escape);
    QCOMPARE(boxes_.texts(), QStringList{QStringLiteral("Programdan çıkmak istiyor musunuz?")});
    QVERIFY(boxes_.requests[0].icon == shell::Icon::Question);
    QVERIFY(boxes_.requests[0].buttons == shell::Buttons::YesNo);
    QVERIFY(form.isVisible());
    QVERIFY(storedKeys().isEmpty());

    form.move(150, 75);
    boxes_.answers = {shell::Answer::Yes};
    QTest::mouseClick(pushButton(QStringLiteral("ÇıkışButonu")), Qt::LeftButton);
    QCOMPARE(boxes_.requests.size(), std::size_t(2));
    QVERIFY(!form.isVisible());
    QCOMPARE(stored(QStringLiteral("Sol Bosluk")), QVariant(QStringLiteral("2250")));
    QCOMPARE(stored(QStringLiteral("Ust Bosluk")), QVariant(QStringLiteral("1125")));
    QCOMPARE(stored(QStringLiteral("Liste Sirasi")), QVariant(QStringLiteral("1")));
    QCOMPARE(stored(QStringLiteral("360 Onayi")), QVariant(QStringLiteral("0")));
}

void AnaFormTest::titleBarCloseAsksNothingAndSkipsPositionWhenMinimised() {
    storeSettings({{QStringLiteral("Sol Bosluk"), QStringLiteral("1500")},
                   {QStringLiteral("Ust Bosluk"), QStringLiteral("750,5")}});
    AnaForm& form = openForm();
    QCOMPARE(form.pos(), QPoint(100, 50));
    form.move(120, 70);
    QVERIFY(closeFromTitleBar(form));
    QVERIFY(boxes_.requests.empty());
    QCOMPARE(stored(QStringLiteral("Sol Bosluk")), QVariant(QStringLiteral("1800")));

    reopenForm();
    QCOMPARE(form_->pos(), QPoint(120, 70));
    names()->setCurrentRow(2);
    form_->showMinimized();
    form_->move(300, 300);
    QVERIFY(closeFromTitleBar(*form_));
    QVERIFY(boxes_.requests.empty());
    QCOMPARE(stored(QStringLiteral("Sol Bosluk")), QVariant(QStringLiteral("1800")));
    QCOMPARE(stored(QStringLiteral("Ust Bosluk")), QVariant(QStringLiteral("1050")));
    QCOMPARE(stored(QStringLiteral("Liste Sirasi")), QVariant(QStringLiteral("2")));
}

void AnaFormTest::year360SurvivesARestart() {
    openForm();
    names()->setCurrentRow(2);
    QTest::mouseClick(child<QCheckBox>(QStringLiteral("YılGünSayısıOnayı")), Qt::LeftButton);
    QVERIFY(closeFromTitleBar(*form_));
    reopenForm();
    QVERIFY(child<QCheckBox>(QStringLiteral("YılGünSayısıOnayı"))->isChecked());
    QCOMPARE(form_->dayCountDivisor(), 36000);
    QCOMPARE(names()->currentRow(), 2);
    QCOMPARE(form_->selectedListIndex(), 2);

    // A remembered position past the end selects the last list.
    storeSettings({{QStringLiteral("Liste Sirasi"), QStringLiteral("7")}});
    fs::remove(listFile(ThirdList));
    reopenForm();
    QCOMPARE(names()->currentRow(), 1);
    QCOMPARE(form_->selectedListIndex(), 1);
}

// A list file copied into the folder between two starts shifts the positions; the
// list chosen before is found again by its name, and the position serves only when
// that name is gone.
void AnaFormTest::listRememberedByNameAcrossStarts() {
    openForm();
    names()->setCurrentRow(2);
    QVERIFY(closeFromTitleBar(*form_));
    QCOMPARE(stored(QStringLiteral("Liste Sirasi")).toString(), QStringLiteral("2"));
    QCOMPARE(stored(QStringLiteral("Liste Adi")).toString(), ThirdList);

    fs::copy_file(listFile(FirstList), listFile(QStringLiteral("0 Kopya")));
    reopenForm();
    QCOMPARE(names()->count(), 4);
    QCOMPARE(names()->currentItem()->text(), ThirdList);
    QCOMPARE(child<QLabel>(QStringLiteral("Etiket6"))->text().left(ThirdList.size()), ThirdList);

    storeSettings({{QStringLiteral("Liste Adi"), QStringLiteral("Silinmiş Liste")},
                   {QStringLiteral("Liste Sirasi"), QStringLiteral("1")}});
    reopenForm();
    QCOMPARE(names()->currentRow(), 1);
    QVERIFY(boxes_.requests.empty());
}

// The window grows, never below its drawn size; the breakdown takes most of the
// height gained, the rates table the rest, and what stands right and below moves
// with them. The size is kept with the position.
void AnaFormTest::enlargedWindowGivesTheRoomToTheTables() {
    AnaForm& form = openForm();
    QCOMPARE(form.minimumSize(), QSize(647, 479));
    const QRect breakdownAt = breakdown()->geometry();
    const QRect ratesAt = rates()->geometry();
    const QRect exitAt = pushButton(QStringLiteral("ÇıkışButonu"))->geometry();
    const QRect exportAt = pushButton(QStringLiteral("ListeyiAktarDüğmesi"))->geometry();
    const int firstColumn = breakdown()->columnWidth(1);
    const QRect namesAt = names()->geometry();
    const QRect principalAt = principal()->geometry();

    // A fifth of the height gained goes to the list of rate lists, the rest three
    // quarters to the breakdown and a quarter to the rates; the list of lists takes
    // the width gained too, and the fields beside it keep to the right.
    form.resize(1047, 879);
    QTRY_COMPARE(breakdown()->geometry(), breakdownAt.adjusted(0, 80, 400, 320));
    QCOMPARE(names()->geometry(), namesAt.adjusted(0, 0, 400, 80));
    QCOMPARE(principal()->geometry(), principalAt.translated(400, 0));
    QCOMPARE(rates()->size(), ratesAt.size() + QSize(400, 80));
    QCOMPARE(pushButton(QStringLiteral("ÇıkışButonu"))->geometry(), exitAt.translated(400, 400));
    QCOMPARE(pushButton(QStringLiteral("ListeyiAktarDüğmesi"))->geometry(),
             exportAt.translated(0, 320));
    QVERIFY(breakdown()->columnWidth(1) > firstColumn);

    QVERIFY(closeFromTitleBar(form));
    QCOMPARE(stored(QStringLiteral("Pencere Genisligi")).toString(), QStringLiteral("15705"));
    reopenForm();
    QCOMPARE(form_->size(), QSize(1047, 879));
    QTRY_COMPARE(breakdown()->geometry(), breakdownAt.adjusted(0, 80, 400, 320));

    // The pop-up menu writes in the window's face, its default item given room in bold.
    QCOMPARE(menu()->font(), form_->font());
}

void AnaFormTest::settingThatIsNoNumberIsReported() {
    storeSettings({{QStringLiteral("Ust Bosluk"), QStringLiteral("yukarı")},
                   {QStringLiteral("Sol Bosluk"), QStringLiteral("1500")},
                   {QStringLiteral("360 Onayi"), QStringLiteral("1")}});
    openForm();
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(boxes_.requests[0].caption, QStringLiteral("Hata oluştu!"));
    QVERIFY(boxes_.requests[0].text.contains(QStringLiteral("Hata Kodu: 13")));
    // The step is skipped, the others still run.
    QCOMPARE(form_->pos(), QPoint(100, centred().y()));
    QVERIFY(child<QCheckBox>(QStringLiteral("YılGünSayısıOnayı"))->isChecked());
    QCOMPARE(endings_, 0);

    storeSettings({{QStringLiteral("Ust Bosluk"), QStringLiteral("0")},
                   {QStringLiteral("Liste Sirasi"), QStringLiteral("bir")}});
    boxes_.requests.clear();
    boxes_.answers = {shell::Answer::No};
    reopenForm();
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(endings_, 1);
}

void AnaFormTest::savedPositionOffEveryScreenIsCentred() {
    storeSettings({{QStringLiteral("Sol Bosluk"), QStringLiteral("150000")},
                   {QStringLiteral("Ust Bosluk"), QStringLiteral("0")}});
    openForm();
    QCOMPARE(form_->pos(), centred());

    storeSettings({{QStringLiteral("Sol Bosluk"), QStringLiteral("-3000")},
                   {QStringLiteral("Ust Bosluk"), QStringLiteral("-1500")}});
    reopenForm();
    QVERIFY(boxes_.requests.empty());
    if (placedByXWindowManager()) {
        QSKIP("Wine: the X window manager moves a window reaching off the screen onto it");
    }
    QCOMPARE(form_->pos(), QPoint(-200, -100));
}

QTEST_MAIN(AnaFormTest)
#include "AnaFormTest.moc"
