#include "core/plan/PaymentPlan.h"

#include "core/claim/ClaimExample.h"
#include "core/deadline/Calendar.h"
#include "core/plan/PlanTexts.h"
#include "core/rates/ReadyLists.h"
#include "core/text/NumberWords.h"
#include "core/text/TextForms.h"

#include <gtest/gtest.h>
#include <random>

namespace mirvane::plan {
namespace {

using namespace std::chrono;
using claim::ClaimFile;
using claim::PlanInterval;
using claim::Undertaking;

Date day(const char* text) {
    const auto date = text::parseDate(text);
    EXPECT_TRUE(date.has_value()) << text;
    return date.value_or(Date{});
}

Undertaking terms(const char* date, int count, const char* firstDue,
                  PlanInterval interval = PlanInterval::Month) {
    Undertaking terms;
    terms.date = day(date);
    terms.count = count;
    terms.firstDue = day(firstDue);
    terms.interval = interval;
    return terms;
}

// The worked example: 6 equal monthly instalments from 31.01.2025, undertaken on 31.12.2024.
Undertaking workedTerms() {
    return terms("31.12.2024", 6, "31.01.2025");
}

Plan planned(const ClaimFile& file, const Undertaking& undertaking) {
    PlanOutcome outcome = makePlan(file, undertaking);
    if (const auto* refusal = std::get_if<claim::Refusal>(&outcome)) {
        ADD_FAILURE() << refusal->message;
        return {};
    }
    return std::get<Plan>(std::move(outcome));
}

std::string refusedField(const ClaimFile& file, const Undertaking& undertaking) {
    const PlanOutcome outcome = makePlan(file, undertaking);
    const auto* refusal = std::get_if<claim::Refusal>(&outcome);
    if (!refusal) {
        return "(not refused)";
    }
    EXPECT_EQ(refusal->message.rfind(refusal->field + ": ", 0), 0u) << refusal->message;
    return refusal->field;
}

TEST(PaymentPlanWorkedExample, DebtAtTheUndertaking) {
    const Plan plan = planned(claim::workedExample(), workedTerms());
    const Debt& debt = plan.debt;
    EXPECT_EQ(debt.date, day("31.12.2024"));
    EXPECT_EQ(debt.total, 5'729'094);
    EXPECT_EQ(debt.principal, 5'405'644);
    EXPECT_EQ(debt.interestBeforeFiling, 0); // paid by the first payment
    EXPECT_EQ(debt.interestAfterFiling, 323'450);
    EXPECT_EQ(debt.costs, 0);
    EXPECT_EQ(debt.fee, 0);
    // The principal item only: costs and fee are paid.
    ASSERT_EQ(debt.items.size(), 1u);
    EXPECT_EQ(debt.items[0].item, 1);
    EXPECT_EQ(debt.items[0].remaining, 5'405'644);
}

TEST(PaymentPlanWorkedExample, DueDatesOnWorkingDays) {
    const Plan plan = planned(claim::workedExample(), workedTerms());
    struct Expected {
        const char* due;
        const char* weekday;
        const char* reason;
    };
    const std::vector<Expected> expected{
        {"31.01.2025", "Cuma", ""},
        {"28.02.2025", "Cuma", ""},
        {"02.04.2025", "Çarşamba", "31.03.2025 Ramazan Bayramı"},
        {"30.04.2025", "Çarşamba", ""},
        {"02.06.2025", "Pazartesi", "31.05.2025 Cumartesi"},
        {"30.06.2025", "Pazartesi", ""},
    };
    ASSERT_EQ(plan.instalments.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Instalment& instalment = plan.instalments[i];
        EXPECT_EQ(instalment.number, int(i) + 1);
        EXPECT_EQ(text::formatDate(instalment.due), expected[i].due);
        EXPECT_EQ(deadline::weekdayName(instalment.due), expected[i].weekday);
        EXPECT_EQ(instalment.reason, expected[i].reason);
    }
    EXPECT_EQ(plan.instalments[2].scheduled, day("31.03.2025"));
    EXPECT_EQ(plan.instalments[4].scheduled, day("31.05.2025"));
}

TEST(PaymentPlanWorkedExample, EqualInstalmentsTotalAndSetOffs) {
    const Plan plan = planned(claim::workedExample(), workedTerms());
    ASSERT_EQ(plan.instalments.size(), 6u);
    EXPECT_TRUE(plan.equal);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(plan.instalments[std::size_t(i)].amount, 1'021'338) << i + 1;
    }
    EXPECT_EQ(plan.instalments[5].amount, 1'021'334);
    EXPECT_EQ(plan.total, 6'128'024);
    EXPECT_EQ(plan.totalInWords, "altmış bir bin iki yüz seksen Türk lirası yirmi dört kuruş");
    EXPECT_EQ(plan.interestAfterUndertaking, 398'930);
    EXPECT_EQ(plan.total, plan.debt.total + plan.interestAfterUndertaking);
    EXPECT_EQ(plan.unpaidAtEnd, 0);
    EXPECT_EQ(plan.overpaid, 0);
    EXPECT_FALSE(plan.downPayment);

    const Instalment& first = plan.instalments[0];
    EXPECT_EQ(first.interest, 110'186); // 31 days at 24 % on 54.056,44
    EXPECT_EQ(first.interestPaid, 433'636);
    EXPECT_EQ(first.interestPaid, 323'450 + 110'186);
    EXPECT_EQ(first.principal, 587'702);
    EXPECT_EQ(first.remainingPrincipal, 4'817'942);
    EXPECT_EQ(first.costs + first.fee + first.overpaid, 0);
    const Instalment& second = plan.instalments[1];
    EXPECT_EQ(second.interestPaid, 88'703);
    EXPECT_EQ(second.principal, 932'635);
    EXPECT_EQ(second.remainingPrincipal, 3'885'307);
    EXPECT_EQ(plan.instalments.back().remainingPrincipal, 0);
    EXPECT_EQ(plan.instalments.back().unpaidInterest, 0);
}

TEST(PaymentPlanWorkedExample, NoticesNameTheMovedDueDates) {
    const Plan plan = planned(claim::workedExample(), workedTerms());
    ASSERT_EQ(plan.notices.size(), 2u);
    EXPECT_EQ(plan.notices[0], "3. taksit: 31.03.2025 Pazartesi iş günü değil (31.03.2025 Ramazan "
                               "Bayramı); vade 02.04.2025 Çarşamba oldu.");
    EXPECT_EQ(plan.notices[1], "5. taksit: 31.05.2025 Cumartesi iş günü değil (31.05.2025 "
                               "Cumartesi); vade 02.06.2025 Pazartesi oldu.");
}

TEST(PaymentPlanWorkedExample, ARateListEndingBeforeTheLastDueDateIsNoticed) {
    // The statutory list ends 31.12.2026; the last instalment falls due in 2027.
    const Plan plan = planned(claim::workedExample(), terms("31.12.2024", 3, "30.12.2026"));
    ASSERT_EQ(plan.instalments.size(), 3u);
    EXPECT_EQ(plan.instalments.back().due, day("01.03.2027")); // 28.02.2027 is a Sunday
    const std::string notice = "Uyarı: \"Adi Alacaklar (Kanuni Faiz)\" listesi 31.12.2026 "
                               "tarihinde bitiyor, son vade 01.03.2027; sonrası için son dönemin "
                               "oranı (%31) uygulandı. Oran değişirse taksitlerin faizi değişir.";
    EXPECT_NE(std::find(plan.notices.begin(), plan.notices.end(), notice), plan.notices.end());
    EXPECT_EQ(plan.total, plan.debt.total + plan.interestAfterUndertaking);
}

TEST(PaymentPlanDates, MonthsFromTheFirstDueDateKeepItsDay) {
    Undertaking undertaking = terms("15.12.2023", 5, "31.01.2024");
    const std::vector<Date> dates = scheduledDates(undertaking);
    std::vector<std::string> shown;
    for (const Date date : dates) {
        shown.push_back(text::formatDate(date));
    }
    // 29.02 in a leap year; the 31st comes back once the month has it.
    EXPECT_EQ(shown, (std::vector<std::string>{"31.01.2024", "29.02.2024", "31.03.2024",
                                               "30.04.2024", "31.05.2024"}));
    undertaking.interval = PlanInterval::Week;
    undertaking.firstDue = day("27.12.2024");
    undertaking.count = 3;
    EXPECT_EQ(scheduledDates(undertaking),
              (std::vector<Date>{day("27.12.2024"), day("03.01.2025"), day("10.01.2025")}));
    undertaking.firstDue = day("31.12.9999");
    EXPECT_TRUE(scheduledDates(undertaking).empty());
}

TEST(PaymentPlanDates, FeastsNewYearAndWeekendsMoveTheDueDate) {
    ClaimFile file = claim::workedExample();
    // New Year (a Wednesday), then the Ramazan Bayramı of 2024 running into a weekend.
    Plan plan = planned(file, terms("31.12.2024", 2, "01.01.2025", PlanInterval::Week));
    ASSERT_EQ(plan.instalments.size(), 2u);
    EXPECT_EQ(plan.instalments[0].due, day("02.01.2025"));
    EXPECT_EQ(plan.instalments[0].reason, "01.01.2025 Yılbaşı");
    EXPECT_EQ(plan.instalments[1].due, day("08.01.2025"));
    EXPECT_EQ(plan.instalments[1].reason, "");

    // Kurban Bayramı 2025 from Friday 06.06 to Monday 09.06: due Tuesday.
    plan = planned(file, terms("31.12.2024", 1, "06.06.2025"));
    ASSERT_EQ(plan.instalments.size(), 1u);
    EXPECT_EQ(plan.instalments[0].due, day("10.06.2025"));
    // The judicial recess moves nothing: 25.07.2025 is a Friday in it.
    plan = planned(file, terms("31.12.2024", 1, "25.07.2025"));
    EXPECT_EQ(plan.instalments.at(0).due, day("25.07.2025"));
    EXPECT_EQ(plan.instalments.at(0).reason, "");
}

TEST(PaymentPlanDates, AFeastEndingOnFridayMovesPastTheWeekend) {
    ClaimFile file = claim::workedExample();
    file.payments.clear();
    file.items.resize(1);
    // Ramazan Bayramı 2024: Wednesday 10.04 to Friday 12.04.
    const Plan plan = planned(file, terms("01.03.2024", 1, "10.04.2024"));
    ASSERT_EQ(plan.instalments.size(), 1u);
    EXPECT_EQ(plan.instalments[0].due, day("15.04.2024"));
    EXPECT_NE(plan.instalments[0].reason.find("Ramazan Bayramı"), std::string::npos);
    EXPECT_NE(plan.instalments[0].reason.find("Cumartesi"), std::string::npos);
    // A file that claims no costs does not read as if they were paid.
    for (const auto& [label, amount] : debtLines(plan.debt)) {
        EXPECT_EQ(label.find("Masraf"), std::string::npos) << label;
    }
}

TEST(PaymentPlanTyped, AmountsThatFallShortOrOverpay) {
    const ClaimFile file = claim::workedExample();
    Undertaking undertaking = workedTerms();
    undertaking.count = 3;
    undertaking.amounts = {2'000'000, 2'000'000, 1'000'000};
    Plan plan = planned(file, undertaking);
    EXPECT_FALSE(plan.equal);
    EXPECT_EQ(plan.total, 5'000'000);
    EXPECT_GT(plan.unpaidAtEnd, 0);
    EXPECT_EQ(plan.overpaid, 0);
    // What was paid and what is left is the debt with its interest after T.
    EXPECT_EQ(plan.total + plan.unpaidAtEnd, plan.debt.total + plan.interestAfterUndertaking);
    EXPECT_NE(std::find(plan.notices.begin(), plan.notices.end(),
                        "Uyarı: Son taksitten sonra " + text::formatCents(plan.unpaidAtEnd) +
                            " TL borç ödenmemiş kalıyor."),
              plan.notices.end());

    undertaking.amounts = {5'000'000, 1'000'000, 1'000'000};
    plan = planned(file, undertaking);
    EXPECT_EQ(plan.unpaidAtEnd, 0);
    EXPECT_GT(plan.overpaid, 0);
    EXPECT_EQ(plan.total - plan.overpaid, plan.debt.total + plan.interestAfterUndertaking);
    EXPECT_EQ(plan.instalments.back().overpaid, 1'000'000);
    EXPECT_EQ(plan.instalments.back().costs + plan.instalments.back().fee +
                  plan.instalments.back().interestPaid + plan.instalments.back().principal,
              0);
}

TEST(PaymentPlanTyped, AnInstalmentBelowTheInterestIsNoticed) {
    Undertaking undertaking = workedTerms();
    undertaking.count = 2;
    undertaking.amounts = {100'000, 6'000'000}; // 1.000,00 against 4.336,36 of interest
    const Plan plan = planned(claim::workedExample(), undertaking);
    ASSERT_EQ(plan.instalments.size(), 2u);
    EXPECT_EQ(plan.instalments[0].interestPaid, 100'000);
    EXPECT_EQ(plan.instalments[0].principal, 0);
    EXPECT_EQ(plan.instalments[0].unpaidInterest, 433'636 - 100'000);
    EXPECT_NE(std::find(plan.notices.begin(), plan.notices.end(),
                        "Uyarı: 1. taksit (1.000,00 TL) o güne kadar işleyen faizi "
                        "karşılamıyor; 3.336,36 TL faiz ödenmemiş kalıyor."),
              plan.notices.end());
}

TEST(PaymentPlanDownPayment, PaidOnTheDayAndSetOffFirst) {
    Undertaking undertaking = workedTerms();
    undertaking.downPayment = 1'000'000;
    const Plan plan = planned(claim::workedExample(), undertaking);
    ASSERT_TRUE(plan.downPayment);
    EXPECT_EQ(plan.downPayment->number, 0);
    EXPECT_EQ(plan.downPayment->due, day("31.12.2024"));
    EXPECT_EQ(plan.downPayment->interest, 0);
    EXPECT_EQ(plan.downPayment->interestPaid, 323'450);
    EXPECT_EQ(plan.downPayment->principal, 1'000'000 - 323'450);
    // The debt at T is before the down payment.
    EXPECT_EQ(plan.debt.total, 5'729'094);
    EXPECT_EQ(plan.total, plan.debt.total + plan.interestAfterUndertaking);
    EXPECT_LT(plan.instalments.at(0).amount, 1'021'338);
}

TEST(PaymentPlanDebt, UnpaidInterestSplitOldestFirst) {
    ClaimFile file = claim::workedExample();
    // A payment that pays costs, fee and part of the interest before filing.
    file.payments = {{day("01.07.2024"), 1'350'000 + 100'000, ""}};
    const Plan plan = planned(file, workedTerms());
    const claim::ClaimResult& calculation = plan.calculation;
    EXPECT_EQ(plan.debt.interestBeforeFiling, 147'945 - 100'000);
    EXPECT_EQ(plan.debt.principal, 10'000'000);
    EXPECT_EQ(plan.debt.principal + plan.debt.interestBeforeFiling + plan.debt.interestAfterFiling +
                  plan.debt.costs + plan.debt.fee,
              plan.debt.total);
    // The slices up to T are those of the claim computed to T.
    ClaimFile atT = file;
    atT.calculationDate = day("31.12.2024");
    const auto computed = claim::compute(atT);
    const auto& toT = std::get<claim::ClaimResult>(computed).slices;
    ASSERT_LT(toT.size(), calculation.slices.size());
    for (std::size_t i = 0; i < toT.size(); ++i) {
        EXPECT_EQ(calculation.slices[i], toT[i]) << i;
    }
}

TEST(PaymentPlanDebt, CostsLeftUnpaidAreItems) {
    ClaimFile file = claim::workedExample();
    file.payments.clear();
    const Plan plan = planned(file, terms("01.03.2024", 2, "01.04.2024"));
    EXPECT_EQ(plan.debt.costs, 150'000);
    EXPECT_EQ(plan.debt.fee, 1'200'000);
    EXPECT_EQ(plan.debt.interestBeforeFiling, 147'945);
    EXPECT_EQ(plan.debt.interestAfterFiling, 0);
    ASSERT_EQ(plan.debt.items.size(), 3u);
    EXPECT_EQ(plan.debt.items[1].kind, claim::ItemKind::Costs);
    EXPECT_EQ(plan.debt.items[2].kind, claim::ItemKind::Fee);
    // The first instalment pays costs and fee first, in the file's order.
    EXPECT_EQ(plan.instalments.at(0).costs, 150'000);
    EXPECT_EQ(plan.instalments.at(0).fee, 1'200'000);
}

TEST(PaymentPlanRefusals, NameTheField) {
    const ClaimFile file = claim::workedExample();
    Undertaking undertaking = workedTerms();
    undertaking.count = 0;
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.taksit_sayisi");
    undertaking.count = 361;
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.taksit_sayisi");
    undertaking.count = 360;
    EXPECT_EQ(refusedField(file, undertaking), "(not refused)");

    undertaking = workedTerms();
    undertaking.firstDue = undertaking.date;
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.ilk_vade");
    undertaking.firstDue = day("30.12.2024");
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.ilk_vade");

    undertaking = workedTerms();
    undertaking.amounts = {1'000'000, 1'000'000};
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.tutarlar");
    undertaking.amounts.assign(6, 1'000'000);
    undertaking.amounts[3] = 0;
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.tutarlar[4]");

    undertaking = workedTerms();
    undertaking.downPayment = -1;
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.pesinat");
    undertaking.downPayment = 6'000'000; // more than the debt
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.pesinat");

    // Before the filing date; before the second payment of the file.
    EXPECT_EQ(refusedField(file, terms("29.02.2024", 2, "31.03.2024")), "taahhut.tarih");
    EXPECT_EQ(refusedField(file, terms("30.09.2024", 2, "31.10.2024")), "taahhut.tarih");
    EXPECT_EQ(refusedField(file, terms("01.10.2024", 2, "31.10.2024")), "(not refused)");

    undertaking = workedTerms();
    undertaking.firstDue = day("31.12.9998");
    undertaking.count = 24;
    EXPECT_EQ(refusedField(file, undertaking), "taahhut.ilk_vade");

    // Paid off before T: nothing to undertake.
    ClaimFile paid = file;
    paid.payments.push_back({day("31.12.2024"), 6'000'000, ""});
    EXPECT_EQ(refusedField(paid, workedTerms()), "taahhut.tarih");
    // A debt of a few kuruş cannot be split into many instalments.
    ClaimFile tiny = file;
    tiny.items.resize(1);
    tiny.items[0].amount = 1;
    tiny.payments.clear();
    EXPECT_EQ(refusedField(tiny, terms("01.03.2024", 3, "02.03.2024")), "taahhut.taksit_sayisi");
    // What the claim engine refuses stays refused.
    ClaimFile broken = file;
    broken.items[0].amount = 0;
    EXPECT_EQ(refusedField(broken, workedTerms()), "kalemler[1].tutar");
}

// Random claim files: items on the statutory list or at fixed rates, costs and fees,
// payments before T; equal plans of random length, monthly or weekly.
class RandomFiles : public ::testing::Test {
protected:
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    std::pair<ClaimFile, Undertaking> next() {
        ClaimFile file;
        const std::string statutory(rates::StatutoryName);
        file.lists.emplace(statutory, rates::readyList(statutory)->Periods);
        const Date start = day("01.01.2021") + days{between(0, 900)};
        file.filingDate = start + days{between(0, 200)};
        file.dayBasis = between(0, 3) == 0 ? 360 : 365;
        const int principals = between(1, 3);
        for (int i = 0; i < principals; ++i) {
            claim::RateSource rate = claim::ListRate{statutory};
            if (between(0, 2) == 0) {
                rate = claim::FixedRate{double(between(0, 600)) / 10.0};
            }
            file.items.push_back({claim::ItemKind::Principal, "Anapara",
                                  claim::Kurus(between(1'000, 500'000'00)),
                                  start + days{between(0, 60)}, rate, std::nullopt});
        }
        if (between(0, 1) == 1) {
            file.items.push_back({claim::ItemKind::Costs, "Masraf",
                                  claim::Kurus(between(1, 5'000'00)), std::nullopt,
                                  claim::FixedRate{}, *file.filingDate});
            file.items.push_back({claim::ItemKind::Fee, "Vekalet",
                                  claim::Kurus(between(1, 20'000'00)), std::nullopt,
                                  claim::FixedRate{}, *file.filingDate});
        }
        Undertaking undertaking;
        undertaking.date = *file.filingDate + days{between(0, 400)};
        for (int i = between(0, 3); i > 0; --i) {
            file.payments.push_back({*file.filingDate + days{between(0, 400)},
                                     claim::Kurus(between(1, 100'000'00)), ""});
            undertaking.date = std::max(undertaking.date, file.payments.back().date);
        }
        file.calculationDate = undertaking.date;
        undertaking.count = between(1, 40);
        undertaking.firstDue = undertaking.date + days{between(1, 60)};
        undertaking.interval = between(0, 1) == 0 ? PlanInterval::Month : PlanInterval::Week;
        if (between(0, 3) == 0) {
            undertaking.downPayment = between(1, 10'000'00);
        }
        return {file, undertaking};
    }

    std::mt19937 random_{25111};
};

TEST_F(RandomFiles, EqualPlansAddUpToTheKurus) {
    int plans = 0;
    for (int trial = 0; trial < 120; ++trial) {
        const auto [file, undertaking] = next();
        PlanOutcome outcome = makePlan(file, undertaking);
        if (const auto* refusal = std::get_if<claim::Refusal>(&outcome)) {
            // Only a debt already paid, or too small for its instalments.
            EXPECT_TRUE(refusal->field == "taahhut.tarih" || refusal->field == "taahhut.pesinat" ||
                        refusal->field == "taahhut.taksit_sayisi")
                << refusal->message;
            continue;
        }
        ++plans;
        const Plan& plan = std::get<Plan>(outcome);
        SCOPED_TRACE("trial " + std::to_string(trial));
        ASSERT_EQ(plan.instalments.size(), std::size_t(undertaking.count));
        const Kurus first = plan.instalments.front().amount;
        const Kurus last = plan.instalments.back().amount;
        EXPECT_GT(last, 0);
        EXPECT_LE(last, first);
        Kurus interest = 0;
        Kurus paid = plan.downPayment ? plan.downPayment->amount : 0;
        Date previous = undertaking.date;
        for (const Instalment& instalment : plan.instalments) {
            if (instalment.number < undertaking.count) {
                EXPECT_EQ(instalment.amount, first);
            }
            EXPECT_EQ(instalment.costs + instalment.fee + instalment.interestPaid +
                          instalment.principal + instalment.overpaid,
                      instalment.amount);
            EXPECT_EQ(instalment.overpaid, 0);
            EXPECT_GT(instalment.due, previous);
            EXPECT_FALSE(deadline::closedDay(instalment.due)) << text::formatDate(instalment.due);
            previous = instalment.due;
            interest += instalment.interest;
            paid += instalment.amount;
        }
        EXPECT_EQ(plan.interestAfterUndertaking, interest);
        EXPECT_EQ(plan.total, paid);
        EXPECT_EQ(plan.total, plan.debt.total + plan.interestAfterUndertaking);
        EXPECT_EQ(plan.debt.principal + plan.debt.interestBeforeFiling +
                      plan.debt.interestAfterFiling + plan.debt.costs + plan.debt.fee,
                  plan.debt.total);
        EXPECT_EQ(plan.instalments.back().remainingPrincipal, 0);
        EXPECT_EQ(plan.totalInWords, text::amountInWords(plan.total));
        // The smallest amount: one kuruş less leaves more than itself for the last day.
        if (undertaking.count > 1 && first > 1) {
            Undertaking less = undertaking;
            less.amounts.assign(std::size_t(undertaking.count - 1), first - 1);
            less.amounts.push_back(1);
            const Plan lower = planned(file, less);
            EXPECT_GT(lower.unpaidAtEnd + 1 - lower.instalments.back().overpaid, first - 1);
        }
    }
    EXPECT_GT(plans, 80);
}

TEST(NumberWords, TurkishAmounts) {
    const std::vector<std::pair<std::int64_t, std::string>> numbers{
        {0, "sıfır"},
        {7, "yedi"},
        {10, "on"},
        {19, "on dokuz"},
        {100, "yüz"},
        {101, "yüz bir"},
        {999, "dokuz yüz doksan dokuz"},
        {1000, "bin"},
        {1100, "bin yüz"},
        {2001, "iki bin bir"},
        {61'280, "altmış bir bin iki yüz seksen"},
        {100'000, "yüz bin"},
        {1'000'000, "bir milyon"},
        {1'001'000, "bir milyon bin"},
        {2'000'000'000, "iki milyar"},
        {10'000'000'000'000, "on trilyon"},
        {-45, "eksi kırk beş"},
    };
    for (const auto& [number, words] : numbers) {
        EXPECT_EQ(text::numberInWords(number), words) << number;
    }
    EXPECT_EQ(text::numberInWords(INT64_MIN).rfind("eksi dokuz kentilyon", 0), 0u);
    EXPECT_EQ(text::amountInWords(6'128'024),
              "altmış bir bin iki yüz seksen Türk lirası yirmi dört kuruş");
    EXPECT_EQ(text::amountInWords(10'000), "yüz Türk lirası");
    EXPECT_EQ(text::amountInWords(50), "elli kuruş");
    EXPECT_EQ(text::amountInWords(0), "sıfır Türk lirası");
    EXPECT_EQ(text::amountInWords(100'001), "bin Türk lirası bir kuruş");
}

} // namespace
} // namespace mirvane::plan
