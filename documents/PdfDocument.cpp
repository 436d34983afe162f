#include "documents/PdfDocument.h"

#include "documents/ReportFace.h"
#include "shell/Convert.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <variant>
#include <vector>

namespace mirvane::pdf {

namespace {

using shell::toQString;

constexpr int Resolution = 300;
constexpr qreal MarginMm = 20;

// Lengths are given in points and drawn in the writer's device units.
constexpr qreal points(qreal value) {
    return value * Resolution / 72.0;
}

// A face with every Turkish letter that the PDF can embed (TrueType); the later
// ones stand in where the first is not installed, or where the PDF could not keep its
// bold apart (an installed face that cannot is still better than none).
QString reportFamily() {
    const QStringList installed = QFontDatabase::families();
    QString firstInstalled;
    for (const QString& family : {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                                  QStringLiteral("Arial")}) {
        if (!installed.contains(family)) {
            continue;
        }
        if (keepsBoldApart(family)) {
            return family;
        }
        if (firstInstalled.isEmpty()) {
            firstInstalled = family;
        }
    }
    return firstInstalled;
}

QFont reportFont(qreal size, bool bold = false) {
    // Chosen on the first report: the faces are all registered before any window opens.
    static const QString family = reportFamily();
    QFont font;
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    font.setPointSizeF(size);
    font.setBold(bold);
    return font;
}

int alignmentOf(report::Align align) {
    switch (align) {
    case report::Align::Centre:
        return Qt::AlignHCenter;
    case report::Align::Right:
        return Qt::AlignRight;
    case report::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// One thing to draw on a page: a text in its box, and for table cells the box's
// frame (shaded for a header cell).
struct Item {
    QRectF box;
    QString text;
    QFont font;
    QColor colour = Qt::black;
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    enum class Frame { None, Cell, HeaderCell } frame = Frame::None;
};

using Page = std::vector<Item>;

// Lays the blocks out top to bottom, starting a new page where the next piece does
// not fit; a table's header row goes first on every page the table runs onto.
// Each piece is measured once, so a report of thousands of rows takes as long as
// its rows.
class Paginator {
public:
    Paginator(const QPaintDevice& device, qreal width, qreal height)
        : device_(device), width_(width), height_(height) {}

    void operator()(const report::Heading& heading) {
        const bool title = heading.level <= 1;
        const QFont font = reportFont(title ? 16 : 12, true);
        const qreal before = y_ > 0 ? points(title ? 6 : 12) : 0;
        const qreal height = textHeight(font, width_, heading.text);
        // A heading stands with at least two lines of what follows it.
        breakUnlessRoom(before + height + points(30));
        y_ += y_ > 0 ? before : 0;
        place({QRectF(0, y_, width_, height), toQString(heading.text), font});
        y_ += height + points(4);
    }

    void operator()(const report::Paragraph& paragraph) {
        const QFont font = reportFont(10, paragraph.notice);
        const qreal height = textHeight(font, width_, paragraph.text);
        breakUnlessRoom(height);
        Item item{QRectF(0, y_, width_, height), toQString(paragraph.text), font};
        if (paragraph.notice) {
            item.colour = QColor(160, 0, 0);
        }
        place(std::move(item));
        y_ += height + points(2);
    }

    void operator()(const report::Table& table) {
        if (table.columns.empty()) {
            return;
        }
        y_ += y_ > 0 ? points(3) : 0;
        const std::vector<qreal> widths = columnWidths(table);
        std::vector<std::string> headers;
        for (const report::Column& column : table.columns) {
            headers.push_back(column.header);
        }
        const QFont headerFont = reportFont(9, table.headerBold);
        const qreal headerHeight = rowHeight(headers, widths, headerFont);
        const QFont bodyFont = reportFont(9);
        const QFont totalFont = reportFont(9, true);
        bool headerOnPage = false;
        for (std::size_t r = 0; r < table.rows.size() || !headerOnPage; ++r) {
            const bool hasRow = r < table.rows.size();
            const bool total = table.lastRowBold && r + 1 == table.rows.size();
            const QFont& font = total ? totalFont : bodyFont;
            const qreal height = hasRow ? rowHeight(table.rows[r], widths, font) : 0;
            if (!headerOnPage || y_ + height > height_) {
                breakUnlessRoom(headerHeight + height);
                placeRow(headers, widths, headerFont, headerHeight, nullptr);
                headerOnPage = true;
            }
            if (hasRow) {
                placeRow(table.rows[r], widths, font, height, &table);
            }
        }
        y_ += points(6);
    }

    std::vector<Page> pages() && { return std::move(pages_); }

private:
    qreal textHeight(const QFont& font, qreal width, const std::string& text) const {
        const QFontMetricsF metrics(font, &device_);
        const QRectF bounds = metrics.boundingRect(
            QRectF(0, 0, width, 1e9), Qt::AlignLeft | Qt::TextWordWrap, toQString(text));
        return std::max(bounds.height(), metrics.height());
    }

    std::vector<qreal> columnWidths(const report::Table& table) const {
        qreal total = 0;
        for (const report::Column& column : table.columns) {
            total += column.width > 0 ? column.width : 1;
        }
        std::vector<qreal> widths;
        for (const report::Column& column : table.columns) {
            widths.push_back(width_ * (column.width > 0 ? column.width : 1) / total);
        }
        return widths;
    }

    qreal rowHeight(const std::vector<std::string>& cells, const std::vector<qreal>& widths,
                    const QFont& font) const {
        qreal height = 0;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const std::string& text = c < cells.size() ? cells[c] : std::string();
            height = std::max(height, textHeight(font, widths[c] - 2 * Padding, text));
        }
        return std::min(height + 2 * Padding, height_);
    }

    // `table` is null for the header row, whose cells are left-aligned and shaded.
    void placeRow(const std::vector<std::string>& cells, const std::vector<qreal>& widths,
                  const QFont& font, qreal height, const report::Table* table) {
        qreal x = 0;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            Item item{QRectF(x, y_, widths[c], height),
                      toQString(c < cells.size() ? cells[c] : std::string()), font};
            const int align = table ? alignmentOf(table->columns[c].align) : Qt::AlignLeft;
            item.flags = align | Qt::AlignTop | Qt::TextWordWrap;
            item.frame = table ? Item::Frame::Cell : Item::Frame::HeaderCell;
            place(std::move(item));
            x += widths[c];
        }
        y_ += height;
    }

    void breakUnlessRoom(qreal height) {
        if (y_ > 0 && y_ + height > height_) {
            pages_.emplace_back();
            y_ = 0;
        }
    }

    void place(Item item) { pages_.back().push_back(std::move(item)); }

    static constexpr qreal Padding = points(2.5);

    const QPaintDevice& device_;
    qreal width_;
    qreal height_;
    qreal y_ = 0;
    std::vector<Page> pages_{1};
};

void drawItem(QPainter& painter, const Item& item) {
    constexpr qreal padding = points(2.5);
    if (item.frame != Item::Frame::None) {
        painter.setPen(QPen(QColor(110, 110, 110), points(0.5)));
        painter.setBrush(item.frame == Item::Frame::HeaderCell ? QBrush(QColor(230, 230, 230))
                                                               : QBrush(Qt::NoBrush));
        painter.drawRect(item.box);
    }
    painter.setPen(item.colour);
    painter.setFont(item.font);
    const QRectF text = item.frame == Item::Frame::None
                            ? item.box
                            : item.box.adjusted(padding, padding, -padding, -padding);
    painter.drawText(text, item.flags, item.text);
}

RunTimeError writeFailure(const QSaveFile& file) {
    const QString what = QStringLiteral("PDF dosyası yazılamadı: ") + file.fileName() +
                         QStringLiteral(" (") + file.errorString() + QLatin1Char(')');
    return errors::make(errors::PathFileAccessError, shell::toStdString(what));
}

} // namespace

Status write(const report::Document& document, const QString& file) {
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly)) {
        return writeFailure(output);
    }
    {
        QPdfWriter writer(&output);
        writer.setResolution(Resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(toQString(document.title));
        writer.setCreator(QStringLiteral("Mirvane"));
        const QRectF body = writer.pageLayout().paintRectPixels(Resolution);
        const qreal footerHeight = points(20);
        Paginator paginator(writer, body.width(), body.height() - footerHeight);
        for (const report::Block& block : document.blocks) {
            std::visit(paginator, block);
        }
        const std::vector<Page> pages = std::move(paginator).pages();

        QPainter painter;
        if (!painter.begin(&writer)) {
            return writeFailure(output);
        }
        const QFont footerFont = reportFont(8);
        for (std::size_t page = 0; page < pages.size(); ++page) {
            if (page > 0) {
                writer.newPage();
            }
            for (const Item& item : pages[page]) {
                drawItem(painter, item);
            }
            painter.setPen(Qt::black);
            painter.setFont(footerFont);
            painter.drawText(QRectF(0, body.height() - footerHeight, body.width(), footerHeight),
                             Qt::AlignHCenter | Qt::AlignBottom,
                             toQString(report::pageFooter(int(page) + 1, int(pages.size()))));
        }
        painter.end();
    }
    if (!output.commit()) {
        return writeFailure(output);
    }
    return {};
}

} // namespace mirvane::pdf
