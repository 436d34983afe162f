// List files as every system must keep them: Turkish names that come back whole, saves
// over a list, and the one place where Windows answers differently (a read-only file).

#include "core/common/Utf8Path.h"
#include "core/ratelist/FaizFile.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/DefaultLists.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace mirvane;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

class ListFiles : public mirvane::testing::TempFolderTest {
protected:
    ListFiles() : TempFolderTest("mirvane-listfiles-") {}

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root)) {
            names.push_back(utf8path::toUtf8(entry.path().filename()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::vector<RatePeriod> periodsUntil(int lastYear) {
    std::vector<RatePeriod> periods;
    for (int y = 2000; y <= lastYear; ++y) {
        periods.push_back({year{y} / 1 / 1, year{y} / 12 / 31, 9.0 + (y - 2000), "Dönem"});
    }
    return periods;
}

TEST_F(ListFiles, TurkishNamesComeBackWholeFromTheirFiles) {
    ASSERT_TRUE(store::prepareFolder(root).ok());
    const std::vector<std::string> defaults = {"Adi Alacaklar (Kanuni Faiz)",
                                               "Ticari Alacaklar (Reeskont-Avans)",
                                               "Ticari Alacaklar (Reeskont-İskonto)"};
    const std::string turkish = "Çağrı Öğüş İşçi ılık ĞÜŞİÖÇ";
    ASSERT_TRUE(faiz::write(store::listFilePath(root, turkish), periodsUntil(2001)).ok());

    const auto listing = store::enumerateListNames(root);
    ASSERT_TRUE(listing.ok());
    std::vector<std::string> expected = defaults;
    expected.insert(expected.begin() + 1, turkish); // A, Ç, T in the Turkish alphabet
    EXPECT_EQ(listing.value().names, expected);
    EXPECT_TRUE(listing.value().notices.empty());

    // The names on disk are the letters themselves, not bytes of some code page.
    EXPECT_TRUE(fs::exists(root / u8"Ticari Alacaklar (Reeskont-İskonto).faiz"));
    EXPECT_TRUE(fs::exists(root / u8"Çağrı Öğüş İşçi ılık ĞÜŞİÖÇ.faiz"));
    for (const std::string& name : expected) {
        const auto list = faiz::read(store::listFilePath(root, name));
        ASSERT_TRUE(list.ok()) << name;
        EXPECT_EQ(list.value().Name, name);
    }
    EXPECT_EQ(faiz::read(store::listFilePath(root, turkish)).value().Periods, periodsUntil(2001));
}

TEST(Utf8Paths, TextsComeBackFromTheirPaths) {
    for (const std::string text : {"Ticari Alacaklar (Reeskont-İskonto).faiz", "ğüşıöçĞÜŞİÖÇ",
                                   "emoji \xF0\x9F\x98\x80 ve boşluk", ""}) {
        EXPECT_EQ(utf8path::toUtf8(utf8path::fromUtf8(text)), text);
    }
    EXPECT_EQ(utf8path::fromUtf8("Kırık.faiz"), fs::path(u8"Kırık.faiz"));
#ifdef _WIN32
    // Neither way fails on what the other side cannot hold.
    const std::string badBytes = "a\xFF\xC3"
                                 "b";
    EXPECT_EQ(utf8path::fromUtf8(badBytes).native(), L"a\uFFFD\uFFFDb");
    const std::wstring loneSurrogate{L'a', wchar_t(0xD800), L'b'};
    EXPECT_EQ(utf8path::toUtf8(fs::path(loneSurrogate)), "a\uFFFDb");
#endif
}

TEST_F(ListFiles, AListSavedTwiceOverItselfHoldsTheLastSave) {
    const fs::path file = store::listFilePath(root, "Güncel Liste");
    ASSERT_TRUE(faiz::write(file, periodsUntil(2010)).ok());
    ASSERT_TRUE(faiz::write(file, periodsUntil(2003)).ok());
    ASSERT_TRUE(faiz::write(file, periodsUntil(2005)).ok());
    EXPECT_EQ(faiz::read(file).value().Periods, periodsUntil(2005));
    EXPECT_EQ(fs::file_size(file), 6 * faiz::SlotSize - 4);
    EXPECT_EQ(entries(), std::vector<std::string>{"Güncel Liste.faiz"}); // no temporary file
}

// Linux lets the folder decide and keeps the file read-only after the save; Windows
// refuses to replace a read-only file, and the refusal must leave the old bytes.
TEST_F(ListFiles, ASaveOverAReadOnlyFile) {
    const fs::path file = store::listFilePath(root, "Korumalı");
    ASSERT_TRUE(faiz::write(file, periodsUntil(2002)).ok());
    const std::string before = mirvane::testing::contentOf(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const Status saved = faiz::write(file, periodsUntil(2004));
#ifdef _WIN32
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().number, errors::PermissionDenied);
    EXPECT_EQ(mirvane::testing::contentOf(file), before);
#else
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(faiz::read(file).value().Periods, periodsUntil(2004));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none);
#endif
    EXPECT_EQ(entries(), std::vector<std::string>{"Korumalı.faiz"});
    EXPECT_TRUE(store::deleteListFile(file).ok());
}

#ifdef _WIN32

// Sets a variable of the wide environment for the life of the object.
class ScopedWideEnv {
public:
    ScopedWideEnv(const wchar_t* name, const std::wstring& value) : name_(name) {
        if (const wchar_t* old = ::_wgetenv(name)) {
            old_ = old;
        }
        ::_wputenv_s(name, value.c_str());
    }
    ~ScopedWideEnv() { ::_wputenv_s(name_, old_.c_str()); }

private:
    const wchar_t* name_;
    std::wstring old_;
};

TEST_F(ListFiles, OnWindowsThePerUserFolderIsUnderAppData) {
    const fs::path appData = root / u8"Kullanıcılar" / u8"Gökçe" / "AppData" / "Roaming";
    const ScopedWideEnv variable(L"APPDATA", appData.native());
    EXPECT_EQ(store::perUserListFolder(), appData / "Telvar" / "Mirvane" / "Veriler" / "Faizler");

    const fs::path programFiles = root / "Program Files";
    const ScopedWideEnv programs(L"ProgramFiles", programFiles.native());
    const fs::path installed = programFiles / "Telvar" / "Mirvane";
    EXPECT_TRUE(store::isSystemProgramFolder(installed));
    EXPECT_TRUE(store::isSystemProgramFolder(root / "PROGRAM FILES" / "Mirvane"));
    EXPECT_FALSE(store::isSystemProgramFolder(root / "Program Files (eski)" / "Mirvane"));
    EXPECT_FALSE(store::isSystemProgramFolder(root / u8"Masaüstü" / "Mirvane"));

    const fs::path chosen = store::chooseListFolder(installed);
    EXPECT_EQ(chosen, appData / "Telvar" / "Mirvane" / "Veriler" / "Faizler");
    ASSERT_TRUE(store::prepareFolder(chosen).ok());
    EXPECT_EQ(store::enumerateListNames(chosen).value().names.size(), 3u);
    EXPECT_FALSE(fs::exists(installed / "Veriler"));

    const ScopedWideEnv none(L"APPDATA", L"");
    EXPECT_EQ(store::perUserListFolder(), std::nullopt);
}

#endif

} // namespace
