// The claim window's "Rapor" and "Seçenekler" parts and the comparison on its summary tab.

#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "core/claim/ClaimTexts.h"
#include "core/ratelist/FaizFile.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "tests/gui/GuiTestSupport.h"
#include "ui/claim/DosyaHesabiFormu.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace mirvane;

namespace {

const QDate Today(2026, 12, 8);
const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";

// Types `text` key by key; letters outside ASCII go through a plain key event.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), {});
        }
    }
}

} // namespace

class ClaimAlternativesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void comparisonShowsEveryAlternative();
    void alternativesAreAddedEditedAndRemoved();
    void reportDetailsAreEditedAndSaved();

private:
    DosyaHesabıFormu* openFile(const claim::ClaimFile& file);
    template <class Widget> Widget* child(const QString& name) const;
    QString comparison(int row, int column) const;
    void chooseAddition(const QString& caption);

    std::unique_ptr<QTemporaryDir> folder_;
    guitest::FakeBoxes boxes_;
    QPointer<DosyaHesabıFormu> window_;
    QString chosenFile_;
};

void ClaimAlternativesWindowTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    shell::setMessageBoxes(&boxes_);
    shell::setProgramEnder([] {});
    DosyaHesabıFormu::setFileChooser(
        [this](DosyaHesabıFormu::FileDialog, QWidget*, const QString&) { return chosenFile_; });
}

void ClaimAlternativesWindowTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    shell::SharedValues& values = shell::shared();
    values.ListFolder = shell::toPath(folder_->filePath(QStringLiteral("Faizler")));
    std::filesystem::create_directories(values.ListFolder);
    values.today = [] {
        return Today;
    };
    QVERIFY(faiz::write(values.ListFolder / (Statutory + ".faiz"),
                        claim::workedExample().lists.at(Statutory)));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder_->filePath(QStringLiteral("settings")));
    boxes_ = {};
    chosenFile_.clear();
}

void ClaimAlternativesWindowTest::cleanup() {
    for (DosyaHesabıFormu* window : DosyaHesabıFormu::openWindows()) {
        window->setWindowModified(false);
        window->close();
    }
    QTest::qWait(1);
    delete window_;
    folder_.reset();
    guitest::checkNoTopLevelWidgetLeft();
}

DosyaHesabıFormu* ClaimAlternativesWindowTest::openFile(const claim::ClaimFile& file) {
    const QString path = folder_->filePath(QStringLiteral("dosya.mirvane"));
    [&] {
        QVERIFY(claim::writeFile(shell::toPath(path), file));
    }();
    window_ = DosyaHesabıFormu::openFile(path, nullptr);
    [this] {
        QVERIFY(window_);
        QVERIFY(QTest::qWaitForWindowExposed(window_.data()));
    }();
    return window_;
}

template <class Widget> Widget* ClaimAlternativesWindowTest::child(const QString& name) const {
    Widget* found = window_->findChild<Widget*>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

QString ClaimAlternativesWindowTest::comparison(int row, int column) const {
    const QAbstractItemModel* model =
        child<QTableView>(QStringLiteral("KarşılaştırmaTablosu"))->model();
    return model->data(model->index(row, column)).toString();
}

void ClaimAlternativesWindowTest::chooseAddition(const QString& caption) {
    auto* menu = child<QMenu>(QStringLiteral("SeçenekEkleMenüsü"));
    for (QAction* action : menu->actions()) {
        if (action->text() == caption) {
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no choice ") + caption));
}

void ClaimAlternativesWindowTest::comparisonShowsEveryAlternative() {
    openFile(claim::expertExample());
    auto* table = child<QTableView>(QStringLiteral("KarşılaştırmaTablosu"));
    QVERIFY(table->isVisible());
    const QAbstractItemModel* model = table->model();
    QCOMPARE(model->columnCount(), 3);
    QCOMPARE(model->rowCount(), 6);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Ana hesap"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Reeskont-avans, her değişiklik"));
    QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("Bakiye"));
    QCOMPARE(model->headerData(5, Qt::Vertical).toString(), QStringLiteral("Takip tutarı"));
    QCOMPARE(comparison(0, 0), QStringLiteral("57.290,94"));
    QCOMPARE(comparison(5, 0), QStringLiteral("101.479,45"));
    QCOMPARE(comparison(0, 1), QStringLiteral("90.487,82"));
    QCOMPARE(comparison(1, 1), QStringLiteral("80.166,64"));
    QCOMPARE(comparison(3, 1), QStringLiteral("7.273,97"));
    QCOMPARE(comparison(5, 1), QStringLiteral("107.273,97"));
    QCOMPARE(comparison(0, 2), QStringLiteral("88.123,29"));
    QCOMPARE(comparison(1, 2), QStringLiteral("78.052,87"));
    QCOMPARE(comparison(4, 2), QStringLiteral("37.349,32"));
    QVERIFY(model->headerData(1, Qt::Horizontal, Qt::ToolTipRole)
                .toString()
                .contains(QStringLiteral("33.196,88 TL fazla")));
    // The file opened as it was: nothing to save.
    QVERIFY(!window_->isModified());
    QCOMPARE(window_->claimFile(), claim::expertExample());
}

void ClaimAlternativesWindowTest::alternativesAreAddedEditedAndRemoved() {
    openFile(claim::workedExample());
    auto* table = child<QTableView>(QStringLiteral("KarşılaştırmaTablosu"));
    QVERIFY(!table->isVisible());
    auto* tabs = child<QTabWidget>(QStringLiteral("GirdiSekmeleri"));
    tabs->setCurrentWidget(child<QWidget>(QStringLiteral("SeceneklerPaneli")));

    chooseAddition(QStringLiteral("3095 m.2/2 altı aylık"));
    QCOMPARE(window_->claimFile().alternatives.size(), std::size_t(1));
    QVERIFY(window_->isModified());
    // The half-yearly list is none of the folder's: the file takes the program's copy.
    QVERIFY(window_->claimFile().lists.contains("Ticari Temerrüt Faizi (3095 m.2-2, 6 aylık)"));
    QTRY_VERIFY(table->isVisible());
    QCOMPARE(comparison(0, 1), QStringLiteral("88.123,29"));
    auto* list = child<QListWidget>(QStringLiteral("SeçeneklerListesi"));
    QCOMPARE(list->count(), 1);
    QVERIFY(list->item(0)->text().startsWith(QStringLiteral("3095 m.2/2 altı aylık — 1. kalemin")));

    // Renamed by typing, and on 360 days.
    auto* name = child<QLineEdit>(QStringLiteral("SeçenekAdıKutusu"));
    QCOMPARE(QApplication::focusWidget(), name);
    typeText(name, QStringLiteral("Altı aylık, 360 gün"));
    QCOMPARE(window_->claimFile().alternatives[0].name, "Altı aylık, 360 gün");
    child<QComboBox>(QStringLiteral("SeçenekGünEsasıKutusu"))->setCurrentIndex(2);
    QCOMPARE(window_->claimFile().alternatives[0].change.dayBasis, std::optional<int>(360));
    QCOMPARE(window_->claimFile().alternatives[0].change.items.size(), std::size_t(1));
    QVERIFY(comparison(0, 1) != QStringLiteral("88.123,29"));
    QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Altı aylık, 360 gün"));

    // The item's rate back to unchanged, a fixed rate typed instead.
    auto* items = child<QTableWidget>(QStringLiteral("SeçenekKalemleriTablosu"));
    auto* rate = qobject_cast<QComboBox*>(items->cellWidget(0, 1));
    QVERIFY(rate);
    QCOMPARE(rate->objectName(), QStringLiteral("SeçenekOranKutusu1"));
    QCOMPARE(rate->currentText(), QStringLiteral("Ticari Temerrüt Faizi (3095 m.2-2, 6 aylık)"));
    rate->setCurrentText(QStringLiteral("Sabit oran"));
    items->item(0, 2)->setText(QStringLiteral("12,5"));
    const claim::Change& change = window_->claimFile().alternatives[0].change;
    QCOMPARE(change.items.size(), std::size_t(1));
    QVERIFY(change.items[0].rate.has_value());
    QCOMPARE(shell::toQString(claim::rateText(*change.items[0].rate)),
             QStringLiteral("Sabit %12,5"));
    items->item(0, 3)->setText(QStringLiteral("01.02.2024"));
    QVERIFY(window_->claimFile().alternatives[0].change.items[0].interestStart ==
            std::optional<Date>(std::chrono::sys_days{std::chrono::year{2024} / 2 / 1}));

    // A second one, then the first removed.
    chooseAddition(QStringLiteral("Reeskont-avans, her değişiklik"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(comparison(0, 2), QStringLiteral("90.487,82"));
    list->setCurrentRow(0);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("SeçenekSilButonu")), Qt::LeftButton);
    QCOMPARE(window_->claimFile().alternatives.size(), std::size_t(1));
    QCOMPARE(window_->claimFile().alternatives[0].name, "Reeskont-avans, her değişiklik");
    QCOMPARE(table->model()->columnCount(), 2);
    QCOMPARE(comparison(0, 1), QStringLiteral("90.487,82"));

    // Saved and opened again: the same alternatives and their lists.
    chosenFile_ = folder_->filePath(QStringLiteral("seçenekli.mirvane"));
    QVERIFY(window_->saveAs());
    const claim::ReadOutcome saved = claim::readFile(shell::toPath(chosenFile_));
    QVERIFY(std::holds_alternative<claim::ClaimFile>(saved));
    QCOMPARE(std::get<claim::ClaimFile>(saved).alternatives, window_->claimFile().alternatives);
    QVERIFY(std::get<claim::ClaimFile>(saved).lists.contains("Ticari Alacaklar (Reeskont-Avans)"));

    QTest::mouseClick(child<QPushButton>(QStringLiteral("SeçenekSilButonu")), Qt::LeftButton);
    QVERIFY(window_->claimFile().alternatives.empty());
    QTRY_VERIFY(!table->isVisible());
}

void ClaimAlternativesWindowTest::reportDetailsAreEditedAndSaved() {
    openFile(claim::workedExample());
    child<QTabWidget>(QStringLiteral("GirdiSekmeleri"))
        ->setCurrentWidget(child<QWidget>(QStringLiteral("RaporPaneli")));
    auto* court = child<QLineEdit>(QStringLiteral("MerciKutusu"));
    QVERIFY(!court->isEnabled());
    child<QCheckBox>(QStringLiteral("RaporOnayı"))->setChecked(true);
    QVERIFY(court->isEnabled());
    QVERIFY(window_->claimFile().report.has_value());
    court->setFocus();
    typeText(court, QStringLiteral("Ankara 3. Asliye Ticaret Mahkemesi"));
    QCOMPARE(window_->claimFile().report->authority, "Ankara 3. Asliye Ticaret Mahkemesi");

    QTest::mouseClick(child<QPushButton>(QStringLiteral("TarafEkleButonu")), Qt::LeftButton);
    auto* parties = child<QTableWidget>(QStringLiteral("TaraflarTablosu"));
    QCOMPARE(parties->rowCount(), 1);
    parties->item(0, 0)->setText(QStringLiteral("Davacı"));
    parties->item(0, 1)->setText(QStringLiteral("Örnek A.Ş."));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("SoruEkleButonu")), Qt::LeftButton);
    auto* questions = child<QTableWidget>(QStringLiteral("SorularTablosu"));
    questions->item(0, 0)->setText(QStringLiteral("Alacak ne kadar?"));
    questions->item(0, 1)->setText(QStringLiteral("57.290,94 TL"));
    auto* documents = child<QPlainTextEdit>(QStringLiteral("BelgelerKutusu"));
    documents->setPlainText(QStringLiteral("Fatura\n\nDekont"));
    const claim::ReportDetails& report = *window_->claimFile().report;
    QCOMPARE(report.parties.size(), std::size_t(1));
    QCOMPARE(report.parties[0].role, "Davacı");
    QCOMPARE(report.parties[0].name, "Örnek A.Ş.");
    QCOMPARE(report.questions[0].answer, "57.290,94 TL");
    QCOMPARE(report.documents, (std::vector<std::string>{"Fatura", "Dekont"}));

    chosenFile_ = folder_->filePath(QStringLiteral("rapor.mirvane"));
    QVERIFY(window_->saveAs());
    const claim::ReadOutcome saved = claim::readFile(shell::toPath(chosenFile_));
    QVERIFY(std::holds_alternative<claim::ClaimFile>(saved));
    QCOMPARE(std::get<claim::ClaimFile>(saved).report, window_->claimFile().report);

    // Unticked: the file is reported as before, without the expert's sections.
    child<QCheckBox>(QStringLiteral("RaporOnayı"))->setChecked(false);
    QVERIFY(!window_->claimFile().report.has_value());
}

QTEST_MAIN(ClaimAlternativesWindowTest)
#include "ClaimAlternativesWindowTest.moc"
