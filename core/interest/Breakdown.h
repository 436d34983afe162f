#pragma once

// The texts of a breakdown as the user reads, copies and exports them.

#include "core/interest/InterestEngine.h"
#include "core/ratelist/RateList.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace mirvane::breakdown {

// Columns of the breakdown list: "Dönem", "Başlangıç Tarihi", "Bitiş Tarihi",
// "Oran", "Gün", "Miktar", "Tutar".
using RowCells = std::array<std::string, 7>;

struct Column {
    std::string_view header;
    double widthFraction; // of the list view's width at load
    enum class Align { Left, Centre, Right } align;
};

const std::array<Column, 7>& breakdownColumns();

// Columns of the rates list: "Dönem", "Başlangıç Tarihi", "Bitiş Tarihi", "Oran", "Açıklama".
const std::array<Column, 5>& rateColumns();

// Columns of the editor windows' period list: the rates list's headings, with widths
// of their own.
const std::array<Column, 5>& editorPeriodColumns();

RowCells rowCells(const interest::InterestRow& row);

// The total box's text: the total in kuruş in the money pattern.
std::string totalText(std::int64_t total);

// The cells of period k (1-based) in the rates list.
std::array<std::string, 5> periodCells(int number, const RatePeriod& period);

// The whole-breakdown text: header line, one line per row (its cells 1 to 5),
// then the total line (three TABs, "Faiz Toplamı: ", TAB, total text); CR LF
// between lines, none after the last. With no row, the header line alone.
std::string exportText(const std::vector<RowCells>& rows, std::string_view totalText);

// The same text with LF line ends and a final LF, as the command line prints it.
std::string exportTextForTerminal(const std::vector<RowCells>& rows, std::string_view totalText);

// The notice shown after a calculation that ran the last rate past the list's end:
// "Uyarı: Seçili liste 30.12.2020 tarihinde bitiyor; sonrası için son dönemin oranı (%9)
// uygulandı. Oranlar değiştiyse listeyi güncelleyin.", a warning; for a ready list
// ending on the day its rates were checked, a plain note instead:
// "Oranlar 08.12.2026 tarihine kadar denetlendi; sonrası için son oran (%39,75) uygulandı."
std::string runOnNotice(const interest::RunOnPastListEnd& runOn);

// The plain note for rates checked up to `checked`, the last of them `rate`.
std::string checkedRatesNote(Date checked, double rate);

// Stands once under every breakdown and in every report: the rows chain, so each
// starts on the day before its first day of interest.
inline constexpr std::string_view StartDayNote =
    "Her satırın başlangıç günü faize dahil değildir; faiz ertesi günden işler.";

// The caption naming a loaded list with the end of its last period:
// "Adi Alacaklar (Kanuni Faiz) — son dönem bitişi: 30.12.2020" (the name alone for a
// list without periods).
std::string loadedListCaption(const RateList& list);

} // namespace mirvane::breakdown
