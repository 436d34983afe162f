#include "shell/Controls.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "tests/gui/GuiTestSupport.h"
#include "ui/span/SureHesaplamaFormu.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

using namespace mirvane;
using namespace mirvane::shell;
using guitest::FakeBoxes;

namespace {

const QDate Today(2010, 6, 15);

QDate dayOf(const char* text) {
    return QDate::fromString(guitest::q(text), QStringLiteral("dd.MM.yyyy"));
}

} // namespace

class SpanTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithTodayDaysAndNoResult();
    void calendarCases_data();
    void calendarCases();
    void everyInputChangeRecomputes();
    void amountTakesThreeDigitsOnly();
    void emptyingTheAmountEmptiesTheResult();
    void copyButtonFollowsTheResultAndCopiesOnce();
    void resultPastTheLastDayIsReported();
    void keyboardOrderAndFocusCues();
    void escapeCloses();
    void lastDayFollowsTheProcedure();
    void longestStepsAndNoticesShowWhole();
    void commonPeriodsFillTheValues();
    void copyTakesTheLastDay();
    void newPartKeyboardRound();

private:
    template <class Widget> Widget* child(const char* name) {
        auto* widget = form_->findChild<Widget*>(guitest::q(name));
        if (!widget) {
            qFatal("no control %s", name);
        }
        return widget;
    }
    DateTimePicker* startDate() { return child<DateTimePicker>("BaşlangıçTarihiKutusu"); }
    QComboBox* unit() { return child<QComboBox>("EklenecekZamanDilimiKutusu"); }
    QLineEdit* amount() { return child<QLineEdit>("EklenecekZamanMiktarıKutusu"); }
    QLineEdit* result() { return child<QLineEdit>("SonuçKutusu"); }
    QPushButton* copy() { return child<QPushButton>("KopyalaButonu"); }
    QPushButton* close() { return child<QPushButton>("KapatButonu"); }
    QLabel* weekday() { return child<QLabel>("BulunanGünEtiketi"); }
    QComboBox* periods() { return child<QComboBox>("SıkKullanılanSürelerKutusu"); }
    QComboBox* procedure() { return child<QComboBox>("UsulKutusu"); }
    QCheckBox* urgent() { return child<QCheckBox>("İvediİşOnayı"); }
    QLineEdit* lastDay() { return child<QLineEdit>("SonGünKutusu"); }
    QPlainTextEdit* stepsBox() { return child<QPlainTextEdit>("AdımlarKutusu"); }
    QPlainTextEdit* noticesBox() { return child<QPlainTextEdit>("UyarılarKutusu"); }
    QString steps() { return stepsBox()->toPlainText(); }
    QString notices() { return noticesBox()->toPlainText(); }

    // Types a date into the start-date picker as a user does.
    void typeStartDate(const QString& digits) {
        startDate()->setFocus();
        QTest::keyClicks(startDate(), digits);
        QTest::keyClick(startDate(), Qt::Key_Tab);
    }

    void typeAmount(const QString& keys) { QTest::keyClicks(amount(), keys); }

    FakeBoxes boxes_;
    int programEnds_ = 0;
    std::unique_ptr<SüreHesaplamaFormu> form_;
};

void SpanTest::initTestCase() {
    shared().today = [] {
        return Today;
    };
    setMessageBoxes(&boxes_);
    setProgramEnder([this] { ++programEnds_; });
}

void SpanTest::init() {
    boxes_.requests.clear();
    boxes_.answers.clear();
    programEnds_ = 0;
    form_ = std::make_unique<SüreHesaplamaFormu>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    amount()->setFocus();
}

void SpanTest::cleanup() {
    form_.reset();
    guitest::checkNoTopLevelWidgetLeft();
}

void SpanTest::opensWithTodayDaysAndNoResult() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Süre Hesaplama"));
    QCOMPARE(startDate()->value(), std::optional<QDate>(Today));
    QCOMPARE(unit()->count(), 4);
    const QStringList items{unit()->itemText(0), unit()->itemText(1), unit()->itemText(2),
                            unit()->itemText(3)};
    QCOMPARE(items, QStringList({QStringLiteral("Gün"), QStringLiteral("Hafta"),
                                 QStringLiteral("Ay"), QStringLiteral("Yıl")}));
    QCOMPARE(unit()->currentIndex(), 0);
    QVERIFY(!unit()->isEditable());
    QCOMPARE(amount()->text(), QString());
    QCOMPARE(result()->text(), QString());
    QVERIFY(!result()->isEnabled());
    QVERIFY(!copy()->isEnabled());
    QVERIFY(!child<QLabel>("Etiket3")->isEnabled());
    // Grown downwards for the last day; the first part keeps its places.
    QCOMPARE(form_->size().width(), 278);
    QVERIFY(form_->size().height() > 236);
    QCOMPARE(copy()->geometry(), QRect(8, 200, 161, 23));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(lastDay()->mapTo(form_.get(), QPoint()).y() >
            result()->mapTo(form_.get(), QPoint()).y());

    QCOMPARE(procedure()->count(), 4);
    QCOMPARE(QStringList({procedure()->itemText(0), procedure()->itemText(1),
                          procedure()->itemText(2), procedure()->itemText(3)}),
             QStringList({QStringLiteral("Takvim"), QStringLiteral("HMK"), QStringLiteral("İİK"),
                          QStringLiteral("CMK")}));
    QCOMPARE(procedure()->currentText(), QStringLiteral("HMK"));
    QCOMPARE(urgent()->text(), QStringLiteral("İvedi iş (adli tatil işlemez)"));
    QVERIFY(!urgent()->isChecked());
    QVERIFY(urgent()->isEnabled());
    QCOMPARE(periods()->count(), 12);
    QCOMPARE(periods()->currentIndex(), -1);
    QCOMPARE(periods()->itemText(0), QStringLiteral("İstinaf (HMK 345): 2 hafta"));
    QCOMPARE(lastDay()->text(), QString());
    QCOMPARE(weekday()->text(), QString());
    QCOMPARE(steps(), QString());
    QCOMPARE(notices(), QString());
    QCOMPARE(amount()->contextMenuPolicy(), Qt::PreventContextMenu);
    // No appeal-period preset is offered.
    QVERIFY(!form_->findChild<QWidget*>(QStringLiteral("TemyizSeçeneği0")));
}

void SpanTest::calendarCases_data() {
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("found");
    QTest::newRow("month end, common year") << dayOf("31.01.2009") << 2 << "1"
                                            << "28.02.2009";
    QTest::newRow("month end, leap year") << dayOf("31.01.2008") << 2 << "1"
                                          << "29.02.2008";
    QTest::newRow("leap day + 1 year") << dayOf("29.02.2008") << 3 << "1"
                                       << "28.02.2009";
    QTest::newRow("leap day + 4 years") << dayOf("29.02.2008") << 3 << "4"
                                        << "29.02.2012";
    QTest::newRow("two weeks") << dayOf("01.03.2010") << 1 << "2"
                               << "15.03.2010";
    QTest::newRow("amount 0") << dayOf("17.05.2010") << 2 << "0"
                              << "17.05.2010";
}

void SpanTest::calendarCases() {
    QFETCH(QDate, start);
    QFETCH(int, unit);
    QFETCH(QString, amount);
    QFETCH(QString, found);
    startDate()->setValue(start);
    this->unit()->setCurrentIndex(unit);
    typeAmount(amount);
    QCOMPARE(result()->text(), found);
    QVERIFY(copy()->isEnabled());
    QVERIFY(boxes_.requests.empty());
}

void SpanTest::everyInputChangeRecomputes() {
    typeAmount(QStringLiteral("1"));
    QCOMPARE(result()->text(), QStringLiteral("16.06.2010"));
    unit()->setCurrentIndex(2);
    QCOMPARE(result()->text(), QStringLiteral("15.07.2010"));
    startDate()->setValue(dayOf("31.08.2010"));
    QCOMPARE(result()->text(), QStringLiteral("30.09.2010"));
    typeAmount(QStringLiteral("2"));
    QCOMPARE(result()->text(), QStringLiteral("31.08.2011"));

    // The unit list is stepped with the keyboard too.
    unit()->setFocus();
    QTest::keyClick(unit(), Qt::Key_Down);
    QCOMPARE(unit()->currentText(), QStringLiteral("Yıl"));
    QCOMPARE(result()->text(), QStringLiteral("31.08.2022"));

    // A picker holding no date gives no result.
    startDate()->setValue(std::nullopt);
    QCOMPARE(result()->text(), QString());
    QVERIFY(!copy()->isEnabled());
}

void SpanTest::amountTakesThreeDigitsOnly() {
    typeAmount(QStringLiteral("1a2"));
    QCOMPARE(amount()->text(), QStringLiteral("12"));
    typeAmount(QStringLiteral("-+ .,/3"));
    QCOMPARE(amount()->text(), QStringLiteral("123"));
    typeAmount(QStringLiteral("4"));
    QCOMPARE(amount()->text(), QStringLiteral("123"));
    QCOMPARE(result()->text(), QStringLiteral("16.10.2010"));
    QTest::sendKeyEvent(QTest::Click, amount(), Qt::Key_unknown, QStringLiteral("٣"), {});
    QCOMPARE(amount()->text(), QStringLiteral("123"));

    // Clipboard shortcuts type nothing here: neither a paste nor a cut.
    QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
    amount()->setText(QString());
    QTest::keyClick(amount(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(amount()->text(), QString());
    typeAmount(QStringLiteral("45"));
    amount()->selectAll();
    QTest::keyClick(amount(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(amount()->text(), QStringLiteral("45"));

    // Backspace and Delete edit as usual.
    QTest::keyClick(amount(), Qt::Key_End);
    QTest::keyClick(amount(), Qt::Key_Backspace);
    QCOMPARE(amount()->text(), QStringLiteral("4"));
    QTest::keyClick(amount(), Qt::Key_Home);
    QTest::keyClick(amount(), Qt::Key_Delete);
    QCOMPARE(amount()->text(), QString());

    // Text that reaches the box by a keyboard paste counts by its leading digits.
    amount()->setText(QStringLiteral("7x"));
    QCOMPARE(result()->text(), QStringLiteral("22.06.2010"));
    amount()->setText(QStringLiteral("x7"));
    QCOMPARE(result()->text(), QStringLiteral("15.06.2010"));
}

void SpanTest::emptyingTheAmountEmptiesTheResult() {
    typeAmount(QStringLiteral("10"));
    QCOMPARE(result()->text(), QStringLiteral("25.06.2010"));
    QVERIFY(copy()->isEnabled());
    QTest::keyClick(amount(), Qt::Key_Backspace);
    QCOMPARE(result()->text(), QStringLiteral("16.06.2010"));
    QTest::keyClick(amount(), Qt::Key_Backspace);
    QCOMPARE(amount()->text(), QString());
    QCOMPARE(result()->text(), QString());
    QVERIFY(!copy()->isEnabled());
}

void SpanTest::copyButtonFollowsTheResultAndCopiesOnce() {
    QGuiApplication::clipboard()->setText(QStringLiteral("eski"));
    typeAmount(QStringLiteral("3"));
    QVERIFY(copy()->isEnabled());
    QTest::mouseClick(copy(), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("18.06.2010"));
    QVERIFY(!copy()->isEnabled());

    // A recomputation that finds the same date does not enable it again.
    amount()->setText(QStringLiteral("03"));
    QCOMPARE(result()->text(), QStringLiteral("18.06.2010"));
    QVERIFY(!copy()->isEnabled());

    // A new date does, and the access key copies it.
    typeAmount(QStringLiteral("1"));
    QCOMPARE(result()->text(), QStringLiteral("16.07.2010"));
    QVERIFY(copy()->isEnabled());
    QTest::keyClick(form_.get(), Qt::Key_U, Qt::AltModifier);
    // The access key presses the button visibly, so the click comes a moment later.
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("16.07.2010"));
    QVERIFY(!copy()->isEnabled());
}

void SpanTest::resultPastTheLastDayIsReported() {
    startDate()->setValue(dayOf("31.12.9999"));
    typeAmount(QStringLiteral("0"));
    QCOMPARE(result()->text(), QStringLiteral("31.12.9999"));
    QVERIFY(copy()->isEnabled());

    boxes_.answers = {Answer::Yes};
    typeAmount(QStringLiteral("1"));
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(boxes_.requests[0].caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(boxes_.requests[0].buttons, Buttons::YesNo);
    QVERIFY(boxes_.requests[0].text.contains(QStringLiteral("Hata Kodu: 5")));
    QCOMPARE(result()->text(), QStringLiteral("31.12.9999"));
    QVERIFY(copy()->isEnabled());
    QCOMPARE(programEnds_, 0);
    QVERIFY(form_->isVisible());

    // Every further failing change reports again; "No" ends the program.
    boxes_.answers = {Answer::No};
    unit()->setCurrentIndex(3);
    QCOMPARE(boxes_.requests.size(), std::size_t(2));
    QCOMPARE(programEnds_, 1);
    QCOMPARE(result()->text(), QStringLiteral("31.12.9999"));
}

void SpanTest::keyboardOrderAndFocusCues() {
    const QColor highlight = shared().LabelHighlightColour;
    const QColor plain = form_->palette().color(QPalette::WindowText);
    auto labelColour = [this](const char* name) {
        return child<QLabel>(name)->palette().color(QPalette::WindowText);
    };

    startDate()->setFocus();
    QVERIFY(startDate()->hasFocus());
    QCOMPARE(labelColour("Etiket0"), highlight);
    unit()->setFocus();
    QCOMPARE(labelColour("Etiket0"), plain);
    QCOMPARE(labelColour("Etiket1"), highlight);

    // Enter in the unit list moves on to the amount, whose text is then selected.
    amount()->setText(QStringLiteral("12"));
    amount()->deselect();
    QTest::keyClick(unit(), Qt::Key_Return);
    QVERIFY(amount()->hasFocus());
    QCOMPARE(labelColour("Etiket1"), plain);
    QCOMPARE(labelColour("Etiket2"), highlight);
    QCOMPARE(amount()->selectedText(), QStringLiteral("12"));

    // Enter in the amount moves on past the result to the copy button.
    QTest::keyClick(amount(), Qt::Key_Return);
    QCOMPARE(amount()->text(), QStringLiteral("12"));
    QVERIFY(copy()->hasFocus());
    QCOMPARE(labelColour("Etiket2"), plain);
    QTest::keyClick(copy(), Qt::Key_Tab);
    QVERIFY(close()->hasFocus());

    // Without a result the copy button is passed over.
    amount()->setText(QString());
    amount()->setFocus();
    QTest::keyClick(amount(), Qt::Key_Tab);
    QVERIFY(close()->hasFocus());

    // Enter in the date picker presses nothing.
    amount()->setFocus();
    typeAmount(QStringLiteral("5"));
    QVERIFY(copy()->isEnabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("eski"));
    startDate()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("eski"));
    QVERIFY(form_->isVisible());

    // The result never takes the focus, not even by a click.
    QTest::mouseClick(result(), Qt::LeftButton);
    QVERIFY(!result()->hasFocus());
}

void SpanTest::escapeCloses() {
    typeAmount(QStringLiteral("5"));
    QTest::keyClick(amount(), Qt::Key_Escape);
    QVERIFY(!form_->isVisible());
    QCOMPARE(form_->result(), int(QDialog::Rejected));

    SüreHesaplamaFormu again;
    again.show();
    QVERIFY(QTest::qWaitForWindowActive(&again));
    auto* closeButton = again.findChild<QPushButton*>(QStringLiteral("KapatButonu"));
    QTest::mouseClick(closeButton, Qt::LeftButton);
    QVERIFY(!again.isVisible());
}

void SpanTest::lastDayFollowsTheProcedure() {
    // An appeal period served on 17.07.2017 ends in the recess: 7 September.
    typeStartDate(QStringLiteral("17072017"));
    unit()->setFocus();
    QTest::keyClick(unit(), Qt::Key_Down);
    QCOMPARE(unit()->currentText(), QStringLiteral("Hafta"));
    amount()->setFocus();
    typeAmount(QStringLiteral("2"));
    QCOMPARE(result()->text(), QStringLiteral("31.07.2017"));
    QCOMPARE(weekday()->text(), QStringLiteral("Pazartesi"));
    QCOMPARE(lastDay()->text(), QStringLiteral("07.09.2017 Perşembe"));
    QCOMPARE(steps(), QStringLiteral("adli tatil (HMK 104): 07.09.2017 Perşembe"));
    QVERIFY(notices().contains(QStringLiteral("08.09.2017 Cuma")));
    // 2017's feasts are in the table: no notice on them.
    QVERIFY(!notices().contains(QStringLiteral("dinî bayram")));

    // An urgent matter is not extended.
    urgent()->setFocus();
    QTest::keyClick(urgent(), Qt::Key_Space);
    QVERIFY(urgent()->isChecked());
    QCOMPARE(lastDay()->text(), QStringLiteral("31.07.2017 Pazartesi"));
    QCOMPARE(steps(), QString());
    QVERIFY(!notices().contains(QStringLiteral("2873")));
    QTest::keyClick(urgent(), Qt::Key_Space);
    QCOMPARE(lastDay()->text(), QStringLiteral("07.09.2017 Perşembe"));

    // Enforcement knows no recess and has no use for the urgent box; the plain
    // calendar keeps the date found.
    procedure()->setFocus();
    QTest::keyClick(procedure(), Qt::Key_Down);
    QCOMPARE(procedure()->currentText(), QStringLiteral("İİK"));
    QVERIFY(!urgent()->isEnabled());
    QCOMPARE(lastDay()->text(), QStringLiteral("31.07.2017 Pazartesi"));
    // Criminal procedure: three days from the recess's end, past the Sunday and the last
    // day of 2017's Kurban Bayramı; the urgent box is offered again.
    QTest::keyClick(procedure(), Qt::Key_Down);
    QCOMPARE(procedure()->currentText(), QStringLiteral("CMK"));
    QVERIFY(urgent()->isEnabled());
    QCOMPARE(lastDay()->text(), QStringLiteral("05.09.2017 Salı"));
    QVERIFY(steps().contains(QStringLiteral("adli tatil (CMK 331/4): 03.09.2017 Pazar")));
    QTest::keyClick(procedure(), Qt::Key_Up);
    QTest::keyClick(procedure(), Qt::Key_Up);
    QTest::keyClick(procedure(), Qt::Key_Up);
    QCOMPARE(procedure()->currentText(), QStringLiteral("Takvim"));
    QCOMPARE(lastDay()->text(), QStringLiteral("31.07.2017 Pazartesi"));
    QCOMPARE(notices(), QString());

    // A start date that yields a Saturday: HMK moves on to the Monday.
    QTest::keyClick(procedure(), Qt::Key_Down);
    typeStartDate(QStringLiteral("31012026"));
    QCOMPARE(result()->text(), QStringLiteral("14.02.2026"));
    QCOMPARE(weekday()->text(), QStringLiteral("Cumartesi"));
    QCOMPARE(lastDay()->text(), QStringLiteral("16.02.2026 Pazartesi"));
    QCOMPARE(steps(), QStringLiteral("14.02.2026 Cumartesi → 16.02.2026 Pazartesi"));

    // No amount, no last day.
    amount()->setText(QString());
    QCOMPARE(lastDay()->text(), QString());
    QCOMPARE(weekday()->text(), QString());
    QCOMPARE(steps(), QString());
}

// The step that reaches the last day is the one a lawyer looks for: three steps
// of the longest kinds, and the 8 September notice with a different day, are
// read without scrolling.
void SpanTest::longestStepsAndNoticesShowWhole() {
    const auto showsWhole = [](QPlainTextEdit* box) {
        QApplication::processEvents();
        return box->verticalScrollBar()->maximum() == 0;
    };
    // Saturday 19.07.2025: the Monday is in the recess, 7 September a Sunday.
    typeStartDate(QStringLiteral("12072025"));
    unit()->setCurrentIndex(1);
    typeAmount(QStringLiteral("1"));
    QCOMPARE(lastDay()->text(), QStringLiteral("08.09.2025 Pazartesi"));
    QCOMPARE(steps().count(u'\n'), 2);
    QVERIFY(showsWhole(stepsBox()));

    // A national holiday, a feast and a weekend in a row.
    procedure()->setCurrentIndex(2);
    unit()->setCurrentIndex(0);
    typeStartDate(QStringLiteral("22042029"));
    QCOMPARE(lastDay()->text(), QStringLiteral("30.04.2029 Pazartesi"));
    QCOMPARE(steps().count(u'\n'), 2);
    QVERIFY(showsWhole(stepsBox()));

    // The other reading of the recess gives a Monday after the weekend.
    procedure()->setCurrentIndex(1);
    typeStartDate(QStringLiteral("30082029"));
    QCOMPARE(lastDay()->text(), QStringLiteral("07.09.2029 Cuma"));
    QVERIFY(notices().contains(QStringLiteral("10.09.2029 Pazartesi")));
    QVERIFY(showsWhole(noticesBox()));
}

void SpanTest::commonPeriodsFillTheValues() {
    typeStartDate(QStringLiteral("21072020"));
    // The access key reaches the list; each step down fills the values.
    QTest::keyClick(form_.get(), Qt::Key_K, Qt::AltModifier);
    QTRY_VERIFY(periods()->hasFocus());
    QTest::keyClick(periods(), Qt::Key_Down);
    QCOMPARE(amount()->text(), QStringLiteral("2"));
    QCOMPARE(unit()->currentText(), QStringLiteral("Hafta"));
    QCOMPARE(procedure()->currentText(), QStringLiteral("HMK"));
    QCOMPARE(periods()->currentIndex(), 0);
    QCOMPARE(result()->text(), QStringLiteral("04.08.2020"));
    QCOMPARE(lastDay()->text(), QStringLiteral("07.09.2020 Pazartesi"));

    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(periods(), Qt::Key_Down);
    }
    QCOMPARE(periods()->currentText(), QStringLiteral("Ödeme emrine itiraz (İİK 62): 7 gün"));
    QCOMPARE(amount()->text(), QStringLiteral("7"));
    QCOMPARE(unit()->currentText(), QStringLiteral("Gün"));
    QCOMPARE(procedure()->currentText(), QStringLiteral("İİK"));
    QCOMPARE(periods()->currentIndex(), 3);

    // A value changed by hand leaves the period; the last day follows the values.
    amount()->setFocus();
    amount()->selectAll();
    typeAmount(QStringLiteral("10"));
    QCOMPARE(periods()->currentIndex(), -1);
    QCOMPARE(result()->text(), QStringLiteral("31.07.2020"));
    QCOMPARE(lastDay()->text(), QStringLiteral("04.08.2020 Salı"));
    QCOMPARE(steps(), QStringLiteral("31.07.2020 Kurban Bayramı → 04.08.2020 Salı"));
    QCOMPARE(notices(), QString());

    // The bill-enforcement period over a Sunday in the recess.
    typeStartDate(QStringLiteral("03082004"));
    periods()->setFocus();
    QTest::keyClick(periods(), Qt::Key_Home);
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(periods(), Qt::Key_Down);
    }
    QCOMPARE(amount()->text(), QStringLiteral("5"));
    QCOMPARE(result()->text(), QStringLiteral("08.08.2004"));
    QCOMPARE(lastDay()->text(), QStringLiteral("09.08.2004 Pazartesi"));
}

void SpanTest::copyTakesTheLastDay() {
    QGuiApplication::clipboard()->setText(QStringLiteral("eski"));
    typeStartDate(QStringLiteral("17082024"));
    unit()->setCurrentIndex(1);
    amount()->setFocus();
    typeAmount(QStringLiteral("2"));
    QCOMPARE(result()->text(), QStringLiteral("31.08.2024"));
    QCOMPARE(lastDay()->text(), QStringLiteral("09.09.2024 Pazartesi"));
    QVERIFY(copy()->isEnabled());
    QTest::keyClick(form_.get(), Qt::Key_U, Qt::AltModifier);
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("09.09.2024"));
    QVERIFY(!copy()->isEnabled());

    // An urgent matter ends earlier: a new day to copy.
    urgent()->setFocus();
    QTest::keyClick(urgent(), Qt::Key_Space);
    QCOMPARE(lastDay()->text(), QStringLiteral("02.09.2024 Pazartesi"));
    QVERIFY(copy()->isEnabled());
    QTest::mouseClick(copy(), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("02.09.2024"));

    // Enforcement gives the same day: nothing new to copy.
    procedure()->setFocus();
    QTest::keyClick(procedure(), Qt::Key_Down);
    QCOMPARE(procedure()->currentText(), QStringLiteral("İİK"));
    QCOMPARE(lastDay()->text(), QStringLiteral("02.09.2024 Pazartesi"));
    QVERIFY(!copy()->isEnabled());

    // The plain calendar copies the date found.
    QTest::keyClick(procedure(), Qt::Key_Home);
    QVERIFY(copy()->isEnabled());
    QTest::mouseClick(copy(), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("31.08.2024"));
    QVERIFY(!copy()->isEnabled());
}

void SpanTest::newPartKeyboardRound() {
    typeAmount(QStringLiteral("5"));
    close()->setFocus();
    QTest::keyClick(close(), Qt::Key_Tab);
    QVERIFY(periods()->hasFocus());
    QCOMPARE(child<QLabel>("Etiket4")->palette().color(QPalette::WindowText),
             shared().LabelHighlightColour);
    // Enter in a list moves on as Tab does.
    QTest::keyClick(periods(), Qt::Key_Return);
    QVERIFY(procedure()->hasFocus());
    QTest::keyClick(procedure(), Qt::Key_Tab);
    QVERIFY(urgent()->hasFocus());
    QTest::keyClick(urgent(), Qt::Key_Tab);
    QVERIFY(startDate()->hasFocus() || startDate()->isAncestorOf(QApplication::focusWidget()));
    // The access key of the procedure.
    QTest::keyClick(form_.get(), Qt::Key_L, Qt::AltModifier);
    QTRY_VERIFY(procedure()->hasFocus());
    // The last day is shown only, never typed into.
    QVERIFY(lastDay()->isReadOnly());
    QCOMPARE(lastDay()->focusPolicy(), Qt::NoFocus);
}

QTEST_MAIN(SpanTest)
#include "SpanTest.moc"
