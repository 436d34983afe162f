#pragma once

namespace mirvane::cli {

// Makes "--pdf" write through Qt's PDF writer and "--word" through the windows' Word
// writer. Defined with those writers (documents/QtPdfWriter.cpp), which the program
// links only when it is built with Qt; the command line itself includes none of them.
void installQtPdfWriter();

} // namespace mirvane::cli
