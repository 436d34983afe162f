#pragma once

// The comparison of the main calculation with its alternatives, as the summary tab
// shows it: one row per figure (balance, principal left, unpaid interest, interest
// before and after filing, filing total), one column for the main calculation and one
// per alternative.

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class KarsilastirmaModeli : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Computes the file's alternatives beside `main`, the file's own result.
    void setResults(const mirvane::claim::ClaimFile& file, const mirvane::claim::ClaimResult& main);
    void clear();
    // Whether there is anything to compare: the file has alternatives.
    bool hasAlternatives() const { return columns_.size() > 1; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList headers_;
    std::vector<QStringList> columns_; // each as many cells as there are figures
    QStringList toolTips_;             // what each alternative changes
};
