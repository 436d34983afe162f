// --oran-anahtari-yap DOSYA: a new key pair for signing rate packages. The private half
// goes into a new file (never over an existing one), the public half to the output, to be
// built into the program as the release key.

#include "cli/Verbs.h"
#include "core/common/SafeFile.h"
#include "core/common/Utf8Path.h"
#include "core/rates/RatePackage.h"

namespace mirvane::cli {

Verb rateKeyVerb(CLI::App& app) {
    const CLI::Option* key = valueOption(app, "--oran-anahtari-yap");
    return {
        .chosen = [key] { return given(key); },
        .run =
            [&app, key](const Context& context) {
                if (otherOption(app, {key})) {
                    return reportUsage({"--oran-anahtari-yap başka seçenekle kullanılamaz."},
                                       context.err);
                }
                const std::filesystem::path file = utf8path::fromUtf8(*valueOf(key));
                const auto [publicKey, secretKey] = rates::makeKeyPair();
                const Result<std::vector<std::filesystem::path>> written =
                    safefile::createAllOrNone({{file, rates::keyFileText(secretKey)}});
                if (!written) {
                    return reportRunTimeError(written.error(), context.err);
                }
                // An existing file is left alone: it may be the only copy of a key.
                if (written.value().empty()) {
                    return reportRunTimeError(
                        errors::make(errors::FileAlreadyExists,
                                     "Anahtar dosyası zaten var, üzerine yazılmadı: " +
                                         *valueOf(key)),
                        context.err);
                }
                std::error_code ignored;
                std::filesystem::permissions(
                    file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                    ignored);
                context.out << "Açık anahtar: " << rates::hex(publicKey) << '\n';
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
