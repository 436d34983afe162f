#include "ui/claim/ColumnSpread.h"

#include "shell/Controls.h"

#include <QEvent>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

ColumnSpread::ColumnSpread(QTreeView* view, std::vector<int> growing, Widest widest)
    : QObject(view), view_(view), growing_(std::move(growing)), widest_(widest) {
    if (auto* list = qobject_cast<mirvane::shell::ListView*>(view)) {
        list->leaveWidthsToCaller();
    }
    view->header()->setStretchLastSection(false);
    view->header()->setSectionResizeMode(QHeaderView::Fixed);
    // The view's own measure takes the rows on display only.
    view->header()->setResizeContentsPrecision(0);
    view->viewport()->installEventFilter(this);
    QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &ColumnSpread::later);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ColumnSpread::later);
    connect(model, &QAbstractItemModel::modelReset, this, &ColumnSpread::later);
    connect(model, &QAbstractItemModel::dataChanged, this, &ColumnSpread::later);
}

void ColumnSpread::setWidestRows(std::vector<int> rows) {
    widestRows_ = std::move(rows);
    later();
}

int ColumnSpread::widestText(int column) const {
    const QAbstractItemModel& model = *view_->model();
    std::vector<int> rows = widestRows_;
    if (widest_ == Widest::Found) {
        int longest = -1;
        qsizetype length = -1;
        for (int row = 0; row < model.rowCount(); ++row) {
            const qsizetype here = model.index(row, column).data().toString().size();
            if (here > length) {
                length = here;
                longest = row;
            }
        }
        rows.assign(1, longest);
    }
    int width = 0;
    for (const int row : rows) {
        if (row >= 0 && row < model.rowCount()) {
            width = std::max(width, view_->sizeHintForIndex(model.index(row, column)).width());
        }
    }
    return width;
}

bool ColumnSpread::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        later();
    }
    return QObject::eventFilter(watched, event);
}

void ColumnSpread::later() {
    if (queued_) {
        return;
    }
    queued_ = true;
    QTimer::singleShot(0, this, [this] {
        queued_ = false;
        spread();
    });
}

void ColumnSpread::spread() {
    // QTreeView hides the measure it uses for its own column fitting; the item view's
    // public one reaches it.
    const QAbstractItemView& measured = *view_;
    const int columns = view_->model()->columnCount();
    std::vector<int> widths(std::size_t(columns), 0);
    int total = 0;
    for (int c = 0; c < columns; ++c) {
        int& width = widths[std::size_t(c)];
        width = std::max(view_->header()->sectionSizeHint(c), measured.sizeHintForColumn(c));
        width = std::max(width, widestText(c));
        total += width;
    }
    const int room = view_->viewport()->width() - total;
    std::vector<int> growing = growing_;
    if (growing.empty()) {
        for (int c = 0; c < columns; ++c) {
            growing.push_back(c);
        }
    }
    for (std::size_t k = 0; room > 0 && k < growing.size(); ++k) {
        const int share =
            room / int(growing.size()) + (k < std::size_t(room % int(growing.size())) ? 1 : 0);
        widths[std::size_t(growing[k])] += share;
    }
    for (int c = 0; c < columns; ++c) {
        view_->setColumnWidth(c, widths[std::size_t(c)]);
    }
}
