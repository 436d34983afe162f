#pragma once

// The rows of the claim window's result tables, read by a table model as they are
// drawn: a table of tens of thousands of slices makes the texts of the rows in sight,
// not of every row.

#include <QStringList>
#include <cstddef>
#include <functional>
#include <vector>

// The texts of one row at a time. A view asks for the cells of a row one after another,
// so the row last made is kept until the rows behind it change (forget()).
class ResultRows {
public:
    using Cells = std::function<QStringList(std::size_t row)>;

    explicit ResultRows(Cells cells) : cells_(std::move(cells)) {}

    QString cell(int row, int column);
    // The rows behind the texts changed.
    void forget() { row_ = -1; }

private:
    Cells cells_;
    int row_ = -1;
    QStringList texts_;
};

// The index of the row whose `field` is largest in magnitude, for the column widths.
template <class Row, class Field>
std::size_t widestRow(const std::vector<Row>& rows, Field Row::*field) {
    std::size_t widest = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto value = rows[i].*field;
        const auto best = rows[widest].*field;
        if ((value < 0 ? -value : value) > (best < 0 ? -best : best)) {
            widest = i;
        }
    }
    return widest;
}
