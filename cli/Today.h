#pragma once

// The day a report or a document is written, on the machine's calendar.

#include <chrono>
#include <ctime>

namespace mirvane::cli {

std::chrono::sys_days today();

// The calendar fields of `moment` in the machine's time zone; each system spells the
// thread-safe call its own way.
std::tm localTime(std::time_t moment);

} // namespace mirvane::cli
