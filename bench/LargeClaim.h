#pragma once

// The large claim the benchmarks share: 50 items (44 principal items on the avans list,
// 3 costs, 3 fees) and 1.000 partial payments over 1990-2020, computed to the end of 2025.

#include "core/claim/ClaimFile.h"
#include "core/rates/ReadyLists.h"

#include <chrono>

namespace mirvane::bench {

using namespace std::chrono;
using namespace mirvane::claim;

inline ClaimFile largeClaim() {
    const std::string avans(mirvane::rates::AdvanceName);
    ClaimFile file;
    file.title = "Büyük dosya";
    file.calculationDate = sys_days{2025y / December / 31};
    file.filingDate = sys_days{2005y / June / 15};
    file.lists[avans] = mirvane::rates::readyList(avans)->Periods;
    const mirvane::Date first = sys_days{1990y / January / 1};
    for (int index = 0; index < 50; ++index) {
        const mirvane::Date date = first + days{index * 97};
        const Kurus amount = 1'000'000 + index * 12'345;
        if (index % 17 == 5) {
            file.items.push_back(
                {ItemKind::Costs, "Masraf", amount / 10, std::nullopt, FixedRate{}, date});
        } else if (index % 17 == 11) {
            file.items.push_back(
                {ItemKind::Fee, "Vekalet", amount / 5, std::nullopt, FixedRate{}, date});
        } else {
            file.items.push_back(
                {ItemKind::Principal, "Fatura", amount, date, ListRate{avans}, std::nullopt});
        }
    }
    for (int index = 0; index < 1000; ++index) {
        file.payments.push_back({first + days{30 + index * 11}, 75'000 + index * 10, ""});
    }
    return file;
}

} // namespace mirvane::bench
