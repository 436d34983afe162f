#include "core/common/Utf8Path.h"
#include "core/ratelist/FaizFile.h"
#include "core/rates/DefaultLists.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"
#include "tests/cli/CliRun.h"
#include "tests/support/AmountCases.h"
#include "tests/support/ChildProcess.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#ifndef _WIN32
#include <sys/mount.h>
#endif
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using namespace mirvane;

const std::string Header = "Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz Miktarı";
const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";
// The text output ends with how its rows are read, after a blank line.
const std::string StartDayLine =
    "\nHer satırın başlangıç günü faize dahil değildir; faiz ertesi günden işler.\n";

using Outcome = mirvane::testing::CliOutcome;
using mirvane::testing::entriesOf;

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = mirvane::testing::freshFolder("mirvane-cli-");
        folder_ = root_ / "Faizler";
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    Outcome run(const std::vector<std::string>& args) const {
        return mirvane::testing::runCli(args, root_ / "program");
    }

    // A statutory calculation in the test's own list folder.
    Outcome calculate(std::string principal, std::string start, std::string end,
                      std::vector<std::string> extra = {}) const {
        std::vector<std::string> args{"--liste",     Statutory,       "--anapara", principal,
                                      "--baslangic", start,           "--bitis",   end,
                                      "--klasor",    folder_.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args);
    }

    fs::path writeList(const std::string& fileName, const std::vector<RatePeriod>& periods) const {
        fs::create_directories(root_ / "elsewhere");
        const fs::path file = root_ / "elsewhere" / utf8path::fromUtf8(fileName);
        EXPECT_TRUE(faiz::write(file, periods).ok());
        return file;
    }

    fs::path root_;
    fs::path folder_;
};

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

TEST_F(Cli, PrintsTheBreakdown) {
    const Outcome result = calculate("1000", "01.07.2005", "01.07.2006");
    EXPECT_EQ(result.code, cli::ExitOk);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, Header + "\n" + "01.07.2005\t31.12.2005\t12\t183\t60,16\n" +
                              "31.12.2005\t01.07.2006\t9\t182\t44,88\n" +
                              "\t\t\tFaiz Toplamı: \t105,04\n" + StartDayLine);
    EXPECT_EQ(fs::file_size(folder_ / (Statutory + ".faiz")), 1916u);

    const Outcome year360 = calculate("1.000,00", "01.07.2005", "01.07.2006", {"--360"});
    EXPECT_EQ(year360.code, cli::ExitOk);
    EXPECT_NE(year360.out.find("\t\t\tFaiz Toplamı: \t106,50\n"), std::string::npos);

    const Outcome fraction = calculate("1000,5", "01.01.2008", "01.01.2009");
    EXPECT_NE(fraction.out.find("\t366\t90,29\n"), std::string::npos) << fraction.out;
}

TEST_F(Cli, WritesJson) {
    const Outcome result = calculate("1000", "01.07.2005", "01.07.2006", {"--json"});
    EXPECT_EQ(result.code, cli::ExitOk);
    EXPECT_EQ(
        result.out,
        "{\"liste\":\"Adi Alacaklar (Kanuni Faiz)\",\"satirlar\":["
        "{\"donem\":9,\"baslangic\":\"2005-07-01\",\"bitis\":\"2005-12-31\",\"oran\":12,"
        "\"gun\":183,\"miktar\":60.16,\"tutar\":60.16},"
        "{\"donem\":10,\"baslangic\":\"2005-12-31\",\"bitis\":\"2006-07-01\",\"oran\":9,"
        "\"gun\":182,\"miktar\":44.88,\"tutar\":105.04}],\"toplam\":105.04,\"uyari\":null}\n");

#ifndef _WIN32 // Windows file names hold no quote, backslash or tab
    const fs::path file =
        writeList("Tırnak \"x\"\\\t.faiz", {{on(2000, 1, 1), on(2000, 12, 31), 17.75, ""}});
    const Outcome named = run({"--dosya", file.string(), "--anapara", "100", "--baslangic",
                               "01.01.2000", "--bitis", "02.01.2000", "--json"});
    EXPECT_EQ(named.code, cli::ExitOk);
    EXPECT_EQ(named.out.rfind("{\"liste\":\"Tırnak \\\"x\\\"\\\\\\u0009\",", 0), 0u) << named.out;
    EXPECT_NE(named.out.find("\"oran\":17.75,\"gun\":1,\"miktar\":0.05"), std::string::npos);
#endif
}

TEST_F(Cli, ListsNamesInTheWindowOrder) {
    const Outcome first = run({"--listeler", "--klasor", folder_.string()});
    EXPECT_EQ(first.code, cli::ExitOk);
    EXPECT_EQ(first.out, Statutory + "\nTicari Alacaklar (Reeskont-Avans)\n" +
                             "Ticari Alacaklar (Reeskont-İskonto)\n");

    fs::copy_file(folder_ / (Statutory + ".faiz"), folder_ / "abc.FAIZ");
    fs::copy_file(folder_ / (Statutory + ".faiz"), folder_ / ".gizli.faiz");
    const Outcome more = run({"--listeler", "--klasor", folder_.string()});
    EXPECT_EQ(more.out, "abc\n" + Statutory + "\nTicari Alacaklar (Reeskont-Avans)\n" +
                            "Ticari Alacaklar (Reeskont-İskonto)\n");

    const Outcome capitals =
        run({"--liste", "abc", "--anapara", "1000", "--baslangic", "01.07.2005", "--bitis",
             "01.07.2006", "--klasor", folder_.string(), "--json"});
    EXPECT_EQ(capitals.code, cli::ExitOk) << capitals.err;
    EXPECT_NE(capitals.out.find("{\"liste\":\"abc\""), std::string::npos);
    EXPECT_NE(capitals.out.find("\"toplam\":105.04,"), std::string::npos);

    const Outcome programFolder = run({"--listeler"});
    EXPECT_EQ(programFolder.code, cli::ExitOk);
    EXPECT_EQ(programFolder.out, first.out);
}

TEST_F(Cli, ReadsAFileFromAnywhere) {
    const fs::path file = writeList("Özel.faiz", {{on(2010, 1, 1), on(2010, 12, 31), 10, ""},
                                                  {on(2011, 1, 1), on(2011, 12, 31), 20, ""}});
    const Outcome result = run({"--dosya", file.string(), "--anapara", "365", "--baslangic",
                                "01.07.2010", "--bitis", "01.07.2011"});
    EXPECT_EQ(result.code, cli::ExitOk) << result.err;
    EXPECT_EQ(result.out, Header + "\n01.07.2010\t31.12.2010\t10\t183\t18,30\n" +
                              "31.12.2010\t01.07.2011\t20\t182\t36,40\n" +
                              "\t\t\tFaiz Toplamı: \t54,70\n" + StartDayLine);
    EXPECT_FALSE(fs::exists(root_ / "program"));
}

TEST_F(Cli, RefusesBadArgumentsWithExitTwo) {
    const fs::path file = writeList("Liste.faiz", {{on(2010, 1, 1), on(2010, 12, 31), 10, ""}});
    std::ofstream(root_ / "elsewhere" / "bozuk.faiz") << "abc";
    const std::vector<std::vector<std::string>> cases{
        {},
        {"--bilinmeyen"},
        {"--liste"},
        {"--liste", Statutory, "--anapara", "1000", "--baslangic", "01.07.2005"},
        {"--anapara", "1000", "--baslangic", "01.07.2005", "--bitis", "01.07.2006"},
        {"--liste", Statutory, "--dosya", file.string(), "--anapara", "1000", "--baslangic",
         "01.07.2005", "--bitis", "01.07.2006"},
        {"--liste", Statutory, "--liste", Statutory, "--anapara", "1000", "--baslangic",
         "01.07.2005", "--bitis", "01.07.2006"},
        {"--liste", Statutory, "--anapara", "1000", "--baslangic", "32.01.2005", "--bitis",
         "01.07.2006"},
        {"--liste", Statutory, "--anapara", "1000", "--baslangic", "01.07.2005", "--bitis",
         "2006-07-01"},
        {"--liste", Statutory, "--anapara", "1000.50", "--baslangic", "01.07.2005", "--bitis",
         "01.07.2006"},
        {"--liste", "Yok Böyle Liste", "--anapara", "1000", "--baslangic", "01.07.2005", "--bitis",
         "01.07.2006"},
        {"--dosya", (root_ / "yok.faiz").string(), "--anapara", "1000", "--baslangic", "01.07.2010",
         "--bitis", "01.07.2011"},
        {"--dosya", (root_ / "elsewhere" / "bozuk.faiz").string(), "--anapara", "1000",
         "--baslangic", "01.07.2010", "--bitis", "01.07.2011"},
        {"--listeler", "--json"},
    };
    for (std::vector<std::string> args : cases) {
        if (!args.empty() && args[0] != "--dosya") {
            args.insert(args.end(), {"--klasor", folder_.string()});
        }
        const Outcome result = run(args);
        EXPECT_EQ(result.code, cli::ExitUsage) << ::testing::PrintToString(args);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
}

TEST_F(Cli, RejectionsPrintTheEngineMessage) {
    const Outcome zero = calculate("0", "01.07.2005", "01.07.2006");
    EXPECT_EQ(zero.code, cli::ExitRejected);
    EXPECT_EQ(zero.out, "");
    EXPECT_EQ(zero.err, "\"Anapara\" miktarı SIFIR'dan büyük olmalı!\n");

    EXPECT_EQ(calculate("", "01.07.2005", "01.07.2006").err,
              "\"Anapara\" miktarını girmeniz gerekiyor!\n");
    // Text the principal field could never hold is a usage error, not "not above zero";
    // every amount it holds is computed with, and only a zero one is refused.
    for (const mirvane::testing::AmountCase& amount : mirvane::testing::AmountCases) {
        const Outcome outcome = calculate(std::string(amount.text), "01.07.2005", "01.07.2006");
        const bool computed = amount.value > 0.0 && amount.value < text::AmountLimit;
        const int expected = !amount.value ? cli::ExitUsage : computed ? 0 : cli::ExitRejected;
        EXPECT_EQ(outcome.code, expected) << amount.text << outcome.err;
    }
    EXPECT_EQ(calculate("1000", "01.07.2005", "01.07.2005").err,
              "\"Başlangıç Tarihi\" ile \"Bitiş Tarihi\" arasında en az (1) gün bulunmalı!\n");
    EXPECT_EQ(calculate("1000", "01.01.1970", "01.07.2005").err,
              "\"Başlangıç Tarihi\", ilk dönemin \"Başlangıç Tarihi\"nden küçük olamaz!\n");
}

TEST_F(Cli, RunTimeErrorsExitThree) {
    const fs::path longList = writeList("Uzun.faiz", {{on(1900, 1, 1), on(1900, 12, 31), 5, ""},
                                                      {on(1901, 1, 1), on(2099, 12, 31), 5, ""}});
    const Outcome overflow = run({"--dosya", longList.string(), "--anapara", "1000", "--baslangic",
                                  "01.06.1900", "--bitis", "01.01.2050"});
    EXPECT_EQ(overflow.code, cli::ExitRunTime);
    EXPECT_EQ(overflow.out, "");
    EXPECT_EQ(overflow.err, "Hata Kodu: 6\nHata Mesajı: Taşma\n");

    const fs::path empty = writeList("Boş.faiz", {});
    const Outcome noPeriods = run({"--dosya", empty.string(), "--anapara", "1000", "--baslangic",
                                   "01.06.1900", "--bitis", "01.01.2050", "--json"});
    EXPECT_EQ(noPeriods.code, cli::ExitRunTime);
    EXPECT_EQ(noPeriods.out, "");
    EXPECT_EQ(noPeriods.err.rfind("Hata Kodu: 9\n", 0), 0u);
}

TEST_F(Cli, HelpExplainsEveryOption) {
    for (const std::string flag : {"--help", "-h"}) {
        const Outcome help = run({flag});
        EXPECT_EQ(help.code, cli::ExitOk);
        EXPECT_EQ(help.err, "");
        for (const char* option : {"--liste", "--dosya", "--anapara", "--baslangic", "--bitis",
                                   "--360", "--klasor", "--json", "--listeler", "Kullanım"}) {
            EXPECT_NE(help.out.find(option), std::string::npos) << option;
        }
    }
    EXPECT_FALSE(fs::exists(folder_));
}

// A claim past the list's end gets the last rate and a notice; stdout stays the
// breakdown alone, and the exit code says nothing of it.
TEST_F(Cli, WarnsWhenTheLastRateRunsPastTheListEnd) {
    const std::string notice = "Uyarı: Seçili liste 31.12.2026 tarihinde bitiyor; sonrası için "
                               "son dönemin oranı (%31) uygulandı. Oranlar değiştiyse listeyi "
                               "güncelleyin.\n";
    const Outcome text = calculate("1000", "01.08.2026", "01.08.2027");
    EXPECT_EQ(text.code, cli::ExitOk);
    EXPECT_EQ(text.err, notice);
    EXPECT_EQ(text.out, Header + "\n01.08.2026\t01.08.2027\t31\t365\t310,00\n" +
                            "\t\t\tFaiz Toplamı: \t310,00\n" + StartDayLine);

    // With --json the notice is in the document alone.
    const Outcome json = calculate("1000", "01.08.2026", "01.08.2027", {"--json"});
    EXPECT_EQ(json.code, cli::ExitOk);
    EXPECT_EQ(json.err, "");
    EXPECT_NE(json.out.find(",\"uyari\":{\"metin\":\"" + notice.substr(0, notice.size() - 1) +
                            "\",\"son_bitis\":\"2026-12-31\",\"oran\":31,"
                            "\"baslangic\":\"2027-01-01\",\"gun\":213,\"denetlendi\":false}}\n"),
              std::string::npos)
        << json.out;

    const Outcome onTheEnd = calculate("1000", "01.08.2026", "31.12.2026");
    EXPECT_EQ(onTheEnd.err, "");
}

// List names are matched without regard to Turkish letter case: "I" is the capital of
// "ı", "İ" that of "i". A name that fits two lists that way is refused, naming both.
TEST_F(Cli, MatchesListNamesInTurkishLetterCase) {
    const auto total = [&](const std::vector<std::string>& source) {
        std::vector<std::string> args = source;
        args.insert(args.end(), {"--anapara", "1000", "--baslangic", "01.07.2005", "--bitis",
                                 "01.07.2006", "--json"});
        return run(args);
    };
    const Outcome lower =
        total({"--liste", "adi alacaklar (kanuni faiz)", "--klasor", folder_.string()});
    EXPECT_EQ(lower.code, cli::ExitOk) << lower.err;
    EXPECT_EQ(lower.out.rfind("{\"liste\":\"Adi Alacaklar (Kanuni Faiz)\",", 0), 0u);
    const Outcome capitals = total({"--hazir", "TİCARİ ALACAKLAR (REESKONT-AVANS)"});
    EXPECT_EQ(capitals.code, cli::ExitOk) << capitals.err;
    EXPECT_EQ(capitals.out.rfind("{\"liste\":\"Ticari Alacaklar (Reeskont-Avans)\",", 0), 0u);
    // An ASCII I is no capital of i.
    EXPECT_EQ(total({"--hazir", "TICARI ALACAKLAR (REESKONT-AVANS)"}).code, cli::ExitUsage);

    ASSERT_EQ(run({"--listeler", "--klasor", folder_.string()}).code, cli::ExitOk);
    const std::vector<RatePeriod> periods{{on(2000, 1, 1), on(2010, 12, 31), 9, ""}};
    ASSERT_TRUE(faiz::write(folder_ / utf8path::fromUtf8("Şirket İçi.faiz"), periods).ok());
    ASSERT_TRUE(faiz::write(folder_ / utf8path::fromUtf8("ŞİRKET İÇİ.faiz"), periods).ok());
    const Outcome exact = total({"--liste", "ŞİRKET İÇİ", "--klasor", folder_.string()});
    EXPECT_EQ(exact.code, cli::ExitOk) << exact.err;
    const Outcome both = total({"--liste", "şirket içi", "--klasor", folder_.string()});
    EXPECT_EQ(both.code, cli::ExitUsage);
    EXPECT_NE(both.err.find("\"ŞİRKET İÇİ\""), std::string::npos) << both.err;
    EXPECT_NE(both.err.find("\"Şirket İçi\""), std::string::npos) << both.err;
}

// Every figure to the exact kuruş, in the text and in the JSON; a ready list that ends
// on its check day gets the plain note, in the document alone with --json.
TEST_F(Cli, ExactKurusAndTheCheckedRatesNote) {
    const std::vector<std::string> eighty{
        "--hazir",     Statutory,    "--anapara", "80.359.567.862.676",
        "--baslangic", "01.01.2024", "--bitis",   "01.10.2026"};
    const Outcome text = run(eighty);
    EXPECT_NE(text.out.find("\t24\t790\t41.742.942.648.666,77\n"), std::string::npos) << text.out;
    std::vector<std::string> json = eighty;
    json.push_back("--json");
    const Outcome document = run(json);
    EXPECT_NE(document.out.find("\"miktar\":41742942648666.77,"), std::string::npos)
        << document.out;

    const std::string note = "Oranlar 08.12.2026 tarihine kadar denetlendi; sonrası için son "
                             "oran (%39,75) uygulandı.";
    const std::vector<std::string> avans{"--hazir",     "Ticari Alacaklar (Reeskont-Avans)",
                                         "--anapara",   "1000",
                                         "--baslangic", "01.12.2026",
                                         "--bitis",     "09.12.2026"};
    EXPECT_EQ(run(avans).err, note + "\n");
    std::vector<std::string> avansJson = avans;
    avansJson.push_back("--json");
    const Outcome plain = run(avansJson);
    EXPECT_EQ(plain.err, "");
    EXPECT_NE(plain.out.find("\"metin\":\"" + note + "\""), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("\"denetlendi\":true}"), std::string::npos) << plain.out;
}

// Read from elsewhere, a file keeps its whole name unless it ends in ".faiz".
TEST_F(Cli, ListNameFromAFileOfAnotherName) {
    const fs::path other = writeList("kanuni.bin", {{on(2000, 1, 1), on(2000, 12, 31), 9, ""}});
    const Outcome named = run({"--dosya", other.string(), "--anapara", "100", "--baslangic",
                               "01.01.2000", "--bitis", "02.01.2000", "--json"});
    EXPECT_EQ(named.code, cli::ExitOk);
    EXPECT_EQ(named.out.rfind("{\"liste\":\"kanuni.bin\",", 0), 0u) << named.out;
}

// A ready list computes without any folder; its names are listed.
TEST_F(Cli, ComputesOverAReadyListWithoutAFolder) {
    const Outcome names = run({"--hazir-listeler"});
    EXPECT_EQ(names.code, cli::ExitOk);
    EXPECT_EQ(names.out, "Adi Alacaklar (Kanuni Faiz)\nTicari Alacaklar (Reeskont-Avans)\n"
                         "Ticari Alacaklar (Reeskont-İskonto)\n"
                         "Ticari Temerrüt Faizi (3095 m.2-2, 6 aylık)\n"
                         "Ticari Gecikme Faizi (TTK 1530)\n");

    const Outcome claim = run({"--hazir", Statutory, "--anapara", "100.000,00", "--baslangic",
                               "01.01.2024", "--bitis", "01.10.2026"});
    EXPECT_EQ(claim.code, cli::ExitOk) << claim.err;
    EXPECT_EQ(claim.err, "");
    EXPECT_EQ(claim.out, Header + "\n01.01.2024\t31.05.2024\t9\t151\t3.723,29\n" +
                             "31.05.2024\t30.07.2026\t24\t790\t51.945,21\n" +
                             "30.07.2026\t01.10.2026\t31\t63\t5.350,68\n" +
                             "\t\t\tFaiz Toplamı: \t61.019,18\n" + StartDayLine);
    EXPECT_FALSE(fs::exists(root_ / "program"));
    EXPECT_FALSE(fs::exists(folder_));

    const Outcome unknown = run(
        {"--hazir", "Yok", "--anapara", "1", "--baslangic", "01.01.2024", "--bitis", "02.01.2024"});
    EXPECT_EQ(unknown.code, cli::ExitUsage);
    EXPECT_NE(unknown.err.find("--hazir-listeler"), std::string::npos);
    const Outcome both = run({"--hazir", Statutory, "--liste", Statutory, "--anapara", "1",
                              "--baslangic", "01.01.2024", "--bitis", "02.01.2024"});
    EXPECT_EQ(both.code, cli::ExitUsage);
    EXPECT_EQ(run({"--hazir-listeler", "--json"}).code, cli::ExitUsage);
}

// Lists earlier versions wrote are brought current with a safe write; a current list
// and an unrecognised list are left byte for byte.
TEST_F(Cli, BringsTheFolderCurrent) {
    fs::create_directories(folder_);
    for (const RateList& earlier : rates::earlierDefaults()) {
        ASSERT_TRUE(
            faiz::write(folder_ / utf8path::fromUtf8(earlier.Name + ".faiz"), earlier.Periods)
                .ok());
    }
    const std::vector<RatePeriod> own{{on(2015, 1, 1), on(2015, 12, 31), 12, "kendi"}};
    ASSERT_TRUE(faiz::write(folder_ / "Kendi.faiz", own).ok());
    const RateList& late = *rates::readyList(rates::LatePaymentName);
    ASSERT_TRUE(faiz::write(folder_ / "Gecikme.faiz", late.Periods).ok());
    const auto bytesOf = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string ownBytes = bytesOf(folder_ / "Kendi.faiz");
    const std::string lateBytes = bytesOf(folder_ / "Gecikme.faiz");

    const Outcome updated = run({"--listeleri-guncelle", "--klasor", folder_.string()});
    EXPECT_EQ(updated.code, cli::ExitOk) << updated.err;
    EXPECT_EQ(updated.out, "güncellendi: Adi Alacaklar (Kanuni Faiz) (3 dönem değişti)\n"
                           "güncel: Gecikme\n"
                           "tanınmadı: Kendi\n"
                           "güncellendi: Ticari Alacaklar (Reeskont-Avans) (16 dönem değişti)\n"
                           "güncellendi: Ticari Alacaklar (Reeskont-İskonto) (16 dönem değişti)\n");
    for (std::size_t k = 0; k < 3; ++k) {
        const auto read =
            faiz::read(folder_ / utf8path::fromUtf8(defaults::lists()[k].Name + ".faiz"));
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.value().Periods, defaults::lists()[k].Periods);
    }
    EXPECT_EQ(bytesOf(folder_ / "Kendi.faiz"), ownBytes);
    EXPECT_EQ(bytesOf(folder_ / "Gecikme.faiz"), lateBytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 5);

    const Outcome again = run({"--listeleri-guncelle", "--klasor", folder_.string()});
    EXPECT_EQ(again.code, cli::ExitOk);
    EXPECT_EQ(again.out.find("güncellendi"), std::string::npos) << again.out;

    // A file that cannot be read is reported and the others still go through.
    std::ofstream(folder_ / "Bozuk.faiz", std::ios::binary) << "kısa";
    const Outcome broken = run({"--listeleri-guncelle", "--klasor", folder_.string()});
    EXPECT_EQ(broken.code, cli::ExitRunTime);
    EXPECT_EQ(broken.err.rfind("okunamadı: Bozuk (", 0), 0u) << broken.err;
    EXPECT_NE(broken.out.find("güncel: Gecikme\n"), std::string::npos);
}

TEST_F(Cli, PrintsTheRatesWithTheirSources) {
    const Outcome rates = run({"--oranlar"});
    EXPECT_EQ(rates.code, cli::ExitOk);
    EXPECT_EQ(rates.out.rfind("Faiz oranları 08.12.2026 tarihine kadar denetlendi, programla gelen "
                              "oranlar.\n",
                              0),
              0u);
    for (const RateList& list : rates::readyLists()) {
        EXPECT_NE(rates.out.find("\n\n" + list.Name +
                                 "\nBaşlangıç Tarihi\tBitiş Tarihi\tFaiz "
                                 "Oranı\tDayanak\n"),
                  std::string::npos)
            << list.Name;
    }
    EXPECT_NE(rates.out.find("\n13.06.2020\t18.12.2020\t10\tTCMB, RG 13.06.2020/31154\n"),
              std::string::npos);
    EXPECT_NE(rates.out.find("\n01.07.2025\t31.12.2025\t44,25\t30.06.2025 TCMB avans oranı"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(root_ / "program"));
}

// Seen: each of these exited 0 with no message, and a list that could not be written was
// then reported as not found.
TEST_F(Cli, AFolderThatCannotBePreparedExitsThreeWithTheReason) {
    fs::create_directories(root_);
    std::ofstream(root_ / "dosya") << "metin";
    const Outcome file = run({"--listeler", "--klasor", (root_ / "dosya").string()});
    EXPECT_EQ(file.code, cli::ExitRunTime);
    EXPECT_EQ(file.out, "");
    EXPECT_EQ(file.err.rfind("Hata Kodu: 76\n", 0), 0u) << file.err;
    EXPECT_NE(file.err.find((root_ / "dosya").string()), std::string::npos) << file.err;

    const Outcome named =
        run({"--liste", Statutory, "--anapara", "1000", "--baslangic", "01.07.2005", "--bitis",
             "01.07.2006", "--klasor", (root_ / "dosya").string()});
    EXPECT_EQ(named.code, cli::ExitRunTime);
    EXPECT_EQ(named.err.find("adlı faiz oranı listesi"), std::string::npos) << named.err;

    const Outcome tooLong =
        run({"--listeler", "--klasor", (root_ / std::string(300, 'u')).string()});
    EXPECT_EQ(tooLong.code, cli::ExitRunTime);
    EXPECT_EQ(tooLong.err.rfind("Hata Kodu: 52\n", 0), 0u) << tooLong.err;

#ifndef _WIN32 // no file size limit (RLIMIT_FSIZE) or fork
    // ulimit -f 0: not one byte of a default can be written.
    const int limited = mirvane::testing::inChild([&] {
        if (!mirvane::testing::limitFileSize(0)) {
            return 100;
        }
        return run({"--listeler", "--klasor", folder_.string()}).code;
    });
    EXPECT_EQ(limited, cli::ExitRunTime);
    EXPECT_TRUE(fs::is_empty(folder_));
#endif
}

TEST_F(Cli, WithoutPrivilegesAnUnreadableOrReadOnlyFolderExitsThree) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows: no POSIX permission bits, users or fork";
#else
    fs::permissions(root_, fs::perms(0755));
    fs::create_directories(folder_);
    const fs::path statutory = folder_ / (Statutory + ".faiz");
    std::vector<RatePeriod> updated = {{on(2020, 12, 31), on(2024, 5, 31), 9, "Güncel"}};
    ASSERT_TRUE(faiz::write(statutory, updated).ok());
    const std::string before = [&] {
        std::ifstream in(statutory, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    ::chown(folder_.c_str(), mirvane::testing::NobodyId, mirvane::testing::NobodyId);
    ::chown(statutory.c_str(), mirvane::testing::NobodyId, mirvane::testing::NobodyId);
    fs::permissions(folder_, fs::perms(0333));
    const fs::path readOnly = root_ / "salt-okunur";
    fs::create_directories(readOnly);
    fs::permissions(readOnly, fs::perms(0555));

    const int outcome = mirvane::testing::inChild([&] {
        if (!mirvane::testing::becomeUnprivileged() || ::access(folder_.c_str(), R_OK) == 0) {
            return 100;
        }
        const Outcome unreadable = run({"--listeler", "--klasor", folder_.string()});
        const Outcome notWritable = run({"--listeler", "--klasor", readOnly.string()});
        return unreadable.code * 10 + notWritable.code;
    });
    fs::permissions(folder_, fs::perms(0755));
    if (outcome == 100) {
        GTEST_SKIP() << "cannot run without privileges that ignore permission bits";
    }
    EXPECT_EQ(outcome, cli::ExitRunTime * 10 + cli::ExitRunTime);
    std::ifstream in(statutory, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
    EXPECT_TRUE(fs::is_empty(readOnly));
#endif
}

// A 64 KiB disk with room for one or two of the three defaults.
TEST_F(Cli, AFullDiskLeavesNoneOfTheDefaults) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows: no small file system to mount";
#else
    const fs::path disk = root_ / "disk";
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    {
        std::ofstream filler(disk / "dolu", std::ios::binary);
        filler << std::string(56 * 1024, 'x');
    }
    const Outcome full = run({"--listeler", "--klasor", (disk / "Faizler").string()});
    const std::vector<std::string> left = entriesOf(disk / "Faizler");
    ::umount2(disk.c_str(), MNT_DETACH);
    EXPECT_EQ(full.code, cli::ExitRunTime);
    EXPECT_EQ(full.err.rfind("Hata Kodu: 61\n", 0), 0u) << full.err;
    EXPECT_TRUE(left.empty()) << ::testing::PrintToString(left);
#endif
}

// A list folder on a file system mounted read-only (a write-protected stick, say).
TEST_F(Cli, AReadOnlyMountExitsThree) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows: no small file system to mount";
#else
    const fs::path disk = root_ / "salt-okunur";
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    const Outcome readOnly = run({"--listeler", "--klasor", disk.string()});
    const bool empty = fs::is_empty(disk);
    ::umount2(disk.c_str(), MNT_DETACH);
    EXPECT_EQ(readOnly.code, cli::ExitRunTime);
    EXPECT_EQ(readOnly.err.rfind("Hata Kodu: 70\n", 0), 0u) << readOnly.err;
    EXPECT_TRUE(empty);
#endif
}

TEST_F(Cli, AnEmptyFolderNameIsAUsageError) {
    const fs::path here = fs::current_path();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--listeler", "--klasor", ""},
          {"--liste", Statutory, "--anapara", "1000", "--baslangic", "01.07.2005", "--bitis",
           "01.07.2006", "--klasor", ""}}) {
        const Outcome empty = run(args);
        EXPECT_EQ(empty.code, cli::ExitUsage);
        EXPECT_NE(empty.err.find("--klasor"), std::string::npos) << empty.err;
    }
    EXPECT_FALSE(fs::exists(here / (Statutory + ".faiz")));
}

// Seen: a name with a line break was listed as two lines, and X.faiz beside X.FAIZ was
// listed twice.
TEST_F(Cli, EveryListedNameIsOneLineAndListedOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows: no line break in a file name, and X.faiz and X.FAIZ are one file";
#else
    ASSERT_EQ(run({"--listeler", "--klasor", folder_.string()}).code, cli::ExitOk);
    fs::copy_file(folder_ / (Statutory + ".faiz"), folder_ / u8"İki\nsatır.faiz");
    fs::copy_file(folder_ / (Statutory + ".faiz"), folder_ / (Statutory + ".FAIZ"));
    const Outcome listed = run({"--listeler", "--klasor", folder_.string()});
    EXPECT_EQ(listed.code, cli::ExitOk);
    EXPECT_EQ(listed.out, Statutory + "\nTicari Alacaklar (Reeskont-Avans)\n" +
                              "Ticari Alacaklar (Reeskont-İskonto)\n");
    EXPECT_EQ(listed.err, "\"İki\\x0Asatır.faiz\" listede gösterilmiyor: adında denetim "
                          "karakteri var.\n\"" +
                              Statutory + ".FAIZ\" listede gösterilmiyor: \"" + Statutory +
                              "\" adlı liste \"" + Statutory + ".faiz\" dosyasından okunuyor.\n");
#endif
}

} // namespace
