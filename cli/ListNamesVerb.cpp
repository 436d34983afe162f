// --listeler: the names of the lists in the folder, in the main window's order.

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
                const auto listing = store::enumerateListNames(
                    preparedListFolder(valueOf(folder), context.programFolder));
                for (const std::string& name :
                     listing ? listing.value().names : std::vector<std::string>()) {
                    context.out << name << '\n';
                }
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
