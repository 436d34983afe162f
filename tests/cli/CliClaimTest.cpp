#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "core/ratelist/FaizFile.h"
#include "tests/cli/CliRun.h"
#include "tests/support/WorkedExample.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace mirvane {
namespace {

namespace worked = mirvane::testing::worked;

namespace fs = std::filesystem;

using Outcome = testing::CliOutcome;

class CliClaim : public testing::CliFolderTest {
protected:
    CliClaim() : CliFolderTest("mirvane-cli-claim-") {}
};

constexpr std::string_view Statutory = "Adi Alacaklar (Kanuni Faiz)";

TEST_F(CliClaim, TheWorkedExampleHoldsThroughJson) {
    const Outcome outcome = run({"--hesap", exampleFile().string(), "--json"});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    const nlohmann::json result = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(result["bakiye"], worked::BalanceNumber);
    EXPECT_EQ(result["kalan_anapara"], worked::RemainingPrincipalNumber);
    EXPECT_EQ(result["odenmemis_faiz"], worked::UnpaidInterestNumber);
    EXPECT_EQ(result["odenmemis_masraf"], 0);
    EXPECT_EQ(result["odenmemis_vekalet"], 0);
    EXPECT_EQ(result["fazla_odeme"], 0);
    EXPECT_EQ(result["islemis_faiz"], worked::InterestBeforeFilingNumber);
    EXPECT_EQ(result["takip_tutari"], worked::FilingTotalNumber);
    EXPECT_EQ(result["uyari"], nlohmann::json::array());
    const nlohmann::json& first = result["mahsup"][0];
    EXPECT_EQ(first["tarih"], "01.07.2024");
    EXPECT_EQ(first["masraf"], 1500);
    EXPECT_EQ(first["vekalet"], 12000);
    EXPECT_EQ(first["faiz"], 5761.65);
    EXPECT_EQ(first["anapara"], 20738.35);
    EXPECT_EQ(first["kalan_anapara"], 79261.65);
    EXPECT_EQ(result["mahsup"][1]["faiz"], 4794.79);
    EXPECT_EQ(result["mahsup"][1]["kalan_anapara"], worked::RemainingPrincipalNumber);
    int days = 0;
    for (const nlohmann::json& slice : result["dilimler"]) {
        EXPECT_EQ(slice["kalem"], 1);
        days += slice["gun"].get<int>();
    }
    EXPECT_EQ(days, 365);
    EXPECT_EQ(result["dilimler"][2]["baslangic"], "31.05.2024");
    EXPECT_EQ(result["dilimler"][2]["oran"], 24);
}

TEST_F(CliClaim, TextGivesSummarySlicesAndSetOffs) {
    const Outcome outcome = run({"--hesap", exampleFile().string()});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    EXPECT_NE(outcome.out.find("Bakiye:\t57.290,94\n"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("İşlemiş Faiz:\t1.479,45\n"), std::string::npos);
    EXPECT_NE(outcome.out.find("\n1\t01.07.2024\t01.10.2024\t92\t24\t79.261,65\t4.794,79\n"),
              std::string::npos);
    EXPECT_NE(outcome.out.find("\n01.07.2024\t40.000,00\t1.500,00\t12.000,00\t5.761,65\t"
                               "20.738,35\t0,00\t79.261,65\n"),
              std::string::npos);
}

TEST_F(CliClaim, AmountsAreWrittenWithTwoDecimalsToTheKurus) {
    const Outcome example = run({"--hesap", exampleFile().string(), "--json"});
    ASSERT_EQ(example.code, cli::ExitOk) << example.err;
    for (const char* written : {"\"odenmemis_faiz\":3234.50,", "\"odenmemis_masraf\":0.00,",
                                "\"masraf\":1500.00,", "\"matrah\":100000.00,"}) {
        EXPECT_NE(example.out.find(written), std::string::npos) << written;
    }
    // Nine costs of the largest amount: the unpaid costs no longer fit a double to the
    // kuruş, nor fifteen significant digits.
    const fs::path large = exampleFile([](nlohmann::json& json) {
        json["kalemler"][1]["tutar"] = 9999999999999.99;
        const nlohmann::json costs = json["kalemler"][1];
        for (int copy = 0; copy < 8; ++copy) {
            json["kalemler"].push_back(costs);
        }
    });
    const Outcome asJson = run({"--hesap", large.string(), "--json"});
    ASSERT_EQ(asJson.code, cli::ExitOk) << asJson.err;
    EXPECT_NE(asJson.out.find("\"odenmemis_masraf\":89999999929999.91,"), std::string::npos)
        << asJson.out.substr(0, 200);
    EXPECT_NE(asJson.out.find("\"bakiye\":90000000059794.44,"), std::string::npos);
    const Outcome asText = run({"--hesap", large.string()});
    ASSERT_EQ(asText.code, cli::ExitOk) << asText.err;
    EXPECT_NE(asText.out.find("Ödenmemiş Masraf:\t89.999.999.929.999,91\n"), std::string::npos)
        << asText.out;
    EXPECT_NE(asText.out.find("Bakiye:\t90.000.000.059.794,44\n"), std::string::npos);
}

TEST_F(CliClaim, ALaterDateRunsPastTheListWithTheNotice) {
    const Outcome outcome =
        run({"--hesap", exampleFile().string(), "--tarih", "31.03.2027", "--json"});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    const nlohmann::json result = nlohmann::json::parse(outcome.out);
    ASSERT_EQ(result["uyari"].size(), 1u);
    EXPECT_NE(result["uyari"][0].get<std::string>().find("31.12.2026"), std::string::npos);
    // With --json the notices are in the document alone; the text goes with the text.
    EXPECT_EQ(outcome.err, "");
    const Outcome text = run({"--hesap", exampleFile().string(), "--tarih", "31.03.2027"});
    EXPECT_NE(text.err.find("31.12.2026"), std::string::npos);
    EXPECT_NE(text.out.find("\n\nHer satırın başlangıç günü faize dahil değildir; faiz ertesi "
                            "günden işler.\n"),
              std::string::npos);
    // A calculation date before a payment refuses the payment.
    const Outcome early = run({"--hesap", exampleFile().string(), "--tarih", "30.09.2024"});
    EXPECT_EQ(early.code, cli::ExitRejected);
    EXPECT_NE(early.err.find("odemeler[2].tarih"), std::string::npos) << early.err;
}

TEST_F(CliClaim, AListWithoutACopyIsReadFromTheFolder) {
    const fs::path withoutCopy =
        exampleFile([](nlohmann::json& json) { json["listeler"] = nlohmann::json::object(); });
    const fs::path folder = root / "listeler";
    fs::create_directories(folder);
    ASSERT_TRUE(faiz::write(folder / (std::string(Statutory) + ".faiz"),
                            claim::workedExample().lists.at(std::string(Statutory))));
    const Outcome outcome =
        run({"--hesap", withoutCopy.string(), "--klasor", folder.string(), "--json"});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    EXPECT_EQ(nlohmann::json::parse(outcome.out)["bakiye"], worked::BalanceNumber);
    // In the folder but damaged: the reason, not that the list is missing.
    testing::put(folder / (std::string(Statutory) + ".faiz"), "xxxx");
    const Outcome damaged = run({"--hesap", withoutCopy.string(), "--klasor", folder.string()});
    EXPECT_EQ(damaged.code, cli::ExitUsage);
    EXPECT_NE(damaged.err.find("Liste dosyası okunamadı: \""), std::string::npos) << damaged.err;
    EXPECT_NE(damaged.err.find(std::string(Statutory) + ".faiz\" (Hata Kodu: "), std::string::npos);
    EXPECT_EQ(damaged.out, "");
    // Not in the folder: a ready list comes from the program.
    fs::remove(folder / (std::string(Statutory) + ".faiz"));
    testing::put(folder / "Başka.faiz");
    const Outcome ready =
        run({"--hesap", withoutCopy.string(), "--klasor", folder.string(), "--json"});
    ASSERT_EQ(ready.code, cli::ExitOk) << ready.err;
    EXPECT_EQ(nlohmann::json::parse(ready.out)["bakiye"], worked::BalanceNumber);
    // Neither in the file, nor in the folder, nor among the ready lists.
    const fs::path unknown = exampleFile([](nlohmann::json& json) {
        json["listeler"] = nlohmann::json::object();
        json["kalemler"][0]["oran"]["liste"] = "Bilinmeyen Liste";
    });
    const Outcome missing = run({"--hesap", unknown.string(), "--klasor", folder.string()});
    EXPECT_EQ(missing.code, cli::ExitRejected);
    EXPECT_NE(missing.err.find("kalemler[1].oran.liste"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");
}

TEST_F(CliClaim, BadFilesAndOptionsGiveTheirExitCodes) {
    testing::put(root / "bozuk.mirvane", "{\n  \"bicim\": \"mirvane-hesap-dosyasi\",\n  ]");
    const Outcome damaged = run({"--hesap", (root / "bozuk.mirvane").string()});
    EXPECT_EQ(damaged.code, cli::ExitUsage);
    // In Turkish alone, the line and column said once.
    EXPECT_EQ(damaged.err, "Hesap dosyası bozuk: satır 3, sütun 3 (beklenmeyen karakter).\n");
    testing::put(root / "tirnak.mirvane", "{\n  \"bicim: 1}");
    EXPECT_EQ(run({"--hesap", (root / "tirnak.mirvane").string()}).err,
              "Hesap dosyası bozuk: satır 2, sütun 13 (kapanmayan tırnak).\n");

    const Outcome absent = run({"--hesap", (root / "yok.mirvane").string()});
    EXPECT_EQ(absent.code, cli::ExitUsage);

    const Outcome newer = run({"--hesap", exampleFile([](auto& j) { j["surum"] = 2; }).string()});
    EXPECT_EQ(newer.code, cli::ExitRejected);
    EXPECT_NE(newer.err.find("surum"), std::string::npos);

    const Outcome refused =
        run({"--hesap", exampleFile([](auto& j) { j["kalemler"][1]["tur"] = "harc"; }).string()});
    EXPECT_EQ(refused.code, cli::ExitRejected);
    EXPECT_NE(refused.err.find("kalemler[2].tur"), std::string::npos);

    const Outcome twoRates = run(
        {"--hesap", exampleFile([](auto& j) { j["kalemler"][0]["oran"]["sabit"] = 9; }).string()});
    EXPECT_EQ(twoRates.code, cli::ExitRejected);
    EXPECT_NE(twoRates.err.find("kalemler[1].oran:"), std::string::npos) << twoRates.err;
    EXPECT_EQ(twoRates.out, "");

    EXPECT_EQ(run({"--hesap", exampleFile().string(), "--tarih", "2024-12-31"}).code,
              cli::ExitUsage);
    EXPECT_EQ(run({"--hesap", exampleFile().string(), "--360"}).code, cli::ExitUsage);
    EXPECT_EQ(run({"--hesap-ornegi", "--json"}).code, cli::ExitUsage);
}

} // namespace
} // namespace mirvane
