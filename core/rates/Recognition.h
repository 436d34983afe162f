#pragma once

// Recognising a user's rate list as an earlier state of a ready list, and the
// proposal that brings it current.

#include "core/ratelist/RateList.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace mirvane::rates {

// A list recognised against a ready list. `proposal` keeps the list's periods before
// `firstDifference` (0-based) and takes the ready list's from there on; `changed` is
// the number of periods taken, 0 when the list is already current.
struct Recognition {
    const RateList* series = nullptr;
    std::size_t firstDifference = 0;
    std::vector<RatePeriod> proposal;
    std::size_t changed = 0;
};

// Recognised when the periods (dates and rates; descriptions are the user's) are one
// of the lists earlier versions wrote, or a leading part of a ready list whose last
// period may end earlier than the ready list's. nullopt otherwise.
std::optional<Recognition> recognise(const std::vector<RatePeriod>& periods);

// Whether the periods are those of a ready list as the program carries it (dates and
// rates; descriptions are the user's) whose last period ends on the day the rate data
// were checked. Past that day its last rate is the latest the data know, by design,
// and not a sign of a list left behind.
bool endsWhereRatesWereChecked(const std::vector<RatePeriod>& periods);

// For a list that is not recognised: the ready list it follows longest and the first
// of its periods (0-based) that departs from it. nullopt when not even its first
// period follows a ready list.
struct Departure {
    const RateList* series = nullptr;
    std::size_t period = 0;
};
std::optional<Departure> departure(const std::vector<RatePeriod>& periods);

// What the bring-current action tells the user about a list: what it would change,
// that the list is current, or which period keeps it from being recognised.
std::string recognitionText(const std::vector<RatePeriod>& periods);

} // namespace mirvane::rates
