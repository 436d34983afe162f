#pragma once

// The published rate tables the program ships, read from their data files, and the
// day up to which they were checked against their sources.

#include "core/ratelist/RateList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::rates {

// One line of a table: the day a rate (or a pair of rates) came into force and the
// act that set it (law or decision, Official Gazette date and number; may be empty).
struct TableRow {
    Date inForce;
    std::vector<double> rates;
    std::string basis;

    friend bool operator==(const TableRow&, const TableRow&) = default;
};

// A table: its column headings, its rows in date order, and the last day its last row
// covers. Each other row runs until the day before the next one.
struct Table {
    std::vector<std::string> headings;
    std::vector<TableRow> rows;
    Date lastDay;
};

// Reads a table text: lines starting with '#' are remarks, the first other line the
// headings (in-force day, one heading per rate, basis), then one tab-separated row per
// line (dd.MM.yyyy, rates with a decimal comma, basis), and a closing line
// "bitiş<TAB>dd.MM.yyyy". Throws std::invalid_argument naming the line for anything
// else, a row out of date order, a zero rate or a basis the list file cannot hold.
Table parseTable(std::string_view text);

// The table's rows as contiguous periods at the rate of column `rateColumn`, each
// described by its basis.
std::vector<RatePeriod> periodsOf(const Table& table, std::size_t rateColumn);

// The tables below are those of the data in use (rates/RateSource.h): the program's own or
// an installed rate package's.

// Statutory interest (Law 3095 art. 1): one rate.
const Table& statutoryTable();
// The central bank's advance (column 0) and discount (column 1) rates, every change.
const Table& centralBankTable();
// Late payment in commercial transactions (Turkish Commercial Code art. 1530).
const Table& latePaymentTable();
// The day the tables were last checked against their sources.
Date checkedOn();

} // namespace mirvane::rates
