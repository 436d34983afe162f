#include "core/rates/RateSource.h"

#include "core/common/SafeFile.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/RateData.h"
#include "core/rates/RatePackage.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"

#include <fstream>
#include <list>
#include <mutex>
#include <sstream>
#include <stdexcept>

namespace mirvane::rates {

namespace {

[[noreturn]] void breaks(std::string_view file, std::string_view why) {
    throw std::invalid_argument(std::string(file) + ": " + std::string(why));
}

Table tableOf(std::string_view file, const std::string& text, std::size_t rateCount) {
    Table table;
    try {
        table = parseTable(text);
    } catch (const std::invalid_argument& error) {
        breaks(file, error.what());
    }
    if (table.headings.size() != rateCount + 2) {
        breaks(file, "tabloda " + std::to_string(rateCount) + " oran sütunu olmalı");
    }
    return table;
}

Date checkDayOf(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        if (const std::optional<Date> day = text::parseDate(line)) {
            return *day;
        }
        breaks("checked-on.txt", "denetim günü okunamadı: " + line);
    }
    breaks("checked-on.txt", "denetim günü yok");
}

// Every set of data ever used stays alive, so that what was handed out stays valid
// after a package is installed or removed while the program runs.
struct Loaded {
    std::mutex mutex;
    std::list<RateData> kept;
    const RateData* active = nullptr;
    std::optional<std::string> problem;
};

Loaded& loaded() {
    static Loaded state;
    return state;
}

std::optional<std::string> readWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

RateData rateDataOf(const RateTexts& texts, std::string packageVersion) {
    RateData data{tableOf("statutory.tsv", texts.statutory, 1),
                  tableOf("central-bank.tsv", texts.centralBank, 2),
                  tableOf("late-payment.tsv", texts.latePayment, 1),
                  checkDayOf(texts.checkedOn),
                  std::move(packageVersion),
                  {},
                  {}};
    // The central bank's rates are known up to the day they were checked; the yearly
    // rates run to the end of the year they were set for.
    if (data.centralBank.lastDay != data.checkedOn) {
        breaks("central-bank.tsv", "son gün (bitiş) denetim günü olmalı");
    }
    data.readyLists = readyListsOf(data.statutory, data.centralBank, data.latePayment);
    data.defaultLists.assign(data.readyLists.begin(), data.readyLists.begin() + 3);
    for (const RateList& list : data.readyLists) {
        if (list.Periods.empty() || list.Periods.size() > MaxPeriods) {
            breaks(list.Name, "hazır listenin dönem sayısı 1 ile " + std::to_string(MaxPeriods) +
                                  " arasında olmalı");
        }
    }
    return data;
}

RateTexts builtInTexts() {
    return {std::string(data::statutory()), std::string(data::centralBank()),
            std::string(data::latePayment()), std::string(data::checkedOn())};
}

const RateData& builtInRates() {
    static const RateData data = rateDataOf(builtInTexts(), "");
    return data;
}

const RateData& activeRates() {
    Loaded& state = loaded();
    const std::lock_guard lock(state.mutex);
    if (state.active) {
        return *state.active;
    }
    state.active = &builtInRates();
    state.problem.reset();
    const std::optional<std::filesystem::path> file = installedPackagePath();
    if (!file) {
        return *state.active;
    }
    std::error_code error;
    if (!std::filesystem::exists(*file, error)) {
        return *state.active;
    }
    const std::optional<std::string> bytes = readWhole(*file);
    if (!bytes) {
        state.problem = "Kurulu oran paketi okunamadı: " + file->string();
        return *state.active;
    }
    Result<Package> package = readPackage(*bytes, trustedKey());
    if (!package) {
        state.problem = package.error().description;
    } else if (package.value().data.checkedOn <= builtInRates().checkedOn) {
        // A newer program carries newer data of its own.
        state.problem = "Kurulu oran paketi " + package.value().version +
                        " programla gelen oranlardan yeni değil; programın oranları kullanılıyor.";
    } else {
        state.active = &state.kept.emplace_back(std::move(package.value().data));
    }
    return *state.active;
}

std::optional<std::string> installedPackageProblem() {
    activeRates();
    Loaded& state = loaded();
    const std::lock_guard lock(state.mutex);
    return state.problem;
}

void forgetActiveRates() {
    Loaded& state = loaded();
    const std::lock_guard lock(state.mutex);
    state.active = nullptr;
    state.problem.reset();
}

std::string rateDataLine(const RateData& data) {
    const std::string line =
        "Faiz oranları " + text::formatDate(data.checkedOn) + " tarihine kadar denetlendi";
    if (data.packageVersion.empty()) {
        return line + ", programla gelen oranlar";
    }
    return line + ", oran paketi " + data.packageVersion;
}

std::string rateDataLine() {
    return rateDataLine(activeRates());
}

std::optional<std::filesystem::path> installedPackagePath() {
    const std::optional<std::filesystem::path> lists = store::perUserListFolder();
    if (!lists) {
        return std::nullopt;
    }
    return lists->parent_path() / "Oranlar" / "oran-paketi.mirvane-oran";
}

} // namespace mirvane::rates
