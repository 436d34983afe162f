// --hesap-ornegi: a worked claim file to start from, printed as the file is saved.

#include "cli/Verbs.h"
#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"

namespace mirvane::cli {

Verb claimExampleVerb(CLI::App& app) {
    const CLI::Option* example = flagOption(app, "--hesap-ornegi");
    return {
        .chosen = [example] { return given(example); },
        .run =
            [&app, example](const Context& context) {
                if (const std::optional<std::string> other = otherOption(app, {example})) {
                    return reportUsage({*other + " seçeneği --hesap-ornegi ile kullanılamaz."},
                                       context.err);
                }
                context.out << claim::toJson(claim::workedExample());
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
