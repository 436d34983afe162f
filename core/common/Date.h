#pragma once

#include <chrono>

namespace mirvane {

// A calendar day, as every part of the program counts them.
using Date = std::chrono::sys_days;

} // namespace mirvane
