#include "core/report/TableFit.h"

#include "core/text/TextForms.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace mirvane::report {

namespace {

// Widths at one point, before the padding: the least a column can take (its longest
// unbreakable piece) and what it takes with every text on one line.
struct ColumnNeed {
    double least = 0;
    double whole = 0;
};

double longestWord(std::string_view text, bool bold, const TextWidth& width) {
    double longest = 0;
    for (const std::string_view word : text::splitAt(text, ' ')) {
        longest = std::max(longest, width(word, bold));
    }
    return longest;
}

std::vector<ColumnNeed> columnNeeds(const Table& table, const TextWidth& width) {
    std::vector<ColumnNeed> needs(table.columns.size());
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const std::string& header = table.columns[c].header;
        // A header runs over lines between its words, whatever its column holds.
        needs[c].least = longestWord(header, table.headerBold, width);
        needs[c].whole = width(header, table.headerBold);
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const bool bold = table.lastRowBold && r + 1 == table.rows.size();
        const auto& row = table.rows[r];
        for (std::size_t c = 0; c < table.columns.size() && c < row.size(); ++c) {
            const double whole = width(row[c], bold);
            const double least = table.columns[c].wraps ? longestWord(row[c], bold, width) : whole;
            needs[c].least = std::max(needs[c].least, least);
            needs[c].whole = std::max(needs[c].whole, whole);
        }
    }
    return needs;
}

double sum(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0);
}

std::vector<double> at(const std::vector<ColumnNeed>& needs, double size, double padding,
                       double ColumnNeed::*which) {
    std::vector<double> widths;
    for (const ColumnNeed& need : needs) {
        widths.push_back(need.*which * size + padding);
    }
    return widths;
}

// Room left over goes to the columns by their relative widths, so a table always
// spans the text width as the report's other writer draws it.
std::vector<double> spread(const Table& table, std::vector<double> widths, double available) {
    const double room = available - sum(widths);
    double shares = 0;
    for (const Column& column : table.columns) {
        shares += column.width > 0 ? column.width : 1;
    }
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const double share = table.columns[c].width > 0 ? table.columns[c].width : 1;
        widths[c] += room * share / shares;
    }
    return widths;
}

} // namespace

TableFit fitTable(const Table& table, const TextWidth& width, const FitLimits& limits) {
    TableFit fit;
    if (table.columns.empty()) {
        return fit;
    }
    const std::vector<ColumnNeed> needs = columnNeeds(table, width);
    // Sizes in half points, from the largest down.
    const int largest = int(std::lround(limits.largestSize * 2));
    const int smallest = std::min(largest, int(std::lround(limits.smallestSize * 2)));
    int halfPoints = largest;
    while (halfPoints > smallest && sum(at(needs, halfPoints / 2.0, limits.padding,
                                           &ColumnNeed::least)) > limits.available) {
        --halfPoints;
    }
    fit.fontSize = halfPoints / 2.0;
    const std::vector<double> least = at(needs, fit.fontSize, limits.padding, &ColumnNeed::least);
    const std::vector<double> whole = at(needs, fit.fontSize, limits.padding, &ColumnNeed::whole);
    if (sum(whole) <= limits.available) {
        fit.widths = spread(table, whole, limits.available);
    } else if (sum(least) <= limits.available) {
        // Each wrapping column gets room in proportion to how much more it would
        // take on one line, so the longest texts run over the fewest lines.
        const double room = limits.available - sum(least);
        const double wanted = sum(whole) - sum(least);
        fit.widths = least;
        for (std::size_t c = 0; c < least.size(); ++c) {
            fit.widths[c] += room * (whole[c] - least[c]) / wanted;
        }
    } else {
        fit.whole = false;
        const double scale = limits.available / sum(least);
        for (const double w : least) {
            fit.widths.push_back(w * scale);
        }
    }
    return fit;
}

} // namespace mirvane::report
