#include "core/span/DateSpan.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono;
using namespace mirvane;
using span::Unit;

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

Date advanced(Date start, Unit unit, int amount) {
    const Result<Date> result = span::advance(start, unit, amount);
    EXPECT_TRUE(result.ok());
    return result.ok() ? result.value() : Date{};
}

TEST(DateSpan, LeadingAmount) {
    EXPECT_EQ(span::leadingAmount("12"), 12);
    EXPECT_EQ(span::leadingAmount("12a"), 12);
    EXPECT_EQ(span::leadingAmount("a1"), 0);
    EXPECT_EQ(span::leadingAmount(""), 0);
    EXPECT_EQ(span::leadingAmount("007"), 7);
    EXPECT_EQ(span::leadingAmount("1234567890123"), 123456789);
}

TEST(DateSpan, CalendarRules) {
    const Date start = on(2010, 3, 1);
    for (Unit unit : {Unit::Day, Unit::Week, Unit::Month, Unit::Year}) {
        EXPECT_EQ(advanced(start, unit, 0), start);
    }
    EXPECT_EQ(advanced(on(2009, 12, 31), Unit::Day, 1), on(2010, 1, 1));
    EXPECT_EQ(advanced(on(2010, 3, 1), Unit::Week, 2), on(2010, 3, 15));
    EXPECT_EQ(advanced(on(2009, 1, 31), Unit::Month, 1), on(2009, 2, 28));
    EXPECT_EQ(advanced(on(2008, 1, 31), Unit::Month, 1), on(2008, 2, 29));
    EXPECT_EQ(advanced(on(2009, 11, 30), Unit::Month, 3), on(2010, 2, 28));
    EXPECT_EQ(advanced(on(2009, 12, 15), Unit::Month, 1), on(2010, 1, 15));
    EXPECT_EQ(advanced(on(2008, 2, 29), Unit::Year, 1), on(2009, 2, 28));
    EXPECT_EQ(advanced(on(2008, 2, 29), Unit::Year, 4), on(2012, 2, 29));
}

TEST(DateSpan, ResultsAfterTheLastDayFail) {
    const Date last = on(9999, 12, 31);
    for (Unit unit : {Unit::Day, Unit::Week, Unit::Month, Unit::Year}) {
        const Result<Date> result = span::advance(last, unit, 1);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().number, errors::InvalidProcedureCall);
    }
    EXPECT_FALSE(span::advance(on(2000, 1, 1), Unit::Year, 999999999).ok());
    EXPECT_FALSE(span::advance(on(2000, 1, 1), Unit::Month, 999999999).ok());
    EXPECT_FALSE(span::advance(on(2000, 1, 1), Unit::Week, 999999999).ok());
    EXPECT_EQ(advanced(on(9999, 12, 30), Unit::Day, 1), last);
    EXPECT_EQ(advanced(on(9998, 12, 31), Unit::Year, 1), last);
    EXPECT_EQ(advanced(on(9999, 10, 31), Unit::Month, 2), last);
}

TEST(DateSpan, FoundDateText) {
    const auto text = [](std::optional<Date> start, Unit unit, std::string_view amount) {
        const Result<std::string> result = span::foundDateText(start, unit, amount);
        return result.ok() ? result.value() : "error " + std::to_string(result.error().number);
    };
    EXPECT_EQ(text(on(2009, 1, 31), Unit::Month, "1"), "28.02.2009");
    EXPECT_EQ(text(on(2010, 3, 1), Unit::Week, "2"), "15.03.2010");
    EXPECT_EQ(text(on(2010, 3, 1), Unit::Day, "0"), "01.03.2010");
    EXPECT_EQ(text(on(2010, 3, 1), Unit::Day, "x"), "01.03.2010");
    EXPECT_EQ(text(on(2010, 3, 1), Unit::Day, ""), "");
    EXPECT_EQ(text(std::nullopt, Unit::Day, "5"), "");
    EXPECT_EQ(text(on(9999, 12, 31), Unit::Day, "1"), "error 5");
}

} // namespace
