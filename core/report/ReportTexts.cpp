#include "core/report/ReportTexts.h"

#include "core/text/TextForms.h"

namespace mirvane::report {

std::string moneyText(double amount) {
    return text::formatMoney(amount) + " TL";
}

std::string dayBasisText(int daysInYear) {
    return "yıl " + std::to_string(daysInYear) + " gün";
}

std::vector<Column> ratePeriodColumns() {
    return {{"Dönem", Align::Centre, 0.8},
            {"Başlangıç Tarihi", Align::Left, 1.4},
            {"Bitiş Tarihi", Align::Left, 1.4},
            {"Oran (%)", Align::Right, 1.0},
            {"Açıklama (kaynak)", Align::Left, 4.0, true}};
}

std::vector<std::string> legalBasisLines(int daysInYear, bool withSetOff) {
    std::vector<std::string> lines{
        "Faiz basit faiz olarak hesaplanmıştır; faize, masrafa ve vekalet ücretine faiz "
        "yürütülmemiştir (3095 sayılı Kanun md. 3, TBK md. 121).",
        "Her dilimin faizi = matrah × oran ÷ 100 × gün ÷ " + std::to_string(daysInYear) +
            "; başlangıç günü sayılmaz, bitiş günü sayılır; her dilim kuruşa yuvarlanır (" +
            dayBasisText(daysInYear) + ").",
    };
    if (withSetOff) {
        lines.push_back("Kısmi ödemeler, ödeme gününe kadar işlemiş faiz hesaplandıktan sonra "
                        "mahsup sırasına göre önce masraf, vekalet ücreti ve faize, kalanı ana "
                        "paraya mahsup edilmiştir (TBK md. 100); azalan ana para ödeme gününden "
                        "itibaren faiz yürütür.");
    }
    return lines;
}

} // namespace mirvane::report
