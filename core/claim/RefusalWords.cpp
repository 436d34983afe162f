#include "core/claim/RefusalWords.h"

#include <array>
#include <string_view>
#include <utility>

namespace mirvane::claim {

namespace {

// "[12]" at the start of `rest`: the number, and what follows the bracket.
std::optional<std::pair<std::size_t, std::string_view>> bracketed(std::string_view rest) {
    if (rest.empty() || rest.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = rest.find(']');
    if (close == std::string_view::npos || close == 1) {
        return std::nullopt;
    }
    std::size_t number = 0;
    for (const char c : rest.substr(1, close - 1)) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + std::size_t(c - '0');
    }
    if (number == 0) {
        return std::nullopt;
    }
    std::string_view after = rest.substr(close + 1);
    if (!after.empty() && after.front() == '.') {
        after.remove_prefix(1);
    }
    return std::pair{number - 1, after};
}

// The subject a sentence of the engine starts with, and the same subject owned by
// something ("Tutar" -> "tutarı"). Longer openings first.
struct Subject {
    std::string_view opening;
    std::string_view owned;
};
constexpr std::array<Subject, 8> Subjects{{
    {"Anapara kaleminin faiz başlangıcı olmalı.", "faiz başlangıcı girilmemiş."},
    {"Masraf ve vekalet ücreti kalemlerinin tarihi olmalı.", "tarihi girilmemiş."},
    {"Ödeme tarihi", "tarihi"},
    {"Faiz başlangıcı", "faiz başlangıcı"},
    {"Tutarlar", "tutarları"},
    {"Tutar", "tutarı"},
    {"Tarih", "tarihi"},
    {"Oran", "oranı"},
}};

// The field's own name where the sentence does not start with it.
std::string_view subjectOf(const std::string& field) {
    if (field == "tutar") {
        return "tutarı";
    }
    if (field == "tarih") {
        return "tarihi";
    }
    if (field == "faiz_baslangic") {
        return "faiz başlangıcı";
    }
    if (field == "oran.sabit") {
        return "sabit oranı";
    }
    if (field == "oran.liste") {
        return "faiz listesi";
    }
    if (field == "oran") {
        return "oranı";
    }
    return {};
}

std::string_view fileFieldName(const std::string& field) {
    if (field == "hesap_tarihi") {
        return "Hesap tarihi";
    }
    if (field == "takip_tarihi") {
        return "Takip tarihi";
    }
    return {};
}

// The sentence as the engine wrote it, without the field path in front.
std::string reasonOf(const Refusal& refusal) {
    const std::string prefix = refusal.field + ": ";
    if (refusal.message.starts_with(prefix)) {
        return refusal.message.substr(prefix.size());
    }
    return refusal.message;
}

std::string ordinal(std::size_t index) {
    return std::to_string(index + 1) + ".";
}

} // namespace

RefusalPlace placeOf(const std::string& field) {
    RefusalPlace place;
    std::string_view rest = field;
    const auto numbered = [&](std::string_view head, RefusalPlace::Part part) {
        if (!rest.starts_with(head)) {
            return false;
        }
        const auto found = bracketed(rest.substr(head.size()));
        if (!found) {
            return false;
        }
        place.part = part;
        place.index = found->first;
        place.field = std::string(found->second);
        return true;
    };
    if (numbered("kalemler", RefusalPlace::Part::Item) ||
        numbered("odemeler", RefusalPlace::Part::Payment)) {
        return place;
    }
    constexpr std::string_view Lists = "listeler.";
    if (rest.starts_with(Lists)) {
        rest.remove_prefix(Lists.size());
        place.part = RefusalPlace::Part::List;
        // A list's name may itself hold brackets: its row is the last bracketed number.
        const std::size_t open = rest.rfind('[');
        if (open != std::string_view::npos) {
            if (const auto found = bracketed(rest.substr(open));
                found && found->second.find('[') == std::string_view::npos) {
                place.listName = std::string(rest.substr(0, open));
                place.index = found->first;
                place.field = std::string(found->second);
                return place;
            }
        }
        place.listName = std::string(rest);
        return place;
    }
    place.field = field;
    return place;
}

std::string ownerOf(const RefusalPlace& place) {
    switch (place.part) {
    case RefusalPlace::Part::Item:
        return ordinal(place.index.value_or(0)) + " kalemin";
    case RefusalPlace::Part::Payment:
        return ordinal(place.index.value_or(0)) + " ödemenin";
    case RefusalPlace::Part::List:
        return "\"" + place.listName + "\" listesinin" +
               (place.index ? " " + ordinal(*place.index) + " döneminin" : std::string());
    case RefusalPlace::Part::File:
        break;
    }
    return {};
}

WordedRefusal inWords(const Refusal& refusal) {
    WordedRefusal worded{placeOf(refusal.field), reasonOf(refusal)};
    const std::string owner = ownerOf(worded.place);
    if (owner.empty()) {
        // "Tarih 01.01.1601 ile ..." of the calculation date says which date it is.
        const std::string_view name = fileFieldName(worded.place.field);
        if (!name.empty() && worded.text.starts_with("Tarih ")) {
            worded.text = std::string(name) + worded.text.substr(std::string_view("Tarih").size());
        }
        return worded;
    }
    const std::string& reason = worded.text;
    for (const Subject& subject : Subjects) {
        if (!reason.starts_with(subject.opening)) {
            continue;
        }
        std::string owned(subject.owned);
        // A list row's rate is its rate; an item's fixed rate is named so.
        if (subject.opening == "Oran" && worded.place.field == "oran.sabit") {
            owned = "sabit oranı";
        }
        worded.text = owner + " " + owned + reason.substr(subject.opening.size());
        return worded;
    }
    if (worded.place.field == "oran.liste" && reason.starts_with('"')) {
        constexpr std::string_view Tail = "\" listesi ";
        if (const std::size_t end = reason.find(Tail); end != std::string::npos) {
            worded.text = owner + " faiz listesi " + reason.substr(0, end + 1) + " " +
                          reason.substr(end + Tail.size());
            return worded;
        }
    }
    if (worded.place.part == RefusalPlace::Part::List && worded.place.index &&
        reason.starts_with("Dönemler birbirini gün gün izlemiyor.")) {
        worded.text = "\"" + worded.place.listName + "\" listesinin " +
                      ordinal(*worded.place.index) +
                      " dönemi bir önceki dönemin ertesi günü başlamıyor ya da başlamadan "
                      "bitiyor.";
        return worded;
    }
    // "Listede 1 ile 255 arasında dönem olmalı." and the like: the owner names the thing.
    if (worded.place.part == RefusalPlace::Part::List && reason.starts_with("Listede ")) {
        worded.text = "\"" + worded.place.listName + "\" listesinde " +
                      reason.substr(std::string_view("Listede ").size());
        return worded;
    }
    const std::string_view subject = subjectOf(worded.place.field);
    worded.text =
        owner + (subject.empty() ? std::string() : " " + std::string(subject)) + ": " + reason;
    return worded;
}

} // namespace mirvane::claim
