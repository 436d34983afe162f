#include "core/report/ClaimReport.h"

#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimTexts.h"
#include "core/interest/Breakdown.h"
#include "core/rates/ReadyLists.h"
#include "core/text/TextForms.h"
#include "tests/support/ReportLines.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <variant>

namespace {

using namespace std::chrono;
using namespace mirvane;
using mirvane::testing::computed;
using mirvane::testing::holds;
using mirvane::testing::lines;
using mirvane::testing::mentions;
using report::Block;
using report::Paragraph;
using report::Table;

TEST(ClaimReport, WorkedExampleCarriesInputsFiguresBasisAndSources) {
    const claim::ClaimFile file = claim::workedExample();
    const report::Document document =
        report::claimReport(file, computed(file), sys_days{2026y / December / 8});
    EXPECT_EQ(document.title, "Dosya Hesabı — " + file.title);
    const std::vector<std::string> texts = lines(document);

    for (const char* line :
         {"# Dosya Hesabı", "Rapor tarihi: 08.12.2026", "Hesap tarihi: 31.12.2024",
          "Takip tarihi: 01.03.2024", "Gün esası: yıl 365 gün",
          "Mahsup sırası: Masraf → Vekalet ücreti → Faiz → Anapara",
          "1 | Anapara | Fatura | 100.000,00 | 01.01.2024 | Adi Alacaklar (Kanuni Faiz)",
          "2 | Masraf | Takip giderleri | 1.500,00 | 01.03.2024 | —",
          "3 | Vekalet ücreti | Vekalet ücreti | 12.000,00 | 01.03.2024 | —",
          "1 | 01.07.2024 | 40.000,00 | Kısmi ödeme", "2 | 01.10.2024 | 30.000,00 | Kısmi ödeme",
          // The summary.
          "Kalan anapara | 54.056,44", "Ödenmemiş faiz | 3.234,50", "Bakiye | 57.290,94",
          "İşlemiş faiz (takipten önce) | 1.479,45", "Takip tutarı | 101.479,45",
          // What the filing total holds, and how the slices are read.
          "Takip tutarı: kalan anapara, takip tarihine kadar işlemiş faiz ve takip tarihinden "
          "önceki masraf ve vekalet ücreti; takip günü ve sonrasındaki masraf ve vekalet ücreti "
          "takip dosyasına aittir.",
          "Her satırın başlangıç günü faize dahil değildir; faiz ertesi günden işler.",
          // The slices: start | end | days | rate | base | interest.
          "1 | 01.01.2024 | 01.03.2024 | 60 | 9 | 100.000,00 | 1.479,45",
          "1 | 01.07.2024 | 01.10.2024 | 92 | 24 | 79.261,65 | 4.794,79",
          "1 | 01.10.2024 | 31.12.2024 | 91 | 24 | 54.056,44 | 3.234,50",
          // The set-off: date | paid | costs | fee | interest | principal | remaining.
          "Tarih | Ödenen | Masraf | Vekalet | Faiz | Anapara | Kalan Anapara",
          "01.07.2024 | 40.000,00 | 1.500,00 | 12.000,00 | 5.761,65 | 20.738,35 | 79.261,65",
          "01.10.2024 | 30.000,00 | 0,00 | 0,00 | 4.794,79 | 25.205,21 | 54.056,44",
          "# Hukuki dayanak", "# Uygulanan oranlar ve kaynakları", "Adi Alacaklar (Kanuni Faiz)"}) {
        EXPECT_TRUE(holds(texts, line)) << line;
    }
    EXPECT_TRUE(mentions(texts, "3095 sayılı Kanun md. 3"));
    EXPECT_TRUE(mentions(texts, "TBK md. 100"));
    EXPECT_TRUE(mentions(texts, "gün ÷ 365"));
    // Only the periods the slices reached (9 % to 31.05.2024, then 24 %), each with
    // its source.
    const auto& periods = file.lists.at("Adi Alacaklar (Kanuni Faiz)");
    for (const RatePeriod& period : periods) {
        const bool reached = period.EndDate >= sys_days{2024y / January / 2} &&
                             period.StartDate <= sys_days{2024y / December / 31};
        EXPECT_EQ(mentions(texts, "| " + text::formatDate(period.StartDate) + " | " +
                                      text::formatDate(period.EndDate) + " | " +
                                      text::formatGeneralNumber(period.Rate) + " | " +
                                      std::string(text::trimSpaces(period.Description))),
                  reached)
            << text::formatDate(period.StartDate);
    }
    // No notice, no overpayment column.
    EXPECT_FALSE(holds(texts, "# Uyarılar"));
    EXPECT_FALSE(mentions(texts, "Kalan Anapara | Fazla"));
}

TEST(ClaimReport, OverpaymentStaleListAndFixedRateAreShown) {
    claim::ClaimFile file = claim::workedExample();
    file.title.clear();
    file.filingDate.reset();
    file.dayBasis = 360;
    const Date listEnd = file.lists.at("Adi Alacaklar (Kanuni Faiz)").back().EndDate;
    file.calculationDate = listEnd + days{60}; // past the list's end
    file.payments.push_back({listEnd + days{4}, 100'000'000, ""});
    file.items.push_back({claim::ItemKind::Principal, "Çek", 500'000, sys_days{2024y / May / 1},
                          claim::FixedRate{30}, std::nullopt});
    const claim::ClaimResult result = computed(file);
    const report::Document document = report::claimReport(file, result, listEnd + days{61});
    const std::vector<std::string> texts = lines(document);

    EXPECT_EQ(document.title, "Dosya Hesabı");
    EXPECT_FALSE(mentions(texts, "Dosya: "));
    EXPECT_TRUE(holds(texts, "Takip tarihi: yok"));
    EXPECT_TRUE(holds(texts, "Gün esası: yıl 360 gün"));
    EXPECT_FALSE(mentions(texts, "Takip tutarı"));
    EXPECT_TRUE(holds(texts, std::string(breakdown::StartDayNote)));
    EXPECT_TRUE(mentions(texts, "Kalan Anapara | Fazla"));
    EXPECT_TRUE(holds(texts, "Fazla ödeme | " + text::formatCents(result.overpaid)));
    EXPECT_TRUE(holds(texts, "Kalem 4: Sabit %30 (taraflarca belirlenen sabit oran)"));
    // The last period ran on past the list's end, so it is listed with its source.
    const RatePeriod& last = file.lists.at("Adi Alacaklar (Kanuni Faiz)").back();
    EXPECT_TRUE(mentions(texts, std::string(text::trimSpaces(last.Description))));
    EXPECT_TRUE(holds(texts, "# Uyarılar"));
    for (const std::string& notice : result.notices) {
        EXPECT_TRUE(holds(texts, notice)) << notice;
    }
    EXPECT_GE(result.notices.size(), 2u);
}

// A ready list ending on its check day is said plainly, under the sources of its rates;
// the date typos are warnings.
TEST(ClaimReport, PlainNotesAndDateNotices) {
    claim::ClaimFile file = claim::workedExample();
    const RateList& avans = *rates::readyList(rates::AdvanceName);
    file.lists = {{avans.Name, avans.Periods}};
    file.items[0].rate = claim::ListRate{avans.Name};
    file.calculationDate = sys_days{2027y / January / 15};
    file.items.push_back({claim::ItemKind::Principal, "", 500'000, sys_days{2027y / May / 1},
                          claim::ListRate{avans.Name}, std::nullopt});
    const claim::ClaimResult result = computed(file);
    ASSERT_EQ(result.notes.size(), 1u);
    ASSERT_EQ(result.notices.size(), 1u);
    const report::Document document = report::claimReport(file, result, file.calculationDate);
    bool plainNote = false;
    bool redNotice = false;
    for (const Block& block : document.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            plainNote = plainNote || (paragraph->text == result.notes[0] && !paragraph->notice);
            redNotice = redNotice || (paragraph->text == result.notices[0] && paragraph->notice);
        }
    }
    EXPECT_TRUE(plainNote);
    EXPECT_TRUE(redNotice);
    EXPECT_NE(result.notices[0].find("4. kalemin faiz başlangıcı (01.05.2027)"), std::string::npos)
        << result.notices[0];
}

TEST(ClaimTexts, TypedAmountsAreReadToTheKurus) {
    EXPECT_EQ(claim::parseKurus("1.234,5"), 123450);
    EXPECT_EQ(claim::parseKurus(" 1500 "), 150000);
    EXPECT_EQ(claim::parseKurus(",05"), 5);
    EXPECT_EQ(claim::parseKurus("12,"), 1200);
    EXPECT_EQ(claim::parseKurus("10.000.000.000.000"), claim::MaxAmount);
    for (const char* refused :
         {"", ",", "1,234", "1,2,3", "12a", "-5", "10000000000000,01", "99999999999999999999"}) {
        EXPECT_EQ(claim::parseKurus(refused), std::nullopt) << refused;
    }
}

} // namespace
