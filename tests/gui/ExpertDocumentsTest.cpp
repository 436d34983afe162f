// The court expert's report as mirvane-hesap writes it: the PDF read back with
// pdftotext, the Word document read back by LibreOffice (converted headless to PDF,
// then read the same way). Every figure of the comparison must be there.

#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/OfficeTestSupport.h"
#include "tests/gui/PdfTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace mirvane;

namespace {

// The comparison of the worked example: main, advance at every change, half-yearly.
const char* const ComparisonFigures[] = {
    "57.290,94",  "101.479,45", "90.487,82", "80.166,64", "7.273,97",
    "107.273,97", "88.123,29",  "78.052,87", "37.349,32", "54.056,44",
};

int runHesap(const QStringList& arguments) {
    QProcess hesap;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    hesap.setProcessEnvironment(environment);
    hesap.start(QStringLiteral(MIRVANE_HESAP), arguments);
    if (!hesap.waitForFinished(120000) || hesap.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    if (hesap.exitCode() != 0) {
        qWarning("%s", hesap.readAllStandardError().constData());
    }
    return hesap.exitCode();
}

// The PDF LibreOffice makes of `file`; empty when the conversion fails.
QString convertToPdf(const QString& file, const QTemporaryDir& work) {
    if (!guitest::convertWithLibreOffice({file}, work, QStringLiteral("pdf"))) {
        return {};
    }
    const QString converted = guitest::convertedFile(file, work, QStringLiteral("pdf"));
    return QFileInfo::exists(converted) ? converted : QString();
}

void checkReportText(const QString& pdfFile) {
    const QString text = guitest::pdfText(pdfFile).simplified();
    QVERIFY2(!text.isEmpty(), qPrintable(pdfFile));
    for (const char* expected :
         {"İSTANBUL 12. ASLİYE TİCARET MAHKEMESİ SAYIN HÂKİMLİĞİNE", "BİLİRKİŞİ (HESAP) RAPORU",
          "2025/345 E.", "Seçenekli hesap", "Reeskont-avans, her değişiklik",
          "3095 m.2/2 altı aylık", "33.196,88", "İmza", "EK-1", "EK-2"}) {
        QVERIFY2(text.contains(guitest::q(expected)), expected);
    }
    for (const char* figure : ComparisonFigures) {
        QVERIFY2(text.contains(guitest::q(figure)), figure);
    }
}

} // namespace

class ExpertDocumentsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void initTestCase();
    void pdfHoldsEveryComparisonFigure();
    void wordDocumentReadsBackInLibreOffice();

private:
    QTemporaryDir folder_;
    QString claim_;
};

void ExpertDocumentsTest::initTestCase() {
    QVERIFY(folder_.isValid());
    claim_ = folder_.filePath(QStringLiteral("bilirkişi.mirvane"));
    QFile file(claim_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(claim::toJson(claim::expertExample())));
}

void ExpertDocumentsTest::pdfHoldsEveryComparisonFigure() {
    if (!guitest::popplerInstalled()) {
        QSKIP("poppler-utils is not installed");
    }
    const QString report = folder_.filePath(QStringLiteral("rapor.pdf"));
    QCOMPARE(runHesap({QStringLiteral("--hesap"), claim_, QStringLiteral("--pdf"), report}), 0);
    checkReportText(report);
}

void ExpertDocumentsTest::wordDocumentReadsBackInLibreOffice() {
    if (!guitest::libreOfficeInstalled()) {
        QSKIP("LibreOffice (soffice) is not installed");
    }
    if (!guitest::popplerInstalled()) {
        QSKIP("poppler-utils is not installed");
    }
    for (const QString& name : {QStringLiteral("rapor.docx"), QStringLiteral("rapor.dotx")}) {
        const QString report = folder_.filePath(name);
        QCOMPARE(runHesap({QStringLiteral("--hesap"), claim_, QStringLiteral("--word"), report}),
                 0);
        QTemporaryDir work;
        const QString converted = convertToPdf(report, work);
        QVERIFY2(!converted.isEmpty(), qPrintable(name));
        checkReportText(converted);
    }
}

void ExpertDocumentsTest::cleanup() {
    guitest::checkNoTopLevelWidgetLeft();
}

QTEST_MAIN(ExpertDocumentsTest)
#include "ExpertDocumentsTest.moc"
