// --oran-paketi-kaldir: removes the installed rate package; the program's own data are
// used again.

#include "cli/Verbs.h"
#include "core/rates/RatePackage.h"

namespace mirvane::cli {

Verb removeRatePackageVerb(CLI::App& app) {
    const CLI::Option* remove = flagOption(app, "--oran-paketi-kaldir");
    return {
        .chosen = [remove] { return given(remove); },
        .run =
            [&app, remove](const Context& context) {
                if (otherOption(app, {remove})) {
                    return reportUsage({"--oran-paketi-kaldir başka seçenekle kullanılamaz."},
                                       context.err);
                }
                if (const Status removed = rates::removeInstalledPackage(); !removed) {
                    return reportRunTimeError(removed.error(), context.err);
                }
                context.out << "Kurulu oran paketi kaldırıldı. " << rates::rateDataLine() << ".\n";
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
