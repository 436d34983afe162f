#pragma once

namespace mirvane::cli {

// Makes "--pdf" write through Qt's PDF writer and "--word" through the windows' Word
// writer.
void installQtPdfWriter();

} // namespace mirvane::cli
