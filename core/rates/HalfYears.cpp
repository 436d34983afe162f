#include "core/rates/HalfYears.h"

#include "core/text/TextForms.h"

#include <cmath>
#include <cstdint>

namespace mirvane::rates {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

Date on(int y, unsigned m, unsigned d) {
    return year{y} / month{m} / day{d};
}

// Rates compared in hundredths of a point, so that 49.25 - 44.25 is exactly 5.
std::int64_t hundredths(double rate) {
    return std::llround(rate * 100.0);
}

std::string basisOf(Date decidingDay) {
    return text::formatDate(decidingDay) + " TCMB avans oranı (3095 sayılı Kanun m.2/2)";
}

} // namespace

std::optional<double> rateOn(const std::vector<RatePeriod>& periods, Date day) {
    for (const RatePeriod& period : periods) {
        if (period.StartDate <= day && day <= period.EndDate) {
            return period.Rate;
        }
    }
    return std::nullopt;
}

std::vector<RatePeriod> commercialDefaultHalfYears(const std::vector<RatePeriod>& advance,
                                                   int firstYear, int lastYear) {
    std::vector<RatePeriod> periods;
    for (int y = firstYear; y <= lastYear; ++y) {
        const Date yearEndBefore = on(y - 1, 12, 31);
        const Date midYear = on(y, 6, 30);
        const std::optional<double> first = rateOn(advance, yearEndBefore);
        if (!first) {
            break;
        }
        periods.push_back({on(y, 1, 1), midYear, *first, basisOf(yearEndBefore)});
        const std::optional<double> june = rateOn(advance, midYear);
        if (!june) {
            break;
        }
        const bool changes = std::llabs(hundredths(*june) - hundredths(*first)) >= 500;
        periods.push_back({on(y, 7, 1), on(y, 12, 31), changes ? *june : *first,
                           basisOf(changes ? midYear : yearEndBefore)});
    }
    return periods;
}

} // namespace mirvane::rates
