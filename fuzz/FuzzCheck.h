#pragma once

// What a fuzz target does when a property of the code does not hold: it names the
// property and stops, so libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

namespace mirvane::fuzz {

inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "Does not hold: %s\n", property);
        std::abort();
    }
}

} // namespace mirvane::fuzz
