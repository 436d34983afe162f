#include "core/ratelist/OleDate.h"

#include <cmath>

namespace mirvane::oledate {

namespace {

using namespace std::chrono;

constexpr Date Epoch{year{1899} / December / day{30}};

constexpr double dayNumber(Date date) {
    return static_cast<double>((date - Epoch).count());
}

constexpr double EarliestDay = dayNumber(sys_days{Earliest});
constexpr double LatestDay = dayNumber(sys_days{Latest});

} // namespace

double fromDate(Date date) {
    return dayNumber(date);
}

std::optional<Date> toDate(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // OLE dates keep the time of day as a fraction whose sign follows the day
    // (-1.5 is noon of 29 December 1899), so the day is the value cut toward zero.
    const double whole = std::trunc(value);
    if (whole < EarliestDay || whole > LatestDay) {
        return std::nullopt;
    }
    return Epoch + days{static_cast<int>(whole)};
}

} // namespace mirvane::oledate
