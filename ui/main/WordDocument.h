#pragma once

// The breakdown as a word-processor template (.dotx, Office Open XML): one table,
// the first line of the export text as its header row, the last one in bold.
// A word processor opens a template as a new, untitled document, so the user gets
// the table in a document that nothing has saved yet. Plain C++ and libzip: no Qt.

#include "common/Errors.h"

#include <string>
#include <string_view>
#include <vector>

namespace mirvane::word {

using TableRows = std::vector<std::vector<std::string>>;

// The template's main part as its package declares it; the MIME type of a .dotx
// file is this without the "+xml" suffix and the ".main" part.
inline constexpr std::string_view TemplateMainContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";
inline constexpr std::string_view TemplateMimeType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template";

// The lines of an export text (CR LF between them), each cut into its TAB-separated
// fields. Every row gets as many cells as the widest line, so a short line cannot
// shift the columns.
TableRows tableRows(std::string_view exportText);

// word/document.xml holding `rows` as one bordered table of equal fixed-width
// columns on an A4 page; the last row is bold.
std::string documentXml(const TableRows& rows);

// Writes the whole template for `exportText` to `fileName` (a name in the file
// system's own encoding), replacing any file of that name.
Status writeTemplate(const std::string& fileName, std::string_view exportText);

} // namespace mirvane::word
