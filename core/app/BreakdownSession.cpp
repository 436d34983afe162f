#include "core/app/BreakdownSession.h"

#include "core/ratelist/RateListStore.h"
#include "core/text/Amount.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace mirvane::app {

std::string principalKey(const std::string& principalText) {
    const std::optional<double> amount = text::parseAmount(principalText);
    if (!amount) {
        return principalText;
    }
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", *amount);
    return digits;
}

std::optional<std::size_t> BreakdownSession::refresh(std::vector<std::string> names,
                                                     std::vector<std::string> notices,
                                                     const std::string& listToSelect) {
    listNames_ = std::move(names);
    listNotices_ = std::move(notices);
    const auto named = std::find(listNames_.begin(), listNames_.end(), rememberedName_);
    if (named != listNames_.end()) {
        rememberedPosition_ = std::int16_t(named - listNames_.begin());
    }
    std::string pending = listToSelect;
    return store::selectAfterRefresh(listNames_, pending, rememberedPosition_);
}

void BreakdownSession::rememberSelection(int row) {
    rememberedPosition_ = std::int16_t(row);
    rememberedName_ = nameAt(row);
}

void BreakdownSession::rememberSelection(std::int16_t position, std::string name) {
    rememberedPosition_ = position;
    rememberedName_ = std::move(name);
}

std::size_t BreakdownSession::removeList(std::size_t row) {
    if (row < listNames_.size()) {
        listNames_.erase(listNames_.begin() + std::ptrdiff_t(row));
    }
    return store::selectAfterDelete(row);
}

std::string BreakdownSession::nameAt(int row) const {
    return row >= 0 && std::size_t(row) < listNames_.size() ? listNames_[std::size_t(row)]
                                                            : std::string();
}

void BreakdownSession::showList(RateList list) {
    clearBreakdown();
    shownList_ = std::move(list);
}

void BreakdownSession::clearList() {
    clearBreakdown();
    shownList_ = {};
}

void BreakdownSession::setYear360(bool year360) {
    divisor_ = interest::dayCountDivisor(year360);
}

void BreakdownSession::startBreakdown(const BreakdownInputs& inputs) {
    clearBreakdown();
    inputs_ = inputs;
}

void BreakdownSession::addRow(breakdown::RowCells row) {
    rows_.push_back(std::move(row));
}

void BreakdownSession::finishBreakdown(std::string totalText, report::BreakdownFacts facts) {
    totalText_ = std::move(totalText);
    facts_ = std::move(facts);
}

bool BreakdownSession::inputsChanged(const BreakdownInputs& now) {
    if (!inputs_ || now == *inputs_) {
        return false;
    }
    clearBreakdown();
    return true;
}

void BreakdownSession::clearBreakdown() {
    inputs_.reset();
    rows_.clear();
    totalText_.clear();
    facts_.reset();
}

const std::string& BreakdownSession::copyAll() {
    lastCopied_ = breakdown::exportText(rows_, totalText_);
    return lastCopied_;
}

report::Document BreakdownSession::document(Date today) const {
    if (!facts_) {
        return {{}, {report::breakdownTable(lastCopied_)}};
    }
    return report::breakdownReport(*facts_, rows_, totalText_, today);
}

} // namespace mirvane::app
