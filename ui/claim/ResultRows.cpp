#include "ui/claim/ResultRows.h"

QString ResultRows::cell(int row, int column) {
    if (row < 0) {
        return {};
    }
    if (row != row_) {
        texts_ = cells_(std::size_t(row));
        row_ = row;
    }
    return column >= 0 && column < texts_.size() ? texts_[column] : QString();
}
