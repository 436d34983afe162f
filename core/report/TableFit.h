#pragma once

// Column widths for a report table on a page of a given width: numbers, dates and
// every cell of a column that does not wrap stay on one line; free text (a
// description, a source) runs over lines only between words. Where even that does
// not fit, the table's text is set smaller. The widths come from each column's
// longest text as the face measures it, so they hold wherever the face is the same.

#include "core/report/Report.h"

#include <functional>
#include <string_view>
#include <vector>

namespace mirvane::report {

// The advance of `text` set at one point in the report's face (regular or bold),
// in points.
using TextWidth = std::function<double(std::string_view text, bool bold)>;

struct FitLimits {
    double available = 0;    // the width the table may take, in points
    double padding = 0;      // what a cell takes beside its text (margins, borders), in points
    double largestSize = 9;  // the size the table's text is set in when it fits, in points
    double smallestSize = 7; // the size it may shrink to, in points
};

struct TableFit {
    double fontSize = 0;        // in points, a whole number of half points
    std::vector<double> widths; // in points, one per column, together `available`
    // False when even the smallest size leaves a cell that must stay on one line
    // wider than its column.
    bool whole = true;
};

TableFit fitTable(const Table& table, const TextWidth& width, const FitLimits& limits);

} // namespace mirvane::report
