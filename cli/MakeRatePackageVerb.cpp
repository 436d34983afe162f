// --oran-paketi-yap KLASÖR --anahtar DOSYA --surum SÜRÜM --cikti PAKET: a rate package of
// the tables in a folder laid out as core/rates/data, signed with the key file's key.

#include "cli/Verbs.h"
#include "core/common/SafeFile.h"
#include "core/common/Utf8Path.h"
#include "core/rates/RatePackage.h"

namespace mirvane::cli {

Verb makeRatePackageVerb(CLI::App& app) {
    const CLI::Option* folder = valueOption(app, "--oran-paketi-yap");
    const CLI::Option* key = valueOption(app, "--anahtar");
    const CLI::Option* version = valueOption(app, "--surum");
    const CLI::Option* output = valueOption(app, "--cikti");
    return {
        .chosen = [folder] { return given(folder); },
        .run =
            [&app, folder, key, version, output](const Context& context) {
                if (otherOption(app, {folder, key, version, output}) || !given(key) ||
                    !given(version) || !given(output)) {
                    return reportUsage({"--oran-paketi-yap KLASÖR ile --anahtar, --surum ve "
                                        "--cikti verilmeli, başka seçenek verilemez."},
                                       context.err);
                }
                const Result<std::string> keyText =
                    rates::readFileBytes(utf8path::fromUtf8(*valueOf(key)));
                if (!keyText) {
                    return reportRunTimeError(keyText.error(), context.err);
                }
                const Result<rates::SecretKey> secretKey = rates::readKeyFile(keyText.value());
                if (!secretKey) {
                    return reportUsage({secretKey.error().description}, context.err);
                }
                const Result<rates::RateTexts> texts =
                    rates::readTablesFolder(utf8path::fromUtf8(*valueOf(folder)));
                if (!texts) {
                    return reportRunTimeError(texts.error(), context.err);
                }
                const Result<std::string> package =
                    rates::makePackage(texts.value(), *valueOf(version), secretKey.value());
                if (!package) {
                    context.err << package.error().description << '\n';
                    return ExitRejected;
                }
                const std::filesystem::path file = utf8path::fromUtf8(*valueOf(output));
                if (const Status written = safefile::replaceFile(file, package.value()); !written) {
                    return reportRunTimeError(written.error(), context.err);
                }
                context.out << "Oran paketi " << *valueOf(version) << " yazıldı ("
                            << rates::hex(rates::publicHalf(secretKey.value()))
                            << " anahtarıyla imzalandı).\n";
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
