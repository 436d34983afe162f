#include "core/ratelist/FaizFile.h"

#include "core/common/SafeFile.h"
#include "core/common/Utf8Path.h"
#include "core/ratelist/OleDate.h"
#include "core/text/Cp1254.h"
#include "core/text/TextForms.h"
#include "core/text/Utf8.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace mirvane::faiz {

namespace {

static_assert(std::numeric_limits<double>::is_iec559, "list files hold IEEE 754 doubles");

constexpr std::size_t RateOffset = 16;
constexpr std::size_t DescriptionOffset = 24;
constexpr std::size_t LargestFile = MaxPeriods * SlotSize;

void putDouble(std::uint8_t* out, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i) {
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

double getDouble(std::string_view bytes) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        bits |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

RunTimeError tooManyPeriods() {
    return errors::make(errors::TooManyRecords, "Bir liste en çok 255 dönem tutabilir.");
}

RunTimeError notAListFile(std::string detail) {
    return errors::make(errors::InvalidFileFormat,
                        "Faiz listesi dosyası geçersiz: " + std::move(detail));
}

RunTimeError tooManySlots() {
    return notAListFile("bir liste en çok 255 dönem tutabilir.");
}

std::string periodText(std::size_t number) {
    return std::to_string(number) + ". dönemin";
}

RunTimeError invalidDate(std::size_t number) {
    return notAListFile(periodText(number) + " tarihi geçersiz.");
}

RunTimeError rateNotANumber(std::size_t number) {
    return notAListFile(periodText(number) + " oranı bir sayı değil.");
}

// What reading would refuse is never written, so every file the program writes reads back.
std::optional<RunTimeError> refuseUnreadable(const RatePeriod& period, std::size_t number) {
    if (!oledate::toDate(oledate::fromDate(period.StartDate)) ||
        !oledate::toDate(oledate::fromDate(period.EndDate))) {
        return invalidDate(number);
    }
    if (!std::isfinite(period.Rate)) {
        return rateNotANumber(number);
    }
    return std::nullopt;
}

Result<RatePeriod> decodeRecord(std::string_view record, std::size_t number) {
    const auto start = oledate::toDate(getDouble(record.substr(0, 8)));
    const auto end = oledate::toDate(getDouble(record.substr(8, 8)));
    const double rate = getDouble(record.substr(RateOffset, 8));
    if (!start || !end) {
        return invalidDate(number);
    }
    if (!std::isfinite(rate)) {
        return rateNotANumber(number);
    }
    const auto description = record.substr(DescriptionOffset, DescriptionSize);
    // The blank is the same byte in both encodings, so trimming first spares converting the
    // padding.
    return RatePeriod{*start, *end, rate, cp1254::toUtf8(text::trimSpaces(description))};
}

// The list name of a file: its name without ".faiz" (in any letter case); a file
// read from elsewhere under another name keeps its whole name.
std::string listNameOf(const std::filesystem::path& file) {
    const std::string name = utf8path::toUtf8(file.filename());
    return hasListExtension(name) ? name.substr(0, name.size() - Extension.size()) : name;
}

Result<std::string> readUpTo(int fd, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return errors::fromErrno(errno);
        }
        if (got == 0) {
            break; // the file shrank since it was measured; decoding judges what is left
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

// A file too big for any list is refused before a byte of it is read.
Result<std::string> readOpenFile(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return errors::fromErrno(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return errors::make(errors::PathFileAccessError);
    }
    if (static_cast<std::uintmax_t>(info.st_size) > LargestFile) {
        return tooManySlots();
    }
    return readUpTo(fd, static_cast<std::size_t>(info.st_size));
}

Result<std::string> readSmallFile(const std::filesystem::path& file) {
    const int fd = safefile::openForReading(file);
    if (fd < 0) {
        return errors::fromErrno(errno);
    }
    auto bytes = readOpenFile(fd);
    ::close(fd);
    return bytes;
}

} // namespace

bool hasListExtension(std::string_view fileName) {
    if (fileName.size() < Extension.size()) {
        return false;
    }
    const std::string_view tail = fileName.substr(fileName.size() - Extension.size());
    return std::equal(tail.begin(), tail.end(), Extension.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

std::array<std::uint8_t, RecordSize> encodePeriod(const RatePeriod& period) {
    std::array<std::uint8_t, RecordSize> record{};
    putDouble(&record[0], oledate::fromDate(period.StartDate));
    putDouble(&record[8], oledate::fromDate(period.EndDate));
    putDouble(&record[RateOffset], period.Rate);
    // Cut by characters first: every character becomes exactly one byte.
    const std::string description =
        cp1254::fromUtf8(utf8::leftCharacters(period.Description, DescriptionSize));
    for (std::size_t i = 0; i < DescriptionSize; ++i) {
        record[DescriptionOffset + i] =
            i < description.size() ? static_cast<std::uint8_t>(description[i]) : ' ';
    }
    return record;
}

Result<std::string> encode(const std::vector<RatePeriod>& periods) {
    if (periods.size() > MaxPeriods) {
        return tooManyPeriods();
    }
    for (std::size_t k = 0; k < periods.size(); ++k) {
        if (auto refused = refuseUnreadable(periods[k], k + 1)) {
            return *refused;
        }
    }
    if (periods.empty()) {
        return std::string();
    }
    std::string bytes(periods.size() * SlotSize - (SlotSize - RecordSize), '\0');
    for (std::size_t k = 0; k < periods.size(); ++k) {
        const auto record = encodePeriod(periods[k]);
        std::copy(record.begin(), record.end(), bytes.begin() + k * SlotSize);
    }
    return bytes;
}

Result<std::vector<RatePeriod>> decode(std::string_view bytes) {
    const std::size_t slots = (bytes.size() + SlotSize - 1) / SlotSize;
    if (slots > MaxPeriods) {
        return tooManySlots();
    }
    std::vector<RatePeriod> periods;
    periods.reserve(slots);
    for (std::size_t k = 0; k < slots; ++k) {
        const std::string_view slot = bytes.substr(k * SlotSize, SlotSize);
        if (slot.size() < RecordSize) {
            return errors::make(errors::InputPastEndOfFile,
                                "Faiz listesi dosyası eksik: " + periodText(k + 1) +
                                    " kaydı yarıda kesilmiş.");
        }
        auto period = decodeRecord(slot.substr(0, RecordSize), k + 1);
        if (!period) {
            return period.error();
        }
        periods.push_back(std::move(period).value());
    }
    return periods;
}

Result<RateList> read(const std::filesystem::path& file) {
    auto bytes = readSmallFile(file);
    if (!bytes) {
        return bytes.error();
    }
    auto periods = decode(bytes.value());
    if (!periods) {
        return periods.error();
    }
    return RateList{listNameOf(file), std::move(periods).value()};
}

Status write(const std::filesystem::path& file, const std::vector<RatePeriod>& periods) {
    auto bytes = encode(periods);
    if (!bytes) {
        return bytes.error();
    }
    return safefile::replaceFile(file, bytes.value());
}

} // namespace mirvane::faiz
