#include "core/interest/InterestEngine.h"

#include "core/interest/ExactInterest.h"
#include "core/rates/Recognition.h"
#include "core/text/Amount.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mirvane::interest {

namespace {

constexpr std::string_view StartBeforeFirstPeriodMessage =
    "\"Başlangıç Tarihi\", ilk dönemin \"Başlangıç Tarihi\"nden küçük olamaz!";
constexpr std::string_view NoDayBetweenMessage =
    "\"Başlangıç Tarihi\" ile \"Bitiş Tarihi\" arasında en az (1) gün bulunmalı!";
constexpr std::string_view PrincipalMissingMessage = "\"Anapara\" miktarını girmeniz gerekiyor!";
constexpr std::string_view PrincipalNotPositiveMessage =
    "\"Anapara\" miktarı SIFIR'dan büyük olmalı!";
constexpr std::string_view PrincipalTooLargeMessage =
    "\"Anapara\" miktarı 1.000.000.000.000.000'dan küçük olmalı!";

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

Rejection reject(int number, std::string_view message, EntryField focus) {
    Rejection rejection;
    rejection.number = number;
    rejection.message = std::string(message);
    rejection.focus = focus;
    return rejection;
}

// The four checks in their fixed order; only the first failure is reported.
std::optional<Rejection> validate(const RateList& list, const Inputs& inputs) {
    const Date firstStart = list.Periods.front().StartDate;
    if (inputs.start < firstStart) {
        Rejection rejection = reject(1, StartBeforeFirstPeriodMessage, EntryField::StartDate);
        rejection.correctedStart = firstStart;
        return rejection;
    }
    if (inputs.start >= inputs.end) {
        Rejection rejection = reject(2, NoDayBetweenMessage, EntryField::EndDate);
        rejection.correctedEnd = inputs.start + std::chrono::days{1};
        return rejection;
    }
    if (isBlankText(inputs.principalText)) {
        return reject(3, PrincipalMissingMessage, EntryField::Value);
    }
    const std::optional<double> principal = text::parseAmount(inputs.principalText);
    if (!principal || !(*principal > 0.0)) {
        return reject(4, PrincipalNotPositiveMessage, EntryField::Value);
    }
    if (*principal >= text::AmountLimit) {
        return reject(5, PrincipalTooLargeMessage, EntryField::Value);
    }
    return std::nullopt;
}

// Accumulates the rows of one run and stops at the first run-time error.
class RowBuilder {
public:
    RowBuilder(Decimal principal, std::int32_t divisor,
               const std::function<void(const InterestRow&)>& onRow)
        : principal_(principal), divisor_(divisor), onRow_(onRow) {}

    // Emits the row of period `number` from `from` to `to`; false once the run failed.
    bool emit(int number, const RatePeriod& period, Date from, Date to) {
        const auto days = (to - from).count();
        if (days > std::numeric_limits<std::int16_t>::max() ||
            days < std::numeric_limits<std::int16_t>::min()) {
            return fail();
        }
        // The rate as the row shows it, so that the row's figures follow from its texts.
        const std::optional<Decimal> rate = decimalOf(period.Rate);
        const std::optional<std::int64_t> amount =
            rate ? interestCents(principal_, *rate, days, divisor_) : std::nullopt;
        std::int64_t total = 0;
        if (!amount || __builtin_add_overflow(result_.total, *amount, &total)) {
            return fail();
        }
        result_.total = total;
        InterestRow row{number,  from, to, period.Rate, static_cast<std::int16_t>(days),
                        *amount, total};
        result_.rows.push_back(row);
        if (onRow_) {
            onRow_(row);
        }
        return true;
    }

    Calculation take() { return std::move(result_); }

private:
    bool fail() {
        result_.failure = errors::make(errors::Overflow);
        return false;
    }

    Decimal principal_;
    std::int32_t divisor_;
    const std::function<void(const InterestRow&)>& onRow_;
    Calculation result_;
};

// Walks the periods in order and cuts the range along them. Every day after Start up
// to and including End bears interest at the rate of the period that holds it, so the
// rows chain: a row entering a period at its first day starts on the day before it
// (the previous row's end) and the days of all rows add up to End - Start. The last
// period's rate runs on to End whatever the start, so a claim starting after the
// list's last date still earns interest.
void slice(const RateList& list, const Inputs& inputs, RowBuilder& builder) {
    const std::size_t count = list.Periods.size();
    for (std::size_t index = 0; index < count; ++index) {
        const RatePeriod& period = list.Periods[index];
        const int number = static_cast<int>(index) + 1;
        const bool endsHere = inputs.end <= period.EndDate || index + 1 == count;
        const Date from = std::max(inputs.start, period.StartDate - std::chrono::days{1});
        const Date to = endsHere ? inputs.end : period.EndDate;
        if (from < to && !builder.emit(number, period, from, to)) {
            return;
        }
        if (endsHere) {
            return;
        }
    }
}

// The slicing relies on periods that follow one another day by day. A list file made
// or changed outside the program may not, and would give negative or doubled days.
std::optional<RunTimeError> brokenSequence(const RateList& list) {
    for (std::size_t index = 0; index < list.Periods.size(); ++index) {
        const RatePeriod& period = list.Periods[index];
        const bool follows = index == 0 || period.StartDate == list.Periods[index - 1].EndDate +
                                                                   std::chrono::days{1};
        if (period.StartDate > period.EndDate || !follows) {
            return errors::make(errors::InvalidFileFormat,
                                "Faiz listesinin dönemleri birbirini gün gün izlemiyor (" +
                                    std::to_string(index + 1) + ". dönem).");
        }
    }
    return std::nullopt;
}

// Set when the last period's row ran past the list's end.
std::optional<RunOnPastListEnd> runOnPastListEnd(const RateList& list, const Inputs& inputs,
                                                 const Calculation& calculation) {
    const RatePeriod& last = list.Periods.back();
    const bool lastRowShown =
        !calculation.rows.empty() &&
        calculation.rows.back().PeriodNumber == static_cast<int>(list.Periods.size());
    if (!lastRowShown || inputs.end <= last.EndDate) {
        return std::nullopt;
    }
    const Date countedFrom = std::max(inputs.start, last.EndDate);
    const Date firstUncovered = std::max(inputs.start, last.EndDate + std::chrono::days{1});
    return RunOnPastListEnd{last.EndDate, last.Rate, firstUncovered,
                            static_cast<int>((inputs.end - countedFrom).count()),
                            rates::endsWhereRatesWereChecked(list.Periods)};
}

} // namespace

std::int32_t dayCountDivisor(bool yearIs360Days) {
    return yearIs360Days ? Divisor360 : Divisor365;
}

double rawAmount(double principal, double rate, std::int32_t divisor, int days) {
    const double perDay = (principal * rate) / static_cast<double>(divisor);
    return perDay * static_cast<double>(days);
}

Outcome calculate(const RateList& list, const Inputs& inputs,
                  const std::function<void(const InterestRow&)>& onRow) {
    if (list.Periods.empty()) {
        Calculation calculation;
        calculation.failure = errors::make(errors::SubscriptOutOfRange);
        return calculation;
    }
    if (std::optional<RunTimeError> broken = brokenSequence(list)) {
        Calculation calculation;
        calculation.failure = std::move(broken);
        return calculation;
    }
    if (std::optional<Rejection> rejection = validate(list, inputs)) {
        return *std::move(rejection);
    }
    // The checks passed, so the principal is an amount of at most 15 significant digits.
    const std::optional<Decimal> principal = decimalOf(*text::parseAmount(inputs.principalText));
    RowBuilder builder(principal.value_or(Decimal{}), inputs.divisor, onRow);
    slice(list, inputs, builder);
    Calculation calculation = builder.take();
    calculation.ranPastListEnd = runOnPastListEnd(list, inputs, calculation);
    return calculation;
}

} // namespace mirvane::interest
