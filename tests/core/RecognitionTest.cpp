#include "core/rates/Recognition.h"

#include "core/rates/ReadyLists.h"

#include <gtest/gtest.h>

using namespace mirvane;
using namespace std::chrono;

namespace {

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

const RateList& ready(std::string_view name) {
    return *rates::readyList(name);
}

} // namespace

// The lists earlier versions wrote are recognised and brought to the current lists.
TEST(Recognition, EarlierDefaultListsAreBroughtCurrent) {
    const std::vector<std::pair<std::size_t, std::size_t>> expected{{12, 3}, {35, 16}, {35, 16}};
    for (std::size_t k = 0; k < 3; ++k) {
        const RateList& earlier = rates::earlierDefaults()[k];
        const auto recognition = rates::recognise(earlier.Periods);
        ASSERT_TRUE(recognition.has_value()) << earlier.Name;
        EXPECT_EQ(recognition->series, &ready(earlier.Name));
        EXPECT_EQ(recognition->firstDifference, expected[k].first) << earlier.Name;
        EXPECT_EQ(recognition->changed, expected[k].second) << earlier.Name;
        EXPECT_EQ(recognition->proposal, ready(earlier.Name).Periods);
    }
    EXPECT_EQ(rates::recognitionText(rates::earlierDefaults()[1].Periods),
              "Listeyi \"Ticari Alacaklar (Reeskont-Avans)\" hazır listesinin güncel "
              "oranlarıyla günceller: 36. dönemden başlayarak 16 dönem değişir.");

    for (const RateList& current : rates::readyLists()) {
        const auto recognition = rates::recognise(current.Periods);
        ASSERT_TRUE(recognition.has_value()) << current.Name;
        EXPECT_EQ(recognition->series, &current);
        EXPECT_EQ(recognition->changed, 0u);
        EXPECT_EQ(recognition->proposal, current.Periods);
    }
    EXPECT_EQ(rates::recognitionText(ready(rates::LatePaymentName).Periods),
              "Liste, \"Ticari Gecikme Faizi (TTK 1530)\" hazır listesiyle güncel.");
}

// A leading part of a ready list, its last period ending early, keeps the user's
// descriptions for the periods that stay.
TEST(Recognition, LeadingPartsKeepTheUsersDescriptions) {
    std::vector<RatePeriod> typed(ready(rates::StatutoryName).Periods.begin(),
                                  ready(rates::StatutoryName).Periods.begin() + 13);
    typed[0].Description = "kendi notum";
    typed.back().EndDate = on(2023, 3, 15);
    const auto recognition = rates::recognise(typed);
    ASSERT_TRUE(recognition.has_value());
    EXPECT_EQ(recognition->firstDifference, 12u);
    EXPECT_EQ(recognition->changed, 3u);
    ASSERT_EQ(recognition->proposal.size(), 15u);
    EXPECT_EQ(recognition->proposal[0].Description, "kendi notum");
    EXPECT_EQ(recognition->proposal[12], ready(rates::StatutoryName).Periods[12]);

    // A rate typed in the window ("13,75") equals the table's.
    std::vector<RatePeriod> oneHalfYear{ready(rates::CommercialDefaultName).Periods[0]};
    oneHalfYear[0].Rate = 70.0000000001;
    EXPECT_TRUE(rates::recognise(oneHalfYear).has_value());
}

TEST(Recognition, HandTypedDeparturesAreNamed) {
    std::vector<RatePeriod> departs = rates::earlierDefaults()[1].Periods;
    departs[4].Rate = 66;
    EXPECT_FALSE(rates::recognise(departs).has_value());
    const auto found = rates::departure(departs);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->series, &ready(rates::AdvanceName));
    EXPECT_EQ(found->period, 4u);
    EXPECT_EQ(rates::recognitionText(departs),
              "Liste tanınmadı: 5. dönem (27.01.1994–20.04.1994, %66) \"Ticari Alacaklar "
              "(Reeskont-Avans)\" hazır listesinin 5. döneminden (27.01.1994–20.04.1994, %65) "
              "farklı.");

    // The last period running past the ready list's own last period.
    std::vector<RatePeriod> longer = ready(rates::LatePaymentName).Periods;
    longer.back().EndDate = on(2027, 12, 31);
    EXPECT_FALSE(rates::recognise(longer).has_value());
    EXPECT_EQ(rates::departure(longer)->period, 5u);

    // More periods than the ready list has.
    longer = ready(rates::LatePaymentName).Periods;
    longer.push_back({on(2027, 1, 1), on(2027, 12, 31), 40, ""});
    EXPECT_FALSE(rates::recognise(longer).has_value());
    EXPECT_EQ(rates::recognitionText(longer), "Liste tanınmadı: 7. dönem \"Ticari Gecikme "
                                              "Faizi (TTK 1530)\" hazır listesinde yok.");

    // Nothing in common, or nothing at all.
    const std::vector<RatePeriod> own{{on(2015, 1, 1), on(2015, 12, 31), 12, ""}};
    EXPECT_FALSE(rates::recognise(own).has_value());
    EXPECT_FALSE(rates::departure(own).has_value());
    EXPECT_EQ(rates::recognitionText(own),
              "Liste tanınmadı: ilk dönemi hiçbir hazır listenin ilk dönemiyle aynı değil.");
    EXPECT_FALSE(rates::recognise({}).has_value());
    EXPECT_EQ(rates::recognitionText({}), "Liste tanınmadı: listede dönem yok.");
}
