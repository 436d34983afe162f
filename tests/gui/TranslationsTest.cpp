#include "shell/Translations.h"

#include "shell/Controls.h"
#include "tests/gui/GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenu>
#include <QStringList>
#include <QTest>
#include <QTimer>

using namespace mirvane::shell;

namespace {

// The items of the menu a right click on `widget` opens, without their shortcuts.
QStringList contextMenuTexts(QWidget& widget) {
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                texts << action->text().section(u'\t', 0, 0);
            }
        }
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            widget.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&widget, &click);
    return texts;
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        QVERIFY(installQtTranslations(*QCoreApplication::instance()));
    }

    void standardTextsAreTurkish() {
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Kopyala"));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Paste"), QStringLiteral("Ya&pıştır"));
        QCOMPARE(QCoreApplication::translate("QAbstractSpinBox", "&Step up"),
                 QStringLiteral("&Yukarı çık"));
    }

    // The edit menu of a date field is built by Qt from those texts; not one of
    // its items may be left in English.
    void dateFieldEditMenuIsTurkish() {
        DateTimePicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        const QStringList texts = contextMenuTexts(picker);
        QVERIFY2(texts.contains(QStringLiteral("&Kopyala")), qPrintable(texts.join(u'|')));
        QVERIFY2(texts.contains(QStringLiteral("&Yukarı çık")), qPrintable(texts.join(u'|')));
        for (const char* english : {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete",
                                    "Select All", "&Step up", "Step &down"}) {
            QVERIFY2(!texts.contains(QLatin1String(english)), english);
        }
    }

    void calendarNamesMonthsAndDaysInTurkish() {
        DateTimePicker picker;
        picker.setValue(QDate(2005, 7, 1));
        const QCalendarWidget* calendar = picker.calendarWidget();
        QVERIFY(calendar);
        QCOMPARE(calendar->locale().monthName(7), QStringLiteral("Temmuz"));
        QCOMPARE(calendar->locale().dayName(1, QLocale::ShortFormat), QStringLiteral("Pzt"));
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
    }
};

void TranslationsTest::cleanup() {
    guitest::checkNoTopLevelWidgetLeft();
}

QTEST_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
