#pragma once

// An amount of money as the user writes it, read the same way by the principal
// field and by mirvane-hesap.

#include <optional>
#include <string>
#include <string_view>

namespace mirvane::text {

// Digits an amount may carry, leading zeros before the comma and trailing zeros
// after it aside: a double holds that many exactly, so the amount computed with is
// the amount written.
inline constexpr int AmountDigitLimit = 15;

// Digits with at most one decimal comma; full stops only between groups of three
// digits before the comma ("1.250.000,50"); blanks around allowed; no sign. ",5"
// is 0,50 and "12," is 12. nullopt for anything else: "1,250,000", "1000.50",
// "12a", a lone comma, more than AmountDigitLimit digits in an amount below
// AmountLimit (larger ones are read, for the calculation to refuse by size).
std::optional<double> parseAmount(std::string_view text);

// Whether the text may stand in an amount field while the user types: only
// digits, commas and full stops (blanks around aside), and no more digits than an
// amount may carry. Such a text need not be an amount yet (",", "1,250,000"); the
// calculation refuses what parseAmount does not read.
bool isAmountInProgress(std::string_view text);

// The amount text with its full stops put back between groups of three ("1.23,5"
// after a digit was deleted from "1.234,5" becomes "123,5"); nullopt when the text
// without its full stops is no amount either.
std::optional<std::string> regroupAmount(std::string_view text);

} // namespace mirvane::text
