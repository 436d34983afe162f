#include "core/claim/ClaimEngine.h"

#include "core/claim/FixedRateNotice.h"
#include "core/interest/Breakdown.h"
#include "core/interest/ExactInterest.h"
#include "core/interest/InterestEngine.h"
#include "core/rates/Recognition.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <numeric>

namespace mirvane::claim {

namespace {

// A slice's interest beyond this (10^15 TL, in kuruş) is no figure a claim can carry.
constexpr Kurus MaxSliceInterest = 100'000'000'000'000'000;

struct TooLarge {
    std::string field;
};

// `field` is only called when the sum overflows: building the name for every slice
// would cost more than the sum.
template <class Field> Kurus add(Kurus a, Kurus b, Field field) {
    Kurus sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        throw TooLarge{field()};
    }
    return sum;
}

auto itemNamed(std::size_t index) {
    return [index] {
        return itemField(index);
    };
}

auto named(const char* field) {
    return [field] {
        return std::string(field);
    };
}

// A principal item as the calculation walks it.
struct Running {
    std::size_t index = 0; // in the file
    Date start;            // interest start: not counted
    Date accruedTo;        // interest is accrued up to and including this day
    Kurus principal = 0;
    Kurus unpaidInterest = 0;
    Kurus interest = 0;
    const std::vector<RatePeriod>* periods = nullptr; // null for a fixed rate
    double fixedRate = 0.0;
    std::size_t period = 0; // the period holding the day after accruedTo
    std::vector<Slice> slices;
};

// A cost or fee item.
struct Charge {
    std::size_t index = 0;
    Bucket bucket = Bucket::Costs;
    Date due;
    Kurus remaining = 0;
};

class Calculation {
public:
    Calculation(const ClaimFile& file, std::vector<Date> cuts)
        : file_(file), divisor_(interest::dayCountDivisor(file.dayBasis == 360)),
          cuts_(std::move(cuts)) {
        std::sort(cuts_.begin(), cuts_.end());
        for (std::size_t index = 0; index < file.items.size(); ++index) {
            const Item& item = file.items[index];
            if (item.kind == ItemKind::Principal) {
                principals_.push_back(running(index, item));
            } else {
                charges_.push_back({index,
                                    item.kind == ItemKind::Costs ? Bucket::Costs : Bucket::Fee,
                                    *item.date, item.amount});
            }
        }
        if (file.filingDate && *file.filingDate <= file.calculationDate) {
            filing_ = file.filingDate;
        }
    }

    ClaimResult run() {
        std::vector<std::size_t> order(file_.payments.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return file_.payments[a].date < file_.payments[b].date;
        });
        bool filingTaken = false;
        for (std::size_t at = 0; at < order.size(); ++at) {
            const Date date = file_.payments[order[at]].date;
            if (filing_ && !filingTaken && date > *filing_) {
                takeFilingTotal();
                filingTaken = true;
            }
            if (at == 0 || date != file_.payments[order[at - 1]].date) {
                accrueAll(date);
            }
            setOff(order[at]);
        }
        if (filing_ && !filingTaken) {
            takeFilingTotal();
        }
        accrueAll(file_.calculationDate);
        return finish();
    }

private:
    Running running(std::size_t index, const Item& item) const {
        Running state;
        state.index = index;
        state.start = *item.interestStart;
        state.accruedTo = state.start;
        state.principal = item.amount;
        if (const auto* list = std::get_if<ListRate>(&item.rate)) {
            state.periods = &file_.lists.at(list->name);
        } else {
            state.fixedRate = std::get<FixedRate>(item.rate).percent;
        }
        // At most one slice per payment, period and the filing date, and one to end on.
        state.slices.reserve(file_.payments.size() + (state.periods ? state.periods->size() : 0) +
                             2);
        return state;
    }

    void accrueAll(Date to) {
        for (Running& item : principals_) {
            accrue(item, to);
        }
    }

    // Cuts the interest from item.accruedTo to `to` at period ends and the filing date.
    void accrue(Running& item, Date to) {
        while (item.accruedTo < to) {
            const Date from = item.accruedTo;
            Date cut = to;
            if (filing_ && from < *filing_ && *filing_ < cut) {
                cut = *filing_;
            }
            const auto next = std::upper_bound(cuts_.begin(), cuts_.end(), from);
            if (next != cuts_.end() && *next < cut) {
                cut = *next;
            }
            double rate = item.fixedRate;
            if (item.periods) {
                const std::vector<RatePeriod>& periods = *item.periods;
                while (item.period + 1 < periods.size() && periods[item.period].EndDate <= from) {
                    ++item.period;
                }
                const RatePeriod& period = periods[item.period];
                if (item.period + 1 < periods.size() && period.EndDate < cut) {
                    cut = period.EndDate;
                }
                rate = period.Rate;
            }
            emit(item, from, cut, rate);
            item.accruedTo = cut;
        }
    }

    void emit(Running& item, Date from, Date to, double rate) {
        const auto days = (to - from).count();
        // The rate as the slice shows it; the principal is whole kuruş.
        const std::optional<interest::Decimal> exactRate = interest::decimalOf(rate);
        const std::optional<Kurus> rounded =
            exactRate ? interest::interestCents(interest::decimalOfCents(item.principal),
                                                *exactRate, days, divisor_)
                      : std::nullopt;
        if (!rounded || *rounded > MaxSliceInterest || *rounded < -MaxSliceInterest) {
            throw TooLarge{itemField(item.index)};
        }
        const Kurus amount = *rounded;
        item.interest = add(item.interest, amount, itemNamed(item.index));
        item.unpaidInterest = add(item.unpaidInterest, amount, itemNamed(item.index));
        const bool afterFiling = filing_ && from >= *filing_;
        item.slices.push_back({static_cast<int>(item.index) + 1, from, to, rate, days,
                               item.principal, amount, afterFiling});
    }

    static Kurus take(Kurus& left, Kurus& owed) {
        const Kurus paid = std::min(left, owed);
        left -= paid;
        owed -= paid;
        return paid;
    }

    Kurus payCharges(Bucket bucket, Date date, Kurus& left) {
        Kurus paid = 0;
        for (Charge& charge : charges_) {
            if (charge.bucket == bucket && charge.due <= date) {
                paid += take(left, charge.remaining);
            }
        }
        return paid;
    }

    void setOff(std::size_t index) {
        const Payment& payment = file_.payments[index];
        SetOff entry;
        entry.payment = static_cast<int>(index) + 1;
        entry.date = payment.date;
        entry.amount = payment.amount;
        Kurus left = payment.amount;
        for (const Bucket bucket : file_.setOffOrder) {
            switch (bucket) {
            case Bucket::Costs:
                entry.costs = payCharges(Bucket::Costs, payment.date, left);
                break;
            case Bucket::Fee:
                entry.fee = payCharges(Bucket::Fee, payment.date, left);
                break;
            case Bucket::Interest:
                for (Running& item : principals_) {
                    entry.interest += take(left, item.unpaidInterest);
                }
                break;
            case Bucket::Principal:
                for (Running& item : principals_) {
                    entry.principal += take(left, item.principal);
                }
                break;
            }
        }
        entry.overpaid = left;
        entry.remainingPrincipal = remainingPrincipal();
        overpaid_ = add(overpaid_, left, [index] { return paymentField(index); });
        setOffs_.push_back(entry);
    }

    Kurus remainingPrincipal() const {
        Kurus sum = 0;
        for (const Running& item : principals_) {
            sum += item.principal; // bounded by MaxItems * MaxAmount
        }
        return sum;
    }

    Kurus unpaidInterest() const {
        Kurus sum = 0;
        for (const Running& item : principals_) {
            sum = add(sum, item.unpaidInterest, named("kalemler"));
        }
        return sum;
    }

    void takeFilingTotal() {
        accrueAll(*filing_);
        Kurus total = add(remainingPrincipal(), unpaidInterest(), named("kalemler"));
        for (const Charge& charge : charges_) {
            if (charge.due < *filing_) {
                total = add(total, charge.remaining, itemNamed(charge.index));
            }
        }
        filingTotal_ = total;
    }

    std::vector<StaleList> staleLists() const {
        std::vector<StaleList> stale;
        for (const Running& item : principals_) {
            if (!item.periods || item.start >= file_.calculationDate) {
                continue;
            }
            const std::string& name = std::get<ListRate>(file_.items[item.index].rate).name;
            const RatePeriod& last = item.periods->back();
            const bool known = std::any_of(stale.begin(), stale.end(),
                                           [&](const StaleList& s) { return s.name == name; });
            if (file_.calculationDate > last.EndDate && !known) {
                stale.push_back({name, last.EndDate, last.Rate,
                                 rates::endsWhereRatesWereChecked(*item.periods)});
            }
        }
        return stale;
    }

    ClaimResult finish() {
        ClaimResult result;
        result.remainingPrincipal = remainingPrincipal();
        result.unpaidInterest = unpaidInterest();
        result.items.resize(file_.items.size());
        for (Running& item : principals_) {
            result.items[item.index] = {static_cast<int>(item.index) + 1,
                                        ItemKind::Principal,
                                        file_.items[item.index].amount,
                                        item.principal,
                                        item.interest,
                                        item.unpaidInterest};
            for (const Slice& slice : item.slices) {
                Kurus& bucket =
                    slice.afterFiling ? result.interestAfterFiling : result.interestBeforeFiling;
                bucket = add(bucket, slice.interest, itemNamed(item.index));
            }
        }
        for (const Charge& charge : charges_) {
            const Item& item = file_.items[charge.index];
            result.items[charge.index] = {
                static_cast<int>(charge.index) + 1, item.kind, item.amount, charge.remaining, 0, 0};
            Kurus& unpaid = charge.bucket == Bucket::Costs ? result.unpaidCosts : result.unpaidFee;
            unpaid = add(unpaid, charge.remaining, itemNamed(charge.index));
        }
        result.balance =
            add(add(result.remainingPrincipal, result.unpaidInterest, named("kalemler")),
                add(result.unpaidCosts, result.unpaidFee, named("kalemler")), named("kalemler"));
        result.overpaid = overpaid_;
        result.filingTotal = filingTotal_;
        result.setOffs = std::move(setOffs_);
        std::size_t slices = 0;
        for (const Running& item : principals_) {
            slices += item.slices.size();
        }
        result.slices.reserve(slices);
        for (const Running& item : principals_) {
            result.slices.insert(result.slices.end(), item.slices.begin(), item.slices.end());
        }
        result.staleLists = staleLists();
        result.notices = notices(result);
        result.notes = notes(result);
        return result;
    }

    // Dates that are most likely typing errors: the calculation takes them as they
    // stand, and the user learns which item or payment to look at.
    void dateNotices(std::vector<std::string>& texts) const {
        std::optional<Date> firstStart;
        for (const Running& item : principals_) {
            firstStart = firstStart ? std::min(*firstStart, item.start) : item.start;
            if (item.start <= file_.calculationDate) {
                continue;
            }
            const std::string& description = file_.items[item.index].description;
            texts.push_back("Uyarı: " + std::to_string(item.index + 1) + ". kalemin" +
                            (description.empty() ? "" : " (" + description + ")") +
                            " faiz başlangıcı (" + text::formatDate(item.start) +
                            ") hesap tarihinden (" + text::formatDate(file_.calculationDate) +
                            ") sonra; bu kaleme faiz işlemedi. Tarihi denetleyin.");
        }
        for (std::size_t index = 0; index < file_.payments.size(); ++index) {
            const Payment& payment = file_.payments[index];
            if (!firstStart || payment.date >= *firstStart) {
                continue;
            }
            texts.push_back("Uyarı: " + std::to_string(index + 1) + ". ödemenin tarihi (" +
                            text::formatDate(payment.date) + "; " +
                            text::formatCents(payment.amount) + " TL" +
                            (payment.description.empty() ? "" : "; " + payment.description) +
                            ") bütün faiz başlangıçlarından önce; ödeme ana paradan baştan "
                            "düşüldü. Tarihi denetleyin.");
        }
    }

    std::vector<std::string> notes(const ClaimResult& result) const {
        std::vector<std::string> texts;
        const bool severalLists = listsUsed(file_).size() > 1;
        for (const StaleList& stale : result.staleLists) {
            if (stale.checkedToListEnd) {
                std::string note = breakdown::checkedRatesNote(stale.listEnd, stale.rate);
                if (severalLists) {
                    note.insert(note.size() - 1, " (\"" + stale.name + "\")");
                }
                texts.push_back(std::move(note));
            }
        }
        return texts;
    }

    std::vector<std::string> notices(const ClaimResult& result) const {
        std::vector<std::string> texts;
        dateNotices(texts);
        for (const StaleList& stale : result.staleLists) {
            if (stale.checkedToListEnd) {
                continue;
            }
            texts.push_back("Uyarı: \"" + stale.name + "\" listesi " +
                            text::formatDate(stale.listEnd) +
                            " tarihinde bitiyor; sonrası için son dönemin oranı (%" +
                            text::formatGeneralNumber(stale.rate) +
                            ") uygulandı. Oranlar değiştiyse listeyi güncelleyin.");
        }
        if (file_.filingDate && !filing_) {
            texts.push_back("Uyarı: Takip tarihi hesap tarihinden sonra; bütün faiz işlemiş faiz "
                            "sayıldı, takip tutarı hesaplanmadı.");
        }
        if (result.overpaid > 0) {
            texts.push_back("Uyarı: Ödemelerden " + text::formatCents(result.overpaid) +
                            " TL borçtan fazla ödendi (fazla ödeme).");
        }
        return texts;
    }

    const ClaimFile& file_;
    std::int32_t divisor_;
    std::optional<Date> filing_; // the filing date when it lies within the calculation
    std::vector<Date> cuts_;     // ascending
    std::vector<Running> principals_;
    std::vector<Charge> charges_;
    std::vector<SetOff> setOffs_;
    Kurus overpaid_ = 0;
    std::optional<Kurus> filingTotal_;
};

} // namespace

ClaimOutcome compute(const ClaimFile& file) {
    return compute(file, {});
}

ClaimOutcome compute(const ClaimFile& file, const std::vector<Date>& cuts) {
    if (std::optional<Refusal> refusal = validate(file)) {
        return *std::move(refusal);
    }
    try {
        ClaimResult result = Calculation(file, cuts).run();
        for (std::string& notice : fixedRateNotices(file)) {
            result.notices.push_back(std::move(notice));
        }
        return result;
    } catch (const TooLarge& overflow) {
        return Refusal{overflow.field, overflow.field + ": Tutarlar hesaplanamayacak kadar büyük."};
    }
}

} // namespace mirvane::claim
