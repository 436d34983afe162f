#pragma once

// Reading a written PDF back with poppler's tools: its text, its page size and
// fonts, and whether a page has anything drawn on it.

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace guitest {

inline bool popplerInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The standard output of a poppler tool; empty when it fails.
inline QString popplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of every page, each page ending in a form feed.
inline QString pdfText(const QString& file) {
    return popplerOutput(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
}

inline QString pdfInfo(const QString& file) {
    return popplerOutput(QStringLiteral("pdfinfo"), {file});
}

// One line per font after pdffonts' two header lines.
inline QStringList pdfFontLines(const QString& file) {
    QStringList lines = popplerOutput(QStringLiteral("pdffonts"), {file})
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.mid(2);
}

// The share of the page's pixels that are not white, rendered small in grey.
inline double inkedShare(const QString& file, int page) {
    QTemporaryDir folder;
    const QString stem = folder.filePath(QStringLiteral("page"));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("40"),
                  QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                  QString::number(page), QStringLiteral("-singlefile"), file, stem});
    if (!render.waitForFinished(60000) || render.exitCode() != 0) {
        return -1;
    }
    const QImage image(stem + QStringLiteral(".pgm"));
    if (image.isNull()) {
        return -1;
    }
    qint64 inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            inked += qGray(image.pixel(x, y)) < 200;
        }
    }
    return double(inked) / double(image.width() * image.height());
}

} // namespace guitest
