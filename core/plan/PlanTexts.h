#pragma once

// The texts of a payment plan as the window shows it, the reports print it and the
// command line writes it: the lines of the debt at T, the cells of the instalment
// table, the totals and the legal basis.

#include "core/plan/PaymentPlan.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirvane::plan {

inline constexpr std::string_view UndertakingTitle = "Ödeme Taahhüdü";

// "ay", "hafta" as the file and the command line write the interval; and back.
std::string_view intervalName(claim::PlanInterval interval);
std::optional<claim::PlanInterval> intervalNamed(std::string_view name);

// The debt at T as (label, amount text): each principal item, the unpaid interest
// before filing and from filing to T, each unpaid cost and fee item, the total.
std::vector<std::pair<std::string, std::string>> debtLines(const Debt& debt);

// "No", "Vade", "Kaydırma nedeni", "Taksit", "İşleyen faiz", "Masrafa", "Vekalete",
// "Faize", "Anaparaya", "Kalan anapara", "Fazla".
inline constexpr std::size_t InstalmentColumns = 11;
const std::array<std::string_view, InstalmentColumns>& instalmentHeaders();
// The down payment's number reads "Peşinat"; the due date carries its weekday.
std::array<std::string, InstalmentColumns> instalmentCells(const Instalment& instalment);

// Every payment of the plan in order: the down payment first when there is one.
std::vector<const Instalment*> payments(const Plan& plan);

// The totals under the table: the interest after T, the total to pay, and for typed
// amounts what is left unpaid or overpaid on the last day.
std::vector<std::pair<std::string, std::string>> totalLines(const Plan& plan);

// "Toplam 61.280,24 TL (yazıyla: altmış bir bin ... kuruş)".
std::string totalSentence(const Plan& plan);

// The plan's terms in one line each: date, down payment, instalments, interval.
std::vector<std::pair<std::string, std::string>> termLines(const Plan& plan);

// The legal basis: İİK 111 (the undertaking and its working-day due dates) and
// TBK 100 (how each instalment is set off).
std::vector<std::string> legalBasisLines(const claim::ClaimFile& file);

} // namespace mirvane::plan
