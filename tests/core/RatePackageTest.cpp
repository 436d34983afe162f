#include "core/rates/RatePackage.h"

#include "core/rates/DefaultLists.h"
#include "core/rates/ReadyLists.h"
#include "core/rates/Recognition.h"
#include "core/text/TextForms.h"
#include "tests/support/ScopedDataFolder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>

namespace {

using namespace mirvane;
using mirvane::testing::contentOf;
using mirvane::testing::freshFolder;
using mirvane::testing::put;

// The built-in tables with one more central-bank row, checked on `checked`.
rates::RateTexts newerTexts(const std::string& checked = "15.01.2027") {
    rates::RateTexts texts = rates::builtInTexts();
    const std::string closing = "bitiş\t08.12.2026";
    const std::size_t at = texts.centralBank.find(closing);
    EXPECT_NE(at, std::string::npos);
    texts.centralBank.replace(at, closing.size(),
                              "10.01.2027\t41,5\t40\tTCMB, RG 09.01.2027/99999\nbitiş\t" + checked);
    texts.checkedOn = "# deneme\n" + checked + "\n";
    return texts;
}

// A key pair made for the tests, trusted for as long as the test runs, and a data folder
// of its own; the release key and the real folder come back afterwards.
class RatePackages : public ::testing::Test {
protected:
    void SetUp() override {
        keys_ = rates::makeKeyPair();
        folder_ = freshFolder("oran-paketi");
        dataFolder_ = std::make_unique<mirvane::testing::ScopedDataFolder>(folder_);
        rates::trustKey(keys_.first);
    }
    void TearDown() override {
        dataFolder_.reset();
        rates::trustKey(rates::releaseKey());
    }

    std::string package(const rates::RateTexts& texts, std::string_view version = "2027.1") {
        const Result<std::string> made = rates::makePackage(texts, version, keys_.second);
        EXPECT_TRUE(made.ok()) << (made.ok() ? "" : made.error().description);
        return made.ok() ? made.value() : std::string();
    }

    std::string refusalOf(std::string_view bytes) {
        const Result<rates::Package> read = rates::readPackage(bytes, keys_.first);
        EXPECT_FALSE(read.ok());
        return read.ok() ? std::string() : read.error().description;
    }

    std::pair<rates::PublicKey, rates::SecretKey> keys_;
    std::filesystem::path folder_;
    std::unique_ptr<mirvane::testing::ScopedDataFolder> dataFolder_;
};

TEST_F(RatePackages, BuiltSignedAndVerified) {
    const std::string bytes = package(newerTexts());
    ASSERT_TRUE(bytes.starts_with("Mirvane oran paketi\nimza "));
    const Result<rates::Package> read = rates::readPackage(bytes, keys_.first);
    ASSERT_TRUE(read.ok()) << read.error().description;
    EXPECT_EQ(read.value().format, rates::PackageFormat);
    EXPECT_EQ(read.value().version, "2027.1");
    const rates::RateData& data = read.value().data;
    EXPECT_EQ(text::formatDate(data.checkedOn), "15.01.2027");
    EXPECT_EQ(data.centralBank.rows.size(), rates::builtInRates().centralBank.rows.size() + 1);
    EXPECT_EQ(data.centralBank.rows.back().rates, (std::vector<double>{41.5, 40.0}));
    EXPECT_EQ(rates::rateDataLine(data),
              "Faiz oranları 15.01.2027 tarihine kadar denetlendi, oran paketi 2027.1");
    EXPECT_EQ(rates::rateDataLine(rates::builtInRates()),
              "Faiz oranları 08.12.2026 tarihine kadar denetlendi, programla gelen oranlar");

    // The key file carries the secret key and gives back its public half.
    const Result<rates::SecretKey> key = rates::readKeyFile(rates::keyFileText(keys_.second));
    ASSERT_TRUE(key.ok());
    EXPECT_EQ(rates::publicHalf(key.value()), keys_.first);
    EXPECT_FALSE(rates::readKeyFile("Mirvane oran paketi anahtarı\n12ab\n").ok());
}

TEST_F(RatePackages, RefusedWhenTamperedSignedByAnotherKeyNewerOrMalformed) {
    const std::string bytes = package(newerTexts());
    // One byte changed anywhere: in the title, the signature or the contents.
    for (const std::size_t at :
         {std::size_t{3}, std::size_t{30}, bytes.size() / 2, bytes.size() - 2}) {
        std::string tampered = bytes;
        tampered[at] = static_cast<char>(tampered[at] ^ 0x01);
        EXPECT_FALSE(rates::readPackage(tampered, keys_.first).ok()) << at;
    }
    std::string changedRate = bytes;
    changedRate.replace(changedRate.find("41,5"), 4, "11,5");
    EXPECT_NE(refusalOf(changedRate).find("imzası geçersiz"), std::string::npos);

    // Signed with another key.
    const auto other = rates::makeKeyPair();
    const Result<std::string> foreign = rates::makePackage(newerTexts(), "2027.1", other.second);
    ASSERT_TRUE(foreign.ok());
    EXPECT_NE(refusalOf(foreign.value()).find("imzası geçersiz"), std::string::npos);

    // A format this program does not know yet.
    EXPECT_NE(refusalOf(rates::signedPackage(R"({"bicim":2,"surum":"2030.1"})", keys_.second))
                  .find("yeni bir biçimde (biçim 2)"),
              std::string::npos);

    // Not a package, contents that are not JSON, missing tables.
    EXPECT_NE(refusalOf("bir metin\n").find("oran paketi değil"), std::string::npos);
    EXPECT_NE(refusalOf(rates::signedPackage("{bozuk", keys_.second)).find("okunamadı"),
              std::string::npos);
    EXPECT_NE(refusalOf(rates::signedPackage(
                            R"({"bicim":1,"surum":"1","denetlendi":"15.01.2027","tablolar":{}})",
                            keys_.second))
                  .find("statutory.tsv tablosu yok"),
              std::string::npos);

    // Tables breaking the rules of the built-in ones are refused whether signed or not.
    rates::RateTexts outOfOrder = newerTexts();
    outOfOrder.centralBank.replace(outOfOrder.centralBank.find("10.01.2027"), 10, "01.01.2001");
    EXPECT_FALSE(rates::makePackage(outOfOrder, "2027.1", keys_.second).ok());
    nlohmann::json contents =
        nlohmann::json::parse(package(newerTexts()).substr(package(newerTexts()).find('{')));
    contents["tablolar"]["central-bank.tsv"] = outOfOrder.centralBank;
    EXPECT_NE(refusalOf(rates::signedPackage(contents.dump(), keys_.second))
                  .find("kurallara uymuyor: central-bank.tsv"),
              std::string::npos);
    rates::RateTexts wrongEnd = newerTexts();
    wrongEnd.checkedOn = "20.01.2027\n";
    EXPECT_FALSE(rates::makePackage(wrongEnd, "2027.1", keys_.second).ok());
    EXPECT_FALSE(rates::makePackage(newerTexts(), "", keys_.second).ok());
}

TEST_F(RatePackages, InstalledUsedByEveryConsumerSurvivingARestartAndRemoved) {
    rates::forgetActiveRates();
    EXPECT_TRUE(rates::activeRates().packageVersion.empty());
    const std::size_t ownAdvancePeriods = rates::readyList(rates::AdvanceName)->Periods.size();

    const Result<const rates::RateData*> installed = rates::installPackage(package(newerTexts()));
    ASSERT_TRUE(installed.ok()) << installed.error().description;
    EXPECT_EQ(installed.value(), &rates::activeRates());
    const std::filesystem::path file = *rates::installedPackagePath();
    EXPECT_TRUE(file.string().starts_with(folder_.string()));
    EXPECT_TRUE(std::filesystem::exists(file));

    // Every reader of the rates sees the new row: the tables, the check day, the ready
    // lists, the lists of a new folder and bringing a list current.
    EXPECT_EQ(text::formatDate(rates::checkedOn()), "15.01.2027");
    EXPECT_EQ(rates::centralBankTable().rows.back().basis, "TCMB, RG 09.01.2027/99999");
    const RateList& advance = *rates::readyList(rates::AdvanceName);
    ASSERT_EQ(advance.Periods.size(), ownAdvancePeriods + 1);
    EXPECT_EQ(advance.Periods.back().Rate, 41.5);
    EXPECT_EQ(text::formatDate(advance.Periods.back().EndDate), "15.01.2027");
    EXPECT_EQ(defaults::lists()[1].Periods, advance.Periods);
    EXPECT_EQ(rates::readyList(rates::DiscountName)->Periods.back().Rate, 40.0);
    // The first half of 2027 follows the advance rate of 31.12.2026.
    EXPECT_EQ(
        text::formatDate(rates::readyList(rates::CommercialDefaultName)->Periods.back().EndDate),
        "30.06.2027");
    // A list written from the program's own data is brought current to the package's.
    const std::optional<rates::Recognition> current =
        rates::recognise(rates::builtInRates().readyLists[1].Periods);
    ASSERT_TRUE(current.has_value());
    EXPECT_EQ(current->changed, 2u); // the last period ends later, and the new one
    EXPECT_EQ(current->proposal, advance.Periods);
    EXPECT_EQ(rates::rateDataLine(),
              "Faiz oranları 15.01.2027 tarihine kadar denetlendi, oran paketi 2027.1");
    // The history of earlier versions does not follow the package.
    EXPECT_EQ(rates::earlierDefaults()[1].Periods.size(), 36u);

    // Data not newer than those in use are refused, whatever their version.
    const Result<const rates::RateData*> same =
        rates::installPackage(package(newerTexts(), "2027.2"));
    ASSERT_FALSE(same.ok());
    EXPECT_NE(same.error().description.find("yeni değil"), std::string::npos);
    const Result<const rates::RateData*> older =
        rates::installPackage(package(newerTexts("11.01.2027"), "2027.0"));
    ASSERT_FALSE(older.ok());
    EXPECT_EQ(rates::activeRates().packageVersion, "2027.1");

    // A restart reads the installed package again.
    rates::forgetActiveRates();
    EXPECT_EQ(rates::activeRates().packageVersion, "2027.1");
    EXPECT_FALSE(rates::installedPackageProblem().has_value());

    // An installed file changed afterwards is not used, and the reason is kept.
    const std::string bytes = contentOf(file);
    std::string tampered = bytes;
    tampered.replace(tampered.find("41,5"), 4, "11,5");
    put(file, tampered);
    rates::forgetActiveRates();
    EXPECT_TRUE(rates::activeRates().packageVersion.empty());
    ASSERT_TRUE(rates::installedPackageProblem().has_value());
    EXPECT_NE(rates::installedPackageProblem()->find("imzası geçersiz"), std::string::npos);
    put(file, bytes);
    rates::forgetActiveRates();

    // Removal returns to the program's own data; removing nothing says so.
    ASSERT_TRUE(rates::removeInstalledPackage().ok());
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(rates::activeRates().packageVersion.empty());
    EXPECT_EQ(rates::readyList(rates::AdvanceName)->Periods.size(), ownAdvancePeriods);
    EXPECT_EQ(text::formatDate(rates::checkedOn()), "08.12.2026");
    const Status again = rates::removeInstalledPackage();
    ASSERT_FALSE(again.ok());
    EXPECT_EQ(again.error().description, "Kurulu bir oran paketi yok.");

    // A package the release key did not sign is not used, even from the right place.
    put(file, bytes);
    rates::trustKey(rates::releaseKey());
    EXPECT_TRUE(rates::activeRates().packageVersion.empty());
    std::filesystem::remove(file);
}

TEST_F(RatePackages, TablesFolderReadAsTheDataFolderKeepsThem) {
    const std::filesystem::path tables = folder_ / "tablolar";
    std::filesystem::create_directories(tables);
    const rates::RateTexts texts = newerTexts();
    put(tables / "statutory.tsv", texts.statutory);
    put(tables / "central-bank.tsv", texts.centralBank);
    put(tables / "late-payment.tsv", texts.latePayment);
    EXPECT_FALSE(rates::readTablesFolder(tables).ok());
    put(tables / "checked-on.txt", texts.checkedOn);
    const Result<rates::RateTexts> read = rates::readTablesFolder(tables);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value().centralBank, texts.centralBank);
    EXPECT_EQ(read.value().checkedOn, texts.checkedOn);
}

} // namespace
