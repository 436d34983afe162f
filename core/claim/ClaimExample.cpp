#include "core/claim/ClaimExample.h"

#include "core/claim/Alternatives.h"
#include "core/rates/ReadyLists.h"

namespace mirvane::claim {

namespace {

using namespace std::chrono;
using rates::StatutoryName;

// The statutory list as it stands today, rates set since 2020 included.
std::vector<RatePeriod> currentStatutoryPeriods() {
    return rates::readyList(StatutoryName)->Periods;
}

} // namespace

ClaimFile workedExample() {
    ClaimFile file;
    file.title = "Örnek: İstanbul 5. İcra Dairesi 2024/1234";
    file.calculationDate = sys_days{2024y / December / 31};
    file.filingDate = sys_days{2024y / March / 1};
    file.items = {
        {ItemKind::Principal, "Fatura", 10'000'000, sys_days{2024y / January / 1},
         ListRate{std::string(StatutoryName)}, std::nullopt},
        {ItemKind::Costs, "Takip giderleri", 150'000, std::nullopt, FixedRate{},
         sys_days{2024y / March / 1}},
        {ItemKind::Fee, "Vekalet ücreti", 1'200'000, std::nullopt, FixedRate{},
         sys_days{2024y / March / 1}},
    };
    file.payments = {
        {sys_days{2024y / July / 1}, 4'000'000, "Kısmi ödeme"},
        {sys_days{2024y / October / 1}, 3'000'000, "Kısmi ödeme"},
    };
    file.lists.emplace(std::string(StatutoryName), currentStatutoryPeriods());
    return file;
}

ClaimFile expertExample() {
    ClaimFile file = workedExample();
    ReportDetails report;
    report.authority = "İstanbul 12. Asliye Ticaret Mahkemesi";
    report.fileNumber = "2025/345 E.";
    report.date = sys_days{2025y / January / 15};
    report.subject = "Fatura alacağının faizi ve kısmi ödemelerin mahsubu";
    report.parties = {{"Davacı", "Örnek Ticaret A.Ş.", "Av. Ayşe Yılmaz"},
                      {"Davalı", "Deneme Gıda Ltd. Şti.", "Av. Mehmet Demir"}};
    report.questions = {
        {"Davacının 31.12.2024 tarihindeki alacağı ne kadardır?",
         "Kanuni faizle bakiye 57.290,94 TL; ticari faiz uygulanırsa seçenekler tablosundaki "
         "tutarlar."},
        {"Takip tarihindeki alacak ne kadardır?",
         "Kanuni faizle 101.479,45 TL (100.000,00 TL anapara ve 1.479,45 TL işlemiş faiz)."}};
    report.documents = {"Fatura (01.01.2024)", "İcra takip dosyası", "Banka dekontları"};
    report.facts = "Fatura bedeli ödenmemiş, alacak icra takibine konu edilmiştir.";
    report.experts = {{"Mali Müşavir Ali Kaya", "Muhasebe-finans", "İST-1234"}};
    file.report = std::move(report);
    for (const UsualAlternative kind :
         {UsualAlternative::AdvanceEveryChange, UsualAlternative::HalfYearly}) {
        file.alternatives.push_back(usualAlternative(kind, file));
    }
    copyReadyLists(file);
    return file;
}

} // namespace mirvane::claim
