#include "core/report/UndertakingReport.h"

#include "core/claim/ClaimTexts.h"
#include "core/plan/PlanTexts.h"
#include "core/text/TextForms.h"

#include <algorithm>

namespace mirvane::report {

namespace {

void addParties(Document& document, const claim::ClaimFile& file, const plan::Plan& plan,
                Date reportDate) {
    auto& blocks = document.blocks;
    const claim::Undertaking& terms = plan.terms;
    blocks.push_back(Heading{std::string(plan::UndertakingTitle), 1});
    if (!terms.fileNumber.empty()) {
        blocks.push_back(Paragraph{"İcra dosyası: " + terms.fileNumber});
    }
    if (!file.title.empty()) {
        blocks.push_back(Paragraph{"Dosya: " + file.title});
    }
    if (!terms.creditor.empty()) {
        blocks.push_back(Paragraph{"Alacaklı: " + terms.creditor});
    }
    if (!terms.debtor.empty()) {
        blocks.push_back(Paragraph{"Borçlu: " + terms.debtor});
    }
    if (file.filingDate) {
        blocks.push_back(Paragraph{"Takip tarihi: " + text::formatDate(*file.filingDate)});
    }
    for (const auto& [label, value] : plan::termLines(plan)) {
        blocks.push_back(Paragraph{label + ": " + value});
    }
    blocks.push_back(Paragraph{"Belge tarihi: " + text::formatDate(reportDate)});
}

Table labelledAmounts(const std::vector<std::pair<std::string, std::string>>& lines) {
    Table table{{{"", Align::Left, 3.5}, {"Tutar (TL)", Align::Right, 1.5}}, {}};
    for (const auto& [label, amount] : lines) {
        table.rows.push_back({label, amount});
    }
    return table;
}

void addDebt(Document& document, const plan::Plan& plan) {
    document.blocks.push_back(Heading{"Taahhüt tarihindeki borç", 2});
    Table debt = labelledAmounts(plan::debtLines(plan.debt));
    debt.lastRowBold = true;
    document.blocks.push_back(std::move(debt));
}

void addInstalments(Document& document, const plan::Plan& plan) {
    document.blocks.push_back(Heading{"Taksitler", 2});
    const std::vector<const plan::Instalment*> payments = plan::payments(plan);
    const bool overpaid = std::any_of(payments.begin(), payments.end(),
                                      [](const plan::Instalment* p) { return p->overpaid != 0; });
    const bool moved = std::any_of(payments.begin(), payments.end(),
                                   [](const plan::Instalment* p) { return !p->reason.empty(); });
    const auto& headers = plan::instalmentHeaders();
    const double widths[] = {0.5, 2.2, 1.3, 1.2, 1.1, 1.1, 1.05, 1.1, 1.45, 1.3, 1.0};
    std::vector<std::size_t> shown;
    for (std::size_t c = 0; c < headers.size(); ++c) {
        if ((c == 2 && !moved) || (c + 1 == headers.size() && !overpaid)) {
            continue;
        }
        shown.push_back(c);
    }
    Table table;
    for (const std::size_t c : shown) {
        table.columns.push_back({std::string(headers[c]),
                                 c == 0   ? Align::Centre
                                 : c <= 2 ? Align::Left
                                          : Align::Right,
                                 widths[c]});
    }
    claim::Kurus sums[plan::InstalmentColumns] = {};
    for (const plan::Instalment* payment : payments) {
        const auto cells = plan::instalmentCells(*payment);
        std::vector<std::string> row;
        for (const std::size_t c : shown) {
            row.push_back(cells[c]);
        }
        table.rows.push_back(std::move(row));
        const claim::Kurus amounts[] = {payment->amount, payment->interest,     payment->costs,
                                        payment->fee,    payment->interestPaid, payment->principal};
        for (std::size_t k = 0; k < std::size(amounts); ++k) {
            sums[3 + k] += amounts[k];
        }
        sums[10] += payment->overpaid;
    }
    std::vector<std::string> total;
    for (const std::size_t c : shown) {
        if (c == 1) {
            total.push_back("Toplam");
        } else if ((c >= 3 && c <= 8) || c == 10) {
            total.push_back(text::formatCents(sums[c]));
        } else {
            total.push_back("");
        }
    }
    table.rows.push_back(std::move(total));
    table.lastRowBold = true;
    document.blocks.push_back(std::move(table));
    document.blocks.push_back(
        Paragraph{"İşleyen faiz: taahhüt tarihinden (ya da bir önceki ödeme gününden) o "
                  "taksitin vadesine kadar kalan anaparaya işleyen faiz. Vade tatile "
                  "rastlarsa izleyen ilk iş gününe geçer."});
}

void addInterestAfter(Document& document, const plan::Plan& plan) {
    document.blocks.push_back(Heading{"Taahhütten ödeme günlerine kadar faiz", 2});
    const auto& headers = claim::sliceHeaders();
    const Align aligns[] = {Align::Centre, Align::Left,  Align::Left, Align::Centre,
                            Align::Centre, Align::Right, Align::Right};
    const double widths[] = {0.6, 1.2, 1.2, 0.7, 0.8, 1.5, 1.3};
    Table slices;
    for (std::size_t c = 0; c < headers.size(); ++c) {
        slices.columns.push_back({std::string(headers[c]), aligns[c], widths[c]});
    }
    for (const claim::Slice& slice : plan.calculation.slices) {
        if (slice.start < plan.terms.date) {
            continue;
        }
        const auto cells = claim::sliceCells(slice);
        slices.rows.emplace_back(cells.begin(), cells.end());
    }
    slices.rows.push_back(
        {"", "", "", "", "", "Toplam", text::formatCents(plan.interestAfterUndertaking)});
    slices.lastRowBold = true;
    document.blocks.push_back(std::move(slices));
}

void addTotal(Document& document, const plan::Plan& plan) {
    document.blocks.push_back(Heading{"Toplam", 2});
    Table totals = labelledAmounts(plan::totalLines(plan));
    document.blocks.push_back(std::move(totals));
    document.blocks.push_back(Paragraph{plan::totalSentence(plan) + "."});
    document.blocks.push_back(Paragraph{
        "Borçlu, taahhüt tarihindeki borcu ve taahhüt tarihinden ödeme günlerine kadar "
        "işleyecek faizi, toplam " +
        text::formatCents(plan.total) + " TL'yi (" + plan.totalInWords +
        "), yukarıdaki tabloda gösterilen vadelerde ve tutarlarda ödemeyi İİK 111 uyarınca "
        "taahhüt eder."});
}

void addLegalBasis(Document& document, const claim::ClaimFile& file) {
    document.blocks.push_back(Heading{"Hukuki dayanak", 2});
    for (std::string& line : plan::legalBasisLines(file)) {
        document.blocks.push_back(Paragraph{std::move(line)});
    }
}

void addNotices(Document& document, const plan::Plan& plan) {
    if (plan.notices.empty()) {
        return;
    }
    document.blocks.push_back(Heading{"Uyarılar", 2});
    for (const std::string& notice : plan.notices) {
        document.blocks.push_back(Paragraph{notice, true});
    }
}

void addSignatures(Document& document, const plan::Plan& plan) {
    document.blocks.push_back(Heading{"İmzalar", 2});
    const claim::Undertaking& terms = plan.terms;
    Table signatures{{{"Borçlu", Align::Left, 1},
                      {"Alacaklı / vekili", Align::Left, 1},
                      {"İcra müdürü / yardımcısı", Align::Left, 1}},
                     {}};
    signatures.rows = {
        {"Adı soyadı: " + terms.debtor, "Adı soyadı: " + terms.creditor, "Adı soyadı:"},
        {"Tarih: " + text::formatDate(terms.date), "Tarih: " + text::formatDate(terms.date),
         "Tarih: " + text::formatDate(terms.date)},
        {"İmza:", "İmza:", "İmza / mühür:"},
        {"", "", ""},
        {"", "", ""},
    };
    document.blocks.push_back(std::move(signatures));
}

} // namespace

Document undertakingReport(const claim::ClaimFile& file, const plan::Plan& plan, Date reportDate) {
    const std::string& name = plan.terms.fileNumber.empty() ? file.title : plan.terms.fileNumber;
    Document document{std::string(plan::UndertakingTitle) + (name.empty() ? "" : " — " + name), {}};
    addParties(document, file, plan, reportDate);
    addDebt(document, plan);
    addInstalments(document, plan);
    addTotal(document, plan);
    addInterestAfter(document, plan);
    addLegalBasis(document, file);
    addNotices(document, plan);
    addSignatures(document, plan);
    return document;
}

} // namespace mirvane::report
