#pragma once

// Alternative calculations ("seçenekli hesap"): where the result turns on a legal
// question the judge decides (the rate type, the half-yearly rule, the interest
// start, the day basis), each answer is computed as a whole claim of its own, with
// every rule of the main calculation, and set beside it.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace mirvane::claim {

// Each alternative of the file computed: the file with its change applied
// (withChange()) run through compute(). In the order of the file's alternatives.
std::vector<ClaimOutcome> computeAlternatives(const ClaimFile& file);

// The rows of the comparison: "Bakiye", "Kalan anapara", "Ödenmemiş faiz", "İşlemiş
// faiz (takipten önce)", "Takip sonrası faiz", "Takip tutarı".
const std::vector<std::string_view>& comparisonLabels();
// One column of the comparison, row by row; "—" where there is no filing total.
std::vector<std::string> comparisonCells(const ClaimResult& result);

// The header of an alternative's column: its name, or "Seçenek N" (N from 1).
std::string alternativeTitle(const Alternative& alternative, std::size_t index);

// What a change does, in words: "1. kalemin oranı: Ticari Alacaklar (Reeskont-Avans);
// gün esası: yıl 360 gün".
std::string changeText(const ClaimFile& file, const Change& change);

// "bakiye ana hesaptan 33.196,88 TL fazla", "... eksik" or "bakiye ana hesapla aynı".
std::string balanceDifferenceText(Kurus mainBalance, Kurus alternativeBalance);

// The alternatives an expert is most often asked for.
enum class UsualAlternative {
    Statutory,          // "Kanuni faiz"
    AdvanceEveryChange, // "Reeskont-avans, her değişiklik"
    HalfYearly,         // "3095 m.2/2 altı aylık"
    DayBasis360,        // "360 gün"
};
inline constexpr UsualAlternative UsualAlternatives[] = {
    UsualAlternative::Statutory, UsualAlternative::AdvanceEveryChange, UsualAlternative::HalfYearly,
    UsualAlternative::DayBasis360};

std::string_view usualAlternativeName(UsualAlternative kind);

// The usual alternative for `file`: every principal item's rate changed to the ready
// list, or the day basis to 360. The list's copy comes with copyMissingLists().
Alternative usualAlternative(UsualAlternative kind, const ClaimFile& file);

} // namespace mirvane::claim
