#include "core/claim/ClaimEngine.h"

#include "core/claim/ClaimExample.h"
#include "core/interest/InterestEngine.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"
#include "tests/core/LongArithmetic.h"
#include "tests/support/ReportLines.h"
#include "tests/support/WorkedExample.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace mirvane::claim {
namespace {

namespace worked = mirvane::testing::worked;
using testing::computed;

using namespace std::chrono;

constexpr Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

Item principal(Kurus amount, Date start, RateSource rate) {
    return {ItemKind::Principal, "Anapara", amount, start, std::move(rate), std::nullopt};
}

Item charge(ItemKind kind, Kurus amount, Date due) {
    return {kind, kind == ItemKind::Costs ? "Masraf" : "Vekalet", amount, std::nullopt, FixedRate{},
            due};
}

Kurus sliceInterest(const ClaimResult& result, int item) {
    Kurus sum = 0;
    for (const Slice& slice : result.slices) {
        sum += slice.item == item ? slice.interest : 0;
    }
    return sum;
}

// The days of each principal item's slices cover its whole span, without gap or overlap.
void expectChained(const ClaimFile& file, const ClaimResult& result) {
    for (std::size_t index = 0; index < file.items.size(); ++index) {
        const Item& item = file.items[index];
        if (item.kind != ItemKind::Principal) {
            continue;
        }
        std::optional<Date> last;
        std::int64_t days = 0;
        for (const Slice& slice : result.slices) {
            if (slice.item != static_cast<int>(index) + 1) {
                continue;
            }
            EXPECT_EQ(slice.start, last.value_or(*item.interestStart));
            EXPECT_GT(slice.days, 0);
            EXPECT_EQ(slice.days, (slice.end - slice.start).count());
            days += slice.days;
            last = slice.end;
        }
        EXPECT_EQ(days,
                  std::max<std::int64_t>(0, (file.calculationDate - *item.interestStart).count()))
            << "item " << index + 1;
    }
}

TEST(ClaimWorkedExample, SetsOffCostsFeeAndInterestBeforePrincipal) {
    const ClaimFile file = workedExample();
    const ClaimResult result = computed(file);
    ASSERT_EQ(result.setOffs.size(), 2u);
    const SetOff& first = result.setOffs[0];
    EXPECT_EQ(first.costs, 150'000);
    EXPECT_EQ(first.fee, 1'200'000);
    EXPECT_EQ(first.interest, 576'165);
    EXPECT_EQ(first.principal, 2'073'835);
    EXPECT_EQ(first.remainingPrincipal, 7'926'165);
    const SetOff& second = result.setOffs[1];
    EXPECT_EQ(second.costs + second.fee, 0);
    EXPECT_EQ(second.interest, 479'479);
    EXPECT_EQ(second.principal, 2'520'521);
    EXPECT_EQ(second.remainingPrincipal, 5'405'644);
    EXPECT_EQ(result.unpaidInterest, 323'450);
    EXPECT_EQ(result.balance, 5'729'094);
    EXPECT_EQ(result.interestBeforeFiling, 147'945);
    EXPECT_EQ(result.interestAfterFiling, 224'384 + 203'836 + 479'479 + 323'450);
    EXPECT_EQ(result.filingTotal, 10'000'000 + 147'945);
    EXPECT_EQ(result.overpaid, 0);
    EXPECT_TRUE(result.notices.empty());
    // Payments first to principal give 54.686,31; interest on interest after filing
    // gives 57.362,13.
    EXPECT_NE(result.balance, 5'468'631);
    EXPECT_NE(result.balance, 5'736'213);
}

TEST(ClaimWorkedExample, SlicesCutAtFilingListEndAndPayments) {
    const ClaimFile file = workedExample();
    const ClaimResult result = computed(file);
    struct Expected {
        Date start, end;
        double rate;
        std::int64_t days;
        Kurus base, interest;
        bool afterFiling;
    };
    const std::vector<Expected> expected{
        {on(2024, 1, 1), on(2024, 3, 1), 9, 60, 10'000'000, 147'945, false},
        {on(2024, 3, 1), on(2024, 5, 31), 9, 91, 10'000'000, 224'384, true},
        {on(2024, 5, 31), on(2024, 7, 1), 24, 31, 10'000'000, 203'836, true},
        {on(2024, 7, 1), on(2024, 10, 1), 24, 92, 7'926'165, 479'479, true},
        {on(2024, 10, 1), on(2024, 12, 31), 24, 91, 5'405'644, 323'450, true},
    };
    ASSERT_EQ(result.slices.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Slice& slice = result.slices[i];
        EXPECT_EQ(slice.item, 1);
        EXPECT_EQ(slice.start, expected[i].start) << i;
        EXPECT_EQ(slice.end, expected[i].end) << i;
        EXPECT_EQ(slice.rate, expected[i].rate) << i;
        EXPECT_EQ(slice.days, expected[i].days) << i;
        EXPECT_EQ(slice.base, expected[i].base) << i;
        EXPECT_EQ(slice.interest, expected[i].interest) << i;
        EXPECT_EQ(slice.afterFiling, expected[i].afterFiling) << i;
    }
    expectChained(file, result);
}

TEST(ClaimSetOffOrder, EveryPermutationKeepsTheBucketsAndTheirSums) {
    ClaimFile file = workedExample();
    std::vector<Bucket> order{Bucket::Costs, Bucket::Fee, Bucket::Interest, Bucket::Principal};
    std::sort(order.begin(), order.end());
    int permutations = 0;
    do {
        ++permutations;
        file.setOffOrder = order;
        const ClaimResult result = computed(file);
        ASSERT_EQ(result.setOffs.size(), 2u);
        for (const SetOff& entry : result.setOffs) {
            EXPECT_EQ(entry.costs + entry.fee + entry.interest + entry.principal + entry.overpaid,
                      entry.amount);
        }
        EXPECT_EQ(result.remainingPrincipal + result.unpaidInterest + result.unpaidCosts +
                      result.unpaidFee,
                  result.balance);
        // Each payment covers costs, fee and the interest due, so among those three the
        // order changes the labels only; principal first is the careless answer.
        if (order.back() == Bucket::Principal) {
            EXPECT_EQ(result.setOffs[0].costs, 150'000);
            EXPECT_EQ(result.setOffs[0].fee, 1'200'000);
            EXPECT_EQ(result.setOffs[0].interest, 576'165);
            EXPECT_EQ(result.balance, 5'729'094);
        }
        if (order.front() == Bucket::Principal) {
            EXPECT_EQ(result.setOffs[0].principal, 4'000'000);
            EXPECT_EQ(result.balance, 5'468'631);
        }
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(permutations, 24);
}

TEST(ClaimSetOffOrder, ASmallPaymentFollowsTheOrderGiven) {
    ClaimFile file = workedExample();
    file.payments = {{on(2024, 7, 1), 1'000'000, ""}};
    file.setOffOrder = {Bucket::Principal, Bucket::Interest, Bucket::Fee, Bucket::Costs};
    ClaimResult result = computed(file);
    EXPECT_EQ(result.setOffs[0].principal, 1'000'000);
    EXPECT_EQ(result.setOffs[0].interest, 0);
    file.setOffOrder = {Bucket::Interest, Bucket::Principal, Bucket::Fee, Bucket::Costs};
    result = computed(file);
    EXPECT_EQ(result.setOffs[0].interest, 576'165);
    EXPECT_EQ(result.setOffs[0].principal, 1'000'000 - 576'165);
    file.setOffOrder = {Bucket::Fee, Bucket::Costs, Bucket::Interest, Bucket::Principal};
    result = computed(file);
    EXPECT_EQ(result.setOffs[0].fee, 1'000'000);
    EXPECT_EQ(result.unpaidFee, 200'000);
    EXPECT_EQ(result.unpaidCosts, 150'000);
}

// The advance list as earlier versions wrote it, ending 31.12.2020.
const std::vector<RatePeriod>& avansPeriods() {
    return rates::earlierDefaults().at(1).Periods;
}

TEST(ClaimSeveralItems, EachItemRunsOnItsOwnListOrFixedRate) {
    ClaimFile file = workedExample();
    const std::string statutory = file.lists.begin()->first;
    const std::string avans = "Ticari Alacaklar (Reeskont-Avans)";
    file.lists[avans] = avansPeriods();
    file.filingDate.reset();
    file.payments.clear();
    file.calculationDate = on(2021, 3, 31);
    file.items = {principal(10'000'000, on(2020, 1, 1), ListRate{statutory}),
                  principal(5'000'000, on(2020, 3, 15), FixedRate{30}),
                  charge(ItemKind::Costs, 10'000, on(2020, 1, 1)),
                  principal(2'000'000, on(2019, 10, 1), ListRate{avans})};
    const ClaimResult result = computed(file);
    // 364 days to the end of the old statutory list, 91 after it, both at 9 %.
    EXPECT_EQ(sliceInterest(result, 1), 897'534 + 224'384);
    EXPECT_EQ(sliceInterest(result, 2), 1'565'753); // 381 days at 30 %
    // 9 days at 19,5 %, 71 at 18,25 %, then 467 at 13,75 % run on past the list's end.
    EXPECT_EQ(sliceInterest(result, 4), 9'616 + 71'000 + 351'849);
    EXPECT_EQ(sliceInterest(result, 3), 0);
    EXPECT_EQ(result.unpaidInterest, 897'534 + 224'384 + 1'565'753 + 9'616 + 71'000 + 351'849);
    EXPECT_EQ(result.balance, 17'000'000 + 10'000 + result.unpaidInterest);
    EXPECT_EQ(result.interestBeforeFiling, result.unpaidInterest);
    EXPECT_EQ(result.interestAfterFiling, 0);
    EXPECT_FALSE(result.filingTotal);
    ASSERT_EQ(result.staleLists.size(), 1u);
    EXPECT_EQ(result.staleLists[0].name, avans);
    EXPECT_EQ(result.staleLists[0].listEnd, on(2020, 12, 31));
    // The stale list, then the fixed 30 %, which no published rate of 15.03.2020 was.
    ASSERT_EQ(result.notices.size(), 2u);
    EXPECT_NE(result.notices[0].find("31.12.2020"), std::string::npos);
    EXPECT_NE(result.notices[1].find("2. kalemin sabit oranı (%30)"), std::string::npos);
    expectChained(file, result);
    ASSERT_EQ(result.items.size(), 4u);
    EXPECT_EQ(result.items[2].remaining, 10'000);
}

TEST(ClaimOverpayment, IsReportedNeverDropped) {
    ClaimFile file = workedExample();
    file.payments.push_back({on(2024, 12, 31), 10'000'000, "Son ödeme"});
    const ClaimResult result = computed(file);
    const SetOff& last = result.setOffs.back();
    EXPECT_EQ(last.interest, 323'450);
    EXPECT_EQ(last.principal, 5'405'644);
    EXPECT_EQ(last.overpaid, 10'000'000 - 5'729'094);
    EXPECT_EQ(last.remainingPrincipal, 0);
    EXPECT_EQ(result.overpaid, 10'000'000 - 5'729'094);
    EXPECT_EQ(result.balance, 0);
    ASSERT_FALSE(result.notices.empty());
    EXPECT_NE(result.notices.back().find("42.709,06"), std::string::npos);

    // Past fifteen significant digits the notice still names the overpayment to the kuruş.
    file.payments = {{on(2024, 7, 1), MaxAmount - 1, ""}, {on(2024, 10, 1), MaxAmount - 1, ""}};
    const ClaimResult large = computed(file);
    EXPECT_EQ(large.overpaid, 2 * (MaxAmount - 1) - 11'926'165);
    EXPECT_NE(large.notices.back().find("19.999.999.880.738,33 TL"), std::string::npos)
        << large.notices.back();
}

TEST(ClaimOverpayment, APaidOffItemEarnsNoMoreAndLaterPaymentsAreLeftOver) {
    ClaimFile file = workedExample();
    file.payments = {{on(2024, 1, 1), 20'000'000, ""}, {on(2024, 2, 1), 500, ""}};
    const ClaimResult result = computed(file);
    // Costs and fee are not due yet on 01.01.2024: the principal alone is paid.
    EXPECT_EQ(result.setOffs[0].principal, 10'000'000);
    EXPECT_EQ(result.setOffs[0].overpaid, 10'000'000);
    EXPECT_EQ(result.setOffs[1].overpaid, 500);
    EXPECT_EQ(result.overpaid, 10'000'500);
    EXPECT_EQ(result.unpaidInterest, 0);
    EXPECT_EQ(result.unpaidCosts + result.unpaidFee, 1'350'000);
    EXPECT_EQ(result.balance, 1'350'000);
    expectChained(file, result);
}

TEST(ClaimPaymentDates, OnTheLastDayOfAPeriodAndOnTheFilingDate) {
    ClaimFile file = workedExample();
    file.payments = {{on(2024, 3, 1), 2'000'000, ""},
                     {on(2024, 5, 31), 1'000'000, ""},
                     {on(2024, 6, 1), 1'000'000, ""}};
    const ClaimResult result = computed(file);
    // On the filing date: costs, fee, the 60 days' interest, then principal.
    const SetOff& filed = result.setOffs[0];
    EXPECT_EQ(filed.costs + filed.fee, 1'350'000);
    EXPECT_EQ(filed.interest, 147'945);
    EXPECT_EQ(filed.principal, 502'055);
    EXPECT_EQ(result.interestBeforeFiling, 147'945);
    EXPECT_EQ(result.filingTotal, 9'497'945);
    // 31.05.2024 is the 9 % period's last day, 01.06.2024 the 24 % period's first.
    ASSERT_GE(result.slices.size(), 4u);
    EXPECT_EQ(result.slices[1].start, on(2024, 3, 1));
    EXPECT_EQ(result.slices[1].end, on(2024, 5, 31));
    EXPECT_EQ(result.slices[1].base, 9'497'945);
    EXPECT_EQ(result.slices[1].interest, 213'118); // 91 days at 9 %
    EXPECT_EQ(result.setOffs[1].interest, 213'118);
    EXPECT_EQ(result.slices[2].start, on(2024, 5, 31));
    EXPECT_EQ(result.slices[2].end, on(2024, 6, 1));
    EXPECT_EQ(result.slices[2].rate, 24);
    EXPECT_EQ(result.slices[2].days, 1);
    EXPECT_EQ(result.slices[2].base, 9'497'945 - (1'000'000 - 213'118));
    expectChained(file, result);
}

TEST(ClaimPaymentDates, SameDayPaymentsGoInFileOrderAfterOneAccrual) {
    ClaimFile file = workedExample();
    file.payments = {{on(2024, 10, 1), 3'000'000, "b"},
                     {on(2024, 7, 1), 4'000'000, "a"},
                     {on(2024, 10, 1), 1, "c"}};
    const ClaimResult result = computed(file);
    ASSERT_EQ(result.setOffs.size(), 3u);
    EXPECT_EQ(result.setOffs[0].payment, 2);
    EXPECT_EQ(result.setOffs[1].payment, 1);
    EXPECT_EQ(result.setOffs[2].payment, 3);
    EXPECT_EQ(result.setOffs[1].interest, 479'479);
    EXPECT_EQ(result.setOffs[2].principal, 1);
    EXPECT_EQ(result.remainingPrincipal, 5'405'643);
    expectChained(file, result);
}

// Random files: whatever the items, lists, dates and payments, the slices chain, each
// slice's rate is its list's rate on the slice's last day, every payment is split to
// the kuruş and the balance is the sum of what is left.
// Near the amount limit a slice's interest is still the exact kuruş: earlier versions
// computed it in double precision and were off by a few kuruş from about 10^12 TL on.
TEST(ClaimInvariants, ASliceIsExactToTheKurusAtAnySize) {
    ClaimFile file = workedExample();
    file.filingDate.reset();
    file.payments.clear();
    file.calculationDate = on(1997, 8, 2);
    file.items = {principal(896'540'031'579'008, on(1989, 5, 12), FixedRate{57}),
                  principal(MaxAmount, on(1990, 11, 30), FixedRate{89.384}),
                  principal(MaxAmount - 1, on(1995, 3, 1), FixedRate{999.99})};
    std::mt19937_64 random(10'000'000'000'000);
    for (int round = 0; round < 60; ++round) {
        file.items.push_back(principal(
            std::uniform_int_distribution<Kurus>(1'000'000'000'000, MaxAmount)(random),
            on(1990, 1, 1) + days{round * 40}, FixedRate{double(round % 7) * 7.25 + 0.5}));
    }
    for (const int dayBasis : {365, 360}) {
        file.dayBasis = dayBasis;
        const ClaimResult result = computed(file);
        ASSERT_EQ(result.slices.size(), file.items.size());
        for (const Slice& slice : result.slices) {
            const std::string base = text::formatCents(slice.base);
            std::string plainBase =
                std::to_string(slice.base / 100) + "." + base.substr(base.size() - 2);
            std::string rate = text::formatGeneralNumber(slice.rate);
            std::replace(rate.begin(), rate.end(), ',', '.');
            EXPECT_EQ(std::to_string(slice.interest),
                      longarithmetic::interestKurus(plainBase, rate, slice.days, dayBasis))
                << "kalem " << slice.item << ", " << dayBasis;
        }
    }
    // The second item as it was seen: 89,384 % for 2437 days on 10^13 TL.
    file.dayBasis = 365;
    EXPECT_EQ(text::formatCents(computed(file).slices[1].interest), "59.679.125.479.452,05");
}

TEST(ClaimInvariants, HoldOnRandomFiles) {
    std::mt19937 random(20241231);
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const std::string avans = "Ticari Alacaklar (Reeskont-Avans)";
    for (int round = 0; round < 200; ++round) {
        ClaimFile file;
        file.lists[avans] = avansPeriods();
        file.calculationDate = on(2022, 1, 1) + days{between(0, 400)};
        file.dayBasis = between(0, 1) ? 365 : 360;
        if (between(0, 1)) {
            file.filingDate = on(2018, 1, 1) + days{between(0, 1800)};
        }
        const int items = between(1, 5);
        for (int i = 0; i < items; ++i) {
            const Date start = on(2015, 1, 1) + days{between(0, 2500)};
            const Kurus amount = between(1, 50'000'000);
            if (between(0, 3) == 0) {
                file.items.push_back(
                    charge(between(0, 1) ? ItemKind::Costs : ItemKind::Fee, amount, start));
            } else if (between(0, 1)) {
                file.items.push_back(principal(amount, start, ListRate{avans}));
            } else {
                file.items.push_back(principal(amount, start, FixedRate{between(1, 800) / 8.0}));
            }
        }
        file.items.push_back(principal(between(1, 9'000'000), on(2016, 1, 1), FixedRate{9}));
        for (int p = between(0, 12); p > 0; --p) {
            file.payments.push_back(
                {on(2015, 6, 1) + days{between(0, 2370)}, between(1, 20'000'000), ""});
        }
        const ClaimResult result = computed(file);
        expectChained(file, result);
        for (const Slice& slice : result.slices) {
            const Item& item = file.items[static_cast<std::size_t>(slice.item) - 1];
            if (std::holds_alternative<ListRate>(item.rate)) {
                const auto& periods = avansPeriods();
                const auto holder =
                    std::find_if(periods.begin(), periods.end(),
                                 [&](const auto& p) { return p.EndDate >= slice.end; });
                EXPECT_EQ(slice.rate, holder == periods.end() ? periods.back().Rate : holder->Rate);
                if (holder != periods.end()) {
                    EXPECT_GE(slice.start + days{1}, holder->StartDate);
                }
            }
        }
        Kurus paid = 0;
        for (const SetOff& entry : result.setOffs) {
            EXPECT_EQ(entry.costs + entry.fee + entry.interest + entry.principal + entry.overpaid,
                      entry.amount);
            EXPECT_GE(std::min({entry.costs, entry.fee, entry.interest, entry.principal}), 0);
            paid += entry.amount - entry.overpaid;
        }
        Kurus claimed = 0;
        Kurus accrued = 0;
        for (const ItemBalance& item : result.items) {
            claimed += item.amount;
            accrued += item.interest;
        }
        EXPECT_EQ(result.interestBeforeFiling + result.interestAfterFiling, accrued);
        EXPECT_EQ(result.balance, claimed + accrued - paid);
        EXPECT_EQ(result.balance, result.remainingPrincipal + result.unpaidInterest +
                                      result.unpaidCosts + result.unpaidFee);
    }
}

// The request for enforcement claims the costs incurred before filing; costs and fees
// dated on the filing day or later belong to the file. The worked example's costs and
// fee are dated on the filing day, so its filing total is principal and interest alone.
TEST(ClaimFilingTotal, HoldsCostsAndFeesDatedBeforeTheFilingDay) {
    const Kurus principalAndInterest = 10'000'000 + 147'945;
    EXPECT_EQ(computed(workedExample()).filingTotal, principalAndInterest);
    EXPECT_EQ(text::formatCents(*computed(workedExample()).filingTotal), worked::FilingTotal);

    const Date filing = on(2024, 3, 1);
    ClaimFile file = workedExample();
    file.items.push_back(charge(ItemKind::Costs, 35'000, filing - days{20})); // protest
    file.items.push_back(charge(ItemKind::Fee, 250'000, filing - days{1}));   // notice
    file.items.push_back(charge(ItemKind::Costs, 40'000, filing));            // on the day
    file.items.push_back(charge(ItemKind::Costs, 60'000, filing + days{1}));  // after it
    ClaimResult result = computed(file);
    EXPECT_EQ(result.filingTotal, principalAndInterest + 35'000 + 250'000);
    // A cost paid off before filing is no longer claimed by the request.
    file.payments.insert(file.payments.begin(), {filing - days{5}, 35'000, "Protesto gideri"});
    result = computed(file);
    EXPECT_EQ(result.setOffs[0].costs, 35'000);
    EXPECT_EQ(result.filingTotal, principalAndInterest + 250'000);
}

// A date typed wrongly is taken as it stands, and the item or payment concerned is
// named: an interest start after the calculation date earns nothing, a payment before
// every interest start is set off from the first day.
TEST(ClaimDateNotices, NameTheItemAndThePaymentAndKeepTheCalculation) {
    ClaimFile file = workedExample();
    file.items.push_back(
        principal(15'000'000, on(2025, 4, 1), ListRate{file.lists.begin()->first}));
    file.items.back().description = "Kira";
    file.payments.push_back({on(2023, 11, 30), 500'000, "Havale"});
    const ClaimResult result = computed(file);
    ASSERT_GE(result.notices.size(), 2u);
    EXPECT_EQ(result.notices[0],
              "Uyarı: 4. kalemin (Kira) faiz başlangıcı (01.04.2025) hesap tarihinden "
              "(31.12.2024) sonra; bu kaleme faiz işlemedi. Tarihi denetleyin.");
    EXPECT_EQ(result.notices[1],
              "Uyarı: 3. ödemenin tarihi (30.11.2023; 5.000,00 TL; Havale) bütün faiz "
              "başlangıçlarından önce; ödeme ana paradan baştan düşüldü. Tarihi denetleyin.");
    EXPECT_EQ(sliceInterest(result, 4), 0);
    EXPECT_EQ(result.items[3].remaining, 15'000'000);
    ASSERT_EQ(result.setOffs.size(), 3u);
    EXPECT_EQ(result.setOffs[0].payment, 3);
    EXPECT_EQ(result.setOffs[0].principal, 500'000);

    // Dates in order give no notice; a payment on the first interest start is no typo.
    ClaimFile ordered = workedExample();
    ordered.payments.push_back({on(2024, 1, 1), 100, ""});
    EXPECT_TRUE(computed(ordered).notices.empty());
}

// A ready list as the program carries it ends on the day its rates were checked: past
// that day its last rate is the latest known, said plainly. A list that ends earlier,
// or one whose rates the user changed, is still warned of.
TEST(ClaimRateNotes, AReadyListEndingOnItsCheckDayIsNoWarning) {
    const RateList& avans = *rates::readyList(rates::AdvanceName);
    ClaimFile file = workedExample();
    file.lists = {{avans.Name, avans.Periods}};
    file.items[0].rate = ListRate{avans.Name};
    file.filingDate.reset();
    file.payments.clear();
    file.calculationDate = on(2027, 2, 1);
    ClaimResult result = computed(file);
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_EQ(result.notes[0], "Oranlar " + text::formatDate(avans.Periods.back().EndDate) +
                                   " tarihine kadar denetlendi; sonrası için son oran (%" +
                                   text::formatGeneralNumber(avans.Periods.back().Rate) +
                                   ") uygulandı.");
    EXPECT_TRUE(result.notices.empty());
    EXPECT_EQ(result.staleLists.size(), 1u);

    file.lists[avans.Name].back().Rate += 1;
    result = computed(file);
    EXPECT_TRUE(result.notes.empty());
    ASSERT_EQ(result.notices.size(), 1u);
    EXPECT_NE(result.notices[0].find("Oranlar değiştiyse"), std::string::npos);

    file.lists[avans.Name] = avansPeriods();
    result = computed(file);
    EXPECT_TRUE(result.notes.empty());
    EXPECT_EQ(result.notices.size(), 1u);
}

} // namespace
} // namespace mirvane::claim
