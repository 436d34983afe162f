// The calculation over a named list (--liste), a list file (--dosya) or a ready list
// the program carries (--hazir): the period breakdown of simple interest, as text or
// as JSON.

#include "cli/JsonOutput.h"
#include "cli/Verbs.h"
#include "core/common/Utf8Path.h"
#include "core/interest/Breakdown.h"
#include "core/interest/InterestEngine.h"
#include "core/ratelist/FaizFile.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/ReadyLists.h"
#include "core/text/Amount.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace mirvane::cli {

namespace {

namespace fs = std::filesystem;

template <class T> using OrUsage = std::variant<T, UsageError>;
// A list, or why there is none: the arguments, or a folder that could not be prepared.
using ListOrFailure = std::variant<RateList, UsageError, RunTimeError>;

struct Options {
    const CLI::Option* listName;
    const CLI::Option* file;
    const CLI::Option* readyName;
    const CLI::Option* principal;
    const CLI::Option* start;
    const CLI::Option* end;
    const CLI::Option* folder;
    const CLI::Option* yearIs360;
    const CLI::Option* json;
};

std::optional<UsageError> checkOptions(const CLI::App& app, const Options& options) {
    const int sources =
        int(given(options.listName)) + int(given(options.file)) + int(given(options.readyName));
    if (sources > 1) {
        return UsageError{
            "--liste, --dosya ve --hazir birlikte kullanılamaz; yalnızca birini verin."};
    }
    if (sources == 0) {
        return UsageError{"Hesaplama için --liste AD, --dosya YOL ya da --hazir AD gerekli."};
    }
    for (const CLI::Option* required : {options.principal, options.start, options.end}) {
        if (!given(required)) {
            return UsageError{required->get_name() + " seçeneği gerekli."};
        }
    }
    if (const std::optional<std::string> other = otherOption(
            app, {options.listName, options.file, options.readyName, options.principal,
                  options.start, options.end, options.folder, options.yearIs360, options.json})) {
        return UsageError{*other + " seçeneği hesaplamada kullanılamaz."};
    }
    return std::nullopt;
}

OrUsage<Date> parseDateOption(const CLI::Option* option) {
    const std::string value = *valueOf(option);
    if (std::optional<Date> date = text::parseDate(value)) {
        return *date;
    }
    return UsageError{option->get_name() + " için geçersiz tarih: " + inQuotes(value) +
                      ". Tarih GG.AA.YYYY biçiminde olmalı (örnek: 01.07.2005)."};
}

// An empty principal is the calculation's own refusal; any other text must be an
// amount the principal field could hold.
std::optional<UsageError> checkPrincipal(const std::string& principal) {
    const bool empty = principal.find_first_not_of(" \t") == std::string::npos;
    if (empty || text::parseAmount(principal)) {
        return std::nullopt;
    }
    return UsageError{"--anapara için geçersiz tutar: " + inQuotes(principal) +
                      ". Ondalık ayırıcı tek bir virgül, binlik ayırıcı noktadır, en fazla " +
                      std::to_string(text::AmountDigitLimit) + " hane (örnek: 1.234,50)."};
}

OrUsage<RateList> readFile(const fs::path& file) {
    Result<RateList> list = faiz::read(file);
    if (!list) {
        return UsageError{listFileUnreadable(file, list.error())};
    }
    return std::move(list).value();
}

ListOrFailure widened(OrUsage<RateList> list) {
    return std::visit([](auto&& alternative) -> ListOrFailure { return std::move(alternative); },
                      std::move(list));
}

ListOrFailure readNamedList(const Options& options, const fs::path& programFolder) {
    const auto opened = openListFolder(valueOf(options.folder), programFolder);
    if (const auto* usage = std::get_if<UsageError>(&opened)) {
        return *usage;
    }
    if (const auto* failure = std::get_if<RunTimeError>(&opened)) {
        return *failure;
    }
    const ListFolder* folder = &std::get<ListFolder>(opened);
    const std::string name = *valueOf(options.listName);
    const auto matched = matchListName(name, folder->listing.names);
    if (const auto* ambiguous = std::get_if<UsageError>(&matched)) {
        return *ambiguous;
    }
    if (std::holds_alternative<std::monostate>(matched)) {
        return UsageError{inQuotes(name) + " adlı faiz oranı listesi " +
                          inQuotes(utf8path::toUtf8(folder->path)) +
                          " klasöründe bulunamadı. Listeleri görmek için: mirvane-hesap "
                          "--listeler"};
    }
    return widened(readFile(store::listFilePath(folder->path, std::get<std::string>(matched))));
}

// A ready list is computed as carried, without a folder.
OrUsage<RateList> readyList(const Options& options) {
    const std::string name = *valueOf(options.readyName);
    std::vector<std::string> names;
    for (const RateList& list : rates::readyLists()) {
        names.push_back(list.Name);
    }
    const auto matched = matchListName(name, names);
    if (const auto* ambiguous = std::get_if<UsageError>(&matched)) {
        return *ambiguous;
    }
    if (const auto* found = std::get_if<std::string>(&matched)) {
        return *rates::readyList(*found);
    }
    return UsageError{inQuotes(name) + " adlı hazır liste yok. Hazır listeleri görmek için: "
                                       "mirvane-hesap --hazir-listeler"};
}

ListOrFailure readList(const Options& options, const fs::path& programFolder) {
    if (given(options.readyName)) {
        return widened(readyList(options));
    }
    if (given(options.file)) {
        return widened(readFile(utf8path::fromUtf8(*valueOf(options.file))));
    }
    return readNamedList(options, programFolder);
}

json::Json jsonRow(const interest::InterestRow& row) {
    return {{"donem", row.PeriodNumber},
            {"baslangic", text::formatIsoDate(row.StartDate)},
            {"bitis", text::formatIsoDate(row.EndDate)},
            {"oran", json::number(row.Rate)},
            {"gun", row.Days},
            {"miktar", json::shortCents(row.Amount)},
            {"tutar", json::shortCents(row.RunningTotal)}};
}

// null when the list covered the whole range.
json::Json jsonRunOn(const std::optional<interest::RunOnPastListEnd>& runOn) {
    if (!runOn) {
        return nullptr;
    }
    return {{"metin", breakdown::runOnNotice(*runOn)},
            {"son_bitis", text::formatIsoDate(runOn->listEnd)},
            {"oran", json::number(runOn->rate)},
            {"baslangic", text::formatIsoDate(runOn->from)},
            {"gun", runOn->days},
            {"denetlendi", runOn->checkedToListEnd}};
}

json::Json jsonDocument(std::string_view listName, const interest::Calculation& calculation) {
    json::Json rows = json::Json::array();
    for (const interest::InterestRow& row : calculation.rows) {
        rows.push_back(jsonRow(row));
    }
    return {{"liste", listName},
            {"satirlar", std::move(rows)},
            {"toplam", json::shortCents(calculation.total)},
            {"uyari", jsonRunOn(calculation.ranPastListEnd)}};
}

std::string breakdownText(const interest::Calculation& calculation) {
    std::vector<breakdown::RowCells> rows;
    rows.reserve(calculation.rows.size());
    for (const interest::InterestRow& row : calculation.rows) {
        rows.push_back(breakdown::rowCells(row));
    }
    return breakdown::exportTextForTerminal(rows, breakdown::totalText(calculation.total)) + '\n' +
           std::string(breakdown::StartDayNote) + '\n';
}

int calculate(const CLI::App& app, const Options& options, const Context& context) {
    if (std::optional<UsageError> usage = checkOptions(app, options)) {
        return reportUsage(*usage, context.err);
    }
    const std::string principal = *valueOf(options.principal);
    if (std::optional<UsageError> usage = checkPrincipal(principal)) {
        return reportUsage(*usage, context.err);
    }
    const OrUsage<Date> start = parseDateOption(options.start);
    const OrUsage<Date> end = parseDateOption(options.end);
    for (const OrUsage<Date>* date : {&start, &end}) {
        if (const UsageError* usage = std::get_if<UsageError>(date)) {
            return reportUsage(*usage, context.err);
        }
    }
    const ListOrFailure list = readList(options, context.programFolder);
    if (const std::optional<int> failed = reportedFailure(list, context.err)) {
        return *failed;
    }
    const RateList& rateList = std::get<RateList>(list);
    const interest::Inputs inputs{std::get<Date>(start), std::get<Date>(end), principal,
                                  interest::dayCountDivisor(given(options.yearIs360))};
    const interest::Outcome outcome = interest::calculate(rateList, inputs);
    if (const auto* rejection = std::get_if<interest::Rejection>(&outcome)) {
        context.err << rejection->message << '\n';
        return ExitRejected;
    }
    const auto& calculation = std::get<interest::Calculation>(outcome);
    if (calculation.failure) {
        return reportRunTimeError(*calculation.failure, context.err);
    }
    // With --json the notice is a part of the document; a script reads it there.
    if (given(options.json)) {
        json::write(context.out, jsonDocument(rateList.Name, calculation));
        return ExitOk;
    }
    context.out << breakdownText(calculation);
    if (calculation.ranPastListEnd) {
        context.err << breakdown::runOnNotice(*calculation.ranPastListEnd) << '\n';
    }
    return ExitOk;
}

} // namespace

Verb calculationVerb(CLI::App& app) {
    const Options options{
        .listName = valueOption(app, "--liste"),
        .file = valueOption(app, "--dosya"),
        .readyName = valueOption(app, "--hazir"),
        .principal = valueOption(app, "--anapara"),
        .start = valueOption(app, "--baslangic"),
        .end = valueOption(app, "--bitis"),
        .folder = valueOption(app, "--klasor"),
        .yearIs360 = flagOption(app, "--360"),
        .json = flagOption(app, "--json"),
    };
    return {
        .chosen =
            [options] {
                return given(options.listName) || given(options.file) || given(options.readyName);
            },
        .run = [&app, options](const Context& context) { return calculate(app, options, context); },
    };
}

} // namespace mirvane::cli
