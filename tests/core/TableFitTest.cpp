#include "core/report/TableFit.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

namespace {

using mirvane::report::Align;
using mirvane::report::FitLimits;
using mirvane::report::Table;
using mirvane::report::TableFit;

// A face in which every byte is half a point wide at one point, a bold one a
// little wider: widths come out as plain arithmetic.
double halfPointFace(std::string_view text, bool bold) {
    return double(text.size()) * (bold ? 0.6 : 0.5);
}

double widthOf(std::string_view text, double size, bool bold = false) {
    return halfPointFace(text, bold) * size;
}

double sum(const std::vector<double>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0.0);
}

TableFit fit(const Table& table, double available) {
    return fitTable(table, &halfPointFace, FitLimits{available, 4, 9, 7});
}

// A date, a description that may wrap and an amount, with a bold total row.
Table sample(std::string description) {
    Table table{
        {{"Tarih", Align::Left, 1},
         {"Açıklama", Align::Left, 3, true},
         {"Tutar (TL)", Align::Right, 1}},
        {{"01.02.2024", std::move(description), "250.000,00"}, {"", "Toplam", "1.250.000,00"}},
        true,
        true};
    return table;
}

TEST(TableFit, RoomToSpareGoesByRelativeWidth) {
    const Table table = sample("kira");
    const TableFit fitted = fit(table, 400);
    EXPECT_EQ(fitted.fontSize, 9);
    EXPECT_TRUE(fitted.whole);
    ASSERT_EQ(fitted.widths.size(), 3u);
    EXPECT_NEAR(sum(fitted.widths), 400, 1e-9);
    // Every text fits on one line, the bold total measured bold.
    EXPECT_GE(fitted.widths[0], widthOf("01.02.2024", 9) + 4);
    EXPECT_GE(fitted.widths[2], widthOf("1.250.000,00", 9, true) + 4);
    // The description's column takes three shares of what is over.
    const double wholeDate = widthOf("01.02.2024", 9) + 4;
    const double wholeText = widthOf("Açıklama", 9, true) + 4;
    EXPECT_NEAR((fitted.widths[1] - wholeText) / (fitted.widths[0] - wholeDate), 3.0, 1e-9);
}

TEST(TableFit, FreeTextWrapsBetweenWordsWhileNumbersStayWhole) {
    const std::string source = "3095 sayılı Kanun md. 1 ve Cumhurbaşkanı Kararı ile belirlenen "
                               "yasal faiz oranı uygulanmıştır";
    const TableFit fitted = fit(sample(source), 200);
    EXPECT_EQ(fitted.fontSize, 9);
    EXPECT_TRUE(fitted.whole);
    EXPECT_NEAR(sum(fitted.widths), 200, 1e-9);
    EXPECT_GE(fitted.widths[0], widthOf("01.02.2024", 9) + 4);
    EXPECT_GE(fitted.widths[2], widthOf("1.250.000,00", 9, true) + 4);
    EXPECT_LT(fitted.widths[1], widthOf(source, 9) + 4);
    EXPECT_GE(fitted.widths[1], widthOf("Cumhurbaşkanı", 9) + 4);
}

TEST(TableFit, HeadersWrapOnlyBetweenTheirWords) {
    Table table{{{"Başlangıç Tarihi", Align::Left, 1}, {"Gün", Align::Right, 1}},
                {{"01.02.2024", "31"}}};
    table.headerBold = false;
    const double least = widthOf("Başlangıç", 9) + 4 + widthOf("Gün", 9) + 4;
    const TableFit fitted = fit(table, least + 1);
    EXPECT_TRUE(fitted.whole);
    EXPECT_GE(fitted.widths[0], widthOf("Başlangıç", 9) + 4);
    EXPECT_GE(fitted.widths[1], widthOf("Gün", 9) + 4);
}

// Many amount columns on a narrow page: the text is set smaller, half a point at a
// time, until every amount fits on one line; below the smallest size it cannot.
TEST(TableFit, TooManyAmountsShrinkTheTextThenGiveUp) {
    Table table;
    for (int c = 0; c < 6; ++c) {
        table.columns.push_back({"T" + std::to_string(c), Align::Right, 1});
    }
    table.rows.push_back(std::vector<std::string>(6, "999.999.999.999,99"));
    const double atNine = 6 * (widthOf("999.999.999.999,99", 9) + 4);
    const double atEight = 6 * (widthOf("999.999.999.999,99", 8) + 4);

    const TableFit smaller = fit(table, (atNine + atEight) / 2);
    EXPECT_TRUE(smaller.whole);
    EXPECT_EQ(smaller.fontSize, 8.5);
    for (const double width : smaller.widths) {
        EXPECT_GE(width, widthOf("999.999.999.999,99", 8.5) + 4 - 1e-9);
    }

    const TableFit cramped = fit(table, atEight / 2);
    EXPECT_FALSE(cramped.whole);
    EXPECT_EQ(cramped.fontSize, 7);
    EXPECT_NEAR(sum(cramped.widths), atEight / 2, 1e-9);

    EXPECT_TRUE(fit(Table{}, 100).widths.empty());
}

} // namespace
