#pragma once

// A report as an Office Open XML word-processing package: headings, paragraphs and
// tables, styled (one face, its sizes), on A4 with the page number in the footer.
// A table's columns are as wide as their longest texts set in that face, so numbers
// and dates never break over lines; its header row repeats on every page and no
// row is split by a page break.
//
// Two kinds: a template (.dotx), which a word processor opens as a new, untitled
// document, for handing a report over; and a document (.docx), which the user keeps.
// The package is made by the zip module (shell/ZipArchive) and written with the
// safe write.

#include "core/common/Errors.h"
#include "core/report/Report.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace mirvane::word {

enum class Kind { Template, Document };

// The main part as the package declares it; the MIME type of a file is this
// without the "+xml" suffix and the ".main" part.
inline constexpr std::string_view TemplateMainContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";
inline constexpr std::string_view DocumentMainContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
inline constexpr std::string_view TemplateMimeType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template";

// Word has Arial everywhere; LibreOffice sets it in Liberation Sans, which has the
// same widths letter by letter, so a line that fits in one fits in the other.
inline constexpr std::string_view FontFamily = "Arial";

// word/document.xml holding the blocks of `document`.
std::string documentXml(const report::Document& document);

// word/styles.xml: the face, the sizes, the headings, notices and table texts.
std::string stylesXml();

// Writes the whole package for `document` as `file`; an existing file of that name
// is replaced only once the new one is whole.
Status writePackage(const std::filesystem::path& file, const report::Document& document, Kind kind);

inline Status writeTemplate(const std::filesystem::path& file, const report::Document& document) {
    return writePackage(file, document, Kind::Template);
}

} // namespace mirvane::word
