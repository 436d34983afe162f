#pragma once

// Computes a claim file: simple interest on each principal item, cut into slices at
// its list's period ends, at every payment date and at the filing date, each slice
// rounded to the kuruş as a breakdown row is; payments set off at their dates in the
// file's order of buckets; the balance at the calculation date.
//
// Slices chain: a slice starts on the day the previous one ended (that day not
// counted), so the days of an item's slices add up to the calculation date minus its
// interest start. A day takes the rate of the period that holds it; past the list's
// last period the last rate runs on, and the result says so (staleLists).

#include "core/claim/ClaimFile.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace mirvane::claim {

// One slice of a principal item's interest.
struct Slice {
    int item = 0;      // the item's position in the file, from 1
    Date start;        // not counted
    Date end;          // counted
    double rate = 0.0; // percent a year
    std::int64_t days = 0;
    Kurus base = 0;           // the item's principal left during the slice ("matrah")
    Kurus interest = 0;       // rounded to the kuruş
    bool afterFiling = false; // the slice lies after the filing date

    friend bool operator==(const Slice&, const Slice&) = default;
};

// How one payment was set off ("mahsup").
struct SetOff {
    int payment = 0; // the payment's position in the file, from 1
    Date date;
    Kurus amount = 0;
    Kurus costs = 0;
    Kurus fee = 0;
    Kurus interest = 0;
    Kurus principal = 0;
    Kurus overpaid = 0;           // left over after every bucket ("fazla")
    Kurus remainingPrincipal = 0; // all principal items together, after this payment

    friend bool operator==(const SetOff&, const SetOff&) = default;
};

// Where one item stands at the calculation date.
struct ItemBalance {
    int item = 0;
    ItemKind kind = ItemKind::Principal;
    Kurus amount = 0;         // as claimed
    Kurus remaining = 0;      // principal, costs or fee not yet paid
    Kurus interest = 0;       // interest accrued on it (principal items)
    Kurus unpaidInterest = 0; // of which not yet paid

    friend bool operator==(const ItemBalance&, const ItemBalance&) = default;
};

// A list whose last period ends before the calculation date: its last rate was run
// on past its end.
struct StaleList {
    std::string name;
    Date listEnd;
    double rate = 0.0;
    // A ready list ending on the day its rates were checked: its last rate is the latest
    // known, which the user is told without a warning.
    bool checkedToListEnd = false;

    friend bool operator==(const StaleList&, const StaleList&) = default;
};

struct ClaimResult {
    Kurus remainingPrincipal = 0; // "kalan_anapara"
    Kurus unpaidInterest = 0;     // "odenmemis_faiz"
    Kurus unpaidCosts = 0;        // "odenmemis_masraf"
    Kurus unpaidFee = 0;          // "odenmemis_vekalet"
    Kurus balance = 0;            // "bakiye": the four above together
    Kurus overpaid = 0;           // "fazla_odeme": all payments' leftovers
    // Interest accrued up to the filing date ("islemis_faiz") and after it
    // ("takip_sonrasi_faiz"); without a filing date all interest is accrued before.
    Kurus interestBeforeFiling = 0;
    Kurus interestAfterFiling = 0;
    // "takip_tutari", what the request for enforcement claims: at the end of the filing
    // date, after the payments made on or before it, the principal left, the unpaid
    // interest and the unpaid costs and fee dated before the filing date (those dated
    // on or after it belong to the file, not to the request). Set only when the file
    // has a filing date on or before the calculation date.
    std::optional<Kurus> filingTotal;
    std::vector<SetOff> setOffs;    // in the order the payments were applied
    std::vector<Slice> slices;      // by item, then by date
    std::vector<ItemBalance> items; // in file order
    std::vector<StaleList> staleLists;
    std::vector<std::string> notices; // "uyari": warnings for the user
    std::vector<std::string> notes;   // texts for the user that warn of nothing (plain)

    friend bool operator==(const ClaimResult&, const ClaimResult&) = default;
};

using ClaimOutcome = std::variant<Refusal, ClaimResult>;

// Validates the file (see validate()) and computes it.
ClaimOutcome compute(const ClaimFile& file);

// The same, with every principal item's slices also cut at each of `cuts`, so that
// the slices up to such a day are those of a calculation ending on it (a payment plan
// starts from the debt at a day no payment need fall on).
ClaimOutcome compute(const ClaimFile& file, const std::vector<Date>& cuts);

} // namespace mirvane::claim
