#include "core/plan/PaymentPlan.h"

#include "core/deadline/Calendar.h"
#include "core/deadline/LastDay.h"
#include "core/ratelist/OleDate.h"
#include "core/span/DateSpan.h"
#include "core/text/NumberWords.h"
#include "core/text/TextForms.h"

#include <algorithm>

namespace mirvane::plan {

namespace {

using claim::Refusal;

Refusal refuse(std::string field, const std::string& text) {
    std::string message = field + ": " + text;
    return Refusal{std::move(field), std::move(message)};
}

bool inCalendar(Date date) {
    return date >= Date{oledate::Earliest} && date <= Date{oledate::Latest};
}

std::string ordinal(int number) {
    return std::to_string(number) + ".";
}

std::optional<Refusal> checkAmounts(const claim::Undertaking& terms) {
    if (terms.downPayment < 0) {
        return refuse("taahhut.pesinat", "Peşinat sıfırdan küçük olamaz.");
    }
    if (terms.downPayment > claim::MaxAmount) {
        return refuse("taahhut.pesinat", "Tutar en fazla 10.000.000.000.000,00 TL olabilir.");
    }
    if (terms.amounts.empty()) {
        return std::nullopt;
    }
    if (terms.amounts.size() != static_cast<std::size_t>(terms.count)) {
        return refuse("taahhut.tutarlar", "Taksit sayısı " + std::to_string(terms.count) +
                                              ", girilen tutar sayısı " +
                                              std::to_string(terms.amounts.size()) +
                                              ": her taksit için bir tutar olmalı.");
    }
    for (std::size_t index = 0; index < terms.amounts.size(); ++index) {
        const Kurus amount = terms.amounts[index];
        const std::string field = "taahhut.tutarlar[" + std::to_string(index + 1) + "]";
        if (amount <= 0) {
            return refuse(field, "Tutar sıfırdan büyük olmalı.");
        }
        if (amount > claim::MaxAmount) {
            return refuse(field, "Tutar en fazla 10.000.000.000.000,00 TL olabilir.");
        }
    }
    return std::nullopt;
}

std::optional<Refusal> checkTerms(const claim::ClaimFile& file, const claim::Undertaking& terms) {
    if (terms.count < 1 || terms.count > claim::MaxInstalments) {
        return refuse("taahhut.taksit_sayisi", "Taksit sayısı 1 ile " +
                                                   std::to_string(claim::MaxInstalments) +
                                                   " arasında olmalı.");
    }
    for (const auto& [field, date] :
         {std::pair{"taahhut.tarih", terms.date}, std::pair{"taahhut.ilk_vade", terms.firstDue}}) {
        if (!inCalendar(date)) {
            return refuse(field, "Tarih 01.01.1601 ile 31.12.9999 arasında olmalı.");
        }
    }
    if (terms.firstDue <= terms.date) {
        return refuse("taahhut.ilk_vade", "İlk vade, taahhüt tarihinden (" +
                                              text::formatDate(terms.date) + ") sonra olmalı.");
    }
    if (auto refusal = checkAmounts(terms)) {
        return refusal;
    }
    if (file.filingDate && terms.date < *file.filingDate) {
        return refuse("taahhut.tarih", "Taahhüt tarihi takip tarihinden (" +
                                           text::formatDate(*file.filingDate) + ") önce olamaz.");
    }
    for (std::size_t index = 0; index < file.payments.size(); ++index) {
        if (file.payments[index].date > terms.date) {
            return refuse("taahhut.tarih", "Taahhüt tarihi, dosyadaki " + ordinal(int(index) + 1) +
                                               " ödemenin tarihinden (" +
                                               text::formatDate(file.payments[index].date) +
                                               ") önce olamaz.");
        }
    }
    for (std::size_t index = 0; index < file.items.size(); ++index) {
        const claim::Item& item = file.items[index];
        if (item.kind != claim::ItemKind::Principal && item.date && *item.date > terms.date) {
            return refuse("taahhut.tarih", "Taahhüt tarihi, " + ordinal(int(index) + 1) +
                                               " kalemin tarihinden (" +
                                               text::formatDate(*item.date) + ") önce olamaz.");
        }
    }
    return std::nullopt;
}

// The due dates, each with the working day it moves to and the notices of the
// calendar (a religious holiday the program does not know, a half day).
struct DueDate {
    Date scheduled;
    Date due;
    std::string reason;
    std::vector<std::string> notices;
};

std::vector<DueDate> dueDates(const std::vector<Date>& scheduled) {
    std::vector<DueDate> dates;
    for (const Date date : scheduled) {
        const deadline::LastDay moved = deadline::lastDay(date, deadline::Procedure::Iik, false);
        std::string reason;
        for (const deadline::Step& step : moved.steps) {
            reason += (reason.empty() ? "" : "; ") + step.reason;
        }
        dates.push_back({date, moved.date, std::move(reason), moved.notices});
    }
    return dates;
}

// The claim computed with the plan's payments: the down payment on T and the
// instalments on their due dates, to the last due date, cut at T.
class Calculator {
public:
    Calculator(const claim::ClaimFile& file, const claim::Undertaking& terms,
               const std::vector<DueDate>& dates)
        : file_(file), terms_(terms), dates_(dates) {
        file_.calculationDate = dates.back().due;
        file_.undertaking.reset();
        if (terms.downPayment > 0) {
            file_.payments.push_back({terms.date, terms.downPayment, "Peşinat"});
        }
        filePayments_ = file_.payments.size();
    }

    // The first amounts.size() instalments paid with these amounts.
    claim::ClaimOutcome run(const std::vector<Kurus>& amounts) {
        file_.payments.resize(filePayments_);
        for (std::size_t index = 0; index < amounts.size(); ++index) {
            file_.payments.push_back(
                {dates_[index].due, amounts[index], ordinal(int(index) + 1) + " taksit"});
        }
        return claim::compute(file_, {terms_.date});
    }

    // Which instalment a payment of the calculation is (from 1), 0 for the down
    // payment, nullopt for a payment of the file.
    std::optional<int> instalmentOf(int payment) const {
        const auto ownPayments = static_cast<int>(filePayments_) - (terms_.downPayment > 0);
        if (payment <= ownPayments) {
            return std::nullopt;
        }
        return payment - static_cast<int>(filePayments_);
    }

private:
    claim::ClaimFile file_;
    const claim::Undertaking& terms_;
    const std::vector<DueDate>& dates_;
    std::size_t filePayments_ = 0; // the file's payments and the down payment
};

Debt debtAt(const claim::ClaimFile& file, const claim::ClaimResult& result, Date date) {
    Debt debt;
    debt.date = date;
    for (const claim::ItemBalance& balance : result.items) {
        const claim::Item& item = file.items[std::size_t(balance.item) - 1];
        if (balance.kind != claim::ItemKind::Principal) {
            continue;
        }
        debt.items.push_back({balance.item, balance.kind, item.description, balance.remaining});
        Kurus before = 0;
        for (const claim::Slice& slice : result.slices) {
            if (slice.item == balance.item && !slice.afterFiling) {
                before += slice.interest;
            }
        }
        // Payments took the oldest interest first: what they paid comes off the
        // interest before filing before it reaches the interest after it.
        const Kurus paid = balance.interest - balance.unpaidInterest;
        const Kurus unpaidBefore = std::max<Kurus>(0, before - paid);
        debt.interestBeforeFiling += unpaidBefore;
        debt.interestAfterFiling += balance.unpaidInterest - unpaidBefore;
    }
    for (const claim::ItemBalance& balance : result.items) {
        debt.hasCharges = debt.hasCharges || balance.kind != claim::ItemKind::Principal;
        if (balance.kind != claim::ItemKind::Principal && balance.remaining > 0) {
            debt.items.push_back({balance.item, balance.kind,
                                  file.items[std::size_t(balance.item) - 1].description,
                                  balance.remaining});
        }
    }
    debt.principal = result.remainingPrincipal;
    debt.costs = result.unpaidCosts;
    debt.fee = result.unpaidFee;
    debt.total = result.balance;
    return debt;
}

// The smallest whole-kuruş amount A for the first N−1 instalments such that what is
// left on the last due date is at most A. What is left falls as A grows, so the
// search halves the range between an A that leaves too much and one that does not.
struct EqualAmounts {
    Kurus first = 0;
    Kurus last = 0;
};

std::variant<Refusal, EqualAmounts> equalAmounts(Calculator& calculator, int count) {
    const auto leftWith = [&](Kurus amount) -> std::variant<Refusal, Kurus> {
        const std::vector<Kurus> amounts(amount > 0 ? std::size_t(count - 1) : 0, amount);
        claim::ClaimOutcome outcome = calculator.run(amounts);
        if (auto* refusal = std::get_if<Refusal>(&outcome)) {
            return std::move(*refusal);
        }
        return std::get<claim::ClaimResult>(outcome).balance;
    };
    std::variant<Refusal, Kurus> unpaid = leftWith(0);
    if (auto* refusal = std::get_if<Refusal>(&unpaid)) {
        return std::move(*refusal);
    }
    const Kurus everything = std::get<Kurus>(unpaid);
    if (everything <= 0) {
        return refuse("taahhut.pesinat", "Peşinat borcun tamamını karşılıyor; taksit kalmıyor.");
    }
    if (count == 1) {
        return EqualAmounts{everything, everything};
    }
    // Paying nothing leaves too much; paying everything each time leaves at most that.
    Kurus tooSmall = 0;
    Kurus enough = everything;
    std::variant<Refusal, Kurus> atEnough = leftWith(enough);
    if (auto* refusal = std::get_if<Refusal>(&atEnough)) {
        return std::move(*refusal);
    }
    Kurus leftAtEnough = std::get<Kurus>(atEnough);
    while (enough - tooSmall > 1) {
        const Kurus middle = tooSmall + (enough - tooSmall) / 2;
        std::variant<Refusal, Kurus> left = leftWith(middle);
        if (auto* refusal = std::get_if<Refusal>(&left)) {
            return std::move(*refusal);
        }
        if (std::get<Kurus>(left) <= middle) {
            enough = middle;
            leftAtEnough = std::get<Kurus>(left);
        } else {
            tooSmall = middle;
        }
    }
    if (leftAtEnough <= 0) {
        return refuse("taahhut.taksit_sayisi",
                      "Borç " + std::to_string(count) +
                          " taksite bölünemeyecek kadar küçük; taksit sayısını azaltın.");
    }
    return EqualAmounts{enough, leftAtEnough};
}

Kurus interestBetween(const claim::ClaimResult& result, Date after, Date upTo) {
    Kurus sum = 0;
    for (const claim::Slice& slice : result.slices) {
        if (slice.start >= after && slice.end <= upTo) {
            sum += slice.interest;
        }
    }
    return sum;
}

void addNotice(std::vector<std::string>& notices, std::string text) {
    if (std::find(notices.begin(), notices.end(), text) == notices.end()) {
        notices.push_back(std::move(text));
    }
}

std::string instalmentName(const Instalment& instalment) {
    return instalment.number == 0 ? std::string("Peşinat") : ordinal(instalment.number) + " taksit";
}

class PlanBuilder {
public:
    PlanBuilder(const claim::ClaimFile& file, const claim::Undertaking& terms)
        : file_(file), terms_(terms) {}

    PlanOutcome build() {
        if (auto refusal = checkTerms(file_, terms_)) {
            return *std::move(refusal);
        }
        const std::vector<Date> scheduled = scheduledDates(terms_);
        if (scheduled.empty()) {
            return refuse("taahhut.ilk_vade",
                          "Son taksitin vadesi 31.12.9999'dan sonraya düşüyor.");
        }
        dates_ = dueDates(scheduled);

        claim::ClaimFile atT = file_;
        atT.calculationDate = terms_.date;
        atT.undertaking.reset();
        claim::ClaimOutcome debtOutcome = claim::compute(atT);
        if (auto* refusal = std::get_if<Refusal>(&debtOutcome)) {
            return std::move(*refusal);
        }
        atT_ = std::get<claim::ClaimResult>(std::move(debtOutcome));
        plan_.terms = terms_;
        plan_.debt = debtAt(file_, atT_, terms_.date);
        if (plan_.debt.total <= 0) {
            return refuse("taahhut.tarih", "Taahhüt tarihinde (" + text::formatDate(terms_.date) +
                                               ") ödenecek borç kalmıyor.");
        }

        Calculator calculator(file_, terms_, dates_);
        std::vector<Kurus> amounts = terms_.amounts;
        plan_.equal = amounts.empty();
        if (plan_.equal) {
            auto equal = equalAmounts(calculator, terms_.count);
            if (auto* refusal = std::get_if<Refusal>(&equal)) {
                return std::move(*refusal);
            }
            const auto [first, last] = std::get<EqualAmounts>(equal);
            amounts.assign(std::size_t(terms_.count - 1), first);
            amounts.push_back(last);
        }
        claim::ClaimOutcome outcome = calculator.run(amounts);
        if (auto* refusal = std::get_if<Refusal>(&outcome)) {
            return std::move(*refusal);
        }
        plan_.calculation = std::get<claim::ClaimResult>(std::move(outcome));
        fillInstalments(calculator);
        if (plan_.equal && (plan_.overpaid != 0 || plan_.unpaidAtEnd != 0)) {
            return refuse("taahhut.taksit_sayisi",
                          "Borç " + std::to_string(terms_.count) +
                              " taksite bölünemeyecek kadar küçük; taksit sayısını azaltın.");
        }
        fillNotices();
        return std::move(plan_);
    }

private:
    void fillInstalments(const Calculator& calculator) {
        const claim::ClaimResult& result = plan_.calculation;
        Kurus unpaidInterest = atT_.unpaidInterest;
        Date previous = terms_.date;
        for (const claim::SetOff& setOff : result.setOffs) {
            const std::optional<int> number = calculator.instalmentOf(setOff.payment);
            if (!number) {
                continue;
            }
            Instalment instalment;
            instalment.number = *number;
            if (*number == 0) {
                instalment.scheduled = instalment.due = terms_.date;
            } else {
                const DueDate& date = dates_[std::size_t(*number) - 1];
                instalment.scheduled = date.scheduled;
                instalment.due = date.due;
                instalment.reason = date.reason;
            }
            instalment.amount = setOff.amount;
            instalment.interest = interestBetween(result, previous, instalment.due);
            instalment.costs = setOff.costs;
            instalment.fee = setOff.fee;
            instalment.interestPaid = setOff.interest;
            instalment.principal = setOff.principal;
            instalment.overpaid = setOff.overpaid;
            instalment.remainingPrincipal = setOff.remainingPrincipal;
            unpaidInterest += instalment.interest - instalment.interestPaid;
            instalment.unpaidInterest = unpaidInterest;
            previous = instalment.due;
            plan_.total += instalment.amount;
            plan_.interestAfterUndertaking += instalment.interest;
            (*number == 0 ? plan_.downPayment.emplace() : plan_.instalments.emplace_back()) =
                std::move(instalment);
        }
        plan_.totalInWords = text::amountInWords(plan_.total);
        plan_.unpaidAtEnd = result.balance;
        plan_.overpaid = result.overpaid - atT_.overpaid;
    }

    void fillNotices() {
        std::vector<std::string>& notices = plan_.notices;
        for (const std::string& notice : atT_.notices) {
            addNotice(notices, notice);
        }
        if (!file_.filingDate) {
            addNotice(notices, "Dosyada takip tarihi yok: ödenmemiş faizin tamamı takipten önceki "
                               "faiz olarak gösterildi.");
        }
        for (const Instalment& instalment : plan_.instalments) {
            if (!instalment.reason.empty()) {
                addNotice(notices, instalmentName(instalment) + ": " +
                                       deadline::dateWithWeekday(instalment.scheduled) +
                                       " iş günü değil (" + instalment.reason + "); vade " +
                                       deadline::dateWithWeekday(instalment.due) + " oldu.");
            }
            for (const std::string& notice : dates_[std::size_t(instalment.number) - 1].notices) {
                addNotice(notices, instalmentName(instalment) + ": " + notice);
            }
        }
        for (const claim::StaleList& stale : plan_.calculation.staleLists) {
            const bool knownAtT =
                std::any_of(atT_.staleLists.begin(), atT_.staleLists.end(),
                            [&](const claim::StaleList& s) { return s.name == stale.name; });
            if (!knownAtT) {
                addNotice(notices, "Uyarı: \"" + stale.name + "\" listesi " +
                                       text::formatDate(stale.listEnd) +
                                       " tarihinde bitiyor, son vade " +
                                       text::formatDate(dates_.back().due) +
                                       "; sonrası için son dönemin oranı (%" +
                                       text::formatGeneralNumber(stale.rate) +
                                       ") uygulandı. Oran değişirse taksitlerin faizi değişir.");
            }
        }
        std::vector<const Instalment*> payments;
        if (plan_.downPayment) {
            payments.push_back(&*plan_.downPayment);
        }
        for (const Instalment& instalment : plan_.instalments) {
            payments.push_back(&instalment);
        }
        for (const Instalment* payment : payments) {
            if (payment->unpaidInterest > 0) {
                addNotice(notices, "Uyarı: " + instalmentName(*payment) + " (" +
                                       text::formatCents(payment->amount) +
                                       " TL) o güne kadar işleyen faizi karşılamıyor; " +
                                       text::formatCents(payment->unpaidInterest) +
                                       " TL faiz ödenmemiş kalıyor.");
            }
        }
        if (plan_.unpaidAtEnd > 0) {
            addNotice(notices, "Uyarı: Son taksitten sonra " +
                                   text::formatCents(plan_.unpaidAtEnd) +
                                   " TL borç ödenmemiş kalıyor.");
        }
        if (plan_.overpaid > 0) {
            addNotice(notices, "Uyarı: Taksitler borçtan " + text::formatCents(plan_.overpaid) +
                                   " TL fazla (fazla ödeme).");
        }
    }

    const claim::ClaimFile& file_;
    const claim::Undertaking& terms_;
    std::vector<DueDate> dates_;
    claim::ClaimResult atT_;
    Plan plan_;
};

} // namespace

std::vector<Date> scheduledDates(const claim::Undertaking& terms) {
    std::vector<Date> dates;
    const span::Unit unit =
        terms.interval == claim::PlanInterval::Week ? span::Unit::Week : span::Unit::Month;
    for (int k = 0; k < terms.count; ++k) {
        const Result<Date> date = span::advance(terms.firstDue, unit, k);
        if (!date) {
            return {};
        }
        dates.push_back(date.value());
    }
    return dates;
}

PlanOutcome makePlan(const claim::ClaimFile& file, const claim::Undertaking& terms) {
    return PlanBuilder(file, terms).build();
}

} // namespace mirvane::plan
