#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimExample.h"
#include "core/interest/Breakdown.h"
#include "core/rates/DefaultLists.h"
#include "core/report/BreakdownReport.h"
#include "core/report/ClaimReport.h"
#include "core/report/Report.h"
#include "documents/PdfDocument.h"
#include "documents/WordDocument.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/OfficeTestSupport.h"
#include "tests/gui/PdfTestSupport.h"
#include "ui/report/PdfExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <chrono>

using namespace mirvane;
using namespace std::chrono;

namespace {

// A report long enough to run over several pages: headings, a notice, a long table
// with a total row and a short one after it.
report::Document longReport(int rowCount) {
    report::Document document{"Dosya Hesabı — İstanbul 5. İcra Dairesi 2024/1234", {}};
    document.blocks.push_back(report::Heading{"Dosya Hesabı Raporu", 1});
    document.blocks.push_back(report::Paragraph{"Başlık: İstanbul 5. İcra Dairesi 2024/1234"});
    document.blocks.push_back(report::Paragraph{"Uyarı: çğıöşü ÇĞİÖŞÜ oranlar eski", true});
    document.blocks.push_back(report::Heading{"Faiz dilimleri", 2});
    report::Table slices{{{"Başlangıç", report::Align::Left, 1},
                          {"Bitiş", report::Align::Left, 1},
                          {"Gün", report::Align::Centre, 0.6},
                          {"Faiz", report::Align::Right, 1.2}},
                         {},
                         true,
                         true};
    for (int i = 1; i <= rowCount; ++i) {
        slices.rows.push_back({"01.01.2024", "satır " + std::to_string(i), std::to_string(i),
                               std::to_string(i) + ",00"});
    }
    slices.rows.push_back({"", "", "Toplam", "99.999,99"});
    document.blocks.push_back(slices);
    document.blocks.push_back(report::Heading{"Kaynaklar", 2});
    document.blocks.push_back(report::Table{
        {{"Dönem"}, {"Açıklama & <kaynak>"}}, {{"1", "3095 sayılı Kanun \"md. 1\""}}, true, false});
    return document;
}

// The worked claim with every amount multiplied: at 10^6 its principal has twelve
// integer digits, and the tables must shrink their text to keep them whole.
report::Document claimReport(claim::Kurus factor) {
    claim::ClaimFile file = claim::workedExample();
    for (claim::Item& item : file.items) {
        item.amount *= factor;
    }
    for (claim::Payment& payment : file.payments) {
        payment.amount *= factor;
    }
    const claim::ClaimOutcome outcome = claim::compute(file);
    const auto* result = std::get_if<claim::ClaimResult>(&outcome);
    if (!result) {
        return {};
    }
    return report::claimReport(file, *result, sys_days{2026y / December / 8});
}

// The main window's report on the statutory list over twenty years: many periods
// and their sources.
report::Document breakdownReport() {
    const RateList& list = defaults::lists().at(0);
    const sys_days start{2005y / July / 1};
    const sys_days end{2025y / July / 1};
    const auto outcome = interest::calculate(list, {start, end, "250000", interest::Divisor365});
    const auto& calculation = std::get<interest::Calculation>(outcome);
    std::vector<breakdown::RowCells> rows;
    for (const auto& row : calculation.rows) {
        rows.push_back(breakdown::rowCells(row));
    }
    return report::breakdownReport(
        {list, 250000.0, start, end, interest::Divisor365, calculation.ranPastListEnd}, rows,
        breakdown::totalText(calculation.total), sys_days{2026y / December / 8});
}

// Amounts ("250.000,00") and dates ("01.02.2024") in a text, each with how often it
// stands there.
QMap<QString, int> amountsAndDates(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        "(?<![\\d.,])(\\d{1,3}(?:\\.\\d{3})*,\\d{2}|\\d{2}\\.\\d{2}\\.\\d{4})(?![\\d,])"));
    QMap<QString, int> found;
    for (const auto& match : pattern.globalMatch(text)) {
        ++found[match.captured(1)];
    }
    return found;
}

// Every text of a report, and the words of its table headers.
QString textsOf(const report::Document& document, QStringList& headerWords) {
    QStringList texts;
    for (const report::Block& block : document.blocks) {
        if (const auto* heading = std::get_if<report::Heading>(&block)) {
            texts << shell::toQString(heading->text);
        } else if (const auto* paragraph = std::get_if<report::Paragraph>(&block)) {
            texts << shell::toQString(paragraph->text);
        } else if (const auto* table = std::get_if<report::Table>(&block)) {
            for (const report::Column& column : table->columns) {
                headerWords
                    << shell::toQString(column.header).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            }
            for (const auto& row : table->rows) {
                for (const std::string& cell : row) {
                    texts << shell::toQString(cell);
                }
            }
        }
    }
    return texts.join(QLatin1Char('\n'));
}

} // namespace

class ReportWritersTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void pdfEmbedsItsRegularAndItsBoldFace();
    void pdfIsA4WithEmbeddedFontsAndEveryText();
    void pdfRepeatsTableHeadersAndNumbersPages();
    void savingAsksChoosesAndOpens();
    void wordDocumentReadsBackInLibreOffice();
    void wordDocumentsKeepAmountsAndDatesWhole();
    void commandLineWritesTheClaimReport();
};

// Headings and totals in bold, the rest regular: two faces embedded, not one for both.
void ReportWritersTest::pdfEmbedsItsRegularAndItsBoldFace() {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("rapor.pdf"));
    QVERIFY(pdf::write(longReport(3), file));
    QFile pdf(file);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(pdf.readAll());
    QSet<QString> faces;
    const QRegularExpression embedded(QStringLiteral("/FontName /[A-Z]{6}\\+(\\S+)"));
    for (const QRegularExpressionMatch& match : embedded.globalMatch(bytes)) {
        faces.insert(match.captured(1));
    }
    QCOMPARE(faces.size(), 2);
    QVERIFY2(std::any_of(faces.begin(), faces.end(),
                         [](const QString& face) { return face.contains(QStringLiteral("Bold")); }),
             qPrintable(QStringList(faces.begin(), faces.end()).join(QLatin1Char(' '))));
}

void ReportWritersTest::pdfIsA4WithEmbeddedFontsAndEveryText() {
    if (!guitest::popplerInstalled()) {
        QSKIP("poppler-utils is not installed");
    }
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("rapor.pdf"));
    QVERIFY(pdf::write(longReport(3), file));

    const QString info = guitest::pdfInfo(file);
    QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n"))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title: +Dosya Hesabı — İstanbul"))),
             qPrintable(info));
    const QStringList fonts = guitest::pdfFontLines(file);
    QVERIFY(!fonts.isEmpty());
    for (const QString& font : fonts) {
        // Columns: name, type, encoding, emb, sub, uni, object, ID.
        const QStringList fields = font.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY2(fields.size() >= 7 && fields[fields.size() - 5] == QStringLiteral("yes"),
                 qPrintable(font));
    }

    const QString text = guitest::pdfText(file);
    for (const char* expected :
         {"Dosya Hesabı Raporu", "Başlık: İstanbul 5. İcra Dairesi 2024/1234",
          "Uyarı: çğıöşü ÇĞİÖŞÜ oranlar eski", "Faiz dilimleri", "satır 3", "99.999,99",
          "Açıklama & <kaynak>", "3095 sayılı Kanun \"md. 1\"", "Sayfa 1 / 1"}) {
        QVERIFY2(text.contains(guitest::q(expected)), expected);
    }
    QVERIFY(guitest::inkedShare(file, 1) > 0.005);

    const Status unwritable =
        pdf::write(longReport(1), QStringLiteral("/nonexistent-mirvane/r.pdf"));
    QVERIFY(!unwritable);
    QCOMPARE(unwritable.error().number, errors::PathFileAccessError);
}

void ReportWritersTest::pdfRepeatsTableHeadersAndNumbersPages() {
    if (!guitest::popplerInstalled()) {
        QSKIP("poppler-utils is not installed");
    }
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("uzun.pdf"));
    QVERIFY(pdf::write(longReport(160), file));
    const QStringList pages = guitest::pdfText(file).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
    int rowsSeen = 0;
    for (int page = 0; page < pages.size(); ++page) {
        const QString& text = pages[page];
        QVERIFY2(text.contains(QStringLiteral("Sayfa %1 / %2").arg(page + 1).arg(pages.size())),
                 qPrintable(text.right(200)));
        if (text.contains(QStringLiteral("satır "))) {
            // The slices table's header stands on every page it runs onto.
            QVERIFY2(text.contains(QStringLiteral("Başlangıç")), qPrintable(QString::number(page)));
            rowsSeen += int(text.count(QRegularExpression(QStringLiteral("satır \\d+"))));
        }
        QVERIFY(guitest::inkedShare(file, page + 1) > 0.002);
    }
    // Every row is printed once: none lost or doubled at a page break.
    QCOMPARE(rowsSeen, 160);
}

void ReportWritersTest::savingAsksChoosesAndOpens() {
    guitest::FakeBoxes boxes;
    shell::setMessageBoxes(&boxes);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("kayit.pdf"));
    QString suggested;
    std::optional<pdf::SaveChoice> answer;
    pdf::setSaveChooser([&](QWidget*, const QString& name) {
        suggested = name;
        return answer;
    });
    QStringList opened;
    bool opens = true;
    pdf::setViewerOpener([&](const QString& path) {
        opened << path;
        return opens;
    });

    // Cancelled: nothing written, nothing said.
    QVERIFY(!pdf::saveReport(nullptr, longReport(1), QStringLiteral("a.pdf")));
    QCOMPARE(suggested, QStringLiteral("a.pdf"));
    QVERIFY(!QFileInfo::exists(file));

    answer = pdf::SaveChoice{file, false};
    QVERIFY(pdf::saveReport(nullptr, longReport(1), QStringLiteral("a.pdf")));
    QVERIFY(QFileInfo(file).size() > 0);
    QVERIFY(opened.isEmpty());

    answer = pdf::SaveChoice{file, true};
    opens = false;
    QVERIFY(pdf::saveReport(nullptr, longReport(1), QStringLiteral("a.pdf")));
    QCOMPARE(opened, QStringList{file});
    // The file is saved; a missing viewer is a plain notice naming it, never the
    // error report whose No would end the program.
    QCOMPARE(boxes.requests.size(), std::size_t(1));
    QCOMPARE(boxes.requests[0].text,
             QStringLiteral("PDF kaydedildi, ancak açacak bir program bulunamadı: ") +
                 QDir::toNativeSeparators(file));
    QCOMPARE(boxes.requests[0].icon, shell::Icon::Information);
    QCOMPARE(boxes.requests[0].buttons, shell::Buttons::Ok);

    // A file that cannot be written is reported, never called saved.
    answer = pdf::SaveChoice{QStringLiteral("/nonexistent-mirvane/r.pdf"), true};
    QVERIFY(!pdf::saveReport(nullptr, longReport(1), QStringLiteral("a.pdf")));
    QCOMPARE(boxes.requests.size(), std::size_t(2));
    QCOMPARE(opened.size(), 1);

    QCOMPARE(pdf::suggestedFileName(QStringLiteral(" İcra 2024/1234: \"x\" ")),
             QStringLiteral("İcra 2024_1234_ _x_.pdf"));
    QCOMPARE(pdf::suggestedFileName(QString()), QStringLiteral("Rapor.pdf"));
    pdf::setSaveChooser(nullptr);
    pdf::setViewerOpener(nullptr);
    shell::setMessageBoxes(nullptr);
}

void ReportWritersTest::wordDocumentReadsBackInLibreOffice() {
    if (!guitest::libreOfficeInstalled()) {
        QSKIP("LibreOffice (soffice) is not installed");
    }
    QTemporaryDir work;
    const QString file = work.filePath(QStringLiteral("Rapor.dotx"));
    QVERIFY(word::writeTemplate(QFile::encodeName(file).toStdString(), longReport(40)));
    // Blanks as HTML reads them: LibreOffice breaks long source lines anywhere.
    const QString html = guitest::convertToHtml(file, work).simplified();
    QVERIFY(!html.isEmpty());
    QVERIFY(html.contains(QStringLiteral("Dosya Hesabı Raporu")));
    QVERIFY(html.contains(QStringLiteral("çğıöşü ÇĞİÖŞÜ")));

    const QList<QList<QStringList>> tables = guitest::htmlTables(html);
    QCOMPARE(tables.size(), 2);
    QCOMPARE(tables[0].size(), 42);
    QCOMPARE(tables[0][0], (QStringList{QStringLiteral("Başlangıç"), QStringLiteral("Bitiş"),
                                        QStringLiteral("Gün"), QStringLiteral("Faiz")}));
    QCOMPARE(tables[0][40], (QStringList{QStringLiteral("01.01.2024"), QStringLiteral("satır 40"),
                                         QStringLiteral("40"), QStringLiteral("40,00")}));
    QCOMPARE(tables[0][41].last(), QStringLiteral("99.999,99"));
    QCOMPARE(tables[1], (QList<QStringList>{
                            {QStringLiteral("Dönem"), QStringLiteral("Açıklama & <kaynak>")},
                            {QStringLiteral("1"), QStringLiteral("3095 sayılı Kanun \"md. 1\"")}}));
}

// The documents as LibreOffice sets them on paper and a reader reads them back:
// every amount and every date of the report stands whole on one line (none split
// as "250.000,0" over "0"), and no header word is broken.
void ReportWritersTest::wordDocumentsKeepAmountsAndDatesWhole() {
    if (!guitest::libreOfficeInstalled()) {
        QSKIP("LibreOffice (soffice) is not installed");
    }
    if (!guitest::popplerInstalled()) {
        QSKIP("poppler-utils is not installed");
    }
    QTemporaryDir work;
    const QList<std::pair<QString, report::Document>> documents{
        {QStringLiteral("dosya.docx"), claimReport(1)},
        {QStringLiteral("buyuk-dosya.docx"), claimReport(1000000)},
        {QStringLiteral("faiz-dokumu.docx"), breakdownReport()},
    };
    QStringList files;
    for (const auto& [name, document] : documents) {
        files << work.filePath(name);
        QVERIFY(word::writePackage(QFile::encodeName(files.last()).toStdString(), document,
                                   word::Kind::Document));
    }
    QVERIFY(guitest::convertWithLibreOffice(files, work, QStringLiteral("pdf")));
    for (qsizetype d = 0; d < documents.size(); ++d) {
        const QString pdf = guitest::convertedFile(files[d], work, QStringLiteral("pdf"));
        const QString text = guitest::popplerOutput(
            QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY2(!text.isEmpty(), qPrintable(pdf));
        QVERIFY(guitest::pdfInfo(pdf).contains(QStringLiteral("(A4)")));
        QStringList headerWords;
        const QMap<QString, int> expected =
            amountsAndDates(textsOf(documents[d].second, headerWords));
        const QMap<QString, int> printed = amountsAndDates(text);
        QVERIFY(expected.size() > 10);
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            QVERIFY2(printed.value(it.key()) >= it.value(),
                     qPrintable(files[d] + u' ' + it.key() + u' ' +
                                QString::number(printed.value(it.key())) + u'/' +
                                QString::number(it.value())));
        }
        for (const QString& word : headerWords) {
            QVERIFY2(text.contains(word), qPrintable(files[d] + u' ' + word));
        }
    }
}

// mirvane-hesap starts Qt by itself, with no display, only for the PDF.
void ReportWritersTest::commandLineWritesTheClaimReport() {
    if (!guitest::popplerInstalled()) {
        QSKIP("poppler-utils is not installed");
    }
    QTemporaryDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const auto run = [&](const QStringList& arguments, const QString& output = QString()) {
        QProcess hesap;
        hesap.setProcessEnvironment(environment);
        if (!output.isEmpty()) {
            hesap.setStandardOutputFile(output);
        }
        hesap.start(QStringLiteral(MIRVANE_HESAP), arguments);
        return hesap.waitForFinished(60000) && hesap.exitStatus() == QProcess::NormalExit
                   ? hesap.exitCode()
                   : -1;
    };
    const QString claim = folder.filePath(QStringLiteral("örnek.mirvane"));
    QCOMPARE(run({QStringLiteral("--hesap-ornegi")}, claim), 0);
    const QString report = folder.filePath(QStringLiteral("rapor.pdf"));
    QCOMPARE(run({QStringLiteral("--hesap"), claim, QStringLiteral("--pdf"), report}), 0);
    QVERIFY(guitest::pdfInfo(report).contains(QStringLiteral("(A4)")));
    const QString text = guitest::pdfText(report).simplified();
    for (const char* expected : {"Dosya Hesabı", "Hesap tarihi: 31.12.2024", "57.290,94",
                                 "54.056,44", "1.479,45", "20.738,35", "TBK md. 100"}) {
        QVERIFY2(text.contains(guitest::q(expected)), expected);
    }
}

void ReportWritersTest::cleanup() {
    guitest::checkNoTopLevelWidgetLeft();
}

QTEST_MAIN(ReportWritersTest)
#include "ReportWritersTest.moc"
