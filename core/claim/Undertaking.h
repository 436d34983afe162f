#pragma once

// The terms of a payment undertaking (İİK 111) as a claim file keeps them (its
// "taahhut" block): the day the debtor signs, a down payment on that day, the number
// of instalments, the first due date and the interval, and either equal instalments
// or the amounts the parties agreed. core/plan computes the plan from them.

#include "core/ratelist/RateList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mirvane::claim {

enum class PlanInterval { Month, Week }; // "ay", "hafta"

// The most instalments a plan may have (30 years of monthly payments).
inline constexpr int MaxInstalments = 360;

struct Undertaking {
    Date date;                                   // "tarih": the day the debtor undertakes to pay
    std::int64_t downPayment = 0;                // "pesinat", in kuruş, paid on `date`; 0 for none
    int count = 1;                               // "taksit_sayisi"
    Date firstDue;                               // "ilk_vade"
    PlanInterval interval = PlanInterval::Month; // "aralik"
    // "tutarlar": the agreed amounts in kuruş, one per instalment; empty for equal
    // instalments ("tutarlar": null).
    std::vector<std::int64_t> amounts;
    // The parties and the enforcement file, printed on the undertaking when given.
    std::string creditor;   // "alacakli"
    std::string debtor;     // "borclu"
    std::string fileNumber; // "dosya_no"

    friend bool operator==(const Undertaking&, const Undertaking&) = default;
};

} // namespace mirvane::claim
