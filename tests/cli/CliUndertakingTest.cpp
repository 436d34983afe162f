#include "cli/PdfOutput.h"
#include "core/report/Report.h"
#include "tests/cli/CliRun.h"
#include "tests/support/WorkedExample.h"

#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace mirvane {
namespace {

namespace worked = mirvane::testing::worked;

// The text of every block in order; a table row as its cells joined by " | " (an empty
// first cell leaves the line starting with the separator), without the header row.
std::vector<std::string> lines(const report::Document& document) {
    std::vector<std::string> texts;
    for (const report::Block& block : document.blocks) {
        if (const auto* heading = std::get_if<report::Heading>(&block)) {
            texts.push_back("# " + heading->text);
        } else if (const auto* paragraph = std::get_if<report::Paragraph>(&block)) {
            texts.push_back(paragraph->text);
        } else {
            for (const auto& row : std::get<report::Table>(block).rows) {
                std::string line;
                for (std::size_t cell = 0; cell < row.size(); ++cell) {
                    line += (cell == 0 ? "" : " | ") + row[cell];
                }
                texts.push_back(line);
            }
        }
    }
    return texts;
}

namespace fs = std::filesystem;

using Outcome = testing::CliOutcome;
using nlohmann::json;

class CliUndertaking : public testing::CliFolderTest {
protected:
    CliUndertaking() : CliFolderTest("mirvane-cli-taahhut-") {}

    // The worked example undertaking: 6 monthly instalments from 31.01.2025.
    Outcome worked(std::vector<std::string> more = {}) const {
        std::vector<std::string> args{
            "--taahhut", exampleFile().string(), "--tarih", "31.12.2024", "--taksit", "6", "--ilk",
            "31.01.2025"};
        args.insert(args.end(), more.begin(), more.end());
        return run(args);
    }
};

TEST_F(CliUndertaking, TheWorkedExampleThroughJson) {
    const Outcome outcome = worked({"--json"});
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    EXPECT_EQ(outcome.err, ""); // notices go into "uyari" only
    const json plan = json::parse(outcome.out);
    const json& debt = plan.at("borc");
    EXPECT_EQ(debt.at("tarih"), "31.12.2024");
    EXPECT_EQ(debt.at("toplam"), worked::BalanceNumber);
    EXPECT_EQ(debt.at("anapara"), worked::RemainingPrincipalNumber);
    EXPECT_EQ(debt.at("islemis_faiz"), 0);
    EXPECT_EQ(debt.at("takip_sonrasi_faiz"), worked::UnpaidInterestNumber);
    EXPECT_EQ(debt.at("masraf"), 0);
    EXPECT_EQ(debt.at("vekalet"), 0);
    const json& rows = plan.at("taksitler");
    ASSERT_EQ(rows.size(), 6u);
    const std::vector<std::string> dues{"31.01.2025", "28.02.2025", "02.04.2025",
                                        "30.04.2025", "02.06.2025", "30.06.2025"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].at("no"), i + 1);
        EXPECT_EQ(rows[i].at("vade"), dues[i]);
        EXPECT_EQ(rows[i].at("tutar"), i < 5 ? 10213.38 : 10213.34);
    }
    EXPECT_EQ(rows[2].at("neden"), "31.03.2025 Ramazan Bayramı");
    EXPECT_EQ(rows[4].at("neden"), "31.05.2025 Cumartesi");
    EXPECT_TRUE(rows[0].at("neden").is_null());
    EXPECT_EQ(rows[0].at("faiz"), 1101.86);
    EXPECT_EQ(rows[0].at("faiz_mahsup"), 4336.36);
    EXPECT_EQ(rows[0].at("anapara"), 5877.02);
    EXPECT_EQ(rows[0].at("kalan_anapara"), 48179.42);
    EXPECT_EQ(rows[0].at("masraf"), 0);
    EXPECT_EQ(rows[0].at("vekalet"), 0);
    EXPECT_EQ(rows[1].at("faiz_mahsup"), 887.03);
    EXPECT_EQ(rows[1].at("anapara"), 9326.35);
    EXPECT_EQ(rows[1].at("kalan_anapara"), 38853.07);
    EXPECT_EQ(rows[5].at("kalan_anapara"), 0);
    EXPECT_EQ(plan.at("toplam"), 61280.24);
    EXPECT_EQ(plan.at("toplam_yazi"), "altmış bir bin iki yüz seksen Türk lirası yirmi dört kuruş");
    EXPECT_EQ(plan.at("taahhut_sonrasi_faiz"), 3989.30);
    EXPECT_EQ(plan.at("uyari").size(), 2u);
    EXPECT_FALSE(plan.contains("pesinat"));
    // Amounts carry their two decimals, dates are dd.MM.yyyy.
    EXPECT_NE(outcome.out.find("\"toplam\":61280.24"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("\"takip_sonrasi_faiz\":3234.50"), std::string::npos);
    EXPECT_NE(outcome.out.find("\"tutar\":10213.38"), std::string::npos);
    EXPECT_NE(outcome.out.find("\"masraf\":0.00"), std::string::npos);
}

TEST_F(CliUndertaking, TextShowsDebtTableTotalAndNotices) {
    const Outcome outcome = worked();
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    for (const char* line :
         {"Taahhüt tarihi:\t31.12.2024\n", "Taahhüt tarihindeki borç (31.12.2024):\t57.290,94\n",
          "Takipten taahhüt tarihine kadar faiz, ödenmemiş:\t3.234,50\n",
          "1\t31.01.2025 Cuma\t\t10.213,38\t1.101,86\t0,00\t0,00\t4.336,36\t5.877,02\t48.179,42\t"
          "0,00\n",
          "3\t02.04.2025 Çarşamba\t31.03.2025 Ramazan Bayramı\t10.213,38\t",
          "6\t30.06.2025 Pazartesi\t\t10.213,34\t", "Toplam ödenecek:\t61.280,24\n",
          "Taahhütten ödeme günlerine kadar faiz:\t3.989,30\n",
          "Yazıyla:\taltmış bir bin iki yüz seksen Türk lirası yirmi dört kuruş\n"}) {
        EXPECT_NE(outcome.out.find(line), std::string::npos) << line << "\n" << outcome.out;
    }
    EXPECT_NE(outcome.err.find("3. taksit: 31.03.2025 Pazartesi iş günü değil"), std::string::npos)
        << outcome.err;
}

TEST_F(CliUndertaking, WeeksDownPaymentAndTheFilesOwnTerms) {
    const Outcome weekly = worked({"--aralik", "hafta", "--pesinat", "5.000,00", "--json"});
    ASSERT_EQ(weekly.code, cli::ExitOk) << weekly.err;
    const json plan = json::parse(weekly.out);
    EXPECT_EQ(plan.at("pesinat").at("tutar"), 5000.00);
    EXPECT_EQ(plan.at("pesinat").at("no"), 0);
    EXPECT_EQ(plan.at("taksitler")[1].at("vade"), "07.02.2025");
    const auto kurus = [](const json& amount) {
        return std::llround(amount.get<double>() * 100);
    };
    EXPECT_EQ(kurus(plan.at("toplam")),
              kurus(plan.at("borc").at("toplam")) + kurus(plan.at("taahhut_sonrasi_faiz")));

    // With a "taahhut" block the file alone is enough; options replace its terms.
    const fs::path withTerms = exampleFile([](json& file) {
        file["taahhut"] = {{"tarih", "2024-12-31"},
                           {"taksit_sayisi", 3},
                           {"ilk_vade", "2025-01-31"},
                           {"tutarlar", {20000.00, 20000.00, 20000.00}}};
    });
    const Outcome typed = run({"--taahhut", withTerms.string(), "--json"});
    ASSERT_EQ(typed.code, cli::ExitOk) << typed.err;
    const json typedPlan = json::parse(typed.out);
    EXPECT_EQ(typedPlan.at("toplam"), 60000.00);
    EXPECT_GT(typedPlan.at("fazla_odeme").get<double>(), 0);
    EXPECT_EQ(typedPlan.at("kalan_borc"), 0);
    const Outcome equal = run({"--taahhut", withTerms.string(), "--taksit", "6", "--json"});
    ASSERT_EQ(equal.code, cli::ExitOk) << equal.err;
    EXPECT_EQ(json::parse(equal.out).at("toplam"), 61280.24);
}

TEST_F(CliUndertaking, RefusalsNameTheOptionOrTheField) {
    const fs::path file = exampleFile();
    const auto plan = [&](std::vector<std::string> terms) {
        std::vector<std::string> args{"--taahhut", file.string()};
        args.insert(args.end(), terms.begin(), terms.end());
        return run(args);
    };
    Outcome outcome = plan({"--tarih", "31.12.2024", "--taksit", "361", "--ilk", "31.01.2025"});
    EXPECT_EQ(outcome.code, cli::ExitRejected);
    EXPECT_EQ(outcome.err, "--taksit: Taksit sayısı 1 ile 360 arasında olmalı.\n");
    outcome = plan({"--tarih", "31.12.2024", "--taksit", "0", "--ilk", "31.01.2025"});
    EXPECT_EQ(outcome.code, cli::ExitRejected);
    outcome = plan({"--tarih", "31.12.2024", "--taksit", "99999999999999", "--ilk", "31.01.2025"});
    EXPECT_EQ(outcome.code, cli::ExitRejected);
    outcome = plan({"--tarih", "31.12.2024", "--taksit", "6", "--ilk", "31.12.2024"});
    EXPECT_EQ(outcome.code, cli::ExitRejected);
    EXPECT_EQ(outcome.err.rfind("--ilk: ", 0), 0u) << outcome.err;
    outcome = plan({"--tarih", "29.02.2024", "--taksit", "6", "--ilk", "31.03.2024"});
    EXPECT_EQ(outcome.code, cli::ExitRejected);
    EXPECT_EQ(outcome.err.rfind("--tarih: Taahhüt tarihi takip tarihinden", 0), 0u) << outcome.err;
    outcome = plan({"--tarih", "30.09.2024", "--taksit", "6", "--ilk", "31.10.2024"});
    EXPECT_EQ(outcome.code, cli::ExitRejected);
    EXPECT_NE(outcome.err.find("2. ödemenin"), std::string::npos) << outcome.err;

    // Usage: a value that is no value, a missing term, an option of another verb.
    for (const std::vector<std::string>& terms :
         {std::vector<std::string>{"--tarih", "31.12.2024", "--taksit", "altı", "--ilk",
                                   "31.01.2025"},
          {"--tarih", "31.13.2024", "--taksit", "6", "--ilk", "31.01.2025"},
          {"--tarih", "31.12.2024", "--taksit", "6", "--ilk", "31.01.2025", "--aralik", "gun"},
          {"--tarih", "31.12.2024", "--taksit", "6", "--ilk", "31.01.2025", "--pesinat", "5x"},
          {"--tarih", "31.12.2024", "--taksit", "6"},
          {"--tarih", "31.12.2024", "--taksit", "6", "--ilk", "31.01.2025", "--360"}}) {
        outcome = plan(terms);
        EXPECT_EQ(outcome.code, cli::ExitUsage) << terms.back();
        EXPECT_EQ(outcome.out, "");
    }
    outcome = plan({"--tarih", "31.12.2024", "--taksit", "6"});
    EXPECT_NE(outcome.err.find("--ilk"), std::string::npos) << outcome.err;

    // Typed amounts of the file that do not match its count name the file's field.
    const fs::path mismatched = exampleFile([](json& json) {
        json["taahhut"] = {{"tarih", "2024-12-31"},
                           {"taksit_sayisi", 3},
                           {"ilk_vade", "2025-01-31"},
                           {"tutarlar", {20000.00, 20000.00}}};
    });
    outcome = run({"--taahhut", mismatched.string()});
    EXPECT_EQ(outcome.code, cli::ExitRejected);
    EXPECT_EQ(outcome.err.rfind("taahhut.tutarlar: ", 0), 0u) << outcome.err;
}

TEST_F(CliUndertaking, PdfIsTheUndertakingReadyToSign) {
    std::optional<report::Document> written;
    fs::path target;
    cli::setPdfWriter([&](const report::Document& document, const fs::path& file) {
        written = document;
        target = file;
        return Status{};
    });
    const fs::path withParties = exampleFile([](json& file) {
        file["taahhut"] = {
            {"tarih", "2024-12-31"},    {"taksit_sayisi", 6},
            {"ilk_vade", "2025-01-31"}, {"alacakli", "Alacaklı A.Ş."},
            {"borclu", "Borçlu Kişi"},  {"dosya_no", "İstanbul 5. İcra Dairesi 2024/1234 E."}};
    });
    const Outcome outcome =
        run({"--taahhut", withParties.string(), "--pdf", (root / "taahhut.pdf").string()});
    cli::setPdfWriter(nullptr);
    ASSERT_EQ(outcome.code, cli::ExitOk) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(target, root / "taahhut.pdf");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->title, "Ödeme Taahhüdü — İstanbul 5. İcra Dairesi 2024/1234 E.");
    const std::vector<std::string> texts = lines(*written);
    const auto has = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    for (const char* text :
         {"# Ödeme Taahhüdü",
          "İcra dosyası: İstanbul 5. İcra Dairesi 2024/1234 E.",
          "Alacaklı: Alacaklı A.Ş.",
          "Borçlu: Borçlu Kişi",
          "Takip tarihi: 01.03.2024",
          "Taahhüt tarihi: 31.12.2024",
          "# Taahhüt tarihindeki borç",
          "1. kalem, Anapara (Fatura) | 54.056,44",
          "Takipten önceki faiz (işlemiş faiz), ödenmemiş | 0,00",
          "Takipten taahhüt tarihine kadar faiz, ödenmemiş | 3.234,50",
          "Taahhüt tarihindeki borç (31.12.2024) | 57.290,94",
          "1 | 31.01.2025 Cuma |  | 10.213,38 | 1.101,86 | 0,00 | 0,00 | 4.336,36 | 5.877,02 | "
          "48.179,42",
          "3 | 02.04.2025 Çarşamba | 31.03.2025 Ramazan Bayramı | 10.213,38 | 843,06 | 0,00 | "
          "0,00 | 843,06 | 9.370,32 | 29.482,75",
          "6 | 30.06.2025 Pazartesi |  | 10.213,34 | 184,64 | 0,00 | 0,00 | 184,64 | 10.028,70 | "
          "0,00",
          " | Toplam |  | 61.280,24 | 3.989,30 | 0,00 | 0,00 | 7.223,80 | 54.056,44 | ",
          "Toplam ödenecek | 61.280,24",
          "Toplam 61.280,24 TL (yazıyla: altmış bir bin iki yüz seksen Türk lirası yirmi dört "
          "kuruş).",
          "1 | 31.12.2024 | 31.01.2025 | 31 | 24 | 54.056,44 | 1.101,86",
          "# Hukuki dayanak",
          "# İmzalar",
          "Adı soyadı: Borçlu Kişi | Adı soyadı: Alacaklı A.Ş. | Adı soyadı:"}) {
        EXPECT_TRUE(has(text)) << text;
    }
    const auto mentions = [&](const char* part) {
        return std::any_of(texts.begin(), texts.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    };
    EXPECT_TRUE(mentions("İİK 111"));
    EXPECT_TRUE(mentions("TBK 100"));
    EXPECT_TRUE(mentions("3. taksit: 31.03.2025 Pazartesi iş günü değil"));
}

} // namespace
} // namespace mirvane
