#pragma once

namespace mirvane::cli {

// Makes "--pdf" write through Qt's PDF writer.
void installQtPdfWriter();

} // namespace mirvane::cli
