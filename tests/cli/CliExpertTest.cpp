#include "cli/PdfOutput.h"
#include "cli/WordOutput.h"
#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "tests/cli/CliRun.h"
#include "tests/support/WorkedExample.h"

#include <gtest/gtest.h>

namespace mirvane {
namespace {

namespace worked = mirvane::testing::worked;

namespace fs = std::filesystem;

using Outcome = testing::CliOutcome;

class CliExpert : public testing::CliFolderTest {
protected:
    CliExpert() : CliFolderTest("mirvane-cli-expert-") {}
    ~CliExpert() override {
        cli::setPdfWriter(nullptr);
        cli::setWordWriter(nullptr);
    }

    // The worked claim with the report's details and its two alternatives.
    fs::path expertFile(const std::function<void(nlohmann::json&)>& change = {}) const {
        nlohmann::json json = nlohmann::json::parse(claim::toJson(claim::expertExample()));
        if (change) {
            change(json);
        }
        const fs::path path = root / "bilirkisi.mirvane";
        testing::put(path, json.dump(2));
        return path;
    }
};

TEST_F(CliExpert, JsonCarriesEveryAlternativesFigures) {
    const Outcome outcome = run({"--hesap", expertFile().string(), "--json"});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    const nlohmann::json result = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(result["bakiye"], worked::BalanceNumber);
    EXPECT_EQ(result["takip_tutari"], worked::FilingTotalNumber);
    ASSERT_EQ(result["secenekler"].size(), 2u);
    const nlohmann::json& advance = result["secenekler"][0];
    EXPECT_EQ(advance["ad"], "Reeskont-avans, her değişiklik");
    EXPECT_EQ(advance["bakiye"], 90487.82);
    EXPECT_EQ(advance["kalan_anapara"], 80166.64);
    EXPECT_EQ(advance["islemis_faiz"], 7273.97);
    EXPECT_EQ(advance["takip_tutari"], 107273.97);
    const nlohmann::json& halfYearly = result["secenekler"][1];
    EXPECT_EQ(halfYearly["ad"], "3095 m.2/2 altı aylık");
    EXPECT_EQ(halfYearly["bakiye"], 88123.29);
    EXPECT_EQ(halfYearly["kalan_anapara"], 78052.87);
    EXPECT_EQ(halfYearly["takip_sonrasi_faiz"], 37349.32);
    // The balance is what the others add up to, alternative by alternative.
    for (const nlohmann::json& entry : result["secenekler"]) {
        for (const char* key : {"odenmemis_faiz", "islemis_faiz", "takip_sonrasi_faiz"}) {
            EXPECT_TRUE(entry[key].is_number()) << key;
        }
        EXPECT_NEAR(entry["bakiye"].get<double>(),
                    entry["kalan_anapara"].get<double>() + entry["odenmemis_faiz"].get<double>(),
                    0.001);
    }
    // Amounts keep their two decimals in the text, as the main figures do.
    EXPECT_NE(outcome.out.find("\"takip_tutari\":107273.97"), std::string::npos);

    // A file without alternatives has an empty list.
    const Outcome plain = run({"--hesap", exampleFile().string(), "--json"});
    ASSERT_EQ(plain.code, cli::ExitOk) << plain.err;
    EXPECT_EQ(nlohmann::json::parse(plain.out)["secenekler"], nlohmann::json::array());
}

TEST_F(CliExpert, TextEndsWithTheAlternativesTable) {
    const Outcome outcome = run({"--hesap", expertFile().string()});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    EXPECT_NE(outcome.out.find("\nSeçenek\tBakiye\tKalan anapara\tÖdenmemiş faiz\t"),
              std::string::npos)
        << outcome.out;
    EXPECT_NE(outcome.out.find("\nReeskont-avans, her değişiklik\t90.487,82\t80.166,64\t"),
              std::string::npos);
    EXPECT_NE(outcome.out.find("\t107.273,97\n"), std::string::npos);
    EXPECT_NE(outcome.out.find("\n3095 m.2/2 altı aylık\t88.123,29\t78.052,87\t"),
              std::string::npos);
    EXPECT_EQ(run({"--hesap", exampleFile().string()}).out.find("Seçenek\t"), std::string::npos);
}

TEST_F(CliExpert, ABadAlternativeIsRefusedByItsField) {
    const Outcome costs =
        run({"--hesap", expertFile([](nlohmann::json& json) {
                            json["secenekler"][1]["degisiklik"]["kalemler"][0]["kalem"] = 2;
                        }).string(),
             "--json"});
    EXPECT_EQ(costs.code, cli::ExitRejected);
    EXPECT_NE(costs.err.find("secenekler[2].degisiklik.kalemler[1].kalem"), std::string::npos)
        << costs.err;
    EXPECT_EQ(costs.out, "");
    const Outcome nothing = run({"--hesap", expertFile([](nlohmann::json& json) {
                                                json["secenekler"][0]["degisiklik"] =
                                                    nlohmann::json::object();
                                            }).string()});
    EXPECT_EQ(nothing.code, cli::ExitRejected);
    EXPECT_NE(nothing.err.find("secenekler[1].degisiklik:"), std::string::npos) << nothing.err;
    const Outcome form = run({"--hesap", expertFile([](nlohmann::json& json) {
                                             json["secenekler"][0]["degisiklik"]["gun_esasi"] =
                                                 "360";
                                         }).string()});
    EXPECT_EQ(form.code, cli::ExitRejected);
    EXPECT_NE(form.err.find("secenekler[1].degisiklik.gun_esasi"), std::string::npos) << form.err;
}

// A ready list needs no copy in the file nor in the folder.
TEST_F(CliExpert, AReadyListIsTakenFromTheProgram) {
    const fs::path folder = root / "listeler";
    fs::create_directories(folder);
    testing::put(folder / "Başka.faiz");
    const fs::path file = expertFile([](nlohmann::json& json) {
        json["listeler"] = nlohmann::json::object();
        json["kalemler"][0]["oran"]["liste"] = "Ticari Temerrüt Faizi (3095 m.2-2, 6 aylık)";
        json["secenekler"] = nlohmann::json::array();
    });
    const Outcome outcome = run({"--hesap", file.string(), "--klasor", folder.string(), "--json"});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    EXPECT_EQ(nlohmann::json::parse(outcome.out)["bakiye"], 88123.29);
}

TEST_F(CliExpert, PdfAndWordGetTheWholeReport) {
    std::vector<std::string> written;
    std::string title;
    const auto writer = [&](const char* kind) {
        return [&written, &title, kind](const report::Document& document, const fs::path& file) {
            written.push_back(std::string(kind) + " " + file.filename().string());
            title = document.title;
            return Status{};
        };
    };
    cli::setPdfWriter(writer("pdf"));
    cli::setWordWriter(writer("word"));
    const Outcome both =
        run({"--hesap", expertFile().string(), "--pdf", (root / "rapor.pdf").string(), "--word",
             (root / "rapor.docx").string()});
    ASSERT_EQ(both.code, cli::ExitOk) << both.err;
    EXPECT_EQ(both.out, "");
    EXPECT_EQ(written, (std::vector<std::string>{"pdf rapor.pdf", "word rapor.docx"}));
    EXPECT_EQ(title, "BİLİRKİŞİ (HESAP) RAPORU — 2025/345 E.");

    // Without the windows there is no Word writer.
    cli::setWordWriter(nullptr);
    const Outcome none =
        run({"--hesap", expertFile().string(), "--word", (root / "rapor.dotx").string()});
    EXPECT_EQ(none.code, cli::ExitUsage);
    EXPECT_NE(none.err.find("--word bu derlemede yok"), std::string::npos) << none.err;
    // --word belongs to --hesap only.
    EXPECT_EQ(run({"--listeler", "--word", "x.docx"}).code, cli::ExitUsage);
}

} // namespace
} // namespace mirvane
