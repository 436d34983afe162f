// --hazir-listeler: the names of the ready lists the program carries, one a line.

#include "cli/Verbs.h"
#include "core/rates/ReadyLists.h"

namespace mirvane::cli {

Verb readyListsVerb(CLI::App& app) {
    const CLI::Option* names = flagOption(app, "--hazir-listeler");
    return {
        .chosen = [names] { return given(names); },
        .run =
            [&app, names](const Context& context) {
                if (otherOption(app, {names})) {
                    return reportUsage({"--hazir-listeler başka seçenekle kullanılamaz."},
                                       context.err);
                }
                for (const RateList& list : rates::readyLists()) {
                    context.out << list.Name << '\n';
                }
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
