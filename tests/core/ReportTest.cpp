#include "core/rates/DefaultLists.h"
#include "core/rates/ReadyLists.h"
#include "core/report/BreakdownReport.h"
#include "core/report/ReportTexts.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <variant>

namespace {

using namespace std::chrono;
using namespace mirvane;
using report::Block;
using report::Paragraph;
using report::Table;

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

// The statutory list's run over 01.07.2005 - 01.07.2006 on 1.000,00: two periods.
struct ExampleRun {
    report::BreakdownFacts facts;
    std::vector<breakdown::RowCells> rows;
    std::string total;
};

ExampleRun exampleRun(Date start, Date end, std::int32_t divisor = interest::Divisor365) {
    const RateList& list = defaults::lists().at(0);
    const auto outcome = interest::calculate(list, {start, end, "1000", divisor});
    const auto& calculation = std::get<interest::Calculation>(outcome);
    ExampleRun run{{list, 1000.0, start, end, divisor, calculation.ranPastListEnd}, {}, {}};
    for (const auto& row : calculation.rows) {
        run.rows.push_back(breakdown::rowCells(row));
    }
    run.total = breakdown::totalText(calculation.total);
    return run;
}

std::vector<std::string> paragraphTexts(const std::vector<Block>& blocks) {
    std::vector<std::string> texts;
    for (const Block& block : blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            texts.push_back(paragraph->text);
        }
    }
    return texts;
}

std::vector<const Table*> tablesOf(const report::Document& document) {
    std::vector<const Table*> tables;
    for (const Block& block : document.blocks) {
        if (const auto* table = std::get_if<Table>(&block)) {
            tables.push_back(table);
        }
    }
    return tables;
}

TEST(BreakdownReport, HeadingSaysWhatWasComputed) {
    ExampleRun run = exampleRun(on(2005, 7, 1), on(2006, 7, 1));
    std::vector<Block> heading = report::breakdownHeading(run.facts);
    ASSERT_TRUE(std::holds_alternative<report::Heading>(heading.front()));
    EXPECT_EQ(std::get<report::Heading>(heading.front()).text, "Faiz Dökümü");
    EXPECT_EQ(paragraphTexts(heading),
              (std::vector<std::string>{"Faiz oranı listesi: " + run.facts.list.Name,
                                        "Ana para: 1.000,00 TL", "Başlangıç tarihi: 01.07.2005",
                                        "Bitiş tarihi: 01.07.2006", "Gün esası: yıl 365 gün"}));

    // A run past the list's end (31.12.2026) carries its notice, marked as one; the
    // 360-day basis is named.
    run = exampleRun(on(2026, 7, 1), on(2027, 7, 1), interest::Divisor360);
    heading = report::breakdownHeading(run.facts);
    ASSERT_TRUE(run.facts.runOn.has_value());
    const auto& notice = std::get<Paragraph>(heading.back());
    EXPECT_TRUE(notice.notice);
    EXPECT_EQ(notice.text, breakdown::runOnNotice(*run.facts.runOn));
    EXPECT_EQ(paragraphTexts(heading).at(4), "Gün esası: yıl 360 gün");

    // A ready list ending on the day its rates were checked: a plain note.
    const RateList& avans = *rates::readyList(rates::AdvanceName);
    const auto calculation = std::get<interest::Calculation>(
        interest::calculate(avans, {on(2026, 12, 1), on(2027, 1, 1), "1000", 36500}));
    report::BreakdownFacts facts{avans,          1000.0, on(2026, 12, 1),
                                 on(2027, 1, 1), 36500,  calculation.ranPastListEnd};
    const std::vector<Block> checked = report::breakdownHeading(facts);
    const auto& note = std::get<Paragraph>(checked.back());
    EXPECT_FALSE(note.notice);
    EXPECT_EQ(note.text, "Oranlar 08.12.2026 tarihine kadar denetlendi; sonrası için son oran "
                         "(%39,75) uygulandı.");
}

TEST(BreakdownReport, TableFromTheClipboardText) {
    const ExampleRun run = exampleRun(on(2005, 7, 1), on(2006, 7, 1));
    const Table table = report::breakdownTable(breakdown::exportText(run.rows, run.total));
    ASSERT_EQ(table.columns.size(), 5u);
    EXPECT_EQ(table.columns[0].header, "Başlangıç Tarihi");
    EXPECT_EQ(table.columns[4].header, "Faiz Miktarı");
    EXPECT_FALSE(table.headerBold);
    EXPECT_TRUE(table.lastRowBold);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0],
              (std::vector<std::string>{"01.07.2005", "31.12.2005", "12", "183", "60,16"}));
    EXPECT_EQ(table.rows[2], (std::vector<std::string>{"", "", "", "Faiz Toplamı: ", "105,04"}));

    // A short or long line cannot shift the columns; the header alone has no total.
    const Table ragged = report::breakdownTable("a\tb\r\nc\r\nd\te\tf");
    EXPECT_EQ(ragged.columns.size(), 3u);
    EXPECT_EQ(ragged.columns[2].header, "");
    EXPECT_EQ(ragged.rows[0], (std::vector<std::string>{"c", "", ""}));
    EXPECT_FALSE(report::breakdownTable("a\tb").lastRowBold);
}

TEST(BreakdownReport, WholeReportNamesDateBasisAndSources) {
    const ExampleRun run = exampleRun(on(2005, 7, 1), on(2006, 7, 1));
    const report::Document document =
        report::breakdownReport(run.facts, run.rows, run.total, on(2026, 12, 8));
    EXPECT_EQ(document.title, "Faiz Dökümü — " + run.facts.list.Name);
    const std::vector<std::string> texts = paragraphTexts(document.blocks);
    EXPECT_EQ(texts.at(0), "Rapor tarihi: 08.12.2026");
    EXPECT_NE(std::find_if(texts.begin(), texts.end(),
                           [](const std::string& text) {
                               return text.find("3095 sayılı Kanun md. 3") != std::string::npos;
                           }),
              texts.end());

    // How the rows are read, right under the table.
    const auto table =
        std::find_if(document.blocks.begin(), document.blocks.end(),
                     [](const Block& block) { return std::holds_alternative<Table>(block); });
    ASSERT_NE(table, document.blocks.end());
    ASSERT_TRUE(std::holds_alternative<Paragraph>(*(table + 1)));
    EXPECT_EQ(std::get<Paragraph>(*(table + 1)).text,
              "Her satırın başlangıç günü faize dahil değildir; faiz ertesi günden işler.");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(breakdown::StartDayNote)), 1);

    const auto tables = tablesOf(document);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_TRUE(tables[0]->headerBold);
    // Rate, days and amount stand right, digits under digits; the dates left.
    for (std::size_t c = 0; c < 5; ++c) {
        EXPECT_EQ(tables[0]->columns[c].align, c < 2 ? report::Align::Left : report::Align::Right);
    }
    EXPECT_EQ(tables[0]->rows.back().back(), "105,04");
    // Only the periods the rows used (9 and 10), each with its description.
    const Table& sources = *tables[1];
    ASSERT_EQ(sources.rows.size(), 2u);
    const auto& periods = run.facts.list.Periods;
    EXPECT_EQ(sources.rows[0].at(0), "9");
    EXPECT_EQ(sources.rows[0].at(4), std::string(text::trimSpaces(periods[8].Description)));
    EXPECT_EQ(sources.rows[1].at(0), "10");
    EXPECT_EQ(sources.rows[1].at(3), "9");
}

TEST(ReportTexts, FooterAmountsAndBasis) {
    EXPECT_EQ(report::pageFooter(2, 5), "Sayfa 2 / 5");
    EXPECT_EQ(report::moneyText(1234.5), "1.234,50 TL");
    EXPECT_EQ(report::legalBasisLines(365, false).size(), 2u);
    const auto withSetOff = report::legalBasisLines(360, true);
    ASSERT_EQ(withSetOff.size(), 3u);
    EXPECT_NE(withSetOff[1].find("gün ÷ 360"), std::string::npos);
    EXPECT_NE(withSetOff[2].find("TBK md. 100"), std::string::npos);
}

} // namespace
