#pragma once

// What the executable takes from the system it runs on: its arguments as UTF-8, its
// own folder, and standard streams that carry UTF-8 with LF line ends unchanged.

#include <filesystem>
#include <string>
#include <vector>

namespace mirvane::cli::platform {

// The arguments after the program name, in UTF-8.
std::vector<std::string> arguments(int argc, char** argv);

// The folder of the running executable; the lists live beside it.
std::filesystem::path programFolder(const char* argv0);

// Readies stdout and stderr before anything is written to them.
void prepareStreams();

// The Qt platform the document writers start on when the caller chose none: one that
// needs no display, with the system's own fonts.
const char* qtPlatformWithoutDisplay();

} // namespace mirvane::cli::platform
