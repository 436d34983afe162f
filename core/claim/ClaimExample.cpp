#include "claim/ClaimExample.h"

#include "rates/ReadyLists.h"

namespace mirvane::claim {

namespace {

using namespace std::chrono;
using rates::StatutoryName;

// The statutory list as it stands today, rates set since 2020 included.
std::vector<RatePeriod> currentStatutoryPeriods() {
    return rates::readyList(StatutoryName)->Periods;
}

} // namespace

ClaimFile workedExample() {
    ClaimFile file;
    file.title = "Örnek: İstanbul 5. İcra Dairesi 2024/1234";
    file.calculationDate = sys_days{2024y / December / 31};
    file.filingDate = sys_days{2024y / March / 1};
    file.items = {
        {ItemKind::Principal, "Fatura", 10'000'000, sys_days{2024y / January / 1},
         ListRate{std::string(StatutoryName)}, std::nullopt},
        {ItemKind::Costs, "Takip giderleri", 150'000, std::nullopt, FixedRate{},
         sys_days{2024y / March / 1}},
        {ItemKind::Fee, "Vekalet ücreti", 1'200'000, std::nullopt, FixedRate{},
         sys_days{2024y / March / 1}},
    };
    file.payments = {
        {sys_days{2024y / July / 1}, 4'000'000, "Kısmi ödeme"},
        {sys_days{2024y / October / 1}, 3'000'000, "Kısmi ödeme"},
    };
    file.lists.emplace(std::string(StatutoryName), currentStatutoryPeriods());
    return file;
}

} // namespace mirvane::claim
