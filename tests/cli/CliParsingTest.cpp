#include "core/ratelist/FaizFile.h"
#include "tests/cli/CliRun.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using namespace mirvane;

using Outcome = mirvane::testing::CliOutcome;

class CliParsing : public ::testing::Test {
protected:
    void SetUp() override { root_ = mirvane::testing::freshFolder("mirvane-cliparse-"); }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    Outcome run(const std::vector<std::string>& args) const {
        return mirvane::testing::runCli(args, root_ / "program");
    }

    fs::path root_;
};

// Both spellings of a value reach the same calculation; a repeated flag is harmless,
// a repeated value is refused by the option's name.
TEST_F(CliParsing, ValuesAndFlags) {
    const std::string folder = (root_ / "Faizler").string();
    const std::vector<std::string> spaced{"--liste",     "Adi Alacaklar (Kanuni Faiz)",
                                          "--anapara",   "1000",
                                          "--baslangic", "01.07.2005",
                                          "--bitis",     "01.07.2006",
                                          "--klasor",    folder};
    const Outcome expected = run(spaced);
    ASSERT_EQ(expected.code, cli::ExitOk) << expected.err;

    const Outcome joined =
        run({"--liste=Adi Alacaklar (Kanuni Faiz)", "--anapara=1000", "--baslangic=01.07.2005",
             "--bitis=01.07.2006", "--klasor=" + folder});
    EXPECT_EQ(joined.code, cli::ExitOk) << joined.err;
    EXPECT_EQ(joined.out, expected.out);

    std::vector<std::string> twice = spaced;
    twice.insert(twice.end(), {"--360", "--360", "--json", "--json"});
    const Outcome flags = run(twice);
    EXPECT_EQ(flags.code, cli::ExitOk) << flags.err;
    EXPECT_NE(flags.out.find("\"toplam\":106.5"), std::string::npos) << flags.out;

    twice = spaced;
    twice.insert(twice.end(), {"--bitis", "01.07.2007"});
    const Outcome values = run(twice);
    EXPECT_EQ(values.code, cli::ExitUsage);
    EXPECT_EQ(values.err.rfind("--bitis seçeneği birden fazla verildi.\n", 0), 0u) << values.err;

    const Outcome flagValue = run({"--listeler", "--json=1"});
    EXPECT_EQ(flagValue.code, cli::ExitUsage);
    EXPECT_EQ(flagValue.err.rfind("Bilinmeyen seçenek: \"--json=1\".\n", 0), 0u) << flagValue.err;
}

// A file name is bytes: one that is not UTF-8 still gives valid JSON.
TEST_F(CliParsing, JsonStaysUtf8WhatEverTheFileName) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows: file names are UTF-16, none holds bytes that are not UTF-8";
#else
    fs::create_directories(root_ / "elsewhere");
    const fs::path file = root_ / "elsewhere" / "bad\xff name.faiz";
    const Date first = year{2000} / 1 / 1;
    const Date last = year{2000} / 12 / 31;
    ASSERT_TRUE(faiz::write(file, {{first, last, 10, ""}}).ok());
    const Outcome result = run({"--dosya", file.string(), "--anapara", "100", "--baslangic",
                                "01.01.2000", "--bitis", "02.01.2000", "--json"});
    EXPECT_EQ(result.code, cli::ExitOk) << result.err;
    EXPECT_EQ(result.out.rfind("{\"liste\":\"bad\xef\xbf\xbd name\",", 0), 0u) << result.out;
#endif
}

} // namespace
