#include "ui/claim/KarsilastirmaModeli.h"

#include "core/claim/Alternatives.h"
#include "shell/Convert.h"

using namespace mirvane;
using shell::toQString;

void KarsilastirmaModeli::setResults(const claim::ClaimFile& file, const claim::ClaimResult& main) {
    beginResetModel();
    headers_ = {QStringLiteral("Ana hesap")};
    toolTips_ = {QString()};
    columns_.clear();
    QStringList mainCells;
    for (const std::string& cell : claim::comparisonCells(main)) {
        mainCells << toQString(cell);
    }
    columns_.push_back(mainCells);
    const std::vector<claim::ClaimOutcome> outcomes = claim::computeAlternatives(file);
    for (std::size_t k = 0; k < outcomes.size(); ++k) {
        const claim::Alternative& alternative = file.alternatives[k];
        headers_ << toQString(claim::alternativeTitle(alternative, k));
        QString tip = toQString(claim::changeText(file, alternative.change));
        QStringList cells;
        if (const auto* result = std::get_if<claim::ClaimResult>(&outcomes[k])) {
            for (const std::string& cell : claim::comparisonCells(*result)) {
                cells << toQString(cell);
            }
            tip += QStringLiteral("; ") +
                   toQString(claim::balanceDifferenceText(main.balance, result->balance));
        } else {
            for (int r = 0; r < mainCells.size(); ++r) {
                cells << QStringLiteral("—");
            }
            tip += QStringLiteral("; ") + toQString(std::get<claim::Refusal>(outcomes[k]).message);
        }
        columns_.push_back(cells);
        toolTips_ << tip;
    }
    endResetModel();
}

void KarsilastirmaModeli::clear() {
    beginResetModel();
    headers_.clear();
    columns_.clear();
    toolTips_.clear();
    endResetModel();
}

int KarsilastirmaModeli::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || columns_.empty() ? 0 : int(claim::comparisonLabels().size());
}

int KarsilastirmaModeli::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant KarsilastirmaModeli::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || std::size_t(index.column()) >= columns_.size()) {
        return {};
    }
    const QStringList& column = columns_[std::size_t(index.column())];
    if (role == Qt::DisplayRole && index.row() < column.size()) {
        return column[index.row()];
    }
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role == Qt::ToolTipRole && index.column() < toolTips_.size() &&
        !toolTips_[index.column()].isEmpty()) {
        return toolTips_[index.column()];
    }
    return {};
}

QVariant KarsilastirmaModeli::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && section < toolTips_.size() &&
        !toolTips_[section].isEmpty()) {
        return toolTips_[section];
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return section < headers_.size() ? headers_[section] : QVariant();
    }
    const auto& labels = claim::comparisonLabels();
    return std::size_t(section) < labels.size() ? toQString(labels[std::size_t(section)])
                                                : QVariant();
}
