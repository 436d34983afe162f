// --listeler: the names of the lists in the folder, in the main window's order; what
// the folder leaves out is named on the error output.

#include "cli/Verbs.h"
#include "core/ratelist/RateListStore.h"

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
                if (const std::optional<int> failed = reportedFailure(opened, context.err)) {
                    return *failed;
                }
                const store::Listing& listing = std::get<ListFolder>(opened).listing;
                writeLines(context.err, listing.notices);
                writeLines(context.out, listing.names);
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
