#pragma once

// A report-style table over a model: one line per row, one column per heading. The view
// asks the model only for the rows in sight.

#include "core/interest/Breakdown.h"
#include "shell/ColumnWidths.h"

#include <QAbstractTableModel>
#include <QTreeView>
#include <functional>
#include <span>
#include <vector>

namespace mirvane::shell {

// Rows of texts that live elsewhere (a session's rows), read through `cell` as they are
// drawn.
class CellTableModel final : public QAbstractTableModel {
public:
    using Cell = std::function<QString(int row, int column)>;

    CellTableModel(std::span<const breakdown::Column> columns, std::function<int()> rowCount,
                   Cell cell, QObject* parent);

    // Runs `update`, which changes the rows behind the model, so that the views let go of
    // the old rows before and read the new ones after.
    void change(const std::function<void()>& update);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    std::vector<Qt::Alignment> alignments_;
    std::function<int()> rowCount_;
    Cell cell_;
};

class TableView : public QTreeView {
    Q_OBJECT
public:
    explicit TableView(QWidget* parent = nullptr);

    // Shows the model with the columns' widths as fractions of the view's width at the
    // moment of the call.
    void showModel(CellTableModel* model, std::span<const breakdown::Column> columns);

    int rowCount() const;
    // The text of cell `column` of row `row` (0-based).
    QString cellText(int row, int column) const;

protected:
    // A cell too narrow for its text shows the whole text as a tooltip.
    bool viewportEvent(QEvent* event) override;
    // The columns keep their shares of the view's width when it grows.
    void resizeEvent(QResizeEvent* event) override;

private:
    // Measures the amounts of every row again.
    void keepAmountsWhole();

    ColumnWidths widths_;
};

} // namespace mirvane::shell
