#pragma once

// "--pdf": the report of a claim written as PDF. The writer needs Qt's painting, so
// the command-line library only knows it through this hook: a program built with
// the windows installs Qt's writer; a build without Qt has none and says so.

#include "core/common/Errors.h"
#include "core/report/Report.h"

#include <filesystem>
#include <functional>

namespace mirvane::cli {

using PdfWriter =
    std::function<Status(const report::Document& document, const std::filesystem::path& file)>;

// nullptr removes the writer.
void setPdfWriter(PdfWriter writer);
// The writer installed; empty when there is none.
const PdfWriter& pdfWriter();

} // namespace mirvane::cli
