#include "core/ratelist/FaizFile.h"

#include "core/ratelist/OleDate.h"
#include "tests/support/TempFolder.h"

#include <bit>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <unistd.h>

using namespace mirvane;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

RatePeriod period(Date start, Date end, double rate, std::string description = "") {
    return {start, end, rate, std::move(description)};
}

// Twelve contiguous monthly periods of 2010 with distinct rates and descriptions.
std::vector<RatePeriod> twelvePeriods() {
    std::vector<RatePeriod> periods;
    for (unsigned m = 1; m <= 12; ++m) {
        const Date start = on(2010, m, 1);
        const Date end = m == 12 ? on(2010, 12, 31) : on(2010, m + 1, 1) - days{1};
        periods.push_back(period(start, end, 10.0 + m * 0.25, "Dönem " + std::to_string(m)));
    }
    return periods;
}

std::string hexBytes(std::string_view bytes) {
    std::string hex;
    for (const char c : bytes) {
        static constexpr char Digits[] = "0123456789abcdef";
        const auto b = static_cast<unsigned char>(c);
        hex += {Digits[b >> 4], Digits[b & 15], ' '};
    }
    return hex;
}

std::string littleEndian(double value) {
    std::string bytes(8, '\0');
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[i] = static_cast<char>(bits >> (8 * i));
    }
    return bytes;
}

std::string encoded(const std::vector<RatePeriod>& periods) {
    auto bytes = faiz::encode(periods);
    EXPECT_TRUE(bytes.ok());
    return bytes.ok() ? bytes.value() : std::string();
}

std::vector<RatePeriod> roundTrip(const std::vector<RatePeriod>& periods) {
    auto decoded = faiz::decode(encoded(periods));
    EXPECT_TRUE(decoded.ok());
    return decoded.ok() ? decoded.value() : std::vector<RatePeriod>();
}

int errorNumberOfDecoding(std::string_view bytes) {
    const auto decoded = faiz::decode(bytes);
    return decoded.ok() ? 0 : decoded.error().number;
}

class FaizOnDisk : public mirvane::testing::TempFolderTest {
protected:
    FaizOnDisk() : TempFolderTest("mirvane-faiz-") {}

    static std::string contentOf(const fs::path& file) { return mirvane::testing::contentOf(file); }
    static void put(const fs::path& file, std::string_view bytes) {
        mirvane::testing::put(file, bytes);
    }
    std::vector<std::string> entries() const { return mirvane::testing::entriesOf(folder); }

    const fs::path& folder{root};
};

// Root ignores permission bits, so a read-only folder protects nothing there.
#ifndef _WIN32
bool permissionsAreEnforced(const fs::path& readOnlyFolder) {
    return ::geteuid() != 0 && ::access(readOnlyFolder.c_str(), W_OK) != 0;
}
#endif

} // namespace

TEST(OleDate, CountsDaysFrom30December1899AndCutsTowardZero) {
    EXPECT_EQ(oledate::fromDate(on(1899, 12, 30)), 0.0);
    EXPECT_EQ(oledate::fromDate(on(2007, 1, 1)), 39083.0);
    EXPECT_EQ(oledate::fromDate(on(1601, 1, 1)), -109205.0);
    EXPECT_EQ(oledate::toDate(39083.0), on(2007, 1, 1));
    EXPECT_EQ(oledate::toDate(39083.99), on(2007, 1, 1));
    EXPECT_EQ(oledate::toDate(-1.5), on(1899, 12, 29));
    EXPECT_EQ(oledate::toDate(-0.5), on(1899, 12, 30));
    EXPECT_EQ(oledate::toDate(2958465.0), on(9999, 12, 31));
    EXPECT_EQ(oledate::toDate(-109205.0), on(1601, 1, 1));
}

TEST(OleDate, RefusesNonNumbersAndDaysOutside1601To9999) {
    EXPECT_FALSE(oledate::toDate(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(oledate::toDate(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(oledate::toDate(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(oledate::toDate(2958466.0));
    EXPECT_FALSE(oledate::toDate(-109206.0));
    EXPECT_FALSE(oledate::toDate(1e300));
    EXPECT_FALSE(oledate::toDate(-1e300));
}

TEST(FaizEncoding, ExamplePeriodHasTheDocumentedBytes) {
    const auto record = faiz::encodePeriod(period(on(2007, 1, 1), on(2018, 6, 30), 9));
    const std::string bytes(record.begin(), record.end());
    EXPECT_EQ(hexBytes(bytes.substr(0, 24)), "00 00 00 00 60 15 e3 40 "
                                             "00 00 00 00 20 22 e5 40 "
                                             "00 00 00 00 00 00 22 40 ");
    EXPECT_EQ(bytes.substr(24), std::string(100, ' '));
}

TEST(FaizEncoding, FileSizeIs128PerPeriodLessFourWithZeroGaps) {
    const auto twelve = twelvePeriods();
    EXPECT_EQ(encoded({}), "");
    EXPECT_EQ(encoded({twelve[0]}).size(), 124u);
    EXPECT_EQ(encoded(twelve).size(), 1532u);
    std::vector<RatePeriod> thirtySix;
    for (int i = 0; i < 3; ++i) {
        thirtySix.insert(thirtySix.end(), twelve.begin(), twelve.end());
    }
    const std::string bytes = encoded(thirtySix);
    EXPECT_EQ(bytes.size(), 4604u);
    for (std::size_t k = 1; k < 36; ++k) {
        EXPECT_EQ(bytes.substr(k * 128 - 4, 4), std::string(4, '\0')) << "gap before " << k + 1;
    }
}

TEST(FaizEncoding, RefusesMoreThan255Periods) {
    std::vector<RatePeriod> periods(255, period(on(2000, 1, 1), on(2000, 1, 31), 9));
    EXPECT_EQ(encoded(periods).size(), 255u * 128 - 4);
    periods.push_back(periods.back());
    const auto tooMany = faiz::encode(periods);
    ASSERT_FALSE(tooMany.ok());
    EXPECT_EQ(tooMany.error().number, errors::TooManyRecords);
    EXPECT_NE(tooMany.error().description.find("255"), std::string::npos);
}

// Whatever reading refuses is refused at writing, with the same error, so no file the
// program writes is unreadable.
TEST(FaizEncoding, RefusesWhatReadingWouldRefuse) {
    const Date good = on(2000, 1, 1);
    const std::vector<std::vector<RatePeriod>> unreadable = {
        {period(on(1600, 12, 31), good, 9)},
        {period(good, on(9999, 12, 31) + days{1}, 9)},
        {period(good, good, std::numeric_limits<double>::quiet_NaN())},
        {period(good, good, 9), period(good, good, -std::numeric_limits<double>::infinity())},
    };
    for (const auto& periods : unreadable) {
        const auto refused = faiz::encode(periods);
        ASSERT_FALSE(refused.ok());
        std::string image(periods.size() * 128 - 4, '\0');
        for (std::size_t k = 0; k < periods.size(); ++k) {
            const auto record = faiz::encodePeriod(periods[k]);
            std::copy(record.begin(), record.end(), image.begin() + k * 128);
        }
        const auto read = faiz::decode(image);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(refused.error(), read.error());
    }
    EXPECT_TRUE(faiz::encode({period(on(1601, 1, 1), on(9999, 12, 31), -1e300)}).ok());
}

TEST(FaizEncoding, TwelfthPeriodIsReadFromOffset1408) {
    const auto twelve = twelvePeriods();
    const std::string bytes = encoded(twelve);
    const auto decoded = faiz::decode(bytes);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.value(), twelve);

    const auto alone = faiz::decode(bytes.substr(1408));
    ASSERT_TRUE(alone.ok());
    ASSERT_EQ(alone.value().size(), 1u);
    EXPECT_EQ(alone.value()[0], twelve[11]);
}

TEST(FaizEncoding, DescriptionsAreCutToHundredCharactersAndTrimmed) {
    const std::string letters120 = std::string(60, 'a') + [] {
        std::string s;
        for (int i = 0; i < 60; ++i) {
            s += "ş";
        }
        return s;
    }();
    const auto longOne = roundTrip({period(on(2001, 1, 1), on(2001, 2, 1), 9, letters120)});
    ASSERT_EQ(longOne.size(), 1u);
    EXPECT_EQ(longOne[0].Description, letters120.substr(0, 60 + 40 * 2)); // 60 a, 40 ş

    const auto padded = roundTrip({period(on(2001, 1, 1), on(2001, 2, 1), 9, "  abc  ")});
    EXPECT_EQ(padded[0].Description, "abc");

    const auto blank = roundTrip({period(on(2001, 1, 1), on(2001, 2, 1), 9, "   ")});
    EXPECT_EQ(blank[0].Description, "");
}

TEST(FaizEncoding, TurkishLettersTakeOneByteEachAndSurvive) {
    const std::string turkish = "ı ş ğ İ Ş Ğ ç ö ü Ç Ö Ü";
    const auto record = faiz::encodePeriod(period(on(2001, 1, 1), on(2001, 2, 1), 9, turkish));
    const std::string stored(record.begin() + 24, record.begin() + 24 + 23);
    EXPECT_EQ(hexBytes(stored), "fd 20 fe 20 f0 20 dd 20 de 20 d0 20 e7 20 f6 20 fc 20 c7 20 "
                                "d6 20 dc ");
    EXPECT_EQ(record[24 + 23], ' ');
    EXPECT_EQ(roundTrip({period(on(2001, 1, 1), on(2001, 2, 1), 9, turkish)})[0].Description,
              turkish);

    const auto foreign = roundTrip({period(on(2001, 1, 1), on(2001, 2, 1), 9, "Ž 中")});
    EXPECT_EQ(foreign[0].Description, "? ?");
}

TEST(FaizEncoding, RatesAndDatesComeBackExactly) {
    const std::vector<RatePeriod> periods = {
        period(on(1601, 1, 1), on(1899, 12, 29), 17.75),
        period(on(1899, 12, 30), on(2020, 2, 29), 0.1),
        period(on(2020, 3, 1), on(9999, 12, 31), 1.0 / 3.0),
    };
    EXPECT_EQ(roundTrip(periods), periods);
    const std::string bytes = encoded({periods[0]});
    EXPECT_EQ(bytes.substr(16, 8), littleEndian(17.75));
}

TEST(FaizDecoding, RefusesDamagedImagesWithTheRightNumbers) {
    const std::string good = encoded(twelvePeriods());
    EXPECT_EQ(errorNumberOfDecoding(good.substr(0, 1532 - 1)), errors::InputPastEndOfFile);
    EXPECT_EQ(errorNumberOfDecoding(good.substr(0, 50)), errors::InputPastEndOfFile);
    EXPECT_EQ(errorNumberOfDecoding(good.substr(0, 128 + 1)), errors::InputPastEndOfFile);
    EXPECT_EQ(errorNumberOfDecoding(good + std::string(4, '\0')), 0); // 128 n bytes
    EXPECT_EQ(errorNumberOfDecoding(""), 0);

    const auto corrupt = [&](std::size_t offset, double value) {
        std::string bytes = good;
        bytes.replace(128 * 5 + offset, 8, littleEndian(value));
        return errorNumberOfDecoding(bytes);
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(corrupt(16, nan), errors::InvalidFileFormat);
    EXPECT_EQ(corrupt(16, -inf), errors::InvalidFileFormat);
    EXPECT_EQ(corrupt(0, nan), errors::InvalidFileFormat);
    EXPECT_EQ(corrupt(8, inf), errors::InvalidFileFormat);
    EXPECT_EQ(corrupt(0, -109206), errors::InvalidFileFormat); // 31.12.1600
    EXPECT_EQ(corrupt(8, 2958466), errors::InvalidFileFormat); // 01.01.10000
    EXPECT_EQ(corrupt(16, 0), 0);                              // reading checks no list invariants

    const std::string slot = encoded({twelvePeriods()[0]}) + std::string(4, '\0');
    std::string full;
    for (int k = 0; k < 255; ++k) {
        full += slot;
    }
    EXPECT_EQ(errorNumberOfDecoding(full), 0);
    EXPECT_EQ(errorNumberOfDecoding(full + "x"), errors::InvalidFileFormat);
    EXPECT_EQ(errorNumberOfDecoding(std::string(50'000'000, '\0')), errors::InvalidFileFormat);
}

TEST(FaizDecoding, RandomBytesNeverCrashAndGiveOnlyKnownOutcomes) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t size = 0; size < 1200; size += 1 + size / 40) {
        for (int round = 0; round < 20; ++round) {
            std::string bytes(size, '\0');
            for (char& c : bytes) {
                c = static_cast<char>(byte(random));
            }
            const auto decoded = faiz::decode(bytes);
            if (decoded.ok()) {
                EXPECT_EQ(decoded.value().size(), (size + 127) / 128);
            } else {
                EXPECT_TRUE(decoded.error().number == errors::InputPastEndOfFile ||
                            decoded.error().number == errors::InvalidFileFormat)
                    << decoded.error().number;
            }
        }
    }
}

TEST_F(FaizOnDisk, WrittenListReadsBackWithItsName) {
    const auto periods = twelvePeriods();
    const fs::path file = folder / u8"Ticari Alacaklar (Reeskont-İskonto).faiz";
    ASSERT_TRUE(faiz::write(file, periods).ok());
    EXPECT_EQ(contentOf(file).size(), 1532u);
    EXPECT_EQ(entries(), std::vector<std::string>{file.filename().string()}); // no temp file

    const auto list = faiz::read(file);
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list.value().Name, "Ticari Alacaklar (Reeskont-İskonto)");
    EXPECT_EQ(list.value().Periods, periods);

    ASSERT_TRUE(faiz::write(folder / u8"Boş.faiz", {}).ok());
    const auto empty = faiz::read(folder / u8"Boş.faiz");
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty.value().Periods.empty());
}

TEST_F(FaizOnDisk, ReadingFailuresAreReportedNotLoaded) {
    EXPECT_EQ(faiz::read(folder / "Yok.faiz").error().number, errors::FileNotFound);
    EXPECT_FALSE(faiz::read(folder).ok());

    // A huge file is refused from its size alone (sparse, so nothing is really stored).
    const fs::path huge = folder / "Dev.faiz";
    put(huge, "");
    fs::resize_file(huge, 1'000'000'000);
    EXPECT_EQ(faiz::read(huge).error().number, errors::InvalidFileFormat);

    const fs::path cut = folder / "Kesik.faiz";
    put(cut, encoded(twelvePeriods()).substr(0, 1000));
    EXPECT_EQ(faiz::read(cut).error().number, errors::InputPastEndOfFile);
}

TEST_F(FaizOnDisk, WritingOverALongerListLeavesNoTraceOfIt) {
    const fs::path file = folder / "Liste.faiz";
    put(file, std::string(10'000, 'x'));
    const auto periods = twelvePeriods();
    ASSERT_TRUE(faiz::write(file, {periods[0], periods[1]}).ok());
    EXPECT_EQ(contentOf(file), encoded({periods[0], periods[1]}));
    EXPECT_EQ(entries(), std::vector<std::string>{"Liste.faiz"});

#ifndef _WIN32 // no permission bits beyond read-only
    // Saved again, a list keeps the permissions its file had.
    fs::permissions(file, fs::perms(0640));
    ASSERT_TRUE(faiz::write(file, {periods[0]}).ok());
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask, fs::perms(0640));
#endif
}

TEST_F(FaizOnDisk, FailedWritesKeepTheOldFileAndLeaveNoTemporaryFile) {
    const fs::path file = folder / "Liste.faiz";
    const std::string old = encoded(twelvePeriods());
    put(file, old);

    std::vector<RatePeriod> tooMany(256, twelvePeriods()[0]);
    EXPECT_EQ(faiz::write(file, tooMany).error().number, errors::TooManyRecords);
    EXPECT_EQ(contentOf(file), old);

    EXPECT_EQ(faiz::write(folder / "yok" / "Liste.faiz", {}).error().number, errors::PathNotFound);

    // The target is a folder that cannot be replaced: the rename fails after writing.
    fs::create_directories(folder / u8"Klasör.faiz" / u8"içerik");
    EXPECT_FALSE(faiz::write(folder / u8"Klasör.faiz", twelvePeriods()).ok());
    EXPECT_TRUE(fs::is_directory(folder / u8"Klasör.faiz" / u8"içerik"));
    EXPECT_EQ(entries(), (std::vector<std::string>{"Klasör.faiz", "Liste.faiz"}));
}

TEST_F(FaizOnDisk, WriteIntoReadOnlyFolderFailsAndKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows: the read-only attribute of a folder does not stop new files in it; "
                    "ListFiles.ASaveOverAReadOnlyFile covers a read-only file";
#else
    const fs::path file = folder / "Liste.faiz";
    const std::string old = encoded(twelvePeriods());
    put(file, old);
    fs::permissions(folder, fs::perms(0555));
    if (!permissionsAreEnforced(folder)) {
        GTEST_SKIP() << "running with privileges that ignore permission bits";
    }
    const auto status = faiz::write(file, {twelvePeriods()[0]});
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().number, errors::PermissionDenied);
    EXPECT_EQ(contentOf(file), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"Liste.faiz"});
#endif
}
