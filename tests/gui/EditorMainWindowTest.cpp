#include "shell/TableView.h"
#include "tests/gui/EditorTestSupport.h"
#include "ui/main/AnaForm.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <functional>
#include <memory>

using namespace editortest;

namespace {

// Runs `act` on the modal window with that name once it is on the screen; a
// window still open afterwards is closed so that a failing test cannot hang.
void whenModalOpens(const QString& name, std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [name, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != name) {
            qWarning("%s did not open", qPrintable(name));
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

void saveAs(const Editor& e, const QString& name) {
    whenModalOpens(QStringLiteral("ListeAdıGirişFormu"), [name](QDialog& dialog) {
        child<QLineEdit>(&dialog, QStringLiteral("ListeAdıKutusu"))->insert(name);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    e.press("ListeyiKaydetButonu");
}

} // namespace

// The editor windows opened from the main window the way its buttons open them,
// and what the main window shows when they close.
class EditorMainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newListIsSelectedOnReturn();
    void nameDialogCancelledAfterASaveKeepsTheRememberedList();
    void closingWithoutSavingReturnsToTheRememberedList();
    void updatedListIsShownAtItsPosition();
    void staleNoticeBringsTheListCurrent();

private:
    QListWidget* names() const {
        return child<QListWidget>(form_.get(), QStringLiteral("FaizDosyalarıListesi"));
    }
    shell::TableView* rates() const {
        return child<shell::TableView>(form_.get(), QStringLiteral("FaizOranlarıListesi"));
    }

    EditorFixture fixture_;
    std::unique_ptr<QTemporaryDir> settings_;
    std::unique_ptr<AnaForm> form_;
};

void EditorMainWindowTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void EditorMainWindowTest::init() {
    fixture_.setUp();
    settings_ = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_->path());
    shell::shared().MainWindowTitle = QStringLiteral("Telvar - Mirvane 1.14");
    form_ = std::make_unique<AnaForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    names()->setCurrentRow(2);
}

void EditorMainWindowTest::cleanup() {
    form_.reset();
    settings_.reset();
    fixture_.tearDown();
    guitest::checkNoTopLevelWidgetLeft();
}

void EditorMainWindowTest::newListIsSelectedOnReturn() {
    whenModalOpens(QStringLiteral("ListeEkleFormu"), [](QDialog& dialog) {
        const Editor e{&dialog};
        e.addPeriod(QDate(2021, 1, 1), QDate(2024, 12, 31), QStringLiteral("24"));
        saveAs(e, QStringLiteral("Bbb Yeni"));
        e.press("KapatButonu");
    });
    QTest::mouseClick(child<QPushButton>(form_.get(), QStringLiteral("YeniListeEkleButonu")),
                      Qt::LeftButton);

    QCOMPARE(names()->count(), 4);
    QCOMPARE(names()->currentItem()->text(), QStringLiteral("Bbb Yeni"));
    QCOMPARE(rates()->rowCount(), 1);
    QCOMPARE(rates()->cellText(0, 3), QStringLiteral("24"));
    QVERIFY(fixture_.boxes.requests.empty());
}

void EditorMainWindowTest::nameDialogCancelledAfterASaveKeepsTheRememberedList() {
    whenModalOpens(QStringLiteral("ListeEkleFormu"), [](QDialog& dialog) {
        const Editor e{&dialog};
        e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("9"));
        saveAs(e, QStringLiteral("A"));
        e.addPeriod(QDate(2022, 1, 1), QDate(2022, 12, 31), QStringLiteral("9"));
        whenModalOpens(QStringLiteral("ListeAdıGirişFormu"),
                       [](QDialog& names) { QTest::keyClick(&names, Qt::Key_Escape); });
        e.press("ListeyiKaydetButonu");
        e.press("KapatButonu");
    });
    QTest::mouseClick(child<QPushButton>(form_.get(), QStringLiteral("YeniListeEkleButonu")),
                      Qt::LeftButton);

    QCOMPARE(names()->count(), 4);
    QCOMPARE(names()->item(0)->text(), QStringLiteral("A"));
    // The list selected when the window opened stays selected, though A now sorts
    // before it.
    QCOMPARE(names()->currentItem()->text(), QStringLiteral("Ticari Alacaklar (Reeskont-İskonto)"));
    QCOMPARE(names()->currentRow(), 3);
}

void EditorMainWindowTest::closingWithoutSavingReturnsToTheRememberedList() {
    whenModalOpens(QStringLiteral("ListeEkleFormu"), [](QDialog& dialog) {
        const Editor e{&dialog};
        e.addPeriod(QDate(2021, 1, 1), QDate(2021, 12, 31), QStringLiteral("9"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QTest::mouseClick(child<QPushButton>(form_.get(), QStringLiteral("YeniListeEkleButonu")),
                      Qt::LeftButton);
    QCOMPARE(names()->count(), 3);
    QCOMPARE(names()->currentRow(), 2);
    // The one question is the editor's own, before its unsaved row was dropped.
    QCOMPARE(fixture_.boxes.texts(),
             QStringList{
                 QStringLiteral("Yapılan değişiklikler kaydedilmedi. Kaydetmeden kapatılsın mı?")});
}

void EditorMainWindowTest::updatedListIsShownAtItsPosition() {
    names()->setCurrentRow(1);
    whenModalOpens(QStringLiteral("ListeGüncelleFormu"), [](QDialog& dialog) {
        const Editor e{&dialog};
        e.press("SonDönemiSilButonu");
        e.press("ListeyiKaydetButonu");
    });
    QTest::mouseClick(child<QPushButton>(form_.get(), QStringLiteral("ListeyiGüncelleButonu")),
                      Qt::LeftButton);

    QCOMPARE(names()->currentRow(), 1);
    QCOMPARE(rates()->rowCount(), 35);
    QCOMPARE(rates()->cellText(34, 2), QStringLiteral("20.12.2019"));
    QCOMPARE(fixture_.boxes.requests.size(), std::size_t(1)); // the M8 question
}

// Past the end of a list that is an earlier state of a ready list, the notice's advice
// is a link: it opens the update window with the list brought current, to be saved.
void EditorMainWindowTest::staleNoticeBringsTheListCurrent() {
    names()->setCurrentRow(0);
    child<shell::DateTimePicker>(form_.get(), QStringLiteral("BaşlangıçTarihiKutusu"))
        ->setValue(QDate(2024, 1, 1));
    child<shell::DateTimePicker>(form_.get(), QStringLiteral("BitişTarihiKutusu"))
        ->setValue(QDate(2026, 10, 1));
    child<QLineEdit>(form_.get(), QStringLiteral("AnaParaKutusu"))
        ->setText(QStringLiteral("100.000,00"));
    child<QPushButton>(form_.get(), QStringLiteral("FaiziHesaplaButonu"))->click();
    auto* notice = child<QLabel>(form_.get(), QStringLiteral("SonDönemUyarısıEtiketi"));
    QVERIFY(notice->isVisible());
    QVERIFY(
        notice->text().contains(QStringLiteral("<a href=\"guncelle\">listeyi güncelleyin</a>")));
    QVERIFY(notice->toolTip().contains(QStringLiteral("13. dönemden başlayarak 3 dönem değişir")));

    whenModalOpens(QStringLiteral("ListeGüncelleFormu"), [](QDialog& dialog) {
        const Editor e{&dialog};
        QCOMPARE(e.list()->rowCount(), 15);
        QCOMPARE(e.row(14)[3], QStringLiteral("31"));
        e.press("ListeyiKaydetButonu");
    });
    // Reached from the keyboard: Tab from the button beside it, then Enter.
    auto* span = child<QPushButton>(form_.get(), QStringLiteral("SüreHesaplaButonu"));
    span->setFocus();
    QTest::keyClick(span, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), notice);
    QTest::keyClick(notice, Qt::Key_Return);

    QCOMPARE(rates()->rowCount(), 15);
    const Result<RateList> saved = faiz::read(listFile(rates::StatutoryName.data()));
    QVERIFY(saved.ok());
    QVERIFY(saved.value().Periods == rates::readyList(rates::StatutoryName)->Periods);
    child<QPushButton>(form_.get(), QStringLiteral("FaiziHesaplaButonu"))->click();
    QCOMPARE(child<QLineEdit>(form_.get(), QStringLiteral("ToplamFaizKutusu"))->text(),
             QStringLiteral("61.019,18"));
    QVERIFY(!notice->isVisible());
}

QTEST_MAIN(EditorMainWindowTest)
#include "EditorMainWindowTest.moc"
