#include "core/claim/RefusalWords.h"

#include "core/claim/ClaimExample.h"

#include <gtest/gtest.h>

using namespace mirvane;
using namespace mirvane::claim;

namespace {

WordedRefusal wordsFor(const ClaimFile& file) {
    const std::optional<Refusal> refusal = validate(file);
    EXPECT_TRUE(refusal.has_value());
    return refusal ? inWords(*refusal) : WordedRefusal{};
}

const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";

} // namespace

// Each refusal the window meets while a claim is typed, as the engine gives it: the
// sentence names the item, payment or list row as the user knows it, never by its
// path in the file, and the place tells the window where to show it.
TEST(RefusalWords, ItemsPaymentsAndListRowsAreNamedInWords) {
    ClaimFile file = workedExample();
    file.items.at(0).amount = 0;
    WordedRefusal worded = wordsFor(file);
    EXPECT_EQ(worded.text, "1. kalemin tutarı sıfırdan büyük olmalı.");
    EXPECT_EQ(worded.place.part, RefusalPlace::Part::Item);
    EXPECT_EQ(worded.place.index, std::optional<std::size_t>(0));
    EXPECT_EQ(worded.place.field, "tutar");

    file = workedExample();
    file.items.at(0).interestStart = Date{std::chrono::year{1950} / 1 / 1};
    worded = wordsFor(file);
    EXPECT_EQ(worded.place.field, "faiz_baslangic");
    EXPECT_TRUE(worded.text.starts_with("1. kalemin faiz başlangıcı, listenin ilk dönem "
                                        "başlangıcından ("))
        << worded.text;

    file = workedExample();
    file.items.at(0).rate = ListRate{"Yok Böyle Liste"};
    worded = wordsFor(file);
    EXPECT_EQ(worded.text,
              "1. kalemin faiz listesi \"Yok Böyle Liste\" ne dosyada ne de liste klasöründe var.");

    file = workedExample();
    file.items.at(0).rate = FixedRate{2000};
    EXPECT_EQ(wordsFor(file).text, "1. kalemin sabit oranı 0 ile 1000 arasında bir yüzde olmalı.");

    file = workedExample();
    ASSERT_GE(file.payments.size(), 2u);
    file.payments.at(1).date = file.calculationDate + std::chrono::days{1};
    worded = wordsFor(file);
    EXPECT_EQ(worded.place.part, RefusalPlace::Part::Payment);
    EXPECT_EQ(worded.place.index, std::optional<std::size_t>(1));
    EXPECT_TRUE(worded.text.starts_with("2. ödemenin tarihi hesap tarihinden (")) << worded.text;

    file = workedExample();
    file.payments.at(0).amount = 0;
    EXPECT_EQ(wordsFor(file).text, "1. ödemenin tutarı sıfırdan büyük olmalı.");

    file = workedExample();
    std::vector<RatePeriod>& periods = file.lists.at(Statutory);
    ASSERT_GE(periods.size(), 3u);
    periods.at(2).Rate = -1;
    worded = wordsFor(file);
    EXPECT_EQ(worded.place.part, RefusalPlace::Part::List);
    EXPECT_EQ(worded.place.listName, Statutory);
    EXPECT_EQ(worded.place.index, std::optional<std::size_t>(2));
    EXPECT_EQ(worded.text, "\"" + Statutory +
                               "\" listesinin 3. döneminin oranı 0 ile 1000 arasında bir yüzde "
                               "olmalı.");
    periods.at(2).Rate = 9;
    periods.at(2).StartDate += std::chrono::days{1};
    EXPECT_TRUE(wordsFor(file).text.starts_with("\"" + Statutory +
                                                "\" listesinin 3. dönemi bir "
                                                "önceki dönemin ertesi günü"));

    file = workedExample();
    file.items.erase(file.items.begin());
    worded = wordsFor(file);
    EXPECT_EQ(worded.place.part, RefusalPlace::Part::File);
    EXPECT_EQ(worded.text, "En az bir anapara kalemi olmalı.");
    EXPECT_EQ(worded.text.find("kalemler"), std::string::npos);
}

// A list's name may hold brackets of its own; a sentence the wording does not know
// keeps its text after the name of what it concerns.
TEST(RefusalWords, OddNamesAndUnknownSentences) {
    const RefusalPlace place = placeOf("listeler.Oranlar [2024][15].oran");
    EXPECT_EQ(place.listName, "Oranlar [2024]");
    EXPECT_EQ(place.index, std::optional<std::size_t>(14));
    EXPECT_EQ(place.field, "oran");
    EXPECT_EQ(placeOf("listeler.Oranlar [x]").listName, "Oranlar [x]");
    EXPECT_FALSE(placeOf("listeler.Oranlar [x]").index);
    EXPECT_EQ(placeOf("kalemler[0].tutar").part, RefusalPlace::Part::File);

    EXPECT_EQ(inWords({"kalemler[3].tutar", "kalemler[3].tutar: Başka bir sebep."}).text,
              "3. kalemin tutarı: Başka bir sebep.");
    EXPECT_EQ(inWords({"kalemler[2]", "kalemler[2]: Tutarlar hesaplanamayacak kadar büyük."}).text,
              "2. kalemin tutarları hesaplanamayacak kadar büyük.");
    EXPECT_EQ(
        inWords({"hesap_tarihi", "hesap_tarihi: Tarih 01.01.1601 ile 31.12.9999 arasında olmalı."})
            .text,
        "Hesap tarihi 01.01.1601 ile 31.12.9999 arasında olmalı.");
}
