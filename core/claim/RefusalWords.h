#pragma once

// A refusal of a claim told as the window tells it: which item, payment or list row
// it concerns, and a sentence that names it the way the user knows it ("1. kalemin
// tutarı sıfırdan büyük olmalı.") instead of by its path in the file
// ("kalemler[1].tutar: Tutar sıfırdan büyük olmalı.").

#include "core/claim/ClaimFile.h"

#include <cstddef>
#include <string>

namespace mirvane::claim {

struct RefusalPlace {
    enum class Part { File, Item, Payment, List };
    Part part = Part::File;
    // The item or payment, from 0; for a list its period, from 0 (none for the list
    // as a whole).
    std::optional<std::size_t> index;
    // What of it: "tutar", "tarih", "faiz_baslangic", "oran.sabit", "oran.liste",
    // "oran" (a list row), or a field of the file ("hesap_tarihi", "kalemler").
    std::string field;
    // The list concerned, for Part::List.
    std::string listName;

    friend bool operator==(const RefusalPlace&, const RefusalPlace&) = default;
};

struct WordedRefusal {
    RefusalPlace place;
    std::string text;

    friend bool operator==(const WordedRefusal&, const WordedRefusal&) = default;
};

// Where a field path of a refusal points ("odemeler[3].tarih", "listeler.X[2].oran").
RefusalPlace placeOf(const std::string& field);

// The refusal in the window's words. A refusal whose sentence is not one of the
// engine's known ones keeps its own text after the name of what it concerns.
WordedRefusal inWords(const Refusal& refusal);

// What names the place in a sentence: "1. kalemin", "2. ödemenin", "\"X\" listesinin
// 3. döneminin"; empty for the file itself.
std::string ownerOf(const RefusalPlace& place);

} // namespace mirvane::claim
