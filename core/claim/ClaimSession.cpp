#include "core/claim/ClaimSession.h"

#include "core/claim/ClaimJson.h"
#include "core/claim/ClaimTexts.h"
#include "core/common/Utf8Path.h"
#include "core/rates/ReadyLists.h"
#include "core/settings/ProgramSettings.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace mirvane::claim {

namespace {

bool sameRow(const RefusalPlace& a, const RefusalPlace& b) {
    return a.part == b.part && a.index == b.index;
}

bool sameSource(const store::ListSource& a, const store::ListSource& b) {
    return a.folder == b.folder && a.builtIn == b.builtIn;
}

} // namespace

ProblemPlace problemPlace(const RefusalPlace& place) {
    using Part = RefusalPlace::Part;
    using Section = ProblemPlace::Section;
    const bool row = place.part == Part::Item || place.part == Part::Payment;
    ProblemPlace shown{Section::File, row ? place.index : std::nullopt};
    if (place.part == Part::Item || place.part == Part::List || place.field == "kalemler") {
        shown.section = Section::Items;
    } else if (place.part == Part::Payment || place.field == "odemeler") {
        shown.section = Section::Payments;
    }
    return shown;
}

std::vector<std::string> FolderComparison::differing(const store::ListSource& source,
                                                     const ClaimFile& file) {
    // The program's own lists never change while it runs.
    std::vector<store::ListFileState> state =
        source.builtIn ? std::vector<store::ListFileState>{} : store::folderState(source.folder);
    if (!source_ || !sameSource(*source_, source) || state != state_) {
        source_ = source;
        state_ = std::move(state);
        lists_.clear();
    }
    std::vector<std::string> differing;
    for (const std::string& name : listsUsed(file)) {
        const auto copy = file.lists.find(name);
        if (copy == file.lists.end()) {
            continue;
        }
        auto known = lists_.find(name);
        if (known == lists_.end()) {
            Result<RateList> current = store::readList(source, name);
            ++reads_;
            std::optional<std::vector<RatePeriod>> periods;
            if (current) {
                periods = std::move(current.value().Periods);
            }
            known = lists_.emplace(name, std::move(periods)).first;
        }
        if (known->second && *known->second != copy->second) {
            differing.push_back(name);
        }
    }
    return differing;
}

ClaimSession::ClaimSession(std::filesystem::path recoveryFolder, settings::SettingsStore* settings)
    : settings_(settings), recovery_(std::move(recoveryFolder)) {}

void ClaimSession::open(ClaimFile file, std::optional<std::filesystem::path> path) {
    reset(std::move(file), std::move(path));
    if (path_) {
        rememberRecent(*path_);
    }
}

void ClaimSession::reset(ClaimFile file, std::optional<std::filesystem::path> path) {
    file_ = std::move(file);
    path_ = std::move(path);
    modified_ = false;
    fieldError_.reset();
    freshRow_.reset();
    deleted_.clear();
    recovery_.discard();
}

// A recovered file is no file the user opened: the recent files stay as they are.
void ClaimSession::recover(ClaimFile file, const FoundCopy& found) {
    reset(std::move(file), found.copy.file);
    recovery_.adopt(found.path);
    modified_ = true;
}

void ClaimSession::changed(Clock::time_point now) {
    modified_ = true;
    recovery_.changed(now);
}

bool ClaimSession::recompute() {
    const std::optional<ClaimResult> before = std::move(result_);
    result_.reset();
    problem_ = fieldError_;
    if (!problem_) {
        ClaimOutcome outcome = compute(file_);
        if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
            problem_ = inWords(*refusal);
        } else {
            result_ = std::move(std::get<ClaimResult>(outcome));
        }
    }
    return !result_ || !before || *result_ != *before;
}

std::optional<WordedRefusal> ClaimSession::shownProblem() const {
    if (problem_ && freshRow_ && sameRow(problem_->place, *freshRow_)) {
        return std::nullopt;
    }
    return problem_;
}

namespace {

// A gap the window finds itself, worded as the engine's refusals are.
WordedRefusal rowProblem(RefusalPlace::Part part, std::size_t row, const char* field,
                         const std::string& what) {
    RefusalPlace place{part, row, field, {}};
    return {place, ownerOf(place) + " " + what};
}

WordedRefusal fileProblem(const char* field, const char* text) {
    return {RefusalPlace{RefusalPlace::Part::File, std::nullopt, field, {}}, text};
}

bool blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isspace(c) != 0; });
}

} // namespace

void ClaimSession::editHeader(const HeaderFields& fields) {
    file_.title = fields.title;
    fieldError_.reset();
    if (fields.calculationDate) {
        file_.calculationDate = *fields.calculationDate;
    } else {
        fieldError_ = fileProblem("hesap_tarihi", "Hesap tarihi girilmemiş.");
    }
    file_.filingDate.reset();
    if (fields.filed) {
        file_.filingDate = fields.filingDate;
        if (!file_.filingDate && !fieldError_) {
            fieldError_ = fileProblem("takip_tarihi", "Takip tarihi girilmemiş.");
        }
    }
    file_.dayBasis = fields.dayBasis;
}

void ClaimSession::editItem(std::size_t row, const ItemFields& fields) {
    Item& item = file_.items.at(row);
    const auto problem = [row](const char* field, const std::string& what) {
        return rowProblem(RefusalPlace::Part::Item, row, field, what);
    };
    fieldError_.reset();
    item.description = fields.description;
    const std::optional<Kurus> amount = parseKurus(fields.amount);
    item.amount = amount.value_or(0);
    if (!amount && !blank(fields.amount)) {
        fieldError_ = problem("tutar", "tutarı geçerli değil (en çok iki ondalık).");
    }
    const bool principal = item.kind == ItemKind::Principal;
    (principal ? item.interestStart : item.date) = fields.date;
    if (!fields.date && !fieldError_) {
        fieldError_ = principal ? problem("faiz_baslangic", "faiz başlangıcı girilmemiş.")
                                : problem("tarih", "tarihi girilmemiş.");
    }
    if (!principal) {
        return;
    }
    if (fields.fixedRate) {
        const std::optional<double> percent = text::parseNumber(fields.fixedPercent);
        item.rate = FixedRate{percent.value_or(0.0)};
        if (!percent && !fieldError_) {
            fieldError_ = problem("oran.sabit", "sabit oranı girilmemiş.");
        }
    } else {
        item.rate = ListRate{fields.listName};
    }
}

void ClaimSession::editPayment(std::size_t row, const PaymentFields& fields) {
    Payment& payment = file_.payments.at(row);
    const auto problem = [row](const char* field, const std::string& what) {
        return rowProblem(RefusalPlace::Part::Payment, row, field, what);
    };
    fieldError_.reset();
    payment.description = fields.description;
    const std::optional<Kurus> amount = parseKurus(fields.amount);
    payment.amount = amount.value_or(0);
    if (!amount && !blank(fields.amount)) {
        fieldError_ = problem("tutar", "tutarı geçerli değil (en çok iki ondalık).");
    }
    if (fields.date) {
        payment.date = *fields.date;
    } else if (!fieldError_) {
        fieldError_ = problem("tarih", "tarihi girilmemiş.");
    }
}

void ClaimSession::setItemKind(std::size_t row, ItemKind kind) {
    Item& item = file_.items.at(row);
    const std::optional<Date> date =
        item.kind == ItemKind::Principal ? item.interestStart : item.date;
    item.kind = kind;
    item.interestStart = kind == ItemKind::Principal ? date : std::nullopt;
    item.date = kind == ItemKind::Principal ? std::nullopt : date;
}

std::size_t ClaimSession::addItem(const std::string& firstList) {
    Item item;
    item.kind = ItemKind::Principal;
    item.interestStart = file_.calculationDate;
    const auto previous = std::find_if(file_.items.rbegin(), file_.items.rend(),
                                       [](const Item& i) { return i.kind == ItemKind::Principal; });
    if (previous != file_.items.rend()) {
        item.rate = previous->rate;
    } else if (!firstList.empty()) {
        item.rate = ListRate{firstList};
    }
    file_.items.push_back(std::move(item));
    const std::size_t row = file_.items.size() - 1;
    freshRow_ = RefusalPlace{RefusalPlace::Part::Item, row, {}, {}};
    return row;
}

std::size_t ClaimSession::addPayment() {
    file_.payments.push_back({file_.calculationDate, 0, {}});
    const std::size_t row = file_.payments.size() - 1;
    freshRow_ = RefusalPlace{RefusalPlace::Part::Payment, row, {}, {}};
    return row;
}

bool ClaimSession::moveBucket(std::size_t index, int step) {
    const std::ptrdiff_t target = std::ptrdiff_t(index) + step;
    if (index >= file_.setOffOrder.size() || target < 0 ||
        target >= std::ptrdiff_t(file_.setOffOrder.size())) {
        return false;
    }
    std::swap(file_.setOffOrder[index], file_.setOffOrder[std::size_t(target)]);
    return true;
}

bool ClaimSession::useDefaultSetOffOrder() {
    const std::vector<Bucket> order(DefaultSetOffOrder.begin(), DefaultSetOffOrder.end());
    if (file_.setOffOrder == order) {
        return false;
    }
    file_.setOffOrder = order;
    return true;
}

// The program's own lists stand in for a folder that holds none.
void ClaimSession::copyMissingLists(const store::ListSource& source) {
    if (!source.builtIn) {
        claim::copyMissingLists(file_, source.folder);
        return;
    }
    for (const std::string& name : listsUsed(file_)) {
        if (file_.lists.contains(name)) {
            continue;
        }
        if (const Result<RateList> list = store::readList(source, name)) {
            file_.lists.emplace(name, list.value().Periods);
        }
    }
}

bool ClaimSession::deleteItem(std::size_t index) {
    if (index >= file_.items.size()) {
        return false;
    }
    deleted_.push_back({true, index, file_.items[index], {}});
    freshRow_.reset();
    file_.items.erase(file_.items.begin() + std::ptrdiff_t(index));
    return true;
}

bool ClaimSession::deletePayment(std::size_t index) {
    if (index >= file_.payments.size()) {
        return false;
    }
    deleted_.push_back({false, index, {}, file_.payments[index]});
    freshRow_.reset();
    file_.payments.erase(file_.payments.begin() + std::ptrdiff_t(index));
    return true;
}

std::optional<ClaimSession::Deleted> ClaimSession::undo() {
    if (deleted_.empty()) {
        return std::nullopt;
    }
    Deleted last = std::move(deleted_.back());
    deleted_.pop_back();
    if (last.isItem) {
        last.index = std::min(last.index, file_.items.size());
        file_.items.insert(file_.items.begin() + std::ptrdiff_t(last.index), last.item);
    } else {
        last.index = std::min(last.index, file_.payments.size());
        file_.payments.insert(file_.payments.begin() + std::ptrdiff_t(last.index), last.payment);
    }
    return last;
}

// Copies of lists no item uses any more are not written.
Status ClaimSession::save(const std::filesystem::path& path) {
    const std::vector<std::string> used = listsUsed(file_);
    std::erase_if(file_.lists, [&used](const auto& entry) {
        return std::find(used.begin(), used.end(), entry.first) == used.end();
    });
    const Status written = writeFile(path, file_);
    if (!written) {
        return written;
    }
    path_ = path;
    modified_ = false;
    recovery_.discard();
    rememberRecent(path);
    return {};
}

void ClaimSession::rememberRecent(const std::filesystem::path& path) {
    if (settings_) {
        settings::RecentClaimFiles(*settings_).remember(utf8path::toUtf8(path));
    }
}

std::vector<std::filesystem::path> ClaimSession::recentFiles() const {
    std::vector<std::filesystem::path> files;
    if (settings_) {
        for (const std::string& file : settings::RecentClaimFiles(*settings_).files()) {
            files.push_back(utf8path::fromUtf8(file));
        }
    }
    return files;
}

void ClaimSession::discardChanges() {
    recovery_.discard();
}

Status ClaimSession::keepRecoveryCopy(Clock::time_point now) {
    if (!modified_) {
        return {};
    }
    return recovery_.keep(now, {path_, file_.title, toJson(file_)});
}

std::vector<std::string> ClaimSession::listsDifferingFromFolder(const store::ListSource& source) {
    return folder_.differing(source, file_);
}

void ClaimSession::takeFolderLists(const store::ListSource& source) {
    for (const std::string& name : listsDifferingFromFolder(source)) {
        Result<RateList> current = store::readList(source, name);
        if (current) {
            file_.lists[name] = std::move(current.value().Periods);
        }
    }
}

std::string ClaimSession::undoCaption() const {
    if (deleted_.empty()) {
        return "&Geri Al";
    }
    const Deleted& last = deleted_.back();
    return "&Geri Al: " + std::to_string(last.index + 1) + ". " +
           (last.isItem ? "kalemin" : "ödemenin") + " silinmesi";
}

bool ClaimSession::untouched() const {
    return !path_ && !modified_ && file_.items.empty() && file_.payments.empty();
}

std::vector<std::string> ClaimSession::rateChoices(const store::ListSource& source) const {
    std::set<std::string> names;
    if (const Result<store::Listing> listing = store::listNames(source)) {
        names.insert(listing.value().names.begin(), listing.value().names.end());
    }
    for (const auto& [name, periods] : file_.lists) {
        names.insert(name);
    }
    for (const RateList& list : rates::readyLists()) {
        names.insert(list.Name);
    }
    return {names.begin(), names.end()};
}

} // namespace mirvane::claim
