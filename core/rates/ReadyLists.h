#pragma once

// The ready lists built from the published rate tables, and the lists earlier
// versions of the program wrote into an empty list folder.

#include "core/ratelist/RateList.h"
#include "core/rates/RateTables.h"

#include <string_view>
#include <vector>

namespace mirvane::rates {

inline constexpr std::string_view StatutoryName = "Adi Alacaklar (Kanuni Faiz)";
inline constexpr std::string_view AdvanceName = "Ticari Alacaklar (Reeskont-Avans)";
inline constexpr std::string_view DiscountName = "Ticari Alacaklar (Reeskont-İskonto)";
inline constexpr std::string_view CommercialDefaultName =
    "Ticari Temerrüt Faizi (3095 m.2-2, 6 aylık)";
inline constexpr std::string_view LatePaymentName = "Ticari Gecikme Faizi (TTK 1530)";

// The five ready lists of a set of tables, in this order: statutory, advance, discount,
// commercial default (half-yearly from 2000), late payment (2021 on).
std::vector<RateList> readyListsOf(const Table& statutory, const Table& centralBank,
                                   const Table& latePayment);

// The ready lists of the data in use.
const std::vector<RateList>& readyLists();

// The ready list of that name, or nullptr.
const RateList* readyList(std::string_view name);

// The statutory, advance and discount lists as earlier versions wrote them: the
// tables' periods up to the end of 2020, the commercial lists' last period running
// on to 31.12.2020 over the change of 13.06.2020 they missed.
const std::vector<RateList>& earlierDefaults();

} // namespace mirvane::rates
