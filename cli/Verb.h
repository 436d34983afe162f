#pragma once

// What every verb of "mirvane-hesap" shares: its place in the dispatch, its options
// on the one CLI::App, and the way usage errors are reported.

#include "core/common/Errors.h"
#include "core/ratelist/RateListStore.h"

#include <CLI/App.hpp>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mirvane::cli {

// Where a verb runs: the executable's folder (the default list folder is chosen
// from it) and the two streams.
struct Context {
    const std::filesystem::path& programFolder;
    std::ostream& out;
    std::ostream& err;
};

struct Verb {
    // True when the parsed command line asks for this verb, usually because its own
    // option was given.
    std::function<bool()> chosen;
    std::function<int(const Context&)> run;
};

// Adds the verb's options to the application and hands back the verb. The options
// stay owned by the application, which outlives the run.
using VerbFactory = Verb (*)(CLI::App&);

// A refusal of the arguments themselves: bad options, an unknown list, an unreadable file.
struct UsageError {
    std::string message;
};

// An option taking one value. Verbs naming the same option share it, so "--klasor"
// means the same for all of them.
CLI::Option* valueOption(CLI::App& app, const std::string& name);
// An option without a value; it may be repeated.
CLI::Option* flagOption(CLI::App& app, const std::string& name);

bool given(const CLI::Option* option);
std::optional<std::string> valueOf(const CLI::Option* option);

// The first option on the command line that is not one of `accepted`, by its name.
std::optional<std::string> otherOption(const CLI::App& app,
                                       std::initializer_list<const CLI::Option*> accepted);

std::string inQuotes(std::string_view text);

// "Liste dosyası okunamadı: "YOL" (Hata Kodu: N, ...)." for a list file that is there
// but could not be read.
std::string listFileUnreadable(const std::filesystem::path& file, const RunTimeError& error);

// The name among `names` that the user's `wanted` stands for: the one written exactly
// so, or else the one it equals without regard to Turkish letter case. None when no
// name fits; a usage error naming them when several fit that way.
std::variant<std::monostate, std::string, UsageError>
matchListName(std::string_view wanted, const std::vector<std::string>& names);

int reportUsage(const UsageError& usage, std::ostream& err);
int reportRunTimeError(const RunTimeError& error, std::ostream& err);

// The exit code of a usage error or a run-time failure held in `outcome`, reported on
// `err`; none when it holds what the verb goes on with.
template <typename Value>
std::optional<int> reportedFailure(const std::variant<Value, UsageError, RunTimeError>& outcome,
                                   std::ostream& err) {
    if (const auto* usage = std::get_if<UsageError>(&outcome)) {
        return reportUsage(*usage, err);
    }
    if (const auto* failure = std::get_if<RunTimeError>(&outcome)) {
        return reportRunTimeError(*failure, err);
    }
    return std::nullopt;
}

// Each text on a line of its own.
void writeLines(std::ostream& out, const std::vector<std::string>& lines);

// The list folder as the main window would use it (the one given, or the one chosen
// from the program folder), prepared, and what it lists.
struct ListFolder {
    std::filesystem::path path;
    store::Listing listing;
};

// An empty folder name is a usage error; a folder that cannot be made, read or given
// its default lists fails with the reason, and nothing is written.
std::variant<ListFolder, UsageError, RunTimeError>
openListFolder(const std::optional<std::string>& folder,
               const std::filesystem::path& programFolder);

} // namespace mirvane::cli
