#pragma once

// The main window's breakdown as a report: what was computed (list, principal,
// dates, day basis), the breakdown table as the user copies it, the sources of the
// rates it used and any notice.

#include "core/interest/Breakdown.h"
#include "core/interest/InterestEngine.h"
#include "core/ratelist/RateList.h"
#include "core/report/Report.h"

#include <optional>
#include <string_view>
#include <vector>

namespace mirvane::report {

// The inputs of a calculation as it ran (not as the fields read now).
struct BreakdownFacts {
    RateList list; // the list the rows were computed from
    double principal = 0.0;
    Date start;
    Date end;
    std::int32_t divisor = interest::Divisor365;
    std::optional<interest::RunOnPastListEnd> runOn;
};

// The heading that stands above the table: the title, the list, the principal, the
// two dates, the day basis and the stale-rate notice if the run had one.
std::vector<Block> breakdownHeading(const BreakdownFacts& facts);

// The breakdown table from the whole-breakdown text (the clipboard's): its first
// line the header, its last the total line, in bold.
Table breakdownTable(std::string_view exportText);

// The whole report: the heading with the date of the report, the breakdown table
// (the rows as displayed and the total), the legal basis and the periods of the
// list the rows used, each with its source.
Document breakdownReport(const BreakdownFacts& facts, const std::vector<breakdown::RowCells>& rows,
                         std::string_view totalText, Date reportDate);

} // namespace mirvane::report
