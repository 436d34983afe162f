#pragma once

// The main window's state below the window: the rate lists of the folder and the one
// selected, the list shown, and the breakdown on display with what it was computed from.
// The window shows what the session holds and hands every change to it.

#include "core/interest/Breakdown.h"
#include "core/interest/InterestEngine.h"
#include "core/ratelist/RateList.h"
#include "core/report/BreakdownReport.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirvane::app {

// What a breakdown is computed from: any change to it takes the breakdown away before
// it can be copied. The principal counts by its amount, so the grouping and decimals
// the field gains when it is left change nothing.
struct BreakdownInputs {
    int listRow = -1;
    std::optional<Date> start;
    std::optional<Date> end;
    std::string principal;
    bool year360 = false;
    friend bool operator==(const BreakdownInputs&, const BreakdownInputs&) = default;
};

// The principal as the inputs compare it: by its amount where the text is one.
std::string principalKey(const std::string& principalText);

class BreakdownSession {
public:
    // The lists.
    const std::vector<std::string>& listNames() const { return listNames_; }
    // What the folder left out and whether it is read-only, one notice each.
    const std::vector<std::string>& listNotices() const { return listNotices_; }
    // The names as the folder has them now. `listToSelect`, where a list of that name
    // exists, is selected; a name given but not found selects nothing. Otherwise the
    // list remembered by name, else by position clamped into the lists. Returns the
    // row to select; the list shown and the breakdown are the caller's to load.
    std::optional<std::size_t> refresh(std::vector<std::string> names,
                                       std::vector<std::string> notices,
                                       const std::string& listToSelect);
    // Remembers the list at `row` (-1 for none), to be selected again at the next
    // refresh even where other files shift the positions.
    void rememberSelection(int row);
    // As the settings kept them.
    void rememberSelection(std::int16_t position, std::string name);
    std::int16_t rememberedPosition() const { return rememberedPosition_; }
    const std::string& rememberedName() const { return rememberedName_; }
    // Takes the list at `row` out of the names; the row to select next.
    std::size_t removeList(std::size_t row);
    // The name at `row`; empty for a row outside the lists.
    std::string nameAt(int row) const;

    // The list whose periods are shown.
    const RateList& shownList() const { return shownList_; }
    // A list newly shown takes the breakdown away.
    void showList(RateList list);
    void clearList();

    // The day basis the next calculation uses.
    void setYear360(bool year360);
    std::int32_t divisor() const { return divisor_; }

    // The breakdown, built row by row while the calculation runs.
    void startBreakdown(const BreakdownInputs& inputs);
    void addRow(breakdown::RowCells row);
    // A run that went through: its total and what the report says about it.
    void finishBreakdown(std::string totalText, report::BreakdownFacts facts);
    // The breakdown goes when the inputs no longer are those it was computed from;
    // true when it went.
    bool inputsChanged(const BreakdownInputs& now);
    void clearBreakdown();

    const std::vector<breakdown::RowCells>& rows() const { return rows_; }
    const std::string& totalText() const { return totalText_; }
    const std::optional<report::BreakdownFacts>& facts() const { return facts_; }
    // A report can be made only of a breakdown that went through and has rows.
    bool canReport() const { return facts_.has_value() && !rows_.empty(); }

    // The whole breakdown as it is copied; kept as the last text copied.
    const std::string& copyAll();
    const std::string& lastCopied() const { return lastCopied_; }
    // The report of the breakdown; with none computed, the header row of the last copy.
    report::Document document(Date today) const;

private:
    std::vector<std::string> listNames_;
    std::vector<std::string> listNotices_;
    std::int16_t rememberedPosition_ = 0;
    std::string rememberedName_;
    RateList shownList_;
    std::int32_t divisor_ = interest::Divisor365;
    std::optional<BreakdownInputs> inputs_;
    std::vector<breakdown::RowCells> rows_;
    std::string totalText_;
    std::optional<report::BreakdownFacts> facts_;
    std::string lastCopied_;
};

} // namespace mirvane::app
