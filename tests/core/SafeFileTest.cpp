#include "core/common/SafeFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

using namespace mirvane;
namespace fs = std::filesystem;

namespace {

using mirvane::testing::contentOf;
using mirvane::testing::put;

// The system's steps, recorded by name; one step (its nth call) may be made to fail.
class RecordingSteps final : public safefile::Steps {
public:
    std::vector<std::string> done;

    void failAt(std::string step, int call, std::errc error) {
        failing_ = {std::move(step), call, std::make_error_code(error)};
    }

    std::error_code createNew(const fs::path& file, safefile::Handle& handle) override {
        return step("create", [&] { return real().createNew(file, handle); });
    }
    void copyPermissions(const fs::path& from, safefile::Handle handle) override {
        real().copyPermissions(from, handle);
    }
    std::error_code write(safefile::Handle handle, std::string_view bytes) override {
        return step("write", [&] { return real().write(handle, bytes); });
    }
    std::error_code sync(safefile::Handle handle) override {
        return step("sync", [&] { return real().sync(handle); });
    }
    std::error_code close(safefile::Handle handle) override {
        // A failed close still closes the file.
        const std::error_code closed = real().close(handle);
        return step("close", [&] { return closed; });
    }
    std::error_code replace(const fs::path& from, const fs::path& to) override {
        return step("replace", [&] { return real().replace(from, to); });
    }
    std::error_code placeNew(const fs::path& from, const fs::path& to) override {
        return step("placeNew", [&] { return real().placeNew(from, to); });
    }
    std::error_code syncFolder(const fs::path& folder) override {
        return step("syncFolder", [&] { return real().syncFolder(folder); });
    }
    std::error_code remove(const fs::path& file) override {
        return step("remove", [&] { return real().remove(file); });
    }

private:
    struct Failure {
        std::string step;
        int call = 0;
        std::error_code error;
    };

    static safefile::Steps& real() { return safefile::systemSteps(); }

    template <class Step> std::error_code step(const std::string& name, Step&& run) {
        done.push_back(name);
        if (name == failing_.step && ++calls_[name] == failing_.call) {
            return failing_.error;
        }
        return run();
    }

    Failure failing_;
    std::map<std::string, int> calls_;
};

class SafeFolder : public mirvane::testing::TempFolderTest {
protected:
    SafeFolder() : TempFolderTest("mirvane-safe-") {}

    std::vector<std::string> entries() const { return mirvane::testing::entriesOf(root); }
};

} // namespace

// A power cut must find either the old file or the whole new one: the content reaches
// the disk before the name moves, and the name's move reaches it before success.
TEST_F(SafeFolder, ReplacingWritesSyncsClosesRenamesThenSyncsTheFolder) {
    RecordingSteps steps;
    ASSERT_TRUE(safefile::replaceFile(root / "Liste.faiz", "yeni", steps).ok());
    EXPECT_EQ(steps.done, (std::vector<std::string>{"create", "write", "sync", "close", "replace",
                                                    "syncFolder"}));
    EXPECT_EQ(contentOf(root / "Liste.faiz"), "yeni");
}

TEST_F(SafeFolder, EveryFailedStepKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const fs::path file = root / "Liste.faiz";
    for (const char* failing : {"write", "sync", "close", "replace"}) {
        put(file, "eski");
        RecordingSteps steps;
        steps.failAt(failing, 1, std::errc::no_space_on_device);
        const Status status = safefile::replaceFile(file, "yeni", steps);
        ASSERT_FALSE(status.ok()) << failing;
        EXPECT_EQ(status.error().number, errors::DiskFull) << failing;
        EXPECT_EQ(contentOf(file), "eski") << failing;
        EXPECT_EQ(entries(), std::vector<std::string>{"Liste.faiz"}) << failing;
    }
}

// The list lives where the link leads (another disk, a share): the edit goes there
// and the link stays a link.
TEST_F(SafeFolder, ALinkedFileIsWrittenThroughItsLink) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows: symbolic links need administrator rights there";
#else
    fs::create_directories(root / u8"paylaşım");
    const fs::path target = root / u8"paylaşım" / "Ortak.faiz";
    put(target, "eski");
    ::chmod(target.c_str(), 0640);
    fs::create_symlink("paylaşım/Ortak.faiz", root / u8"bağ-1");
    fs::create_directories(root / "liste");
    fs::create_symlink(root / u8"bağ-1", root / "liste" / "Ortak.faiz");

    ASSERT_TRUE(safefile::replaceFile(root / "liste" / "Ortak.faiz", "yeni").ok());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(root / "liste" / "Ortak.faiz")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(root / u8"bağ-1")));
    EXPECT_EQ(contentOf(target), "yeni");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, fs::perms(0640));

    // A link into a share that is not mounted stays as it is; the save fails.
    fs::create_symlink(root / u8"bağlanmamış" / "Uzak.faiz", root / "liste" / "Uzak.faiz");
    const Status unmounted = safefile::replaceFile(root / "liste" / "Uzak.faiz", "yeni");
    ASSERT_FALSE(unmounted.ok());
    EXPECT_EQ(unmounted.error().number, errors::PathNotFound);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(root / "liste" / "Uzak.faiz")));

    fs::create_symlink("Döngü.faiz", root / u8"Döngü.faiz");
    EXPECT_FALSE(safefile::replaceFile(root / u8"Döngü.faiz", "yeni").ok());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(root / u8"Döngü.faiz")));
#endif
}

TEST_F(SafeFolder, NewFilesAreCreatedAllOrNone) {
    const std::vector<safefile::NewFile> three = {
        {root / "A.faiz", "a"}, {root / "B.faiz", "b"}, {root / "C.faiz", "c"}};
    // A full disk on the third file's content, or a failure placing the second.
    for (const auto& [step, call] : {std::pair{"write", 3}, std::pair{"placeNew", 2}}) {
        RecordingSteps steps;
        steps.failAt(step, call, std::errc::no_space_on_device);
        const auto created = safefile::createAllOrNone(three, steps);
        ASSERT_FALSE(created.ok()) << step;
        EXPECT_EQ(created.error().number, errors::DiskFull) << step;
        EXPECT_TRUE(entries().empty()) << step;
    }

    RecordingSteps steps;
    const auto created = safefile::createAllOrNone(three, steps);
    ASSERT_TRUE(created.ok());
    EXPECT_EQ(created.value().size(), 3u);
    EXPECT_EQ(contentOf(root / "C.faiz"), "c");
    // All contents are on the disk before the first name appears.
    const auto firstPlace = std::find(steps.done.begin(), steps.done.end(), "placeNew");
    EXPECT_EQ(std::count(steps.done.begin(), firstPlace, "sync"), 3);
    EXPECT_EQ(steps.done.back(), "syncFolder");
}

// Whatever stands at a name, even a link to nowhere or a pipe, is never replaced.
TEST_F(SafeFolder, ATakenNameIsLeftAsItIs) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows: no symbolic links without administrator rights, no named pipes";
#else
    put(root / "A.faiz", "kullanıcının");
    fs::create_symlink(root / "yok" / "B.faiz", root / "B.faiz");
    ASSERT_EQ(::mkfifo((root / "C.faiz").c_str(), 0644), 0);
    const auto created = safefile::createAllOrNone({{root / "A.faiz", "a"},
                                                    {root / "B.faiz", "b"},
                                                    {root / "C.faiz", "c"},
                                                    {root / "D.faiz", "d"}});
    ASSERT_TRUE(created.ok());
    EXPECT_EQ(created.value(), std::vector<fs::path>{root / "D.faiz"});
    EXPECT_EQ(contentOf(root / "A.faiz"), "kullanıcının");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(root / "B.faiz")));
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(root / "C.faiz")));
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.faiz", "B.faiz", "C.faiz", "D.faiz"}));
#endif
}

TEST(TemporaryNames, OnlyTheProgramsOwnPatternMatches) {
    const std::string longTurkish = "Ticari Alacaklar (Reeskont-İskonto) çok uzun bir ad.faiz";
    for (const std::string& target : {std::string("Adi.faiz"), longTurkish}) {
        const std::string name = safefile::temporaryName(target, 4321, 99);
        EXPECT_TRUE(safefile::isTemporaryName(name)) << name;
    }
    EXPECT_EQ(safefile::temporaryName("Adi.faiz", 12, 345), ".Adi.faiz.tmp-12-345");
    EXPECT_TRUE(safefile::isTemporaryName(".a.tmp-1-2"));
    for (const char* other : {"Adi.faiz.tmp-12-345", ".Adi.faiz.tmp-12-345x", ".Adi.faiz.tmp-12",
                              ".Adi.faiz.tmp--345", ".Adi.faiz.tmp-x-345", "..tmp-1-2", ".notlar",
                              ".Adi.faiz.tmp-12-", ".mirvane-yazma-denemesi-a1B2c3"}) {
        EXPECT_FALSE(safefile::isTemporaryName(other)) << other;
    }
    EXPECT_FALSE(safefile::isTemporaryName("." + longTurkish + ".tmp-1-2"));
}
