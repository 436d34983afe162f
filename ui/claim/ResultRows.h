#pragma once

// The rows of the claim window's result tables. A row is an item that makes its texts
// from the result the first time a view asks for them, so that a table of tens of
// thousands of slices makes the texts of the rows it draws, not of every row.

#include "core/interest/Breakdown.h"

#include <QStringList>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace mirvane::shell {
class ListView;
} // namespace mirvane::shell

// What a table shows: how many rows, and the texts of one of them.
struct ResultRows {
    std::size_t count = 0;
    std::function<QStringList(std::size_t row)> cells;
};

// Replaces the rows of `view` (whose columns are `columns`) with `rows`.
void showResultRows(mirvane::shell::ListView& view, ResultRows rows,
                    std::span<const mirvane::breakdown::Column> columns);

// The index of the row whose `field` is largest in magnitude, for ResultRows::widest.
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
