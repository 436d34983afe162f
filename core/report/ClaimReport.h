#pragma once

// A computed claim file as a report for the court: its inputs, the summary, the
// interest slices, the set-off of each payment, the legal basis, the rate lists used
// with the source of each period, and the notices.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"
#include "core/report/Report.h"

namespace mirvane::report {

inline constexpr std::string_view ClaimReportTitle = "Dosya Hesabı";

Document claimReport(const claim::ClaimFile& file, const claim::ClaimResult& result,
                     Date reportDate);

} // namespace mirvane::report
