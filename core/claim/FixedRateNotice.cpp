#include "core/claim/FixedRateNotice.h"

#include "core/rates/HalfYears.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <cmath>

namespace mirvane::claim {

namespace {

// Rates are typed with at most a few decimals; a difference below this is the
// binary form of the same decimal.
constexpr double SameRate = 1e-9;

bool anyReadyListHas(double percent, Date day) {
    const std::vector<RateList>& lists = rates::readyLists();
    return std::any_of(lists.begin(), lists.end(), [&](const RateList& list) {
        const std::optional<double> rate = rates::rateOn(list.Periods, day);
        return rate && std::fabs(*rate - percent) < SameRate;
    });
}

} // namespace

std::vector<std::string> fixedRateNotices(const ClaimFile& file) {
    std::vector<std::string> notices;
    for (std::size_t index = 0; index < file.items.size(); ++index) {
        const Item& item = file.items[index];
        const auto* fixed = std::get_if<FixedRate>(&item.rate);
        if (item.kind != ItemKind::Principal || !fixed || !item.interestStart ||
            anyReadyListHas(fixed->percent, *item.interestStart)) {
            continue;
        }
        notices.push_back("Uyarı: " + std::to_string(index + 1) + ". kalemin sabit oranı (%" +
                          text::formatGeneralNumber(fixed->percent) + ") faiz başlangıcında (" +
                          text::formatDate(*item.interestStart) +
                          ") yürürlükte olan kanuni, ticari ya da gecikme faizi oranlarının "
                          "hiçbirine eşit değil; hesap süresince değişmeden uygulandı. O günün "
                          "kanuni ya da ticari oranına eşit bir oran, o türden değişen oranlı "
                          "faiz olarak okunur (Yargıtay 12. HD 2015/23402 E.).");
    }
    return notices;
}

} // namespace mirvane::claim
