#include "ui/editor/ListeEkleFormu.h"

#include "core/ratelist/ListEditing.h"
#include "core/rates/ReadyLists.h"
#include "tests/gui/EditorTestSupport.h"
#include "ui/editor/ListeAdiGirisFormu.h"
#include "ui/main/AnaForm.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <memory>

using namespace editortest;
using mirvane::editing::M6;

namespace {

const QString NameDialog = QStringLiteral("ListeAdıGirişFormu");

// Acts on the name dialog that the next save opens, then makes sure it is closed
// so that a failing test cannot hang in it.
void whenNameDialogOpens(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != NameDialog) {
            qWarning("the name dialog did not open");
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

// Waits for the name dialog to open again with `name` in it (after M6), hands
// over what it shows, and closes it with İptal; gives up after five seconds.
void whenNameDialogReopens(const QString& name, std::function<void(QLineEdit&)> check) {
    auto* poll = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, started, name, check] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* box = dialog && dialog->objectName() == NameDialog
                        ? dialog->findChild<QLineEdit*>(QStringLiteral("ListeAdıKutusu"))
                        : nullptr;
        if (box && box->text() == name) {
            check(*box);
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else if (started->elapsed() < 5000) {
            return;
        } else {
            qWarning("the name dialog did not open again");
        }
        poll->deleteLater();
        poll->stop();
    });
    poll->start(10);
}

void typeNameAndEnter(QDialog& dialog, const QString& name) {
    auto* box = child<QLineEdit>(&dialog, QStringLiteral("ListeAdıKutusu"));
    box->insert(name);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class ListeEkleFormuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensIdleWithItsLayout();
    void firstPeriodRunsFromYesterdayToToday();
    void startDateIsPutRightAfterM1AndM2();
    void endDateIsPutRightAfterM3OnAnEmptyList();
    void rateChecksAndOnlyTheFirstFailure();
    void emptiedDatePickersLetNoPeriodIn();
    void enterMovesThroughTheFieldsAndConfirms();
    void descriptionTakesAtMostHundredCharacters();
    void cancelAndClear();
    void savesUnderANewNameAndStaysOpen();
    void cancelledNameDialogAfterASaveLeavesNoName();
    void namesThatMakeNoListedFileAreRefused();
    void failedWriteKeepsTheRowsAndReports();
    void the256thPeriodIsRefused();
    void closingWithUnsavedRowsAsksFirst();
    void descriptionRefusesCharactersTheFileCannotHold();
    void readyListFillsTheRowsAndProposesItsName();

    void nameDialogTrimsAndHandsBackTheName();
    void nameDialogRefusesEmptyAndTakenNames();
    void nameDialogCancelAndCloseLeaveNoName();

private:
    Editor editor() { return Editor{window_}; }
    QStringList rowTexts(int row) { return editor().row(row); }

    EditorFixture fixture_;
    ListeEkleFormu* window_ = nullptr;
};

void ListeEkleFormuTest::init() {
    fixture_.setUp();
    window_ = new ListeEkleFormu;
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void ListeEkleFormuTest::cleanup() {
    delete window_;
    fixture_.tearDown();
    guitest::checkNoTopLevelWidgetLeft();
}

void ListeEkleFormuTest::opensIdleWithItsLayout() {
    const Editor e = editor();
    QCOMPARE(window_->windowTitle(), QStringLiteral("Yeni Liste Ekle..."));
    QCOMPARE(window_->size(), QSize(556, 428));
    QCOMPARE(e.rate()->geometry(), QRect(96, 60, 85, 19));
    QCOMPARE(e.start()->value(), QDate(2024, 3, 14));
    QCOMPARE(e.end()->value(), QDate(2024, 3, 15));
    QCOMPARE(e.list()->columnCount(), 5);
    // Shares of the list's width: a ninth, a fifth, a sixth, an eleventh, 1 / 2.7.
    const std::array<int, 5> widths{58, 104, 87, 47, 193};
    for (int column = 0; column < 5; ++column) {
        QVERIFY(qAbs(e.list()->columnWidth(column) - widths[column]) <= 1);
    }

    // Idle, no rows.
    QVERIFY(!e.area()->isEnabled());
    QVERIFY(!e.rate()->isEnabled());
    QCOMPARE(e.twoState()->text(), QStringLiteral("Yeni &Dönem Belirle"));
    QVERIFY(!e.button("VazgeçButonu")->isEnabled());
    QVERIFY(!e.button("ListeyiTemizleButonu")->isEnabled());
    QVERIFY(!e.button("ListeyiKaydetButonu")->isEnabled());
    QVERIFY(e.button("KapatButonu")->isEnabled());
    QCOMPARE(e.rate()->contextMenuPolicy(), Qt::PreventContextMenu);

    // Entry.
    e.twoState()->click();
    QVERIFY(e.area()->isEnabled());
    QCOMPARE(e.twoState()->text(), QStringLiteral("&Listeye Ekle"));
    QVERIFY(e.button("VazgeçButonu")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), e.start());
    QCOMPARE(
        child<QLabel>(window_, QStringLiteral("Etiket0"))->palette().color(QPalette::WindowText),
        shell::shared().LabelHighlightColour);
}

void ListeEkleFormuTest::firstPeriodRunsFromYesterdayToToday() {
    const Editor e = editor();
    e.twoState()->click();
    e.rate()->setFocus();
    QTest::keyClicks(e.rate(), QStringLiteral("12,5"));
    QTest::mouseClick(e.twoState(), Qt::LeftButton);

    QVERIFY(fixture_.boxes.requests.empty());
    QCOMPARE(e.list()->rowCount(), 1);
    QCOMPARE(rowTexts(0), cells({"1", "14.03.2024", "15.03.2024", "12,50", ""}));
    QCOMPARE(e.list()->selectedRow(), 0);
    QVERIFY(!e.area()->isEnabled());
    QVERIFY(e.button("ListeyiTemizleButonu")->isEnabled());
    QVERIFY(e.button("ListeyiKaydetButonu")->isEnabled());
    QVERIFY(!e.start()->value() && !e.end()->value());
    QVERIFY(e.rate()->text().isEmpty());

    // A one-day period is accepted; its number follows the rows.
    e.addPeriod(QDate(2024, 3, 16), QDate(2024, 3, 16), QStringLiteral("5"), QStringLiteral("x"));
    QVERIFY(fixture_.boxes.requests.empty());
    QCOMPARE(rowTexts(1), cells({"2", "16.03.2024", "16.03.2024", "5", "x"}));
    QCOMPARE(e.list()->selectedRow(), 1);
}

void ListeEkleFormuTest::startDateIsPutRightAfterM1AndM2() {
    const Editor e = editor();
    e.addPeriod(QDate(2007, 1, 1), QDate(2007, 12, 31), QStringLiteral("9"));
    e.twoState()->click();
    QCOMPARE(e.start()->value(), QDate(2008, 1, 1));
    QVERIFY(!e.end()->value()); // left empty by the add before

    e.end()->setValue(QDate(2008, 6, 30));
    e.rate()->setText(QStringLiteral("10"));
    e.start()->setValue(QDate(2007, 12, 31));
    e.rate()->setFocus();
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::M1)});
    QCOMPARE(e.start()->value(), QDate(2008, 1, 1));
    QCOMPARE(QApplication::focusWidget(), e.start());
    QCOMPARE(e.list()->rowCount(), 1);
    QVERIFY(e.area()->isEnabled());

    e.start()->setValue(QDate(2008, 1, 3));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts().last(), q(editing::M2));
    QCOMPARE(e.start()->value(), QDate(2008, 1, 1));
    QCOMPARE(fixture_.boxes.requests.back().icon, shell::Icon::Information);
    QCOMPARE(fixture_.boxes.requests.back().caption, QStringLiteral("Mirvane"));

    e.twoState()->click();
    QCOMPARE(fixture_.boxes.requests.size(), std::size_t(2));
    QCOMPARE(rowTexts(1), cells({"2", "01.01.2008", "30.06.2008", "10,00", ""}));
}

void ListeEkleFormuTest::endDateIsPutRightAfterM3OnAnEmptyList() {
    const Editor e = editor();
    e.twoState()->click();
    e.setDates(QDate(2008, 1, 10), QDate(2008, 1, 5));
    e.rate()->setText(QStringLiteral("5"));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::M3)});
    QCOMPARE(e.start()->value(), QDate(2008, 1, 10));
    QCOMPARE(e.end()->value(), QDate(2008, 1, 11));
    QCOMPARE(QApplication::focusWidget(), e.end());
    QCOMPARE(e.list()->rowCount(), 0);
}

void ListeEkleFormuTest::rateChecksAndOnlyTheFirstFailure() {
    const Editor e = editor();
    e.addPeriod(QDate(2007, 1, 1), QDate(2007, 12, 31), QStringLiteral("9"));

    // A start inside the previous period and an empty rate: M1 alone.
    e.twoState()->click();
    e.setDates(QDate(2007, 6, 1), QDate(2008, 6, 30));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::M1)});

    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts().last(), q(editing::M4));
    QCOMPARE(QApplication::focusWidget(), e.rate());

    e.rate()->setText(QStringLiteral("0"));
    e.description()->setFocus();
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts().last(), q(editing::M5));
    QCOMPARE(QApplication::focusWidget(), e.rate());
    QCOMPARE(e.rate()->selectedText(), QStringLiteral("0,00"));
    QCOMPARE(e.list()->rowCount(), 1);
}

void ListeEkleFormuTest::emptiedDatePickersLetNoPeriodIn() {
    const Editor e = editor();
    e.addPeriod(QDate(2007, 1, 1), QDate(2007, 12, 31), QStringLiteral("9"));
    e.press("ListeyiTemizleButonu");
    // Clearing leaves the pickers empty, as the add before left them.
    e.twoState()->click();
    e.rate()->setText(QStringLiteral("9"));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::StartDateMissing)});
    QCOMPARE(QApplication::focusWidget(), e.start());

    e.start()->setValue(QDate(2008, 1, 1));
    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts().last(), q(editing::EndDateMissing));
    QCOMPARE(QApplication::focusWidget(), e.end());
    QCOMPARE(e.list()->rowCount(), 0);
}

void ListeEkleFormuTest::enterMovesThroughTheFieldsAndConfirms() {
    const Editor e = editor();
    e.twoState()->click();
    // Enter in a date picker confirms nothing.
    QTest::keyClick(e.start(), Qt::Key_Return);
    QVERIFY(e.area()->isEnabled());
    QVERIFY(fixture_.boxes.requests.empty());
    e.rate()->setFocus();
    QTest::keyClicks(e.rate(), QStringLiteral("7"));
    QTest::keyClick(e.rate(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), e.description());
    QCOMPARE(e.rate()->text(), QStringLiteral("7,00"));
    QCOMPARE(
        child<QLabel>(window_, QStringLiteral("Etiket3"))->palette().color(QPalette::WindowText),
        shell::shared().LabelHighlightColour);

    QTest::keyClicks(e.description(), QStringLiteral("Karar"));
    QTest::keyClick(e.description(), Qt::Key_Return);
    QCOMPARE(e.description()->toPlainText(), QStringLiteral("Karar"));
    QCOMPARE(QApplication::focusWidget(), e.twoState());

    QTest::keyClick(e.twoState(), Qt::Key_Return);
    QCOMPARE(e.list()->rowCount(), 1);
    QCOMPARE(rowTexts(0), cells({"1", "14.03.2024", "15.03.2024", "7,00", "Karar"}));

    // The rate field has no length limit of its own, only the digits of any amount.
    e.twoState()->click();
    e.rate()->setFocus();
    QTest::keyClicks(e.rate(), QString(25, u','));
    QCOMPARE(e.rate()->text().size(), 25);
    e.rate()->clear();
    QTest::keyClicks(e.rate(), QString(25, u'1'));
    QCOMPARE(e.rate()->text(), QString(15, u'1'));
}

void ListeEkleFormuTest::descriptionTakesAtMostHundredCharacters() {
    const Editor e = editor();
    e.twoState()->click();
    e.description()->setFocus();
    QTest::keyClicks(e.description(), QString(99, u'a'));
    QTest::keyClicks(e.description(), QStringLiteral("bcd"));
    QCOMPARE(e.description()->toPlainText(), QString(99, u'a') + u'b');

    // What is pasted keeps only what fits, from its front, where it went in.
    e.description()->setPlainText(QString(90, u'a'));
    QTextCursor caret = e.description()->textCursor();
    caret.setPosition(10);
    e.description()->setTextCursor(caret);
    e.description()->insertPlainText(QString(20, u'x'));
    QCOMPARE(e.description()->toPlainText(),
             QString(10, u'a') + QString(10, u'x') + QString(80, u'a'));
}

void ListeEkleFormuTest::cancelAndClear() {
    const Editor e = editor();
    e.addPeriod(QDate(2007, 1, 1), QDate(2007, 12, 31), QStringLiteral("9"));
    e.twoState()->click();
    e.end()->setValue(QDate(2008, 3, 1));
    e.rate()->setText(QStringLiteral("8"));
    e.description()->setPlainText(QStringLiteral("not"));
    e.press("VazgeçButonu");
    QCOMPARE(e.start()->value(), QDate(2008, 1, 1));
    QCOMPARE(e.end()->value(), QDate(2008, 3, 1));
    QVERIFY(e.rate()->text().isEmpty());
    QVERIFY(e.description()->toPlainText().isEmpty());
    QCOMPARE(e.list()->rowCount(), 1);
    QVERIFY(!e.area()->isEnabled());
    QCOMPARE(e.twoState()->text(), QStringLiteral("Yeni &Dönem Belirle"));
    QVERIFY(e.button("ListeyiKaydetButonu")->isEnabled());

    e.addPeriod(QDate(2008, 1, 1), QDate(2008, 3, 1), QStringLiteral("8"));
    e.press("ListeyiTemizleButonu");
    QCOMPARE(e.list()->rowCount(), 0);
    QVERIFY(fixture_.boxes.requests.empty());
    QVERIFY(!e.button("ListeyiTemizleButonu")->isEnabled());
    QVERIFY(!e.button("ListeyiKaydetButonu")->isEnabled());

    // Cancelling on an empty list leaves clearing and saving off.
    e.twoState()->click();
    e.press("VazgeçButonu");
    QVERIFY(!e.button("ListeyiKaydetButonu")->isEnabled());
}

// A ready list fills the rows as a starting point; nothing is written until it is
// saved, under its own name unless the user gives another.
void ListeEkleFormuTest::readyListFillsTheRowsAndProposesItsName() {
    const Editor e = editor();
    QPushButton* ready = e.button("HazırListelerButonu");
    QVERIFY(ready->isEnabled());
    QMenu* menu = ready->menu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 5);
    QCOMPARE(menu->actions()[3]->text(),
             QStringLiteral("Ticari Temerrüt Faizi (3095 m.2-2, 6 aylık)"));

    e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("12,50"));
    child<QAction>(window_, QStringLiteral("HazırListe4"))->trigger();
    const RateList& halfYears = *rates::readyList(rates::CommercialDefaultName);
    QCOMPARE(e.list()->rowCount(), int(halfYears.Periods.size()));
    QCOMPARE(rowTexts(0), cells({"1", "01.01.2000", "30.06.2000", "70",
                                 "31.12.1999 TCMB avans oranı (3095 sayılı Kanun m.2/2)"}));
    QCOMPARE(rowTexts(51)[3], QStringLiteral("44,25"));
    QVERIFY(e.button("ListeyiKaydetButonu")->isEnabled());
    QVERIFY(!fs::exists(listFile(halfYears.Name)));

    // Not while a period is being entered.
    e.twoState()->click();
    QVERIFY(!ready->isEnabled());
    e.press("VazgeçButonu");
    QVERIFY(ready->isEnabled());

    whenNameDialogOpens([&](QDialog& dialog) {
        auto* box = child<QLineEdit>(&dialog, QStringLiteral("ListeAdıKutusu"));
        QCOMPARE(box->text(), q(halfYears.Name));
        QCOMPARE(box->selectedText(), box->text());
        QTest::keyClick(box, Qt::Key_Return);
    });
    e.press("ListeyiKaydetButonu");
    const Result<RateList> saved = faiz::read(listFile(halfYears.Name));
    QVERIFY(saved.ok());
    QVERIFY(saved.value().Periods == halfYears.Periods);
    QCOMPARE(e.list()->rowCount(), 0);

    // A list typed by hand proposes no name.
    e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("12,50"));
    whenNameDialogOpens([](QDialog& dialog) {
        QCOMPARE(child<QLineEdit>(&dialog, QStringLiteral("ListeAdıKutusu"))->text(), QString());
    });
    e.press("ListeyiKaydetButonu");
}

void ListeEkleFormuTest::savesUnderANewNameAndStaysOpen() {
    const Editor e = editor();
    e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("12,50"),
                QStringLiteral("Şığ İçöü"));
    e.addPeriod(QDate(2022, 1, 1), QDate(2022, 6, 30), QStringLiteral("1.234,00"));

    whenNameDialogOpens([](QDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Liste Adı Girişi..."));
        QVERIFY(dialog.isModal());
        typeNameAndEnter(dialog, QStringLiteral("  Faiz 2021  "));
    });
    e.press("ListeyiKaydetButonu");

    QVERIFY(fixture_.boxes.requests.empty());
    QCOMPARE(window_->savedListName(), std::string("Faiz 2021"));
    const Result<RateList> saved = faiz::read(listFile("Faiz 2021"));
    QVERIFY(saved.ok());
    const std::vector<RatePeriod> expected{{on(2021, 1, 1), on(2021, 12, 31), 12.5, "Şığ İçöü"},
                                           {on(2022, 1, 1), on(2022, 6, 30), 1234, ""}};
    QVERIFY(saved.value().Periods == expected);
    QCOMPARE(fs::file_size(listFile("Faiz 2021")), std::uintmax_t(252));

    QVERIFY(window_->isVisible());
    QCOMPARE(e.list()->rowCount(), 0);
    QVERIFY(!e.area()->isEnabled());
    QVERIFY(!e.button("ListeyiTemizleButonu")->isEnabled());
    QVERIFY(!e.button("ListeyiKaydetButonu")->isEnabled());
}

void ListeEkleFormuTest::cancelledNameDialogAfterASaveLeavesNoName() {
    const Editor e = editor();
    e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("9"));
    whenNameDialogOpens([](QDialog& dialog) { typeNameAndEnter(dialog, QStringLiteral("A")); });
    e.press("ListeyiKaydetButonu");
    QCOMPARE(window_->savedListName(), std::string("A"));

    e.addPeriod(QDate(2022, 1, 1), QDate(2022, 12, 31), QStringLiteral("9"));
    whenNameDialogOpens([](QDialog& dialog) {
        QTest::keyClicks(child<QLineEdit>(&dialog, QStringLiteral("ListeAdıKutusu")),
                         QStringLiteral("B"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    e.press("ListeyiKaydetButonu");
    QVERIFY(window_->savedListName().empty());
    QVERIFY(!fs::exists(listFile("B")));
    QCOMPARE(e.list()->rowCount(), 1);
    QVERIFY(e.button("ListeyiKaydetButonu")->isEnabled());
}

void ListeEkleFormuTest::namesThatMakeNoListedFileAreRefused() {
    const Editor e = editor();
    e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("9"));
    const std::vector<std::string> before =
        store::enumerateListNames(shell::shared().ListFolder).value().names;
    for (const QString& name :
         {QStringLiteral("Faiz?"), QStringLiteral("a/b"), QStringLiteral("x:y"),
          QStringLiteral(".gizli"), QStringLiteral("Faiz."), QStringLiteral("CON"),
          QStringLiteral("lpt1.liste")}) {
        fixture_.boxes.requests.clear();
        whenNameDialogOpens([name](QDialog& dialog) { typeNameAndEnter(dialog, name); });
        QString shown;
        QString selected;
        whenNameDialogReopens(name, [&](QLineEdit& box) {
            shown = box.text();
            selected = box.selectedText();
        });
        e.press("ListeyiKaydetButonu");
        QCOMPARE(fixture_.boxes.texts(), QStringList{q(M6)});
        // The dialog came back with the refused name in it, selected for retyping.
        QCOMPARE(shown, name);
        QCOMPARE(selected, name);
        QVERIFY(window_->savedListName().empty());
        QCOMPARE(e.list()->rowCount(), 1);
        QVERIFY(e.button("ListeyiKaydetButonu")->isEnabled());
    }
    QVERIFY(store::enumerateListNames(shell::shared().ListFolder).value().names == before);
    QCOMPARE(
        std::distance(fs::directory_iterator(shell::shared().ListFolder), fs::directory_iterator()),
        std::ptrdiff_t(before.size()));

    // The user can then save under a good name.
    whenNameDialogOpens([](QDialog& dialog) { typeNameAndEnter(dialog, QStringLiteral("İyi")); });
    e.press("ListeyiKaydetButonu");
    QVERIFY(fs::exists(listFile("İyi")));
}

void ListeEkleFormuTest::failedWriteKeepsTheRowsAndReports() {
#ifdef _WIN32
    QSKIP("Windows: a folder cannot be made unwritable for its owner there; "
          "SafeFolder.EveryFailedStepKeepsTheOldFileAndLeavesNoTemporaryFile covers failed writes");
#else
    const Editor e = editor();
    e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("9"));
    {
        const FailingWrites failing(shell::shared().ListFolder);
        whenNameDialogOpens(
            [](QDialog& dialog) { typeNameAndEnter(dialog, QStringLiteral("Yeni")); });
        e.press("ListeyiKaydetButonu");
    }
    QCOMPARE(fixture_.boxes.requests.size(), std::size_t(1));
    QCOMPARE(fixture_.boxes.requests[0].caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(fixture_.endings, 0);
    QVERIFY(!fs::exists(listFile("Yeni")));
    QVERIFY(window_->savedListName().empty());
    QCOMPARE(e.list()->rowCount(), 1);
    QVERIFY(e.button("ListeyiKaydetButonu")->isEnabled());
    QCOMPARE(
        std::distance(fs::directory_iterator(shell::shared().ListFolder), fs::directory_iterator()),
        std::ptrdiff_t(3)); // no temporary file left behind
#endif
}

void ListeEkleFormuTest::the256thPeriodIsRefused() {
    const Editor e = editor();
    QDate start(1990, 1, 1);
    for (int k = 0; k < 255; ++k) {
        e.addPeriod(start, start.addDays(9), QStringLiteral("%1").arg(k + 1));
        start = start.addDays(10);
    }
    QVERIFY(fixture_.boxes.requests.empty());
    QCOMPARE(e.list()->rowCount(), 255);
    QCOMPARE(e.list()->cellText(254, 0), QStringLiteral("255"));

    e.twoState()->click();
    QCOMPARE(fixture_.boxes.texts(), QStringList{q(editing::TooManyPeriods)});
    QVERIFY(!e.area()->isEnabled());
    QCOMPARE(e.list()->rowCount(), 255);

    whenNameDialogOpens([](QDialog& dialog) { typeNameAndEnter(dialog, QStringLiteral("Uzun")); });
    e.press("ListeyiKaydetButonu");
    QCOMPARE(fs::file_size(listFile("Uzun")), std::uintmax_t(255 * 128 - 4));
    const Result<RateList> saved = faiz::read(listFile("Uzun"));
    QVERIFY(saved.ok());
    QCOMPARE(saved.value().Periods.back().Rate, 255.0);
}

// Rows not saved are not thrown away by Esc, "Kapat (Esc)" or the close box
// without a question whose default is No; an empty window closes at once.
void ListeEkleFormuTest::closingWithUnsavedRowsAsksFirst() {
    const Editor e = editor();
    const QString question =
        QStringLiteral("Yapılan değişiklikler kaydedilmedi. Kaydetmeden kapatılsın mı?");
    e.twoState()->click();
    e.rate()->setFocus();
    fixture_.boxes.answers = {shell::Answer::No};
    QTest::keyClick(e.rate(), Qt::Key_Escape);
    QCOMPARE(fixture_.boxes.texts(), QStringList{question});
    QVERIFY(fixture_.boxes.requests[0].buttons == shell::Buttons::NoYes);
    QVERIFY(window_->isVisible());

    e.press("VazgeçButonu");
    e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("9"));
    // After a period is added the focus is ready for the next, never on "Kapat".
    QCOMPARE(QApplication::focusWidget(), e.twoState());
    fixture_.boxes.answers = {shell::Answer::No, shell::Answer::No};
    e.press("KapatButonu");
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
    fixture_.boxes.answers = {shell::Answer::Yes};
    QTest::keyClick(e.list(), Qt::Key_Escape);
    QVERIFY(!window_->isVisible());
    QCOMPARE(window_->result(), int(QDialog::Rejected));
    QCOMPARE(fixture_.boxes.requests.size(), std::size_t(4));

    // Saved, the rows leave the window, and nothing is left to lose.
    fixture_.boxes.requests.clear();
    delete window_;
    window_ = new ListeEkleFormu;
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    const Editor again = editor();
    again.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("9"));
    whenNameDialogOpens([](QDialog& dialog) { typeNameAndEnter(dialog, QStringLiteral("Yeni")); });
    again.press("ListeyiKaydetButonu");
    again.press("KapatButonu");
    QVERIFY(!window_->isVisible());
    QVERIFY(fixture_.boxes.requests.empty());
}

// The list file cannot hold every character: what it cannot (₺, Ω) never enters the
// description, typed or pasted, so that what is shown is what is saved.
void ListeEkleFormuTest::descriptionRefusesCharactersTheFileCannotHold() {
    const Editor e = editor();
    e.twoState()->click();
    e.description()->setFocus();
    for (const QString& typed : {QStringLiteral("1"), QStringLiteral("₺"), QStringLiteral("ş"),
                                 QStringLiteral("Ω"), QStringLiteral("€")}) {
        QTest::sendKeyEvent(QTest::Click, e.description(), Qt::Key_unknown, typed, {});
    }
    QCOMPARE(e.description()->toPlainText(), QStringLiteral("1ş€"));
    QVERIFY(QToolTip::text().contains(QStringLiteral("Ω")));
    e.description()->insertPlainText(QStringLiteral(" 5.000 ₺ faiz 😀 ?"));
    QCOMPARE(e.description()->toPlainText(), QStringLiteral("1ş€ 5.000  faiz  ?"));
    e.rate()->setText(QStringLiteral("9"));
    e.twoState()->click();
    QCOMPARE(e.list()->cellText(0, 4), QStringLiteral("1ş€ 5.000  faiz  ?"));
}

void ListeEkleFormuTest::nameDialogTrimsAndHandsBackTheName() {
    ListeAdıGirişFormu dialog(window_);
    dialog.show();
    QTRY_VERIFY(dialog.isActiveWindow());
    // Wider than drawn where the caption needs it, the controls kept together.
    QCOMPARE(dialog.height(), 115);
    QVERIFY(dialog.width() >= 204);
    auto* box = child<QLineEdit>(&dialog, QStringLiteral("ListeAdıKutusu"));
    QVERIFY(std::abs(box->x() - (dialog.width() - box->x() - box->width())) <= 2);
    // Windows hands the focus over a moment after the window becomes active.
    QTRY_COMPARE(QApplication::focusWidget(), box);
    QTest::keyClicks(box, QString(101, u'a'));
    QCOMPARE(box->text().size(), 100);

    box->clear();
    typeNameAndEnter(dialog, QStringLiteral("  Faiz 2020  "));
    QCOMPARE(box->text(), QStringLiteral("Faiz 2020"));
    QCOMPARE(dialog.acceptedName(), std::string("Faiz 2020"));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void ListeEkleFormuTest::nameDialogRefusesEmptyAndTakenNames() {
    ListeAdıGirişFormu dialog(window_);
    dialog.show();
    QTRY_VERIFY(dialog.isActiveWindow());
    auto* box = child<QLineEdit>(&dialog, QStringLiteral("ListeAdıKutusu"));

    typeNameAndEnter(dialog, QStringLiteral("   "));
    QCOMPARE(fixture_.boxes.texts(), QStringList{QStringLiteral("Bir liste adı girmelisiniz!")});
    QVERIFY(box->text().isEmpty());
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), box);

    typeNameAndEnter(dialog, QStringLiteral("Adi Alacaklar (Kanuni Faiz)"));
    QCOMPARE(fixture_.boxes.texts().last(),
             QStringLiteral("Bu adla kaydettiğiniz başka bir liste var!\r\n"
                            "Lütfen farklı bir liste adı giriniz."));
    QCOMPARE(box->selectedText(), QStringLiteral("Adi Alacaklar (Kanuni Faiz)"));
    QCOMPARE(QApplication::focusWidget(), box);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.acceptedName().empty());

    // Characters are left to the save: the dialog hands such a name back.
    box->clear();
    typeNameAndEnter(dialog, QStringLiteral("a?b"));
    QCOMPARE(dialog.acceptedName(), std::string("a?b"));
}

void ListeEkleFormuTest::nameDialogCancelAndCloseLeaveNoName() {
    {
        ListeAdıGirişFormu dialog(window_);
        dialog.show();
        QTRY_VERIFY(dialog.isActiveWindow());
        child<QLineEdit>(&dialog, QStringLiteral("ListeAdıKutusu"))
            ->setText(QStringLiteral("eski"));
        child<QPushButton>(&dialog, QStringLiteral("İptalButonu"))->click();
        QVERIFY(dialog.acceptedName().empty());
        QVERIFY(!dialog.isVisible());
    }
    {
        // A refused name, then the window system's close: nothing is handed back.
        ListeAdıGirişFormu dialog(window_);
        dialog.show();
        QTRY_VERIFY(dialog.isActiveWindow());
        typeNameAndEnter(dialog, QStringLiteral("Ticari Alacaklar (Reeskont-Avans)"));
        dialog.close();
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.acceptedName().empty());
    }
}

QTEST_MAIN(ListeEkleFormuTest)
#include "ListeEkleFormuTest.moc"
