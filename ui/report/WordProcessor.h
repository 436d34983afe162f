#pragma once

// How the word processor is found and started, one file per system
// (WordProcessorPosix, WordProcessorWindows).

#include <QString>

namespace mirvane::word {

// Whether the system has a word processor that opens Word templates.
bool realWordProcessorCheck();

// Opens `file` in it; false when nothing could be started.
bool openWithDesktop(const QString& file);

} // namespace mirvane::word
