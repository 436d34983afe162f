#pragma once

// A payment plan as the undertaking the debtor signs before the enforcement office
// (İİK 111): the parties and the file, the debt at the undertaking date broken down,
// the instalments with their set-off, the interest after the undertaking slice by
// slice, the total in figures and words, the legal basis, the notices and the places
// for the signatures.

#include "core/claim/ClaimFile.h"
#include "core/plan/PaymentPlan.h"
#include "core/report/Report.h"

namespace mirvane::report {

Document undertakingReport(const claim::ClaimFile& file, const plan::Plan& plan, Date reportDate);

} // namespace mirvane::report
