#include "core/text/Amount.h"

#include "tests/support/AmountCases.h"

#include <gtest/gtest.h>

namespace mirvane::testing {
namespace {

TEST(Amount, ReadsTheSharedTable) {
    for (const AmountCase& amount : AmountCases) {
        EXPECT_EQ(text::parseAmount(amount.text), amount.value) << amount.text;
    }
    EXPECT_EQ(text::parseAmount(""), std::nullopt);
    EXPECT_EQ(text::parseAmount("   "), std::nullopt);
}

// What the principal field lets stand while the user types: texts that are no
// amount yet stay visible (and are refused by the calculation), but nothing that
// could never be one, and no digit past the limit.
TEST(Amount, InProgressHoldsOnlyDigitsCommasAndFullStops) {
    for (const char* typing : {"", ",", " , ", "12,", "1.234,5", "1,250,000", "1.23,5",
                               "123456789012345", "1.000,5000000000000000"}) {
        EXPECT_TRUE(text::isAmountInProgress(typing)) << typing;
    }
    for (const char* refused : {"12a", "-5", "1 2", "1234567890123456", "1,234567890123456"}) {
        EXPECT_FALSE(text::isAmountInProgress(refused)) << refused;
    }
}

// A digit typed into or deleted from a grouped amount moves the full stops.
TEST(Amount, RegroupsAfterAnEditInAGroupedAmount) {
    EXPECT_EQ(text::regroupAmount("1.23,50"), "123,50");
    EXPECT_EQ(text::regroupAmount("1.2345,50"), "12.345,50");
    EXPECT_EQ(text::regroupAmount("12.34.567"), "1.234.567");
    EXPECT_EQ(text::regroupAmount("1234"), "1.234");
    EXPECT_EQ(text::regroupAmount(",5"), ",5");
    EXPECT_EQ(text::regroupAmount("1.2,3,4"), std::nullopt);
    EXPECT_EQ(text::regroupAmount("1.2a"), std::nullopt);
}

} // namespace
} // namespace mirvane::testing
