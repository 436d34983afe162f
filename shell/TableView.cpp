#include "shell/TableView.h"

#include "shell/Convert.h"
#include "shell/PlainHeader.h"

#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

namespace mirvane::shell {

namespace {

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

} // namespace

CellTableModel::CellTableModel(std::span<const breakdown::Column> columns,
                               std::function<int()> rowCount, Cell cell, QObject* parent)
    : QAbstractTableModel(parent), rowCount_(std::move(rowCount)), cell_(std::move(cell)) {
    for (const breakdown::Column& column : columns) {
        headers_ << toQString(column.header);
        alignments_.push_back(alignmentOf(column.align));
    }
}

void CellTableModel::change(const std::function<void()>& update) {
    beginResetModel();
    update();
    endResetModel();
}

int CellTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rowCount_();
}

int CellTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return cell_(index.row(), index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(alignments_[std::size_t(index.column())]);
    }
    return {};
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return headers_[section];
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(alignments_[std::size_t(section)]);
    }
    return {};
}

TableView::TableView(QWidget* parent) : QTreeView(parent) {
    // In place of the tree's own header, set up as the tree sets up its own.
    auto* plain = new PlainHeader(Qt::Horizontal, this);
    plain->setDefaultAlignment(header()->defaultAlignment());
    plain->setSectionsClickable(header()->sectionsClickable());
    setHeader(plain);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
}

void TableView::showModel(CellTableModel* model, std::span<const breakdown::Column> columns) {
    setModel(model);
    const int total = width();
    amountColumns_.clear();
    designedColumnWidths_.clear();
    for (int i = 0; i < int(columns.size()); ++i) {
        amountColumns_.push_back(columns[std::size_t(i)].align == breakdown::Column::Align::Right);
        setColumnWidth(i, int(columns[std::size_t(i)].widthFraction * total));
        designedColumnWidths_.push_back(columnWidth(i));
    }
    designedWidth_ = total;
    connect(model, &QAbstractItemModel::modelReset, this, &TableView::keepAmountsWhole);
    keepAmountsWhole();
}

int TableView::rowCount() const {
    return model() ? model()->rowCount() : 0;
}

QString TableView::cellText(int row, int column) const {
    return model() ? model()->index(row, column).data().toString() : QString();
}

void TableView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    applyColumnWidths();
}

int TableView::textMargins() const {
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
}

void TableView::keepAmountsWhole() {
    amountWidths_.assign(amountColumns_.size(), 0);
    const int margins = textMargins() + 4;
    const int rows = rowCount();
    for (std::size_t column = 0; column < amountColumns_.size(); ++column) {
        if (!amountColumns_[column]) {
            continue;
        }
        for (int row = 0; row < rows; ++row) {
            const int needed =
                viewport()->fontMetrics().horizontalAdvance(cellText(row, int(column))) + margins;
            amountWidths_[column] = std::max(amountWidths_[column], needed);
        }
    }
    applyColumnWidths();
}

void TableView::applyColumnWidths() {
    for (int i = 0; i < int(designedColumnWidths_.size()); ++i) {
        int width = designedColumnWidths_[std::size_t(i)];
        if (designedWidth_ > 0) {
            width = width * this->width() / designedWidth_;
        }
        if (std::size_t(i) < amountWidths_.size()) {
            width = std::max(width, amountWidths_[std::size_t(i)]);
        }
        if (width != columnWidth(i)) {
            setColumnWidth(i, width);
        }
    }
}

bool TableView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QTreeView::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.data(Qt::DisplayRole).toString();
    if (index.isValid() && viewport()->fontMetrics().horizontalAdvance(text) + textMargins() >
                               visualRect(index).width()) {
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
    } else {
        QToolTip::hideText();
    }
    return true;
}

} // namespace mirvane::shell
