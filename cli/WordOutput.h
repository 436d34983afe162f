#pragma once

// "--word": the report of a claim written as a Word document. Like the PDF writer
// (PdfOutput.h), the writer comes with the windows: a build without Qt has none.

#include "core/common/Errors.h"
#include "core/report/Report.h"

#include <filesystem>
#include <functional>

namespace mirvane::cli {

using WordWriter =
    std::function<Status(const report::Document& document, const std::filesystem::path& file)>;

// nullptr removes the writer.
void setWordWriter(WordWriter writer);
// The writer installed; empty when there is none.
const WordWriter& wordWriter();

} // namespace mirvane::cli
