#pragma once

// JSON as the command line writes it: keys in the order they are set, one line.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace mirvane::cli::json {

using Json = nlohmann::ordered_json;

// Whole values are written without a fraction (a rate of 12 as 12, not 12.0).
Json number(double value);
// Amounts as the texts show them: rounded to two decimals.
Json money(double value);
// An amount held in whole kuruş, exact, in the shortest form the breakdown has always
// written (6016 -> 60.16, 6010 -> 60.1, 150000 -> 1500).
Json shortCents(std::int64_t amount);
// An amount held in whole kuruş, written exactly with two decimals (150000 -> 1500.00),
// also where a double no longer holds every kuruş.
Json cents(std::int64_t amount);

// Writes the document on one line ending in LF. Text that is not valid UTF-8 (a file
// name, say) is written with U+FFFD in place of the bad bytes.
void write(std::ostream& out, const Json& document);

} // namespace mirvane::cli::json
