#include "core/rates/ReadyLists.h"

#include "core/rates/HalfYears.h"
#include "core/rates/RateSource.h"
#include "core/rates/RateTables.h"

#include <algorithm>

namespace mirvane::rates {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

constexpr int FirstHalfYearsYear = 2000;

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

std::vector<RateList> readyListsOf(const Table& statutory, const Table& centralBank,
                                   const Table& latePayment) {
    const std::vector<RatePeriod> advance = periodsOf(centralBank, 0);
    // The half-years run as far as the central bank's rates decide them.
    const int lastHalfYearsYear =
        static_cast<int>(std::chrono::year_month_day{centralBank.lastDay}.year());
    return std::vector<RateList>{
        listOf(StatutoryName, periodsOf(statutory, 0)),
        listOf(AdvanceName, advance),
        listOf(DiscountName, periodsOf(centralBank, 1)),
        listOf(CommercialDefaultName,
               commercialDefaultHalfYears(advance, FirstHalfYearsYear, lastHalfYearsYear)),
        listOf(LatePaymentName, periodsOf(latePayment, 0)),
    };
}

const std::vector<RateList>& readyLists() {
    return activeRates().readyLists;
}

const RateList* readyList(std::string_view name) {
    const auto& lists = readyLists();
    const auto found = std::find_if(lists.begin(), lists.end(),
                                    [&](const RateList& list) { return list.Name == name; });
    return found == lists.end() ? nullptr : &*found;
}

const std::vector<RateList>& earlierDefaults() {
    static const std::vector<RateList> lists = [] {
        // The history of the program's own data: it does not follow a package.
        const std::vector<RateList>& own = builtInRates().readyLists;
        std::vector<RateList> earlier{
            leadingPart(own[0], EarlierStatutoryPeriods),
            leadingPart(own[1], EarlierCommercialPeriods),
            leadingPart(own[2], EarlierCommercialPeriods),
        };
        earlier[1].Periods.back().EndDate = EarlierCommercialEnd;
        earlier[2].Periods.back().EndDate = EarlierCommercialEnd;
        return earlier;
    }();
    return lists;
}

} // namespace mirvane::rates
