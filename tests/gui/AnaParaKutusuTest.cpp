#include "ui/main/AnaParaKutusu.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

// The principal field between two other controls, so that leaving it can be seen.
class AnaParaKutusuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedAmountIsFormattedOnLeaving();
    void onlyDigitsAndTheCommaAreTyped();
    void keystrokeThatLeavesNoNumberIsTakenBack();
    void enterMovesOnAndFormats();
    void leavingFormatsOrKeepsEmpty();
    void twentyOneCharactersAreRefused();
    void clipboardKeysAndRightClickDoNothing();
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

void AnaParaKutusuTest::keystrokeThatLeavesNoNumberIsTakenBack() {
    type(QStringLiteral(","));
    QCOMPARE(field_->text(), QString());
    type(QStringLiteral("1,,"));
    QCOMPARE(field_->text(), QStringLiteral("1,"));
    type(QStringLiteral("5,"));
    QCOMPARE(field_->text(), QStringLiteral("1,5"));

    // A comma typed in front of a number would make it ",1,5": only that comma goes.
    field_->home(false);
    type(QStringLiteral(","));
    QCOMPARE(field_->text(), QStringLiteral("1,5"));
    QCOMPARE(field_->cursorPosition(), 0);

    // A leading comma is a number, so it stays.
    field_->setText(QStringLiteral("5"));
    field_->home(false);
    type(QStringLiteral(","));
    QCOMPARE(field_->text(), QStringLiteral(",5"));
    leave();
    QCOMPARE(field_->text(), QStringLiteral("0,50"));
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
    type(QStringLiteral("12345678901234567890"));
    QCOMPARE(field_->text().size(), 20);
    type(QStringLiteral("1"));
    QCOMPARE(field_->text(), QStringLiteral("12345678901234567890"));

    // Typing over a selection replaces it within the limit.
    field_->setSelection(0, 1);
    type(QStringLiteral("9"));
    QCOMPARE(field_->text(), QStringLiteral("92345678901234567890"));

    // The grouped form of a long amount is kept whole, never cut to 20 characters.
    field_->setText(QStringLiteral("1234567890123"));
    leave();
    QCOMPARE(field_->text(), QStringLiteral("1.234.567.890.123,00"));
    field_->setText(QStringLiteral("12345678901234"));
    field_->setFocus();
    leave();
    QCOMPARE(field_->text(), QStringLiteral("12.345.678.901.234,00"));
}

void AnaParaKutusuTest::clipboardKeysAndRightClickDoNothing() {
    QGuiApplication::clipboard()->setText(QStringLiteral("777"));
    QTest::keyClick(field_, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field_, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(field_->text(), QString());

    type(QStringLiteral("12,5"));
    field_->selectAll();
    QTest::keyClick(field_, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(field_, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(field_, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(field_->text(), QStringLiteral("12,5"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("777"));

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

    // A deletion at the very start that leaves no number cannot be taken back by
    // removing the character before the caret; the guard then stops.
    field_->home(false);
    QTest::keyClick(field_, Qt::Key_Delete);
    QCOMPARE(field_->text(), QStringLiteral(".234"));
}

QTEST_MAIN(AnaParaKutusuTest)
#include "AnaParaKutusuTest.moc"
