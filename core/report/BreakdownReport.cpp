#include "core/report/BreakdownReport.h"

#include "core/rates/RateSource.h"
#include "core/report/ReportTexts.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace mirvane::report {

namespace {

std::vector<std::string> fieldsOf(std::string_view line) {
    const std::vector<std::string_view> fields = text::splitAt(line, '\t');
    return {fields.begin(), fields.end()};
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines = text::splitAt(text, '\n');
    for (std::string_view& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
    }
    return lines;
}

// The period numbers of the rows (their first cell), each once, in order.
std::vector<int> periodsUsed(const std::vector<breakdown::RowCells>& rows) {
    std::set<int> numbers;
    for (const breakdown::RowCells& row : rows) {
        int number = 0;
        const std::string& cell = row[0];
        const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), number);
        if (error == std::errc() && end == cell.data() + cell.size()) {
            numbers.insert(number);
        }
    }
    return {numbers.begin(), numbers.end()};
}

Table sourcesTable(const RateList& list, const std::vector<int>& periods) {
    Table table{ratePeriodColumns(), {}, true, false};
    for (const int number : periods) {
        if (number < 1 || std::size_t(number) > list.Periods.size()) {
            continue;
        }
        const auto cells = breakdown::periodCells(number, list.Periods[std::size_t(number) - 1]);
        table.rows.emplace_back(cells.begin(), cells.end());
    }
    return table;
}

} // namespace

std::vector<Block> breakdownHeading(const BreakdownFacts& facts) {
    std::vector<Block> blocks{
        Heading{std::string(BreakdownTitle), 1},
        Paragraph{"Faiz oranı listesi: " + facts.list.Name},
        Paragraph{"Ana para: " + moneyText(facts.principal)},
        Paragraph{"Başlangıç tarihi: " + text::formatDate(facts.start)},
        Paragraph{"Bitiş tarihi: " + text::formatDate(facts.end)},
        Paragraph{"Gün esası: " + dayBasisText(facts.divisor == interest::Divisor360 ? 360 : 365)},
    };
    if (facts.runOn) {
        blocks.push_back(
            Paragraph{breakdown::runOnNotice(*facts.runOn), !facts.runOn->checkedToListEnd});
    }
    return blocks;
}

Table breakdownTable(std::string_view exportText) {
    const std::vector<std::string_view> lines = linesOf(exportText);
    Table table;
    table.headerBold = false;
    table.lastRowBold = lines.size() > 1;
    for (std::string& header : fieldsOf(lines.front())) {
        table.columns.push_back({std::move(header), Align::Left, 1.0});
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        table.rows.push_back(fieldsOf(lines[i]));
    }
    std::size_t width = table.columns.size();
    for (const auto& row : table.rows) {
        width = std::max(width, row.size());
    }
    table.columns.resize(width);
    for (auto& row : table.rows) {
        row.resize(width);
    }
    return table;
}

Document breakdownReport(const BreakdownFacts& facts, const std::vector<breakdown::RowCells>& rows,
                         std::string_view totalText, Date reportDate) {
    Document document{std::string(BreakdownTitle) + " — " + facts.list.Name,
                      breakdownHeading(facts)};
    document.blocks.insert(document.blocks.begin() + 1,
                           Paragraph{"Rapor tarihi: " + text::formatDate(reportDate)});
    Table table = breakdownTable(breakdown::exportText(rows, totalText));
    table.headerBold = true;
    // Dates left, every number right, so that digits stand under digits.
    const Align aligns[] = {Align::Left, Align::Left, Align::Right, Align::Right, Align::Right};
    for (std::size_t i = 0; i < table.columns.size() && i < std::size(aligns); ++i) {
        table.columns[i].align = aligns[i];
    }
    document.blocks.push_back(Heading{"Faiz dökümü", 2});
    document.blocks.push_back(std::move(table));
    document.blocks.push_back(Paragraph{std::string(breakdown::StartDayNote)});
    document.blocks.push_back(Heading{"Hukuki dayanak", 2});
    for (const std::string_view line :
         legalBasisLines(facts.divisor == interest::Divisor360 ? 360 : 365, false)) {
        document.blocks.push_back(Paragraph{std::string(line)});
    }
    document.blocks.push_back(Heading{"Uygulanan oranlar ve kaynakları", 2});
    document.blocks.push_back(Paragraph{facts.list.Name});
    document.blocks.push_back(sourcesTable(facts.list, periodsUsed(rows)));
    // Which of the program's rate data stood behind the ready lists that day.
    document.blocks.push_back(Paragraph{rates::rateDataLine() + "."});
    return document;
}

} // namespace mirvane::report
