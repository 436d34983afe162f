#include "core/deadline/Calendar.h"
#include "core/deadline/CommonPeriods.h"
#include "core/deadline/LastDay.h"
#include "core/span/DateSpan.h"
#include "core/text/TextForms.h"

#include <gtest/gtest.h>

namespace {

using namespace mirvane;
using deadline::Procedure;

Date day(const char* text) {
    const auto date = text::parseDate(text);
    EXPECT_TRUE(date.has_value()) << text;
    return date.value_or(Date{});
}

std::string shown(Date date) {
    return text::formatDate(date);
}

// The last day of a span from `start`, as the span window and the command line reach it.
deadline::LastDay spanDeadline(const char* start, span::Unit unit, int amount, Procedure procedure,
                               bool urgent = false) {
    const Result<Date> found = span::advance(day(start), unit, amount);
    EXPECT_TRUE(found.ok());
    return deadline::lastDay(found.value(), procedure, urgent);
}

deadline::LastDay deadlineOn(const char* found, Procedure procedure, bool urgent = false) {
    return deadline::lastDay(day(found), procedure, urgent);
}

std::vector<std::string> stepReasons(const deadline::LastDay& result) {
    std::vector<std::string> reasons;
    for (const deadline::Step& step : result.steps) {
        reasons.push_back(shown(step.reached) + " | " + step.reason);
    }
    return reasons;
}

bool hasNoticeWith(const deadline::LastDay& result, std::string_view part) {
    for (const std::string& notice : result.notices) {
        if (notice.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

using Reasons = std::vector<std::string>;

TEST(Deadline, PublishedAnswers) {
    // Civil appeal period ending in the recess: extended to 7 September.
    const deadline::LastDay civilInRecess =
        spanDeadline("17.07.2017", span::Unit::Week, 2, Procedure::Hmk);
    EXPECT_EQ(shown(civilInRecess.date), "07.09.2017");
    EXPECT_EQ(stepReasons(civilInRecess),
              Reasons({"07.09.2017 | adli tatil (HMK 104): 07.09.2017"}));

    // Starting in the recess and ending after it: no extension.
    const deadline::LastDay civilAfterRecess =
        spanDeadline("22.08.2017", span::Unit::Week, 2, Procedure::Hmk);
    EXPECT_EQ(shown(civilAfterRecess.date), "05.09.2017");
    EXPECT_TRUE(civilAfterRecess.steps.empty());

    // Enforcement ending on a Sunday in the recess: the recess does not count.
    const deadline::LastDay enforcementSunday =
        spanDeadline("03.08.2004", span::Unit::Day, 5, Procedure::Iik);
    EXPECT_EQ(shown(enforcementSunday.date), "09.08.2004");
    EXPECT_EQ(stepReasons(enforcementSunday), Reasons({"09.08.2004 | 08.08.2004 Pazar"}));

    // Enforcement ending on the first day of Kurban Bayramı: past the whole feast.
    const deadline::LastDay enforcementFeast =
        spanDeadline("21.07.2020", span::Unit::Day, 10, Procedure::Iik);
    EXPECT_EQ(shown(enforcementFeast.date), "04.08.2020");
    EXPECT_EQ(stepReasons(enforcementFeast), Reasons({"04.08.2020 | 31.07.2020 Kurban Bayramı"}));
    EXPECT_TRUE(enforcementFeast.notices.empty());
}

TEST(Deadline, PublishedAnswersBefore2020) {
    // Ending on the first day of 2019's Ramazan Bayramı: past the feast to the Friday
    // (an administrative leave day, which stays a working day).
    const deadline::LastDay ramazan2019 =
        spanDeadline("21.05.2019", span::Unit::Week, 2, Procedure::Hmk);
    EXPECT_EQ(shown(ramazan2019.date), "07.06.2019");
    EXPECT_EQ(stepReasons(ramazan2019), Reasons({"07.06.2019 | 04.06.2019 Ramazan Bayramı"}));
    EXPECT_TRUE(ramazan2019.notices.empty());

    // Inside 2003's Kurban Bayramı, which ends on a Friday: on to the Monday, in
    // enforcement and criminal procedure alike.
    for (const Procedure procedure : {Procedure::Iik, Procedure::Cmk}) {
        const deadline::LastDay kurban2003 =
            spanDeadline("06.02.2003", span::Unit::Week, 1, procedure);
        EXPECT_EQ(shown(kurban2003.date), "17.02.2003");
        EXPECT_EQ(stepReasons(kurban2003), Reasons({"15.02.2003 | 13.02.2003 Kurban Bayramı",
                                                    "17.02.2003 | 15.02.2003 Cumartesi"}));
    }

    // Criminal period ending in 2008's recess, which then ended on 5 September: three
    // days from its end (CMK 331/4), with a notice on the old bounds.
    const deadline::LastDay criminal2008 =
        spanDeadline("25.07.2008", span::Unit::Week, 1, Procedure::Cmk);
    EXPECT_EQ(shown(criminal2008.date), "08.09.2008");
    EXPECT_EQ(stepReasons(criminal2008),
              Reasons({"08.09.2008 | adli tatil (CMK 331/4): 08.09.2008"}));
    EXPECT_TRUE(hasNoticeWith(criminal2008, "2013'ten önce"));
    EXPECT_TRUE(hasNoticeWith(criminal2008, "20.07–05.09"));
    EXPECT_FALSE(hasNoticeWith(criminal2008, "2017/20-2873"));

    // Civil period ending after 2011's recess (5 September): not extended.
    const deadline::LastDay civil2011 =
        spanDeadline("22.08.2011", span::Unit::Day, 15, Procedure::Hmk);
    EXPECT_EQ(shown(civil2011.date), "06.09.2011");
    EXPECT_TRUE(civil2011.steps.empty());
}

TEST(Deadline, RecessOfEachYear) {
    // Civil: until 2004 from 20 July, from 2005 to 2012 from 1 August, both to 5 September,
    // the week of HUMK 179 / HMK 104 counted from that end.
    EXPECT_EQ(shown(deadlineOn("25.07.2003", Procedure::Hmk).date), "12.09.2003");
    EXPECT_EQ(stepReasons(deadlineOn("25.07.2003", Procedure::Hmk)),
              Reasons({"12.09.2003 | adli tatil (HUMK 179): 12.09.2003"}));
    EXPECT_EQ(shown(deadlineOn("25.07.2008", Procedure::Hmk).date), "25.07.2008");
    EXPECT_EQ(shown(deadlineOn("05.09.2008", Procedure::Hmk).date), "12.09.2008");
    EXPECT_EQ(stepReasons(deadlineOn("04.09.2012", Procedure::Hmk)),
              Reasons({"12.09.2012 | adli tatil (HMK 104): 12.09.2012"}));
    EXPECT_TRUE(hasNoticeWith(deadlineOn("04.09.2012", Procedure::Hmk), "KHK 650"));
    EXPECT_TRUE(hasNoticeWith(deadlineOn("04.09.2012", Procedure::Hmk), "01.08–05.09"));
    // From 2013 the current bounds, and no notice on old ones.
    EXPECT_EQ(shown(deadlineOn("02.09.2013", Procedure::Hmk).date), "02.09.2013");
    EXPECT_FALSE(hasNoticeWith(deadlineOn("31.08.2013", Procedure::Hmk), "2013'ten önce"));

    // Criminal: three days from the end, then closed days as always; urgent matters and
    // days outside the recess are not moved.
    const deadline::LastDay criminal = deadlineOn("31.07.2025", Procedure::Cmk);
    EXPECT_EQ(stepReasons(criminal), Reasons({"03.09.2025 | adli tatil (CMK 331/4): 03.09.2025"}));
    EXPECT_EQ(shown(deadlineOn("31.08.2024", Procedure::Cmk).date), "03.09.2024");
    EXPECT_EQ(stepReasons(deadlineOn("20.07.2028", Procedure::Cmk)),
              Reasons({"03.09.2028 | adli tatil (CMK 331/4): 03.09.2028",
                       "04.09.2028 | 03.09.2028 Pazar"}));
    EXPECT_EQ(shown(deadlineOn("31.07.2025", Procedure::Cmk, true).date), "31.07.2025");
    EXPECT_EQ(shown(deadlineOn("01.09.2025", Procedure::Cmk).date), "01.09.2025");
    EXPECT_EQ(shown(deadlineOn("04.09.2008", Procedure::Cmk).date), "08.09.2008");
}

TEST(Deadline, TakvimKeepsTheDateFound) {
    for (const char* found : {"14.02.2026", "31.07.2020", "31.07.2017", "29.10.2026"}) {
        const deadline::LastDay result = deadlineOn(found, Procedure::Takvim);
        EXPECT_EQ(shown(result.date), found);
        EXPECT_TRUE(result.steps.empty());
        EXPECT_TRUE(result.notices.empty());
    }
}

TEST(Deadline, ClosedDaysRollForwardAgainAndAgain) {
    // A feast followed by a weekend ends on the Monday after.
    const deadline::LastDay feastWeekend = deadlineOn("28.06.2023", Procedure::Hmk);
    EXPECT_EQ(shown(feastWeekend.date), "03.07.2023");
    EXPECT_EQ(stepReasons(feastWeekend),
              Reasons({"02.07.2023 | 28.06.2023 Kurban Bayramı", "03.07.2023 | 02.07.2023 Pazar"}));
    const deadline::LastDay ramazanWeekend = deadlineOn("10.04.2024", Procedure::Iik);
    EXPECT_EQ(shown(ramazanWeekend.date), "15.04.2024");
    EXPECT_EQ(stepReasons(ramazanWeekend), Reasons({"13.04.2024 | 10.04.2024 Ramazan Bayramı",
                                                    "15.04.2024 | 13.04.2024 Cumartesi"}));
    // A weekend followed by a feast.
    const deadline::LastDay weekendFeast = deadlineOn("30.04.2022", Procedure::Iik);
    EXPECT_EQ(shown(weekendFeast.date), "05.05.2022");
    EXPECT_EQ(stepReasons(weekendFeast), Reasons({"01.05.2022 | 30.04.2022 Cumartesi",
                                                  "02.05.2022 | 01.05.2022 Emek ve Dayanışma Günü",
                                                  "05.05.2022 | 02.05.2022 Ramazan Bayramı"}));
    // A national holiday on a weekday.
    const deadline::LastDay republic = deadlineOn("29.10.2026", Procedure::Hmk);
    EXPECT_EQ(shown(republic.date), "30.10.2026");
    EXPECT_EQ(stepReasons(republic), Reasons({"30.10.2026 | 29.10.2026 Cumhuriyet Bayramı"}));
    // The last Saturday the program computes still rolls to a working day.
    EXPECT_EQ(shown(deadlineOn("25.12.9999", Procedure::Iik).date), "27.12.9999");
}

TEST(Deadline, HolidaysCountFromTheYearTheyBegan) {
    EXPECT_EQ(shown(deadlineOn("01.05.2008", Procedure::Iik).date), "01.05.2008");
    const deadline::LastDay labourDay = deadlineOn("01.05.2009", Procedure::Iik);
    EXPECT_EQ(shown(labourDay.date), "04.05.2009");
    EXPECT_EQ(stepReasons(labourDay), Reasons({"02.05.2009 | 01.05.2009 Emek ve Dayanışma Günü",
                                               "04.05.2009 | 02.05.2009 Cumartesi"}));

    EXPECT_EQ(shown(deadlineOn("15.07.2016", Procedure::Hmk).date), "15.07.2016");
    const deadline::LastDay democracyDay = deadlineOn("15.07.2019", Procedure::Hmk);
    EXPECT_EQ(shown(democracyDay.date), "16.07.2019");
    EXPECT_EQ(stepReasons(democracyDay),
              Reasons({"16.07.2019 | 15.07.2019 Demokrasi ve Millî Birlik Günü"}));
}

TEST(Deadline, JudicialRecess) {
    // Extended to a Saturday: on to the Monday, and the other reading agrees.
    const deadline::LastDay saturdayEnd = deadlineOn("31.08.2024", Procedure::Hmk);
    EXPECT_EQ(shown(saturdayEnd.date), "09.09.2024");
    EXPECT_EQ(stepReasons(saturdayEnd), Reasons({"07.09.2024 | adli tatil (HMK 104): 07.09.2024",
                                                 "09.09.2024 | 07.09.2024 Cumartesi"}));
    ASSERT_EQ(saturdayEnd.notices.size(), 1u);
    EXPECT_TRUE(hasNoticeWith(saturdayEnd, "2017/20-2873"));
    EXPECT_TRUE(hasNoticeWith(saturdayEnd, "aynı son günü"));

    // The first and last days of the recess are in it, the days around are not.
    EXPECT_EQ(shown(deadlineOn("20.07.2026", Procedure::Hmk).date), "07.09.2026");
    EXPECT_EQ(shown(deadlineOn("17.07.2026", Procedure::Hmk).date), "17.07.2026");
    EXPECT_EQ(shown(deadlineOn("01.09.2026", Procedure::Hmk).date), "01.09.2026");

    // The other reading names the day it gives when it differs.
    const deadline::LastDay thursday =
        spanDeadline("17.07.2017", span::Unit::Week, 2, Procedure::Hmk);
    EXPECT_TRUE(hasNoticeWith(thursday, "08.09.2017 Cuma"));

    // A weekend rolling into the recess puts the last day in it after all.
    const deadline::LastDay intoRecess = deadlineOn("19.07.2025", Procedure::Hmk);
    EXPECT_EQ(shown(intoRecess.date), "08.09.2025");
    EXPECT_EQ(stepReasons(intoRecess), Reasons({"21.07.2025 | 19.07.2025 Cumartesi",
                                                "07.09.2025 | adli tatil (HMK 104): 07.09.2025",
                                                "08.09.2025 | 07.09.2025 Pazar"}));

    // Before 2013 the recess had other bounds the program does not hold.
    EXPECT_TRUE(hasNoticeWith(deadlineOn("03.09.2012", Procedure::Hmk), "2013'ten önce"));
    EXPECT_FALSE(hasNoticeWith(deadlineOn("03.09.2012", Procedure::Iik), "2013'ten önce"));
    EXPECT_FALSE(hasNoticeWith(deadlineOn("03.09.2013", Procedure::Hmk), "2013'ten önce"));
}

TEST(Deadline, UrgentMattersIgnoreTheRecess) {
    const deadline::LastDay urgent = deadlineOn("31.07.2017", Procedure::Hmk, true);
    EXPECT_EQ(shown(urgent.date), "31.07.2017");
    EXPECT_TRUE(urgent.steps.empty());
    EXPECT_FALSE(hasNoticeWith(urgent, "2017/20-2873"));

    // Closed days still move an urgent matter.
    const deadline::LastDay urgentHoliday = deadlineOn("30.08.2025", Procedure::Hmk, true);
    EXPECT_EQ(shown(urgentHoliday.date), "01.09.2025");
    EXPECT_EQ(stepReasons(urgentHoliday),
              Reasons({"31.08.2025 | 30.08.2025 Zafer Bayramı", "01.09.2025 | 31.08.2025 Pazar"}));

    // Enforcement is urgent whether marked so or not.
    EXPECT_EQ(shown(deadlineOn("31.07.2017", Procedure::Iik).date), "31.07.2017");
    EXPECT_EQ(shown(deadlineOn("31.07.2017", Procedure::Iik, true).date), "31.07.2017");
}

TEST(Deadline, HalfDaysStayWithANotice) {
    const deadline::LastDay kurbanEve = deadlineOn("05.06.2025", Procedure::Iik);
    EXPECT_EQ(shown(kurbanEve.date), "05.06.2025");
    EXPECT_TRUE(kurbanEve.steps.empty());
    ASSERT_EQ(kurbanEve.notices.size(), 1u);
    EXPECT_TRUE(hasNoticeWith(kurbanEve, "05.06.2025 Kurban Bayramı arifesi"));
    EXPECT_TRUE(hasNoticeWith(kurbanEve, "23.59"));

    const deadline::LastDay republicEve = deadlineOn("28.10.2026", Procedure::Hmk);
    EXPECT_EQ(shown(republicEve.date), "28.10.2026");
    EXPECT_TRUE(hasNoticeWith(republicEve, "28.10.2026 Cumhuriyet Bayramı arifesi"));

    // A weekend rolling onto an eve ends there too.
    const deadline::LastDay rolledToEve = deadlineOn("17.07.2021", Procedure::Hmk, true);
    EXPECT_EQ(shown(rolledToEve.date), "19.07.2021");
    EXPECT_TRUE(hasNoticeWith(rolledToEve, "Kurban Bayramı arifesi"));

    // The eve of a feast day that is not its first is no eve.
    EXPECT_FALSE(deadline::halfDayName(day("01.08.2020")).has_value());
    EXPECT_EQ(deadline::halfDayName(day("19.05.2023")), std::nullopt);
    EXPECT_EQ(deadline::halfDayName(day("20.04.2023")), "Ramazan Bayramı arifesi");
}

TEST(Deadline, YearsOutsideTheTableAreNamed) {
    const deadline::LastDay outside = deadlineOn("03.03.2031", Procedure::Iik);
    EXPECT_EQ(shown(outside.date), "03.03.2031");
    ASSERT_EQ(outside.notices.size(), 1u);
    EXPECT_TRUE(hasNoticeWith(outside, "2031 yılının dinî bayramları"));
    EXPECT_TRUE(hasNoticeWith(outside, "2000–2030"));
    EXPECT_TRUE(hasNoticeWith(deadlineOn("03.03.1999", Procedure::Iik), "1999 yılının"));

    EXPECT_TRUE(deadlineOn("03.03.2030", Procedure::Iik).notices.empty());
    EXPECT_TRUE(deadlineOn("02.01.2020", Procedure::Hmk).notices.empty());
    EXPECT_TRUE(deadlineOn("02.01.2019", Procedure::Hmk).notices.empty());

    // Each year the move crosses is named.
    const deadline::LastDay newYear = deadlineOn("31.12.2033", Procedure::Iik);
    EXPECT_EQ(shown(newYear.date), "02.01.2034");
    EXPECT_TRUE(hasNoticeWith(newYear, "2033 yılının"));
    EXPECT_TRUE(hasNoticeWith(newYear, "2034 yılının"));

    // A year whose feasts are not yet compared with a published source says so.
    EXPECT_TRUE(
        hasNoticeWith(deadlineOn("03.03.2005", Procedure::Iik), "2005 yılının dinî bayram"));
    EXPECT_TRUE(deadline::religiousHolidaysUnverified(2005));
    EXPECT_FALSE(deadline::religiousHolidaysUnverified(2019));
    EXPECT_FALSE(deadline::religiousHolidaysUnverified(2025));
}

TEST(Deadline, CalendarTable) {
    // Every feast of the table has its length and starts on the day after its eve.
    int feastDays = 0;
    for (int y = deadline::FirstReligiousTableYear; y <= deadline::LastReligiousTableYear; ++y) {
        const std::chrono::sys_days first{std::chrono::year{y} / 1 / 1};
        const std::chrono::sys_days last{std::chrono::year{y} / 12 / 31};
        for (std::chrono::sys_days date = first; date <= last; date += std::chrono::days{1}) {
            const auto closed = deadline::closedDay(date);
            if (closed && closed->kind == deadline::ClosedKind::Religious) {
                ++feastDays;
            }
        }
    }
    // 31 years of both feasts, and 2000's second Ramazan Bayramı and 2006's second
    // Kurban Bayramı (running into 2007).
    EXPECT_EQ(feastDays, 31 * (3 + 4) + 3 + 4);
    EXPECT_EQ(deadline::closedDay(day("01.08.2020"))->name, "Kurban Bayramı");
    EXPECT_EQ(deadline::closedDay(day("09.06.2025"))->name, "Kurban Bayramı");
    EXPECT_FALSE(deadline::closedDay(day("10.06.2025")).has_value());
    EXPECT_EQ(deadline::closedDay(day("03.01.2007"))->name, "Kurban Bayramı");
    EXPECT_EQ(deadline::closedDay(day("29.12.2000"))->name, "Ramazan Bayramı");
    EXPECT_FALSE(deadline::closedDay(day("04.01.2007")).has_value());
    EXPECT_EQ(deadline::halfDayName(day("30.12.2006")), "Kurban Bayramı arifesi");
    // Every year of the table has both feasts.
    for (int y = deadline::FirstReligiousTableYear; y <= deadline::LastReligiousTableYear; ++y) {
        bool ramazan = false;
        bool kurban = false;
        const std::chrono::sys_days first{std::chrono::year{y} / 1 / 1};
        for (std::chrono::sys_days date = first; date < first + std::chrono::days{366};
             date += std::chrono::days{1}) {
            if (const auto closed = deadline::closedDay(date)) {
                ramazan = ramazan || closed->name == "Ramazan Bayramı";
                kurban = kurban || closed->name == "Kurban Bayramı";
            }
        }
        EXPECT_TRUE(ramazan && kurban) << y;
    }
    EXPECT_FALSE(deadline::religiousHolidaysKnown(1999));
    EXPECT_TRUE(deadline::religiousHolidaysKnown(2000));
    EXPECT_TRUE(deadline::religiousHolidaysKnown(2020));
    EXPECT_TRUE(deadline::religiousHolidaysKnown(2030));
    EXPECT_FALSE(deadline::religiousHolidaysKnown(2031));
    EXPECT_EQ(deadline::dateWithWeekday(day("07.09.2017")), "07.09.2017 Perşembe");
    EXPECT_EQ(deadline::dateWithWeekday(day("14.02.2026")), "14.02.2026 Cumartesi");
}

TEST(Deadline, ProceduresStepsAndCommonPeriods) {
    EXPECT_EQ(deadline::parseProcedure("hmk"), Procedure::Hmk);
    EXPECT_EQ(deadline::parseProcedure("HMK"), Procedure::Hmk);
    EXPECT_EQ(deadline::parseProcedure("Takvim"), Procedure::Takvim);
    EXPECT_EQ(deadline::parseProcedure("iik"), Procedure::Iik);
    EXPECT_EQ(deadline::parseProcedure("İİK"), Procedure::Iik);
    EXPECT_EQ(deadline::parseProcedure("cmk"), Procedure::Cmk);
    EXPECT_EQ(deadline::procedureName(Procedure::Cmk), "CMK");
    EXPECT_EQ(deadline::parseProcedure("hukuk"), std::nullopt);
    EXPECT_EQ(deadline::parseProcedure(""), std::nullopt);

    const deadline::LastDay saturdayEnd = deadlineOn("31.08.2024", Procedure::Hmk);
    ASSERT_EQ(saturdayEnd.steps.size(), 2u);
    EXPECT_EQ(deadline::stepLine(saturdayEnd.steps[0]),
              "adli tatil (HMK 104): 07.09.2024 Cumartesi");
    EXPECT_EQ(deadline::stepLine(saturdayEnd.steps[1]),
              "07.09.2024 Cumartesi → 09.09.2024 Pazartesi");

    const auto periods = deadline::commonPeriods();
    ASSERT_EQ(periods.size(), 12u);
    EXPECT_EQ(deadline::commonPeriodLabel(periods[0]), "İstinaf (HMK 345): 2 hafta");
    EXPECT_EQ(deadline::commonPeriodLabel(periods[5]), "Kambiyo itiraz/şikâyet (İİK 168): 5 gün");
    EXPECT_EQ(periods[3].procedure, Procedure::Iik);
    EXPECT_EQ(periods[3].unit, span::Unit::Day);
    EXPECT_EQ(periods[3].amount, 7);
    EXPECT_EQ(deadline::commonPeriodLabel(periods[6]), "İstinaf (CMK 273): 2 hafta");
    EXPECT_EQ(deadline::commonPeriodLabel(periods[10]),
              "Temyiz (CMK 291, 01.06.2024 öncesi): 15 gün");
    for (std::size_t i = 6; i < periods.size(); ++i) {
        EXPECT_EQ(periods[i].procedure, Procedure::Cmk) << periods[i].name;
    }
}

} // namespace
