// --oran-paketi-yukle PAKET: verifies a rate package and installs it into the user's data
// folder, where it serves every reader of the rates until a newer one replaces it.

#include "cli/Verbs.h"
#include "core/common/Utf8Path.h"
#include "core/rates/RatePackage.h"

namespace mirvane::cli {

namespace {

// A package refused for what it holds is the run's rejection; a file that could not be
// read or written is a run-time failure.
int reportPackageFailure(const RunTimeError& error, const Context& context) {
    if (error.number == errors::InvalidFileFormat) {
        context.err << "Oran paketi kurulmadı: " << error.description << '\n';
        return ExitRejected;
    }
    return reportRunTimeError(error, context.err);
}

} // namespace

Verb installRatePackageVerb(CLI::App& app) {
    const CLI::Option* package = valueOption(app, "--oran-paketi-yukle");
    return {
        .chosen = [package] { return given(package); },
        .run =
            [&app, package](const Context& context) {
                if (otherOption(app, {package})) {
                    return reportUsage({"--oran-paketi-yukle başka seçenekle kullanılamaz."},
                                       context.err);
                }
                const Result<std::string> bytes =
                    rates::readFileBytes(utf8path::fromUtf8(*valueOf(package)));
                if (!bytes) {
                    return reportRunTimeError(bytes.error(), context.err);
                }
                const Result<const rates::RateData*> installed =
                    rates::installPackage(bytes.value());
                if (!installed) {
                    return reportPackageFailure(installed.error(), context);
                }
                context.out << "Oran paketi " << installed.value()->packageVersion << " kuruldu. "
                            << rates::rateDataLine(*installed.value()) << ".\n";
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
