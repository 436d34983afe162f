#pragma once

// The texts of a claim file and its result as the window shows them and the reports
// print them: amounts in the Turkish money form, the names of item kinds and set-off
// buckets, the summary lines and the cells of the slices and set-off tables.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"
#include "core/text/TextForms.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirvane::claim {

// The amount a user typed ("1.234,5", "1500", blanks around allowed) in kuruş;
// nullopt for anything that is not an amount of at most two decimals within
// MaxAmount.
std::optional<Kurus> parseKurus(std::string_view text);

// "Anapara", "Masraf", "Vekalet ücreti".
std::string_view itemKindTitle(ItemKind kind);
// "Masraf", "Vekalet ücreti", "Faiz", "Anapara".
std::string_view bucketTitle(Bucket bucket);
// "Masraf → Vekalet ücreti → Faiz → Anapara".
std::string setOffOrderText(const std::vector<Bucket>& order);

// The rate of a principal item: the list's name, or "Sabit %30".
std::string rateText(const RateSource& rate);

// The cells of a row of the list of items, `row` counted from 0: its number, kind,
// description, amount, date (the interest start of a principal item) and rate (of a
// principal item only).
std::array<std::string, 6> itemCells(const Item& item, std::size_t row);
// The cells of a row of the list of payments: its number, date, amount, description.
std::array<std::string, 4> paymentCells(const Payment& payment, std::size_t row);

// The summary in its order: principal left, unpaid interest, unpaid costs, unpaid
// fee, balance, interest before filing (işlemiş faiz), after it, the filing total
// (when there is one) and the overpayment; each as (label, amount text).
std::vector<std::pair<std::string, std::string>> summaryLines(const ClaimResult& result);

// What the filing total holds, in one line beside it.
inline constexpr std::string_view FilingTotalNote =
    "Takip tutarı: kalan anapara, takip tarihine kadar işlemiş faiz ve takip tarihinden önceki "
    "masraf ve vekalet ücreti; takip günü ve sonrasındaki masraf ve vekalet ücreti takip "
    "dosyasına aittir.";

// "Kalem", "Başlangıç", "Bitiş", "Gün", "Oran (%)", "Matrah", "Faiz".
const std::array<std::string_view, 7>& sliceHeaders();
std::array<std::string, 7> sliceCells(const Slice& slice);

// "Tarih", "Ödenen", "Masraf", "Vekalet", "Faiz", "Anapara", "Kalan Anapara",
// "Fazla".
const std::array<std::string_view, 8>& setOffHeaders();
std::array<std::string, 8> setOffCells(const SetOff& setOff);

} // namespace mirvane::claim
