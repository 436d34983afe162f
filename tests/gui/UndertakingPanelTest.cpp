// The claim window's "Ödeme Taahhüdü" part: the worked example set up by keyboard,
// kept in the file, typed amounts, and the undertaking as PDF and Word document.

#include "ui/claim/UndertakingPanel.h"

#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "core/ratelist/FaizFile.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PdfTestSupport.h"
#include "ui/claim/DosyaHesabiFormu.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordExport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace mirvane;
using guitest::FakeBoxes;

namespace {

const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";

QStringList rowsOf(const QAbstractItemModel& model, int columns) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columns; ++column) {
            cells << model.index(row, column).data().toString();
        }
        rows << cells.join(QStringLiteral(" | "));
    }
    return rows;
}

} // namespace

class UndertakingPanelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void workedExampleSetUpByKeyboard();
    void termsAreKeptInTheFile();
    void typedAmountsAreEditedInTheTable();
    void documentsCarryTheWorkedExample();

private:
    void openExample(const std::function<void(claim::ClaimFile&)>& change = {});
    template <class Widget> Widget* child(const QString& name) const;
    void typeDate(const QString& name, const QString& digits);
    void setUpWorkedExample();
    QAbstractItemModel& table() const {
        return *child<QTableView>(QStringLiteral("TaksitlerTablosu"))->model();
    }

    std::unique_ptr<QTemporaryDir> folder_;
    FakeBoxes boxes_;
    QPointer<DosyaHesabıFormu> window_;
    QString chosenFile_;
};

void UndertakingPanelTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    shell::setMessageBoxes(&boxes_);
    shell::setProgramEnder([] {});
    DosyaHesabıFormu::setFileChooser(
        [this](DosyaHesabıFormu::FileDialog, QWidget*, const QString&) { return chosenFile_; });
}

void UndertakingPanelTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    shell::SharedValues& values = shell::shared();
    values.ListFolder = shell::toPath(folder_->filePath(QStringLiteral("Faizler")));
    std::filesystem::create_directories(values.ListFolder);
    values.today = [] {
        return QDate(2026, 12, 8);
    };
    const claim::ClaimFile example = claim::workedExample();
    QVERIFY(faiz::write(values.ListFolder / (Statutory + ".faiz"), example.lists.at(Statutory)));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder_->filePath(QStringLiteral("settings")));
    boxes_ = {};
    chosenFile_.clear();
}

void UndertakingPanelTest::cleanup() {
    for (DosyaHesabıFormu* window : DosyaHesabıFormu::openWindows()) {
        window->setWindowModified(false);
        window->close();
    }
    QTest::qWait(1);
    delete window_;
    folder_.reset();
    guitest::checkNoTopLevelWidgetLeft();
}

void UndertakingPanelTest::openExample(const std::function<void(claim::ClaimFile&)>& change) {
    claim::ClaimFile file = claim::workedExample();
    if (change) {
        change(file);
    }
    const QString path = folder_->filePath(QStringLiteral("ornek.mirvane"));
    QVERIFY(claim::writeFile(shell::toPath(path), file));
    window_ = DosyaHesabıFormu::openFile(path, nullptr);
    QVERIFY(window_);
    QVERIFY(QTest::qWaitForWindowExposed(window_.data()));
    auto* tabs = child<QTabWidget>(QStringLiteral("SonuçSekmeleri"));
    tabs->setCurrentWidget(child<QWidget>(QStringLiteral("TaahhütPaneli")));
}

template <class Widget> Widget* UndertakingPanelTest::child(const QString& name) const {
    Widget* found = window_->findChild<Widget*>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

void UndertakingPanelTest::typeDate(const QString& name, const QString& digits) {
    auto* field = child<shell::DateTimePicker>(name);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, digits);
}

// 31.12.2024, six monthly instalments from 31.01.2025, typed as a user would.
void UndertakingPanelTest::setUpWorkedExample() {
    auto* enable = child<QCheckBox>(QStringLiteral("TaahhütOnayı"));
    enable->setFocus();
    QTest::keyClick(enable, Qt::Key_Space);
    QVERIFY(enable->isChecked());
    typeDate(QStringLiteral("TaahhütTarihiKutusu"), QStringLiteral("31122024"));
    typeDate(QStringLiteral("İlkVadeKutusu"), QStringLiteral("31012025"));
    auto* count = child<QSpinBox>(QStringLiteral("TaksitSayısıKutusu"));
    count->setFocus(Qt::TabFocusReason);
    count->selectAll();
    QTest::keyClicks(count, QStringLiteral("6"));
}

void UndertakingPanelTest::workedExampleSetUpByKeyboard() {
    openExample();
    QVERIFY(!child<QCheckBox>(QStringLiteral("TaahhütOnayı"))->isChecked());
    QVERIFY(!child<QAction>(QStringLiteral("TaahhütPdfMenüsü"))->isEnabled());
    setUpWorkedExample();
    QVERIFY(window_->isModified());
    auto* panel = child<UndertakingPanel>(QStringLiteral("TaahhütPaneli"));
    QVERIFY(panel->plan().has_value());
    QVERIFY(!child<QLabel>(QStringLiteral("TaahhütHataEtiketi"))->isVisible());
    QCOMPARE(rowsOf(table(), 10),
             (QStringList{
                 QStringLiteral("1 | 31.01.2025 Cuma |  | 10.213,38 | 1.101,86 | 0,00 | 0,00 | "
                                "4.336,36 | 5.877,02 | 48.179,42"),
                 QStringLiteral("2 | 28.02.2025 Cuma |  | 10.213,38 | 887,03 | 0,00 | 0,00 | "
                                "887,03 | 9.326,35 | 38.853,07"),
                 QStringLiteral("3 | 02.04.2025 Çarşamba | 31.03.2025 Ramazan Bayramı | "
                                "10.213,38 | 843,06 | 0,00 | 0,00 | 843,06 | 9.370,32 | 29.482,75"),
                 QStringLiteral("4 | 30.04.2025 Çarşamba |  | 10.213,38 | 542,81 | 0,00 | 0,00 | "
                                "542,81 | 9.670,57 | 19.812,18"),
                 QStringLiteral("5 | 02.06.2025 Pazartesi | 31.05.2025 Cumartesi | 10.213,38 | "
                                "429,90 | 0,00 | 0,00 | 429,90 | 9.783,48 | 10.028,70"),
                 QStringLiteral("6 | 30.06.2025 Pazartesi |  | 10.213,34 | 184,64 | 0,00 | 0,00 | "
                                "184,64 | 10.028,70 | 0,00"),
             }));
    const QString totals = child<QLabel>(QStringLiteral("TaahhütToplamEtiketi"))->text();
    for (const char* part :
         {"Taahhüt tarihindeki borç: 57.290,94 TL",
          "Taahhütten ödeme günlerine kadar faiz: 3.989,30 TL", "Toplam ödenecek: 61.280,24 TL",
          "yazıyla: altmış bir bin iki yüz seksen Türk lirası yirmi dört kuruş"}) {
        QVERIFY2(totals.contains(guitest::q(part)), part);
    }
    const auto* debt = child<shell::ListView>(QStringLiteral("TaahhütBorçListesi"));
    QStringList debtRows;
    for (int row = 0; row < debt->rowCount(); ++row) {
        debtRows << debt->cellText(row, 0) + QStringLiteral(" = ") + debt->cellText(row, 1);
    }
    QVERIFY(debtRows.contains(QStringLiteral("1. kalem, Anapara (Fatura) = 54.056,44")));
    QVERIFY(debtRows.contains(
        QStringLiteral("Takipten taahhüt tarihine kadar faiz, ödenmemiş = 3.234,50")));
    QVERIFY(child<QLabel>(QStringLiteral("TaahhütUyarıEtiketi"))
                ->text()
                .contains(QStringLiteral("3. taksit: 31.03.2025 Pazartesi iş günü değil")));
    QVERIFY(child<QAction>(QStringLiteral("TaahhütPdfMenüsü"))->isEnabled());

    // A first due date on the undertaking date is refused, naming the field.
    typeDate(QStringLiteral("İlkVadeKutusu"), QStringLiteral("31122024"));
    auto* error = child<QLabel>(QStringLiteral("TaahhütHataEtiketi"));
    QVERIFY(error->isVisible());
    QVERIFY(error->text().startsWith(QStringLiteral("taahhut.ilk_vade: ")));
    QCOMPARE(table().rowCount(), 0);
    QVERIFY(!child<QAction>(QStringLiteral("TaahhütPdfMenüsü"))->isEnabled());
}

void UndertakingPanelTest::termsAreKeptInTheFile() {
    openExample();
    setUpWorkedExample();
    child<QComboBox>(QStringLiteral("AralıkKutusu"))->setCurrentIndex(1);
    auto* debtor = child<QLineEdit>(QStringLiteral("BorçluKutusu"));
    debtor->setFocus();
    QTest::keyClicks(debtor, QStringLiteral("Ali Veli"));
    chosenFile_ = window_->filePath();
    QVERIFY(window_->save());
    const claim::ReadOutcome read = claim::readFile(shell::toPath(window_->filePath()));
    const auto& saved = std::get<claim::ClaimFile>(read);
    QVERIFY(saved.undertaking.has_value());
    QCOMPARE(saved.undertaking->count, 6);
    QCOMPARE(shell::toQDate(saved.undertaking->date), QDate(2024, 12, 31));
    QCOMPARE(shell::toQDate(saved.undertaking->firstDue), QDate(2025, 1, 31));
    QCOMPARE(saved.undertaking->interval, claim::PlanInterval::Week);
    QCOMPARE(saved.undertaking->debtor, std::string("Ali Veli"));
    QVERIFY(saved.undertaking->amounts.empty());

    // Opened again, the part shows the same terms and plan; unticked, the block goes.
    const QString path = window_->filePath();
    window_->close();
    delete window_;
    window_ = DosyaHesabıFormu::openFile(path, nullptr);
    QVERIFY(window_);
    QVERIFY(child<QCheckBox>(QStringLiteral("TaahhütOnayı"))->isChecked());
    QCOMPARE(child<QComboBox>(QStringLiteral("AralıkKutusu"))->currentIndex(), 1);
    QCOMPARE(table().index(1, 1).data().toString(), QStringLiteral("07.02.2025 Cuma"));
    QVERIFY(!window_->isModified());
    child<QCheckBox>(QStringLiteral("TaahhütOnayı"))->setChecked(false);
    QVERIFY(!window_->claimFile().undertaking.has_value());
    QVERIFY(window_->isModified());
}

void UndertakingPanelTest::typedAmountsAreEditedInTheTable() {
    openExample([](claim::ClaimFile& file) {
        claim::Undertaking terms;
        terms.date = shell::toSysDays(QDate(2024, 12, 31));
        terms.count = 6;
        terms.firstDue = shell::toSysDays(QDate(2025, 1, 31));
        file.undertaking = terms;
    });
    child<QComboBox>(QStringLiteral("TaksitTürüKutusu"))->setCurrentIndex(1);
    // The typed amounts start as the equal plan's.
    QCOMPARE(window_->claimFile().undertaking->amounts,
             (std::vector<claim::Kurus>{1'021'338, 1'021'338, 1'021'338, 1'021'338, 1'021'338,
                                        1'021'334}));
    auto* view = child<QTableView>(QStringLiteral("TaksitlerTablosu"));
    const QModelIndex last = table().index(5, 3);
    QVERIFY(table().flags(last) & Qt::ItemIsEditable);
    QVERIFY(!(table().flags(table().index(5, 4)) & Qt::ItemIsEditable));
    view->setFocus();
    view->setCurrentIndex(last);
    QTest::keyClick(view, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != view);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->selectAll();
    }
    QTest::keyClicks(editor, QStringLiteral("5000"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(window_->claimFile().undertaking->amounts.back(), claim::Kurus(500'000));
    QTRY_COMPARE(table().index(5, 3).data().toString(), QStringLiteral("5.000,00"));
    auto* panel = child<UndertakingPanel>(QStringLiteral("TaahhütPaneli"));
    QVERIFY(panel->plan().has_value());
    QVERIFY(panel->plan()->unpaidAtEnd > 0);
    QVERIFY(child<QLabel>(QStringLiteral("TaahhütToplamEtiketi"))
                ->text()
                .contains(QStringLiteral("Son vadeden sonra ödenmemiş kalan")));
    // More instalments take the last amount typed.
    child<QSpinBox>(QStringLiteral("TaksitSayısıKutusu"))->setValue(7);
    QCOMPARE(window_->claimFile().undertaking->amounts.size(), std::size_t(7));
    QCOMPARE(window_->claimFile().undertaking->amounts.back(), claim::Kurus(500'000));
}

void UndertakingPanelTest::documentsCarryTheWorkedExample() {
    openExample([](claim::ClaimFile& file) {
        claim::Undertaking terms;
        terms.date = shell::toSysDays(QDate(2024, 12, 31));
        terms.count = 6;
        terms.firstDue = shell::toSysDays(QDate(2025, 1, 31));
        terms.debtor = "Borçlu Kişi";
        terms.fileNumber = "İstanbul 5. İcra Dairesi 2024/1234 E.";
        file.undertaking = terms;
    });
    QVERIFY(child<QAction>(QStringLiteral("TaahhütPdfMenüsü"))->isEnabled());
    if (guitest::popplerInstalled()) {
        const QString file = folder_->filePath(QStringLiteral("taahhut.pdf"));
        QString suggested;
        pdf::setSaveChooser([&](QWidget*, const QString& name) {
            suggested = name;
            return std::optional<pdf::SaveChoice>({file, false});
        });
        child<QAction>(QStringLiteral("TaahhütPdfMenüsü"))->trigger();
        pdf::setSaveChooser(nullptr);
        QVERIFY(suggested.startsWith(QStringLiteral("Ödeme Taahhüdü İstanbul 5. İcra")));
        QVERIFY(guitest::pdfInfo(file).contains(QStringLiteral("(A4)")));
        const QString text = guitest::pdfText(file).simplified();
        for (const char* expected : {"Ödeme Taahhüdü",
                                     "İcra dosyası: İstanbul 5. İcra Dairesi 2024/1234 E.",
                                     "Borçlu: Borçlu Kişi",
                                     "Taahhüt tarihi: 31.12.2024",
                                     "57.290,94",
                                     "54.056,44",
                                     "3.234,50",
                                     "10.213,38",
                                     "10.213,34",
                                     "4.336,36",
                                     "5.877,02",
                                     "48.179,42",
                                     "887,03",
                                     "9.326,35",
                                     "38.853,07",
                                     "61.280,24",
                                     "3.989,30",
                                     "Ramazan Bayramı",
                                     "altmış bir bin iki yüz seksen Türk lirası yirmi dört kuruş",
                                     "İİK 111",
                                     "TBK 100",
                                     "İmzalar",
                                     "Sayfa 1 / "}) {
            QVERIFY2(text.contains(guitest::q(expected)), expected);
        }
        for (const QString& font : guitest::pdfFontLines(file)) {
            QVERIFY2(font.contains(QStringLiteral(" yes ")), qPrintable(font));
        }
    }

    QStringList opened;
    word::setWordProcessorCheck([] { return true; });
    word::setDocumentOpener([&opened](const QString& file) {
        opened << file;
        return true;
    });
    child<QAction>(QStringLiteral("TaahhütWordMenüsü"))->trigger();
    word::setWordProcessorCheck(nullptr);
    word::setDocumentOpener(nullptr);
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened[0].endsWith(QStringLiteral("OdemeTaahhudu.dotx")));
}

QTEST_MAIN(UndertakingPanelTest)
#include "UndertakingPanelTest.moc"
