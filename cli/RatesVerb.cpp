// --oranlar: every rate series the program carries, row by row with its source, and
// the day the rates were last checked.

#include "Verbs.h"
#include "rates/RateTables.h"
#include "rates/ReadyLists.h"
#include "text/TextForms.h"

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
                context.out << "Oranlar en son " << text::formatDate(rates::checkedOn())
                            << " tarihinde kaynaklarıyla denetlendi.\n";
                for (const RateList& list : rates::readyLists()) {
                    printSeries(list, context.out);
                }
                return ExitOk;
            },
    };
}

} // namespace mirvane::cli
