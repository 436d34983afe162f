// --hesap: a claim file computed (items, partial payments set off, the balance at the
// calculation date), as text or JSON.

#include "JsonOutput.h"
#include "PdfOutput.h"
#include "Verbs.h"
#include "claim/ClaimEngine.h"
#include "claim/ClaimJson.h"
#include "common/Utf8Path.h"
#include "report/ClaimReport.h"
#include "text/TextForms.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace mirvane::cli {

namespace {

struct Options {
    const CLI::Option* file;
    const CLI::Option* date;
    const CLI::Option* folder;
    const CLI::Option* json;
    const CLI::Option* pdf;
};

// The day the report is written, on the machine's calendar.
Date today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return std::chrono::year{local.tm_year + 1900} /
           std::chrono::month{unsigned(local.tm_mon) + 1} /
           std::chrono::day{unsigned(local.tm_mday)};
}

// "--pdf CIKTI": the report instead of the text on standard output. A build without
// Qt has no writer: a usage error, nothing written.
int writePdf(const std::string& target, const claim::ClaimFile& file,
             const claim::ClaimResult& result, const Context& context) {
    if (!pdfWriter()) {
        return reportUsage({"--pdf bu derlemede yok: mirvane-hesap Qt ile (pencereli "
                            "programla birlikte) derlenmelidir."},
                           context.err);
    }
    const Status written =
        pdfWriter()(report::claimReport(file, result, today()), utf8path::fromUtf8(target));
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
        {"uyari", result.notices}};
}

int computeClaim(const CLI::App& app, const Options& options, const Context& context) {
    if (const std::optional<std::string> other = otherOption(
            app, {options.file, options.date, options.folder, options.json, options.pdf})) {
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
    if (const std::optional<std::string> target = valueOf(options.pdf)) {
        if (const int status = writePdf(*target, file, result, context); status != ExitOk) {
            return status;
        }
    } else if (given(options.json)) {
        json::write(context.out, jsonDocument(result));
    } else {
        writeSummary(context.out, file, result);
        context.out << '\n';
        writeSlices(context.out, result);
        context.out << '\n';
        writeSetOffs(context.out, result);
    }
    writeLines(context.err, result.notices);
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
    };
    return {
        .chosen = [options] { return given(options.file); },
        .run = [&app,
                options](const Context& context) { return computeClaim(app, options, context); },
    };
}

} // namespace mirvane::cli
