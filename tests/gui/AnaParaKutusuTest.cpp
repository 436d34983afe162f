#include "shell/AnaParaKutusu.h"

#include "core/text/Amount.h"
#include "core/text/TextForms.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/AmountCases.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

// The principal field between two other controls, so that leaving it can be seen.
class AnaParaKutusuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedAmountIsFormattedOnLeaving();
    void onlyDigitsAndTheCommaAreTyped();
    void keystrokesThatCanMakeNoAmountAreTakenBack();
    void enterMovesOnAndFormats();
    void leavingFormatsOrKeepsEmpty();
    void twentyOneCharactersAreRefused();
    void clipboardTakesOnlyAmounts();
    void textSetByProgramMeetsOnlyTheGuard();

private:
    void type(const QString& keys) { QTest::keyClicks(field_, keys); }
    void leave() { QTest::keyClick(field_, Qt::Key_Tab); }

    QWidget* window_ = nullptr;
    AnaParaKutusu* field_ = nullptr;
    QPushButton* next_ = nullptr;
};

void AnaParaKutusuTest::init() {
    window_ = new QWidget;
    auto* layout = new QVBoxLayout(window_);
    field_ = new AnaParaKutusu(window_);
    next_ = new QPushButton(QStringLiteral("&Faizi Hesapla"), window_);
    layout->addWidget(field_);
    layout->addWidget(next_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    field_->setFocus();
    QCOMPARE(QApplication::focusWidget(), field_);
}

void AnaParaKutusuTest::cleanup() {
    delete window_;
    guitest::checkNoTopLevelWidgetLeft();
}

void AnaParaKutusuTest::typedAmountIsFormattedOnLeaving() {
    type(QStringLiteral("1234,5"));
    QCOMPARE(field_->text(), QStringLiteral("1234,5"));
    leave();
    QCOMPARE(QApplication::focusWidget(), next_);
    QCOMPARE(field_->text(), QStringLiteral("1.234,50"));

    // The grouped form stays editable as it is.
    field_->setFocus();
    field_->end(false);
    type(QStringLiteral("9"));
    QCOMPARE(field_->text(), QStringLiteral("1.234,509"));
    leave();
    QCOMPARE(field_->text(), QStringLiteral("1.234,51"));
}

void AnaParaKutusuTest::onlyDigitsAndTheCommaAreTyped() {
    type(QStringLiteral("a.-+ x"));
    QCOMPARE(field_->text(), QString());
    type(QStringLiteral("12"));
    type(QStringLiteral("a.-+ /"));
    QCOMPARE(field_->text(), QStringLiteral("12"));
    QTest::sendKeyEvent(QTest::Click, field_, Qt::Key_unknown, QStringLiteral("ş"), {});
    QTest::sendKeyEvent(QTest::Click, field_, Qt::Key_unknown, QStringLiteral("٣"), {});
    QCOMPARE(field_->text(), QStringLiteral("12"));
    QTest::keyClick(field_, Qt::Key_Backspace);
    QCOMPARE(field_->text(), QStringLiteral("1"));
    QTest::keyClick(field_, Qt::Key_5, Qt::KeypadModifier);
    QCOMPARE(field_->text(), QStringLiteral("15"));
}

// A lone comma may begin ",5"; a second comma stays, marked, for the calculation to
// refuse ("1,250,000" is not read as 1,25); a digit past the limit is refused.
void AnaParaKutusuTest::keystrokesThatCanMakeNoAmountAreTakenBack() {
    type(QStringLiteral(","));
    QCOMPARE(field_->text(), QStringLiteral(","));
    type(QStringLiteral("5"));
    leave();
    QCOMPARE(field_->text(), QStringLiteral("0,50"));

    field_->clear();
    field_->setFocus();
    type(QStringLiteral("1,250,000"));
    QCOMPARE(field_->text(), QStringLiteral("1,250,000"));
    QVERIFY(field_->toolTip().startsWith(QStringLiteral("Tutar değil: 1,250,000")));
    QVERIFY(!field_->styleSheet().isEmpty());
    leave();
    QCOMPARE(field_->text(), QStringLiteral("1,250,000"));
    field_->clear();
    QVERIFY(field_->toolTip().isEmpty());
    QVERIFY(field_->styleSheet().isEmpty());

    field_->setFocus();
    type(QStringLiteral("12345678901234567890"));
    QCOMPARE(field_->text(), QStringLiteral("123456789012345"));
    QVERIFY(QToolTip::text().contains(QStringLiteral("en fazla 15 hane")));
    type(QStringLiteral(",5"));
    QCOMPARE(field_->text(), QStringLiteral("123456789012345,"));

    // A digit deleted from a grouped amount moves the full stops with it.
    field_->setText(QStringLiteral("1.234.567,50"));
    field_->setCursorPosition(3);
    QTest::keyClick(field_, Qt::Key_Backspace);
    QCOMPARE(field_->text(), QStringLiteral("134.567,50"));
    QCOMPARE(field_->cursorPosition(), 1);
    type(QStringLiteral("9"));
    QCOMPARE(field_->text(), QStringLiteral("1.934.567,50"));
}

void AnaParaKutusuTest::enterMovesOnAndFormats() {
    int presses = 0;
    connect(next_, &QPushButton::clicked, this, [&presses] { ++presses; });
    next_->setAutoDefault(true);
    type(QStringLiteral("1000"));
    QTest::keyClick(field_, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), next_);
    QCOMPARE(field_->text(), QStringLiteral("1.000,00"));
    QCOMPARE(presses, 0);
    QTest::keyClick(next_, Qt::Key_Return);
    QCOMPARE(presses, 1);
}

void AnaParaKutusuTest::leavingFormatsOrKeepsEmpty() {
    leave();
    QCOMPARE(field_->text(), QString());

    const QList<std::pair<QString, QString>> cases{
        {QStringLiteral("0"), QStringLiteral("0,00")},
        {QStringLiteral("12,"), QStringLiteral("12,00")},
        {QStringLiteral("0,5"), QStringLiteral("0,50")},
        {QStringLiteral("1,005"), QStringLiteral("1,01")},
        {QStringLiteral("1234567,891"), QStringLiteral("1.234.567,89")},
    };
    for (const auto& [typed, shown] : cases) {
        field_->clear();
        field_->setFocus();
        type(typed);
        leave();
        QCOMPARE(field_->text(), shown);
    }
}

void AnaParaKutusuTest::twentyOneCharactersAreRefused() {
    type(QString(25, u','));
    QCOMPARE(field_->text(), QString(20, u','));

    // Typing over a selection replaces it within the limit.
    field_->setSelection(0, 1);
    type(QStringLiteral("9"));
    QCOMPARE(field_->text(), QStringLiteral("9") + QString(19, u','));

    // The grouped form of a long amount is kept whole, never cut to 20 characters.
    field_->setText(QStringLiteral("1234567890123"));
    leave();
    QCOMPARE(field_->text(), QStringLiteral("1.234.567.890.123,00"));
    field_->setText(QStringLiteral("12345678901234"));
    field_->setFocus();
    leave();
    QCOMPARE(field_->text(), QStringLiteral("12.345.678.901.234,00"));
}

// Paste takes what the shared table calls an amount, and nothing else; copy takes
// the selection, or the whole amount when nothing is selected; cut, undo and the
// mouse's menu and paste do nothing.
void AnaParaKutusuTest::clipboardTakesOnlyAmounts() {
    for (const mirvane::testing::AmountCase& amount : mirvane::testing::AmountCases) {
        const QString text = guitest::q(amount.text);
        field_->clear();
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(field_, Qt::Key_V, Qt::ControlModifier);
        // The field holds no amount too large to compute with.
        if (amount.value && *amount.value < mirvane::text::AmountLimit) {
            QCOMPARE(mirvane::text::parseAmount(field_->text().toStdString()), amount.value);
        } else {
            QVERIFY2(field_->text().isEmpty(), qPrintable(text));
        }
    }
    field_->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("777"));
    QTest::keyClick(field_, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(field_, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field_->text(), QStringLiteral("777777"));
    QGuiApplication::clipboard()->setText(QStringLiteral("1,5"));
    QTest::keyClick(field_, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field_, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field_->text(), QStringLiteral("7777771,5"));

    // Nothing selected: Ctrl+C copies the whole amount; Ctrl+A selects it all.
    field_->clear();
    type(QStringLiteral("12,5"));
    QTest::keyClick(field_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12,5"));
    field_->setSelection(1, 2);
    QTest::keyClick(field_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2,"));
    field_->setCursorPosition(1);
    QTest::keyClick(field_, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(field_->selectedText(), QStringLiteral("12,5"));
    QGuiApplication::clipboard()->setText(QStringLiteral("önce"));
    QTest::keyClick(field_, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(field_, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(field_->text(), QStringLiteral("12,5"));
    QTest::keyClick(field_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12,5"));

    QTest::mouseClick(field_, Qt::RightButton);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QTest::mouseClick(field_, Qt::MiddleButton);
    QCOMPARE(field_->text(), QStringLiteral("12,5"));
}

void AnaParaKutusuTest::textSetByProgramMeetsOnlyTheGuard() {
    field_->setText(QStringLiteral("12a3"));
    QCOMPARE(field_->text(), QStringLiteral("12"));
    field_->setText(QStringLiteral("abc"));
    QCOMPARE(field_->text(), QString());
    field_->setText(QStringLiteral("1.234"));
    QCOMPARE(field_->text(), QStringLiteral("1.234"));

    // A deletion at the very start that leaves a stray full stop regroups the rest.
    field_->home(false);
    QTest::keyClick(field_, Qt::Key_Delete);
    QCOMPARE(field_->text(), QStringLiteral("234"));
}

QTEST_MAIN(AnaParaKutusuTest)
#include "AnaParaKutusuTest.moc"
