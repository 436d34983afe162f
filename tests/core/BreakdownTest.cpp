#include "core/interest/Breakdown.h"

#include "core/rates/DefaultLists.h"

#include <chrono>
#include <gtest/gtest.h>
#include <variant>

namespace {

using namespace std::chrono;
using namespace mirvane;
using breakdown::Column;
using breakdown::RowCells;

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

interest::Calculation statutoryRun(Date start, Date end) {
    const interest::Outcome outcome =
        interest::calculate(defaults::lists().at(0), {start, end, "1000", interest::Divisor365});
    return std::get<interest::Calculation>(outcome);
}

std::vector<RowCells> cellsOf(const interest::Calculation& calculation) {
    std::vector<RowCells> rows;
    for (const interest::InterestRow& row : calculation.rows) {
        rows.push_back(breakdown::rowCells(row));
    }
    return rows;
}

TEST(Breakdown, ColumnsOfBothLists) {
    const auto& columns = breakdown::breakdownColumns();
    const std::array<std::string_view, 7> headers{
        "Dönem", "Başlangıç Tarihi", "Bitiş Tarihi", "Oran", "Gün", "Miktar", "Tutar"};
    const std::array<double, 7> widths{1.0 / 10, 1.0 / 6, 1.0 / 6, 1.0 / 11,
                                       1.0 / 10, 1.0 / 6, 1.0 / 6};
    const std::array<Column::Align, 7> aligns{
        Column::Align::Left,   Column::Align::Left,  Column::Align::Left, Column::Align::Centre,
        Column::Align::Centre, Column::Align::Right, Column::Align::Right};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].header, headers[i]);
        EXPECT_DOUBLE_EQ(columns[i].widthFraction, widths[i]);
        EXPECT_EQ(columns[i].align, aligns[i]);
    }

    const auto& rates = breakdown::rateColumns();
    EXPECT_EQ(rates[4].header, "Açıklama");
    EXPECT_DOUBLE_EQ(rates[4].widthFraction, 1.0 / 2.4);
    EXPECT_EQ(rates[3].align, Column::Align::Centre);
    EXPECT_EQ(rates[0].header, "Dönem");
}

TEST(Breakdown, LineTextsOfACalculation) {
    const auto rows = cellsOf(statutoryRun(on(2005, 7, 1), on(2006, 7, 1)));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (RowCells{"9", "01.07.2005", "31.12.2005", "12", "183", "60,16", "60,16"}));
    EXPECT_EQ(rows[1], (RowCells{"10", "31.12.2005", "01.07.2006", "9", "182", "44,88", "105,04"}));
    EXPECT_EQ(breakdown::totalText(10504), "105,04");
    EXPECT_EQ(breakdown::totalText(0), "0,00");

    const auto oneDay = cellsOf(statutoryRun(on(2005, 7, 1), on(2006, 1, 1)));
    ASSERT_EQ(oneDay.size(), 2u);
    EXPECT_EQ(oneDay[1], (RowCells{"10", "31.12.2005", "01.01.2006", "9", "1", "0,25", "60,41"}));

    interest::InterestRow big{3, on(2001, 2, 3), on(2002, 2, 3), 17.75, 365, 123456750, 123456750};
    const RowCells cells = breakdown::rowCells(big);
    EXPECT_EQ(cells[3], "17,75");
    EXPECT_EQ(cells[5], "1.234.567,50");
}

TEST(Breakdown, PeriodCellsOfTheRatesList) {
    const RatePeriod period{on(1984, 12, 20), on(1997, 12, 31), 17.75, "  3095 sayılı Kanun  "};
    EXPECT_EQ(breakdown::periodCells(2, period),
              (std::array<std::string, 5>{"2", "20.12.1984", "31.12.1997", "17,75",
                                          "3095 sayılı Kanun"}));
}

TEST(Breakdown, WholeBreakdownText) {
    const std::string header =
        "Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz Miktarı";
    EXPECT_EQ(breakdown::exportText({}, ""), header);
    EXPECT_EQ(breakdown::exportText({}, "0,00"), header);
    EXPECT_EQ(breakdown::exportTextForTerminal({}, "0,00"), header + "\n");

    const auto one = cellsOf(statutoryRun(on(2008, 1, 1), on(2009, 1, 1)));
    EXPECT_EQ(breakdown::exportText(one, "90,25"), header +
                                                       "\r\n01.01.2008\t01.01.2009\t9\t366\t90,25" +
                                                       "\r\n\t\t\tFaiz Toplamı: \t90,25");

    const auto two = cellsOf(statutoryRun(on(2005, 7, 1), on(2006, 7, 1)));
    const std::string rowLines = "01.07.2005\t31.12.2005\t12\t183\t60,16" + std::string("\r\n") +
                                 "31.12.2005\t01.07.2006\t9\t182\t44,88";
    EXPECT_EQ(breakdown::exportText(two, "105,04"),
              header + "\r\n" + rowLines + "\r\n\t\t\tFaiz Toplamı: \t105,04");
    EXPECT_EQ(breakdown::exportTextForTerminal(two, "105,04"),
              header + "\n01.07.2005\t31.12.2005\t12\t183\t60,16\n" +
                  "31.12.2005\t01.07.2006\t9\t182\t44,88\n\t\t\tFaiz Toplamı: \t105,04\n");
}

TEST(BreakdownTexts, RunOnNoticeAndListCaption) {
    using namespace std::chrono;
    const interest::RunOnPastListEnd runOn{sys_days{2020y / December / 31}, 13.75,
                                           sys_days{2021y / January / 1}, 10};
    EXPECT_EQ(breakdown::runOnNotice(runOn),
              "Uyarı: Seçili liste 31.12.2020 tarihinde bitiyor; sonrası için son dönemin oranı "
              "(%13,75) uygulandı. Oranlar değiştiyse listeyi güncelleyin.");
    EXPECT_EQ(breakdown::loadedListCaption(defaults::lists().at(0)),
              "Adi Alacaklar (Kanuni Faiz) — son dönem bitişi: 31.12.2026");
    EXPECT_EQ(breakdown::loadedListCaption(RateList{"Boş", {}}), "Boş");
}

} // namespace
