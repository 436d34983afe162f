// The rate-package verbs of mirvane-hesap, as a maintainer and a user run them.

#include "core/rates/RatePackage.h"
#include "tests/cli/CliRun.h"
#include "tests/support/ScopedDataFolder.h"

#include <memory>

namespace {

using namespace mirvane;
using mirvane::testing::CliFolderTest;
using mirvane::testing::contentOf;
using mirvane::testing::put;

class CliRatePackage : public CliFolderTest {
protected:
    CliRatePackage() : CliFolderTest("cli-oran-paketi-") {}

    void SetUp() override {
        CliFolderTest::SetUp();
        dataFolder_ = std::make_unique<mirvane::testing::ScopedDataFolder>(root / "veri");
    }
    void TearDown() override {
        dataFolder_.reset();
        rates::trustKey(rates::releaseKey());
        CliFolderTest::TearDown();
    }

    // The built-in tables in a folder, the central bank's with one more row.
    std::filesystem::path tablesFolder(const std::string& checked) const {
        const std::filesystem::path folder = root / ("tablolar-" + checked);
        std::filesystem::create_directories(folder);
        rates::RateTexts texts = rates::builtInTexts();
        const std::string closing = "bitiş\t08.12.2026";
        texts.centralBank.replace(texts.centralBank.find(closing), closing.size(),
                                  "10.01.2027\t41,5\t40\tTCMB, RG 09.01.2027/99999\nbitiş\t" +
                                      checked);
        put(folder / "statutory.tsv", texts.statutory);
        put(folder / "central-bank.tsv", texts.centralBank);
        put(folder / "late-payment.tsv", texts.latePayment);
        put(folder / "checked-on.txt", checked + "\n");
        return folder;
    }

    std::unique_ptr<mirvane::testing::ScopedDataFolder> dataFolder_;
};

TEST_F(CliRatePackage, MadeSignedInstalledUsedAndRemoved) {
    // A key for this test: its secret half into a new file, its public half trusted.
    const std::filesystem::path key = root / "anahtar";
    const mirvane::testing::CliOutcome made = run({"--oran-anahtari-yap", key.string()});
    ASSERT_EQ(made.code, cli::ExitOk) << made.err;
    ASSERT_EQ(made.out.rfind("Açık anahtar: ", 0), 0u);
    const std::string publicHex = made.out.substr(made.out.find(": ") + 2, 64);
#ifndef _WIN32
    EXPECT_EQ((std::filesystem::status(key).permissions() & std::filesystem::perms::group_read),
              std::filesystem::perms::none);
#endif
    const std::string keyText = contentOf(key);
    EXPECT_EQ(run({"--oran-anahtari-yap", key.string()}).code, cli::ExitRunTime);
    EXPECT_EQ(contentOf(key), keyText); // never over a key
    const Result<rates::SecretKey> secret = rates::readKeyFile(contentOf(key));
    ASSERT_TRUE(secret.ok());
    EXPECT_EQ(rates::hex(rates::publicHalf(secret.value())), publicHex);
    rates::trustKey(rates::publicHalf(secret.value()));

    const std::filesystem::path package = root / "paket.mirvane-oran";
    const mirvane::testing::CliOutcome built =
        run({"--oran-paketi-yap", tablesFolder("15.01.2027").string(), "--anahtar", key.string(),
             "--surum", "2027.1", "--cikti", package.string()});
    ASSERT_EQ(built.code, cli::ExitOk) << built.err;
    EXPECT_NE(built.out.find(publicHex), std::string::npos);

    const mirvane::testing::CliOutcome installed = run({"--oran-paketi-yukle", package.string()});
    ASSERT_EQ(installed.code, cli::ExitOk) << installed.err;
    EXPECT_EQ(installed.out, "Oran paketi 2027.1 kuruldu. Faiz oranları 15.01.2027 tarihine "
                             "kadar denetlendi, oran paketi 2027.1.\n");

    // --oranlar, the ready lists and the calculation over them use it.
    const mirvane::testing::CliOutcome rates = run({"--oranlar"});
    EXPECT_EQ(rates.out.rfind(
                  "Faiz oranları 15.01.2027 tarihine kadar denetlendi, oran paketi 2027.1.\n", 0),
              0u);
    EXPECT_NE(rates.out.find("10.01.2027\t15.01.2027\t41,5\tTCMB, RG 09.01.2027/99999\n"),
              std::string::npos);
    const mirvane::testing::CliOutcome calculation =
        run({"--hazir", "Ticari Alacaklar (Reeskont-Avans)", "--anapara", "1000", "--baslangic",
             "09.01.2027", "--bitis", "15.01.2027"});
    EXPECT_NE(calculation.out.find("09.01.2027\t15.01.2027\t41,5\t6\t6,82"), std::string::npos)
        << calculation.out;

    // The same package again is not newer than the data in use: refused, exit code 1.
    const mirvane::testing::CliOutcome again = run({"--oran-paketi-yukle", package.string()});
    EXPECT_EQ(again.code, cli::ExitRejected);
    EXPECT_EQ(again.err.rfind("Oran paketi kurulmadı: Oran paketindeki oranlar kullanılanlardan "
                              "yeni değil",
                              0),
              0u)
        << again.err;

    const mirvane::testing::CliOutcome removed = run({"--oran-paketi-kaldir"});
    ASSERT_EQ(removed.code, cli::ExitOk) << removed.err;
    EXPECT_EQ(removed.out, "Kurulu oran paketi kaldırıldı. Faiz oranları 08.12.2026 tarihine "
                           "kadar denetlendi, programla gelen oranlar.\n");
    EXPECT_EQ(run({"--oran-paketi-kaldir"}).code, cli::ExitRunTime);
}

TEST_F(CliRatePackage, RefusalsSayWhy) {
    const std::filesystem::path key = root / "anahtar";
    ASSERT_EQ(run({"--oran-anahtari-yap", key.string()}).code, cli::ExitOk);
    const std::filesystem::path package = root / "paket.mirvane-oran";
    ASSERT_EQ(run({"--oran-paketi-yap", tablesFolder("15.01.2027").string(), "--anahtar",
                   key.string(), "--surum", "2027.1", "--cikti", package.string()})
                  .code,
              cli::ExitOk);

    // Not signed by the key the program trusts: the release key here.
    const mirvane::testing::CliOutcome foreign = run({"--oran-paketi-yukle", package.string()});
    EXPECT_EQ(foreign.code, cli::ExitRejected);
    EXPECT_NE(foreign.err.find("imzası geçersiz"), std::string::npos) << foreign.err;
    EXPECT_FALSE(std::filesystem::exists(root / "veri"));

    // Tables breaking the rules are not even signed.
    const std::filesystem::path broken = tablesFolder("16.01.2027");
    put(broken / "checked-on.txt", "17.01.2027\n");
    const mirvane::testing::CliOutcome refused =
        run({"--oran-paketi-yap", broken.string(), "--anahtar", key.string(), "--surum", "x",
             "--cikti", (root / "bozuk").string()});
    EXPECT_EQ(refused.code, cli::ExitRejected);
    EXPECT_NE(refused.err.find("central-bank.tsv"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(root / "bozuk"));

    // The maker needs its key, version and output.
    EXPECT_EQ(run({"--oran-paketi-yap", broken.string()}).code, cli::ExitUsage);
    EXPECT_EQ(run({"--oran-paketi-yukle", package.string(), "--oranlar"}).code, cli::ExitUsage);
    EXPECT_EQ(run({"--oran-paketi-yukle", (root / "yok").string()}).code, cli::ExitRunTime);
}

} // namespace
