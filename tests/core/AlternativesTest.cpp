#include "core/claim/Alternatives.h"

#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "core/common/Utf8Path.h"
#include "core/ratelist/FaizFile.h"
#include "core/rates/HalfYears.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"
#include "tests/support/ReportLines.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkedExample.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>

namespace mirvane::claim {
namespace {

namespace worked = mirvane::testing::worked;
using testing::computed;

using namespace std::chrono;
namespace fs = std::filesystem;

constexpr Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

std::string money(Kurus amount) {
    return text::formatCents(amount);
}

TEST(ExpertExample, MainAndBothAlternativesHoldToTheKurus) {
    const ClaimFile file = expertExample();
    const ClaimResult main = computed(compute(file));
    EXPECT_EQ(money(main.balance), worked::Balance);
    ASSERT_TRUE(main.filingTotal);
    EXPECT_EQ(money(*main.filingTotal), worked::FilingTotal);

    const std::vector<ClaimOutcome> alternatives = computeAlternatives(file);
    ASSERT_EQ(alternatives.size(), 2u);
    EXPECT_EQ(file.alternatives[0].name, "Reeskont-avans, her değişiklik");
    const ClaimResult advance = computed(alternatives[0]);
    EXPECT_EQ(money(advance.balance), "90.487,82");
    EXPECT_EQ(money(advance.remainingPrincipal), "80.166,64");
    EXPECT_EQ(money(advance.interestBeforeFiling), "7.273,97");
    ASSERT_TRUE(advance.filingTotal);
    EXPECT_EQ(money(*advance.filingTotal), "107.273,97");

    EXPECT_EQ(file.alternatives[1].name, "3095 m.2/2 altı aylık");
    const ClaimResult halfYearly = computed(alternatives[1]);
    EXPECT_EQ(money(halfYearly.balance), "88.123,29");
    EXPECT_EQ(money(halfYearly.remainingPrincipal), "78.052,87");
    EXPECT_EQ(money(halfYearly.interestAfterFiling), "37.349,32");

    // The comparison's column and the words for each alternative.
    EXPECT_EQ(comparisonCells(advance)[0], "90.487,82");
    EXPECT_EQ(comparisonCells(advance)[5], "107.273,97");
    EXPECT_EQ(comparisonLabels().size(), comparisonCells(main).size());
    EXPECT_EQ(changeText(file, file.alternatives[0].change),
              "1. kalemin oranı: Ticari Alacaklar (Reeskont-Avans)");
    EXPECT_EQ(balanceDifferenceText(main.balance, advance.balance),
              "bakiye ana hesaptan 33.196,88 TL fazla");
    EXPECT_EQ(balanceDifferenceText(advance.balance, main.balance),
              "bakiye ana hesaptan 33.196,88 TL eksik");
    EXPECT_EQ(balanceDifferenceText(main.balance, main.balance), "bakiye ana hesapla aynı");
}

// A random claim over the advance and statutory lists, with charges and payments.
ClaimFile randomClaim(std::mt19937& random) {
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    ClaimFile file;
    for (const RateList& list : rates::readyLists()) {
        file.lists[list.Name] = list.Periods;
    }
    file.calculationDate = on(2022, 1, 1) + days{between(0, 1500)};
    file.dayBasis = between(0, 1) ? 365 : 360;
    if (between(0, 2)) {
        file.filingDate = on(2020, 1, 1) + days{between(0, 1800)};
    }
    const std::string names[] = {std::string(rates::StatutoryName), std::string(rates::AdvanceName),
                                 std::string(rates::CommercialDefaultName)};
    for (int i = between(1, 4); i > 0; --i) {
        const Date start = on(2019, 1, 1) + days{between(0, 1500)};
        const Kurus amount = between(1, 50'000'000);
        if (between(0, 3) == 0) {
            file.items.push_back({between(0, 1) ? ItemKind::Costs : ItemKind::Fee, "Gider", amount,
                                  std::nullopt, FixedRate{}, start});
        } else if (between(0, 2) == 0) {
            file.items.push_back({ItemKind::Principal, "Anapara", amount, start,
                                  FixedRate{between(1, 400) / 8.0}, std::nullopt});
        } else {
            file.items.push_back({ItemKind::Principal, "Anapara", amount, start,
                                  ListRate{names[between(0, 2)]}, std::nullopt});
        }
    }
    file.items.push_back({ItemKind::Principal, "Anapara", between(1, 9'000'000), on(2020, 1, 1),
                          ListRate{names[0]}, std::nullopt});
    for (int p = between(0, 8); p > 0; --p) {
        file.payments.push_back(
            {on(2020, 6, 1) + days{between(0, 570)}, between(1, 20'000'000), ""});
    }
    return file;
}

// Every kind of change an alternative makes gives what the same file changed by hand
// and computed alone gives.
TEST(Alternatives, EqualTheFileChangedByHandAndComputedAlone) {
    std::mt19937 random(20250115);
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const std::string names[] = {std::string(rates::StatutoryName), std::string(rates::AdvanceName),
                                 std::string(rates::CommercialDefaultName),
                                 std::string(rates::DiscountName)};
    for (int round = 0; round < 120; ++round) {
        ClaimFile file = randomClaim(random);
        std::vector<ClaimFile> byHand;
        std::vector<std::size_t> principals;
        for (std::size_t i = 0; i < file.items.size(); ++i) {
            if (file.items[i].kind == ItemKind::Principal) {
                principals.push_back(i);
            }
        }
        for (int kind = 0; kind < 6; ++kind) {
            ClaimFile changed = file;
            Alternative alternative;
            alternative.name = "Seçenek " + std::to_string(kind);
            const std::size_t target =
                principals[std::size_t(between(0, int(principals.size()) - 1))];
            Item& item = changed.items[target];
            const auto number = static_cast<std::int64_t>(target) + 1;
            switch (kind) {
            case 0: {
                const ListRate list{names[between(0, 3)]};
                item.rate = list;
                alternative.change.items.push_back({number, list, std::nullopt});
                break;
            }
            case 1: {
                const FixedRate fixed{between(1, 600) / 4.0};
                item.rate = fixed;
                alternative.change.items.push_back({number, fixed, std::nullopt});
                break;
            }
            case 2: {
                const Date start = on(2019, 1, 1) + days{between(0, 1400)};
                item.interestStart = start;
                alternative.change.items.push_back({number, std::nullopt, start});
                break;
            }
            case 3:
                changed.dayBasis = file.dayBasis == 365 ? 360 : 365;
                alternative.change.dayBasis = changed.dayBasis;
                break;
            case 4:
                changed.filingDate = on(2020, 1, 1) + days{between(0, 1800)};
                alternative.change.filingDate = changed.filingDate;
                break;
            default: {
                std::vector<Bucket> order{DefaultSetOffOrder.begin(), DefaultSetOffOrder.end()};
                std::shuffle(order.begin(), order.end(), random);
                changed.setOffOrder = order;
                alternative.change.setOffOrder = order;
                break;
            }
            }
            file.alternatives.push_back(alternative);
            byHand.push_back(changed);
        }
        ASSERT_EQ(validate(file), std::nullopt) << validate(file)->message;
        const std::vector<ClaimOutcome> outcomes = computeAlternatives(file);
        ASSERT_EQ(outcomes.size(), byHand.size());
        for (std::size_t k = 0; k < byHand.size(); ++k) {
            EXPECT_EQ(computed(outcomes[k]), computed(compute(byHand[k])))
                << "round " << round << ", " << changeText(file, file.alternatives[k].change);
        }
        // The alternatives leave the main calculation as it was.
        ClaimFile alone = file;
        alone.alternatives.clear();
        EXPECT_EQ(computed(compute(file)), computed(compute(alone)));
    }
}

Refusal refusalOf(const ClaimFile& file) {
    const ClaimOutcome outcome = compute(file);
    if (!std::holds_alternative<Refusal>(outcome)) {
        ADD_FAILURE() << "computed";
        return {};
    }
    return std::get<Refusal>(outcome);
}

TEST(Alternatives, AChangeOfNothingOrOfNoPrincipalItemIsRefusedByItsField) {
    ClaimFile file = workedExample();
    file.alternatives.push_back({"Boş", "", {}});
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik");

    // Item 2 is the costs.
    file.alternatives[0].change.items = {{2, ListRate{std::string(rates::AdvanceName)}, {}}};
    copyReadyLists(file);
    Refusal refusal = refusalOf(file);
    EXPECT_EQ(refusal.field, "secenekler[1].degisiklik.kalemler[1].kalem");
    EXPECT_NE(refusal.message.find("2. kalem bir anapara kalemi değil"), std::string::npos)
        << refusal.message;
    file.alternatives[0].change.items = {{9, FixedRate{10}, {}}};
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik.kalemler[1].kalem");
    file.alternatives[0].change.items = {{0, FixedRate{10}, {}}};
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik.kalemler[1].kalem");
    // An item named but nothing of it changed.
    file.alternatives[0].change.items = {{1, std::nullopt, std::nullopt}};
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik.kalemler[1]");

    // The change's own values are checked where they stand.
    file.alternatives[0].change.items = {{1, ListRate{"Yok Böyle Liste"}, {}}};
    refusal = refusalOf(file);
    EXPECT_EQ(refusal.field, "secenekler[1].degisiklik.kalemler[1].oran.liste");
    EXPECT_NE(refusal.message.find("listesi ne dosyada ne de liste klasöründe var"),
              std::string::npos);
    file.alternatives[0].change.items = {{1, FixedRate{-1}, {}}};
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik.kalemler[1].oran.sabit");
    file.alternatives[0].change.items = {{1, std::nullopt, on(1600, 1, 1)}};
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik.kalemler[1].faiz_baslangic");
    file.alternatives[0].change = {};
    file.alternatives[0].change.setOffOrder = {Bucket::Interest, Bucket::Interest};
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik.mahsup_sirasi");
    file.alternatives[0].change = {};
    file.alternatives[0].change.dayBasis = 364;
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik.gun_esasi");

    // A change that is fine by itself but leaves a file that cannot be computed.
    file.alternatives[0].change = {};
    file.alternatives[0].change.filingDate = on(1500, 1, 1);
    EXPECT_EQ(refusalOf(file).field, "secenekler[1].degisiklik.takip_tarihi");
    // The second alternative is counted as such.
    file.alternatives[0].change.filingDate = on(2024, 4, 1);
    file.alternatives.push_back({"İkinci", "", {}});
    refusal = refusalOf(file);
    EXPECT_EQ(refusal.field, "secenekler[2].degisiklik");
    file.alternatives.pop_back();
    EXPECT_TRUE(std::holds_alternative<ClaimResult>(compute(file)));
}

TEST(AlternativesFile, ReadsTheShapeTheIssueGivesAndWritesItBack) {
    nlohmann::json json = nlohmann::json::parse(toJson(workedExample()));
    json["secenekler"] = nlohmann::json::parse(R"json([
        {"ad": "Ticari", "neden": "Taraflar tacir",
         "degisiklik": {"kalemler": [{"kalem": 1, "oran": {"liste": "Ticari Alacaklar (Reeskont-Avans)"},
                                      "faiz_baslangic": "2024-02-01"}],
                        "gun_esasi": 360, "takip_tarihi": "2024-04-01",
                        "mahsup_sirasi": ["faiz", "anapara", "masraf", "vekalet"]}},
        {"ad": "Sabit", "degisiklik": {"kalemler": [{"kalem": 1, "oran": {"sabit": 12.5}}]}}])json");
    json["rapor"] = nlohmann::json::parse(R"({
        "merci": "İstanbul 12. Asliye Ticaret Mahkemesi", "dosya_no": "2025/345 E.",
        "rapor_tarihi": "2025-01-15", "konu": "Faiz",
        "taraflar": [{"sifat": "Davacı", "ad": "A", "vekil": "Av. B"}, {"rol": "Davalı", "ad": "C"}],
        "sorular": ["Alacak ne kadar?", {"soru": "Faiz türü?", "cevap": "Kanuni"}],
        "cevaplar": ["57.290,94 TL", "yok sayılır"],
        "belgeler": ["Fatura"], "tespitler": "Ödenmedi.",
        "bilirkisiler": [{"ad": "Ali Kaya", "alan": "Muhasebe", "sicil_no": "İST-1"}]})");
    ReadOutcome read = parse(json.dump());
    ASSERT_TRUE(std::holds_alternative<ClaimFile>(read)) << std::get<ReadFailure>(read).message;
    const ClaimFile file = std::get<ClaimFile>(read);
    ASSERT_EQ(file.alternatives.size(), 2u);
    const Change& change = file.alternatives[0].change;
    EXPECT_EQ(file.alternatives[0].reason, "Taraflar tacir");
    ASSERT_EQ(change.items.size(), 1u);
    EXPECT_EQ(change.items[0].item, 1);
    EXPECT_EQ(change.items[0].rate, RateSource(ListRate{std::string(rates::AdvanceName)}));
    EXPECT_EQ(change.items[0].interestStart, on(2024, 2, 1));
    EXPECT_EQ(change.dayBasis, 360);
    EXPECT_EQ(change.filingDate, on(2024, 4, 1));
    EXPECT_EQ(change.setOffOrder, (std::vector<Bucket>{Bucket::Interest, Bucket::Principal,
                                                       Bucket::Costs, Bucket::Fee}));
    EXPECT_EQ(file.alternatives[1].change.items[0].rate, RateSource(FixedRate{12.5}));
    EXPECT_FALSE(file.alternatives[1].change.dayBasis);

    ASSERT_TRUE(file.report);
    const ReportDetails& report = *file.report;
    EXPECT_EQ(report.date, on(2025, 1, 15));
    ASSERT_EQ(report.parties.size(), 2u);
    EXPECT_EQ(report.parties[1].role, "Davalı");
    EXPECT_EQ(report.parties[0].counsel, "Av. B");
    ASSERT_EQ(report.questions.size(), 2u);
    EXPECT_EQ(report.questions[0].answer, "57.290,94 TL");
    EXPECT_EQ(report.questions[1].answer, "Kanuni"); // its own answer is kept
    EXPECT_EQ(report.documents, std::vector<std::string>{"Fatura"});
    EXPECT_EQ(report.experts[0].title, "Muhasebe");
    EXPECT_EQ(report.experts[0].registryNumber, "İST-1");

    // Written and read again: the same file; the keys as the issue names them.
    const std::string written = toJson(file);
    ReadOutcome again = parse(written);
    ASSERT_TRUE(std::holds_alternative<ClaimFile>(again));
    EXPECT_EQ(std::get<ClaimFile>(again), file);
    const nlohmann::json back = nlohmann::json::parse(written);
    EXPECT_EQ(back["secenekler"][0]["degisiklik"]["kalemler"][0]["oran"]["liste"],
              std::string(rates::AdvanceName));
    EXPECT_EQ(back["secenekler"][1]["degisiklik"].size(), 1u);
    EXPECT_EQ(back["rapor"]["sorular"][0]["cevap"], "57.290,94 TL");

    // Without a report or alternatives the file is written as before.
    const std::string plain = toJson(workedExample());
    EXPECT_EQ(plain.find("rapor"), std::string::npos);
    EXPECT_EQ(plain.find("secenekler"), std::string::npos);
    // The expert example too reads back as itself.
    EXPECT_EQ(std::get<ClaimFile>(parse(toJson(expertExample()))), expertExample());
}

TEST(AlternativesFile, AFieldOfTheWrongFormIsNamed) {
    const nlohmann::json base = nlohmann::json::parse(toJson(workedExample()));
    const auto refusedAt = [&](const char* alternatives) {
        nlohmann::json json = base;
        json["secenekler"] = nlohmann::json::parse(alternatives);
        ReadOutcome read = parse(json.dump());
        if (!std::holds_alternative<ReadFailure>(read)) {
            return std::string("read");
        }
        return std::get<ReadFailure>(read).field;
    };
    EXPECT_EQ(refusedAt(R"({})"), "secenekler");
    EXPECT_EQ(refusedAt(R"([3])"), "secenekler[1]");
    EXPECT_EQ(refusedAt(R"([{"ad": "x", "degisiklik": {"kalemler": [{"kalem": "1"}]}}])"),
              "secenekler[1].degisiklik.kalemler[1].kalem");
    EXPECT_EQ(refusedAt(R"([{"degisiklik": {"kalemler": [{"kalem": 1.5}]}}])"),
              "secenekler[1].degisiklik.kalemler[1].kalem");
    EXPECT_EQ(
        refusedAt(
            R"([{"degisiklik": {"kalemler": [{"kalem": 1, "oran": {"liste": "a", "sabit": 9}}]}}])"),
        "secenekler[1].degisiklik.kalemler[1].oran");
    EXPECT_EQ(refusedAt(R"([{}, {"degisiklik": {"gun_esasi": 366}}])"),
              "secenekler[2].degisiklik.gun_esasi");
    EXPECT_EQ(refusedAt(R"([{"degisiklik": {"takip_tarihi": "01.03.2024"}}])"),
              "secenekler[1].degisiklik.takip_tarihi");
    EXPECT_EQ(refusedAt(R"([{"degisiklik": {"mahsup_sirasi": ["faiz", "kira"]}}])"),
              "secenekler[1].degisiklik.mahsup_sirasi[2]");
    // A missing change reads, to be refused when computed.
    EXPECT_EQ(refusedAt(R"([{"ad": "x"}])"), "read");

    nlohmann::json json = base;
    json["rapor"] = nlohmann::json::parse(R"({"taraflar": [{"ad": 5}]})");
    EXPECT_EQ(std::get<ReadFailure>(parse(json.dump())).field, "rapor.taraflar[1].ad");
    json["rapor"] = nlohmann::json::parse(R"({"sorular": ["a"], "cevaplar": ["b", "c"]})");
    EXPECT_EQ(std::get<ReadFailure>(parse(json.dump())).field, "rapor.cevaplar[2]");
    json["rapor"] = nlohmann::json::parse(R"({"rapor_tarihi": "2025-02-30"})");
    EXPECT_EQ(std::get<ReadFailure>(parse(json.dump())).field, "rapor.rapor_tarihi");
}

class ReadyListReference : public testing::TempFolderTest {
protected:
    ReadyListReference() : TempFolderTest("mirvane-ready-") {}
};

// A ready list named by an item or an alternative comes with the file, from the folder
// when the folder has it, otherwise from the program.
TEST_F(ReadyListReference, TheFileCarriesItsCopy) {
    const std::string halfYearly(rates::CommercialDefaultName);
    ClaimFile file = workedExample();
    file.lists.clear();
    file.items[0].rate = ListRate{halfYearly};
    Alternative advance{"Avans", "", {}};
    ItemChange toAdvance;
    toAdvance.item = 1;
    toAdvance.rate = ListRate{std::string(rates::AdvanceName)};
    advance.change.items.push_back(toAdvance);
    file.alternatives.push_back(advance);
    ASSERT_EQ(validate(file)->field, "kalemler[1].oran.liste");

    EXPECT_TRUE(copyMissingLists(file, root).empty());
    EXPECT_EQ(file.lists.at(halfYearly), rates::readyList(halfYearly)->Periods);
    EXPECT_EQ(file.lists.at(std::string(rates::AdvanceName)),
              rates::readyList(rates::AdvanceName)->Periods);
    EXPECT_EQ(validate(file), std::nullopt);
    const ClaimFile saved = std::get<ClaimFile>(parse(toJson(file)));
    EXPECT_EQ(saved.lists, file.lists);

    // The folder's own list of that name comes first.
    std::vector<RatePeriod> own = rates::readyList(halfYearly)->Periods;
    own.resize(3);
    ASSERT_TRUE(faiz::write(root / utf8path::fromUtf8(halfYearly + ".faiz"), own));
    file.lists.clear();
    copyMissingLists(file, root);
    EXPECT_EQ(file.lists.at(halfYearly), own);

    // A name no list has is still refused.
    file.items[0].rate = ListRate{"Başka Liste"};
    copyMissingLists(file, root);
    const std::optional<Refusal> refusal = validate(file);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message,
              "kalemler[1].oran.liste: \"Başka Liste\" listesi ne dosyada ne de liste "
              "klasöründe var.");
}

TEST(FixedRateNotice, OnlyARateNoReadyListHadOnTheInterestStart) {
    ClaimFile file = workedExample();
    const auto noticesFor = [&](double percent, Date start) {
        file.items[0].rate = FixedRate{percent};
        file.items[0].interestStart = start;
        std::vector<std::string> found;
        for (const std::string& notice : computed(compute(file)).notices) {
            if (notice.find("sabit oranı") != std::string::npos) {
                found.push_back(notice);
            }
        }
        return found;
    };
    // 9 % was the statutory rate on 01.01.2024; the advance rate of that day too.
    EXPECT_TRUE(noticesFor(9, on(2024, 1, 1)).empty());
    const double advance =
        *rates::rateOn(rates::readyList(rates::AdvanceName)->Periods, on(2024, 1, 1));
    EXPECT_TRUE(noticesFor(advance, on(2024, 1, 1)).empty());
    const std::vector<std::string> odd = noticesFor(30, on(2024, 1, 1));
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_NE(odd[0].find("1. kalemin sabit oranı (%30) faiz başlangıcında (01.01.2024)"),
              std::string::npos)
        << odd[0];
    // The rate of the interest start is what counts: 24 % became statutory on 01.06.2024.
    EXPECT_EQ(noticesFor(24, on(2024, 1, 1)).size(), 1u);
    EXPECT_TRUE(noticesFor(24, on(2024, 6, 1)).empty());
    // A list rate is never the subject.
    file.items[0].rate = ListRate{std::string(rates::StatutoryName)};
    for (const std::string& notice : computed(compute(file)).notices) {
        EXPECT_EQ(notice.find("sabit oranı"), std::string::npos);
    }
}

TEST(UsualAlternatives, ChangeEveryPrincipalItemOrTheDayBasis) {
    ClaimFile file = workedExample();
    file.items.push_back(
        {ItemKind::Principal, "İkinci", 500'000, on(2024, 2, 1), FixedRate{30}, std::nullopt});
    const Alternative halfYearly = usualAlternative(UsualAlternative::HalfYearly, file);
    EXPECT_EQ(halfYearly.name, "3095 m.2/2 altı aylık");
    ASSERT_EQ(halfYearly.change.items.size(), 2u);
    EXPECT_EQ(halfYearly.change.items[0].item, 1);
    EXPECT_EQ(halfYearly.change.items[1].item, 4);
    const Alternative days = usualAlternative(UsualAlternative::DayBasis360, file);
    EXPECT_EQ(days.change.dayBasis, 360);
    EXPECT_TRUE(days.change.items.empty());
    for (const UsualAlternative kind : UsualAlternatives) {
        file.alternatives.push_back(usualAlternative(kind, file));
    }
    copyReadyLists(file);
    EXPECT_EQ(validate(file), std::nullopt);
    EXPECT_EQ(computeAlternatives(file).size(), 4u);
}

} // namespace
} // namespace mirvane::claim
