#pragma once

// The command-line calculator "mirvane-hesap".

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mirvane::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitRejected = 1; // one of the calculation's four checks failed
inline constexpr int ExitUsage = 2;    // bad arguments, unknown list, unreadable file
inline constexpr int ExitRunTime = 3;  // a run-time error such as the overflow

// Runs the calculator on its arguments (without the program name). programFolder
// is where the executable lies; the default list folder is chosen from it as the
// program does (its "Veriler/Faizler", or the per-user folder).
int run(const std::vector<std::string>& args, const std::filesystem::path& programFolder,
        std::ostream& out, std::ostream& err);

} // namespace mirvane::cli
