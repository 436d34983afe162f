#include "core/rates/RatePackage.h"

#include "core/common/SafeFile.h"
#include "core/text/TextForms.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sodium.h>
#include <sstream>
#include <stdexcept>

namespace mirvane::rates {

namespace {

constexpr std::string_view PackageTitle = "Mirvane oran paketi";
constexpr std::string_view SignaturePrefix = "imza ";
constexpr std::string_view KeyTitle = "Mirvane oran paketi anahtarı";

constexpr std::array<std::string_view, 4> TableFiles{"statutory.tsv", "central-bank.tsv",
                                                     "late-payment.tsv", "checked-on.txt"};

// The release key; its private half is kept by the maintainers, outside the repository.
constexpr PublicKey ReleaseKey{0x98, 0xe4, 0x83, 0xac, 0x2b, 0xab, 0xc9, 0xd2, 0x2a, 0x39, 0x73,
                               0x18, 0x31, 0xcc, 0x5c, 0x60, 0x26, 0x4a, 0x52, 0x2c, 0xdf, 0xff,
                               0x5b, 0x94, 0x22, 0xcc, 0x8c, 0x14, 0x48, 0x3f, 0x99, 0xe9};

void initSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) {
        throw std::runtime_error("libsodium could not start");
    }
}

RunTimeError refusal(std::string description) {
    return errors::make(errors::InvalidFileFormat, std::move(description));
}

template <std::size_t N> bool fromHex(std::string_view text, std::array<unsigned char, N>& out) {
    std::size_t length = 0;
    return text.size() == 2 * N &&
           sodium_hex2bin(out.data(), N, text.data(), text.size(), nullptr, &length, nullptr) ==
               0 &&
           length == N;
}

std::string_view nextLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

std::string* textOf(RateTexts& texts, std::string_view file) {
    if (file == TableFiles[0]) {
        return &texts.statutory;
    }
    if (file == TableFiles[1]) {
        return &texts.centralBank;
    }
    if (file == TableFiles[2]) {
        return &texts.latePayment;
    }
    return &texts.checkedOn;
}

std::string contentsOf(const RateTexts& texts, std::string_view version, Date checked) {
    nlohmann::json tables = nlohmann::json::object();
    RateTexts copy = texts;
    for (std::string_view file : TableFiles) {
        tables[std::string(file)] = *textOf(copy, file);
    }
    const nlohmann::json contents = {{"bicim", PackageFormat},
                                     {"surum", std::string(version)},
                                     {"denetlendi", text::formatDate(checked)},
                                     {"tablolar", tables}};
    return contents.dump();
}

Result<Package> packageOf(std::string_view contents) {
    const nlohmann::json json = nlohmann::json::parse(contents, nullptr, false);
    if (json.is_discarded() || !json.is_object() || !json.contains("bicim") ||
        !json["bicim"].is_number_integer()) {
        return refusal("Oran paketi okunamadı: içeriği bir oran paketi değil.");
    }
    const int format = json["bicim"].get<int>();
    if (format > PackageFormat) {
        return refusal("Oran paketi bu programın okuyamadığı yeni bir biçimde (biçim " +
                       std::to_string(format) + "): programın yeni sürümünü kurun.");
    }
    if (format < 1 || !json.contains("surum") || !json["surum"].is_string() ||
        !json.contains("denetlendi") || !json["denetlendi"].is_string() ||
        !json.contains("tablolar") || !json["tablolar"].is_object()) {
        return refusal("Oran paketi okunamadı: sürümü, denetim günü ya da tabloları eksik.");
    }
    RateTexts texts;
    for (std::string_view file : TableFiles) {
        const auto found = json["tablolar"].find(std::string(file));
        if (found == json["tablolar"].end() || !found->is_string()) {
            return refusal("Oran paketi okunamadı: " + std::string(file) + " tablosu yok.");
        }
        *textOf(texts, file) = found->get<std::string>();
    }
    const std::string version = json["surum"].get<std::string>();
    if (version.empty() || version.size() > 40) {
        return refusal("Oran paketi okunamadı: sürümü boş ya da çok uzun.");
    }
    try {
        RateData data = rateDataOf(texts, version);
        if (text::formatDate(data.checkedOn) != json["denetlendi"].get<std::string>()) {
            return refusal("Oran paketindeki tablolar kurallara uymuyor: denetim günü "
                           "checked-on.txt ile aynı değil.");
        }
        return Package{format, version, std::move(data)};
    } catch (const std::invalid_argument& error) {
        return refusal(std::string("Oran paketindeki tablolar kurallara uymuyor: ") + error.what());
    }
}

std::optional<std::string> readWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

PublicKey& trusted() {
    static PublicKey key = ReleaseKey;
    return key;
}

} // namespace

const PublicKey& releaseKey() {
    return ReleaseKey;
}

const PublicKey& trustedKey() {
    return trusted();
}

void trustKey(const PublicKey& key) {
    trusted() = key;
    forgetActiveRates();
}

std::pair<PublicKey, SecretKey> makeKeyPair() {
    initSodium();
    PublicKey publicKey{};
    SecretKey secretKey{};
    crypto_sign_keypair(publicKey.data(), secretKey.data());
    return {publicKey, secretKey};
}

std::string hex(std::span<const unsigned char> bytes) {
    std::string text(bytes.size() * 2 + 1, '\0');
    sodium_bin2hex(text.data(), text.size(), bytes.data(), bytes.size());
    text.pop_back();
    return text;
}

std::string keyFileText(const SecretKey& key) {
    return std::string(KeyTitle) + "\n" + hex(key) + "\n";
}

Result<SecretKey> readKeyFile(std::string_view text) {
    initSodium();
    SecretKey key{};
    if (nextLine(text) != KeyTitle || !fromHex(nextLine(text), key)) {
        return refusal("Anahtar dosyası okunamadı: \"" + std::string(KeyTitle) +
                       "\" satırı ve 128 onaltılık basamak bekleniyor.");
    }
    return key;
}

PublicKey publicHalf(const SecretKey& key) {
    initSodium();
    PublicKey publicKey{};
    crypto_sign_ed25519_sk_to_pk(publicKey.data(), key.data());
    return publicKey;
}

Result<std::string> readFileBytes(const std::filesystem::path& file) {
    std::optional<std::string> bytes = readWhole(file);
    if (!bytes) {
        return errors::make(errors::FileNotFound, "Dosya okunamadı: " + file.string());
    }
    return std::move(*bytes);
}

Result<RateTexts> readTablesFolder(const std::filesystem::path& folder) {
    RateTexts texts;
    for (std::string_view file : TableFiles) {
        const std::optional<std::string> bytes = readWhole(folder / file);
        if (!bytes) {
            return errors::make(errors::FileNotFound,
                                "Tablo okunamadı: " + (folder / file).string());
        }
        *textOf(texts, file) = *bytes;
    }
    return texts;
}

Result<std::string> makePackage(const RateTexts& texts, std::string_view version,
                                const SecretKey& key) {
    initSodium();
    if (version.empty() || version.size() > 40 || version.find('\n') != std::string_view::npos) {
        return refusal("Paket sürümü boş, çok uzun ya da birden çok satır olamaz.");
    }
    Date checked{};
    try {
        checked = rateDataOf(texts, std::string(version)).checkedOn;
    } catch (const std::invalid_argument& error) {
        return refusal(std::string("Tablolar kurallara uymuyor: ") + error.what());
    }
    return signedPackage(contentsOf(texts, version, checked), key);
}

std::string signedPackage(std::string_view contents, const SecretKey& key) {
    initSodium();
    std::array<unsigned char, crypto_sign_BYTES> signature{};
    crypto_sign_detached(signature.data(), nullptr,
                         reinterpret_cast<const unsigned char*>(contents.data()), contents.size(),
                         key.data());
    return std::string(PackageTitle) + "\n" + std::string(SignaturePrefix) + hex(signature) + "\n" +
           std::string(contents);
}

Result<Package> readPackage(std::string_view bytes, const PublicKey& key) {
    initSodium();
    std::string_view rest = bytes;
    const std::string_view title = nextLine(rest);
    const std::string_view signatureLine = nextLine(rest);
    std::array<unsigned char, crypto_sign_BYTES> signature{};
    if (title != PackageTitle || !signatureLine.starts_with(SignaturePrefix) ||
        !fromHex(signatureLine.substr(SignaturePrefix.size()), signature)) {
        return refusal("Oran paketi okunamadı: dosya bir Mirvane oran paketi değil.");
    }
    if (crypto_sign_verify_detached(signature.data(),
                                    reinterpret_cast<const unsigned char*>(rest.data()),
                                    rest.size(), key.data()) != 0) {
        return refusal("Oran paketinin imzası geçersiz: paket değiştirilmiş ya da Mirvane'nin "
                       "yayın anahtarıyla imzalanmamış.");
    }
    return packageOf(rest);
}

Result<const RateData*> installPackage(std::string_view bytes) {
    Result<Package> package = readPackage(bytes, trustedKey());
    if (!package) {
        return package.error();
    }
    const RateData& inUse = activeRates();
    if (package.value().data.checkedOn <= inUse.checkedOn) {
        return refusal("Oran paketindeki oranlar kullanılanlardan yeni değil: paket " +
                       package.value().version + " " +
                       text::formatDate(package.value().data.checkedOn) +
                       " tarihine kadar denetlenmiş, kullanılanlar: " + rateDataLine(inUse) + ".");
    }
    const std::optional<std::filesystem::path> file = installedPackagePath();
    if (!file) {
        return errors::make(errors::PathNotFound,
                            "Kullanıcının veri klasörü bulunamadı: oran paketi kurulamadı.");
    }
    std::error_code error;
    std::filesystem::create_directories(file->parent_path(), error);
    if (error) {
        return safefile::errorOf(error);
    }
    if (const Status written = safefile::replaceFile(*file, bytes); !written) {
        return written.error();
    }
    forgetActiveRates();
    return &activeRates();
}

Status removeInstalledPackage() {
    const std::optional<std::filesystem::path> file = installedPackagePath();
    std::error_code error;
    if (!file || !std::filesystem::exists(*file, error)) {
        return errors::make(errors::FileNotFound, "Kurulu bir oran paketi yok.");
    }
    std::filesystem::remove(*file, error);
    if (error) {
        return safefile::errorOf(error);
    }
    forgetActiveRates();
    return {};
}

} // namespace mirvane::rates
