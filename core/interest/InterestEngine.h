#pragma once

// Simple interest over a date range, sliced along the periods of a rate list.

#include "core/common/EntryRefusal.h"
#include "core/common/Errors.h"
#include "core/ratelist/RateList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mirvane::interest {

inline constexpr std::int32_t Divisor365 = 36500;
inline constexpr std::int32_t Divisor360 = 36000;

// 36000 when the 360-day box is ticked, 36500 otherwise.
std::int32_t dayCountDivisor(bool yearIs360Days);

// One slice of the range: the Days days after StartDate up to and including EndDate,
// all inside one period (only the last period's slice may run past that period's
// EndDate). Slices chain: each starts on the day the one before it ends.
struct InterestRow {
    int PeriodNumber = 0;
    Date StartDate;
    Date EndDate;
    double Rate = 0.0;
    std::int16_t Days = 0;
    std::int64_t Amount = 0;       // in kuruş, exact
    std::int64_t RunningTotal = 0; // kuruş: sum of the amounts so far

    friend bool operator==(const InterestRow&, const InterestRow&) = default;
};

// A calculation refused by one of the checks: its number (1-5) besides the message,
// the field to focus (Value is the principal) and the date it corrects, if any.
struct Rejection : EntryRefusal {
    int number = 0;
};

// A calculation whose End lies after the list's last EndDate: the last period's rate
// was run on past the end of the list, for `days` days from `from` on. Rates change,
// so the user must be told.
struct RunOnPastListEnd {
    Date listEnd;      // the last period's EndDate
    double rate = 0.0; // the last period's rate
    Date from;         // the first day the list does not cover that the claim counts
    int days = 0;      // days counted past listEnd
    // The list is a ready list ending on the day its rates were checked: its last rate
    // is the latest known, and the user is told so without a warning.
    bool checkedToListEnd = false;

    friend bool operator==(const RunOnPastListEnd&, const RunOnPastListEnd&) = default;
};

// The rows and total of a calculation. `failure` is set when the run stopped on a
// run-time error (a slice longer than 32767 days, an amount too large for a number,
// a list whose periods do not follow one another); the rows before it are kept.
struct Calculation {
    std::vector<InterestRow> rows;
    std::int64_t total = 0; // in kuruş
    std::optional<RunTimeError> failure;
    std::optional<RunOnPastListEnd> ranPastListEnd;
};

struct Inputs {
    Date start;
    Date end;
    std::string_view principalText;
    std::int32_t divisor = Divisor365;
};

using Outcome = std::variant<Rejection, Calculation>;

// Checks the inputs in order (start before the first period, start before end,
// principal given, principal above zero) and computes the rows. `onRow`, when
// given, sees every row the moment it is computed. A list without periods (subscript
// out of range) or whose periods do not follow one another day by day (invalid file
// format) is a run-time error in Calculation::failure, before any check.
Outcome calculate(const RateList& list, const Inputs& inputs,
                  const std::function<void(const InterestRow&)>& onRow = {});

// Raw = principal * rate / divisor * days, in this order, in double precision: the
// amount as earlier versions computed it, exact to the kuruş only for amounts well
// below 10^12 TL. The rows are computed exactly (ExactInterest.h).
double rawAmount(double principal, double rate, std::int32_t divisor, int days);

} // namespace mirvane::interest
