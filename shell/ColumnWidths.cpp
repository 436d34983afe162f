#include "shell/ColumnWidths.h"

#include "shell/PlainHeader.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QTreeView>
#include <algorithm>

namespace mirvane::shell {

Qt::Alignment alignmentOf(breakdown::Column::Align align) {
    switch (align) {
    case breakdown::Column::Align::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case breakdown::Column::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case breakdown::Column::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

void setUpReportTree(QTreeView& view) {
    // In place of the tree's own header, set up as the tree sets up its own.
    auto* plain = new PlainHeader(Qt::Horizontal, &view);
    plain->setDefaultAlignment(view.header()->defaultAlignment());
    plain->setSectionsClickable(view.header()->sectionsClickable());
    view.setHeader(plain);
    view.setRootIsDecorated(false);
    view.setItemsExpandable(false);
    view.setUniformRowHeights(true);
    view.setSortingEnabled(false);
    view.setAllColumnsShowFocus(true);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.header()->setSectionsMovable(false);
    view.header()->setStretchLastSection(false);
}

int cellTextMargins(const QTreeView& view) {
    return 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
}

void showCutCellText(QTreeView& view, QEvent* event) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = view.indexAt(help->pos());
    const QString text = index.data(Qt::DisplayRole).toString();
    if (index.isValid() &&
        view.viewport()->fontMetrics().horizontalAdvance(text) + cellTextMargins(view) >
            view.visualRect(index).width()) {
        QToolTip::showText(help->globalPos(), text, view.viewport(), view.visualRect(index));
    } else {
        QToolTip::hideText();
    }
}

void ColumnWidths::design(QTreeView& view, std::span<const breakdown::Column> columns) {
    const int total = view.width();
    amount_.clear();
    designed_.clear();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        amount_.push_back(columns[i].align == breakdown::Column::Align::Right);
        view.setColumnWidth(int(i), int(columns[i].widthFraction * total));
        designed_.push_back(view.columnWidth(int(i)));
    }
    designedWidth_ = total;
}

bool ColumnWidths::isAmount(int column) const {
    return column >= 0 && column < count() && amount_[std::size_t(column)];
}

bool ColumnWidths::fitAmount(const QTreeView& view, int column, const QString& text) {
    if (!isAmount(column)) {
        return false;
    }
    amountWidths_.resize(amount_.size(), 0);
    const int needed =
        view.viewport()->fontMetrics().horizontalAdvance(text) + cellTextMargins(view) + 4;
    int& widest = amountWidths_[std::size_t(column)];
    if (needed <= widest) {
        return false;
    }
    widest = needed;
    return needed > view.columnWidth(column);
}

void ColumnWidths::forgetAmounts() {
    amountWidths_.clear();
}

void ColumnWidths::apply(QTreeView& view) const {
    const int columns = view.header()->count();
    for (int i = 0; i < columns; ++i) {
        int width = view.columnWidth(i);
        if (designedWidth_ > 0 && std::size_t(i) < designed_.size()) {
            width = designed_[std::size_t(i)] * view.width() / designedWidth_;
        }
        if (std::size_t(i) < amountWidths_.size()) {
            width = std::max(width, amountWidths_[std::size_t(i)]);
        }
        if (width != view.columnWidth(i)) {
            view.setColumnWidth(i, width);
        }
    }
}

} // namespace mirvane::shell
