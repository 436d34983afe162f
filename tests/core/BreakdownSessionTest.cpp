#include "core/app/BreakdownSession.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace mirvane;
using namespace mirvane::app;
using namespace std::chrono;

namespace {

const std::vector<std::string> Names{"Adi", "Reeskont", "Ticari"};

Date date(int y, unsigned m, unsigned d) {
    return sys_days{year{y} / month{m} / d};
}

BreakdownInputs inputs() {
    return {1, date(2020, 1, 1), date(2020, 12, 31), principalKey("1000"), false};
}

RateList list(const std::string& name) {
    return {name, {{date(2020, 1, 1), date(2020, 12, 31), 9.0, ""}}};
}

breakdown::RowCells cells(const std::string& interest) {
    return {"01.01.2020", "31.12.2020", "366", "1.000,00", "9,00", interest, ""};
}

// A session showing a breakdown of two rows and its total.
BreakdownSession withBreakdown() {
    BreakdownSession session;
    session.refresh(Names, {}, "");
    session.showList(list("Reeskont"));
    session.startBreakdown(inputs());
    session.addRow(cells("60,00"));
    session.addRow(cells("30,25"));
    session.finishBreakdown("90,25", {list("Reeskont"), 1000.0, date(2020, 1, 1),
                                      date(2020, 12, 31), interest::Divisor365, std::nullopt});
    return session;
}

} // namespace

TEST(BreakdownSessionRefresh, TheListRememberedByNameWinsOverItsPosition) {
    BreakdownSession session;
    session.refresh(Names, {}, "");
    session.rememberSelection(2);
    EXPECT_EQ(session.rememberedName(), "Ticari");
    // A file that sorts first shifts every position, but not the list selected.
    EXPECT_EQ(session.refresh({"0 Kopya", "Adi", "Reeskont", "Ticari"}, {}, ""), 3u);
    EXPECT_EQ(session.rememberedPosition(), 3);
    // The list gone, its position stands, clamped into the lists.
    EXPECT_EQ(session.refresh({"Adi", "Reeskont"}, {}, ""), 1u);
    EXPECT_EQ(session.rememberedPosition(), 1);
    EXPECT_EQ(session.refresh({}, {}, ""), std::nullopt);
}

TEST(BreakdownSessionRefresh, AListSavedUnderANewNameIsSelected) {
    BreakdownSession session;
    session.rememberSelection(std::int16_t(2), "Ticari");
    EXPECT_EQ(session.refresh({"Aaa Yeni", "Adi", "Reeskont", "Ticari"}, {}, "Aaa Yeni"), 0u);
    // The remembered list is not moved by the list selected for the saver.
    EXPECT_EQ(session.rememberedName(), "Ticari");
    // A saved name the folder does not list selects nothing rather than another list.
    EXPECT_EQ(session.refresh(Names, {}, "Kayıp"), std::nullopt);
    // Settings read at start-up: the position stands where the name is not found.
    session.rememberSelection(std::int16_t(7), "Silinmiş");
    EXPECT_EQ(session.refresh(Names, {"(salt okunur)"}, ""), 2u);
    EXPECT_EQ(session.listNotices(), std::vector<std::string>{"(salt okunur)"});
}

TEST(BreakdownSessionRefresh, ADeletedListHandsTheSelectionToTheOneBefore) {
    BreakdownSession session;
    session.refresh(Names, {}, "");
    EXPECT_EQ(session.removeList(1), 0u);
    EXPECT_EQ(session.listNames(), (std::vector<std::string>{"Adi", "Ticari"}));
    EXPECT_EQ(session.removeList(0), 0u);
    EXPECT_EQ(session.listNames(), std::vector<std::string>{"Ticari"});
    EXPECT_EQ(session.nameAt(0), "Ticari");
    EXPECT_EQ(session.nameAt(1), "");
    EXPECT_EQ(session.nameAt(-1), "");
}

TEST(BreakdownSessionChanges, AnyInputChangeTakesTheBreakdownAway) {
    const auto changes = std::vector<void (*)(BreakdownInputs&)>{
        [](BreakdownInputs& i) { i.listRow = 2; },
        [](BreakdownInputs& i) { i.start = date(2020, 1, 2); },
        [](BreakdownInputs& i) { i.end.reset(); },
        [](BreakdownInputs& i) { i.principal = principalKey("1000,01"); },
        [](BreakdownInputs& i) { i.year360 = true; },
    };
    for (std::size_t k = 0; k < changes.size(); ++k) {
        BreakdownSession session = withBreakdown();
        BreakdownInputs now = inputs();
        changes[k](now);
        EXPECT_TRUE(session.inputsChanged(now)) << k;
        EXPECT_TRUE(session.rows().empty()) << k;
        EXPECT_EQ(session.totalText(), "") << k;
        EXPECT_FALSE(session.facts()) << k;
        EXPECT_FALSE(session.canReport()) << k;
        // The list shown stays.
        EXPECT_EQ(session.shownList().Name, "Reeskont") << k;
        // Once gone, the breakdown does not come back by undoing the change.
        EXPECT_FALSE(session.inputsChanged(inputs())) << k;
    }
}

TEST(BreakdownSessionChanges, ThePrincipalCountsByItsAmount) {
    BreakdownSession session = withBreakdown();
    BreakdownInputs now = inputs();
    now.principal = principalKey("1.000,00");
    EXPECT_FALSE(session.inputsChanged(now));
    EXPECT_EQ(session.rows().size(), 2u);
    EXPECT_TRUE(session.canReport());
    // A text that is no amount counts as it stands.
    EXPECT_EQ(principalKey("bin"), "bin");
    EXPECT_NE(principalKey("1000"), principalKey("100"));
}

TEST(BreakdownSessionChanges, ANewListOrARunStartsWithoutTheOldRows) {
    BreakdownSession session = withBreakdown();
    session.showList(list("Ticari"));
    EXPECT_TRUE(session.rows().empty());
    EXPECT_EQ(session.shownList().Name, "Ticari");
    session = withBreakdown();
    session.startBreakdown(inputs());
    EXPECT_TRUE(session.rows().empty());
    EXPECT_EQ(session.totalText(), "");
    // A run stopped by an error keeps its rows but has no total and makes no report.
    session.addRow(cells("60,00"));
    EXPECT_FALSE(session.canReport());
    session.clearList();
    EXPECT_TRUE(session.rows().empty());
    EXPECT_TRUE(session.shownList().Periods.empty());
}

TEST(BreakdownSessionReports, CopyAndReportHoldTheSessionsRows) {
    BreakdownSession session = withBreakdown();
    const std::string copied = session.copyAll();
    EXPECT_EQ(copied, breakdown::exportText({cells("60,00"), cells("30,25")}, "90,25"));
    EXPECT_EQ(session.lastCopied(), copied);
    const report::Document document = session.document(date(2021, 3, 1));
    // The table follows its heading.
    const auto heading = std::find_if(document.blocks.begin(), document.blocks.end(), [](auto& b) {
        const auto* h = std::get_if<report::Heading>(&b);
        return h && h->text == "Faiz dökümü";
    });
    ASSERT_NE(heading, document.blocks.end());
    ASSERT_NE(heading + 1, document.blocks.end());
    const auto* table = std::get_if<report::Table>(&*(heading + 1));
    ASSERT_NE(table, nullptr);
    // The two rows and the total, as the copy has them.
    ASSERT_EQ(table->rows.size(), 3u);
    EXPECT_EQ(table->rows, report::breakdownTable(copied).rows);
    const std::vector<std::string>& totalRow = table->rows[2];
    EXPECT_NE(std::find(totalRow.begin(), totalRow.end(), "90,25"), totalRow.end());

    // Without a breakdown the report is the header row of the last copy.
    session.clearBreakdown();
    session.copyAll();
    EXPECT_EQ(session.lastCopied(), breakdown::exportText({}, ""));
    EXPECT_EQ(session.document(date(2021, 3, 1)).blocks.size(), 1u);
}

TEST(BreakdownSessionSettings, TheDayBasisFollowsTheBox) {
    BreakdownSession session;
    EXPECT_EQ(session.divisor(), interest::Divisor365);
    session.setYear360(true);
    EXPECT_EQ(session.divisor(), interest::dayCountDivisor(true));
    session.setYear360(false);
    EXPECT_EQ(session.divisor(), interest::Divisor365);
}
