#pragma once

// The text of core/deadline/data/religious-holidays.tsv, carried inside the program.

#include <string_view>

namespace mirvane::deadline::data {

std::string_view religiousHolidays();

} // namespace mirvane::deadline::data
