#pragma once

// Which rate data the program uses: the tables built into it, or the newer tables of a
// signed rate package the user installed. Everything that reads a rate table, the
// check day or a ready list reads them through here.

#include "core/rates/RateTables.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mirvane::rates {

// The texts of the four data files, exactly as core/rates/data keeps them.
struct RateTexts {
    std::string statutory;   // statutory.tsv
    std::string centralBank; // central-bank.tsv
    std::string latePayment; // late-payment.tsv
    std::string checkedOn;   // checked-on.txt
};

// The data in use, read and checked.
struct RateData {
    Table statutory;
    Table centralBank;
    Table latePayment;
    Date checkedOn;
    std::string packageVersion; // empty for the program's own data
    std::vector<RateList> readyLists;
    std::vector<RateList> defaultLists; // the first three, written into an empty list folder
};

// Reads the texts and checks them against the rules the built-in tables obey (each table
// reads, has its number of rates, and the central bank's table ends on the check day).
// Throws std::invalid_argument saying which rule a text breaks, in Turkish.
RateData rateDataOf(const RateTexts& texts, std::string packageVersion);

// The texts built into the program.
RateTexts builtInTexts();

// The program's own data.
const RateData& builtInRates();

// The newest valid data: the installed package's when it verifies and is newer than the
// program's own, the program's own otherwise. Read when first asked for, verified once.
const RateData& activeRates();

// What an installed package that is not used is wrong with ("imzası geçersiz", "eski"),
// when there is one.
std::optional<std::string> installedPackageProblem();

// "Faiz oranları 15.01.2027 tarihine kadar denetlendi, oran paketi 2027.1", or for the
// program's own data "Faiz oranları 08.12.2026 tarihine kadar denetlendi, programla gelen
// oranlar".
std::string rateDataLine(const RateData& data);
std::string rateDataLine();

// Where an installed package is kept: the user's data folder ("Veriler" beside the
// per-user list folder); nullopt when the system names no such folder.
std::optional<std::filesystem::path> installedPackagePath();

// Reads the data again on next use: after an installation or a removal, or in a test
// that points the data folder elsewhere. Data handed out before stay valid.
void forgetActiveRates();

} // namespace mirvane::rates
