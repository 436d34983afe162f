#pragma once

// A report as its writers (PDF, word processor) see it: a title, then headings,
// paragraphs and tables in reading order. Every text is final here, so each writer
// only lays it out and both give the same content.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mirvane::report {

struct Heading {
    std::string text;
    int level = 1; // 1: the report's own heading, 2: a section
};

struct Paragraph {
    std::string text;
    bool notice = false; // a warning the reader must not miss (shown in red)
};

enum class Align { Left, Centre, Right };

struct Column {
    std::string header;
    Align align = Align::Left;
    double width = 1.0; // relative to the other columns of the table
    // Free text (a description, a source) that may run over lines between its words;
    // every other cell of a table stays on one line.
    bool wraps = false;
};

// A table whose header row repeats on every page it runs onto.
struct Table {
    std::vector<Column> columns;
    std::vector<std::vector<std::string>> rows; // each as many cells as columns
    bool headerBold = true;
    bool lastRowBold = false; // a total row
};

using Block = std::variant<Heading, Paragraph, Table>;

struct Document {
    std::string title; // the file's title (PDF metadata); also the first heading
    std::vector<Block> blocks;
};

// The footer of each page: "Sayfa 2 / 5".
std::string pageFooter(int page, int pageCount);

} // namespace mirvane::report
