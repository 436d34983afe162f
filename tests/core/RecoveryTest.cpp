#include "core/claim/Recovery.h"

#include "core/common/Utf8Path.h"
#include "tests/support/ScopedDataFolder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using namespace mirvane;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using claim::RecoveryCopy;
using claim::RecoveryKeeper;

class RecoveryTest : public mirvane::testing::TempFolderTest {
protected:
    RecoveryTest() : TempFolderTest("mirvane-recovery-") {}

    RecoveryCopy savedFileCopy() const {
        return {root / utf8path::fromUtf8("İcra Dosyası.mirvane"), "İstanbul 5. İcra",
                "{\"bicim\": \"mirvane-hesap-dosyasi\", \"baslik\": \"İstanbul\"}\n"};
    }
};

TEST_F(RecoveryTest, CopiesReadBackAsWrittenAndNothingElseReadsAsOne) {
    const RecoveryCopy saved = savedFileCopy();
    EXPECT_EQ(claim::parseRecovery(claim::recoveryText(saved)), saved);
    const RecoveryCopy untitled{std::nullopt, "", "{}\n"};
    EXPECT_EQ(claim::parseRecovery(claim::recoveryText(untitled)), untitled);

    // The claim file itself, damaged text, a later version and missing fields.
    for (const std::string& text :
         {saved.content, std::string("{\"bicim\": \"mirvane-kurtarma\""),
          std::string("{\"bicim\": \"mirvane-kurtarma\", \"surum\": 2, \"dosya\": null, "
                      "\"baslik\": \"\", \"icerik\": \"{}\"}"),
          std::string("{\"bicim\": \"mirvane-kurtarma\", \"surum\": 1, \"baslik\": \"\"}"),
          std::string("[]"), std::string()}) {
        EXPECT_FALSE(claim::parseRecovery(text)) << text;
    }
}

TEST_F(RecoveryTest, OfferNamesTheFileOrTheTitleOfAnUnsavedOne) {
    EXPECT_EQ(claim::offeredName(savedFileCopy()), "İcra Dosyası.mirvane");
    EXPECT_EQ(claim::offeredName({std::nullopt, "Ankara 3. İcra", "{}"}), "Ankara 3. İcra");
    EXPECT_EQ(claim::offeredName({std::nullopt, "", "{}"}), "Adsız");
}

TEST_F(RecoveryTest, FolderLiesInTheUsersDataFolderBesideTheLists) {
    const mirvane::testing::ScopedDataFolder data(root);
    EXPECT_EQ(claim::recoveryFolder(), root / "Telvar" / "Mirvane" / "Veriler" / "Kurtarma");
}

TEST_F(RecoveryTest, CopiesAreFoundRemovedAndNeverWrittenOverTheFile) {
    const fs::path folder = root / "Kurtarma";
    EXPECT_TRUE(claim::findRecoveryCopies(folder).empty());
    const RecoveryCopy saved = savedFileCopy();
    const fs::path first = claim::newRecoveryPath(folder);
    ASSERT_TRUE(claim::writeRecoveryCopy(first, saved));
    const fs::path second = claim::newRecoveryPath(folder);
    EXPECT_NE(first, second);
    ASSERT_TRUE(claim::writeRecoveryCopy(second, {std::nullopt, "Adsız dosya", "{}"}));
    // Neither another program's file nor a hidden one is taken for a copy.
    mirvane::testing::put(folder / "not.txt", claim::recoveryText(saved));
    mirvane::testing::put(folder / ".gizli.kurtarma", claim::recoveryText(saved));
    mirvane::testing::put(folder / "bozuk.kurtarma", "{");

    const std::vector<claim::FoundCopy> found = claim::findRecoveryCopies(folder);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_LT(found[0].path, found[1].path);
    const auto at = [&found](const fs::path& path) {
        return std::find_if(found.begin(), found.end(),
                            [&path](const auto& copy) { return copy.path == path; });
    };
    ASSERT_NE(at(first), found.end());
    EXPECT_EQ(at(first)->copy, saved);
    ASSERT_NE(at(second), found.end());
    EXPECT_EQ(at(second)->copy.title, "Adsız dosya");

    claim::removeRecoveryCopy(first);
    claim::removeRecoveryCopy(first);
    EXPECT_EQ(claim::findRecoveryCopies(folder).size(), 1u);

    mirvane::testing::put(*saved.file, "the file as saved");
    EXPECT_FALSE(claim::writeRecoveryCopy(*saved.file, saved));
    EXPECT_EQ(mirvane::testing::contentOf(*saved.file), "the file as saved");
}

TEST_F(RecoveryTest, KeeperWritesOneCopyAFewSecondsAfterTheFirstChange) {
    const fs::path folder = root / "Kurtarma";
    RecoveryKeeper keeper(folder);
    const RecoveryKeeper::Clock::time_point start{};
    EXPECT_FALSE(keeper.dueIn(start));
    EXPECT_TRUE(keeper.keep(start + 1h, savedFileCopy()));
    EXPECT_TRUE(keeper.path().empty());

    keeper.changed(start);
    EXPECT_EQ(keeper.dueIn(start), RecoveryKeeper::Delay);
    // Typing on does not put the copy off.
    keeper.changed(start + 1s);
    EXPECT_EQ(keeper.dueIn(start + 1s), RecoveryKeeper::Delay - 1s);
    ASSERT_TRUE(keeper.keep(start + 1s, savedFileCopy()));
    EXPECT_TRUE(claim::findRecoveryCopies(folder).empty());

    ASSERT_TRUE(keeper.keep(start + RecoveryKeeper::Delay, savedFileCopy()));
    EXPECT_FALSE(keeper.dueIn(start + RecoveryKeeper::Delay));
    std::vector<claim::FoundCopy> found = claim::findRecoveryCopies(folder);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, keeper.path());

    // The next change replaces the same copy.
    RecoveryCopy later = savedFileCopy();
    later.content = "{\"later\": true}";
    keeper.changed(start + 10s);
    EXPECT_EQ(keeper.dueIn(start + 10s + 5s), RecoveryKeeper::Clock::duration::zero());
    ASSERT_TRUE(keeper.keep(start + 15s, later));
    found = claim::findRecoveryCopies(folder);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].copy, later);

    keeper.changed(start + 20s);
    keeper.discard();
    EXPECT_FALSE(keeper.dueIn(start + 30s));
    EXPECT_TRUE(claim::findRecoveryCopies(folder).empty());
}

TEST_F(RecoveryTest, KeeperWithoutAFolderKeepsNothingAndAdoptedCopiesGoAsItsOwn) {
    RecoveryKeeper off;
    off.changed({});
    EXPECT_FALSE(off.dueIn(RecoveryKeeper::Clock::time_point{} + 1h));

    const fs::path folder = root / "Kurtarma";
    const fs::path left = claim::newRecoveryPath(folder);
    ASSERT_TRUE(claim::writeRecoveryCopy(left, savedFileCopy()));
    RecoveryKeeper keeper(folder);
    keeper.adopt(left);
    keeper.changed({});
    ASSERT_TRUE(keeper.keep(RecoveryKeeper::Clock::time_point{} + 1h, {std::nullopt, "", "{}"}));
    std::vector<claim::FoundCopy> found = claim::findRecoveryCopies(folder);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, left);
    EXPECT_FALSE(found[0].copy.file);
    keeper.discard();
    EXPECT_TRUE(claim::findRecoveryCopies(folder).empty());
}

} // namespace
