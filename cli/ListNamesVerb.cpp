// --listeler: the names of the lists in the folder, in the main window's order; what
// the folder leaves out is named on the error output.

#include "Verbs.h"
#include "ratelist/RateListStore.h"

namespace mirvane::cli {

Verb listNamesVerb(CLI::App& app) {
    const CLI::Option* names = flagOption(app, "--listeler");
    const CLI::Option* folder = valueOption(app, "--klasor");
    return {
        .chosen = [names] { return given(names); },
        .run =
            [&app, names, folder](const Context& context) {
                if (otherOption(app, {names, folder})) {
                    return reportUsage(
                        {"--listeler yalnızca --klasor ile birlikte kullanılabilir."}, context.err);
                }
                const auto opened = openListFolder(valueOf(folder), context.programFolder);
                if (const auto* usage = std::get_if<UsageError>(&opened)) {
                    return reportUsage(*usage, context.err);
                }
                if (const auto* failure = std::get_if<RunTimeError>(&opened)) {
                    return reportRunTimeError(*failure, context.err);
                }
                const store::Listing& listing = std::get<ListFolder>(opened).listing;
                for (const std::string& notice : listing.notices) {
                    context.err << notice << '\n';
                }
                for (const std::string& name : listing.names) {
                    context.out << name << '\n';
                }
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
