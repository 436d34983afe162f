// The "taahhut" block of a claim file: read, written back the same, refused by field
// when its form is wrong, and absent from files that never had one.

#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace mirvane::claim {
namespace {

using namespace std::chrono;

Undertaking typedTerms() {
    Undertaking terms;
    terms.date = sys_days{2024y / December / 31};
    terms.downPayment = 500'050;
    terms.count = 3;
    terms.firstDue = sys_days{2025y / January / 31};
    terms.interval = PlanInterval::Week;
    terms.amounts = {1'000'000, 2'000'001, 5};
    terms.creditor = "Alacaklı A.Ş. \"Merkez\"";
    terms.debtor = "Borçlu Ğ. Şahıs";
    terms.fileNumber = "İstanbul 5. İcra Dairesi 2024/1234 E.";
    return terms;
}

ClaimFile readBack(const std::string& json) {
    ReadOutcome outcome = parse(json);
    if (const auto* failure = std::get_if<ReadFailure>(&outcome)) {
        ADD_FAILURE() << failure->message;
        return {};
    }
    return std::get<ClaimFile>(std::move(outcome));
}

std::string refusedField(const nlohmann::json& json) {
    ReadOutcome outcome = parse(json.dump());
    const auto* failure = std::get_if<ReadFailure>(&outcome);
    if (!failure) {
        return "(read)";
    }
    EXPECT_EQ(failure->kind, ReadFailure::Kind::Refused) << failure->message;
    return failure->field;
}

TEST(UndertakingFile, TypedAndEqualTermsRoundTrip) {
    ClaimFile file = workedExample();
    file.undertaking = typedTerms();
    const std::string json = toJson(file);
    EXPECT_EQ(readBack(json), file);
    const nlohmann::json tree = nlohmann::json::parse(json);
    const nlohmann::json& block = tree.at("taahhut");
    EXPECT_EQ(block.at("tarih"), "2024-12-31");
    EXPECT_EQ(block.at("aralik"), "hafta");
    EXPECT_EQ(block.at("taksit_sayisi"), 3);
    EXPECT_NE(json.find("\"pesinat\": 5000.50"), std::string::npos) << json;
    EXPECT_NE(json.find("20000.01"), std::string::npos);
    EXPECT_NE(json.find("0.05"), std::string::npos);

    file.undertaking->amounts.clear();
    file.undertaking->interval = PlanInterval::Month;
    file.undertaking->downPayment = 0;
    const std::string equal = toJson(file);
    EXPECT_TRUE(nlohmann::json::parse(equal).at("taahhut").at("tutarlar").is_null());
    EXPECT_EQ(readBack(equal), file);
}

TEST(UndertakingFile, FilesWithoutTheBlockReadAsBefore) {
    const ClaimFile file = workedExample();
    const std::string json = toJson(file);
    EXPECT_EQ(json.find("taahhut"), std::string::npos);
    EXPECT_FALSE(readBack(json).undertaking);
    nlohmann::json tree = nlohmann::json::parse(json);
    tree["taahhut"] = nullptr;
    EXPECT_FALSE(readBack(tree.dump()).undertaking);
    // Only what must be there: the interval is a month, the amounts equal, no down payment.
    tree["taahhut"] = {{"tarih", "2024-12-31"}, {"taksit_sayisi", 6}, {"ilk_vade", "2025-01-31"}};
    const ClaimFile least = readBack(tree.dump());
    ASSERT_TRUE(least.undertaking);
    EXPECT_EQ(least.undertaking->interval, PlanInterval::Month);
    EXPECT_TRUE(least.undertaking->amounts.empty());
    EXPECT_EQ(least.undertaking->downPayment, 0);
    EXPECT_EQ(least.undertaking->count, 6);
}

TEST(UndertakingFile, AWrongFormIsRefusedByField) {
    nlohmann::json tree = nlohmann::json::parse(toJson(workedExample()));
    const nlohmann::json good = {{"tarih", "2024-12-31"},
                                 {"taksit_sayisi", 6},
                                 {"ilk_vade", "2025-01-31"},
                                 {"aralik", "ay"},
                                 {"tutarlar", nullptr}};
    const auto with = [&](const char* key, nlohmann::json value) {
        nlohmann::json changed = tree;
        changed["taahhut"] = good;
        changed["taahhut"][key] = std::move(value);
        return changed;
    };
    EXPECT_EQ(refusedField(with("tarih", "31.12.2024")), "taahhut.tarih");
    EXPECT_EQ(refusedField(with("ilk_vade", nullptr)), "taahhut.ilk_vade");
    EXPECT_EQ(refusedField(with("taksit_sayisi", 2.5)), "taahhut.taksit_sayisi");
    EXPECT_EQ(refusedField(with("taksit_sayisi", 1e12)), "taahhut.taksit_sayisi");
    EXPECT_EQ(refusedField(with("taksit_sayisi", 99'999'999'999LL)), "taahhut.taksit_sayisi");
    EXPECT_EQ(refusedField(with("aralik", "gun")), "taahhut.aralik");
    EXPECT_EQ(refusedField(with("pesinat", 1.234)), "taahhut.pesinat");
    EXPECT_EQ(refusedField(with("tutarlar", {100, "200"})), "taahhut.tutarlar[2]");
    EXPECT_EQ(refusedField(with("tutarlar", std::vector<int>(361, 1))), "taahhut.tutarlar");
    EXPECT_EQ(refusedField(with("borclu", 5)), "taahhut.borclu");
    tree["taahhut"] = "yarın";
    EXPECT_EQ(refusedField(tree), "taahhut");
    // What the plan refuses (no instalments) still reads, so that a window can show it.
    EXPECT_EQ(refusedField(with("taksit_sayisi", 0)), "(read)");
}

} // namespace
} // namespace mirvane::claim
