#include "core/claim/ClaimFile.h"

#include "core/ratelist/FaizFile.h"
#include "core/ratelist/OleDate.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <cmath>

namespace mirvane::claim {

namespace {

constexpr std::array<std::string_view, 3> ItemKindNames{"anapara", "masraf", "vekalet"};
constexpr std::array<std::string_view, 4> BucketNames{"masraf", "vekalet", "faiz", "anapara"};

Refusal refuse(std::string field, std::string_view text) {
    std::string message = field + ": " + std::string(text);
    return Refusal{std::move(field), std::move(message)};
}

bool inCalendar(Date date) {
    return date >= Date{oledate::Earliest} && date <= Date{oledate::Latest};
}

std::optional<Refusal> checkDate(const std::string& field, Date date) {
    if (!inCalendar(date)) {
        return refuse(field, "Tarih 01.01.1601 ile 31.12.9999 arasında olmalı.");
    }
    return std::nullopt;
}

std::optional<Refusal> checkAmount(const std::string& field, Kurus amount) {
    if (amount <= 0) {
        return refuse(field, "Tutar sıfırdan büyük olmalı.");
    }
    if (amount > MaxAmount) {
        return refuse(field, "Tutar en fazla 10.000.000.000.000,00 TL olabilir.");
    }
    return std::nullopt;
}

bool rateInBounds(double percent) {
    return std::isfinite(percent) && percent >= 0.0 && percent <= MaxRatePercent;
}

std::optional<Refusal> checkRate(const std::string& field, double percent) {
    if (!rateInBounds(percent)) {
        return refuse(field, "Oran 0 ile 1000 arasında bir yüzde olmalı.");
    }
    return std::nullopt;
}

std::optional<Refusal> checkSetOffOrder(const std::vector<Bucket>& order,
                                        std::string field = "mahsup_sirasi") {
    std::vector<Bucket> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    const std::vector<Bucket> all{Bucket::Costs, Bucket::Fee, Bucket::Interest, Bucket::Principal};
    if (sorted != all) {
        return refuse(std::move(field), "\"masraf\", \"vekalet\", \"faiz\" ve \"anapara\" birer "
                                        "kez yer almalı.");
    }
    return std::nullopt;
}

// A list the engine can walk: 1 to 255 periods, each within the calendar, at a rate in
// bounds, each starting the day after the previous one ended.
std::optional<Refusal> checkList(const std::string& name, const std::vector<RatePeriod>& periods) {
    const std::string field = "listeler." + name;
    if (periods.empty() || periods.size() > MaxPeriods) {
        return refuse(field, "Listede 1 ile 255 arasında dönem olmalı.");
    }
    for (std::size_t index = 0; index < periods.size(); ++index) {
        const RatePeriod& period = periods[index];
        const std::string periodField = field + "[" + std::to_string(index + 1) + "]";
        if (!inCalendar(period.StartDate) || !inCalendar(period.EndDate)) {
            return refuse(periodField, "Tarih 01.01.1601 ile 31.12.9999 arasında olmalı.");
        }
        if (auto refusal = checkRate(periodField + ".oran", period.Rate)) {
            return refusal;
        }
        const bool follows =
            index == 0 || period.StartDate == periods[index - 1].EndDate + std::chrono::days{1};
        if (period.StartDate > period.EndDate || !follows) {
            return refuse(periodField, "Dönemler birbirini gün gün izlemiyor.");
        }
    }
    return std::nullopt;
}

std::optional<Refusal> checkPrincipalItem(const ClaimFile& file, const Item& item,
                                          const std::string& field) {
    if (!item.interestStart) {
        return refuse(field + ".faiz_baslangic", "Anapara kaleminin faiz başlangıcı olmalı.");
    }
    if (auto refusal = checkDate(field + ".faiz_baslangic", *item.interestStart)) {
        return refusal;
    }
    if (const auto* fixed = std::get_if<FixedRate>(&item.rate)) {
        return checkRate(field + ".oran.sabit", fixed->percent);
    }
    const std::string& name = std::get<ListRate>(item.rate).name;
    const auto list = file.lists.find(name);
    if (list == file.lists.end()) {
        return refuse(field + ".oran.liste",
                      "\"" + name + "\" listesi ne dosyada ne de liste klasöründe var.");
    }
    if (auto refusal = checkList(name, list->second)) {
        return refusal;
    }
    const Date first = list->second.front().StartDate;
    if (*item.interestStart < first) {
        return refuse(field + ".faiz_baslangic",
                      "Faiz başlangıcı, listenin ilk dönem başlangıcından (" +
                          text::formatDate(first) + ") önce olamaz.");
    }
    return std::nullopt;
}

std::optional<Refusal> checkItem(const ClaimFile& file, std::size_t index) {
    const Item& item = file.items[index];
    const std::string field = itemField(index);
    if (auto refusal = checkAmount(field + ".tutar", item.amount)) {
        return refusal;
    }
    if (item.kind == ItemKind::Principal) {
        return checkPrincipalItem(file, item, field);
    }
    if (!item.date) {
        return refuse(field + ".tarih", "Masraf ve vekalet ücreti kalemlerinin tarihi olmalı.");
    }
    return checkDate(field + ".tarih", *item.date);
}

std::optional<Refusal> checkPayment(const ClaimFile& file, std::size_t index) {
    const Payment& payment = file.payments[index];
    const std::string field = paymentField(index);
    if (auto refusal = checkDate(field + ".tarih", payment.date)) {
        return refusal;
    }
    if (payment.date > file.calculationDate) {
        return refuse(field + ".tarih", "Ödeme tarihi hesap tarihinden (" +
                                            text::formatDate(file.calculationDate) +
                                            ") sonra olamaz.");
    }
    return checkAmount(field + ".tutar", payment.amount);
}

std::optional<Refusal> checkSizes(const ClaimFile& file) {
    if (file.items.size() > MaxItems) {
        return refuse("kalemler", "En fazla 1000 kalem olabilir.");
    }
    if (file.payments.size() > MaxPayments) {
        return refuse("odemeler", "En fazla 10000 ödeme olabilir.");
    }
    const auto principals = static_cast<std::size_t>(
        std::count_if(file.items.begin(), file.items.end(),
                      [](const Item& item) { return item.kind == ItemKind::Principal; }));
    if (principals == 0) {
        return refuse("kalemler", "En az bir anapara kalemi olmalı.");
    }
    if (principals * (file.payments.size() + 1) > MaxSliceBudget) {
        return refuse("odemeler", "Anapara kalemleri ile ödemeler bir hesap için çok fazla.");
    }
    return std::nullopt;
}

bool namesPrincipalItem(const ClaimFile& file, std::int64_t item) {
    return item >= 1 && static_cast<std::uint64_t>(item) <= file.items.size() &&
           file.items[static_cast<std::size_t>(item - 1)].kind == ItemKind::Principal;
}

void applyItemChange(ClaimFile& file, const ItemChange& change) {
    Item& item = file.items[static_cast<std::size_t>(change.item - 1)];
    if (change.rate) {
        item.rate = *change.rate;
    }
    if (change.interestStart) {
        item.interestStart = change.interestStart;
    }
}

std::optional<Refusal> checkItemChange(const ClaimFile& file, ClaimFile& changed,
                                       const ItemChange& change, const std::string& field) {
    if (!change.rate && !change.interestStart) {
        return refuse(field, "Değişiklik kalemin ne oranını ne de faiz başlangıcını "
                             "değiştiriyor.");
    }
    if (!namesPrincipalItem(file, change.item)) {
        const bool exists =
            change.item >= 1 && static_cast<std::uint64_t>(change.item) <= file.items.size();
        return refuse(field + ".kalem",
                      exists ? std::to_string(change.item) + ". kalem bir anapara kalemi değil; "
                                                             "değişiklik yalnız anapara "
                                                             "kalemlerine uygulanır."
                             : "Dosyada " + std::to_string(change.item) + ". kalem yok.");
    }
    applyItemChange(changed, change);
    return checkPrincipalItem(changed, changed.items[static_cast<std::size_t>(change.item - 1)],
                              field);
}

// The change's own fields are named where they fail; what fails only in the file
// the change leaves is named with the alternative.
std::optional<Refusal> checkAlternative(const ClaimFile& file, std::size_t index) {
    const Alternative& alternative = file.alternatives[index];
    const Change& change = alternative.change;
    const std::string field = alternativeField(index) + ".degisiklik";
    if (change.items.empty() && !change.dayBasis && !change.filingDate && !change.setOffOrder) {
        return refuse(field, "Seçenek hesapta hiçbir şeyi değiştirmiyor.");
    }
    if (change.items.size() > MaxItems) {
        return refuse(field + ".kalemler", "En fazla 1000 kalem değişikliği olabilir.");
    }
    ClaimFile changed = withChange(file, Change{});
    for (std::size_t k = 0; k < change.items.size(); ++k) {
        const std::string itemChangeField = field + ".kalemler[" + std::to_string(k + 1) + "]";
        if (auto refusal = checkItemChange(file, changed, change.items[k], itemChangeField)) {
            return refusal;
        }
    }
    if (change.dayBasis && *change.dayBasis != 365 && *change.dayBasis != 360) {
        return refuse(field + ".gun_esasi", "Yıl 365 ya da 360 gün olmalı.");
    }
    if (change.filingDate) {
        if (auto refusal = checkDate(field + ".takip_tarihi", *change.filingDate)) {
            return refusal;
        }
    }
    if (change.setOffOrder) {
        if (auto refusal = checkSetOffOrder(*change.setOffOrder, field + ".mahsup_sirasi")) {
            return refusal;
        }
    }
    if (auto refusal = validate(withChange(file, change))) {
        const std::string name =
            alternative.name.empty() ? std::string() : " (\"" + alternative.name + "\")";
        return Refusal{alternativeField(index),
                       alternativeField(index) + name + " ile: " + refusal->message};
    }
    return std::nullopt;
}

} // namespace

std::string_view itemKindName(ItemKind kind) {
    return ItemKindNames[static_cast<std::size_t>(kind)];
}

std::string_view bucketName(Bucket bucket) {
    return BucketNames[static_cast<std::size_t>(bucket)];
}

std::optional<ItemKind> itemKindNamed(std::string_view name) {
    const auto found = std::find(ItemKindNames.begin(), ItemKindNames.end(), name);
    if (found == ItemKindNames.end()) {
        return std::nullopt;
    }
    return static_cast<ItemKind>(found - ItemKindNames.begin());
}

std::optional<Bucket> bucketNamed(std::string_view name) {
    const auto found = std::find(BucketNames.begin(), BucketNames.end(), name);
    if (found == BucketNames.end()) {
        return std::nullopt;
    }
    return static_cast<Bucket>(found - BucketNames.begin());
}

std::string itemField(std::size_t index) {
    return "kalemler[" + std::to_string(index + 1) + "]";
}

std::string paymentField(std::size_t index) {
    return "odemeler[" + std::to_string(index + 1) + "]";
}

std::string alternativeField(std::size_t index) {
    return "secenekler[" + std::to_string(index + 1) + "]";
}

ClaimFile withChange(const ClaimFile& file, const Change& change) {
    ClaimFile changed;
    changed.title = file.title;
    changed.calculationDate = file.calculationDate;
    changed.filingDate = change.filingDate ? change.filingDate : file.filingDate;
    changed.dayBasis = change.dayBasis.value_or(file.dayBasis);
    changed.setOffOrder = change.setOffOrder.value_or(file.setOffOrder);
    changed.items = file.items;
    changed.payments = file.payments;
    changed.lists = file.lists;
    changed.report = file.report;
    changed.undertaking = file.undertaking;
    for (const ItemChange& itemChange : change.items) {
        if (namesPrincipalItem(file, itemChange.item)) {
            applyItemChange(changed, itemChange);
        }
    }
    return changed;
}

std::optional<Refusal> validate(const ClaimFile& file) {
    if (auto refusal = checkSizes(file)) {
        return refusal;
    }
    if (file.dayBasis != 365 && file.dayBasis != 360) {
        return refuse("gun_esasi", "Yıl 365 ya da 360 gün olmalı.");
    }
    if (auto refusal = checkSetOffOrder(file.setOffOrder)) {
        return refusal;
    }
    if (auto refusal = checkDate("hesap_tarihi", file.calculationDate)) {
        return refusal;
    }
    if (file.filingDate) {
        if (auto refusal = checkDate("takip_tarihi", *file.filingDate)) {
            return refusal;
        }
    }
    for (std::size_t index = 0; index < file.items.size(); ++index) {
        if (auto refusal = checkItem(file, index)) {
            return refusal;
        }
    }
    for (std::size_t index = 0; index < file.payments.size(); ++index) {
        if (auto refusal = checkPayment(file, index)) {
            return refusal;
        }
    }
    if (file.alternatives.size() > MaxAlternatives) {
        return refuse("secenekler",
                      "En fazla " + std::to_string(MaxAlternatives) + " seçenek olabilir.");
    }
    for (std::size_t index = 0; index < file.alternatives.size(); ++index) {
        if (auto refusal = checkAlternative(file, index)) {
            return refusal;
        }
    }
    return std::nullopt;
}

std::vector<std::string> listsUsed(const ClaimFile& file) {
    std::vector<std::string> names;
    for (const Item& item : file.items) {
        const auto* list = std::get_if<ListRate>(&item.rate);
        if (item.kind == ItemKind::Principal && list &&
            std::find(names.begin(), names.end(), list->name) == names.end()) {
            names.push_back(list->name);
        }
    }
    for (const Alternative& alternative : file.alternatives) {
        for (const ItemChange& change : alternative.change.items) {
            const auto* list = change.rate ? std::get_if<ListRate>(&*change.rate) : nullptr;
            if (list && std::find(names.begin(), names.end(), list->name) == names.end()) {
                names.push_back(list->name);
            }
        }
    }
    return names;
}

void copyReadyLists(ClaimFile& file) {
    for (const std::string& name : listsUsed(file)) {
        if (file.lists.contains(name)) {
            continue;
        }
        if (const RateList* ready = rates::readyList(name)) {
            file.lists.emplace(name, ready->Periods);
        }
    }
}

std::vector<UnreadableList> copyMissingLists(ClaimFile& file,
                                             const std::filesystem::path& listFolder) {
    std::vector<UnreadableList> unreadable;
    for (const std::string& name : listsUsed(file)) {
        if (file.lists.contains(name)) {
            continue;
        }
        // A name that would lead out of the folder is no list of it.
        if (name.empty() || name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos ||
            name == "." || name == "..") {
            continue;
        }
        const std::filesystem::path path = store::listFilePath(listFolder, name);
        Result<RateList> list = faiz::read(path);
        if (list) {
            file.lists.emplace(name, std::move(list.value().Periods));
        } else if (std::error_code error; std::filesystem::exists(path, error)) {
            unreadable.push_back({name, path, list.error()});
        }
    }
    copyReadyLists(file);
    return unreadable;
}

} // namespace mirvane::claim
