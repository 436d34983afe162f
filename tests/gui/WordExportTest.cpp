#include "ui/report/WordExport.h"

#include "core/interest/Breakdown.h"
#include "core/report/BreakdownReport.h"
#include "core/report/ReportTexts.h"
#include "documents/WordDocument.h"
#include "modules/ZipModule.h"
#include "shell/Convert.h"
#include "shell/LazyLibrary.h"
#include "shell/Messages.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/OfficeTestSupport.h"
#include "tests/gui/ZipTestSupport.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <numeric>
#include <vector>

using namespace mirvane;
using guitest::FakeBoxes;
using guitest::readPart;

namespace {

// The notice names what this system lacks.
// Windows knows only Word (through the registry); elsewhere either word processor will do.
#ifdef Q_OS_WIN
const QString NoWordProcessor = QStringLiteral("Bilgisayarınızda MS Word yüklü değil!");
#else
const QString NoWordProcessor = QStringLiteral(
    "Bilgisayarınızda bir kelime işlemci (Microsoft Word ya da LibreOffice Writer) bulunamadı!");
#endif

// The example of two slices and their total, through the same text builder the
// window's whole-list copy uses.
QString exampleExportText(int rowCount = 2) {
    std::vector<breakdown::RowCells> rows{
        {"9", "01.07.2005", "31.12.2005", "12", "183", "60,16", "60,16"},
        {"10", "31.12.2005", "01.07.2006", "9", "182", "44,88", "105,04"},
    };
    rows.resize(std::size_t(rowCount));
    return shell::toQString(breakdown::exportText(rows, rowCount == 2 ? "105,04" : "60,16"));
}

// The report the breakdown's export makes of a clipboard text, without its heading.
report::Document tableDocument(const QString& exportText) {
    return {{}, {report::breakdownTable(exportText.toStdString())}};
}

QList<QStringList> fieldsOf(const QString& exportText) {
    QList<QStringList> rows;
    for (const QString& line : exportText.split(QStringLiteral("\r\n"))) {
        rows.append(line.split(QLatin1Char('\t')));
    }
    return rows;
}

struct Cell {
    QString text;
    bool bold = false;
};

struct Table {
    int tables = 0;
    int gridColumns = 0;
    QList<QList<Cell>> rows;
};

// Reads back the tables of a document.xml: the texts of each cell's runs and
// whether anything in the cell is bold.
Table parseDocument(const QByteArray& xml) {
    Table table;
    QXmlStreamReader reader(xml);
    const auto inCell = [&table] {
        return !table.rows.isEmpty() && !table.rows.last().isEmpty();
    };
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView name = reader.qualifiedName();
        if (name == u"w:tbl") {
            ++table.tables;
        } else if (name == u"w:gridCol") {
            ++table.gridColumns;
        } else if (name == u"w:tr") {
            table.rows.append(QList<Cell>());
        } else if (name == u"w:tc" && !table.rows.isEmpty()) {
            table.rows.last().append(Cell());
        } else if (name == u"w:b" && inCell()) {
            table.rows.last().last().bold = true;
        } else if (name == u"w:t" && inCell()) {
            table.rows.last().last().text += reader.readElementText();
        }
    }
    if (reader.hasError()) {
        table.tables = -1;
    }
    return table;
}

// How a document.xml lays its tables out: each table's column widths and, per row,
// whether it may split and whether it repeats, with each cell's text and alignment.
struct LaidOutRow {
    bool cantSplit = false;
    bool repeats = false;
    QStringList texts;
    QStringList aligns; // "" for left
};
struct LaidOutTable {
    QList<int> columnWidths;
    QList<LaidOutRow> rows;
};

QList<LaidOutTable> layoutOf(const QByteArray& xml) {
    QList<LaidOutTable> tables;
    QXmlStreamReader reader(xml);
    const auto attribute = [&reader](const char* name) {
        return reader.attributes().value(QLatin1String(name)).toString();
    };
    bool inTable = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement && reader.qualifiedName() == u"w:tbl") {
            inTable = false;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView name = reader.qualifiedName();
        if (name == u"w:tbl") {
            tables.append(LaidOutTable());
            inTable = true;
        } else if (!inTable) {
            continue;
        } else if (name == u"w:gridCol") {
            tables.last().columnWidths.append(attribute("w:w").toInt());
        } else if (name == u"w:tr") {
            tables.last().rows.append(LaidOutRow());
        } else if (name == u"w:cantSplit") {
            tables.last().rows.last().cantSplit = true;
        } else if (name == u"w:tblHeader") {
            tables.last().rows.last().repeats = true;
        } else if (name == u"w:tc") {
            tables.last().rows.last().texts.append(QString());
            tables.last().rows.last().aligns.append(QString());
        } else if (name == u"w:jc" && !tables.isEmpty() && !tables.last().rows.isEmpty() &&
                   !tables.last().rows.last().aligns.isEmpty()) {
            tables.last().rows.last().aligns.last() = attribute("w:val");
        } else if (name == u"w:t" && !tables.isEmpty() && !tables.last().rows.isEmpty() &&
                   !tables.last().rows.last().texts.isEmpty()) {
            tables.last().rows.last().texts.last() += reader.readElementText();
        }
    }
    if (reader.hasError()) {
        tables.clear();
    }
    return tables;
}

// A report with a long table of dates and amounts, a total and a table of sources.
report::Document claimLikeReport() {
    report::Document document{"Dosya Hesabı — deneme", {}};
    document.blocks.push_back(report::Heading{"Dosya Hesabı", 1});
    document.blocks.push_back(report::Paragraph{"Uyarı metni", true});
    report::Table slices{{{"Kalem", report::Align::Centre, 0.6},
                          {"Başlangıç", report::Align::Left, 1.2},
                          {"Bitiş", report::Align::Left, 1.2},
                          {"Gün", report::Align::Right, 0.7},
                          {"Oran (%)", report::Align::Right, 0.8},
                          {"Matrah", report::Align::Right, 1.5},
                          {"Faiz", report::Align::Right, 1.3}},
                         {},
                         true,
                         true};
    for (int i = 0; i < 60; ++i) {
        slices.rows.push_back(
            {"1", "01.02.2024", "31.12.2024", "334", "24", "250.000,00", "54.912,33"});
    }
    slices.rows.push_back({"", "", "", "", "", "Toplam", "3.294.739,80"});
    document.blocks.push_back(slices);
    document.blocks.push_back(report::Paragraph{"Adi Alacaklar (Kanuni Faiz)"});
    document.blocks.push_back(report::Table{report::ratePeriodColumns(),
                                            {{"15", "31.05.2024", "31.12.2024", "24",
                                              "8485 sayılı Cumhurbaşkanı Kararı (Resmî Gazete "
                                              "31.05.2024, 32562), 3095 sayılı Kanun md. 1"}}});
    return document;
}

void checkTableHoldsFields(const Table& table, const QList<QStringList>& fields) {
    QCOMPARE(table.tables, 1);
    QCOMPARE(table.gridColumns, 5);
    QCOMPARE(table.rows.size(), fields.size());
    for (qsizetype r = 0; r < fields.size(); ++r) {
        QCOMPARE(table.rows[r].size(), 5);
        for (qsizetype c = 0; c < 5; ++c) {
            QCOMPARE(table.rows[r][c].text, fields[r][c]);
            QCOMPARE(table.rows[r][c].bold, r == fields.size() - 1);
        }
    }
}

QString makeExampleDocument(const QString& exportText) {
    const Result<QString> made = word::makeDocument(tableDocument(exportText));
    if (!made) {
        return {};
    }
    return made.value();
}

// LibreOffice's HTML: one <tr> per row, one <td> per cell, bold as <b>.
QList<QList<Cell>> htmlTableRows(const QString& html) {
    static const QRegularExpression rowPattern(QStringLiteral("<tr[^>]*>(.*?)</tr>"),
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellPattern(QStringLiteral("<td[^>]*>(.*?)</td>"),
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QList<QList<Cell>> rows;
    for (const auto& row : rowPattern.globalMatch(html)) {
        rows.append(QList<Cell>());
        for (const auto& cell : cellPattern.globalMatch(row.captured(1))) {
            QString content = cell.captured(1);
            const bool bold = content.contains(QStringLiteral("<b>"));
            // Blanks as HTML reads them: LibreOffice breaks long source lines.
            rows.last().append({content.remove(tag).simplified(), bold});
        }
    }
    return rows;
}

// Puts an environment variable back as it was (set or not) when the scope ends, so
// that a failing check cannot leave it changed for the tests and programs after it.
auto restoredOnExit(const char* name) {
    const bool wasSet = qEnvironmentVariableIsSet(name);
    const QByteArray value = qgetenv(name);
    return qScopeGuard([=] {
        if (wasSet) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    });
}

} // namespace

class WordExportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void documentHoldsTheBreakdownAsATable();
    void documentIsStyledAndItsRowsStayWhole();
    void savingWritesAWordDocument();
    void statusAndTheWayOutWithoutAWordProcessor();
    void cellTextsAreEscapedNotLost();
    void missingModuleIsReportedNotFatal();
    void noWordProcessorOnlyShowsTheNotice();
    void exportCopiesThenShowsTheDocument();
    void failingStepsAreReported();
    void exportFoldersOlderThanADayAreRemoved();
    void detectionLooksForLibreOfficeOnThePath();
    void libreOfficeReadsTheTemplate();

private:
    // The documents outlive the export by design; made below this folder, they
    // go with it at the end of the run.
    QTemporaryDir temporaryLocation_;
    FakeBoxes boxes_;
    bool ended_ = false;
    QStringList opened_;
};

void WordExportTest::initTestCase() {
    QVERIFY(temporaryLocation_.isValid());
    qputenv("TMPDIR", QFile::encodeName(temporaryLocation_.path()));
}

void WordExportTest::init() {
    boxes_ = {};
    ended_ = false;
    opened_.clear();
    shell::setMessageBoxes(&boxes_);
    shell::setProgramEnder([this] { ended_ = true; });
    word::setWordProcessorCheck([] { return true; });
    word::setDocumentOpener([this](const QString& file) {
        opened_.append(file);
        return true;
    });
}

void WordExportTest::cleanup() {
    shell::setMessageBoxes(nullptr);
    shell::setProgramEnder(nullptr);
    word::setWordProcessorCheck(nullptr);
    word::setDocumentOpener(nullptr);
    guitest::checkNoTopLevelWidgetLeft();
}

void WordExportTest::documentHoldsTheBreakdownAsATable() {
    for (const int rowCount : {2, 1}) {
        const QString text = exampleExportText(rowCount);
        const QString file = makeExampleDocument(text);
        QVERIFY(QFileInfo(file).isFile());
        QVERIFY(file.endsWith(QStringLiteral(".dotx")));
        QVERIFY(readPart(file, "[Content_Types].xml")
                    .contains("PartName=\"/word/document.xml\" ContentType=\"application/"
                              "vnd.openxmlformats-officedocument.wordprocessingml.template."
                              "main+xml\""));
        QVERIFY(readPart(file, "_rels/.rels").contains("Target=\"word/document.xml\""));
        // The header row repeats on each page; no other row does.
        QCOMPARE(readPart(file, "word/document.xml").count("<w:tblHeader/>"), 1);

        const Table table = parseDocument(readPart(file, "word/document.xml"));
        QCOMPARE(table.rows.size(), rowCount + 2);
        checkTableHoldsFields(table, fieldsOf(text));
        QCOMPARE(table.rows[0][0].text, QStringLiteral("Başlangıç Tarihi"));
        QCOMPARE(table.rows.last()[3].text, QStringLiteral("Faiz Toplamı: "));
    }
    // Every export gets a folder of its own: an open document is never overwritten.
    const QString first = makeExampleDocument(exampleExportText());
    const QString second = makeExampleDocument(exampleExportText());
    QVERIFY(QFileInfo(first).absolutePath() != QFileInfo(second).absolutePath());
    QCOMPARE(QFileInfo(QFileInfo(first).absolutePath()).absolutePath(), QDir::tempPath());
}

void WordExportTest::documentIsStyledAndItsRowsStayWhole() {
    const Result<QString> made = word::makeDocument(claimLikeReport(), QStringLiteral("a.dotx"));
    QVERIFY(made);
    const QString file = made.value();
    const QByteArray styles = readPart(file, "word/styles.xml");
    QVERIFY(styles.contains("<w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\""));
    QVERIFY(styles.contains("<w:rPrDefault><w:rPr><w:rFonts"));
    QVERIFY(styles.contains("<w:sz w:val=\"20\"/>"));
    QVERIFY(styles.contains("<w:lang w:val=\"tr-TR\""));
    for (const char* style : {"Heading1", "Heading2", "Notice", "TableText", "TableHeading"}) {
        const QByteArray defined = QByteArray("w:styleId=\"") + style + '"';
        QVERIFY2(styles.contains(defined), style);
    }
    QVERIFY(readPart(file, "word/_rels/document.xml.rels").contains("Target=\"styles.xml\""));
    QVERIFY(readPart(file, "[Content_Types].xml").contains("/word/styles.xml"));
    QVERIFY(readPart(file, "word/footer1.xml").contains(" NUMPAGES "));
    QVERIFY(readPart(file, "docProps/core.xml").contains("Dosya Hesabı — deneme"));

    const QByteArray document = readPart(file, "word/document.xml");
    QVERIFY(document.contains("<w:pStyle w:val=\"Notice\"/>"));
    const QList<LaidOutTable> tables = layoutOf(document);
    QCOMPARE(tables.size(), 2);
    for (const LaidOutTable& table : tables) {
        // A4 less two margins of 2 cm, in twips.
        QCOMPARE(std::accumulate(table.columnWidths.begin(), table.columnWidths.end(), 0), 9638);
        for (qsizetype r = 0; r < table.rows.size(); ++r) {
            QVERIFY(table.rows[r].cantSplit);
            QCOMPARE(table.rows[r].repeats, r == 0);
        }
    }
    // Numbers stand right, their headers over them; the dates left.
    const LaidOutTable& slices = tables[0];
    QCOMPARE(slices.rows.size(), 62);
    QCOMPARE(slices.rows[0].aligns, (QStringList{QStringLiteral("center"),
                                                 {},
                                                 {},
                                                 QStringLiteral("right"),
                                                 QStringLiteral("right"),
                                                 QStringLiteral("right"),
                                                 QStringLiteral("right")}));
    QCOMPARE(slices.rows[1].aligns, slices.rows[0].aligns);
    QCOMPARE(slices.rows.last().texts.last(), QStringLiteral("3.294.739,80"));
    // The source's column gets the room the numbers leave.
    const QList<int>& sources = tables[1].columnWidths;
    QCOMPARE(sources.size(), 5);
    QVERIFY(sources[4] > sources[1] + sources[2]);
}

void WordExportTest::savingWritesAWordDocument() {
    QTemporaryDir folder;
    QString answer;
    QStringList suggested;
    word::setSaveChooser([&](QWidget*, const QString& name) {
        suggested << name;
        return answer;
    });
    const auto restoreChooser = qScopeGuard([] { word::setSaveChooser(nullptr); });
    const report::Document document = claimLikeReport();

    // Called off: nothing written, nothing said.
    QVERIFY(word::saveDocument(nullptr, document, QStringLiteral("a.docx")).isEmpty());
    QCOMPARE(suggested, QStringList{QStringLiteral("a.docx")});
    QVERIFY(boxes_.requests.empty());

    answer = folder.filePath(QStringLiteral("döküm.docx"));
    QCOMPARE(word::saveDocument(nullptr, document, QStringLiteral("a.docx")), answer);
    QVERIFY(readPart(answer, "[Content_Types].xml")
                .contains("PartName=\"/word/document.xml\" ContentType=\"application/"
                          "vnd.openxmlformats-officedocument.wordprocessingml.document."
                          "main+xml\""));
    QCOMPARE(layoutOf(readPart(answer, "word/document.xml")).size(), 2);

    // Saved again over itself (the dialog asked), the new content replaces the old
    // whole, and nothing is left beside it.
    report::Document shorter = document;
    std::get<report::Table>(shorter.blocks[2]).rows.resize(1);
    QVERIFY(!word::saveDocument(nullptr, shorter, QStringLiteral("a.docx")).isEmpty());
    QCOMPARE(layoutOf(readPart(answer, "word/document.xml")).at(0).rows.size(), 2);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("döküm.docx")});
    QVERIFY(boxes_.requests.empty());

    // A file that cannot be written is reported, never called saved.
    answer = folder.filePath(QStringLiteral("yok/döküm.docx"));
    QVERIFY(word::saveDocument(nullptr, document, QStringLiteral("a.docx")).isEmpty());
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QVERIFY(boxes_.requests[0].text.contains(QStringLiteral("Word belgesi yazılamadı: ")));
    QVERIFY(boxes_.requests[0].text.contains(QStringLiteral("döküm.docx")));
    QVERIFY(!QFileInfo::exists(answer));

    QCOMPARE(word::suggestedFileName(QStringLiteral("İcra 2024/1234")),
             QStringLiteral("İcra 2024_1234.docx"));
}

// The status says at once that the document is on its way, and stays while the word
// processor starts; without one, the notice offers to save the document instead.
void WordExportTest::statusAndTheWayOutWithoutAWordProcessor() {
    QStringList statuses;
    int saves = 0;
    int composed = 0;
    const word::WindowHooks hooks{[&](const QString& text) { statuses << text; },
                                  [&] {
                                      ++saves;
                                  }};
    const auto exportExample = [&] {
        word::exportToWordProcessor(
            [&] {
                ++composed;
                return tableDocument(exampleExportText());
            },
            QStringLiteral("a.dotx"), hooks);
    };

    exportExample();
    QCOMPARE(statuses, QStringList{QStringLiteral("Belge kelime işlemcide açılıyor…")});
    QCOMPARE(opened_.size(), 1);
    QVERIFY(boxes_.requests.empty());

    // The word processor does not start: the status goes with the error.
    statuses.clear();
    word::setDocumentOpener([](const QString&) { return false; });
    exportExample();
    QCOMPARE(statuses, (QStringList{word::openingStatus(), QString()}));
    QCOMPARE(boxes_.requests.size(), std::size_t(1));

    word::setWordProcessorCheck([] { return false; });
    for (const shell::Answer answer : {shell::Answer::No, shell::Answer::Yes}) {
        statuses.clear();
        boxes_.requests.clear();
        boxes_.answers = {answer};
        composed = 0;
        exportExample();
        QCOMPARE(statuses, (QStringList{word::openingStatus(), QString()}));
        QCOMPARE(boxes_.requests.size(), std::size_t(1));
        QCOMPARE(boxes_.requests[0].text, word::noWordProcessorQuestion());
        QVERIFY(boxes_.requests[0].text.startsWith(NoWordProcessor));
        QCOMPARE(boxes_.requests[0].icon, shell::Icon::Question);
        QCOMPARE(boxes_.requests[0].buttons, shell::Buttons::YesNo);
        QCOMPARE(composed, 0);
        QCOMPARE(saves, answer == shell::Answer::Yes ? 1 : 0);
    }
}

void WordExportTest::cellTextsAreEscapedNotLost() {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("t.dotx"));
    const std::string text = "A&B\t<x>\t\"ş\"\tİı\x01Ğ\r\n\t\t\t\tçöü";
    QVERIFY(word::writeTemplate(QFile::encodeName(file).toStdString(),
                                tableDocument(shell::toQString(text))));
    const Table table = parseDocument(readPart(file, "word/document.xml"));
    checkTableHoldsFields(table,
                          {{QStringLiteral("A&B"), QStringLiteral("<x>"), QStringLiteral("\"ş\""),
                            QStringLiteral("İıĞ"), QString()},
                           {QString(), QString(), QString(), QString(), QStringLiteral("çöü")}});

    const Status unwritable =
        word::writeTemplate("/nonexistent-mirvane/t.dotx", tableDocument(QStringLiteral("x")));
    QVERIFY(!unwritable);
    // The safe write names the missing folder, as for every file the program writes.
    QCOMPARE(unwritable.error().number, errors::PathNotFound);
}

// The zip module is loaded on the first export; a broken installation must reach
// the user as an error naming what is missing.
void WordExportTest::missingModuleIsReportedNotFatal() {
    const Result<void*> noModule = shell::moduleFunction("mirvane-missing", ZipArchiveSymbol);
    QVERIFY(!noModule);
    QCOMPARE(noModule.error().number, errors::FileNotFound);
    QVERIFY(
        shell::toQString(noModule.error().description).contains(QLatin1String("mirvane-missing")));

    const Result<void*> noFunction = shell::moduleFunction(ZipModuleName, "mirvane_no_such_entry");
    QVERIFY(!noFunction);
    QVERIFY(shell::toQString(noFunction.error().description)
                .contains(QLatin1String("mirvane_no_such_entry")));
    QVERIFY(shell::moduleFunction(ZipModuleName, ZipArchiveSymbol));
}

void WordExportTest::noWordProcessorOnlyShowsTheNotice() {
    word::setWordProcessorCheck([] { return false; });
    QGuiApplication::clipboard()->setText(QStringLiteral("önceki metin"));
    int copies = 0;
    word::exportToWordProcessor([&] {
        ++copies;
        return tableDocument(exampleExportText());
    });
    QCOMPARE(copies, 0);
    QVERIFY(opened_.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("önceki metin"));
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(boxes_.requests[0].text, NoWordProcessor);
    QCOMPARE(boxes_.requests[0].caption, QStringLiteral("Mirvane"));
    QCOMPARE(boxes_.requests[0].icon, shell::Icon::Information);
    QCOMPARE(boxes_.requests[0].buttons, shell::Buttons::Ok);
}

// Only this program's own folders go, and only once they are a day old.
void WordExportTest::exportFoldersOlderThanADayAreRemoved() {
    QTemporaryDir temporary;
    const QDir root(temporary.path());
    const auto folderWith = [&](const QString& name, const QStringList& files) {
        root.mkpath(name);
        for (const QString& file : files) {
            QFile document(root.filePath(name + u'/' + file));
            QVERIFY(document.open(QIODevice::WriteOnly));
        }
    };
    folderWith(QStringLiteral("mirvane-aaaaaa"), {QStringLiteral("FaizDokumu.dotx")});
    folderWith(QStringLiteral("mirvane-bbbbbb"), {QStringLiteral("DosyaHesabi.dotx")});
    folderWith(QStringLiteral("mirvane-cccccc"), {QStringLiteral("notlar.txt")});
    folderWith(QStringLiteral("mirvane-uzun-ad"), {QStringLiteral("FaizDokumu.dotx")});
    folderWith(QStringLiteral("başka-aaaaaa"), {QStringLiteral("FaizDokumu.dotx")});
    const QDateTime now = QDateTime::currentDateTime();

    word::removeOldExportFolders(temporary.path(), now.addSecs(12 * 3600));
    QCOMPARE(root.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 5);

    word::removeOldExportFolders(temporary.path(), now.addDays(2));
    QCOMPARE(root.entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("başka-aaaaaa"), QStringLiteral("mirvane-cccccc"),
                          QStringLiteral("mirvane-uzun-ad")}));
}

void WordExportTest::exportCopiesThenShowsTheDocument() {
    const QString text = exampleExportText();
    QString clipboardWhenOpened;
    word::setDocumentOpener([&](const QString& file) {
        opened_.append(file);
        clipboardWhenOpened = QGuiApplication::clipboard()->text();
        return true;
    });
    QGuiApplication::clipboard()->setText(QStringLiteral("önceki metin"));
    word::exportToWordProcessor([&] {
        QGuiApplication::clipboard()->setText(text);
        return tableDocument(text);
    });
    QVERIFY(boxes_.requests.empty());
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    QCOMPARE(clipboardWhenOpened, text);
    QCOMPARE(opened_.size(), 1);
    checkTableHoldsFields(parseDocument(readPart(opened_[0], "word/document.xml")), fieldsOf(text));
}

void WordExportTest::failingStepsAreReported() {
    const auto exportExample = [] {
        word::exportToWordProcessor([] { return tableDocument(exampleExportText()); });
    };

    // The word processor does not start: one report; Yes carries on, No ends.
    word::setDocumentOpener([](const QString&) { return false; });
    exportExample();
    QCOMPARE(boxes_.requests.size(), std::size_t(1));
    QCOMPARE(boxes_.requests[0].caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(boxes_.requests[0].icon, shell::Icon::Critical);
    QVERIFY(boxes_.requests[0].text.contains(QStringLiteral("Hata Kodu: 429")));
    QVERIFY(!ended_);
    boxes_.answers = {shell::Answer::No};
    exportExample();
    QVERIFY(ended_);

#ifdef Q_OS_UNIX
    // No document can be made (the temporary location is a file, or missing):
    // continuing reaches the showing step, which has nothing to show and says so;
    // ending stops before it.
    word::setDocumentOpener([this](const QString& file) {
        opened_.append(file);
        return true;
    });
    QTemporaryDir folder;
    QFile notAFolder(folder.filePath(QStringLiteral("file")));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const auto restoreTemp = restoredOnExit("TMPDIR");
    for (const QString& temp : {notAFolder.fileName(), folder.filePath(QStringLiteral("none"))}) {
        qputenv("TMPDIR", QFile::encodeName(temp));
        boxes_.requests.clear();
        ended_ = false;
        exportExample();
        QCOMPARE(boxes_.requests.size(), std::size_t(2));
        QVERIFY(boxes_.requests[1].text.contains(QStringLiteral("Hata Kodu: 53")));
        QVERIFY(opened_.isEmpty());
        QVERIFY(!ended_);
        boxes_.requests.clear();
        boxes_.answers = {shell::Answer::No};
        exportExample();
        QCOMPARE(boxes_.requests.size(), std::size_t(1));
        QVERIFY(ended_);
    }
    QVERIFY(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size() == 1);
#endif
}

void WordExportTest::detectionLooksForLibreOfficeOnThePath() {
#ifdef Q_OS_WIN
    QSKIP("Windows asks the registry for Word");
#endif
    word::setWordProcessorCheck(nullptr);
    const auto restorePath = restoredOnExit("PATH");
    QTemporaryDir folder;
    qputenv("PATH", QFile::encodeName(folder.path()));
    QVERIFY(!word::wordProcessorAvailable());

    QFile fakeOffice(folder.filePath(QStringLiteral("lowriter")));
    QVERIFY(fakeOffice.open(QIODevice::WriteOnly));
    fakeOffice.write("#!/bin/sh\n");
    fakeOffice.close();
    fakeOffice.setPermissions(fakeOffice.permissions() | QFile::ExeOwner);
    QVERIFY(word::wordProcessorAvailable());
}

void WordExportTest::libreOfficeReadsTheTemplate() {
    if (!guitest::libreOfficeInstalled()) {
        QSKIP("LibreOffice (soffice) is not installed");
    }
    const QString text = exampleExportText();
    const QString file = makeExampleDocument(text);
    QVERIFY(!file.isEmpty());

    QTemporaryDir work;
    const QString html = guitest::convertToHtml(file, work);
    QVERIFY(!html.isEmpty());
    const QList<QList<Cell>> rows = htmlTableRows(html);
    const QList<QStringList> fields = fieldsOf(text);
    QCOMPARE(rows.size(), fields.size());
    for (qsizetype r = 0; r < fields.size(); ++r) {
        QCOMPARE(rows[r].size(), 5);
        for (qsizetype c = 0; c < 5; ++c) {
            QCOMPARE(rows[r][c].text, fields[r][c].trimmed());
            QCOMPARE(rows[r][c].bold, r == fields.size() - 1 && !fields[r][c].isEmpty());
        }
    }
}

QTEST_MAIN(WordExportTest)
#include "WordExportTest.moc"
