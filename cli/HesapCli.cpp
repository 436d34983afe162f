// The dispatch of "mirvane-hesap": one CLI::App carries the options of every verb in
// cli/Verbs.h; after parsing, the first verb that is chosen runs. A new verb needs only
// its own file and its line in VerbTable (see cli/Verbs.h).

#include "cli/HesapCli.h"

#include "cli/Verbs.h"

// The application needs the whole library, its configuration reader included.
#include <CLI/CLI.hpp>
#include <algorithm>

namespace mirvane::cli {

namespace {

bool takesValue(const CLI::Option* option) {
    return option->get_expected_min() > 0;
}

// The option named by an argument, "--liste=x" naming "--liste".
const CLI::Option* optionOf(const CLI::App& app, const std::string& arg) {
    if (arg.rfind("--", 0) != 0) {
        return nullptr;
    }
    return app.get_option_no_throw(arg.substr(0, arg.find('=')));
}

// Why the library stopped: either a value option closing the arguments, or a flag
// given a value ("--json=1"), which the program has never accepted.
UsageError explain(const CLI::App& app, const std::vector<std::string>& args,
                   const CLI::ParseError& error) {
    if (const CLI::Option* last = optionOf(app, args.back()); last && takesValue(last)) {
        return {last->get_name() + " seçeneğinin değeri eksik."};
    }
    for (const std::string& arg : args) {
        if (const CLI::Option* option = optionOf(app, arg);
            option && !takesValue(option) && arg.find('=') != std::string::npos) {
            return {"Bilinmeyen seçenek: " + inQuotes(arg) + "."};
        }
    }
    return {std::string("Seçenekler okunamadı: ") + error.what()};
}

std::optional<UsageError> parse(CLI::App& app, const std::vector<std::string>& args) {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        if (app.remaining().empty()) {
            return explain(app, args, error);
        }
    }
    if (const std::vector<std::string> unknown = app.remaining(); !unknown.empty()) {
        return UsageError{"Bilinmeyen seçenek: " + inQuotes(unknown.front()) + "."};
    }
    for (const CLI::Option* option : app.parse_order()) {
        if (takesValue(option) && option->count() > 1) {
            return UsageError{option->get_name() + " seçeneği birden fazla verildi."};
        }
    }
    return std::nullopt;
}

} // namespace

int run(const std::vector<std::string>& args, const std::filesystem::path& programFolder,
        std::ostream& out, std::ostream& err) {
    if (asksForHelp(args)) {
        return printHelp(out);
    }
    if (args.empty()) {
        return reportUsage({"Hiçbir seçenek verilmedi."}, err);
    }
    CLI::App app("mirvane-hesap");
    app.set_help_flag();
    // Unknown arguments are collected, so that the first can be named in the message.
    app.allow_extras();
    std::vector<Verb> verbs;
    for (const VerbFactory factory : VerbTable) {
        verbs.push_back(factory(app));
    }
    if (std::optional<UsageError> usage = parse(app, args)) {
        return reportUsage(*usage, err);
    }
    const Context context{programFolder, out, err};
    const auto chosen =
        std::find_if(verbs.begin(), verbs.end(), [](const Verb& verb) { return verb.chosen(); });
    return (chosen != verbs.end() ? *chosen : verbs.back()).run(context);
}

} // namespace mirvane::cli
