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

} // namespace mirvane::cli::platform
