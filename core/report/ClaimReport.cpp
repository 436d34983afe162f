#include "core/report/ClaimReport.h"

#include "core/claim/ClaimTexts.h"
#include "core/interest/Breakdown.h"
#include "core/rates/RateSource.h"
#include "core/report/ClaimSections.h"
#include "core/report/ReportTexts.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <numeric>

namespace mirvane::report {

namespace sections {

std::string dateOrNone(const std::optional<Date>& date) {
    return date ? text::formatDate(*date) : std::string("yok");
}

void addInputs(Document& document, const claim::ClaimFile& file, Date reportDate) {
    auto& blocks = document.blocks;
    blocks.push_back(Heading{std::string(ClaimReportTitle), 1});
    if (!file.title.empty()) {
        blocks.push_back(Paragraph{"Dosya: " + file.title});
    }
    blocks.push_back(Paragraph{"Rapor tarihi: " + text::formatDate(reportDate)});
    blocks.push_back(Paragraph{"Hesap tarihi: " + text::formatDate(file.calculationDate)});
    blocks.push_back(Paragraph{"Takip tarihi: " + dateOrNone(file.filingDate)});
    blocks.push_back(Paragraph{"Gün esası: " + dayBasisText(file.dayBasis)});
    blocks.push_back(Paragraph{"Mahsup sırası: " + claim::setOffOrderText(file.setOffOrder)});

    blocks.push_back(Heading{"Alacak kalemleri", 2});
    Table items{{{"No", Align::Centre, 0.5},
                 {"Tür", Align::Left, 1.2},
                 {"Açıklama", Align::Left, 2.4, true},
                 {"Tutar (TL)", Align::Right, 1.4},
                 {"Tarih / faiz başlangıcı", Align::Left, 1.4},
                 {"Oran", Align::Left, 2.2, true}},
                {}};
    for (std::size_t i = 0; i < file.items.size(); ++i) {
        const claim::Item& item = file.items[i];
        const bool principal = item.kind == claim::ItemKind::Principal;
        items.rows.push_back({std::to_string(i + 1), std::string(claim::itemKindTitle(item.kind)),
                              item.description, text::formatCents(item.amount),
                              dateOrNone(principal ? item.interestStart : item.date),
                              principal ? claim::rateText(item.rate) : std::string("—")});
    }
    blocks.push_back(std::move(items));

    blocks.push_back(Heading{"Ödemeler", 2});
    if (file.payments.empty()) {
        blocks.push_back(Paragraph{"Ödeme yok."});
        return;
    }
    Table payments{{{"No", Align::Centre, 0.5},
                    {"Tarih", Align::Left, 1.2},
                    {"Tutar (TL)", Align::Right, 1.4},
                    {"Açıklama", Align::Left, 4.0, true}},
                   {}};
    for (std::size_t i = 0; i < file.payments.size(); ++i) {
        const claim::Payment& payment = file.payments[i];
        payments.rows.push_back({std::to_string(i + 1), text::formatDate(payment.date),
                                 text::formatCents(payment.amount), payment.description});
    }
    blocks.push_back(std::move(payments));
}

void addSummary(Document& document, const claim::ClaimResult& result) {
    document.blocks.push_back(Heading{"Özet", 2});
    Table summary{{{"", Align::Left, 3, true}, {"Tutar (TL)", Align::Right, 1.5}}, {}};
    for (auto& [label, amount] : claim::summaryLines(result)) {
        summary.rows.push_back({label, amount});
    }
    document.blocks.push_back(std::move(summary));
    if (result.filingTotal) {
        document.blocks.push_back(Paragraph{std::string(claim::FilingTotalNote)});
    }
}

void addSlices(Document& document, const claim::ClaimResult& result) {
    document.blocks.push_back(Heading{"Faiz dilimleri", 2});
    const auto& headers = claim::sliceHeaders();
    const Align aligns[] = {Align::Centre, Align::Left,  Align::Left, Align::Right,
                            Align::Right,  Align::Right, Align::Right};
    const double widths[] = {0.6, 1.2, 1.2, 0.7, 0.8, 1.5, 1.3};
    Table slices;
    for (std::size_t c = 0; c < headers.size(); ++c) {
        slices.columns.push_back({std::string(headers[c]), aligns[c], widths[c]});
    }
    claim::Kurus total = 0;
    for (const claim::Slice& slice : result.slices) {
        const auto cells = claim::sliceCells(slice);
        slices.rows.emplace_back(cells.begin(), cells.end());
        total += slice.interest;
    }
    slices.rows.push_back({"", "", "", "", "", "Toplam", text::formatCents(total)});
    slices.lastRowBold = true;
    document.blocks.push_back(std::move(slices));
    document.blocks.push_back(Paragraph{std::string(breakdown::StartDayNote)});
}

void addSetOffs(Document& document, const claim::ClaimResult& result) {
    if (result.setOffs.empty()) {
        return;
    }
    document.blocks.push_back(Heading{"Mahsup", 2});
    // The overpayment column only where a payment left something over.
    const bool overpaid = std::any_of(result.setOffs.begin(), result.setOffs.end(),
                                      [](const claim::SetOff& s) { return s.overpaid != 0; });
    const auto& headers = claim::setOffHeaders();
    const std::size_t columns = overpaid ? headers.size() : headers.size() - 1;
    Table table;
    for (std::size_t c = 0; c < columns; ++c) {
        table.columns.push_back(
            {std::string(headers[c]), c == 0 ? Align::Left : Align::Right, c == 0 ? 1.1 : 1.3});
    }
    for (const claim::SetOff& setOff : result.setOffs) {
        const auto cells = claim::setOffCells(setOff);
        table.rows.emplace_back(cells.begin(), cells.begin() + std::ptrdiff_t(columns));
    }
    document.blocks.push_back(std::move(table));
}

void addLegalBasis(Document& document, const claim::ClaimFile& file) {
    document.blocks.push_back(Heading{"Hukuki dayanak", 2});
    for (std::string& line : legalBasisLines(file.dayBasis, !file.payments.empty())) {
        document.blocks.push_back(Paragraph{std::move(line)});
    }
}

// The periods of each list that the slices reached, with their sources; fixed rates
// are named with their items.
void addRateSources(Document& document, const claim::ClaimFile& file,
                    const claim::ClaimResult& result) {
    document.blocks.push_back(Heading{"Uygulanan oranlar ve kaynakları", 2});
    // Lists only an alternative names belong to that alternative's tables.
    const auto itemUses = [&file](const std::string& name) {
        return std::any_of(file.items.begin(), file.items.end(), [&name](const claim::Item& item) {
            const auto* rate = std::get_if<claim::ListRate>(&item.rate);
            return item.kind == claim::ItemKind::Principal && rate && rate->name == name;
        });
    };
    for (const std::string& name : claim::listsUsed(file)) {
        const auto list = file.lists.find(name);
        if (list == file.lists.end() || !itemUses(name)) {
            continue;
        }
        std::optional<Date> from;
        std::optional<Date> to;
        for (const claim::Slice& slice : result.slices) {
            const claim::Item& item = file.items.at(std::size_t(slice.item) - 1);
            const auto* rate = std::get_if<claim::ListRate>(&item.rate);
            if (!rate || rate->name != name) {
                continue;
            }
            from = from ? std::min(*from, slice.start) : slice.start;
            to = to ? std::max(*to, slice.end) : slice.end;
        }
        document.blocks.push_back(Paragraph{name});
        Table periods{ratePeriodColumns(), {}};
        const auto& all = list->second;
        for (std::size_t k = 0; k < all.size(); ++k) {
            const bool reached = from && to && all[k].EndDate > *from && all[k].StartDate <= *to;
            // The last period runs on past the list's end.
            const bool runOn = to && k + 1 == all.size() && all[k].EndDate < *to;
            if (!reached && !runOn) {
                continue;
            }
            const auto cells = breakdown::periodCells(int(k) + 1, all[k]);
            periods.rows.emplace_back(cells.begin(), cells.end());
        }
        document.blocks.push_back(std::move(periods));
    }
    for (std::size_t i = 0; i < file.items.size(); ++i) {
        const claim::Item& item = file.items[i];
        if (item.kind == claim::ItemKind::Principal &&
            std::holds_alternative<claim::FixedRate>(item.rate)) {
            document.blocks.push_back(Paragraph{"Kalem " + std::to_string(i + 1) + ": " +
                                                claim::rateText(item.rate) +
                                                " (taraflarca belirlenen sabit oran)"});
        }
    }
    for (const std::string& note : result.notes) {
        document.blocks.push_back(Paragraph{note});
    }
    // Which of the program's rate data stood behind the ready lists that day.
    document.blocks.push_back(Paragraph{rates::rateDataLine() + "."});
}

void addNotices(Document& document, const claim::ClaimResult& result) {
    if (result.notices.empty()) {
        return;
    }
    document.blocks.push_back(Heading{"Uyarılar", 2});
    for (const std::string& notice : result.notices) {
        document.blocks.push_back(Paragraph{notice, true});
    }
}

} // namespace sections

using namespace sections;

Document claimReport(const claim::ClaimFile& file, const claim::ClaimResult& result,
                     Date reportDate) {
    if (file.report || !file.alternatives.empty()) {
        return expertReport(file, result, reportDate);
    }
    Document document{std::string(ClaimReportTitle) +
                          (file.title.empty() ? std::string() : " — " + file.title),
                      {}};
    addInputs(document, file, reportDate);
    addSummary(document, result);
    addSlices(document, result);
    addSetOffs(document, result);
    addLegalBasis(document, file);
    addRateSources(document, file, result);
    addNotices(document, result);
    return document;
}

} // namespace mirvane::report
