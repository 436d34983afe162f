#include "claim/ClaimExample.h"

#include "ratelist/DefaultLists.h"

namespace mirvane::claim {

namespace {

using namespace std::chrono;

constexpr std::string_view StatutoryName = "Adi Alacaklar (Kanuni Faiz)";

// The statutory list as it stands today: the program's own periods, the last of which
// ends 30.12.2020, then the rates set since.
std::vector<RatePeriod> currentStatutoryPeriods() {
    std::vector<RatePeriod> periods;
    for (const RateList& list : defaults::lists()) {
        if (list.Name == StatutoryName) {
            periods = list.Periods;
        }
    }
    periods.push_back({sys_days{2020y / December / 31}, sys_days{2024y / May / 31}, 9,
                       "Bakanlar Kurulu Kararı 2005/9831"});
    periods.push_back({sys_days{2024y / June / 1}, sys_days{2026y / July / 30}, 24,
                       "Cumhurbaşkanı Kararı 8485, RG 21.05.2024/32552"});
    periods.push_back({sys_days{2026y / July / 31}, sys_days{2026y / December / 31}, 31,
                       "7589 sayılı Kanun m.10, RG 31.07.2026/33326"});
    return periods;
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
