#pragma once

// Signed rate packages: the rate tables, the day they were checked and a version, signed
// with Ed25519 (libsodium) by the release key whose public half the program carries.
//
// A package is a text file:
//   line 1  "Mirvane oran paketi"
//   line 2  "imza " and the signature of everything after this line, 128 hex digits
//   then    the contents, a JSON object: {"bicim": 1, "surum": "2027.1",
//           "denetlendi": "15.01.2027", "tablolar": {"statutory.tsv": "...", ...}}

#include "core/common/Errors.h"
#include "core/rates/RateSource.h"

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace mirvane::rates {

inline constexpr int PackageFormat = 1;

using PublicKey = std::array<unsigned char, 32>;
using SecretKey = std::array<unsigned char, 64>;

// The public half of the release key. The private half never enters the repository
// (docs/rate-packages.md says who keeps it and how a package is signed).
const PublicKey& releaseKey();

// The key packages are checked against: the release key, unless a test or a
// maintainer's own build trusts another.
const PublicKey& trustedKey();
void trustKey(const PublicKey& key);

// A new key pair.
std::pair<PublicKey, SecretKey> makeKeyPair();

// The text of a key file and back ("Mirvane oran paketi anahtarı" and the secret key in
// hex); the public half is part of the secret key.
std::string keyFileText(const SecretKey& key);
Result<SecretKey> readKeyFile(std::string_view text);
PublicKey publicHalf(const SecretKey& key);
std::string hex(std::span<const unsigned char> bytes);

// The bytes of a file (a package or a key file).
Result<std::string> readFileBytes(const std::filesystem::path& file);

// The texts of a folder of tables laid out as core/rates/data.
Result<RateTexts> readTablesFolder(const std::filesystem::path& folder);

// A package of the texts, checked by the rules of the built-in tables and signed.
Result<std::string> makePackage(const RateTexts& texts, std::string_view version,
                                const SecretKey& key);

// The package of contents already laid out as above, signed; makePackage's last step.
std::string signedPackage(std::string_view contents, const SecretKey& key);

struct Package {
    int format = 0;
    std::string version;
    RateData data;
};

// Reads a package and checks, in this order: its layout, its signature against `key`,
// its format, its tables. The refusal says which in Turkish.
Result<Package> readPackage(std::string_view bytes, const PublicKey& key);

// Installs the package in the user's data folder with the safe write, when it reads (as
// readPackage) under the trusted key and its data are newer than those in use. Returns
// the data now in use.
Result<const RateData*> installPackage(std::string_view bytes);

// Removes the installed package: the program's own data are used again.
Status removeInstalledPackage();

} // namespace mirvane::rates
