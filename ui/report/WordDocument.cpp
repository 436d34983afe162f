#include "ui/report/WordDocument.h"

#include "shell/ZipArchive.h"

#include <variant>

namespace mirvane::word {

namespace {

// A4 with 2.5 cm margins, in twentieths of a point: the text is 9072 wide.
constexpr int PageWidth = 11906;
constexpr int PageHeight = 16838;
constexpr int PageMargin = 1417;
constexpr int TextWidth = PageWidth - 2 * PageMargin;

constexpr std::string_view XmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

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
            if (allowedInXml(static_cast<unsigned char>(c)))
                xml += c;
        }
    }
}

constexpr std::string_view BoldProperties = "<w:rPr><w:b/><w:bCs/></w:rPr>";

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

// An empty cell still needs its paragraph; a bold row makes the paragraph mark bold
// too, so text typed into an empty cell of the total row is bold as well.
void appendCell(std::string& xml, std::string_view text, int width, report::Align align,
                bool bold) {
    xml +=
        "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(width) + "\" w:type=\"dxa\"/></w:tcPr><w:p>";
    xml += "<w:pPr>";
    if (align != report::Align::Left) {
        xml += "<w:jc w:val=\"";
        xml += justification(align);
        xml += "\"/>";
    }
    if (bold)
        xml += BoldProperties;
    xml += "</w:pPr>";
    if (!text.empty()) {
        xml += "<w:r>";
        if (bold)
            xml += BoldProperties;
        // The total's label ends in a blank that must survive.
        xml += "<w:t xml:space=\"preserve\">";
        appendEscaped(xml, text);
        xml += "</w:t></w:r>";
    }
    xml += "</w:p></w:tc>";
}

void appendTableProperties(std::string& xml) {
    xml += "<w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:tblBorders>";
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        xml += "<w:";
        xml += side;
        xml += " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>";
    }
    xml += "</w:tblBorders><w:tblLayout w:type=\"fixed\"/></w:tblPr>";
}

std::vector<int> columnWidths(const report::Table& table) {
    double total = 0;
    for (const report::Column& column : table.columns)
        total += column.width;
    std::vector<int> widths;
    for (const report::Column& column : table.columns)
        widths.push_back(total > 0 ? int(TextWidth * column.width / total)
                                   : TextWidth / int(table.columns.size()));
    return widths;
}

// The header row is marked to repeat at the top of each page the table runs onto.
void appendRow(std::string& xml, const std::vector<std::string>& cells, const report::Table& table,
               const std::vector<int>& widths, bool header, bool bold) {
    xml += "<w:tr>";
    if (header)
        xml += "<w:trPr><w:tblHeader/></w:trPr>";
    for (std::size_t c = 0; c < widths.size(); ++c)
        appendCell(xml, c < cells.size() ? cells[c] : std::string(), widths[c],
                   header ? report::Align::Left : table.columns[c].align, bold);
    xml += "</w:tr>";
}

void appendTable(std::string& xml, const report::Table& table) {
    if (table.columns.empty())
        return;
    const std::vector<int> widths = columnWidths(table);
    xml += "<w:tbl>";
    appendTableProperties(xml);
    xml += "<w:tblGrid>";
    for (const int width : widths)
        xml += "<w:gridCol w:w=\"" + std::to_string(width) + "\"/>";
    xml += "</w:tblGrid>";
    std::vector<std::string> header;
    for (const report::Column& column : table.columns)
        header.push_back(column.header);
    appendRow(xml, header, table, widths, true, table.headerBold);
    for (std::size_t r = 0; r < table.rows.size(); ++r)
        appendRow(xml, table.rows[r], table, widths, false,
                  table.lastRowBold && r + 1 == table.rows.size());
    xml += "</w:tbl>";
    // A table needs a paragraph after it (a document cannot end in one, and two
    // tables in a row would merge).
    xml += "<w:p/>";
}

// Headings carry an outline level, so the word processor's navigator lists them.
void appendHeading(std::string& xml, const report::Heading& heading) {
    const bool title = heading.level <= 1;
    xml += "<w:p><w:pPr><w:keepNext/><w:spacing w:before=\"";
    xml += title ? "0" : "240";
    xml += "\" w:after=\"120\"/><w:outlineLvl w:val=\"" + std::to_string(title ? 0 : 1) +
           "\"/></w:pPr><w:r><w:rPr><w:b/><w:bCs/><w:sz w:val=\"";
    xml += title ? "32" : "26";
    xml += "\"/></w:rPr><w:t xml:space=\"preserve\">";
    appendEscaped(xml, heading.text);
    xml += "</w:t></w:r></w:p>";
}

void appendParagraph(std::string& xml, const report::Paragraph& paragraph) {
    xml += "<w:p><w:pPr><w:spacing w:after=\"60\"/></w:pPr><w:r>";
    if (paragraph.notice)
        xml += "<w:rPr><w:b/><w:color w:val=\"A00000\"/></w:rPr>";
    xml += "<w:t xml:space=\"preserve\">";
    appendEscaped(xml, paragraph.text);
    xml += "</w:t></w:r></w:p>";
}

struct BlockWriter {
    std::string& xml;
    void operator()(const report::Heading& heading) const { appendHeading(xml, heading); }
    void operator()(const report::Paragraph& paragraph) const { appendParagraph(xml, paragraph); }
    void operator()(const report::Table& table) const { appendTable(xml, table); }
};

void appendSection(std::string& xml) {
    const std::string margin = std::to_string(PageMargin);
    xml += "<w:sectPr><w:pgSz w:w=\"" + std::to_string(PageWidth) + "\" w:h=\"" +
           std::to_string(PageHeight) + "\"/><w:pgMar w:top=\"" + margin + "\" w:right=\"" +
           margin + "\" w:bottom=\"" + margin + "\" w:left=\"" + margin +
           "\" w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/></w:sectPr>";
}

std::string contentTypesXml() {
    std::string xml(XmlDeclaration);
    xml += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/word/document.xml\" ContentType=\"";
    xml += TemplateMainContentType;
    xml += "\"/></Types>";
    return xml;
}

std::string packageRelationshipsXml() {
    std::string xml(XmlDeclaration);
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
           "officeDocument\" Target=\"word/document.xml\"/></Relationships>";
    return xml;
}

} // namespace

std::string documentXml(const report::Document& document) {
    std::string xml(XmlDeclaration);
    xml += "<w:document "
           "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
    for (const report::Block& block : document.blocks)
        std::visit(BlockWriter{xml}, block);
    appendSection(xml);
    xml += "</w:body></w:document>";
    return xml;
}

Status writeTemplate(const std::string& fileName, const report::Document& document) {
    return shell::writeZip(fileName, {
                                         {"[Content_Types].xml", contentTypesXml()},
                                         {"_rels/.rels", packageRelationshipsXml()},
                                         {"word/document.xml", documentXml(document)},
                                     });
}

} // namespace mirvane::word
