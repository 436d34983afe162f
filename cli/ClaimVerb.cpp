// --hesap: a claim file computed (items, partial payments set off, the balance at the
// calculation date), as text or JSON.

#include "cli/JsonOutput.h"
#include "cli/PdfOutput.h"
#include "cli/Today.h"
#include "cli/Verbs.h"
#include "cli/WordOutput.h"
#include "core/claim/Alternatives.h"
#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimJson.h"
#include "core/common/Utf8Path.h"
#include "core/interest/Breakdown.h"
#include "core/report/ClaimReport.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <chrono>

namespace mirvane::cli {

namespace {

struct Options {
    const CLI::Option* file;
    const CLI::Option* date;
    const CLI::Option* folder;
    const CLI::Option* json;
    const CLI::Option* pdf;
    const CLI::Option* word;
};

// "--pdf CIKTI" and "--word CIKTI": the report instead of the text on standard
// output. A build without Qt has no writer: a usage error, nothing written.
template <class Writer>
int writeReport(const Writer& writer, const char* option, const std::string& target,
                const report::Document& document, const Context& context) {
    if (!writer) {
        return reportUsage({std::string(option) +
                            " bu derlemede yok: mirvane-hesap Qt ile (pencereli "
                            "programla birlikte) derlenmelidir."},
                           context.err);
    }
    const Status written = writer(document, utf8path::fromUtf8(target));
    if (!written) {
        return reportRunTimeError(written.error(), context.err);
    }
    return ExitOk;
}

std::string money(claim::Kurus amount) {
    return text::formatCents(amount);
}

json::Json jsonMoney(claim::Kurus amount) {
    return json::cents(amount);
}

// Exit 2 for a file that cannot be read or is not JSON (with its line and column),
// exit 1 for a claim file refused by its content.
int reportReadFailure(const claim::ReadFailure& failure, std::ostream& err) {
    err << failure.message << '\n';
    return failure.kind == claim::ReadFailure::Kind::Refused ? ExitRejected : ExitUsage;
}

bool listsMissing(const claim::ClaimFile& file) {
    const std::vector<std::string> used = claim::listsUsed(file);
    return std::any_of(used.begin(), used.end(),
                       [&](const std::string& name) { return !file.lists.contains(name); });
}

void writeSummary(std::ostream& out, const claim::ClaimFile& file,
                  const claim::ClaimResult& result) {
    if (!file.title.empty()) {
        out << "Başlık:\t" << file.title << '\n';
    }
    out << "Hesap Tarihi:\t" << text::formatDate(file.calculationDate) << '\n'
        << "Takip Tarihi:\t" << (file.filingDate ? text::formatDate(*file.filingDate) : "-") << '\n'
        << "Kalan Anapara:\t" << money(result.remainingPrincipal) << '\n'
        << "Ödenmemiş Faiz:\t" << money(result.unpaidInterest) << '\n'
        << "Ödenmemiş Masraf:\t" << money(result.unpaidCosts) << '\n'
        << "Ödenmemiş Vekalet Ücreti:\t" << money(result.unpaidFee) << '\n'
        << "Bakiye:\t" << money(result.balance) << '\n'
        << "Fazla Ödeme:\t" << money(result.overpaid) << '\n'
        << "İşlemiş Faiz:\t" << money(result.interestBeforeFiling) << '\n'
        << "Takip Sonrası Faiz:\t" << money(result.interestAfterFiling) << '\n'
        << "Takip Tutarı:\t" << (result.filingTotal ? money(*result.filingTotal) : "-") << '\n';
}

void writeSlices(std::ostream& out, const claim::ClaimResult& result) {
    out << "Kalem\tBaşlangıç Tarihi\tBitiş Tarihi\tGün\tOran\tMatrah\tFaiz\n";
    for (const claim::Slice& slice : result.slices) {
        out << slice.item << '\t' << text::formatDate(slice.start) << '\t'
            << text::formatDate(slice.end) << '\t' << slice.days << '\t'
            << text::formatGeneralNumber(slice.rate) << '\t' << money(slice.base) << '\t'
            << money(slice.interest) << '\n';
    }
}

void writeSetOffs(std::ostream& out, const claim::ClaimResult& result) {
    out << "Tarih\tÖdenen\tMasraf\tVekalet\tFaiz\tAnapara\tFazla\tKalan Anapara\n";
    for (const claim::SetOff& entry : result.setOffs) {
        out << text::formatDate(entry.date) << '\t' << money(entry.amount) << '\t'
            << money(entry.costs) << '\t' << money(entry.fee) << '\t' << money(entry.interest)
            << '\t' << money(entry.principal) << '\t' << money(entry.overpaid) << '\t'
            << money(entry.remainingPrincipal) << '\n';
    }
}

// An alternative's figures; null where it could not be computed (its reason is
// among the notices).
json::Json jsonAlternative(const claim::Alternative& alternative, std::size_t index,
                           const claim::ClaimOutcome& outcome) {
    const auto* result = std::get_if<claim::ClaimResult>(&outcome);
    const auto figure = [&](claim::Kurus claim::ClaimResult::*field) {
        return result ? jsonMoney((*result).*field) : json::Json(nullptr);
    };
    json::Json entry{{"ad", claim::alternativeTitle(alternative, index)},
                     {"bakiye", figure(&claim::ClaimResult::balance)},
                     {"kalan_anapara", figure(&claim::ClaimResult::remainingPrincipal)},
                     {"odenmemis_faiz", figure(&claim::ClaimResult::unpaidInterest)},
                     {"islemis_faiz", figure(&claim::ClaimResult::interestBeforeFiling)},
                     {"takip_sonrasi_faiz", figure(&claim::ClaimResult::interestAfterFiling)},
                     {"takip_tutari", result && result->filingTotal
                                          ? jsonMoney(*result->filingTotal)
                                          : json::Json(nullptr)}};
    entry["uyari"] = result ? json::Json(result->notices)
                            : json::Json::array({std::get<claim::Refusal>(outcome).message});
    return entry;
}

// The alternatives' notices, each saying whose it is.
std::vector<std::string> alternativeNotices(const claim::ClaimFile& file,
                                            const std::vector<claim::ClaimOutcome>& outcomes) {
    std::vector<std::string> notices;
    for (std::size_t k = 0; k < outcomes.size(); ++k) {
        const std::string who =
            "Seçenek \"" + claim::alternativeTitle(file.alternatives[k], k) + "\": ";
        if (const auto* refusal = std::get_if<claim::Refusal>(&outcomes[k])) {
            notices.push_back(who + refusal->message);
            continue;
        }
        for (const std::string& notice : std::get<claim::ClaimResult>(outcomes[k]).notices) {
            notices.push_back(who + notice);
        }
    }
    return notices;
}

void writeAlternatives(std::ostream& out, const claim::ClaimFile& file,
                       const std::vector<claim::ClaimOutcome>& outcomes) {
    out << "Seçenek";
    for (const std::string_view label : claim::comparisonLabels()) {
        out << '\t' << label;
    }
    out << '\n';
    for (std::size_t k = 0; k < outcomes.size(); ++k) {
        out << claim::alternativeTitle(file.alternatives[k], k);
        if (const auto* result = std::get_if<claim::ClaimResult>(&outcomes[k])) {
            for (const std::string& cell : claim::comparisonCells(*result)) {
                out << '\t' << cell;
            }
        } else {
            out << "\thesaplanamadı";
        }
        out << '\n';
    }
}

// The warnings, then the plain notes.
std::vector<std::string> userTexts(const claim::ClaimResult& result) {
    std::vector<std::string> texts = result.notices;
    texts.insert(texts.end(), result.notes.begin(), result.notes.end());
    return texts;
}

json::Json jsonDocument(const claim::ClaimResult& result) {
    json::Json setOffs = json::Json::array();
    for (const claim::SetOff& entry : result.setOffs) {
        setOffs.push_back({{"tarih", text::formatDate(entry.date)},
                           {"tutar", jsonMoney(entry.amount)},
                           {"masraf", jsonMoney(entry.costs)},
                           {"vekalet", jsonMoney(entry.fee)},
                           {"faiz", jsonMoney(entry.interest)},
                           {"anapara", jsonMoney(entry.principal)},
                           {"fazla", jsonMoney(entry.overpaid)},
                           {"kalan_anapara", jsonMoney(entry.remainingPrincipal)}});
    }
    json::Json slices = json::Json::array();
    for (const claim::Slice& slice : result.slices) {
        slices.push_back({{"kalem", slice.item},
                          {"baslangic", text::formatDate(slice.start)},
                          {"bitis", text::formatDate(slice.end)},
                          {"oran", json::number(slice.rate)},
                          {"gun", slice.days},
                          {"matrah", jsonMoney(slice.base)},
                          {"faiz", jsonMoney(slice.interest)}});
    }
    return {
        {"bakiye", jsonMoney(result.balance)},
        {"kalan_anapara", jsonMoney(result.remainingPrincipal)},
        {"odenmemis_faiz", jsonMoney(result.unpaidInterest)},
        {"odenmemis_masraf", jsonMoney(result.unpaidCosts)},
        {"odenmemis_vekalet", jsonMoney(result.unpaidFee)},
        {"fazla_odeme", jsonMoney(result.overpaid)},
        {"islemis_faiz", jsonMoney(result.interestBeforeFiling)},
        {"takip_sonrasi_faiz", jsonMoney(result.interestAfterFiling)},
        {"takip_tutari", result.filingTotal ? jsonMoney(*result.filingTotal) : json::Json(nullptr)},
        {"mahsup", std::move(setOffs)},
        {"dilimler", std::move(slices)},
        {"uyari", userTexts(result)}};
}

int computeClaim(const CLI::App& app, const Options& options, const Context& context) {
    if (const std::optional<std::string> other =
            otherOption(app, {options.file, options.date, options.folder, options.json, options.pdf,
                              options.word})) {
        return reportUsage({*other + " seçeneği --hesap ile kullanılamaz."}, context.err);
    }
    std::optional<Date> date;
    if (const std::optional<std::string> text = valueOf(options.date)) {
        date = text::parseDate(*text);
        if (!date) {
            return reportUsage({"--tarih için geçersiz tarih: " + inQuotes(*text) +
                                " (GG.AA.YYYY biçiminde olmalı)."},
                               context.err);
        }
    }
    claim::ReadOutcome read = claim::readFile(utf8path::fromUtf8(*valueOf(options.file)));
    if (const auto* failure = std::get_if<claim::ReadFailure>(&read)) {
        return reportReadFailure(*failure, context.err);
    }
    claim::ClaimFile& file = std::get<claim::ClaimFile>(read);
    if (date) {
        file.calculationDate = *date;
    }
    if (listsMissing(file)) {
        const auto opened = openListFolder(valueOf(options.folder), context.programFolder);
        if (const std::optional<int> failed = reportedFailure(opened, context.err)) {
            return *failed;
        }
        const std::vector<claim::UnreadableList> unreadable =
            claim::copyMissingLists(file, std::get<ListFolder>(opened).path);
        if (!unreadable.empty()) {
            return reportUsage(
                {listFileUnreadable(unreadable.front().file, unreadable.front().error)},
                context.err);
        }
    }
    const claim::ClaimOutcome outcome = claim::compute(file);
    if (const auto* refusal = std::get_if<claim::Refusal>(&outcome)) {
        context.err << refusal->message << '\n';
        return ExitRejected;
    }
    const claim::ClaimResult& result = std::get<claim::ClaimResult>(outcome);
    const std::vector<claim::ClaimOutcome> alternatives = claim::computeAlternatives(file);
    const std::optional<std::string> pdfTarget = valueOf(options.pdf);
    const std::optional<std::string> wordTarget = valueOf(options.word);
    if (pdfTarget || wordTarget) {
        const report::Document document = report::claimReport(file, result, today());
        if (pdfTarget) {
            if (const int status = writeReport(pdfWriter(), "--pdf", *pdfTarget, document, context);
                status != ExitOk) {
                return status;
            }
        }
        if (wordTarget) {
            if (const int status =
                    writeReport(wordWriter(), "--word", *wordTarget, document, context);
                status != ExitOk) {
                return status;
            }
        }
    } else if (given(options.json)) {
        json::Json document = jsonDocument(result);
        document["secenekler"] = json::Json::array();
        for (std::size_t k = 0; k < alternatives.size(); ++k) {
            document["secenekler"].push_back(
                jsonAlternative(file.alternatives[k], k, alternatives[k]));
        }
        // The notices are a part of the document; a script reads them there.
        json::write(context.out, document);
        return ExitOk;
    } else {
        writeSummary(context.out, file, result);
        context.out << '\n';
        writeSlices(context.out, result);
        context.out << '\n';
        writeSetOffs(context.out, result);
        if (!alternatives.empty()) {
            context.out << '\n';
            writeAlternatives(context.out, file, alternatives);
        }
        context.out << '\n' << breakdown::StartDayNote << '\n';
    }
    writeLines(context.err, userTexts(result));
    writeLines(context.err, alternativeNotices(file, alternatives));
    return ExitOk;
}

} // namespace

Verb claimVerb(CLI::App& app) {
    const Options options{
        .file = valueOption(app, "--hesap"),
        .date = valueOption(app, "--tarih"),
        .folder = valueOption(app, "--klasor"),
        .json = flagOption(app, "--json"),
        .pdf = valueOption(app, "--pdf"),
        .word = valueOption(app, "--word"),
    };
    return {
        .chosen = [options] { return given(options.file); },
        .run = [&app,
                options](const Context& context) { return computeClaim(app, options, context); },
    };
}

} // namespace mirvane::cli
