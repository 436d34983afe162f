#include "core/claim/ClaimSession.h"

#include "TempFolder.h"
#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "core/common/Utf8Path.h"
#include "core/ratelist/FaizFile.h"
#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace mirvane;
using namespace std::chrono_literals;
using claim::ClaimSession;
namespace fs = std::filesystem;

const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";

class ClaimSessionTest : public mirvane::testing::TempFolderTest {
protected:
    ClaimSessionTest() : TempFolderTest("mirvane-session-") {}

    void SetUp() override {
        TempFolderTest::SetUp();
        lists = root / "Faizler";
        fs::create_directories(lists);
        ASSERT_TRUE(
            faiz::write(lists / (Statutory + ".faiz"), claim::workedExample().lists.at(Statutory)));
    }

    store::ListSource source() const { return {lists, false}; }

    fs::path lists;
};

TEST_F(ClaimSessionTest, ModifiedFromTheFirstChangeUntilSavedAndCopiedMeanwhile) {
    ClaimSession session(root / "Kurtarma");
    session.open(claim::workedExample(), std::nullopt);
    EXPECT_FALSE(session.modified());
    const ClaimSession::Clock::time_point start{};
    session.changed(start);
    EXPECT_TRUE(session.modified());
    ASSERT_TRUE(session.keepRecoveryCopy(start + claim::RecoveryKeeper::Delay));
    ASSERT_EQ(claim::findRecoveryCopies(root / "Kurtarma").size(), 1u);

    // A list no item uses any more is not saved with the file.
    session.file().lists["Kullanılmayan"] = session.file().lists.at(Statutory);
    const fs::path file = root / "dosya.mirvane";
    ASSERT_TRUE(session.save(file));
    EXPECT_FALSE(session.modified());
    EXPECT_EQ(session.path(), file);
    EXPECT_TRUE(claim::findRecoveryCopies(root / "Kurtarma").empty());
    claim::ReadOutcome read = claim::readFile(file);
    ASSERT_TRUE(std::holds_alternative<claim::ClaimFile>(read));
    EXPECT_FALSE(std::get<claim::ClaimFile>(read).lists.contains("Kullanılmayan"));

    // A save that fails leaves the file modified, bound where it was.
    session.changed(start + 1min);
    EXPECT_FALSE(session.save(root / "yok" / "dosya.mirvane"));
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(session.path(), file);
}

TEST_F(ClaimSessionTest, RecoveredFileIsModifiedAndItsCopyGoesWithItsChanges) {
    const fs::path folder = root / "Kurtarma";
    const fs::path file = root / "dosya.mirvane";
    const claim::RecoveryCopy copy{file, "", claim::toJson(claim::workedExample())};
    const fs::path left = claim::newRecoveryPath(folder);
    ASSERT_TRUE(claim::writeRecoveryCopy(left, copy));

    ClaimSession session(folder);
    session.recover(claim::workedExample(), {left, copy});
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(session.path(), file);
    EXPECT_EQ(session.recovery().path(), left);
    session.discardChanges();
    EXPECT_TRUE(claim::findRecoveryCopies(folder).empty());
}

// The list is kept as earlier versions kept it, so that users keep theirs: the paths
// under "DosyaHesabi/SonDosyalar", newest first.
TEST_F(ClaimSessionTest, RecentFilesAreThoseOpenedAndSavedNewestFirstEachOnce) {
    settings::MemorySettingsStore store;
    store.setTexts("DosyaHesabi/SonDosyalar", {utf8path::toUtf8(root / "eski.mirvane")});
    ClaimSession session(root / "Kurtarma", &store);
    EXPECT_EQ(session.recentFiles(), std::vector<fs::path>{root / "eski.mirvane"});

    session.open(claim::workedExample(), std::nullopt);
    EXPECT_EQ(session.recentFiles().size(), 1u);
    const fs::path saved = root / "İcra 2024_5.mirvane";
    ASSERT_TRUE(session.save(saved));
    session.open(claim::workedExample(), root / "eski.mirvane");
    EXPECT_EQ(session.recentFiles(), (std::vector<fs::path>{root / "eski.mirvane", saved}));
    EXPECT_EQ(store.texts("DosyaHesabi/SonDosyalar").at(1), utf8path::toUtf8(saved));

    // A recovered file was not opened by the user; a failed save remembers nothing.
    const claim::RecoveryCopy copy{root / "kurtarilan.mirvane", "", ""};
    session.recover(claim::workedExample(), {root / "Kurtarma" / "kopya", copy});
    EXPECT_FALSE(session.save(root / "yok" / "dosya.mirvane"));
    EXPECT_EQ(session.recentFiles().size(), 2u);

    // The oldest go beyond eight.
    for (int i = 0; i < 10; ++i) {
        session.open(claim::workedExample(), root / (std::to_string(i) + ".mirvane"));
    }
    const std::vector<fs::path> recent = session.recentFiles();
    ASSERT_EQ(recent.size(), 8u);
    EXPECT_EQ(recent.front(), root / "9.mirvane");
    EXPECT_EQ(recent.back(), root / "2.mirvane");

    // Without a store the session keeps none.
    ClaimSession plain;
    plain.open(claim::workedExample(), saved);
    EXPECT_TRUE(plain.recentFiles().empty());
}

TEST_F(ClaimSessionTest, TablesAreFilledAgainOnlyWhenTheFiguresChange) {
    ClaimSession session;
    session.open(claim::workedExample(), std::nullopt);
    EXPECT_TRUE(session.recompute());
    ASSERT_TRUE(session.result());
    session.file().title = "Başka başlık";
    session.file().payments.at(0).description = "Kısmi ödeme";
    EXPECT_FALSE(session.recompute());
    session.file().payments.at(0).amount += 100;
    EXPECT_TRUE(session.recompute());

    // A field that holds no value stops the calculation and is the problem.
    const claim::WordedRefusal typed{{claim::RefusalPlace::Part::Payment, 0, "tutar", {}},
                                     "1. ödemenin tutarı geçerli değil"};
    session.setFieldError(typed);
    EXPECT_TRUE(session.recompute());
    EXPECT_FALSE(session.result());
    EXPECT_EQ(session.problem(), typed);
    session.setFieldError(std::nullopt);
    EXPECT_TRUE(session.recompute());
    EXPECT_TRUE(session.result());
    EXPECT_FALSE(session.problem());

    // The engine's refusal is the problem when every field holds a value.
    session.file().payments.at(1).amount = 0;
    session.recompute();
    EXPECT_FALSE(session.result());
    ASSERT_TRUE(session.problem());
    EXPECT_EQ(session.problem()->place.part, claim::RefusalPlace::Part::Payment);
    EXPECT_EQ(session.problem()->place.index, std::optional<std::size_t>(1));
}

TEST_F(ClaimSessionTest, RowJustAddedIsNoProblemUntilLeft) {
    ClaimSession session;
    session.open(claim::workedExample(), std::nullopt);
    session.file().payments.push_back({session.file().calculationDate, 0, {}});
    const std::size_t added = session.file().payments.size() - 1;
    session.setFreshRow(claim::RefusalPlace{claim::RefusalPlace::Part::Payment, added, {}, {}});
    session.recompute();
    ASSERT_TRUE(session.problem());
    EXPECT_FALSE(session.shownProblem());

    // Another row's problem is shown at once.
    session.file().payments.at(0).amount = 0;
    session.recompute();
    ASSERT_TRUE(session.shownProblem());
    EXPECT_EQ(session.shownProblem()->place.index, std::optional<std::size_t>(0));

    session.file().payments.at(0) = claim::workedExample().payments.at(0);
    session.recompute();
    EXPECT_FALSE(session.shownProblem());
    session.setFreshRow(std::nullopt);
    ASSERT_TRUE(session.shownProblem());
    EXPECT_EQ(session.shownProblem()->place.index, std::optional<std::size_t>(added));
}

TEST_F(ClaimSessionTest, DeletedRowsComeBackWhereTheyStoodLastFirst) {
    ClaimSession session;
    const claim::ClaimFile example = claim::workedExample();
    ASSERT_GE(example.payments.size(), 2u);
    session.open(example, std::nullopt);
    session.setFreshRow(claim::RefusalPlace{claim::RefusalPlace::Part::Item, 0, {}, {}});
    EXPECT_FALSE(session.deleteItem(example.items.size()));
    ASSERT_TRUE(session.deleteItem(0));
    EXPECT_FALSE(session.freshRow());
    ASSERT_TRUE(session.deletePayment(1));
    ASSERT_TRUE(session.deletePayment(0));
    EXPECT_TRUE(session.file().payments.size() == example.payments.size() - 2);

    std::optional<ClaimSession::Deleted> back = session.undo();
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->isItem);
    EXPECT_EQ(back->index, 0u);
    EXPECT_EQ(session.file().payments.at(0), example.payments.at(0));
    back = session.undo();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->index, 1u);
    EXPECT_EQ(session.file().payments, example.payments);
    back = session.undo();
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->isItem);
    EXPECT_EQ(session.file().items, example.items);
    EXPECT_FALSE(session.undo());

    // A row whose place has gone comes back last; a file opened forgets what was deleted.
    session.deletePayment(0);
    while (!session.file().payments.empty()) {
        session.file().payments.pop_back();
    }
    back = session.undo();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->index, 0u);
    session.deleteItem(0);
    session.open(example, std::nullopt);
    EXPECT_TRUE(session.deleted().empty());
}

TEST_F(ClaimSessionTest, FolderListIsReadAgainOnlyWhenTheFolderChanged) {
    ClaimSession session;
    session.open(claim::workedExample(), std::nullopt);
    EXPECT_TRUE(session.listsDifferingFromFolder(source()).empty());
    claim::FolderComparison comparison;
    EXPECT_TRUE(comparison.differing(source(), session.file()).empty());
    EXPECT_EQ(comparison.reads(), 1u);
    for (int edit = 0; edit < 5; ++edit) {
        session.file().payments.at(0).amount += 1;
        EXPECT_TRUE(comparison.differing(source(), session.file()).empty());
    }
    EXPECT_EQ(comparison.reads(), 1u);

    // The folder's list is corrected: the file's copy now differs.
    std::vector<RatePeriod> corrected = session.file().lists.at(Statutory);
    corrected.back().Rate += 1.5;
    std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(faiz::write(lists / (Statutory + ".faiz"), corrected));
    EXPECT_EQ(comparison.differing(source(), session.file()), std::vector<std::string>{Statutory});
    EXPECT_EQ(comparison.reads(), 2u);
    EXPECT_EQ(comparison.differing(source(), session.file()), std::vector<std::string>{Statutory});
    EXPECT_EQ(comparison.reads(), 2u);

    EXPECT_EQ(session.listsDifferingFromFolder(source()), std::vector<std::string>{Statutory});
    session.takeFolderLists(source());
    EXPECT_EQ(session.file().lists.at(Statutory), corrected);
    EXPECT_TRUE(session.listsDifferingFromFolder(source()).empty());

    // Another folder is another comparison.
    const fs::path other = root / "Diğer";
    fs::create_directories(other);
    ASSERT_TRUE(
        faiz::write(other / (Statutory + ".faiz"), claim::workedExample().lists.at(Statutory)));
    EXPECT_EQ(session.listsDifferingFromFolder({other, false}),
              std::vector<std::string>{Statutory});
}

} // namespace
