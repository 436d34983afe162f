#pragma once

// The texts the user reads and types, always in the Turkish forms whatever the
// machine's locale: dates dd.MM.yyyy, decimal comma, full-stop thousands.

#include "core/common/Date.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::text {

// "01.07.2005". A year outside 0001-9999 is written as its plain number ("01.01.10000"),
// which no reader takes for a date.
std::string formatDate(Date date);

// "2005-07-01", as the claim file and the JSON outputs write dates.
std::string formatIsoDate(Date date);

// Reads d.M.yyyy or dd.MM.yyyy (blanks around allowed); nullopt for anything
// else or a day the calendar does not have. Years 0100 to 9999.
std::optional<Date> parseDate(std::string_view text);

// Rates and other plain numbers: no grouping, no trailing zeros, decimal comma,
// at most 15 significant digits (9 -> "9", 17.75 -> "17,75").
std::string formatGeneralNumber(double value);

// The amounts the program takes in (a principal) stay below this: beyond it an amount
// no longer has 15 significant digits to the cent, and no field holds it.
inline constexpr double AmountLimit = 1e15;

// Takes the value to 15 significant digits, then rounds half away from zero at
// the second decimal (1.005 -> 1.01, 0.125 -> 0.13).
double roundMoney(double value);

// The amount roundMoney gives, in whole cents, exact where value * 100 is not (from
// about 10^13 on); none when it is not finite or does not fit 64 bits.
std::optional<std::int64_t> roundMoneyToCents(double value);

// The money pattern "##,##0.00" after roundMoney (1234.5 -> "1.234,50", 0 -> "0,00").
std::string formatMoney(double value);

// An amount held in whole kuruş, in the same pattern and exact at any size
// (123450 -> "1.234,50"); formatMoney keeps only 15 significant digits.
std::string formatCents(std::int64_t cents);

// Whether the text, blanks around it aside, reads completely as one number in the
// Turkish way: "12", "12,5", "12,", ",5", "1.234,50" are numeric; ",", "1,2,3",
// "12a" and the empty text are not.
bool isNumericText(std::string_view text);

// The text without the space characters (' ', byte 0x20) around it; tabs and every
// other character stay. The space is the same byte in UTF-8 and code page 1254, so
// either encoding may come in.
std::string_view trimSpaces(std::string_view text);

// The parts of the text between the separators, empty ones kept: "a\t\tb" gives
// "a", "", "b"; a text without the separator, the empty one too, is one part.
std::vector<std::string_view> splitAt(std::string_view text, char separator);

// The UTF-8 text in Turkish lower case, for comparing names without regard to letter
// case the Turkish way: "I" is the capital of "ı" and "İ" that of "i"; the other
// capitals of the Turkish and the ASCII alphabet (Ç, Ğ, Ö, Ş, Ü, Â, Î, Û) fold to their
// small letters; every other character stays as it is.
std::string turkishLowerCase(std::string_view text);

// The number a numeric text stands for ("12,50" -> 12.5, "1.234,00" -> 1234);
// nullopt when the text is not numeric.
std::optional<double> parseNumber(std::string_view text);

} // namespace mirvane::text
