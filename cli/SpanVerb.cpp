// --sure: a span added to a date, and the last day of a deadline ending on it
// under the chosen procedure, with the steps that moved it, as text or as JSON.

#include "cli/JsonOutput.h"
#include "cli/Verbs.h"
#include "core/deadline/LastDay.h"
#include "core/span/DateSpan.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <array>
#include <utility>
#include <variant>

namespace mirvane::cli {

namespace {

struct Options {
    const CLI::Option* span;
    const CLI::Option* start;
    const CLI::Option* amount;
    const CLI::Option* unit;
    const CLI::Option* procedure;
    const CLI::Option* urgent;
    const CLI::Option* json;
};

struct Request {
    Date start;
    span::Unit unit;
    int amount;
    deadline::Procedure procedure;
    bool urgent;
};

// The amount is a whole number of at most nine digits, as a span is counted.
constexpr std::size_t MaxAmountDigits = 9;

constexpr std::array<std::pair<std::string_view, span::Unit>, 6> UnitNames{{
    {"gun", span::Unit::Day},
    {"gün", span::Unit::Day},
    {"hafta", span::Unit::Week},
    {"ay", span::Unit::Month},
    {"yil", span::Unit::Year},
    {"yıl", span::Unit::Year},
}};

std::optional<UsageError> checkOptions(const CLI::App& app, const Options& options) {
    for (const CLI::Option* required : {options.start, options.amount, options.unit}) {
        if (!given(required)) {
            return UsageError{required->get_name() + " seçeneği --sure ile gerekli."};
        }
    }
    if (const std::optional<std::string> other =
            otherOption(app, {options.span, options.start, options.amount, options.unit,
                              options.procedure, options.urgent, options.json})) {
        return UsageError{*other + " seçeneği --sure ile kullanılamaz."};
    }
    return std::nullopt;
}

std::variant<Request, UsageError> readRequest(const Options& options) {
    Request request{};
    const std::string start = *valueOf(options.start);
    const std::optional<Date> startDate = text::parseDate(start);
    if (!startDate) {
        return UsageError{"--baslangic için geçersiz tarih: " + inQuotes(start) +
                          ". Tarih GG.AA.YYYY biçiminde olmalı (örnek: 17.07.2017)."};
    }
    request.start = *startDate;

    const std::string amount = *valueOf(options.amount);
    if (amount.empty() || amount.size() > MaxAmountDigits ||
        amount.find_first_not_of("0123456789") != std::string::npos) {
        return UsageError{"--miktar için geçersiz değer: " + inQuotes(amount) +
                          ". En çok dokuz basamaklı bir tam sayı olmalı (örnek: 2)."};
    }
    request.amount = span::leadingAmount(amount);

    const std::string unit = *valueOf(options.unit);
    std::string lowerUnit = unit;
    std::transform(lowerUnit.begin(), lowerUnit.end(), lowerUnit.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    const auto named =
        std::find_if(UnitNames.begin(), UnitNames.end(),
                     [&lowerUnit](const auto& entry) { return entry.first == lowerUnit; });
    if (named == UnitNames.end()) {
        return UsageError{"--dilim için geçersiz değer: " + inQuotes(unit) +
                          ". gun, hafta, ay ya da yil olmalı."};
    }
    request.unit = named->second;

    request.procedure = deadline::Procedure::Takvim;
    if (const std::optional<std::string> procedure = valueOf(options.procedure)) {
        const std::optional<deadline::Procedure> parsed = deadline::parseProcedure(*procedure);
        if (!parsed) {
            return UsageError{"--usul için geçersiz değer: " + inQuotes(*procedure) +
                              ". takvim, hmk, iik ya da cmk olmalı."};
        }
        request.procedure = *parsed;
    }
    request.urgent = given(options.urgent);
    return request;
}

json::Json jsonDocument(Date found, const deadline::LastDay& lastDay,
                        const std::vector<std::string>& notices) {
    json::Json steps = json::Json::array();
    for (const deadline::Step& step : lastDay.steps) {
        steps.push_back({{"tarih", text::formatDate(step.reached)}, {"neden", step.reason}});
    }
    return {{"bulunan", text::formatDate(found)},
            {"son_gun", text::formatDate(lastDay.date)},
            {"adimlar", std::move(steps)},
            {"uyari", notices}};
}

void writeText(std::ostream& out, Date found, const deadline::LastDay& lastDay) {
    out << "Bulunan Tarih: " << deadline::dateWithWeekday(found) << '\n';
    for (const deadline::Step& step : lastDay.steps) {
        out << deadline::stepLine(step) << '\n';
    }
    out << "Son Gün: " << deadline::dateWithWeekday(lastDay.date) << '\n';
}

int computeDeadline(const CLI::App& app, const Options& options, const Context& context) {
    if (std::optional<UsageError> usage = checkOptions(app, options)) {
        return reportUsage(*usage, context.err);
    }
    const std::variant<Request, UsageError> read = readRequest(options);
    if (const UsageError* usage = std::get_if<UsageError>(&read)) {
        return reportUsage(*usage, context.err);
    }
    const Request& request = std::get<Request>(read);

    const Result<Date> found = span::advance(request.start, request.unit, request.amount);
    if (!found) {
        return reportRunTimeError(found.error(), context.err);
    }
    const deadline::LastDay lastDay =
        deadline::lastDay(found.value(), request.procedure, request.urgent);

    std::vector<std::string> notices = lastDay.notices;
    if (request.urgent && request.procedure != deadline::Procedure::Hmk &&
        request.procedure != deadline::Procedure::Cmk) {
        notices.insert(notices.begin(),
                       "--ivedi yalnızca --usul hmk ya da cmk ile bir şey değiştirir.");
    }
    // With --json the notices are a part of the document; a script reads them there.
    if (given(options.json)) {
        json::write(context.out, jsonDocument(found.value(), lastDay, notices));
        return ExitOk;
    }
    writeText(context.out, found.value(), lastDay);
    for (const std::string& notice : notices) {
        context.err << "Uyarı: " << notice << '\n';
    }
    return ExitOk;
}

} // namespace

Verb spanVerb(CLI::App& app) {
    const Options options{
        .span = flagOption(app, "--sure"),
        .start = valueOption(app, "--baslangic"),
        .amount = valueOption(app, "--miktar"),
        .unit = valueOption(app, "--dilim"),
        .procedure = valueOption(app, "--usul"),
        .urgent = flagOption(app, "--ivedi"),
        .json = flagOption(app, "--json"),
    };
    return {
        .chosen = [options] { return given(options.span); },
        .run = [&app,
                options](const Context& context) { return computeDeadline(app, options, context); },
    };
}

} // namespace mirvane::cli
