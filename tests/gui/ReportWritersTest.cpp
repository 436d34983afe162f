#include "GuiTestSupport.h"
#include "OfficeTestSupport.h"
#include "PdfTestSupport.h"
#include "report/Report.h"
#include "shell/Messages.h"
#include "ui/report/PdfDocument.h"
#include "ui/report/PdfExport.h"
#include "ui/report/WordDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace mirvane;

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
    for (int i = 1; i <= rowCount; ++i)
        slices.rows.push_back({"01.01.2024", "satır " + std::to_string(i), std::to_string(i),
                               std::to_string(i) + ",00"});
    slices.rows.push_back({"", "", "Toplam", "99.999,99"});
    document.blocks.push_back(slices);
    document.blocks.push_back(report::Heading{"Kaynaklar", 2});
    document.blocks.push_back(report::Table{
        {{"Dönem"}, {"Açıklama & <kaynak>"}}, {{"1", "3095 sayılı Kanun \"md. 1\""}}, true, false});
    return document;
}

} // namespace

class ReportWritersTest : public QObject {
    Q_OBJECT

private slots:
    void pdfIsA4WithEmbeddedFontsAndEveryText();
    void pdfRepeatsTableHeadersAndNumbersPages();
    void savingAsksChoosesAndOpens();
    void wordDocumentReadsBackInLibreOffice();
    void commandLineWritesTheClaimReport();
};

void ReportWritersTest::pdfIsA4WithEmbeddedFontsAndEveryText() {
    if (!guitest::popplerInstalled())
        QSKIP("poppler-utils is not installed");
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
          "Açıklama & <kaynak>", "3095 sayılı Kanun \"md. 1\"", "Sayfa 1 / 1"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(guitest::inkedShare(file, 1) > 0.005);

    const Status unwritable =
        pdf::write(longReport(1), QStringLiteral("/nonexistent-mirvane/r.pdf"));
    QVERIFY(!unwritable);
    QCOMPARE(unwritable.error().number, errors::PathFileAccessError);
}

void ReportWritersTest::pdfRepeatsTableHeadersAndNumbersPages() {
    if (!guitest::popplerInstalled())
        QSKIP("poppler-utils is not installed");
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
             QStringLiteral("PDF kaydedildi, ancak açacak bir program bulunamadı: ") + file);
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
    if (!guitest::libreOfficeInstalled())
        QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir work;
    const QString file = work.filePath(QStringLiteral("Rapor.dotx"));
    QVERIFY(word::writeTemplate(QFile::encodeName(file).toStdString(), longReport(40)));
    const QString html = guitest::convertToHtml(file, work);
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

// mirvane-hesap starts Qt by itself, with no display, only for the PDF.
void ReportWritersTest::commandLineWritesTheClaimReport() {
    if (!guitest::popplerInstalled())
        QSKIP("poppler-utils is not installed");
    QTemporaryDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const auto run = [&](const QStringList& arguments, const QString& output = QString()) {
        QProcess hesap;
        hesap.setProcessEnvironment(environment);
        if (!output.isEmpty())
            hesap.setStandardOutputFile(output);
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
                                 "54.056,44", "1.479,45", "20.738,35", "TBK md. 100"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
}

QTEST_MAIN(ReportWritersTest)
#include "ReportWritersTest.moc"
