#include "core/ratelist/FolderState.h"

#include "tests/support/TempFolder.h"

namespace mirvane::testing {
namespace {

class FolderState : public TempFolderTest {
protected:
    FolderState() : TempFolderTest("mirvane-folder-state-") {}
};

// Every way a list can change shows in the state; other files do not.
TEST_F(FolderState, ChangesWhenAListIsAddedSavedRenamedOrDeleted) {
    put(root / "Adi.faiz", "12345");
    put(root / "Ticari.FAIZ", "1");
    const auto first = store::folderState(root);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].fileName, "Adi.faiz");
    EXPECT_EQ(first[1].fileName, "Ticari.FAIZ");
    EXPECT_EQ(first[0].size, 5u);

    put(root / "notlar.txt", "x");
    fs::create_directory(root / "eski.faiz.d");
    EXPECT_EQ(store::folderState(root), first);

    put(root / "Yeni.faiz");
    const auto added = store::folderState(root);
    EXPECT_NE(added, first);

    fs::rename(root / "Yeni.faiz", root / "Yeni 2.faiz");
    const auto renamed = store::folderState(root);
    EXPECT_NE(renamed, added);

    const auto written = fs::last_write_time(root / "Adi.faiz");
    put(root / "Adi.faiz", "54321");
    fs::last_write_time(root / "Adi.faiz", written + std::chrono::seconds(1));
    const auto saved = store::folderState(root);
    EXPECT_NE(saved, renamed);

    fs::remove(root / "Yeni 2.faiz");
    EXPECT_NE(store::folderState(root), saved);
    EXPECT_TRUE(store::folderState(root / "yok").empty());
}

} // namespace
} // namespace mirvane::testing
