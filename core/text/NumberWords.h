#pragma once

// Amounts in Turkish words, as an undertaking or a cheque fixes a total beside its
// figures: "altmış bir bin iki yüz seksen Türk lirası yirmi dört kuruş".

#include <cstdint>
#include <string>

namespace mirvane::text {

// A whole number in words: 0 "sıfır", 1000 "bin", 1100 "bin yüz", 2001 "iki bin bir",
// 1000000 "bir milyon". Negative numbers begin with "eksi".
std::string numberInWords(std::int64_t number);

// Kuruş as lira and kuruş in words; a part that is zero is left out ("yüz Türk
// lirası", "elli kuruş"), nothing at all reads "sıfır Türk lirası".
std::string amountInWords(std::int64_t kurus);

} // namespace mirvane::text
