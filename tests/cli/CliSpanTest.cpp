#include "tests/cli/CliRun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using namespace mirvane;

using Outcome = mirvane::testing::CliOutcome;

Outcome run(const std::vector<std::string>& args) {
    // The verb reads no list, so the program folder is never looked at.
    return mirvane::testing::runCli(args, "/nonexistent/mirvane");
}

Outcome span(const std::string& start, const std::string& amount, const std::string& unit,
             std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--sure", "--baslangic", start, "--miktar",
                                  amount,   "--dilim",     unit};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
}

TEST(CliSpan, TextGivesTheFoundDateStepsAndLastDay) {
    const Outcome civil = span("17.07.2017", "2", "hafta", {"--usul", "hmk"});
    EXPECT_EQ(civil.code, cli::ExitOk);
    EXPECT_EQ(civil.out, "Bulunan Tarih: 31.07.2017 Pazartesi\n"
                         "adli tatil (HMK 104): 07.09.2017 Perşembe\n"
                         "Son Gün: 07.09.2017 Perşembe\n");
    // The notices go to the error stream, one line each.
    EXPECT_NE(civil.err.find("Uyarı: Bir Hukuk Genel Kurulu kararı"), std::string::npos);
    EXPECT_NE(civil.err.find("08.09.2017 Cuma"), std::string::npos);
    // 2017's feasts are in the table now: no notice on them.
    EXPECT_EQ(civil.err.find("dinî bayram"), std::string::npos);

    const Outcome enforcement = span("21.07.2020", "10", "gun", {"--usul", "iik"});
    EXPECT_EQ(enforcement.out, "Bulunan Tarih: 31.07.2020 Cuma\n"
                               "31.07.2020 Kurban Bayramı → 04.08.2020 Salı\n"
                               "Son Gün: 04.08.2020 Salı\n");
    EXPECT_EQ(enforcement.err, "");

    // The plain calendar is the default: a Saturday stays a Saturday.
    const Outcome calendar = span("31.01.2026", "2", "hafta");
    EXPECT_EQ(calendar.out, "Bulunan Tarih: 14.02.2026 Cumartesi\nSon Gün: 14.02.2026 Cumartesi\n");
    EXPECT_EQ(calendar.err, "");

    // The units are the window's: a month landing past its end takes the last day.
    EXPECT_EQ(span("31.01.2009", "1", "ay").out.substr(0, 35),
              "Bulunan Tarih: 28.02.2009 Cumartesi");
    EXPECT_EQ(span("29.02.2008", "1", "yil").out.substr(0, 35),
              "Bulunan Tarih: 28.02.2009 Cumartesi");
    EXPECT_EQ(span("01.03.2010", "2", "Hafta").out.substr(0, 35),
              "Bulunan Tarih: 15.03.2010 Pazartesi");
    EXPECT_EQ(span("01.03.2010", "0", "gün").out.substr(0, 35),
              "Bulunan Tarih: 01.03.2010 Pazartesi");

    // An urgent matter escapes the recess; --ivedi means nothing outside civil procedure.
    EXPECT_EQ(span("17.07.2017", "2", "hafta", {"--usul", "HMK", "--ivedi"}).out,
              "Bulunan Tarih: 31.07.2017 Pazartesi\nSon Gün: 31.07.2017 Pazartesi\n");
    const Outcome urgentEnforcement = span("17.07.2017", "2", "hafta", {"--ivedi"});
    EXPECT_EQ(urgentEnforcement.code, cli::ExitOk);
    EXPECT_NE(urgentEnforcement.err.find("--ivedi"), std::string::npos);
}

TEST(CliSpan, JsonCarriesStepsAndNotices) {
    const Outcome saturday = span("17.08.2024", "2", "hafta", {"--usul", "hmk", "--json"});
    EXPECT_EQ(saturday.code, cli::ExitOk);
    ASSERT_EQ(saturday.out.back(), '\n');
    const nlohmann::json document = nlohmann::json::parse(saturday.out);
    EXPECT_EQ(document["bulunan"], "31.08.2024");
    EXPECT_EQ(document["son_gun"], "09.09.2024");
    const nlohmann::json steps = document["adimlar"];
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0]["tarih"], "07.09.2024");
    EXPECT_EQ(steps[0]["neden"], "adli tatil (HMK 104): 07.09.2024");
    EXPECT_EQ(steps[1]["tarih"], "09.09.2024");
    EXPECT_EQ(steps[1]["neden"], "07.09.2024 Cumartesi");
    ASSERT_EQ(document["uyari"].size(), 1u);
    EXPECT_NE(document["uyari"][0].get<std::string>().find("2017/20-2873"), std::string::npos);
    // The notices are in the document alone, --ivedi's among them.
    EXPECT_EQ(saturday.err, "");
    const Outcome urgent = span("17.07.2017", "2", "hafta", {"--ivedi", "--json"});
    EXPECT_EQ(urgent.err, "");
    EXPECT_EQ(nlohmann::json::parse(urgent.out)["uyari"][0],
              "--ivedi yalnızca --usul hmk ya da cmk ile bir şey değiştirir.");
    // The keys in the order they are documented.
    EXPECT_EQ(saturday.out.find("{\"bulunan\":"), 0u);

    const nlohmann::json plain =
        nlohmann::json::parse(span("22.08.2017", "2", "hafta", {"--usul", "hmk", "--json"}).out);
    EXPECT_EQ(plain["son_gun"], "05.09.2017");
    EXPECT_TRUE(plain["adimlar"].is_array());
    EXPECT_TRUE(plain["adimlar"].empty());
    EXPECT_TRUE(plain["uyari"].empty());
    const nlohmann::json unknownYear =
        nlohmann::json::parse(span("03.03.1999", "2", "hafta", {"--usul", "iik", "--json"}).out);
    ASSERT_EQ(unknownYear["uyari"].size(), 1u);
    EXPECT_NE(unknownYear["uyari"][0].get<std::string>().find("1999 yılının"), std::string::npos);

    const nlohmann::json sunday =
        nlohmann::json::parse(span("03.08.2004", "5", "gun", {"--usul", "iik", "--json"}).out);
    EXPECT_EQ(sunday["bulunan"], "08.08.2004");
    EXPECT_EQ(sunday["son_gun"], "09.08.2004");
    EXPECT_EQ(sunday["adimlar"][0]["neden"], "08.08.2004 Pazar");
}

TEST(CliSpan, RefusesBadArguments) {
    const std::vector<std::vector<std::string>> cases{
        {"--sure"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "2"},
        {"--sure", "--baslangic", "17.07.2017", "--dilim", "hafta"},
        {"--sure", "--miktar", "2", "--dilim", "hafta"},
        {"--sure", "--baslangic", "2017-07-17", "--miktar", "2", "--dilim", "hafta"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "-2", "--dilim", "hafta"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "2a", "--dilim", "hafta"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "", "--dilim", "hafta"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "1234567890", "--dilim", "gun"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "2", "--dilim", "saat"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "2", "--dilim", "hafta", "--usul",
         "ceza"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "2", "--dilim", "hafta", "--anapara",
         "100"},
        {"--sure", "--baslangic", "17.07.2017", "--miktar", "2", "--dilim", "hafta", "--listeler"},
        {"--baslangic", "17.07.2017", "--miktar", "2", "--dilim", "hafta"},
    };
    for (const std::vector<std::string>& args : cases) {
        const Outcome result = run(args);
        EXPECT_EQ(result.code, cli::ExitUsage) << ::testing::PrintToString(args);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }

    // A date past 31.12.9999 is the run-time error of the window.
    const Outcome past = span("31.12.9999", "1", "gun", {"--usul", "hmk"});
    EXPECT_EQ(past.code, cli::ExitRunTime);
    EXPECT_EQ(past.out, "");
    EXPECT_EQ(past.err.rfind("Hata Kodu: 5\n", 0), 0u);
}

TEST(CliSpan, HelpNamesTheVerb) {
    const Outcome help = run({"--help"});
    for (const char* part :
         {"--sure", "--miktar", "--dilim", "--usul", "--ivedi", "idari izin", "2000-2030", "cmk"}) {
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
    }
}

} // namespace
