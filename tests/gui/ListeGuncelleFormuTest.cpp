#include "ui/editor/ListeGuncelleFormu.h"

#include "core/ratelist/ListEditing.h"
#include "core/rates/ReadyLists.h"
#include "tests/gui/EditorTestSupport.h"
#include "ui/main/AnaForm.h"

#include <memory>

using namespace editortest;

namespace {

const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";
const std::string Commercial = "Ticari Alacaklar (Reeskont-Avans)";
const std::string Three = "Üç Dönem";

// 2004, 2005 and 2006, one period each.
void writeThreePeriodList() {
    const std::vector<RatePeriod> periods{{on(2004, 1, 1), on(2004, 12, 31), 10, "bir"},
                                          {on(2005, 1, 1), on(2005, 12, 31), 20, "iki"},
                                          {on(2006, 1, 1), on(2006, 12, 31), 30, "üç"}};
    QVERIFY(faiz::write(listFile(Three), periods).ok());
}

} // namespace

class ListeGuncelleFormuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadShowsTheListWithItsTexts();
    void newPeriodFollowsTheLastAndEndIsPutRight();
    void editingAMiddlePeriodKeepsItsDates();
    void focusStaysOnTheWorkAndUnsavedChangesAreAskedFor();
    void editingTheFirstAndTheLastPeriod();
    void theListIsLockedWhileAPeriodIsEntered();
    void removingTheLastPeriod();
    void savingWritesBackByteExactAndCloses();
    void shortenedListLeavesNoTraceOfTheRemovedPeriod();
    void failedSaveKeepsTheOldFileAndTheWindow();
    void the256thPeriodIsRefused();
    void unreadableListIsReportedAndNeverSavedEmpty();
    void earlierListIsBroughtCurrentUnsaved();
    void unrecognisedListsNameTheirFirstDeparture();

private:
    Editor open(const std::string& listName);

    EditorFixture fixture_;
    std::unique_ptr<ListeGüncelleFormu> window_;
};

void ListeGuncelleFormuTest::init() {
    fixture_.setUp();
}

void ListeGuncelleFormuTest::cleanup() {
    window_.reset();
    fixture_.tearDown();
    guitest::checkNoTopLevelWidgetLeft();
}

Editor ListeGuncelleFormuTest::open(const std::string& listName) {
    window_ = std::make_unique<ListeGüncelleFormu>(listName);
    window_->show();
    if (!QTest::qWaitForWindowActive(window_.get())) {
        qWarning("the update window did not become active");
    }
    return Editor{window_.get()};
}

void ListeGuncelleFormuTest::loadShowsTheListWithItsTexts() {
    Editor e = open(Statutory);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Liste Güncelle..."));
    QCOMPARE(e.start()->geometry().left(), 98);
    QCOMPARE(e.rate()->geometry(), QRect(98, 60, 83, 19));
    QCOMPARE(e.twoState()->geometry(), QRect(420, 30, 117, 23));
    QCOMPARE(e.list()->rowCount(), 12);
    QCOMPARE(e.row(0),
             cells({"1", "01.10.1972", "19.12.1984", "5", "1303 tarihli Murabaha Nizamnamesi"}));
    QCOMPARE(e.row(11), cells({"12", "01.07.2018", "30.12.2020", "9", ""}));
    QCOMPARE(e.start()->value(), QDate(2020, 12, 31));
    QCOMPARE(e.end()->value(), QDate(2021, 1, 30));

    // Idle, no row selected.
    QCOMPARE(e.list()->selectedRow(), -1);
    QVERIFY(!e.area()->isEnabled());
    QVERIFY(e.button("DönemiGüncelleButonu")->isEnabled());
    QVERIFY(!e.button("VazgeçButonu")->isEnabled());
    QVERIFY(e.button("SonDönemiSilButonu")->isEnabled());
    QVERIFY(e.button("ListeyiKaydetButonu")->isEnabled());
    QVERIFY(e.list()->isEnabled());
    QVERIFY(!window_->findChild<QPushButton*>(QStringLiteral("ListeyiTemizleButonu")));
    QVERIFY(fixture_.boxes.requests.empty());

    // A rate from the file shows as a general number, one typed here as money.
    e = open(Commercial);
    QCOMPARE(e.list()->cellText(26, 3), QStringLiteral("17,75"));
    e.twoState()->click();
    e.rate()->setFocus();
    QTest::keyClicks(e.rate(), QStringLiteral("12,5"));
    QTest::mouseClick(e.twoState(), Qt::LeftButton);
    QCOMPARE(e.row(36), cells({"37", "01.01.2021", "31.01.2021", "12,50", ""}));
    QCOMPARE(e.list()->selectedRow(), 36);
}

void ListeGuncelleFormuTest::newPeriodFollowsTheLastAndEndIsPutRight() {
    const Editor e = open(Statutory);
    e.start()->setValue(QDate(2000, 1, 1));
    e.end()->setValue(QDate(2020, 6, 1));
    e.twoState()->click();
    QVERIFY(e.area()->isEnabled());
    QCOMPARE(e.twoState()->text(), QStringLiteral("&Listeye Ekle"));
    QCOMPARE(QApplication::focusWidget(), e.start());
    QCOMPARE(e.start()->value(), QDate(2020, 12, 31));
    QCOMPARE(e.end()->value(), QDate(2020, 6, 1));
    for (const char* locked :
         {"DönemiGüncelleButonu", "SonDönemiSilButonu", "ListeyiKaydetButonu"}) {
        QVERIFY(!e.button(locked)->isEnabled());
    }

    e.rate()->setText(QStringLiteral("24"));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::M3)});
    QCOMPARE(e.end()->value(), QDate(2021, 1, 1));
    QCOMPARE(QApplication::focusWidget(), e.end());

    e.twoState()->click();
    QCOMPARE(e.list()->rowCount(), 13);
    QCOMPARE(e.row(12), cells({"13", "31.12.2020", "01.01.2021", "24", ""}));
    // The pickers keep their values after a confirmed period.
    QCOMPARE(e.start()->value(), QDate(2020, 12, 31));
    QVERIFY(e.rate()->text().isEmpty());
    QVERIFY(!e.area()->isEnabled());
    QVERIFY(e.list()->isEnabled());
}

void ListeGuncelleFormuTest::editingAMiddlePeriodKeepsItsDates() {
    writeThreePeriodList();
    const Editor e = open(Three);
    e.list()->selectRow(1);
    e.press("DönemiGüncelleButonu");
    QCOMPARE(e.start()->value(), QDate(2005, 1, 1));
    QCOMPARE(e.end()->value(), QDate(2005, 12, 31));
    QCOMPARE(e.rate()->text(), QStringLiteral("20"));
    QCOMPARE(e.description()->toPlainText(), QStringLiteral("iki"));
    QVERIFY(e.area()->isEnabled());
    QVERIFY(!e.button("DönemiGüncelleButonu")->isEnabled());
    QVERIFY(!e.list()->isEnabled());

    e.end()->setValue(QDate(2005, 11, 30));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::M2)});
    QCOMPARE(e.end()->value(), QDate(2005, 12, 31));
    QCOMPARE(QApplication::focusWidget(), e.end());

    e.start()->setValue(QDate(2005, 1, 2));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts().last(), q(editing::M2));
    QCOMPARE(e.start()->value(), QDate(2005, 1, 1));

    e.rate()->setText(QStringLiteral("22,5"));
    e.description()->setPlainText(QStringLiteral("yeni"));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.requests.size(), std::size_t(2));
    QCOMPARE(e.list()->rowCount(), 3);
    QCOMPARE(e.row(1), cells({"2", "01.01.2005", "31.12.2005", "22,5", "yeni"}));
    QCOMPARE(e.list()->selectedRow(), 1);
    QVERIFY(e.list()->isEnabled());
    QVERIFY(e.rate()->text().isEmpty());
}

// Pressed by the keyboard, "Dönemi Güncelle" and the confirmation leave the focus
// where the work goes on, so that an Enter never lands on "Kapat"; closing with the
// change unsaved asks first (No the default), closing unchanged does not.
void ListeGuncelleFormuTest::focusStaysOnTheWorkAndUnsavedChangesAreAskedFor() {
    writeThreePeriodList();
    const Editor e = open(Three);
    e.list()->setFocus();
    e.list()->selectRow(1);
    QTest::keyClick(e.button("DönemiGüncelleButonu"), Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), e.rate());
    QTest::keyClicks(e.rate(), QStringLiteral("25"));
    QTest::keyClick(e.rate(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(e.row(1)[3], QStringLiteral("25,00"));
    QCOMPARE(QApplication::focusWidget(), e.list());
    QVERIFY(window_->isVisible());

    fixture_.boxes.answers = {shell::Answer::No};
    QTest::keyClick(e.list(), Qt::Key_Escape);
    QCOMPARE(fixture_.boxes.texts(),
             QStringList{
                 QStringLiteral("Yapılan değişiklikler kaydedilmedi. Kaydetmeden kapatılsın mı?")});
    QVERIFY(fixture_.boxes.requests[0].buttons == shell::Buttons::NoYes);
    QVERIFY(window_->isVisible());
    e.press("KapatButonu");
    QVERIFY(!window_->isVisible());
    QVERIFY(faiz::read(listFile(Three)).value().Periods[1].Rate == 20.0);

    fixture_.boxes.requests.clear();
    const Editor unchanged = open(Three);
    unchanged.press("KapatButonu");
    QVERIFY(!window_->isVisible());
    QVERIFY(fixture_.boxes.requests.empty());
}

void ListeGuncelleFormuTest::editingTheFirstAndTheLastPeriod() {
    writeThreePeriodList();
    const Editor e = open(Three);
    e.list()->selectRow(0);
    e.press("DönemiGüncelleButonu");
    e.start()->setValue(QDate(2003, 1, 1));
    e.twoState()->click();
    QVERIFY(fixture_.boxes.requests.empty());
    QCOMPARE(e.row(0), cells({"1", "01.01.2003", "31.12.2004", "10", "bir"}));

    // The last period has no neighbour after it: its end may move freely.
    e.list()->selectRow(2);
    e.press("DönemiGüncelleButonu");
    e.end()->setValue(QDate(2010, 6, 30));
    e.twoState()->click();
    QVERIFY(fixture_.boxes.requests.empty());
    QCOMPARE(e.row(2), cells({"3", "01.01.2006", "30.06.2010", "30", "üç"}));
    QCOMPARE(e.list()->selectedRow(), 2);

    // A new period after an edit joins the last row again.
    e.twoState()->click();
    QCOMPARE(e.start()->value(), QDate(2010, 7, 1));
}

void ListeGuncelleFormuTest::theListIsLockedWhileAPeriodIsEntered() {
    writeThreePeriodList();
    const Editor e = open(Three);
    e.press("DönemiGüncelleButonu"); // no row selected: nothing happens
    QVERIFY(!e.area()->isEnabled());

    e.twoState()->click();
    const QRect rowArea = e.list()->visualItemRect(e.list()->topLevelItem(0));
    QTest::mouseDClick(e.list()->viewport(), Qt::LeftButton, {}, rowArea.center());
    QCOMPARE(e.list()->selectedRow(), -1);
    QCOMPARE(e.rate()->text(), QString());

    e.press("VazgeçButonu");
    QVERIFY(!e.area()->isEnabled());
    QVERIFY(e.list()->isEnabled());
    QCOMPARE(e.twoState()->text(), QStringLiteral("Yeni &Dönem Belirle"));

    // In the idle state a double click edits the row.
    QTest::mouseClick(e.list()->viewport(), Qt::LeftButton, {}, rowArea.center());
    QTest::mouseDClick(e.list()->viewport(), Qt::LeftButton, {}, rowArea.center());
    QVERIFY(e.area()->isEnabled());
    QCOMPARE(e.rate()->text(), QStringLiteral("10"));
}

void ListeGuncelleFormuTest::removingTheLastPeriod() {
    const std::vector<RatePeriod> single{{on(2020, 1, 1), on(2020, 12, 31), 9, ""}};
    QVERIFY(faiz::write(listFile("Tek"), single).ok());
    Editor e = open("Tek");
    e.press("SonDönemiSilButonu");
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::M7)});
    QCOMPARE(e.list()->rowCount(), 1);

    writeThreePeriodList();
    e = open(Three);
    fixture_.boxes.requests.clear();
    fixture_.boxes.answers = {shell::Answer::No};
    e.press("SonDönemiSilButonu");
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::M8)});
    QCOMPARE(fixture_.boxes.requests[0].icon, shell::Icon::Question);
    QCOMPARE(fixture_.boxes.requests[0].buttons, shell::Buttons::YesNo);
    QCOMPARE(e.list()->rowCount(), 3);

    fixture_.boxes.answers = {shell::Answer::Yes};
    e.press("SonDönemiSilButonu");
    QCOMPARE(e.list()->rowCount(), 2);
    QCOMPARE(e.list()->selectedRow(), 1);
    QVERIFY(!e.area()->isEnabled());
}

void ListeGuncelleFormuTest::savingWritesBackByteExactAndCloses() {
    for (const std::string& name : {Statutory, Commercial}) {
        const std::string before = fileBytes(listFile(name));
        const Editor e = open(name);
        e.press("ListeyiKaydetButonu");
        QVERIFY(!window_->isVisible());
        QCOMPARE(window_->result(), int(QDialog::Accepted));
        QVERIFY(fileBytes(listFile(name)) == before);
    }
    QVERIFY(fixture_.boxes.requests.empty());
}

void ListeGuncelleFormuTest::shortenedListLeavesNoTraceOfTheRemovedPeriod() {
    const Editor e = open(Statutory);
    e.list()->selectRow(4);
    e.press("DönemiGüncelleButonu");
    e.rate()->setText(QStringLiteral("56"));
    e.twoState()->click();
    e.press("SonDönemiSilButonu");
    e.press("SonDönemiSilButonu");
    e.press("ListeyiKaydetButonu");
    QVERIFY(!window_->isVisible());

    QCOMPARE(fs::file_size(listFile(Statutory)), std::uintmax_t(10 * 128 - 4));
    const Result<RateList> saved = faiz::read(listFile(Statutory));
    QVERIFY(saved.ok());
    QCOMPARE(saved.value().Periods.size(), std::size_t(10));
    QCOMPARE(saved.value().Periods[4].Rate, 56.0);
    QVERIFY(saved.value().Periods.back().EndDate == on(2006, 12, 31));
}

void ListeGuncelleFormuTest::failedSaveKeepsTheOldFileAndTheWindow() {
#ifdef _WIN32
    QSKIP("Windows: a folder cannot be made unwritable for its owner there; "
          "SafeFolder.EveryFailedStepKeepsTheOldFileAndLeavesNoTemporaryFile covers failed writes");
#else
    const std::string before = fileBytes(listFile(Statutory));
    const Editor e = open(Statutory);
    e.press("SonDönemiSilButonu");
    {
        const FailingWrites failing(shell::shared().ListFolder);
        e.press("ListeyiKaydetButonu");
    }
    QCOMPARE(fixture_.boxes.requests.size(), std::size_t(2)); // M8, then the report
    QCOMPARE(fixture_.boxes.requests[1].caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(fixture_.endings, 0);
    QVERIFY(fileBytes(listFile(Statutory)) == before);
    QVERIFY(window_->isVisible());
    QCOMPARE(e.list()->rowCount(), 11);
    QCOMPARE(
        std::distance(fs::directory_iterator(shell::shared().ListFolder), fs::directory_iterator()),
        std::ptrdiff_t(3));

    // Once the folder takes files again, the same rows save.
    e.press("ListeyiKaydetButonu");
    QVERIFY(!window_->isVisible());
    QCOMPARE(fs::file_size(listFile(Statutory)), std::uintmax_t(11 * 128 - 4));
#endif
}

void ListeGuncelleFormuTest::the256thPeriodIsRefused() {
    std::vector<RatePeriod> periods;
    Date start = on(1990, 1, 1);
    for (int k = 0; k < 255; ++k) {
        periods.push_back({start, start + std::chrono::days{9}, 10, ""});
        start += std::chrono::days{10};
    }
    QVERIFY(faiz::write(listFile("Dolu"), periods).ok());
    const Editor e = open("Dolu");
    QCOMPARE(e.list()->rowCount(), 255);
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::TooManyPeriods)});
    QVERIFY(!e.area()->isEnabled());

    // Editing in place adds nothing, so it stays open.
    e.list()->selectRow(254);
    e.press("DönemiGüncelleButonu");
    e.rate()->setText(QStringLiteral("11"));
    e.twoState()->click();
    QCOMPARE(e.list()->cellText(254, 3), QStringLiteral("11"));
    QCOMPARE(e.list()->rowCount(), 255);
}

void ListeGuncelleFormuTest::unreadableListIsReportedAndNeverSavedEmpty() {
    std::ofstream(listFile("Bozuk"), std::ios::binary) << std::string(200, 'x');
    const std::string before = fileBytes(listFile("Bozuk"));
    const Editor e = open("Bozuk");
    QCOMPARE(fixture_.boxes.requests.size(), std::size_t(1));
    QCOMPARE(fixture_.boxes.requests[0].caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(e.list()->rowCount(), 0);

    e.press("ListeyiKaydetButonu");
    QCOMPARE(fixture_.boxes.texts().last(), q(editing::M7));
    QVERIFY(window_->isVisible());
    QVERIFY(fileBytes(listFile("Bozuk")) == before);
}

// The commercial list as earlier versions wrote it is brought current from its 36th
// period on; the rows stay unsaved until "Listeyi Kaydet".
void ListeGuncelleFormuTest::earlierListIsBroughtCurrentUnsaved() {
    const std::string before = fileBytes(listFile(Commercial));
    Editor e = open(Commercial);
    QPushButton* bring = e.button("HazırListeyleGüncelleButonu");
    QVERIFY(bring->isEnabled());
    QCOMPARE(bring->toolTip(), QStringLiteral("Listeyi \"Ticari Alacaklar (Reeskont-Avans)\" hazır "
                                              "listesinin güncel oranlarıyla günceller: 36. "
                                              "dönemden başlayarak 16 dönem değişir."));
    // Locked while a period is being entered, like the other list buttons.
    e.twoState()->click();
    QVERIFY(!bring->isEnabled());
    e.press("VazgeçButonu");
    QVERIFY(bring->isEnabled());

    bring->click();
    QCOMPARE(e.list()->rowCount(), 51);
    QCOMPARE(e.row(34), cells({"35", "11.10.2019", "20.12.2019", "18,25", ""}));
    QCOMPARE(e.row(35), cells({"36", "21.12.2019", "12.06.2020", "13,75", ""}));
    QCOMPARE(e.row(36),
             cells({"37", "13.06.2020", "18.12.2020", "10", "TCMB, RG 13.06.2020/31154"}));
    QCOMPARE(e.row(50)[2], QStringLiteral("08.12.2026"));
    QCOMPARE(e.list()->selectedRow(), 35);
    QCOMPARE(e.start()->value(), QDate(2026, 12, 9));
    QCOMPARE(fileBytes(listFile(Commercial)), before);
    QVERIFY(window_->isVisible());
    QVERIFY(bring->isEnabled());

    // Once current, pressing again only says so.
    bring->click();
    QCOMPARE(fixture_.boxes.texts(),
             QStringList{QStringLiteral("Liste, \"Ticari Alacaklar (Reeskont-Avans)\" hazır "
                                        "listesiyle güncel.")});
    QCOMPARE(e.list()->rowCount(), 51);

    e.press("ListeyiKaydetButonu");
    QVERIFY(!window_->isVisible());
    const Result<RateList> saved = faiz::read(listFile(Commercial));
    QVERIFY(saved.ok());
    QVERIFY(saved.value().Periods == rates::readyList(Commercial)->Periods);
}

void ListeGuncelleFormuTest::unrecognisedListsNameTheirFirstDeparture() {
    writeThreePeriodList();
    Editor e = open(Three);
    QPushButton* bring = e.button("HazırListeyleGüncelleButonu");
    QVERIFY(!bring->isEnabled());
    QCOMPARE(bring->toolTip(), QStringLiteral("Liste tanınmadı: ilk dönemi hiçbir hazır listenin "
                                              "ilk dönemiyle aynı değil."));
    window_.reset();

    // The statutory list with the rate of its fifth period typed differently.
    e = open(Statutory);
    QVERIFY(e.button("HazırListeyleGüncelleButonu")->isEnabled());
    e.list()->selectRow(4);
    e.press("DönemiGüncelleButonu");
    e.rate()->setText(QStringLiteral("56,00"));
    e.twoState()->click();
    bring = e.button("HazırListeyleGüncelleButonu");
    QVERIFY(!bring->isEnabled());
    QCOMPARE(bring->toolTip(),
             QStringLiteral("Liste tanınmadı: 5. dönem (01.07.2002–30.06.2003, %56) \"Adi "
                            "Alacaklar (Kanuni Faiz)\" hazır listesinin 5. döneminden "
                            "(01.07.2002–30.06.2003, %55) farklı."));
    // Removing periods until the departure is gone makes it a leading part again.
    for (int k = 0; k < 8; ++k) {
        fixture_.boxes.answers = {shell::Answer::Yes};
        e.press("SonDönemiSilButonu");
    }
    QCOMPARE(e.list()->rowCount(), 4);
    QVERIFY(bring->isEnabled());
}

QTEST_MAIN(ListeGuncelleFormuTest)
#include "ListeGuncelleFormuTest.moc"
