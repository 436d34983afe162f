#pragma once

// What the worked claim (claim::workedExample(): 100.000,00 TL from 01.01.2024 at the
// statutory rate, filed 01.03.2024 with costs of 1.500,00 and a fee of 12.000,00, paid
// 40.000,00 on 01.07.2024 and 30.000,00 on 01.10.2024, computed on 31.12.2024) comes to:
// one set of figures for the tests of the engine, the reports, the windows and the
// command line. Texts as the program writes amounts (full-stop thousands, decimal
// comma), numbers as the JSON outputs carry them.

#include <string_view>

namespace mirvane::testing::worked {

inline constexpr std::string_view Principal = "100.000,00";

// The summary on the calculation date.
inline constexpr std::string_view RemainingPrincipal = "54.056,44";
inline constexpr double RemainingPrincipalNumber = 54056.44;
inline constexpr std::string_view UnpaidInterest = "3.234,50";
inline constexpr double UnpaidInterestNumber = 3234.50;
inline constexpr std::string_view Balance = "57.290,94";
inline constexpr double BalanceNumber = 57290.94;

// Interest from the start to the filing date (60 days at 9 %), and with the principal.
inline constexpr std::string_view InterestBeforeFiling = "1.479,45";
inline constexpr double InterestBeforeFilingNumber = 1479.45;
inline constexpr std::string_view FilingTotal = "101.479,45";
inline constexpr double FilingTotalNumber = 101479.45;

// The first slice, cells joined by " | ": item, start, end, days, rate, base, interest.
inline constexpr std::string_view FirstSlice =
    "1 | 01.01.2024 | 01.03.2024 | 60 | 9 | 100.000,00 | 1.479,45";

} // namespace mirvane::testing::worked
