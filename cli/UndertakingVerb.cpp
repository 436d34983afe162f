// --taahhut: a payment undertaking's plan (İİK 111) for a claim file: the debt at the
// undertaking date, the instalments on working days with their set-off, the total in
// figures and words; as text, JSON or the PDF ready to sign.

#include "cli/JsonOutput.h"
#include "cli/PdfOutput.h"
#include "cli/Today.h"
#include "cli/Verbs.h"
#include "core/claim/ClaimJson.h"
#include "core/claim/ClaimTexts.h"
#include "core/common/Utf8Path.h"
#include "core/plan/PaymentPlan.h"
#include "core/plan/PlanTexts.h"
#include "core/report/UndertakingReport.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace mirvane::cli {

namespace {

struct Options {
    const CLI::Option* file;
    const CLI::Option* date;
    const CLI::Option* count;
    const CLI::Option* firstDue;
    const CLI::Option* interval;
    const CLI::Option* downPayment;
    const CLI::Option* folder;
    const CLI::Option* json;
    const CLI::Option* pdf;
};

json::Json jsonMoney(claim::Kurus amount) {
    return json::cents(amount);
}

std::variant<Date, UsageError> dateOption(const std::string& option, const std::string& text) {
    if (const std::optional<Date> date = text::parseDate(text)) {
        return *date;
    }
    return UsageError{option + " için geçersiz tarih: " + inQuotes(text) +
                      " (GG.AA.YYYY biçiminde olmalı)."};
}

// A whole number; one too large for the plan stays too large, so that the plan
// refuses it by its field.
std::optional<int> countOf(std::string_view text) {
    text = text::trimSpaces(text);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size()) {
        if (error == std::errc::result_out_of_range) {
            return INT_MAX;
        }
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range || value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// The terms: the file's "taahhut" block with what the command line gives in its
// place. A count given here means equal instalments: typed amounts belong to the
// count they were typed for.
std::variant<claim::Undertaking, UsageError> termsOf(const claim::ClaimFile& file,
                                                     const Options& options) {
    const bool ownTerms = file.undertaking.has_value();
    claim::Undertaking terms = file.undertaking.value_or(claim::Undertaking{});
    if (!ownTerms) {
        std::vector<std::string> missing;
        for (const CLI::Option* option : {options.date, options.count, options.firstDue}) {
            if (!given(option)) {
                missing.push_back(option->get_name());
            }
        }
        if (!missing.empty()) {
            std::string names;
            for (const std::string& name : missing) {
                names += (names.empty() ? "" : ", ") + name;
            }
            return UsageError{"Dosyada taahhüt bilgisi (\"taahhut\") yok: --taahhut ile " + names +
                              " de verilmeli."};
        }
    }
    if (const std::optional<std::string> text = valueOf(options.date)) {
        auto date = dateOption("--tarih", *text);
        if (auto* usage = std::get_if<UsageError>(&date)) {
            return *usage;
        }
        terms.date = std::get<Date>(date);
    }
    if (const std::optional<std::string> text = valueOf(options.firstDue)) {
        auto date = dateOption("--ilk", *text);
        if (auto* usage = std::get_if<UsageError>(&date)) {
            return *usage;
        }
        terms.firstDue = std::get<Date>(date);
    }
    if (const std::optional<std::string> text = valueOf(options.count)) {
        const std::optional<int> count = countOf(*text);
        if (!count) {
            return UsageError{"--taksit için geçersiz sayı: " + inQuotes(*text) +
                              " (1 ile 360 arasında bir tam sayı olmalı)."};
        }
        terms.count = *count;
        terms.amounts.clear();
    }
    if (const std::optional<std::string> text = valueOf(options.interval)) {
        const std::optional<claim::PlanInterval> interval = plan::intervalNamed(*text);
        if (!interval) {
            return UsageError{"--aralik için geçersiz değer: " + inQuotes(*text) +
                              " (ay ya da hafta olmalı)."};
        }
        terms.interval = *interval;
    }
    if (const std::optional<std::string> text = valueOf(options.downPayment)) {
        const std::optional<claim::Kurus> amount = claim::parseKurus(*text);
        if (!amount) {
            return UsageError{"--pesinat için geçersiz tutar: " + inQuotes(*text) +
                              " (örnek: 5.000,00)."};
        }
        terms.downPayment = *amount;
    }
    return terms;
}

// A refusal of a term given on the command line names its option.
std::string refusalText(const claim::Refusal& refusal, const Options& options) {
    const std::pair<const char*, const CLI::Option*> fields[] = {
        {"taahhut.tarih", options.date},
        {"taahhut.taksit_sayisi", options.count},
        {"taahhut.ilk_vade", options.firstDue},
        {"taahhut.pesinat", options.downPayment},
    };
    for (const auto& [field, option] : fields) {
        if (refusal.field == field && given(option)) {
            return option->get_name() + refusal.message.substr(refusal.field.size());
        }
    }
    return refusal.message;
}

bool listsMissing(const claim::ClaimFile& file) {
    const std::vector<std::string> used = claim::listsUsed(file);
    return std::any_of(used.begin(), used.end(),
                       [&](const std::string& name) { return !file.lists.contains(name); });
}

json::Json jsonDebt(const plan::Debt& debt) {
    json::Json items = json::Json::array();
    for (const plan::DebtItem& item : debt.items) {
        items.push_back({{"kalem", item.item},
                         {"tur", claim::itemKindName(item.kind)},
                         {"aciklama", item.description},
                         {"tutar", jsonMoney(item.remaining)}});
    }
    return {{"tarih", text::formatDate(debt.date)},
            {"anapara", jsonMoney(debt.principal)},
            {"islemis_faiz", jsonMoney(debt.interestBeforeFiling)},
            {"takip_sonrasi_faiz", jsonMoney(debt.interestAfterFiling)},
            {"masraf", jsonMoney(debt.costs)},
            {"vekalet", jsonMoney(debt.fee)},
            {"toplam", jsonMoney(debt.total)},
            {"kalemler", std::move(items)}};
}

json::Json jsonInstalment(const plan::Instalment& instalment) {
    return {
        {"no", instalment.number},
        {"vade", text::formatDate(instalment.due)},
        {"neden", instalment.reason.empty() ? json::Json(nullptr) : json::Json(instalment.reason)},
        {"tutar", jsonMoney(instalment.amount)},
        {"faiz", jsonMoney(instalment.interest)},
        {"masraf", jsonMoney(instalment.costs)},
        {"vekalet", jsonMoney(instalment.fee)},
        {"faiz_mahsup", jsonMoney(instalment.interestPaid)},
        {"anapara", jsonMoney(instalment.principal)},
        {"kalan_anapara", jsonMoney(instalment.remainingPrincipal)}};
}

json::Json jsonDocument(const plan::Plan& plan) {
    json::Json instalments = json::Json::array();
    for (const plan::Instalment& instalment : plan.instalments) {
        instalments.push_back(jsonInstalment(instalment));
    }
    json::Json document{{"borc", jsonDebt(plan.debt)}};
    if (plan.downPayment) {
        document["pesinat"] = jsonInstalment(*plan.downPayment);
    }
    document["taksitler"] = std::move(instalments);
    document["toplam"] = jsonMoney(plan.total);
    document["toplam_yazi"] = plan.totalInWords;
    document["taahhut_sonrasi_faiz"] = jsonMoney(plan.interestAfterUndertaking);
    document["kalan_borc"] = jsonMoney(plan.unpaidAtEnd);
    document["fazla_odeme"] = jsonMoney(plan.overpaid);
    document["uyari"] = plan.notices;
    return document;
}

void writeText(std::ostream& out, const claim::ClaimFile& file, const plan::Plan& plan) {
    if (!file.title.empty()) {
        out << "Başlık:\t" << file.title << '\n';
    }
    for (const auto& [label, value] : plan::termLines(plan)) {
        out << label << ":\t" << value << '\n';
    }
    out << '\n';
    for (const auto& [label, value] : plan::debtLines(plan.debt)) {
        out << label << ":\t" << value << '\n';
    }
    out << '\n';
    const auto& headers = plan::instalmentHeaders();
    for (std::size_t column = 0; column < headers.size(); ++column) {
        out << (column ? "\t" : "") << headers[column];
    }
    out << '\n';
    for (const plan::Instalment* payment : plan::payments(plan)) {
        const auto cells = plan::instalmentCells(*payment);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            out << (column ? "\t" : "") << cells[column];
        }
        out << '\n';
    }
    out << '\n';
    for (const auto& [label, value] : plan::totalLines(plan)) {
        out << label << ":\t" << value << '\n';
    }
    out << "Yazıyla:\t" << plan.totalInWords << '\n';
}

// "--pdf CIKTI": the undertaking ready to sign instead of the text. A build without
// Qt has no writer: a usage error, nothing written.
int writePdf(const std::string& target, const claim::ClaimFile& file, const plan::Plan& plan,
             const Context& context) {
    if (!pdfWriter()) {
        return reportUsage({"--pdf bu derlemede yok: mirvane-hesap Qt ile (pencereli "
                            "programla birlikte) derlenmelidir."},
                           context.err);
    }
    const Status written =
        pdfWriter()(report::undertakingReport(file, plan, today()), utf8path::fromUtf8(target));
    if (!written) {
        return reportRunTimeError(written.error(), context.err);
    }
    return ExitOk;
}

int planUndertaking(const CLI::App& app, const Options& options, const Context& context) {
    if (const std::optional<std::string> other = otherOption(
            app, {options.file, options.date, options.count, options.firstDue, options.interval,
                  options.downPayment, options.folder, options.json, options.pdf})) {
        return reportUsage({*other + " seçeneği --taahhut ile kullanılamaz."}, context.err);
    }
    claim::ReadOutcome read = claim::readFile(utf8path::fromUtf8(*valueOf(options.file)));
    if (const auto* failure = std::get_if<claim::ReadFailure>(&read)) {
        context.err << failure->message << '\n';
        return failure->kind == claim::ReadFailure::Kind::Refused ? ExitRejected : ExitUsage;
    }
    claim::ClaimFile& file = std::get<claim::ClaimFile>(read);
    std::variant<claim::Undertaking, UsageError> terms = termsOf(file, options);
    if (const auto* usage = std::get_if<UsageError>(&terms)) {
        return reportUsage(*usage, context.err);
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
    const plan::PlanOutcome outcome = plan::makePlan(file, std::get<claim::Undertaking>(terms));
    if (const auto* refusal = std::get_if<claim::Refusal>(&outcome)) {
        context.err << refusalText(*refusal, options) << '\n';
        return ExitRejected;
    }
    const plan::Plan& plan = std::get<plan::Plan>(outcome);
    if (const std::optional<std::string> target = valueOf(options.pdf)) {
        if (const int status = writePdf(*target, file, plan, context); status != ExitOk) {
            return status;
        }
    } else if (given(options.json)) {
        // With --json the notices are in "uyari" only.
        json::write(context.out, jsonDocument(plan));
        return ExitOk;
    } else {
        writeText(context.out, file, plan);
    }
    writeLines(context.err, plan.notices);
    return ExitOk;
}

} // namespace

Verb undertakingVerb(CLI::App& app) {
    const Options options{
        .file = valueOption(app, "--taahhut"),
        .date = valueOption(app, "--tarih"),
        .count = valueOption(app, "--taksit"),
        .firstDue = valueOption(app, "--ilk"),
        .interval = valueOption(app, "--aralik"),
        .downPayment = valueOption(app, "--pesinat"),
        .folder = valueOption(app, "--klasor"),
        .json = flagOption(app, "--json"),
        .pdf = valueOption(app, "--pdf"),
    };
    return {
        .chosen = [options] { return given(options.file); },
        .run = [&app,
                options](const Context& context) { return planUndertaking(app, options, context); },
    };
}

} // namespace mirvane::cli
