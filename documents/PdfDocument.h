#pragma once

// A report as a PDF file: A4 portrait, the fonts embedded, tables whose header row
// repeats on every page they run onto, "Sayfa N / M" at the foot of each page.
// Needs a QGuiApplication (fonts); no window is involved.

#include "core/common/Errors.h"
#include "core/report/Report.h"

#include <QString>

namespace mirvane::pdf {

// Writes `document` to `file`. The file is replaced only once the whole PDF is
// written; a failure leaves what was there before.
Status write(const report::Document& document, const QString& file);

} // namespace mirvane::pdf
