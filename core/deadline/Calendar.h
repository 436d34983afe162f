#pragma once

// The days on which courts and enforcement offices are closed, as far as a
// deadline is concerned: Saturdays, Sundays, the national holidays and the
// religious holidays of the years the program knows.

#include "core/common/Date.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace mirvane::deadline {

enum class ClosedKind { Weekend, National, Religious };

struct ClosedDay {
    std::string name; // "Cumartesi", "Pazar", "Cumhuriyet Bayramı", "Kurban Bayramı"...
    ClosedKind kind;
};

// Why the day is not a working day; nullopt on a working day. A holiday falling
// on a weekend is named as the holiday.
std::optional<ClosedDay> closedDay(Date date);

// A half day that stays a working day for a deadline (the eve of a religious
// holiday, 28 October): its name, such as "Kurban Bayramı arifesi"; nullopt otherwise.
std::optional<std::string> halfDayName(Date date);

// Whether the program holds the religious holidays of that year.
bool religiousHolidaysKnown(int year);
inline constexpr int FirstReligiousTableYear = 2000;
inline constexpr int LastReligiousTableYear = 2030;

// Whether a feast of that year in the table has not yet been compared with a published
// source (core/deadline/data/religious-holidays.tsv says which); a deadline then says so.
bool religiousHolidaysUnverified(int year);

// "Pazartesi" ... "Pazar".
std::string_view weekdayName(Date date);

// "07.09.2017 Perşembe".
std::string dateWithWeekday(Date date);

} // namespace mirvane::deadline
