#pragma once

// A report as a word-processor template (.dotx, Office Open XML): headings,
// paragraphs and tables whose header row repeats on every page. A word processor
// opens a template as a new, untitled document, so the user gets the report in a
// document that nothing has saved yet. Plain C++, no Qt; the package is written by
// the zip module (shell/ZipArchive).

#include "common/Errors.h"
#include "report/Report.h"

#include <string>
#include <string_view>
#include <vector>

namespace mirvane::word {

// The template's main part as its package declares it; the MIME type of a .dotx
// file is this without the "+xml" suffix and the ".main" part.
inline constexpr std::string_view TemplateMainContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";
inline constexpr std::string_view TemplateMimeType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template";

// word/document.xml holding the blocks of `document` on an A4 portrait page;
// tables are bordered, their columns as wide as the report asks.
std::string documentXml(const report::Document& document);

// Writes the whole template for `document` to `fileName` (a name in the file
// system's own encoding), replacing any file of that name.
Status writeTemplate(const std::string& fileName, const report::Document& document);

} // namespace mirvane::word
