#include "ui/report/PdfDocument.h"

#include "shell/Convert.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <variant>

namespace mirvane::pdf {

namespace {

using shell::toQString;

// Device units are 1/96 inch, the unit the text layout takes lengths in.
constexpr int Resolution = 96;
constexpr qreal MarginMm = 20;
constexpr qreal FooterHeight = 28;
constexpr qreal CellPadding = 3;

// A face with every Turkish letter that the PDF can embed (TrueType); the later
// ones stand in where the first is not installed.
QFont reportFont(qreal points) {
    QFont font;
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Liberation Sans", "DejaVu Sans", "Arial"}) {
        if (installed.contains(QString::fromLatin1(family))) {
            font.setFamily(QString::fromLatin1(family));
            break;
        }
    }
    font.setPointSizeF(points);
    return font;
}

QTextCharFormat textFormat(qreal points, bool bold, QColor colour = Qt::black) {
    QTextCharFormat format;
    format.setFont(reportFont(points));
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setForeground(colour);
    return format;
}

Qt::Alignment alignmentOf(report::Align align) {
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

class Composer {
public:
    explicit Composer(QTextDocument& document) : cursor_(&document) {}

    void operator()(const report::Heading& heading) {
        QTextBlockFormat block;
        block.setTopMargin(heading.level == 1 ? 0 : 14);
        block.setBottomMargin(6);
        block.setHeadingLevel(heading.level);
        startBlock(block);
        cursor_.insertText(toQString(heading.text), textFormat(heading.level == 1 ? 16 : 12, true));
    }

    void operator()(const report::Paragraph& paragraph) {
        QTextBlockFormat block;
        block.setBottomMargin(3);
        startBlock(block);
        cursor_.insertText(toQString(paragraph.text),
                           textFormat(10, paragraph.notice,
                                      paragraph.notice ? QColor(160, 0, 0) : QColor(Qt::black)));
    }

    void operator()(const report::Table& table) {
        startBlock(QTextBlockFormat());
        const int rows = int(table.rows.size()) + 1;
        const int columns = int(table.columns.size());
        QTextTable* inserted = cursor_.insertTable(rows, columns, tableFormat(table));
        for (int c = 0; c < columns; ++c) {
            const report::Column& column = table.columns[std::size_t(c)];
            fillCell(*inserted, 0, c, column.header, Qt::AlignLeft, table.headerBold);
            for (int r = 1; r < rows; ++r) {
                const auto& row = table.rows[std::size_t(r) - 1];
                const bool bold = table.lastRowBold && r == rows - 1;
                fillCell(*inserted, r, c,
                         std::size_t(c) < row.size() ? row[std::size_t(c)] : std::string(),
                         alignmentOf(column.align), bold);
            }
        }
        cursor_.movePosition(QTextCursor::End);
        startedTable_ = true;
    }

private:
    // The document starts with an empty block, which the first text takes.
    void startBlock(const QTextBlockFormat& format) {
        if (first_) {
            first_ = false;
            cursor_.setBlockFormat(format);
            return;
        }
        if (startedTable_) {
            // Space between a table and what follows it.
            QTextBlockFormat after = format;
            after.setTopMargin(std::max<qreal>(format.topMargin(), 8));
            cursor_.insertBlock(after);
            startedTable_ = false;
            return;
        }
        cursor_.insertBlock(format);
    }

    static QTextTableFormat tableFormat(const report::Table& table) {
        QTextTableFormat format;
        format.setHeaderRowCount(1);
        format.setBorder(0.6);
        format.setBorderBrush(QColor(90, 90, 90));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(CellPadding);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        double total = 0;
        for (const report::Column& column : table.columns)
            total += column.width;
        QList<QTextLength> widths;
        for (const report::Column& column : table.columns)
            widths << QTextLength(QTextLength::PercentageLength, 100.0 * column.width / total);
        format.setColumnWidthConstraints(widths);
        return format;
    }

    static void fillCell(QTextTable& table, int row, int column, const std::string& text,
                         Qt::Alignment alignment, bool bold) {
        QTextTableCell cell = table.cellAt(row, column);
        if (row == 0) {
            QTextTableCellFormat shaded = cell.format().toTableCellFormat();
            shaded.setBackground(QColor(230, 230, 230));
            cell.setFormat(shaded);
        }
        QTextCursor cursor = cell.firstCursorPosition();
        QTextBlockFormat block;
        block.setAlignment(alignment);
        cursor.setBlockFormat(block);
        cursor.insertText(toQString(text), textFormat(9, bold));
    }

    QTextCursor cursor_;
    bool first_ = true;
    bool startedTable_ = false;
};

RunTimeError writeFailure(const QSaveFile& file) {
    const QString what = QStringLiteral("PDF dosyası yazılamadı: ") + file.fileName() +
                         QStringLiteral(" (") + file.errorString() + QLatin1Char(')');
    return errors::make(errors::PathFileAccessError, shell::toStdString(what));
}

void drawPages(QPdfWriter& writer, QTextDocument& document, qreal bodyHeight) {
    QPainter painter(&writer);
    const qreal width = document.pageSize().width();
    const int pages = document.pageCount();
    const QFont footerFont = reportFont(8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.setClipRect(QRectF(0, 0, width, bodyHeight));
        painter.translate(0, -page * bodyHeight);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * bodyHeight, width, bodyHeight);
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, bodyHeight, width, FooterHeight), Qt::AlignCenter,
                         toQString(report::pageFooter(page + 1, pages)));
    }
}

} // namespace

Status write(const report::Document& document, const QString& file) {
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly))
        return writeFailure(output);
    {
        QPdfWriter writer(&output);
        writer.setResolution(Resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(toQString(document.title));
        writer.setCreator(QStringLiteral("Mirvane"));

        QTextDocument text;
        text.documentLayout()->setPaintDevice(&writer);
        text.setDefaultFont(reportFont(10));
        text.setDocumentMargin(0);
        const QRectF body = writer.pageLayout().paintRectPixels(Resolution);
        const qreal bodyHeight = body.height() - FooterHeight;
        text.setPageSize(QSizeF(body.width(), bodyHeight));
        Composer composer(text);
        for (const report::Block& block : document.blocks)
            std::visit(composer, block);
        drawPages(writer, text, bodyHeight);
    }
    if (output.error() != QFileDevice::NoError || !output.commit())
        return writeFailure(output);
    return {};
}

} // namespace mirvane::pdf
