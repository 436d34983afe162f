#include "ui/claim/ResultRows.h"

#include "shell/Controls.h"

#include <QTreeWidgetItem>
#include <algorithm>

namespace {

using mirvane::breakdown::Column;

Qt::Alignment alignmentOf(Column::Align align) {
    switch (align) {
    case Column::Align::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Column::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Column::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// What the rows of one filling share.
struct Shared {
    ResultRows rows;
    std::vector<Qt::Alignment> alignments;
};

class LazyRow : public QTreeWidgetItem {
public:
    LazyRow(std::shared_ptr<const Shared> shared, std::size_t row)
        : shared_(std::move(shared)), row_(row) {}

    QVariant data(int column, int role) const override {
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            if (!made_) {
                cells_ = shared_->rows.cells(row_);
                made_ = true;
            }
            return column >= 0 && column < cells_.size() ? cells_[column] : QString();
        }
        if (role == Qt::TextAlignmentRole && column >= 0 &&
            std::size_t(column) < shared_->alignments.size()) {
            return int(shared_->alignments[std::size_t(column)]);
        }
        return QTreeWidgetItem::data(column, role);
    }

private:
    std::shared_ptr<const Shared> shared_;
    std::size_t row_;
    mutable QStringList cells_;
    mutable bool made_ = false;
};

} // namespace

void showResultRows(mirvane::shell::ListView& view, ResultRows rows,
                    std::span<const Column> columns) {
    auto shared = std::make_shared<Shared>();
    for (const Column& column : columns) {
        shared->alignments.push_back(alignmentOf(column.align));
    }
    shared->rows = std::move(rows);
    view.removeAllRows();
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(shared->rows.count));
    for (std::size_t row = 0; row < shared->rows.count; ++row) {
        items.append(new LazyRow(shared, row));
    }
    view.addTopLevelItems(items);
}
