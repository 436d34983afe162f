#include "rates/ReadyLists.h"

#include "rates/HalfYears.h"
#include "rates/RateTables.h"

#include <algorithm>

namespace mirvane::rates {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

constexpr int FirstHalfYearsYear = 2000;
constexpr int LastHalfYearsYear = 2026;

// Where the lists of earlier versions ended.
constexpr std::size_t EarlierStatutoryPeriods = 12;
constexpr std::size_t EarlierCommercialPeriods = 36;
const Date EarlierCommercialEnd = year{2020} / month{12} / day{31};

RateList listOf(std::string_view name, std::vector<RatePeriod> periods) {
    return RateList{std::string(name), std::move(periods)};
}

RateList leadingPart(const RateList& list, std::size_t count) {
    return RateList{list.Name, {list.Periods.begin(), list.Periods.begin() + count}};
}

} // namespace

const std::vector<RateList>& readyLists() {
    static const std::vector<RateList> lists = [] {
        const std::vector<RatePeriod> advance = periodsOf(centralBankTable(), 0);
        return std::vector<RateList>{
            listOf(StatutoryName, periodsOf(statutoryTable(), 0)),
            listOf(AdvanceName, advance),
            listOf(DiscountName, periodsOf(centralBankTable(), 1)),
            listOf(CommercialDefaultName,
                   commercialDefaultHalfYears(advance, FirstHalfYearsYear, LastHalfYearsYear)),
            listOf(LatePaymentName, periodsOf(latePaymentTable(), 0)),
        };
    }();
    return lists;
}

const RateList* readyList(std::string_view name) {
    const auto& lists = readyLists();
    const auto found = std::find_if(lists.begin(), lists.end(),
                                    [&](const RateList& list) { return list.Name == name; });
    return found == lists.end() ? nullptr : &*found;
}

const std::vector<RateList>& earlierDefaults() {
    static const std::vector<RateList> lists = [] {
        std::vector<RateList> earlier{
            leadingPart(readyLists()[0], EarlierStatutoryPeriods),
            leadingPart(readyLists()[1], EarlierCommercialPeriods),
            leadingPart(readyLists()[2], EarlierCommercialPeriods),
        };
        earlier[1].Periods.back().EndDate = EarlierCommercialEnd;
        earlier[2].Periods.back().EndDate = EarlierCommercialEnd;
        return earlier;
    }();
    return lists;
}

} // namespace mirvane::rates
