#include "ui/main/WordDocument.h"

#include <algorithm>
#include <array>
#include <zip.h>

namespace mirvane::word {

namespace {

// A4 with 2.5 cm margins, in twentieths of a point: the text is 9072 wide.
constexpr int PageWidth = 11906;
constexpr int PageHeight = 16838;
constexpr int PageMargin = 1417;
constexpr int TextWidth = PageWidth - 2 * PageMargin;

constexpr std::string_view XmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

std::vector<std::string> fieldsOf(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos;
         tab = line.find('\t', start)) {
        fields.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.emplace_back(line.substr(start));
    return fields;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos;
         end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    for (std::string_view& line : lines) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
    }
    return lines;
}

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

// An empty cell still needs its paragraph; a bold row makes the paragraph mark bold
// too, so text typed into an empty cell of the total row is bold as well.
void appendCell(std::string& xml, std::string_view text, int width, bool bold) {
    xml +=
        "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(width) + "\" w:type=\"dxa\"/></w:tcPr><w:p>";
    if (bold) {
        xml += "<w:pPr>";
        xml += BoldProperties;
        xml += "</w:pPr>";
    }
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

std::size_t columnCount(const TableRows& rows) {
    std::size_t count = 1;
    for (const auto& row : rows)
        count = std::max(count, row.size());
    return count;
}

void appendTable(std::string& xml, const TableRows& rows) {
    const std::size_t columns = columnCount(rows);
    const int width = TextWidth / int(columns);
    xml += "<w:tbl>";
    appendTableProperties(xml);
    xml += "<w:tblGrid>";
    for (std::size_t c = 0; c < columns; ++c)
        xml += "<w:gridCol w:w=\"" + std::to_string(width) + "\"/>";
    xml += "</w:tblGrid>";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool bold = r + 1 == rows.size();
        xml += "<w:tr>";
        for (std::size_t c = 0; c < columns; ++c)
            appendCell(xml, c < rows[r].size() ? rows[r][c] : std::string(), width, bold);
        xml += "</w:tr>";
    }
    xml += "</w:tbl>";
}

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

struct Part {
    const char* name;
    std::string content;
};

RunTimeError zipFailure(zip_error_t* error) {
    if (zip_error_system_type(error) == ZIP_ET_SYS)
        return errors::fromErrno(zip_error_code_system(error));
    return errors::make(errors::PathFileAccessError);
}

RunTimeError openFailure(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    RunTimeError failure = zipFailure(&error);
    zip_error_fini(&error);
    return failure;
}

// libzip reads the buffers only when the archive is closed, so `parts` must outlive
// the archive.
Status addParts(zip_t* archive, const std::array<Part, 3>& parts) {
    for (const Part& part : parts) {
        zip_source_t* source =
            zip_source_buffer(archive, part.content.data(), part.content.size(), 0);
        if (!source)
            return zipFailure(zip_get_error(archive));
        if (zip_file_add(archive, part.name, source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            return zipFailure(zip_get_error(archive));
        }
    }
    return {};
}

} // namespace

TableRows tableRows(std::string_view exportText) {
    TableRows rows;
    for (const std::string_view line : linesOf(exportText))
        rows.push_back(fieldsOf(line));
    const std::size_t columns = columnCount(rows);
    for (auto& row : rows)
        row.resize(columns);
    return rows;
}

std::string documentXml(const TableRows& rows) {
    std::string xml(XmlDeclaration);
    xml += "<w:document "
           "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
    appendTable(xml, rows);
    // A document cannot end in a table: the paragraph after it is where the
    // insertion point rests.
    xml += "<w:p/>";
    appendSection(xml);
    xml += "</w:body></w:document>";
    return xml;
}

Status writeTemplate(const std::string& fileName, std::string_view exportText) {
    const std::array<Part, 3> parts{{
        {"[Content_Types].xml", contentTypesXml()},
        {"_rels/.rels", packageRelationshipsXml()},
        {"word/document.xml", documentXml(tableRows(exportText))},
    }};
    int openError = 0;
    zip_t* archive = zip_open(fileName.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (!archive)
        return openFailure(openError);
    Status added = addParts(archive, parts);
    if (!added) {
        zip_discard(archive);
        return added;
    }
    if (zip_close(archive) < 0) {
        RunTimeError failure = zipFailure(zip_get_error(archive));
        zip_discard(archive);
        return failure;
    }
    return {};
}

} // namespace mirvane::word
