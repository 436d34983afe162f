#pragma once

// A claim computed for a test, and a report read back as lines of text.

#include "core/claim/ClaimEngine.h"
#include "core/report/Report.h"

#include <algorithm>
#include <cstddef>
#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

namespace mirvane::testing {

// The result of a claim the test expects to compute; a refusal fails the test with its
// message and gives an empty result.
inline claim::ClaimResult computed(const claim::ClaimOutcome& outcome) {
    if (const auto* refusal = std::get_if<claim::Refusal>(&outcome)) {
        ADD_FAILURE() << refusal->message;
        return {};
    }
    return std::get<claim::ClaimResult>(outcome);
}

inline claim::ClaimResult computed(const claim::ClaimFile& file) {
    return computed(claim::compute(file));
}

// Each block as one line: "# " and the heading, the paragraph, or a table's rows with
// their cells joined by " | " (the header row first; empty leading cells add no
// separator).
inline std::vector<std::string> lines(const report::Document& document) {
    const auto join = [](const std::vector<std::string>& cells) {
        std::string line;
        for (const std::string& cell : cells) {
            line += (line.empty() ? "" : " | ") + cell;
        }
        return line;
    };
    std::vector<std::string> texts;
    for (const report::Block& block : document.blocks) {
        if (const auto* heading = std::get_if<report::Heading>(&block)) {
            texts.push_back("# " + heading->text);
        } else if (const auto* paragraph = std::get_if<report::Paragraph>(&block)) {
            texts.push_back(paragraph->text);
        } else {
            const auto& table = std::get<report::Table>(block);
            std::vector<std::string> header;
            for (const report::Column& column : table.columns) {
                header.push_back(column.header);
            }
            texts.push_back(join(header));
            for (const auto& row : table.rows) {
                texts.push_back(join(row));
            }
        }
    }
    return texts;
}

// Where the line is among the texts, -1 when it is not.
inline std::ptrdiff_t positionOf(const std::vector<std::string>& texts, const std::string& line) {
    const auto found = std::find(texts.begin(), texts.end(), line);
    return found == texts.end() ? -1 : found - texts.begin();
}

inline bool holds(const std::vector<std::string>& texts, const std::string& line) {
    return positionOf(texts, line) != -1;
}

// Whether any of the texts contains `part`.
inline bool mentions(const std::vector<std::string>& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return text.find(part) != std::string::npos;
    });
}

} // namespace mirvane::testing
