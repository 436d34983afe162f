#include "core/deadline/CommonPeriods.h"

#include <array>

namespace mirvane::deadline {

namespace {

using span::Unit;

// The criminal periods are those of Law 7499, in force since 01.06.2024 (two weeks from
// service of the reasoned decision); the earlier ones stay for decisions before that day.
constexpr std::array<CommonPeriod, 12> Periods{{
    {"İstinaf (HMK 345)", 2, Unit::Week, Procedure::Hmk},
    {"Temyiz (HMK 361)", 2, Unit::Week, Procedure::Hmk},
    {"Cevap dilekçesi (HMK 127)", 2, Unit::Week, Procedure::Hmk},
    {"Ödeme emrine itiraz (İİK 62)", 7, Unit::Day, Procedure::Iik},
    {"Şikâyet (İİK 16)", 7, Unit::Day, Procedure::Iik},
    {"Kambiyo itiraz/şikâyet (İİK 168)", 5, Unit::Day, Procedure::Iik},
    {"İstinaf (CMK 273)", 2, Unit::Week, Procedure::Cmk},
    {"Temyiz (CMK 291)", 2, Unit::Week, Procedure::Cmk},
    {"İtiraz (CMK 268)", 2, Unit::Week, Procedure::Cmk},
    {"İstinaf (CMK 273, 01.06.2024 öncesi)", 7, Unit::Day, Procedure::Cmk},
    {"Temyiz (CMK 291, 01.06.2024 öncesi)", 15, Unit::Day, Procedure::Cmk},
    {"İtiraz (CMK 268, 01.06.2024 öncesi)", 7, Unit::Day, Procedure::Cmk},
}};

std::string_view unitWord(Unit unit) {
    switch (unit) {
    case Unit::Day:
        return "gün";
    case Unit::Week:
        return "hafta";
    case Unit::Month:
        return "ay";
    case Unit::Year:
        return "yıl";
    }
    return "gün";
}

} // namespace

std::span<const CommonPeriod> commonPeriods() {
    return Periods;
}

std::string commonPeriodLabel(const CommonPeriod& period) {
    return std::string(period.name) + ": " + std::to_string(period.amount) + " " +
           std::string(unitWord(period.unit));
}

} // namespace mirvane::deadline
