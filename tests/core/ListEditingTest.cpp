#include "core/ratelist/ListEditing.h"

#include "core/text/Cp1254.h"
#include "core/text/TextForms.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace mirvane;
using namespace mirvane::editing;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

Entry entry(std::optional<Date> start, std::optional<Date> end, std::string rate = "5") {
    return {start, end, std::move(rate)};
}

Neighbours after(Date previousEnd) {
    return {previousEnd, std::nullopt};
}

Neighbours between(Date previousEnd, Date nextStart) {
    return {previousEnd, nextStart};
}

const Neighbours FirstPeriod{};

} // namespace

TEST(EntryChecks, StartMustFollowThePreviousEndByExactlyOneDay) {
    const Date previousEnd = on(2007, 12, 31);

    for (const Date start : {on(2007, 12, 31), on(2007, 6, 1)}) {
        const auto refusal = checkEntry(entry(start, on(2008, 6, 30)), after(previousEnd));
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->check, Check::StartNotAfterPrevious);
        EXPECT_EQ(refusal->message, M1);
        EXPECT_EQ(refusal->focus, EntryField::StartDate);
        EXPECT_EQ(refusal->correctedStart, on(2008, 1, 1));
        EXPECT_FALSE(refusal->correctedEnd);
    }

    const auto gap = checkEntry(entry(on(2008, 1, 3), on(2008, 6, 30)), after(previousEnd));
    ASSERT_TRUE(gap);
    EXPECT_EQ(gap->check, Check::GapAfterPrevious);
    EXPECT_EQ(gap->message, M2);
    EXPECT_EQ(gap->focus, EntryField::StartDate);
    EXPECT_EQ(gap->correctedStart, on(2008, 1, 1));

    EXPECT_FALSE(checkEntry(entry(on(2008, 1, 1), on(2008, 6, 30)), after(previousEnd)));
}

TEST(EntryChecks, EndMayEqualButNotPrecedeTheStart) {
    const auto refusal = checkEntry(entry(on(2008, 1, 10), on(2008, 1, 5)), FirstPeriod);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->check, Check::EndBeforeStart);
    EXPECT_EQ(refusal->message, M3);
    EXPECT_EQ(refusal->focus, EntryField::EndDate);
    EXPECT_EQ(refusal->correctedEnd, on(2008, 1, 11));
    EXPECT_FALSE(refusal->correctedStart);

    EXPECT_FALSE(checkEntry(entry(on(2008, 1, 10), on(2008, 1, 10)), FirstPeriod));
    // The first period has nothing before it: any start will do.
    EXPECT_FALSE(checkEntry(entry(on(1900, 1, 1), on(2008, 1, 10)), FirstPeriod));
}

TEST(EntryChecks, EndMustMeetTheNextPeriodWhenThereIsOne) {
    const Neighbours neighbours = between(on(2004, 12, 31), on(2006, 1, 1));
    for (const Date end : {on(2005, 6, 30), on(2006, 1, 1), on(2006, 3, 1)}) {
        const auto refusal = checkEntry(entry(on(2005, 1, 1), end), neighbours);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->check, Check::GapBeforeNext);
        EXPECT_EQ(refusal->message, M2);
        EXPECT_EQ(refusal->focus, EntryField::EndDate);
        EXPECT_EQ(refusal->correctedEnd, on(2005, 12, 31));
    }
    EXPECT_FALSE(checkEntry(entry(on(2005, 1, 1), on(2005, 12, 31)), neighbours));

    // The first period of a list edited in place: only the next period binds it.
    EXPECT_FALSE(checkEntry(entry(on(1990, 1, 1), on(2005, 12, 31)),
                            Neighbours{std::nullopt, on(2006, 1, 1)}));
}

TEST(EntryChecks, RateMustBeGivenAndNotZero) {
    const auto check = [](std::string rate) {
        const auto refusal = checkEntry(entry(on(2008, 1, 1), on(2008, 1, 2), rate), FirstPeriod);
        return refusal ? std::optional<Check>(refusal->check) : std::nullopt;
    };
    EXPECT_EQ(check(""), Check::RateEmpty);
    EXPECT_EQ(check("  "), Check::RateEmpty);
    EXPECT_EQ(check("0"), Check::RateZero);
    EXPECT_EQ(check("0,00"), Check::RateZero);
    EXPECT_EQ(check(",0"), Check::RateZero);
    EXPECT_EQ(check("0,001"), std::nullopt);
    EXPECT_EQ(check("12,50"), std::nullopt);
    EXPECT_EQ(check("1.234,00"), std::nullopt);

    const auto refusal = checkEntry(entry(on(2008, 1, 1), on(2008, 1, 2), ""), FirstPeriod);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, M4);
    EXPECT_EQ(refusal->focus, EntryField::Value);
    EXPECT_FALSE(refusal->correctedStart || refusal->correctedEnd);
    EXPECT_EQ(checkEntry(entry(on(2008, 1, 1), on(2008, 1, 2), "0"), FirstPeriod)->message, M5);
    const auto negative = checkEntry(entry(on(2008, 1, 1), on(2008, 1, 2), "-9"), FirstPeriod);
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->check, Check::RateNegative);
    EXPECT_EQ(negative->message, RateNegative);
    EXPECT_EQ(negative->focus, EntryField::Value);
}

// A list file holds no day after 31.12.9999, so no correction may offer one.
TEST(EntryChecks, NoDateAfterTheLastStorableDayIsProposed) {
    const Date last = on(9999, 12, 31);
    const auto afterLast = checkEntry(entry(last, last), after(last));
    ASSERT_TRUE(afterLast);
    EXPECT_EQ(afterLast->check, Check::StartNotAfterPrevious);
    EXPECT_FALSE(afterLast->correctedStart);

    const auto endBefore = checkEntry(entry(last, on(9999, 1, 1)), FirstPeriod);
    ASSERT_TRUE(endBefore);
    EXPECT_EQ(endBefore->check, Check::EndBeforeStart);
    EXPECT_FALSE(endBefore->correctedEnd);
}

TEST(EntryChecks, OnlyTheFirstFailingCheckIsReported) {
    const Date previousEnd = on(2007, 12, 31);
    // Start before the previous end, end before start, no rate: M1 alone.
    auto refusal = checkEntry(entry(on(2007, 12, 1), on(2007, 11, 1), ""), after(previousEnd));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->check, Check::StartNotAfterPrevious);

    refusal = checkEntry(entry(on(2008, 1, 1), on(2007, 11, 1), "0"), after(previousEnd));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->check, Check::EndBeforeStart);

    // The neighbour check comes before the rate.
    refusal =
        checkEntry(entry(on(2008, 1, 1), on(2008, 2, 1), ""), between(previousEnd, on(2009, 1, 1)));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->check, Check::GapBeforeNext);
}

TEST(EntryChecks, MissingDatesAreRefusedBeforeTheyAreCompared) {
    auto refusal = checkEntry(entry(std::nullopt, on(2008, 1, 2), ""), after(on(2007, 12, 31)));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->check, Check::StartMissing);
    EXPECT_EQ(refusal->message, StartDateMissing);
    EXPECT_EQ(refusal->focus, EntryField::StartDate);

    refusal = checkEntry(entry(on(2008, 1, 1), std::nullopt), after(on(2007, 12, 31)));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->check, Check::EndMissing);
    EXPECT_EQ(refusal->message, EndDateMissing);
    EXPECT_EQ(refusal->focus, EntryField::EndDate);

    // A start that breaks the previous period is named before the missing end.
    refusal = checkEntry(entry(on(2007, 12, 1), std::nullopt), after(on(2007, 12, 31)));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->check, Check::StartNotAfterPrevious);
}

TEST(PeriodCount, ListsStopAt255PeriodsAndKeepOne) {
    EXPECT_FALSE(refuseNewPeriod(0));
    EXPECT_FALSE(refuseNewPeriod(254));
    EXPECT_EQ(refuseNewPeriod(255), TooManyPeriods);
    EXPECT_EQ(refuseNewPeriod(300), TooManyPeriods);

    EXPECT_EQ(refuseRemovingLast(0), M7);
    EXPECT_EQ(refuseRemovingLast(1), M7);
    EXPECT_FALSE(refuseRemovingLast(2));
}

TEST(Rows, EntryRowsShowTheTypedRateAndReadBackAsPeriods) {
    const RowTexts typed = entryRow(3, on(2008, 1, 1), on(2008, 6, 30), "12,50", "Karar");
    EXPECT_EQ(typed, (RowTexts{"3", "01.01.2008", "30.06.2008", "12,50", "Karar"}));
    EXPECT_EQ(rowDate("30.06.2008"), on(2008, 6, 30));

    const std::vector<RowTexts> rows{
        {"1", "01.10.1972", "19.12.1984", "5", "1303 tarihli Murabaha Nizamnamesi"},
        {"2", "20.12.1984", "31.12.1997", "17,75", ""},
        typed,
        {"4", "01.07.2008", "31.12.2008", "1.234,00", "Şığ İçöü"},
    };
    const auto periods = periodsFromRows(rows);
    ASSERT_TRUE(periods.ok());
    ASSERT_EQ(periods.value().size(), 4u);
    EXPECT_EQ(periods.value()[0], (RatePeriod{on(1972, 10, 1), on(1984, 12, 19), 5, rows[0][4]}));
    EXPECT_EQ(periods.value()[1].Rate, 17.75);
    EXPECT_EQ(periods.value()[2].Rate, 12.5);
    EXPECT_EQ(periods.value()[3].Rate, 1234);
    EXPECT_EQ(periods.value()[3].Description, "Şığ İçöü");

    EXPECT_TRUE(periodsFromRows({}).ok());
}

TEST(Rows, ARowThatDoesNotReadBackIsNamed) {
    const std::vector<RowTexts> badDate{{"1", "01.01.2008", "31.12.2008", "9", ""},
                                        {"2", "", "31.12.2009", "9", ""}};
    const auto dates = periodsFromRows(badDate);
    ASSERT_FALSE(dates.ok());
    EXPECT_NE(dates.error().description.find("2. dönemin tarihi"), std::string::npos);

    const auto rate = periodsFromRows({{"1", "01.01.2008", "31.12.2008", "9,5x", ""}});
    ASSERT_FALSE(rate.ok());
    EXPECT_NE(rate.error().description.find("1. dönemin oranı"), std::string::npos);
}

TEST(NewListNames, SpacesAroundANameAreDropped) {
    EXPECT_EQ(text::trimSpaces("  Faiz 2020  "), "Faiz 2020");
    EXPECT_EQ(text::trimSpaces("   "), "");
    EXPECT_EQ(text::trimSpaces(""), "");
    EXPECT_EQ(text::trimSpaces("\tA "), "\tA");
}

TEST(NewListNames, NamesThatMakeNoListedFileAreRefused) {
    for (const char* name :
         {"a\\b", "a/b", "a:b", "a*b", "Faiz?", "\"a\"", "<a", "a>", "a|b", "a\tb", "a\nb"}) {
        EXPECT_EQ(nameProblem(name), NameProblem::ForbiddenCharacter) << name;
    }
    EXPECT_EQ(nameProblem(".gizli"), NameProblem::LeadingFullStop);
    EXPECT_EQ(nameProblem(".."), NameProblem::LeadingFullStop);
    EXPECT_EQ(nameProblem("Faiz."), NameProblem::TrailingFullStopOrBlank);
    EXPECT_EQ(nameProblem("Faiz "), NameProblem::TrailingFullStopOrBlank);
    for (const char* name : {"CON", "con", "Prn", "aux", "NUL", "COM1", "com9", "LPT1", "lpt9",
                             "COM0", "COM¹", "LPT³", "con.txt", "NUL .liste", "Com1.a.b"}) {
        EXPECT_EQ(nameProblem(name), NameProblem::ReservedDeviceName) << name;
    }
    for (const char* name : {"Faiz 2020", "Ticari Alacaklar (Reeskont-İskonto)", "CONSOLE", "COM10",
                             "LPT", "a.b", "İşçi Alacakları", "Kon", "CON-2"}) {
        EXPECT_EQ(nameProblem(name), std::nullopt) << name;
    }

    // The refusal lists the nine refused characters after an empty line, each once,
    // and each one indeed refused.
    const auto lastLine = M6.substr(M6.rfind("\r\n") + 2);
    EXPECT_EQ(lastLine, "\\ / : * ? \" < > |");
    for (std::size_t i = 0; i < lastLine.size(); i += 2) {
        EXPECT_TRUE(nameProblem(std::string("a") + lastLine[i] + "b")) << lastLine[i];
    }
    EXPECT_EQ(M6.substr(0, M6.find("\r\n\r\n")),
              "Liste adında aşağıdaki karakterleri kullanamazsınız!");
}

TEST(NewListNames, DialogVerdictFollowsTheFilesOfTheFolder) {
    const fs::path folder =
        fs::temp_directory_path() / ("mirvane-adlar-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "Adi Alacaklar (Kanuni Faiz).faiz") << "x";

    EXPECT_EQ(judgeName(folder, ""), NameVerdict::Missing);
    EXPECT_EQ(judgeName(folder, "Adi Alacaklar (Kanuni Faiz)"), NameVerdict::Taken);
    EXPECT_EQ(judgeName(folder, "Faiz 2020"), NameVerdict::Accepted);
    // Characters are left to the save, which refuses them.
    EXPECT_EQ(judgeName(folder, "a/b?"), NameVerdict::Accepted);

#ifndef _WIN32 // symbolic links need administrator rights
    fs::create_symlink(folder / "yok", folder / u8"Kırık.faiz");
    EXPECT_EQ(judgeName(folder, "Kırık"), NameVerdict::Taken);
#endif
    fs::remove_all(folder);
}
