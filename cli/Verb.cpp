#include "cli/Verb.h"

#include "cli/HesapCli.h"
#include "core/app/AppInfo.h"
#include "core/common/Utf8Path.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/DefaultLists.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <iterator>

namespace mirvane::cli {

namespace {

constexpr std::string_view HelpHint = "Kullanım için: mirvane-hesap --help";

} // namespace

CLI::Option* valueOption(CLI::App& app, const std::string& name) {
    if (CLI::Option* shared = app.get_option_no_throw(name)) {
        return shared;
    }
    // Every value is kept so that a repeated option can be refused by name rather
    // than one of its values silently winning.
    return app.add_option(name)->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

CLI::Option* flagOption(CLI::App& app, const std::string& name) {
    if (CLI::Option* shared = app.get_option_no_throw(name)) {
        return shared;
    }
    return app.add_flag(name)->disable_flag_override();
}

bool given(const CLI::Option* option) {
    return option->count() > 0;
}

std::optional<std::string> valueOf(const CLI::Option* option) {
    if (option->results().empty()) {
        return std::nullopt;
    }
    return option->results().front();
}

std::optional<std::string> otherOption(const CLI::App& app,
                                       std::initializer_list<const CLI::Option*> accepted) {
    for (const CLI::Option* option : app.parse_order()) {
        if (std::find(accepted.begin(), accepted.end(), option) == accepted.end()) {
            return option->get_name();
        }
    }
    return std::nullopt;
}

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string listFileUnreadable(const std::filesystem::path& file, const RunTimeError& error) {
    return "Liste dosyası okunamadı: " + inQuotes(utf8path::toUtf8(file)) + " (" +
           std::string(app::ErrorNumberLabel) + " " + std::to_string(error.number) + ", " +
           error.description + ").";
}

std::variant<std::monostate, std::string, UsageError>
matchListName(std::string_view wanted, const std::vector<std::string>& names) {
    if (std::find(names.begin(), names.end(), wanted) != names.end()) {
        return std::string(wanted);
    }
    const std::string folded = text::turkishLowerCase(wanted);
    std::vector<std::string> fitting;
    std::copy_if(names.begin(), names.end(), std::back_inserter(fitting),
                 [&](const std::string& name) { return text::turkishLowerCase(name) == folded; });
    if (fitting.empty()) {
        return std::monostate{};
    }
    if (fitting.size() == 1) {
        return fitting.front();
    }
    std::string listed;
    for (const std::string& name : fitting) {
        listed += (listed.empty() ? "" : ", ") + inQuotes(name);
    }
    return UsageError{inQuotes(wanted) +
                      " adı büyük-küçük harf ayrımı olmadan birden çok listeye "
                      "uyuyor: " +
                      listed + ". Listenin adını harfleriyle tam yazın."};
}

int reportUsage(const UsageError& usage, std::ostream& err) {
    err << usage.message << '\n' << HelpHint << '\n';
    return ExitUsage;
}

void writeLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

int reportRunTimeError(const RunTimeError& error, std::ostream& err) {
    err << app::ErrorNumberLabel << ' ' << error.number << '\n'
        << app::ErrorMessageLabel << ' ' << error.description << '\n';
    return ExitRunTime;
}

std::variant<ListFolder, UsageError, RunTimeError>
openListFolder(const std::optional<std::string>& folder,
               const std::filesystem::path& programFolder) {
    if (folder && folder->empty()) {
        // Never the current directory by accident.
        return UsageError{"--klasor için boş olmayan bir klasör adı gerekli."};
    }
    const std::filesystem::path chosen =
        folder ? utf8path::fromUtf8(*folder) : store::chooseListFolder(programFolder);
    if (const Status prepared = store::prepareFolder(chosen); !prepared) {
        return prepared.error();
    }
    Result<store::Listing> listing = store::enumerateListNames(chosen);
    if (!listing) {
        return listing.error();
    }
    return ListFolder{chosen, std::move(listing).value()};
}

} // namespace mirvane::cli
