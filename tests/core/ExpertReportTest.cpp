#include "core/claim/Alternatives.h"
#include "core/claim/ClaimExample.h"
#include "core/report/ClaimReport.h"
#include "tests/support/ReportLines.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <variant>

namespace {

using namespace std::chrono;
using namespace mirvane;
using mirvane::testing::computed;
using mirvane::testing::lines;
using mirvane::testing::mentions;
using mirvane::testing::positionOf;
using report::Block;
using report::Paragraph;
using report::Table;

report::Document reportOf(const claim::ClaimFile& file) {
    return report::claimReport(file, computed(file), sys_days{2025y / March / 3});
}

TEST(ExpertReport, HoldsTheSectionsInTheirOrderWithEveryComparisonFigure) {
    const claim::ClaimFile file = claim::expertExample();
    const report::Document document = reportOf(file);
    const std::vector<std::string> texts = lines(document);
    EXPECT_EQ(document.title, "BİLİRKİŞİ (HESAP) RAPORU — 2025/345 E.");
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], "# İSTANBUL 12. ASLİYE TİCARET MAHKEMESİ SAYIN HÂKİMLİĞİNE");
    EXPECT_EQ(texts[1], "# BİLİRKİŞİ (HESAP) RAPORU");
    EXPECT_EQ(texts[2], "Dosya No: 2025/345 E.");
    // The report's own date, not the day it was printed.
    EXPECT_NE(positionOf(texts, "Rapor tarihi: 15.01.2025"), -1);

    const std::vector<std::string> order{"# Taraflar",
                                         "# Konu",
                                         "# Sorulan hususlar",
                                         "# İncelenen belgeler",
                                         "# Tespit edilen olgular",
                                         "# Yöntem ve hukuki dayanak",
                                         "# Hesap tabloları",
                                         "# Faiz dilimleri",
                                         "# Seçenekli hesap",
                                         "# Sonuç",
                                         "# Bilirkişi",
                                         "# EK-1: Reeskont-avans, her değişiklik — hesap tabloları",
                                         "# EK-2: 3095 m.2/2 altı aylık — hesap tabloları"};
    std::ptrdiff_t last = -1;
    for (const std::string& heading : order) {
        const std::ptrdiff_t at = positionOf(texts, heading);
        EXPECT_GT(at, last) << heading;
        last = std::max(last, at);
    }
    EXPECT_NE(positionOf(texts, "Davacı | Örnek Ticaret A.Ş. | Av. Ayşe Yılmaz"), -1);
    EXPECT_NE(positionOf(texts, "1. Davacının 31.12.2024 tarihindeki alacağı ne kadardır?"), -1);
    EXPECT_NE(positionOf(texts, "2. İcra takip dosyası"), -1);
    // The dates the figures rest on follow the user's findings.
    const std::ptrdiff_t facts =
        positionOf(texts, "Fatura bedeli ödenmemiş, alacak icra takibine konu edilmiştir.");
    const std::ptrdiff_t start =
        positionOf(texts, "1. kalem (Anapara, Fatura, 100.000,00 TL): faiz başlangıcı 01.01.2024");
    EXPECT_GT(facts, 0);
    EXPECT_GT(start, facts);
    EXPECT_NE(positionOf(texts, "Takip tarihi: 01.03.2024"), -1);
    EXPECT_NE(positionOf(texts, "2. ödeme: 01.10.2024 tarihinde 30.000,00 TL (Kısmi ödeme)"), -1);
    // The method names the article behind the list used.
    EXPECT_TRUE(mentions(texts, "\"Adi Alacaklar (Kanuni Faiz)\": 3095 sayılı Kanun md. 1"));
    EXPECT_TRUE(mentions(texts, "yalnız anapara üzerinden"));

    // The comparison: a column for the main calculation and one per alternative.
    EXPECT_NE(
        positionOf(texts, "Ana hesap | Reeskont-avans, her değişiklik | 3095 m.2/2 altı aylık"),
        -1);
    EXPECT_NE(positionOf(texts, "Bakiye | 57.290,94 | 90.487,82 | 88.123,29"), -1);
    EXPECT_NE(positionOf(texts, "Kalan anapara | 54.056,44 | 80.166,64 | 78.052,87"), -1);
    EXPECT_TRUE(mentions(texts, "İşlemiş faiz (takipten önce) | 1.479,45 | 7.273,97 | "));
    EXPECT_TRUE(mentions(texts, "Takip sonrası faiz | "));
    EXPECT_TRUE(mentions(texts, " | 37.349,32"));
    EXPECT_TRUE(mentions(texts, "Takip tutarı | 101.479,45 | 107.273,97 | "));
    EXPECT_TRUE(mentions(texts,
                         "Reeskont-avans, her değişiklik: 1. kalemin oranı: Ticari Alacaklar "
                         "(Reeskont-Avans); bakiye ana hesaptan 33.196,88 TL fazla."));

    // The result: principal, interest to filing and their total, the rate after filing,
    // then each question with its answer.
    EXPECT_NE(positionOf(texts, "1. kalem (Fatura) | 100.000,00 | 1.479,45 | 101.479,45"), -1);
    EXPECT_TRUE(mentions(texts,
                         "1. kalemin 100.000,00 TL anaparasına takip tarihinden (01.03.2024) "
                         "itibaren, yalnız anapara üzerinden, \"Adi Alacaklar (Kanuni Faiz)\" "
                         "faizi, değişen oranlarla (01.03.2024 tarihinde %9) faiz işler."));
    const std::ptrdiff_t question =
        positionOf(texts, "Soru 2: Takip tarihindeki alacak ne kadardır?");
    EXPECT_GT(question, positionOf(texts, "# Sonuç"));
    EXPECT_EQ(texts[std::size_t(question) + 1], "Cevap:");
    // The signature block.
    EXPECT_NE(positionOf(texts, "Mali Müşavir Ali Kaya"), -1);
    EXPECT_NE(positionOf(texts, "Sicil no: İST-1234"), -1);
    EXPECT_NE(positionOf(texts, "İmza: ____________________"), -1);
    // Each annex has its alternative's own slices: the advance rate of 01.04.2024.
    const std::ptrdiff_t annex =
        positionOf(texts, "# EK-1: Reeskont-avans, her değişiklik — hesap tabloları");
    EXPECT_TRUE(std::any_of(texts.begin() + annex, texts.end(), [](const std::string& t) {
        return t.find("| 51,75 |") != std::string::npos;
    }));
}

TEST(ExpertReport, EmptySectionsAreLeftOutAndAPlainFileGivesTodaysReport) {
    const claim::ClaimFile plain = claim::workedExample();
    const std::vector<std::string> today = lines(reportOf(plain));
    EXPECT_EQ(today[0], "# Dosya Hesabı");
    EXPECT_FALSE(mentions(today, "BİLİRKİŞİ"));
    EXPECT_FALSE(mentions(today, "Seçenekli hesap"));
    EXPECT_FALSE(mentions(today, "# Sonuç"));

    // A report block with the court only: no parties, questions, documents, subject
    // or signatures, nothing printed empty.
    claim::ClaimFile file = plain;
    file.report = claim::ReportDetails{};
    file.report->authority = "İstanbul 5. İcra Dairesi";
    file.report->parties = {{"", " ", ""}};
    file.report->questions = {{" ", ""}};
    const std::vector<std::string> texts = lines(reportOf(file));
    EXPECT_EQ(texts[0], "# İSTANBUL 5. İCRA DAİRESİ MÜDÜRLÜĞÜNE");
    for (const char* heading : {"# Taraflar", "# Konu", "# Sorulan hususlar",
                                "# İncelenen belgeler", "# Bilirkişi", "# Seçenekli hesap"}) {
        EXPECT_EQ(positionOf(texts, heading), -1) << heading;
    }
    EXPECT_FALSE(mentions(texts, "EK-1"));
    EXPECT_NE(positionOf(texts, "# Sonuç"), -1);
    EXPECT_NE(positionOf(texts, "# Tespit edilen olgular"), -1);
    EXPECT_NE(positionOf(texts, "Rapor tarihi: 03.03.2025"), -1);

    file.report->authority = "Ankara 3. İcra Müdürlüğü";
    EXPECT_EQ(lines(reportOf(file))[0], "# ANKARA 3. İCRA MÜDÜRLÜĞÜNE");
    file.report->authority = "Bakırköy 2. Tüketici Mahkemesi";
    EXPECT_EQ(lines(reportOf(file))[0], "# BAKIRKÖY 2. TÜKETİCİ MAHKEMESİ SAYIN HÂKİMLİĞİNE");
    file.report->authority = "";
    EXPECT_EQ(lines(reportOf(file))[0], "# BİLİRKİŞİ (HESAP) RAPORU");

    // Alternatives without a report: today's report with the comparison and annexes.
    claim::ClaimFile alternatives = claim::expertExample();
    alternatives.report.reset();
    const std::vector<std::string> compared = lines(reportOf(alternatives));
    EXPECT_EQ(compared[0], "# Dosya Hesabı");
    EXPECT_NE(positionOf(compared, "Bakiye | 57.290,94 | 90.487,82 | 88.123,29"), -1);
    EXPECT_NE(positionOf(compared, "# Seçenekli hesap"), -1);
    EXPECT_FALSE(mentions(compared, "İmza"));
}

TEST(ExpertReport, ResultAtFilingCountsPaymentsUpToThatDayAndEachItem) {
    claim::ClaimFile file = claim::expertExample();
    file.alternatives.clear();
    // A payment before filing: the principal at filing is what was left after it.
    file.payments.insert(file.payments.begin(), {sys_days{2024y / February / 1}, 500'000, ""});
    file.items.push_back({claim::ItemKind::Principal, "Kira", 2'000'000,
                          sys_days{2024y / February / 1}, claim::FixedRate{30}, std::nullopt});
    const claim::ClaimResult result = computed(file);
    const std::vector<std::string> texts =
        lines(report::claimReport(file, result, sys_days{2025y / March / 3}));
    // Interest 01.01-01.02 at 9 % on 100.000,00 is 764,38; the payment takes it and
    // 4.235,62 of principal; 29 days on 95.764,38 to filing are 684,78.
    EXPECT_NE(positionOf(texts, "1. kalem (Fatura) | 95.764,38 | 684,78 | 96.449,16"), -1);
    // 29 days at 30 % on 20.000,00 = 476,71.
    EXPECT_NE(positionOf(texts, "4. kalem (Kira) | 20.000,00 | 476,71 | 20.476,71"), -1);
    EXPECT_NE(positionOf(texts, "Toplam | 115.764,38 | 1.161,49 | 116.925,87"), -1);
    ASSERT_TRUE(result.filingTotal);
    EXPECT_EQ(*result.filingTotal, 11'692'587);
    EXPECT_TRUE(
        mentions(texts, "4. kalemin 20.000,00 TL anaparasına takip tarihinden (01.03.2024) "
                        "itibaren, yalnız anapara üzerinden, yıllık %30 sabit oranla faiz işler."));
    // The fixed rate is none of the day's published rates, and the notices say so.
    EXPECT_TRUE(mentions(texts, "4. kalemin sabit oranı (%30)"));
}

} // namespace
