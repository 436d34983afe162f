#pragma once

// A payment undertaking's plan (İİK 111): the claim computed to the day the debtor
// signs (T), the debt on that day broken down as the enforcement office must show
// it, and the instalments on working days with the interest that keeps running on
// the remaining principal until each is paid.
//
// The plan is the claim engine's own calculation with the down payment and the
// instalments as payments on their days: each is set off in the file's order, and
// interest runs per item at its own rates on the file's day basis, cut at T so that
// the interest before and after the undertaking are told apart to the kuruş.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace mirvane::plan {

using claim::Kurus;

// One item of the debt at T.
struct DebtItem {
    int item = 0; // the item's position in the file, from 1
    claim::ItemKind kind = claim::ItemKind::Principal;
    std::string description;
    Kurus remaining = 0; // principal, costs or fee not yet paid

    friend bool operator==(const DebtItem&, const DebtItem&) = default;
};

struct Debt {
    Date date; // T
    // Every principal item, then every cost and fee item with something unpaid.
    std::vector<DebtItem> items;
    Kurus principal = 0;
    // Unpaid interest, split as if payments had settled the oldest interest first:
    // what is left of the interest accrued before filing (işlemiş faiz), and of the
    // interest from filing to T. Without a filing date all of it counts as before.
    Kurus interestBeforeFiling = 0;
    Kurus interestAfterFiling = 0;
    Kurus costs = 0;
    Kurus fee = 0;
    Kurus total = 0;
    bool hasCharges = false; // the file claims costs or a fee, paid or not

    friend bool operator==(const Debt&, const Debt&) = default;
};

// A payment of the plan: the down payment (number 0, due on T) or an instalment.
struct Instalment {
    int number = 0;
    Date scheduled; // the first due date plus the intervals
    Date due;       // `scheduled`, moved to the next working day
    // Why it moved ("31.03.2025 Ramazan Bayramı"); empty when it did not.
    std::string reason;
    Kurus amount = 0;
    Kurus interest = 0; // accrued from the previous payment of the plan (or T) to `due`
    Kurus costs = 0;
    Kurus fee = 0;
    Kurus interestPaid = 0;
    Kurus principal = 0;
    Kurus overpaid = 0;
    Kurus remainingPrincipal = 0;
    Kurus unpaidInterest = 0; // left after this payment

    friend bool operator==(const Instalment&, const Instalment&) = default;
};

struct Plan {
    claim::Undertaking terms;
    Debt debt;
    std::optional<Instalment> downPayment;
    std::vector<Instalment> instalments;
    bool equal = true; // equal instalments (the last one takes the remainder)
    Kurus total = 0;   // the down payment and every instalment
    std::string totalInWords;
    Kurus interestAfterUndertaking = 0; // from T to the payment days, all items
    // After the last instalment: what is still owed, and what was paid beyond the
    // debt. Both zero for equal instalments.
    Kurus unpaidAtEnd = 0;
    Kurus overpaid = 0;
    // The claim engine's calculation to the last due date, the plan's payments in it.
    claim::ClaimResult calculation;
    std::vector<std::string> notices;

    friend bool operator==(const Plan&, const Plan&) = default;
};

using PlanOutcome = std::variant<claim::Refusal, Plan>;

// The plan for `file` under `terms`. The file's own calculation date plays no part.
// Refused, naming the field ("taahhut.taksit_sayisi"...), for: fewer than 1 or more
// than MaxInstalments instalments, a first due date on or before T, typed amounts
// that are not one per instalment or not above zero, a down payment below zero, T
// before the filing date or before a payment of the file, costs or fee dated after
// T, a file the claim engine refuses, no debt left at T, and equal instalments too
// small for the debt (some would be paid for nothing).
PlanOutcome makePlan(const claim::ClaimFile& file, const claim::Undertaking& terms);

// The due dates of `terms` before they are moved: the first due date plus k months
// (a day the month lacks gives its last day) or k weeks. Empty when one falls after
// 31.12.9999.
std::vector<Date> scheduledDates(const claim::Undertaking& terms);

} // namespace mirvane::plan
