#pragma once

// What the program's report-style tables share, whether they hold their own rows
// (ListView) or show a model (TableView): the look of a tree without branches, the
// columns' shares of the width, amounts never cut and the tooltip of a cut cell.

#include "core/interest/Breakdown.h"

#include <QString>
#include <span>
#include <vector>

class QEvent;
class QTreeView;

namespace mirvane::shell {

// How a column's cells and heading stand.
Qt::Alignment alignmentOf(breakdown::Column::Align align);

// One line per row, rows selected whole, one at a time; headers neither movable nor
// stretched, drawn by PlainHeader.
void setUpReportTree(QTreeView& view);

// The room a cell's text leaves on either side, both sides together.
int cellTextMargins(const QTreeView& view);

// For a tooltip event: a cell too narrow for its text shows the whole text as a
// tooltip, any other place none.
void showCutCellText(QTreeView& view, QEvent* event);

// The columns keep their shares of the view's width when it grows; right-aligned
// columns hold amounts, which are never cut: such a column grows to its widest text
// (the view scrolls sideways if it must).
class ColumnWidths {
public:
    // Each column its share of the view's width at the moment of the call.
    void design(QTreeView& view, std::span<const breakdown::Column> columns);

    int count() const { return int(amount_.size()); }
    bool isAmount(int column) const;

    // Makes room for `text` in column `column` if it holds amounts; true when the
    // column is now too narrow for it.
    bool fitAmount(const QTreeView& view, int column, const QString& text);
    void forgetAmounts();

    // Gives each column its share of the view's width as it is now.
    void apply(QTreeView& view) const;

private:
    std::vector<bool> amount_;
    std::vector<int> designed_;
    int designedWidth_ = 0;
    std::vector<int> amountWidths_;
};

} // namespace mirvane::shell
