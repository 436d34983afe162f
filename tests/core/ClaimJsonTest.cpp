#include "claim/ClaimJson.h"

#include "TempFolder.h"
#include "claim/ClaimEngine.h"
#include "claim/ClaimExample.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace mirvane::claim
