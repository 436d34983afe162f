#pragma once

// Texts both reports share: amounts, the day basis, the legal basis and the table
// of rate periods with their sources.

#include "core/report/Report.h"

#include <string>
#include <string_view>
#include <vector>

namespace mirvane::report {

inline constexpr std::string_view BreakdownTitle = "Faiz Dökümü";

// "100.000,00 TL".
std::string moneyText(double amount);

// "yıl 365 gün" or "yıl 360 gün".
std::string dayBasisText(int daysInYear);

// The columns of a table of rate periods: "Dönem", "Başlangıç Tarihi", "Bitiş
// Tarihi", "Oran (%)", "Açıklama (kaynak)".
std::vector<Column> ratePeriodColumns();

// The legal basis in a few lines: simple interest, the day count on the given
// basis and, for a claim file with payments, the set-off rule.
std::vector<std::string> legalBasisLines(int daysInYear, bool withSetOff);

} // namespace mirvane::report
