#pragma once

// One table of principal texts and what they stand for, read by the amount parser,
// mirvane-hesap and the principal field alike. nullopt: not an amount. Amounts of
// 10^15 and more are read, and refused by the calculation for their size.

#include <optional>
#include <string_view>

namespace mirvane::testing {

struct AmountCase {
    std::string_view text;
    std::optional<double> value;
};

inline constexpr AmountCase AmountCases[] = {
    {"12", 12.0},
    {"12,5", 12.5},
    {"12,", 12.0},
    {",5", 0.5},
    {"1.234,50", 1234.5},
    {"1.250.000", 1250000.0},
    {"1250000,75", 1250000.75},
    {" 1000 ", 1000.0},
    {"0", 0.0},
    {"0,00", 0.0},
    {"123456789012345", 123456789012345.0},
    {"1.000.000.000.000,50", 1000000000000.5},
    {"12.345.678.901.234,500", 12345678901234.5},
    {"1,250,000", std::nullopt},
    {"1,2,3", std::nullopt},
    {",", std::nullopt},
    {",,5", std::nullopt},
    {"12a", std::nullopt},
    {"1e3", std::nullopt},
    {"1000.50", std::nullopt},
    {"1.2.3", std::nullopt},
    {"1..000", std::nullopt},
    {".500", std::nullopt},
    {"1.000.", std::nullopt},
    {"-5", std::nullopt},
    {"+5", std::nullopt},
    {"1 000", std::nullopt},
    {"12.345.678.901.234,56", std::nullopt},
    {"1234567890123456", 1234567890123456.0},
    {"1.000.000.000.000.000", 1e15},
    {"1234567890123456789012", 1234567890123456789012.0},
};

} // namespace mirvane::testing
