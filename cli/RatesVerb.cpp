// --oranlar: every rate series in use, row by row with its source, and which data they
// are: the day they were checked and the rate package they came from, if any.

#include "cli/Verbs.h"
#include "core/rates/RateSource.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"

namespace mirvane::cli {

namespace {

void printSeries(const RateList& list, std::ostream& out) {
    out << '\n' << list.Name << '\n';
    out << "Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tDayanak\n";
    for (const RatePeriod& period : list.Periods) {
        out << text::formatDate(period.StartDate) << '\t' << text::formatDate(period.EndDate)
            << '\t' << text::formatGeneralNumber(period.Rate) << '\t' << period.Description << '\n';
    }
}

} // namespace

Verb ratesVerb(CLI::App& app) {
    const CLI::Option* rates = flagOption(app, "--oranlar");
    return {
        .chosen = [rates] { return given(rates); },
        .run =
            [&app, rates](const Context& context) {
                if (otherOption(app, {rates})) {
                    return reportUsage({"--oranlar başka seçenekle kullanılamaz."}, context.err);
                }
                context.out << rates::rateDataLine() << ".\n";
                for (const RateList& list : rates::readyLists()) {
                    printSeries(list, context.out);
                }
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
