#pragma once

// Columns at least as wide as their texts, sharing out what room the window leaves
// them: amounts are never cut, and a wide window is not left to the last column.

#include <QObject>
#include <vector>

class QTreeView;

// A column is measured on the rows on display and on the rows with its longest texts,
// never on every row: a table of tens of thousands of rows is measured in a moment.
class ColumnSpread : public QObject {
public:
    // Where the longest texts are: found by reading every row's texts (rows that hold
    // their texts), or given (rows that make their texts when asked, setWidestRows).
    enum class Widest { Found, Given };

    // `growing`: the columns that take the room left (all when empty).
    // The view's model is the one it keeps.
    ColumnSpread(QTreeView* view, std::vector<int> growing, Widest widest = Widest::Found);

    // The rows with the widest texts (the largest amounts), measured as well.
    void setWidestRows(std::vector<int> rows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void later();
    void spread();
    // The width column `column` needs for the texts of the rows measured beside those
    // on display.
    int widestText(int column) const;

    QTreeView* view_;
    std::vector<int> growing_;
    Widest widest_;
    std::vector<int> widestRows_;
    bool queued_ = false;
};
