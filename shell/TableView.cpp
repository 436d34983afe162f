#include "shell/TableView.h"

#include "shell/ColumnWidths.h"
#include "shell/Convert.h"

#include <QEvent>

namespace mirvane::shell {

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
    setUpReportTree(*this);
}

void TableView::showModel(CellTableModel* model, std::span<const breakdown::Column> columns) {
    setModel(model);
    widths_.design(*this, columns);
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
    widths_.apply(*this);
}

void TableView::keepAmountsWhole() {
    widths_.forgetAmounts();
    const int rows = rowCount();
    for (int column = 0; column < widths_.count(); ++column) {
        if (!widths_.isAmount(column)) {
            continue;
        }
        for (int row = 0; row < rows; ++row) {
            widths_.fitAmount(*this, column, cellText(row, column));
        }
    }
    widths_.apply(*this);
}

bool TableView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QTreeView::viewportEvent(event);
    }
    showCutCellText(*this, event);
    return true;
}

} // namespace mirvane::shell
