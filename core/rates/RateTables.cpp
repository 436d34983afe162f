#include "core/rates/RateTables.h"

#include "core/rates/RateSource.h"
#include "core/text/Cp1254.h"
#include "core/text/TextForms.h"
#include "core/text/Utf8.h"

#include <algorithm>
#include <stdexcept>

namespace mirvane::rates {

namespace {

constexpr std::size_t MaxBasisLength = 100;
constexpr std::string_view ClosingWord = "bitiş";

[[noreturn]] void refuse(int lineNumber, std::string_view why) {
    throw std::invalid_argument("rate table line " + std::to_string(lineNumber) + ": " +
                                std::string(why));
}

Date dateField(std::string_view field, int lineNumber) {
    const std::optional<Date> date = text::parseDate(field);
    if (!date) {
        refuse(lineNumber, "not a date: " + std::string(field));
    }
    return *date;
}

TableRow rowOf(const std::vector<std::string_view>& fields, std::size_t rateCount, int lineNumber) {
    if (fields.size() != rateCount + 2 && fields.size() != rateCount + 1) {
        refuse(lineNumber, "wrong number of fields");
    }
    TableRow row{dateField(fields[0], lineNumber), {}, {}};
    for (std::size_t column = 1; column <= rateCount; ++column) {
        const std::optional<double> rate = text::parseNumber(fields[column]);
        if (!rate || *rate == 0.0) {
            refuse(lineNumber, "not a rate: " + std::string(fields[column]));
        }
        row.rates.push_back(*rate);
    }
    if (fields.size() == rateCount + 2) {
        row.basis = std::string(text::trimSpaces(fields.back()));
    }
    if (utf8::characterCount(row.basis) > MaxBasisLength ||
        cp1254::toUtf8(cp1254::fromUtf8(row.basis)) != row.basis) {
        refuse(lineNumber, "basis longer than 100 characters or not in code page 1254");
    }
    return row;
}

} // namespace

Table parseTable(std::string_view text) {
    Table table;
    bool closed = false;
    int lineNumber = 0;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(from, end - from);
        from = end + 1;
        ++lineNumber;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        if (closed) {
            refuse(lineNumber, "text after the closing line");
        }
        const std::vector<std::string_view> fields = text::splitAt(line, '\t');
        if (table.headings.empty()) {
            if (fields.size() < 3) {
                refuse(lineNumber, "headings need a day, a rate and a basis");
            }
            table.headings.assign(fields.begin(), fields.end());
            continue;
        }
        if (fields.front() == ClosingWord) {
            if (fields.size() != 2 || table.rows.empty()) {
                refuse(lineNumber, "closing line without rows or with extra fields");
            }
            table.lastDay = dateField(fields[1], lineNumber);
            if (table.lastDay < table.rows.back().inForce) {
                refuse(lineNumber, "last day before the last row");
            }
            closed = true;
            continue;
        }
        TableRow row = rowOf(fields, table.headings.size() - 2, lineNumber);
        if (!table.rows.empty() && row.inForce <= table.rows.back().inForce) {
            refuse(lineNumber, "rows out of date order");
        }
        table.rows.push_back(std::move(row));
    }
    if (!closed) {
        refuse(lineNumber, "no closing line");
    }
    return table;
}

std::vector<RatePeriod> periodsOf(const Table& table, std::size_t rateColumn) {
    std::vector<RatePeriod> periods;
    for (std::size_t index = 0; index < table.rows.size(); ++index) {
        const TableRow& row = table.rows[index];
        const Date end = index + 1 < table.rows.size()
                             ? table.rows[index + 1].inForce - std::chrono::days{1}
                             : table.lastDay;
        periods.push_back({row.inForce, end, row.rates.at(rateColumn), row.basis});
    }
    return periods;
}

const Table& statutoryTable() {
    return activeRates().statutory;
}

const Table& centralBankTable() {
    return activeRates().centralBank;
}

const Table& latePaymentTable() {
    return activeRates().latePayment;
}

Date checkedOn() {
    return activeRates().checkedOn;
}

} // namespace mirvane::rates
