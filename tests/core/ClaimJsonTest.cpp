#include "core/claim/ClaimJson.h"

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimExample.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace mirvane::claim {
namespace {

using namespace std::chrono;
namespace fs = std::filesystem;

ClaimFile parsed(std::string_view json) {
    ReadOutcome outcome = parse(json);
    if (const auto* failure = std::get_if<ReadFailure>(&outcome)) {
        ADD_FAILURE() << failure->message;
        return {};
    }
    return std::get<ClaimFile>(std::move(outcome));
}

ReadFailure failureOf(std::string_view json) {
    ReadOutcome outcome = parse(json);
    if (!std::holds_alternative<ReadFailure>(outcome)) {
        ADD_FAILURE() << "read: " << json;
        return {};
    }
    return std::get<ReadFailure>(std::move(outcome));
}

class ClaimFileOnDisk : public testing::TempFolderTest {
protected:
    ClaimFileOnDisk() : TempFolderTest("mirvane-claim-") {}
};

TEST_F(ClaimFileOnDisk, ReadWriteReadGivesTheSameFile) {
    ClaimFile file = workedExample();
    file.items.push_back({ItemKind::Principal, "Kira \"Ocak\" \\ ığüşöç", 12'345,
                          sys_days{2024y / February / 29}, FixedRate{17.75}, std::nullopt});
    file.dayBasis = 360;
    file.filingDate.reset();
    file.setOffOrder = {Bucket::Interest, Bucket::Principal, Bucket::Costs, Bucket::Fee};
    const fs::path path = root / "dosya.mirvane";
    ASSERT_TRUE(writeFile(path, file));
    ReadOutcome first = readFile(path);
    ASSERT_TRUE(std::holds_alternative<ClaimFile>(first));
    EXPECT_EQ(std::get<ClaimFile>(first), file);
    ASSERT_TRUE(writeFile(path, std::get<ClaimFile>(first)));
    EXPECT_EQ(std::get<ClaimFile>(readFile(path)), file);
    // Amounts are written with two decimals, dates as ISO days.
    const std::string text = testing::contentOf(path);
    EXPECT_NE(text.find("\"tutar\": 100000.00"), std::string::npos) << text;
    EXPECT_NE(text.find("\"tutar\": 123.45"), std::string::npos);
    EXPECT_NE(text.find("\"faiz_baslangic\": \"2024-02-29\""), std::string::npos);
}

TEST(ClaimFileJson, AmountsReadToTheKurus) {
    const auto amountOf = [](std::string_view number) {
        const std::string json =
            R"({"bicim":"mirvane-hesap-dosyasi","surum":1,"hesap_tarihi":"2024-12-31",)"
            R"("kalemler":[{"tur":"masraf","tutar":)" +
            std::string(number) + R"(,"tarih":"2024-01-01"}]})";
        return parsed(json).items.at(0).amount;
    };
    EXPECT_EQ(amountOf("100000"), 10'000'000);
    EXPECT_EQ(amountOf("0.29"), 29);
    EXPECT_EQ(amountOf("1.1"), 110);
    EXPECT_EQ(amountOf("79261.65"), 7'926'165);
    EXPECT_EQ(amountOf("1e3"), 100'000);
    EXPECT_EQ(amountOf("9999999999999.99"), 999'999'999'999'999);
    EXPECT_EQ(amountOf("-5.05"), -505);
}

TEST(ClaimFileJson, UnknownFieldsAreIgnoredAndDefaultsFilled) {
    const ClaimFile file = parsed(
        R"({"bicim":"mirvane-hesap-dosyasi","surum":1,"hesap_tarihi":"2024-12-31","yeni":[1,2],
            "kalemler":[{"tur":"anapara","tutar":10,"faiz_baslangic":"2024-01-01",
                         "oran":{"sabit":9},"not":"x"}]})");
    EXPECT_EQ(file.dayBasis, 365);
    EXPECT_FALSE(file.filingDate);
    EXPECT_TRUE(file.payments.empty());
    EXPECT_EQ(file.setOffOrder,
              std::vector<Bucket>(DefaultSetOffOrder.begin(), DefaultSetOffOrder.end()));
    EXPECT_EQ(file.items.at(0).rate, RateSource(FixedRate{9}));
}

// The worked example as JSON, changed by `change`, then read and computed: the first
// refusal met, from the reader or the calculation.
Refusal refusalAfter(const std::function<void(nlohmann::json&)>& change) {
    nlohmann::json json = nlohmann::json::parse(toJson(workedExample()));
    change(json);
    ReadOutcome read = parse(json.dump());
    if (const auto* failure = std::get_if<ReadFailure>(&read)) {
        EXPECT_EQ(failure->kind, ReadFailure::Kind::Refused) << failure->message;
        return {failure->field, failure->message};
    }
    ClaimOutcome outcome = compute(std::get<ClaimFile>(read));
    if (!std::holds_alternative<Refusal>(outcome)) {
        ADD_FAILURE() << "computed: " << json.dump();
        return {};
    }
    return std::get<Refusal>(outcome);
}

TEST(ClaimRefusals, NameTheField) {
    struct Case {
        std::string field;
        std::function<void(nlohmann::json&)> change;
    };
    const std::string list = "Adi Alacaklar (Kanuni Faiz)";
    const std::vector<Case> cases{
        {"kalemler",
         [](auto& j) {
             j["kalemler"].erase(0);
         }},
        {"kalemler[1].tutar",
         [](auto& j) {
             j["kalemler"][0]["tutar"] = 0;
         }},
        {"kalemler[2].tutar",
         [](auto& j) {
             j["kalemler"][1]["tutar"] = -1.5;
         }},
        {"kalemler[3].tutar",
         [](auto& j) {
             j["kalemler"][2]["tutar"] = 12000.005;
         }},
        {"odemeler[2].tutar",
         [](auto& j) {
             j["odemeler"][1]["tutar"] = 0.001;
         }},
        {"odemeler[1].tutar",
         [](auto& j) {
             j["odemeler"][0]["tutar"] = 0;
         }},
        {"kalemler[1].tutar",
         [](auto& j) {
             j["kalemler"][0]["tutar"] = 1e14;
         }},
        {"kalemler[1].tutar",
         [](auto& j) {
             j["kalemler"][0]["tutar"] = "100";
         }},
        {"hesap_tarihi",
         [](auto& j) {
             j["hesap_tarihi"] = "1600-12-31";
         }},
        {"hesap_tarihi",
         [](auto& j) {
             j["hesap_tarihi"] = "2024-02-30";
         }},
        {"takip_tarihi",
         [](auto& j) {
             j["takip_tarihi"] = "01.03.2024";
         }},
        {"odemeler[1].tarih",
         [](auto& j) {
             j["odemeler"][0]["tarih"] = "0099-01-01";
         }},
        {"kalemler[1].faiz_baslangic",
         [](auto& j) {
             j["kalemler"][0]["faiz_baslangic"] = "1972-09-30";
         }},
        {"odemeler[2].tarih",
         [](auto& j) {
             j["odemeler"][1]["tarih"] = "2025-01-01";
         }},
        {"kalemler[2].tur",
         [](auto& j) {
             j["kalemler"][1]["tur"] = "faiz";
         }},
        {"mahsup_sirasi[2]",
         [](auto& j) {
             j["mahsup_sirasi"][1] = "harc";
         }},
        {"mahsup_sirasi",
         [](auto& j) {
             j["mahsup_sirasi"][1] = "masraf";
         }},
        {"mahsup_sirasi",
         [](auto& j) {
             j["mahsup_sirasi"].erase(3);
         }},
        {"kalemler[1].oran.liste",
         [&](auto& j) {
             j["listeler"].erase(list);
         }},
        {"kalemler[1].oran.liste",
         [](auto& j) {
             j["kalemler"][0]["oran"]["liste"] = "Yok";
         }},
        {"listeler." + list + "[13]",
         [&](auto& j) {
             j["listeler"][list][12]["baslangic"] = "2021-01-01";
         }},
        {"kalemler[1].oran",
         [](auto& j) {
             j["kalemler"][0]["oran"] = {{"yuzde", 9}};
         }},
        {"kalemler[1].oran.sabit",
         [](auto& j) {
             j["kalemler"][0]["oran"] = {{"sabit", -1}};
         }},
        {"kalemler[1].oran",
         [](auto& j) {
             j["kalemler"][0]["oran"]["sabit"] = 9;
         }},
        {"kalemler[1].faiz_baslangic",
         [](auto& j) {
             j["kalemler"][0].erase("faiz_baslangic");
         }},
        {"kalemler[2].tarih",
         [](auto& j) {
             j["kalemler"][1].erase("tarih");
         }},
        {"gun_esasi",
         [](auto& j) {
             j["gun_esasi"] = 366;
         }},
        {"surum",
         [](auto& j) {
             j["surum"] = 2;
         }},
        {"bicim",
         [](auto& j) {
             j["bicim"] = "baska";
         }},
        {"odemeler",
         [](auto& j) {
             j["odemeler"] = {{"tarih", "2024-01-01"}};
         }},
    };
    for (const Case& refusal : cases) {
        const Refusal got = refusalAfter(refusal.change);
        EXPECT_EQ(got.field, refusal.field) << got.message;
        EXPECT_EQ(got.message.rfind(refusal.field + ": ", 0), 0u) << got.message;
    }
}

TEST(ClaimRefusals, NewerVersionSaysToUpdate) {
    const Refusal refusal = refusalAfter([](auto& j) { j["surum"] = 7; });
    EXPECT_NE(refusal.message.find("güncelleyin"), std::string::npos);
}

TEST(ClaimDamagedFiles, GiveLineAndColumn) {
    const std::string good = toJson(workedExample());
    ReadFailure failure = failureOf(good.substr(0, good.size() / 2));
    EXPECT_EQ(failure.kind, ReadFailure::Kind::Damaged);
    EXPECT_GT(failure.line, 1);
    failure = failureOf("{\n  \"bicim\": \"mirvane-hesap-dosyasi\",\n  \"surum\": 1,,\n}");
    EXPECT_EQ(failure.kind, ReadFailure::Kind::Damaged);
    EXPECT_EQ(failure.line, 3);
    EXPECT_EQ(failure.column, 14);
    EXPECT_EQ(failure.message, "Hesap dosyası bozuk: satır 3, sütun 14 (beklenmeyen karakter).");
    // The parser's English never reaches the user.
    for (const std::string& damaged :
         {std::string("{\"a\": \"b"), std::string("{\"a\": tru}"), std::string("{\"a\": 1."),
          std::string("{\"a\": \"\x01\"}"), good.substr(0, good.size() / 2)}) {
        const std::string message = failureOf(damaged).message;
        EXPECT_EQ(message.find("syntax"), std::string::npos) << message;
        EXPECT_EQ(message.find("last read"), std::string::npos) << message;
        EXPECT_EQ(message.find("expected"), std::string::npos) << message;
    }
    EXPECT_EQ(failureOf("").kind, ReadFailure::Kind::Damaged);
    EXPECT_EQ(failureOf("\xff\xfe{}").kind, ReadFailure::Kind::Damaged);
    failure = failureOf("{\"surum\":\n 1e999}");
    EXPECT_EQ(failure.kind, ReadFailure::Kind::Damaged);
    EXPECT_EQ(failure.line, 2);
    EXPECT_EQ(failureOf("[1, 2]").kind, ReadFailure::Kind::Refused);
    EXPECT_EQ(failureOf("null").kind, ReadFailure::Kind::Refused);
}

TEST(ClaimDamagedFiles, HostileShapesAreRefusedQuickly) {
    // A million nested arrays: refused without walking them.
    const std::string deep = std::string(1'000'000, '[') + std::string(1'000'000, ']');
    EXPECT_EQ(failureOf(deep).kind, ReadFailure::Kind::Refused);
    const std::string deepInside = R"({"bicim":"mirvane-hesap-dosyasi","yeni":)" +
                                   std::string(100, '[') + std::string(100, ']') + "}";
    EXPECT_EQ(failureOf(deepInside).kind, ReadFailure::Kind::Refused);
    // Numbers beyond every bound.
    const Refusal huge =
        refusalAfter([](auto& j) { j["kalemler"][0]["tutar"] = 123456789012345678901234567890.0; });
    EXPECT_EQ(huge.field, "kalemler[1].tutar");
    const Refusal hugeWhole =
        refusalAfter([](auto& j) { j["odemeler"][0]["tutar"] = 18446744073709551615ull; });
    EXPECT_EQ(hugeWhole.field, "odemeler[1].tutar");
    // A rate that makes every slice overflow is refused, not wrapped.
    const Refusal rate = refusalAfter([](auto& j) {
        j["kalemler"][0]["tutar"] = 9999999999999.99;
        j["kalemler"][0]["faiz_baslangic"] = "1972-10-01";
        j["hesap_tarihi"] = "9999-12-31";
        j["kalemler"][0]["oran"] = {{"sabit", 1000}};
    });
    EXPECT_EQ(rate.field, "kalemler[1]");
}

std::string paymentsFile(int count) {
    std::string json = R"({"bicim":"mirvane-hesap-dosyasi","surum":1,"hesap_tarihi":"2024-12-31",)"
                       R"("kalemler":[],"odemeler":[)";
    for (int i = 0; i < count; ++i) {
        json += R"({"tarih":"2024-07-01","tutar":1},)";
    }
    json.back() = ']';
    return json + '}';
}

TEST_F(ClaimFileOnDisk, AMillionPaymentsAreRefusedInBoundedTime) {
    // On disk, by its size before it is parsed.
    const fs::path path = root / "buyuk.mirvane";
    testing::put(path, paymentsFile(1'000'000));
    ReadOutcome outcome = readFile(path);
    ASSERT_TRUE(std::holds_alternative<ReadFailure>(outcome));
    EXPECT_EQ(std::get<ReadFailure>(outcome).kind, ReadFailure::Kind::Refused);
    // In memory, by the count.
    const ReadFailure failure = failureOf(paymentsFile(static_cast<int>(MaxPayments) + 1));
    EXPECT_EQ(failure.field, "odemeler");
    EXPECT_EQ(failure.kind, ReadFailure::Kind::Refused);
}

TEST(ClaimDamagedFiles, TheBiggestFileAllowedComputes) {
    ClaimFile file = workedExample();
    file.payments.clear();
    for (std::size_t i = 0; i < MaxPayments; ++i) {
        file.payments.push_back(
            {sys_days{2024y / July / 1} + days{static_cast<int>(i % 180)}, 1, ""});
    }
    const ClaimOutcome outcome = compute(file);
    ASSERT_TRUE(std::holds_alternative<ClaimResult>(outcome));
    EXPECT_EQ(std::get<ClaimResult>(outcome).setOffs.size(), MaxPayments);
    // As many principal items as would make more slices than the bound: refused.
    const std::size_t charges = 2;
    while ((file.items.size() - charges) * (file.payments.size() + 1) <= MaxSliceBudget) {
        file.items.push_back(file.items.front());
    }
    const ClaimOutcome tooMany = compute(file);
    ASSERT_TRUE(std::holds_alternative<Refusal>(tooMany));
    EXPECT_EQ(std::get<Refusal>(tooMany).field, "odemeler");
}

} // namespace
} // namespace mirvane::claim
