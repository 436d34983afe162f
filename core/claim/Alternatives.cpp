#include "core/claim/Alternatives.h"

#include "core/claim/ClaimTexts.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"

namespace mirvane::claim {

std::vector<ClaimOutcome> computeAlternatives(const ClaimFile& file) {
    std::vector<ClaimOutcome> outcomes;
    outcomes.reserve(file.alternatives.size());
    for (const Alternative& alternative : file.alternatives) {
        outcomes.push_back(compute(withChange(file, alternative.change)));
    }
    return outcomes;
}

const std::vector<std::string_view>& comparisonLabels() {
    static const std::vector<std::string_view> labels{
        "Bakiye",
        "Kalan anapara",
        "Ödenmemiş faiz",
        "İşlemiş faiz (takipten önce)",
        "Takip sonrası faiz",
        "Takip tutarı",
    };
    return labels;
}

std::vector<std::string> comparisonCells(const ClaimResult& result) {
    return {text::formatCents(result.balance),
            text::formatCents(result.remainingPrincipal),
            text::formatCents(result.unpaidInterest),
            text::formatCents(result.interestBeforeFiling),
            text::formatCents(result.interestAfterFiling),
            result.filingTotal ? text::formatCents(*result.filingTotal) : std::string("—")};
}

std::string alternativeTitle(const Alternative& alternative, std::size_t index) {
    return alternative.name.empty() ? "Seçenek " + std::to_string(index + 1) : alternative.name;
}

std::string changeText(const ClaimFile& file, const Change& change) {
    std::vector<std::string> parts;
    for (const ItemChange& item : change.items) {
        const std::string number = std::to_string(item.item) + ". kalemin";
        if (item.rate) {
            parts.push_back(number + " oranı: " + rateText(*item.rate));
        }
        if (item.interestStart) {
            parts.push_back(number + " faiz başlangıcı: " + text::formatDate(*item.interestStart));
        }
    }
    if (change.dayBasis && *change.dayBasis != file.dayBasis) {
        parts.push_back("gün esası: yıl " + std::to_string(*change.dayBasis) + " gün");
    } else if (change.dayBasis) {
        parts.push_back("gün esası: yıl " + std::to_string(*change.dayBasis) + " gün (aynı)");
    }
    if (change.filingDate) {
        parts.push_back("takip tarihi: " + text::formatDate(*change.filingDate));
    }
    if (change.setOffOrder) {
        parts.push_back("mahsup sırası: " + setOffOrderText(*change.setOffOrder));
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : "; ") + part;
    }
    return text;
}

std::string balanceDifferenceText(Kurus mainBalance, Kurus alternativeBalance) {
    if (alternativeBalance == mainBalance) {
        return "bakiye ana hesapla aynı";
    }
    const bool more = alternativeBalance > mainBalance;
    const Kurus difference =
        more ? alternativeBalance - mainBalance : mainBalance - alternativeBalance;
    return "bakiye ana hesaptan " + text::formatCents(difference) + " TL " +
           (more ? "fazla" : "eksik");
}

std::string_view usualAlternativeName(UsualAlternative kind) {
    switch (kind) {
    case UsualAlternative::Statutory:
        return "Kanuni faiz";
    case UsualAlternative::AdvanceEveryChange:
        return "Reeskont-avans, her değişiklik";
    case UsualAlternative::HalfYearly:
        return "3095 m.2/2 altı aylık";
    case UsualAlternative::DayBasis360:
        break;
    }
    return "360 gün";
}

namespace {

std::string_view usualReason(UsualAlternative kind) {
    switch (kind) {
    case UsualAlternative::Statutory:
        return "Alacak ticari sayılmazsa: 3095 sayılı Kanun m. 1 uyarınca kanuni faiz.";
    case UsualAlternative::AdvanceEveryChange:
        return "Ticari işte temerrüt faizi: avans oranı, her değişikliği kendi tarihinden "
               "(3095 m. 2/1).";
    case UsualAlternative::HalfYearly:
        return "Ticari işte temerrüt faizi: avans oranı altı aylık dönemlerle (3095 m. 2/2).";
    case UsualAlternative::DayBasis360:
        break;
    }
    return "Taraflar yılı 360 gün saymayı kararlaştırmışsa.";
}

std::string_view usualList(UsualAlternative kind) {
    switch (kind) {
    case UsualAlternative::Statutory:
        return rates::StatutoryName;
    case UsualAlternative::AdvanceEveryChange:
        return rates::AdvanceName;
    case UsualAlternative::HalfYearly:
        return rates::CommercialDefaultName;
    case UsualAlternative::DayBasis360:
        break;
    }
    return {};
}

} // namespace

Alternative usualAlternative(UsualAlternative kind, const ClaimFile& file) {
    Alternative alternative;
    alternative.name = usualAlternativeName(kind);
    alternative.reason = usualReason(kind);
    if (kind == UsualAlternative::DayBasis360) {
        alternative.change.dayBasis = 360;
        return alternative;
    }
    const ListRate list{std::string(usualList(kind))};
    for (std::size_t index = 0; index < file.items.size(); ++index) {
        if (file.items[index].kind == ItemKind::Principal) {
            alternative.change.items.push_back(
                {static_cast<std::int64_t>(index) + 1, list, std::nullopt});
        }
    }
    return alternative;
}

} // namespace mirvane::claim
