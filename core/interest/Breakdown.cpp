#include "core/interest/Breakdown.h"

#include "core/text/TextForms.h"

namespace mirvane::breakdown {

namespace {

using Align = Column::Align;

constexpr std::string_view HeaderLine =
    "Başlangıç Tarihi\tBitiş Tarihi\tFaiz Oranı\tGün Sayısı\tFaiz Miktarı";
constexpr std::string_view TotalLead = "\t\t\tFaiz Toplamı: \t";

// Cells 1 to 5 of a row (dates, rate, days, amount): "Dönem" and "Tutar" stay out.
void appendRowLine(std::string& text, const RowCells& cells) {
    for (std::size_t column = 1; column <= 5; ++column) {
        if (column > 1) {
            text += '\t';
        }
        text += cells[column];
    }
}

std::string wholeText(const std::vector<RowCells>& rows, std::string_view totalText,
                      std::string_view lineBreak) {
    std::string text(HeaderLine);
    for (const RowCells& cells : rows) {
        text += lineBreak;
        appendRowLine(text, cells);
    }
    if (!rows.empty()) {
        text += lineBreak;
        text += TotalLead;
        text += totalText;
    }
    return text;
}

} // namespace

const std::array<Column, 7>& breakdownColumns() {
    static const std::array<Column, 7> columns{{
        {"Dönem", 1.0 / 10, Align::Left},
        {"Başlangıç Tarihi", 1.0 / 6, Align::Left},
        {"Bitiş Tarihi", 1.0 / 6, Align::Left},
        {"Oran", 1.0 / 11, Align::Centre},
        {"Gün", 1.0 / 10, Align::Centre},
        {"Miktar", 1.0 / 6, Align::Right},
        {"Tutar", 1.0 / 6, Align::Right},
    }};
    return columns;
}

const std::array<Column, 5>& rateColumns() {
    static const std::array<Column, 5> columns{{
        {"Dönem", 1.0 / 10, Align::Left},
        {"Başlangıç Tarihi", 1.0 / 6, Align::Left},
        {"Bitiş Tarihi", 1.0 / 6, Align::Left},
        {"Oran", 1.0 / 11, Align::Centre},
        {"Açıklama", 1.0 / 2.4, Align::Left},
    }};
    return columns;
}

const std::array<Column, 5>& editorPeriodColumns() {
    static const std::array<Column, 5> columns{{
        {"Dönem", 1.0 / 9, Align::Left},
        {"Başlangıç Tarihi", 1.0 / 5, Align::Left},
        {"Bitiş Tarihi", 1.0 / 6, Align::Left},
        {"Oran", 1.0 / 11, Align::Centre},
        {"Açıklama", 1.0 / 2.7, Align::Left},
    }};
    return columns;
}

RowCells rowCells(const interest::InterestRow& row) {
    return {std::to_string(row.PeriodNumber),   text::formatDate(row.StartDate),
            text::formatDate(row.EndDate),      text::formatGeneralNumber(row.Rate),
            std::to_string(row.Days),           text::formatCents(row.Amount),
            text::formatCents(row.RunningTotal)};
}

std::string totalText(std::int64_t total) {
    return text::formatCents(total);
}

std::array<std::string, 5> periodCells(int number, const RatePeriod& period) {
    return {std::to_string(number), text::formatDate(period.StartDate),
            text::formatDate(period.EndDate), text::formatGeneralNumber(period.Rate),
            std::string(text::trimSpaces(period.Description))};
}

std::string exportText(const std::vector<RowCells>& rows, std::string_view totalText) {
    return wholeText(rows, totalText, "\r\n");
}

std::string exportTextForTerminal(const std::vector<RowCells>& rows, std::string_view totalText) {
    return wholeText(rows, totalText, "\n") + '\n';
}

std::string checkedRatesNote(Date checked, double rate) {
    return "Oranlar " + text::formatDate(checked) +
           " tarihine kadar denetlendi; sonrası için son oran (%" +
           text::formatGeneralNumber(rate) + ") uygulandı.";
}

std::string runOnNotice(const interest::RunOnPastListEnd& runOn) {
    if (runOn.checkedToListEnd) {
        return checkedRatesNote(runOn.listEnd, runOn.rate);
    }
    return "Uyarı: Seçili liste " + text::formatDate(runOn.listEnd) +
           " tarihinde bitiyor; sonrası için son dönemin oranı (%" +
           text::formatGeneralNumber(runOn.rate) +
           ") uygulandı. Oranlar değiştiyse listeyi güncelleyin.";
}

std::string loadedListCaption(const RateList& list) {
    if (list.Periods.empty()) {
        return list.Name;
    }
    return list.Name + " — son dönem bitişi: " + text::formatDate(list.Periods.back().EndDate);
}

} // namespace mirvane::breakdown
