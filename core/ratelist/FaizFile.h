#pragma once

// The ".faiz" rate list file: one 128-byte slot per period, no header; a slot holds
// StartDate, EndDate (OLE dates), Rate (all little-endian doubles) and a 100-byte
// Windows-1254 description padded with blanks; the last slot ends after its 124
// data bytes, so n periods make 128 * n - 4 bytes.

#include "core/common/Errors.h"
#include "core/ratelist/RateList.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::faiz {

inline constexpr std::size_t SlotSize = 128;
inline constexpr std::size_t RecordSize = 124;
inline constexpr std::size_t DescriptionSize = 100;
inline constexpr std::string_view Extension = ".faiz";

// Whether a file name ends in ".faiz", in any letter case.
bool hasListExtension(std::string_view fileName);

// The 124 data bytes of one period (description cut to 100 characters).
std::array<std::uint8_t, RecordSize> encodePeriod(const RatePeriod& period);

// The whole file image of a list; refuses more than 255 periods and, with the error
// reading would give, a date outside 1601-9999 or a rate that is not a finite number.
Result<std::string> encode(const std::vector<RatePeriod>& periods);

// The periods of a file image. An empty image is a list without periods. A
// truncated image, a value that is not a finite number or a date outside
// 1601-9999, or more than 255 periods fail with an error of the catalogue.
Result<std::vector<RatePeriod>> decode(std::string_view bytes);

// Reads the list of a file; the list's Name is the file name without ".faiz".
Result<RateList> read(const std::filesystem::path& file);

// Writes the periods as the whole content of the file. The file is replaced only
// once the new content is complete on disk: on any failure the old file (or its
// absence) stays as it was. A list file that is a symbolic link is written through it.
Status write(const std::filesystem::path& file, const std::vector<RatePeriod>& periods);

} // namespace mirvane::faiz
