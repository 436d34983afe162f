#include "core/rates/Recognition.h"

#include "core/rates/RateTables.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <cmath>

namespace mirvane::rates {

namespace {

// Rates as the files and the windows carry them: a few decimals at most.
bool sameRate(double a, double b) {
    return std::llround(a * 1e6) == std::llround(b * 1e6);
}

bool samePeriod(const RatePeriod& a, const RatePeriod& b) {
    return a.StartDate == b.StartDate && a.EndDate == b.EndDate && sameRate(a.Rate, b.Rate);
}

bool sameList(const std::vector<RatePeriod>& a, const std::vector<RatePeriod>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), samePeriod);
}

// The number of leading periods that equal the series'.
std::size_t commonLead(const std::vector<RatePeriod>& periods,
                       const std::vector<RatePeriod>& series) {
    std::size_t count = 0;
    while (count < periods.size() && count < series.size() &&
           samePeriod(periods[count], series[count])) {
        ++count;
    }
    return count;
}

// A leading part of the series whose last period may end earlier.
bool isLeadingPart(const std::vector<RatePeriod>& periods, const std::vector<RatePeriod>& series) {
    const std::size_t lead = commonLead(periods, series);
    if (lead == periods.size()) {
        return !periods.empty();
    }
    if (lead + 1 != periods.size() || lead >= series.size()) {
        return false;
    }
    const RatePeriod& last = periods.back();
    const RatePeriod& theirs = series[lead];
    return last.StartDate == theirs.StartDate && sameRate(last.Rate, theirs.Rate) &&
           last.EndDate <= theirs.EndDate;
}

bool isEarlierDefault(const std::vector<RatePeriod>& periods, const RateList& series) {
    for (const RateList& earlier : earlierDefaults()) {
        if (earlier.Name == series.Name && sameList(periods, earlier.Periods)) {
            return true;
        }
    }
    return false;
}

std::string periodText(const RatePeriod& period) {
    return text::formatDate(period.StartDate) + "–" + text::formatDate(period.EndDate) + ", %" +
           text::formatGeneralNumber(period.Rate);
}

} // namespace

std::optional<Recognition> recognise(const std::vector<RatePeriod>& periods) {
    for (const RateList& series : readyLists()) {
        if (!isLeadingPart(periods, series.Periods) && !isEarlierDefault(periods, series)) {
            continue;
        }
        Recognition recognition;
        recognition.series = &series;
        recognition.firstDifference = commonLead(periods, series.Periods);
        recognition.proposal.assign(periods.begin(), periods.begin() + recognition.firstDifference);
        recognition.proposal.insert(recognition.proposal.end(),
                                    series.Periods.begin() + recognition.firstDifference,
                                    series.Periods.end());
        recognition.changed = series.Periods.size() - recognition.firstDifference;
        return recognition;
    }
    return std::nullopt;
}

bool endsWhereRatesWereChecked(const std::vector<RatePeriod>& periods) {
    if (periods.empty() || periods.back().EndDate != checkedOn()) {
        return false;
    }
    const std::optional<Recognition> recognition = recognise(periods);
    return recognition && recognition->changed == 0 &&
           recognition->series->Periods.size() == periods.size();
}

std::optional<Departure> departure(const std::vector<RatePeriod>& periods) {
    std::optional<Departure> best;
    std::size_t bestLead = 0;
    for (const RateList& series : readyLists()) {
        const std::size_t lead = commonLead(periods, series.Periods);
        if (lead > bestLead) {
            bestLead = lead;
            best = Departure{&series, lead};
        }
    }
    return best;
}

std::string recognitionText(const std::vector<RatePeriod>& periods) {
    if (const std::optional<Recognition> recognition = recognise(periods)) {
        const std::string name = "\"" + recognition->series->Name + "\"";
        if (recognition->changed == 0) {
            return "Liste, " + name + " hazır listesiyle güncel.";
        }
        return "Listeyi " + name + " hazır listesinin güncel oranlarıyla günceller: " +
               std::to_string(recognition->firstDifference + 1) + ". dönemden başlayarak " +
               std::to_string(recognition->changed) + " dönem değişir.";
    }
    if (periods.empty()) {
        return "Liste tanınmadı: listede dönem yok.";
    }
    const std::optional<Departure> found = departure(periods);
    if (!found) {
        return "Liste tanınmadı: ilk dönemi hiçbir hazır listenin ilk dönemiyle aynı değil.";
    }
    const std::string number = std::to_string(found->period + 1) + ". dönem";
    const std::string name = "\"" + found->series->Name + "\"";
    if (found->period >= found->series->Periods.size()) {
        return "Liste tanınmadı: " + number + " " + name + " hazır listesinde yok.";
    }
    return "Liste tanınmadı: " + number + " (" + periodText(periods[found->period]) + ") " + name +
           " hazır listesinin " + number + "inden (" +
           periodText(found->series->Periods[found->period]) + ") farklı.";
}

} // namespace mirvane::rates
