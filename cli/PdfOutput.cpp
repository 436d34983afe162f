#include "cli/PdfOutput.h"

#include <utility>

namespace mirvane::cli {

namespace {

PdfWriter& installed() {
    static PdfWriter writer;
    return writer;
}

} // namespace

void setPdfWriter(PdfWriter writer) {
    installed() = std::move(writer);
}

const PdfWriter& pdfWriter() {
    return installed();
}

} // namespace mirvane::cli
