#include "core/claim/Alternatives.h"
#include "core/claim/ClaimTexts.h"
#include "core/rates/HalfYears.h"
#include "core/rates/ReadyLists.h"
#include "core/report/ClaimReport.h"
#include "core/report/ClaimSections.h"
#include "core/report/ReportTexts.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <array>

namespace mirvane::report {

namespace {

using namespace sections;

inline constexpr std::string_view ExpertTitle = "BİLİRKİŞİ (HESAP) RAPORU";

// Capitals as Turkish writes them: i to İ, ı to I.
std::string turkishUpper(std::string_view text) {
    static const std::array<std::pair<std::string_view, std::string_view>, 11> Letters{{
        {"i", "İ"},
        {"ı", "I"},
        {"ç", "Ç"},
        {"ğ", "Ğ"},
        {"ö", "Ö"},
        {"ş", "Ş"},
        {"ü", "Ü"},
        {"â", "Â"},
        {"î", "Î"},
        {"û", "Û"},
        {"é", "É"},
    }};
    std::string upper;
    upper.reserve(text.size() + 8);
    for (std::size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (const auto& [lower, capital] : Letters) {
            if (text.substr(at, lower.size()) == lower) {
                upper += capital;
                at += lower.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            const char c = text[at++];
            upper += c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        }
    }
    return upper;
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string authorityUpper(std::string_view authority) {
    std::string upper = turkishUpper(text::trimSpaces(authority));
    while (!upper.empty() && upper.back() == '.') {
        upper.pop_back();
    }
    return upper;
}

// An enforcement office (or another directorate) rather than a court.
bool isOffice(std::string_view authority) {
    const std::string upper = authorityUpper(authority);
    return endsWith(upper, "MÜDÜRLÜĞÜ") ||
           (!endsWith(upper, "MAHKEMESİ") && !endsWith(upper, "HÂKİMLİĞİ") &&
            !endsWith(upper, "HAKİMLİĞİ") && upper.find("İCRA") != std::string::npos);
}

// "İstanbul 12. Asliye Ticaret Mahkemesi" -> "İSTANBUL 12. ASLİYE TİCARET MAHKEMESİ SAYIN
// HÂKİMLİĞİNE"; an enforcement office is written to as its directorate.
std::string addressLine(std::string_view authority) {
    const std::string upper = authorityUpper(authority);
    for (const std::string_view office : {"MÜDÜRLÜĞÜ", "HÂKİMLİĞİ", "HAKİMLİĞİ"}) {
        if (endsWith(upper, office)) {
            return upper + "NE";
        }
    }
    return upper + (isOffice(authority) ? " MÜDÜRLÜĞÜNE" : " SAYIN HÂKİMLİĞİNE");
}

// Whom the legal choice belongs to: "Sayın Mahkeme" or "Sayın Müdürlük", in the case asked.
std::string addressee(const claim::ClaimFile& file, std::string_view courtCase,
                      std::string_view officeCase) {
    const bool office = file.report && isOffice(file.report->authority);
    return std::string("Sayın ") + std::string(office ? officeCase : courtCase);
}

// Free text as the user typed it, one paragraph per line.
void addText(Document& document, std::string_view text) {
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        std::string line(text::trimSpaces(text.substr(from, end - from)));
        if (!line.empty()) {
            document.blocks.push_back(Paragraph{std::move(line)});
        }
        from = end + 1;
    }
}

bool blank(std::string_view text) {
    return text::trimSpaces(text).empty();
}

void addHeading(Document& document, const claim::ClaimFile& file,
                const claim::ReportDetails& report, Date reportDate) {
    if (!blank(report.authority)) {
        document.blocks.push_back(Heading{addressLine(report.authority), 1});
    }
    document.blocks.push_back(Heading{std::string(ExpertTitle), 1});
    if (!blank(report.fileNumber)) {
        document.blocks.push_back(Paragraph{"Dosya No: " + report.fileNumber});
    }
    if (!file.title.empty()) {
        document.blocks.push_back(Paragraph{"Dosya: " + file.title});
    }
    document.blocks.push_back(Paragraph{"Rapor tarihi: " + text::formatDate(reportDate)});
}

void addParties(Document& document, const claim::ReportDetails& report) {
    std::vector<const claim::Party*> parties;
    for (const claim::Party& party : report.parties) {
        if (!blank(party.role) || !blank(party.name) || !blank(party.counsel)) {
            parties.push_back(&party);
        }
    }
    if (parties.empty()) {
        return;
    }
    document.blocks.push_back(Heading{"Taraflar", 2});
    Table table{
        {{"Sıfatı", Align::Left, 1.2}, {"Adı", Align::Left, 3}, {"Vekili", Align::Left, 2.4}}, {}};
    for (const claim::Party* party : parties) {
        table.rows.push_back({party->role, party->name, party->counsel});
    }
    document.blocks.push_back(std::move(table));
}

void addSubject(Document& document, const claim::ReportDetails& report) {
    if (blank(report.subject)) {
        return;
    }
    document.blocks.push_back(Heading{"Konu", 2});
    addText(document, report.subject);
}

void addQuestions(Document& document, const claim::ReportDetails& report) {
    std::vector<std::string> questions;
    for (const claim::Question& question : report.questions) {
        if (!blank(question.text)) {
            questions.push_back(question.text);
        }
    }
    if (questions.empty()) {
        return;
    }
    document.blocks.push_back(Heading{"Sorulan hususlar", 2});
    for (std::size_t i = 0; i < questions.size(); ++i) {
        document.blocks.push_back(Paragraph{std::to_string(i + 1) + ". " + questions[i]});
    }
}

void addDocuments(Document& document, const claim::ReportDetails& report) {
    std::vector<std::string> documents;
    for (const std::string& entry : report.documents) {
        if (!blank(entry)) {
            documents.push_back(entry);
        }
    }
    if (documents.empty()) {
        return;
    }
    document.blocks.push_back(Heading{"İncelenen belgeler", 2});
    for (std::size_t i = 0; i < documents.size(); ++i) {
        document.blocks.push_back(Paragraph{std::to_string(i + 1) + ". " + documents[i]});
    }
}

// The user's findings, then the dates the figures rest on: always there, since the
// calculation has them.
void addFacts(Document& document, const claim::ClaimFile& file,
              const claim::ReportDetails* report) {
    document.blocks.push_back(Heading{"Tespit edilen olgular", 2});
    if (report) {
        addText(document, report->facts);
    }
    document.blocks.push_back(Paragraph{"Hesabın dayandığı tarihler:"});
    for (std::size_t i = 0; i < file.items.size(); ++i) {
        const claim::Item& item = file.items[i];
        const std::string what = std::to_string(i + 1) + ". kalem (" +
                                 std::string(claim::itemKindTitle(item.kind)) +
                                 (item.description.empty() ? "" : ", " + item.description) + ", " +
                                 text::formatCents(item.amount) + " TL): ";
        if (item.kind == claim::ItemKind::Principal) {
            document.blocks.push_back(
                Paragraph{what + "faiz başlangıcı " + dateOrNone(item.interestStart)});
        } else {
            document.blocks.push_back(Paragraph{what + "tarihi " + dateOrNone(item.date)});
        }
    }
    document.blocks.push_back(Paragraph{"Takip tarihi: " + dateOrNone(file.filingDate)});
    for (std::size_t i = 0; i < file.payments.size(); ++i) {
        const claim::Payment& payment = file.payments[i];
        document.blocks.push_back(
            Paragraph{std::to_string(i + 1) + ". ödeme: " + text::formatDate(payment.date) +
                      " tarihinde " + text::formatCents(payment.amount) + " TL" +
                      (payment.description.empty() ? "" : " (" + payment.description + ")")});
    }
    document.blocks.push_back(Paragraph{"Hesap tarihi: " + text::formatDate(file.calculationDate)});
}

// The article of Law 3095 (or of the commercial code) a ready list carries out.
std::string listBasis(std::string_view name) {
    if (name == rates::StatutoryName) {
        return "3095 sayılı Kanun md. 1 (kanuni faiz)";
    }
    if (name == rates::AdvanceName) {
        return "3095 sayılı Kanun md. 2/1 (ticari işlerde temerrüt faizi: Merkez Bankası kısa "
               "vadeli avans oranı, her değişikliği kendi tarihinden)";
    }
    if (name == rates::DiscountName) {
        return "3095 sayılı Kanun md. 2/1 (Merkez Bankası reeskont oranı)";
    }
    if (name == rates::CommercialDefaultName) {
        return "3095 sayılı Kanun md. 2/2 (avans oranı: 31 Aralık'taki oran yıl boyunca, 30 "
               "Haziran'daki oran 5 puan ya da daha çok farklıysa yılın ikinci yarısında)";
    }
    if (name == rates::LatePaymentName) {
        return "6102 sayılı TTK md. 1530 (ticari işlerde geç ödeme faizi)";
    }
    return {};
}

void addMethod(Document& document, const claim::ClaimFile& file, const claim::ClaimResult& result) {
    Document basis;
    addLegalBasis(basis, file);
    document.blocks.push_back(Heading{"Yöntem ve hukuki dayanak", 2});
    // The plain report's own heading gives way to this section's.
    document.blocks.insert(document.blocks.end(), basis.blocks.begin() + 1, basis.blocks.end());
    if (file.filingDate) {
        document.blocks.push_back(
            Paragraph{"Takip tarihindeki işlemiş faiz sabit bir tutar olarak alınmış; takip "
                      "tarihinden sonraki faiz yalnız anapara üzerinden, talep edilen faiz türünün "
                      "değişen oranlarıyla hesaplanmıştır (İİK md. 58/3, TBK md. 121)."});
    }
    for (const std::string& name : claim::listsUsed(file)) {
        const bool main = std::any_of(file.items.begin(), file.items.end(), [&](const auto& item) {
            const auto* rate = std::get_if<claim::ListRate>(&item.rate);
            return item.kind == claim::ItemKind::Principal && rate && rate->name == name;
        });
        const std::string article = listBasis(name);
        if (main) {
            document.blocks.push_back(Paragraph{
                "\"" + name + "\": " + (article.empty() ? "kullanıcının oran listesi" : article) +
                "."});
        }
    }
    addRateSources(document, file, result);
}

void addTables(Document& document, const claim::ClaimFile& file, const claim::ClaimResult& result,
               Date reportDate) {
    Document inputs;
    addInputs(inputs, file, reportDate);
    // The items and payments, without the plain report's heading and dates.
    const auto firstSection =
        std::find_if(inputs.blocks.begin(), inputs.blocks.end(), [](const Block& b) {
            const auto* heading = std::get_if<Heading>(&b);
            return heading && heading->level > 1;
        });
    document.blocks.push_back(Heading{"Hesap tabloları", 2});
    document.blocks.insert(document.blocks.end(), firstSection, inputs.blocks.end());
    addSummary(document, result);
    addSlices(document, result);
    addSetOffs(document, result);
    addNotices(document, result);
}

void addComparison(Document& document, const claim::ClaimFile& file,
                   const claim::ClaimResult& result,
                   const std::vector<claim::ClaimOutcome>& outcomes) {
    if (outcomes.empty()) {
        return;
    }
    document.blocks.push_back(Heading{"Seçenekli hesap", 2});
    document.blocks.push_back(Paragraph{
        "Sonuç hukuki bir nitelendirmeye bağlı olduğundan, bu nitelendirme " +
        addressee(file, "Mahkemeye", "Müdürlüğe") +
        " ait olmak üzere her seçenek ana hesabın bütün kurallarıyla ayrıca hesaplanmıştır "
        "(HMK md. 279/4)."});
    Table table;
    table.columns.push_back({"", Align::Left, 2.2});
    table.columns.push_back({"Ana hesap", Align::Right, 1.3});
    for (std::size_t k = 0; k < outcomes.size(); ++k) {
        table.columns.push_back(
            {claim::alternativeTitle(file.alternatives[k], k), Align::Right, 1.3});
    }
    const std::vector<std::string> main = claim::comparisonCells(result);
    std::vector<std::vector<std::string>> columns;
    for (const claim::ClaimOutcome& outcome : outcomes) {
        const auto* computed = std::get_if<claim::ClaimResult>(&outcome);
        columns.push_back(computed ? claim::comparisonCells(*computed)
                                   : std::vector<std::string>(main.size(), "—"));
    }
    const auto& labels = claim::comparisonLabels();
    for (std::size_t r = 0; r < labels.size(); ++r) {
        std::vector<std::string> row{std::string(labels[r]), main[r]};
        for (const auto& column : columns) {
            row.push_back(column[r]);
        }
        table.rows.push_back(std::move(row));
    }
    document.blocks.push_back(std::move(table));
    for (std::size_t k = 0; k < outcomes.size(); ++k) {
        const claim::Alternative& alternative = file.alternatives[k];
        std::string line = claim::alternativeTitle(alternative, k) + ": " +
                           claim::changeText(file, alternative.change) + "; ";
        if (const auto* computed = std::get_if<claim::ClaimResult>(&outcomes[k])) {
            line += claim::balanceDifferenceText(result.balance, computed->balance) + ".";
        } else {
            line += "hesaplanamadı: " + std::get<claim::Refusal>(outcomes[k]).message;
        }
        if (!blank(alternative.reason)) {
            line += " Neden: " + alternative.reason;
        }
        document.blocks.push_back(Paragraph{std::move(line)});
    }
    document.blocks.push_back(
        Paragraph{"Her seçeneğin faiz dilimleri ve mahsup tablosu raporun ekindedir."});
}

// Where each principal item stands at the end of the filing date (or, without one,
// on the calculation date): the same claim computed up to that day.
struct ItemAtFiling {
    std::size_t index = 0;
    claim::Kurus principal = 0;
    claim::Kurus interest = 0;
};

std::vector<ItemAtFiling> itemsAtFiling(const claim::ClaimFile& file,
                                        const claim::ClaimResult& result) {
    std::vector<ItemAtFiling> items;
    const bool filed = file.filingDate && *file.filingDate <= file.calculationDate;
    const claim::ClaimResult* state = &result;
    claim::ClaimResult atFiling;
    if (filed) {
        claim::ClaimFile upToFiling = claim::withChange(file, {});
        upToFiling.calculationDate = *file.filingDate;
        std::erase_if(upToFiling.payments,
                      [&](const claim::Payment& p) { return p.date > *file.filingDate; });
        const claim::ClaimOutcome outcome = claim::compute(upToFiling);
        if (const auto* computed = std::get_if<claim::ClaimResult>(&outcome)) {
            atFiling = *computed;
            state = &atFiling;
        }
    }
    for (const claim::ItemBalance& balance : state->items) {
        if (balance.kind == claim::ItemKind::Principal) {
            items.push_back(
                {std::size_t(balance.item) - 1, balance.remaining, balance.unpaidInterest});
        }
    }
    return items;
}

// "Adi Alacaklar (Kanuni Faiz), değişen oranlarla (01.03.2024 tarihinde %9)".
std::string rateAfterFiling(const claim::ClaimFile& file, const claim::Item& item, Date from) {
    if (const auto* fixed = std::get_if<claim::FixedRate>(&item.rate)) {
        return "yıllık %" + text::formatGeneralNumber(fixed->percent) + " sabit oranla";
    }
    const std::string& name = std::get<claim::ListRate>(item.rate).name;
    std::string text = "\"" + name + "\" faizi, değişen oranlarla";
    const auto list = file.lists.find(name);
    if (list != file.lists.end() && !list->second.empty()) {
        const Date day = std::max(from, list->second.front().StartDate);
        const std::optional<double> rate = rates::rateOn(list->second, day);
        const double shown = rate ? *rate : list->second.back().Rate;
        text +=
            " (" + text::formatDate(from) + " tarihinde %" + text::formatGeneralNumber(shown) + ")";
    }
    return text;
}

void addResult(Document& document, const claim::ClaimFile& file, const claim::ClaimResult& result,
               const claim::ReportDetails* report) {
    document.blocks.push_back(Heading{"Sonuç", 2});
    const bool filed = file.filingDate && *file.filingDate <= file.calculationDate;
    const std::string upTo = filed ? "Takip tarihine (" + text::formatDate(*file.filingDate) +
                                         ") kadar işlemiş faiz (TL)"
                                   : "Hesap tarihine kadar işlenmiş ödenmemiş faiz (TL)";
    Table table{{{"Kalem", Align::Left, 2.6},
                 {filed ? "Anapara (TL)" : "Kalan anapara (TL)", Align::Right, 1.4},
                 {upTo, Align::Right, 1.6},
                 {"Toplam (TL)", Align::Right, 1.4}},
                {}};
    claim::Kurus principals = 0;
    claim::Kurus interests = 0;
    const std::vector<ItemAtFiling> items = itemsAtFiling(file, result);
    for (const ItemAtFiling& item : items) {
        const claim::Item& entry = file.items[item.index];
        table.rows.push_back({std::to_string(item.index + 1) + ". kalem" +
                                  (entry.description.empty() ? "" : " (" + entry.description + ")"),
                              text::formatCents(item.principal), text::formatCents(item.interest),
                              text::formatCents(item.principal + item.interest)});
        principals += item.principal;
        interests += item.interest;
    }
    if (items.size() > 1) {
        table.rows.push_back({"Toplam", text::formatCents(principals), text::formatCents(interests),
                              text::formatCents(principals + interests)});
        table.lastRowBold = true;
    }
    document.blocks.push_back(std::move(table));
    if (filed) {
        for (const ItemAtFiling& item : items) {
            const claim::Item& entry = file.items[item.index];
            document.blocks.push_back(Paragraph{
                std::to_string(item.index + 1) + ". kalemin " + text::formatCents(item.principal) +
                " TL anaparasına takip tarihinden (" + text::formatDate(*file.filingDate) +
                ") itibaren, yalnız anapara üzerinden, " +
                rateAfterFiling(file, entry, *file.filingDate) + " faiz işler."});
        }
    }
    document.blocks.push_back(
        Paragraph{"Hesap tarihi (" + text::formatDate(file.calculationDate) +
                  ") itibarıyla bakiye: " + text::formatCents(result.balance) + " TL."});
    if (!file.alternatives.empty()) {
        document.blocks.push_back(
            Paragraph{"Seçeneklere göre sonuçlar \"Seçenekli hesap\" bölümündedir."});
    }
    if (!report) {
        return;
    }
    for (std::size_t i = 0; i < report->questions.size(); ++i) {
        const claim::Question& question = report->questions[i];
        if (blank(question.text) && blank(question.answer)) {
            continue;
        }
        document.blocks.push_back(
            Paragraph{"Soru " + std::to_string(i + 1) + ": " + question.text});
        if (!blank(question.answer)) {
            document.blocks.push_back(Paragraph{"Cevap:"});
            addText(document, question.answer);
        }
    }
}

void addSignatures(Document& document, const claim::ClaimFile& file,
                   const claim::ReportDetails& report, Date reportDate) {
    std::vector<const claim::Expert*> experts;
    for (const claim::Expert& expert : report.experts) {
        if (!blank(expert.name) || !blank(expert.title) || !blank(expert.registryNumber)) {
            experts.push_back(&expert);
        }
    }
    if (experts.empty()) {
        return;
    }
    document.blocks.push_back(Heading{"Bilirkişi", 2});
    document.blocks.push_back(Paragraph{
        "İşbu rapor " + text::formatDate(reportDate) + " tarihinde, " +
        addressee(file, "Mahkemenin", "Müdürlüğün") + " takdirine sunulmak üzere düzenlenmiştir."});
    Table table;
    table.columns.assign(experts.size(), Column{"Bilirkişi", Align::Left, 1});
    std::vector<std::string> names, titles, numbers, lines;
    for (const claim::Expert* expert : experts) {
        names.push_back(expert->name);
        titles.push_back(expert->title);
        numbers.push_back(blank(expert->registryNumber) ? std::string()
                                                        : "Sicil no: " + expert->registryNumber);
        lines.push_back("İmza: ____________________");
    }
    table.rows = {names, titles, numbers, lines};
    document.blocks.push_back(std::move(table));
}

void addAnnexes(Document& document, const claim::ClaimFile& file,
                const std::vector<claim::ClaimOutcome>& outcomes) {
    for (std::size_t k = 0; k < outcomes.size(); ++k) {
        const auto* computed = std::get_if<claim::ClaimResult>(&outcomes[k]);
        if (!computed) {
            continue;
        }
        const claim::Alternative& alternative = file.alternatives[k];
        const claim::ClaimFile changed = claim::withChange(file, alternative.change);
        document.blocks.push_back(Heading{"EK-" + std::to_string(k + 1) + ": " +
                                              claim::alternativeTitle(alternative, k) +
                                              " — hesap tabloları",
                                          1});
        document.blocks.push_back(
            Paragraph{"Değişiklik: " + claim::changeText(file, alternative.change)});
        if (!blank(alternative.reason)) {
            document.blocks.push_back(Paragraph{"Neden: " + alternative.reason});
        }
        addSummary(document, *computed);
        addSlices(document, *computed);
        addSetOffs(document, *computed);
        addRateSources(document, changed, *computed);
        addNotices(document, *computed);
    }
}

} // namespace

Document expertReport(const claim::ClaimFile& file, const claim::ClaimResult& result,
                      Date reportDate) {
    const claim::ReportDetails* report = file.report ? &*file.report : nullptr;
    if (report && report->date) {
        reportDate = *report->date;
    }
    Document document;
    if (report) {
        document.title = std::string(ExpertTitle);
        if (!blank(report->fileNumber)) {
            document.title += " — " + report->fileNumber;
        } else if (!file.title.empty()) {
            document.title += " — " + file.title;
        }
        addHeading(document, file, *report, reportDate);
        addParties(document, *report);
        addSubject(document, *report);
        addQuestions(document, *report);
        addDocuments(document, *report);
    } else {
        document.title = std::string(ClaimReportTitle) +
                         (file.title.empty() ? std::string() : " — " + file.title);
        document.blocks.push_back(Heading{std::string(ClaimReportTitle), 1});
        if (!file.title.empty()) {
            document.blocks.push_back(Paragraph{"Dosya: " + file.title});
        }
        document.blocks.push_back(Paragraph{"Rapor tarihi: " + text::formatDate(reportDate)});
    }
    addFacts(document, file, report);
    addMethod(document, file, result);
    addTables(document, file, result, reportDate);
    const std::vector<claim::ClaimOutcome> outcomes = claim::computeAlternatives(file);
    addComparison(document, file, result, outcomes);
    addResult(document, file, result, report);
    if (report) {
        addSignatures(document, file, *report, reportDate);
    }
    addAnnexes(document, file, outcomes);
    return document;
}

} // namespace mirvane::report
