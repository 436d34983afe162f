#include "core/plan/PlanTexts.h"

#include "core/claim/ClaimTexts.h"
#include "core/deadline/Calendar.h"
#include "core/text/TextForms.h"

namespace mirvane::plan {

namespace {

std::string money(Kurus amount) {
    return text::formatCents(amount);
}

std::string itemLabel(const DebtItem& item) {
    std::string label =
        std::to_string(item.item) + ". kalem, " + std::string(claim::itemKindTitle(item.kind));
    if (!item.description.empty()) {
        label += " (" + item.description + ")";
    }
    return label;
}

} // namespace

std::string_view intervalName(claim::PlanInterval interval) {
    return interval == claim::PlanInterval::Week ? "hafta" : "ay";
}

std::optional<claim::PlanInterval> intervalNamed(std::string_view name) {
    if (name == "ay") {
        return claim::PlanInterval::Month;
    }
    if (name == "hafta") {
        return claim::PlanInterval::Week;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> debtLines(const Debt& debt) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (const DebtItem& item : debt.items) {
        if (item.kind == claim::ItemKind::Principal) {
            lines.emplace_back(itemLabel(item), money(item.remaining));
        }
    }
    lines.emplace_back("Takipten önceki faiz (işlemiş faiz), ödenmemiş",
                       money(debt.interestBeforeFiling));
    lines.emplace_back("Takipten taahhüt tarihine kadar faiz, ödenmemiş",
                       money(debt.interestAfterFiling));
    for (const DebtItem& item : debt.items) {
        if (item.kind != claim::ItemKind::Principal) {
            lines.emplace_back(itemLabel(item), money(item.remaining));
        }
    }
    if (debt.hasCharges && debt.costs == 0 && debt.fee == 0) {
        lines.emplace_back("Masraf ve vekalet ücreti", "ödendi");
    }
    lines.emplace_back("Taahhüt tarihindeki borç (" + text::formatDate(debt.date) + ")",
                       money(debt.total));
    return lines;
}

const std::array<std::string_view, InstalmentColumns>& instalmentHeaders() {
    static const std::array<std::string_view, InstalmentColumns> headers{
        "No",       "Vade",  "Kaydırma nedeni", "Taksit",        "İşleyen faiz", "Masrafa",
        "Vekalete", "Faize", "Anaparaya",       "Kalan anapara", "Fazla"};
    return headers;
}

std::array<std::string, InstalmentColumns> instalmentCells(const Instalment& instalment) {
    return {instalment.number == 0 ? std::string("Peşinat") : std::to_string(instalment.number),
            deadline::dateWithWeekday(instalment.due),
            instalment.reason,
            money(instalment.amount),
            money(instalment.interest),
            money(instalment.costs),
            money(instalment.fee),
            money(instalment.interestPaid),
            money(instalment.principal),
            money(instalment.remainingPrincipal),
            money(instalment.overpaid)};
}

std::vector<const Instalment*> payments(const Plan& plan) {
    std::vector<const Instalment*> all;
    if (plan.downPayment) {
        all.push_back(&*plan.downPayment);
    }
    for (const Instalment& instalment : plan.instalments) {
        all.push_back(&instalment);
    }
    return all;
}

std::vector<std::pair<std::string, std::string>> totalLines(const Plan& plan) {
    std::vector<std::pair<std::string, std::string>> lines{
        {"Taahhüt tarihindeki borç", money(plan.debt.total)},
        {"Taahhütten ödeme günlerine kadar faiz", money(plan.interestAfterUndertaking)},
        {"Toplam ödenecek", money(plan.total)},
    };
    if (plan.unpaidAtEnd > 0) {
        lines.emplace_back("Son vadeden sonra ödenmemiş kalan", money(plan.unpaidAtEnd));
    }
    if (plan.overpaid > 0) {
        lines.emplace_back("Borçtan fazla ödenen", money(plan.overpaid));
    }
    return lines;
}

std::string totalSentence(const Plan& plan) {
    return "Toplam " + money(plan.total) + " TL (yazıyla: " + plan.totalInWords + ")";
}

std::vector<std::pair<std::string, std::string>> termLines(const Plan& plan) {
    const claim::Undertaking& terms = plan.terms;
    std::vector<std::pair<std::string, std::string>> lines{
        {"Taahhüt tarihi", text::formatDate(terms.date)},
    };
    if (terms.downPayment > 0) {
        lines.emplace_back("Peşinat", money(terms.downPayment) + " TL");
    }
    lines.emplace_back("Taksit sayısı",
                       std::to_string(terms.count) +
                           (plan.equal ? " (eşit taksit)" : " (girilen tutarlar)"));
    lines.emplace_back("İlk vade", text::formatDate(terms.firstDue));
    lines.emplace_back("Aralık", terms.interval == claim::PlanInterval::Week ? "1 hafta" : "1 ay");
    return lines;
}

std::vector<std::string> legalBasisLines(const claim::ClaimFile& file) {
    return {
        "İİK 111: Borçlu, borcunu taksitle ödemeyi icra dairesinde taahhüt eder; taksitlerin "
        "tutarı ve ödeme günleri belirli olmalıdır. Vadeler, İİK 19 uyarınca tatil gününe "
        "rastlarsa izleyen ilk iş gününe geçer (adli tatil vadeleri etkilemez).",
        "TBK 100: Her taksit, ödendiği gün işlemiş faiz ve giderlerden başlayarak " +
            claim::setOffOrderText(file.setOffOrder) +
            " sırasıyla mahsup edilir; kalan anaparaya faiz bir sonraki ödeme gününe kadar "
            "işlemeye devam eder (basit faiz, 3095 s. K. m.3, TBK 121).",
        "Faiz her kalem için kendi oranıyla, " +
            std::string(file.dayBasis == 360 ? "yıl 360 gün" : "yıl 365 gün") +
            " esasıyla hesaplanmıştır; takipten önceki faiz, takipten taahhüde kadarki faiz ve "
            "taahhütten ödeme günlerine kadarki faiz ayrı ayrı gösterilmiştir.",
    };
}

} // namespace mirvane::plan
