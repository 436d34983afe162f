#include "documents/WordDocument.h"

#include "core/report/TableFit.h"
#include "shell/Convert.h"
#include "shell/ZipArchive.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <cmath>
#include <numeric>
#include <optional>
#include <variant>

namespace mirvane::word {

namespace {

// A4 with 2 cm margins, as the PDF has them, in twentieths of a point.
constexpr int PageWidth = 11906;
constexpr int PageHeight = 16838;
constexpr int PageMargin = 1134;
constexpr int TextWidth = PageWidth - 2 * PageMargin;

// Sizes in half points.
constexpr int BodySize = 20;
constexpr int TitleSize = 32;
constexpr int SectionSize = 24;
constexpr int TableSize = 18;
constexpr int SmallestTableSize = 13;
constexpr int FooterSize = 16;

// A cell's margins left and right, in twips, and what a cell needs beyond its text
// in points: both margins, its share of the borders and a little room for the way
// each word processor rounds.
constexpr int CellMargin = 70;
constexpr double CellPadding = 2 * CellMargin / 20.0 + 0.5 + 1.5;
// Widths are measured without kerning, and a little wider still.
constexpr double MeasureSlack = 1.03;

constexpr std::string_view XmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view MainNamespace =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
constexpr std::string_view RelationshipsNamespace =
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

// Control characters other than TAB, LF and CR have no place in XML 1.0; one of
// them would make the whole document unreadable, so it is left out.
bool allowedInXml(unsigned char c) {
    return c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
}

void appendEscaped(std::string& xml, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            xml += "&amp;";
            break;
        case '<':
            xml += "&lt;";
            break;
        case '>':
            xml += "&gt;";
            break;
        case '"':
            xml += "&quot;";
            break;
        default:
            if (allowedInXml(static_cast<unsigned char>(c))) {
                xml += c;
            }
        }
    }
}

std::string escaped(std::string_view text) {
    std::string xml;
    appendEscaped(xml, text);
    return xml;
}

// The face as the word processors set it. Liberation Sans is Arial's twin where
// Arial itself is missing; any other face the system puts in their place is
// measured as it is, which errs on the wide side for the usual stand-ins.
class Face {
public:
    Face() {
        QFont font(QStringLiteral("Liberation Sans"));
        if (QFontInfo(font).family() != font.family()) {
            font.setFamily(shell::toQString(FontFamily));
        }
        font.setPixelSize(Scale);
        font.setKerning(false);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setStyleStrategy(QFont::ForceOutline);
        regular_.emplace(font);
        font.setBold(true);
        bold_.emplace(font);
    }

    // In points at a size of one point.
    double width(std::string_view text, bool bold) const {
        const QFontMetricsF& metrics = bold ? *bold_ : *regular_;
        return metrics.horizontalAdvance(shell::toQString(text)) / Scale * MeasureSlack;
    }

private:
    static constexpr int Scale = 1000;
    std::optional<QFontMetricsF> regular_;
    std::optional<QFontMetricsF> bold_;
};

const char* justification(report::Align align) {
    switch (align) {
    case report::Align::Centre:
        return "center";
    case report::Align::Right:
        return "right";
    case report::Align::Left:
        break;
    }
    return "left";
}

// The run properties of a table cell: bold for a header or total row, the size
// where the table had to be set smaller than its style.
std::string cellRunProperties(bool bold, int size) {
    std::string properties;
    if (bold) {
        properties += "<w:b/><w:bCs/>";
    }
    if (size != TableSize) {
        properties += "<w:sz w:val=\"" + std::to_string(size) + "\"/><w:szCs w:val=\"" +
                      std::to_string(size) + "\"/>";
    }
    return properties.empty() ? properties : "<w:rPr>" + properties + "</w:rPr>";
}

struct CellStyle {
    int width = 0; // twips
    report::Align align = report::Align::Left;
    bool header = false;
    bool bold = false;
    bool wraps = false;
    int size = TableSize;
};

// An empty cell still needs its paragraph; a bold row makes the paragraph mark bold
// too, so text typed into an empty cell of the total row is bold as well.
void appendCell(std::string& xml, std::string_view text, const CellStyle& style) {
    xml += "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(style.width) + "\" w:type=\"dxa\"/>";
    // In the order the schema gives them; Word refuses a document otherwise.
    if (style.header) {
        xml += "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"E6E6E6\"/>";
    }
    if (!style.wraps) {
        xml += "<w:noWrap/>";
    }
    xml += "</w:tcPr><w:p><w:pPr><w:pStyle w:val=\"";
    xml += style.header && style.bold ? "TableHeading" : "TableText";
    xml += "\"/>";
    if (style.align != report::Align::Left) {
        xml += "<w:jc w:val=\"";
        xml += justification(style.align);
        xml += "\"/>";
    }
    const std::string run = cellRunProperties(style.bold && !style.header, style.size);
    xml += run;
    xml += "</w:pPr>";
    if (!text.empty()) {
        // The total's label ends in a blank that must survive.
        xml += "<w:r>" + run + "<w:t xml:space=\"preserve\">";
        appendEscaped(xml, text);
        xml += "</w:t></w:r>";
    }
    xml += "</w:p></w:tc>";
}

// Twips that add up to the text width exactly, each rounded down but the last.
std::vector<int> twipsOf(const std::vector<double>& points) {
    std::vector<int> widths;
    int used = 0;
    for (std::size_t c = 0; c < points.size(); ++c) {
        const int width =
            c + 1 < points.size() ? int(std::floor(points[c] * 20)) : TextWidth - used;
        widths.push_back(width);
        used += width;
    }
    return widths;
}

void appendTableProperties(std::string& xml, int width) {
    xml += "<w:tblPr><w:tblStyle w:val=\"ReportTable\"/><w:tblW w:w=\"" + std::to_string(width) +
           "\" w:type=\"dxa\"/><w:tblLayout w:type=\"fixed\"/>"
           "<w:tblLook w:val=\"0000\" w:firstRow=\"0\" w:lastRow=\"0\" w:firstColumn=\"0\" "
           "w:lastColumn=\"0\" w:noHBand=\"1\" w:noVBand=\"1\"/></w:tblPr>";
}

// Every row stays whole on its page; the header row is marked to repeat at the top
// of each page the table runs onto.
void appendRow(std::string& xml, const std::vector<std::string>& cells, const report::Table& table,
               const std::vector<int>& widths, int size, bool header, bool bold) {
    xml += "<w:tr><w:trPr><w:cantSplit/>";
    if (header) {
        xml += "<w:tblHeader/>";
    }
    xml += "</w:trPr>";
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const report::Column& column = table.columns[c];
        const CellStyle style{widths[c], column.align, header, bold, header || column.wraps, size};
        appendCell(xml, c < cells.size() ? cells[c] : std::string(), style);
    }
    xml += "</w:tr>";
}

void appendTable(std::string& xml, const report::Table& table, const Face& face) {
    if (table.columns.empty()) {
        return;
    }
    const report::TableFit fit = report::fitTable(
        table, [&face](std::string_view text, bool bold) { return face.width(text, bold); },
        {TextWidth / 20.0, CellPadding, TableSize / 2.0, SmallestTableSize / 2.0});
    const std::vector<int> widths = twipsOf(fit.widths);
    const int size = int(std::lround(fit.fontSize * 2));
    xml += "<w:tbl>";
    appendTableProperties(xml, std::accumulate(widths.begin(), widths.end(), 0));
    xml += "<w:tblGrid>";
    for (const int width : widths) {
        xml += "<w:gridCol w:w=\"" + std::to_string(width) + "\"/>";
    }
    xml += "</w:tblGrid>";
    std::vector<std::string> header;
    for (const report::Column& column : table.columns) {
        header.push_back(column.header);
    }
    appendRow(xml, header, table, widths, size, true, table.headerBold);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        appendRow(xml, table.rows[r], table, widths, size, false,
                  table.lastRowBold && r + 1 == table.rows.size());
    }
    xml += "</w:tbl>";
    // A table needs a paragraph after it (a document cannot end in one, and two
    // tables in a row would merge); a small one, so it reads as the gap it is.
    xml += "<w:p><w:pPr><w:pStyle w:val=\"AfterTable\"/></w:pPr></w:p>";
}

void appendHeading(std::string& xml, const report::Heading& heading) {
    xml += "<w:p><w:pPr><w:pStyle w:val=\"";
    xml += heading.level <= 1 ? "Heading1" : "Heading2";
    xml += "\"/></w:pPr><w:r><w:t xml:space=\"preserve\">";
    appendEscaped(xml, heading.text);
    xml += "</w:t></w:r></w:p>";
}

// A paragraph that introduces a table (a list's name above its periods) stays on
// the page of the table's first rows.
void appendParagraph(std::string& xml, const report::Paragraph& paragraph, bool beforeTable) {
    std::string properties;
    if (paragraph.notice) {
        properties += "<w:pStyle w:val=\"Notice\"/>";
    }
    if (beforeTable) {
        properties += "<w:keepNext/>";
    }
    xml += "<w:p>";
    if (!properties.empty()) {
        xml += "<w:pPr>" + properties + "</w:pPr>";
    }
    xml += "<w:r><w:t xml:space=\"preserve\">";
    appendEscaped(xml, paragraph.text);
    xml += "</w:t></w:r></w:p>";
}

void appendSection(std::string& xml) {
    const std::string margin = std::to_string(PageMargin);
    xml += "<w:sectPr><w:footerReference w:type=\"default\" r:id=\"rIdFooter\"/>"
           "<w:pgSz w:w=\"" +
           std::to_string(PageWidth) + "\" w:h=\"" + std::to_string(PageHeight) +
           "\"/><w:pgMar w:top=\"" + margin + "\" w:right=\"" + margin + "\" w:bottom=\"" + margin +
           "\" w:left=\"" + margin +
           "\" w:header=\"567\" w:footer=\"567\" w:gutter=\"0\"/></w:sectPr>";
}

// "Sayfa 2 / 5" as the report's other writer prints it, with the two numbers as
// fields the word processor fills in.
std::string footerXml() {
    const auto field = [](const char* instruction) {
        return std::string("<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
                           "<w:r><w:instrText xml:space=\"preserve\"> ") +
               instruction +
               " </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>"
               "<w:r><w:t>1</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
    };
    const std::string sample = report::pageFooter(1, 1); // "Sayfa 1 / 1"
    const std::string word = sample.substr(0, sample.find(' ') + 1);
    std::string xml(XmlDeclaration);
    xml += "<w:ftr ";
    xml += MainNamespace;
    xml += "><w:p><w:pPr><w:pStyle w:val=\"Footer\"/></w:pPr><w:r><w:t xml:space=\"preserve\">" +
           escaped(word) + "</w:t></w:r>" + field("PAGE") +
           "<w:r><w:t xml:space=\"preserve\"> / </w:t></w:r>" + field("NUMPAGES") +
           "</w:p></w:ftr>";
    return xml;
}

std::string settingsXml() {
    std::string xml(XmlDeclaration);
    xml += "<w:settings ";
    xml += MainNamespace;
    xml += "><w:defaultTabStop w:val=\"708\"/><w:hyphenationZone w:val=\"425\"/>"
           "<w:characterSpacingControl w:val=\"doNotCompress\"/><w:compat>"
           "<w:compatSetting w:name=\"compatibilityMode\" "
           "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/>"
           "</w:compat></w:settings>";
    return xml;
}

std::string contentTypesXml(Kind kind) {
    const auto part = [](const char* name, std::string_view type) {
        return std::string("<Override PartName=\"") + name + "\" ContentType=\"" +
               std::string(type) + "\"/>";
    };
    constexpr std::string_view wordprocessing =
        "application/vnd.openxmlformats-officedocument.wordprocessingml.";
    std::string xml(XmlDeclaration);
    xml += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    xml += part("/word/document.xml",
                kind == Kind::Template ? TemplateMainContentType : DocumentMainContentType);
    xml += part("/word/styles.xml", std::string(wordprocessing) + "styles+xml");
    xml += part("/word/settings.xml", std::string(wordprocessing) + "settings+xml");
    xml += part("/word/footer1.xml", std::string(wordprocessing) + "footer+xml");
    xml += part("/docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
    xml += "</Types>";
    return xml;
}

std::string relationship(const char* id, const char* type, const char* target) {
    return std::string("<Relationship Id=\"") + id + "\" Type=\"" + type + "\" Target=\"" + target +
           "\"/>";
}

std::string packageRelationshipsXml() {
    std::string xml(XmlDeclaration);
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    xml += relationship("rId1",
                        "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                        "officeDocument",
                        "word/document.xml");
    xml += relationship("rId2",
                        "http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
                        "core-properties",
                        "docProps/core.xml");
    xml += "</Relationships>";
    return xml;
}

std::string documentRelationshipsXml() {
    constexpr const char* base = "http://schemas.openxmlformats.org/officeDocument/2006/"
                                 "relationships/";
    std::string xml(XmlDeclaration);
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    xml += relationship("rIdStyles", (std::string(base) + "styles").c_str(), "styles.xml");
    xml += relationship("rIdSettings", (std::string(base) + "settings").c_str(), "settings.xml");
    xml += relationship("rIdFooter", (std::string(base) + "footer").c_str(), "footer1.xml");
    xml += "</Relationships>";
    return xml;
}

// The title shows in the word processor's document properties, as in the PDF's.
std::string corePropertiesXml(const report::Document& document) {
    std::string xml(XmlDeclaration);
    xml += "<cp:coreProperties "
           "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
           "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>";
    appendEscaped(xml, document.title);
    xml += "</dc:title><dc:creator>Mirvane</dc:creator><dc:language>tr-TR</dc:language>"
           "</cp:coreProperties>";
    return xml;
}

std::string sizeProperties(int size) {
    const std::string value = std::to_string(size);
    return "<w:sz w:val=\"" + value + "\"/><w:szCs w:val=\"" + value + "\"/>";
}

std::string paragraphStyle(const char* id, const char* name, const char* basedOn,
                           const std::string& paragraph, const std::string& run) {
    std::string xml = std::string("<w:style w:type=\"paragraph\" w:styleId=\"") + id +
                      "\"><w:name w:val=\"" + name + "\"/>";
    if (basedOn) {
        xml += std::string("<w:basedOn w:val=\"") + basedOn + "\"/>";
    }
    xml += "<w:qFormat/>";
    if (!paragraph.empty()) {
        xml += "<w:pPr>" + paragraph + "</w:pPr>";
    }
    if (!run.empty()) {
        xml += "<w:rPr>" + run + "</w:rPr>";
    }
    return xml + "</w:style>";
}

struct BlockWriter {
    std::string& xml;
    const Face& face;
    bool beforeTable = false;
    void operator()(const report::Heading& heading) const { appendHeading(xml, heading); }
    void operator()(const report::Paragraph& paragraph) const {
        appendParagraph(xml, paragraph, beforeTable);
    }
    void operator()(const report::Table& table) const { appendTable(xml, table, face); }
};

} // namespace

std::string stylesXml() {
    const std::string face = escaped(FontFamily);
    const std::string cellMargins =
        "<w:tblCellMar><w:top w:w=\"20\" w:type=\"dxa\"/><w:left w:w=\"" +
        std::to_string(CellMargin) +
        "\" w:type=\"dxa\"/><w:bottom w:w=\"20\" w:type=\"dxa\"/>"
        "<w:right w:w=\"" +
        std::to_string(CellMargin) + "\" w:type=\"dxa\"/></w:tblCellMar>";
    std::string borders = "<w:tblBorders>";
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        borders += std::string("<w:") + side +
                   " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"6E6E6E\"/>";
    }
    borders += "</w:tblBorders>";

    std::string xml(XmlDeclaration);
    xml += "<w:styles ";
    xml += MainNamespace;
    xml += "><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"" + face + "\" w:hAnsi=\"" +
           face + "\" w:eastAsia=\"" + face + "\" w:cs=\"" + face + "\"/>" +
           sizeProperties(BodySize) +
           "<w:lang w:val=\"tr-TR\" w:eastAsia=\"tr-TR\" w:bidi=\"ar-SA\"/></w:rPr></w:rPrDefault>"
           "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" "
           "w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>";
    xml += "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
           "w:val=\"Normal\"/><w:qFormat/><w:pPr><w:spacing w:after=\"60\"/></w:pPr></w:style>";
    xml += paragraphStyle("Heading1", "heading 1", "Normal",
                          "<w:keepNext/><w:keepLines/><w:spacing w:before=\"0\" w:after=\"160\"/>"
                          "<w:outlineLvl w:val=\"0\"/>",
                          "<w:b/><w:bCs/>" + sizeProperties(TitleSize));
    xml += paragraphStyle("Heading2", "heading 2", "Normal",
                          "<w:keepNext/><w:keepLines/><w:spacing w:before=\"240\" w:after=\"80\"/>"
                          "<w:outlineLvl w:val=\"1\"/>",
                          "<w:b/><w:bCs/>" + sizeProperties(SectionSize));
    xml += paragraphStyle("Notice", "Uyarı", "Normal", "",
                          "<w:b/><w:bCs/><w:color w:val=\"A00000\"/>");
    xml += paragraphStyle("TableText", "Tablo Metni", "Normal", "<w:spacing w:after=\"0\"/>",
                          sizeProperties(TableSize));
    xml += paragraphStyle("TableHeading", "Tablo Başlığı", "TableText", "", "<w:b/><w:bCs/>");
    xml += paragraphStyle("AfterTable", "Tablo Sonu", "Normal", "<w:spacing w:after=\"0\"/>",
                          sizeProperties(TableSize));
    xml += paragraphStyle("Footer", "footer", "Normal",
                          "<w:spacing w:after=\"0\"/><w:jc w:val=\"center\"/>",
                          sizeProperties(FooterSize));
    xml += "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name "
           "w:val=\"Normal Table\"/><w:uiPriority w:val=\"99\"/><w:semiHidden/><w:tblPr>"
           "<w:tblInd w:w=\"0\" w:type=\"dxa\"/>" +
           cellMargins + "</w:tblPr></w:style>";
    xml += "<w:style w:type=\"table\" w:styleId=\"ReportTable\"><w:name w:val=\"Rapor "
           "Tablosu\"/><w:basedOn w:val=\"TableNormal\"/><w:tblPr>" +
           borders + cellMargins + "</w:tblPr></w:style>";
    xml += "</w:styles>";
    return xml;
}

std::string documentXml(const report::Document& document) {
    const Face face;
    std::string xml(XmlDeclaration);
    xml += "<w:document ";
    xml += MainNamespace;
    xml += ' ';
    xml += RelationshipsNamespace;
    xml += "><w:body>";
    for (std::size_t b = 0; b < document.blocks.size(); ++b) {
        const bool beforeTable = b + 1 < document.blocks.size() &&
                                 std::holds_alternative<report::Table>(document.blocks[b + 1]);
        std::visit(BlockWriter{xml, face, beforeTable}, document.blocks[b]);
    }
    appendSection(xml);
    xml += "</w:body></w:document>";
    return xml;
}

Status writePackage(const std::filesystem::path& file, const report::Document& document,
                    Kind kind) {
    return shell::writeZip(file, {
                                     {"[Content_Types].xml", contentTypesXml(kind)},
                                     {"_rels/.rels", packageRelationshipsXml()},
                                     {"docProps/core.xml", corePropertiesXml(document)},
                                     {"word/document.xml", documentXml(document)},
                                     {"word/_rels/document.xml.rels", documentRelationshipsXml()},
                                     {"word/styles.xml", stylesXml()},
                                     {"word/settings.xml", settingsXml()},
                                     {"word/footer1.xml", footerXml()},
                                 });
}

} // namespace mirvane::word
