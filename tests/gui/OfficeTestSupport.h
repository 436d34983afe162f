#pragma once

// Reading a word-processor document back through LibreOffice: converted headless
// to HTML with a profile of its own, its tables taken out as rows of cell texts.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>

namespace guitest {

inline bool libreOfficeInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty();
}

// How long a conversion may take: a first start makes a whole profile, and on a
// machine busy with other tests that alone can take minutes. QtTest's own limit for a
// test function (QTEST_FUNCTION_TIMEOUT, tests/gui/CMakeLists.txt) is well above it.
constexpr int LibreOfficeTime = 600000;

// The path a converted file has.
inline QString convertedFile(const QString& file, const QTemporaryDir& work,
                             const QString& suffix) {
    return work.filePath(QStringLiteral("out/")) + QFileInfo(file).completeBaseName() +
           QLatin1Char('.') + suffix;
}

// One run of LibreOffice, headless, with a profile of its own (a LibreOffice the user
// has open is not disturbed), converting `files` into `work`/out as `format`.
inline bool runLibreOffice(const QStringList& files, const QTemporaryDir& work,
                           const QString& format) {
    QProcess convert;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), work.path());
    convert.setProcessEnvironment(environment);
    convert.start(
        QStandardPaths::findExecutable(QStringLiteral("soffice")),
        QStringList{QStringLiteral("--headless"), QStringLiteral("--norestore"),
                    QStringLiteral("-env:UserInstallation=") +
                        QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString(),
                    QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"),
                    work.filePath(QStringLiteral("out"))} +
            files);
    return convert.waitForFinished(LibreOfficeTime) &&
           convert.exitStatus() == QProcess::NormalExit && convert.exitCode() == 0;
}

// Converts `files` with LibreOffice into `work`/out as `format`. LibreOffice ends with 0
// even when it wrote nothing, so what counts is that every converted file is there. A
// run that leaves one out is made once more, with the profile the first run made: what
// these tests check is the document, not LibreOffice's first start beside other tests;
// a document LibreOffice cannot read fails both runs.
inline bool convertWithLibreOffice(const QStringList& files, const QTemporaryDir& work,
                                   const QString& format) {
    const QString suffix = format.section(QLatin1Char(':'), 0, 0);
    const auto allConverted = [&] {
        return std::all_of(files.begin(), files.end(), [&](const QString& file) {
            return QFileInfo::exists(convertedFile(file, work, suffix));
        });
    };
    for (int run = 0; run < 2; ++run) {
        if (runLibreOffice(files, work, format) && allConverted()) {
            return true;
        }
    }
    return false;
}

// The HTML LibreOffice makes of `file`; empty when the conversion fails.
inline QString convertToHtml(const QString& file, const QTemporaryDir& work) {
    if (!convertWithLibreOffice({file}, work, QStringLiteral("html"))) {
        return {};
    }
    QFile converted(convertedFile(file, work, QStringLiteral("html")));
    if (!converted.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(converted.readAll());
}

// The tables of LibreOffice's HTML, each as rows of cell texts.
inline QList<QList<QStringList>> htmlTables(const QString& html) {
    static const QRegularExpression tablePattern(QStringLiteral("<table[^>]*>(.*?)</table>"),
                                                 QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression rowPattern(QStringLiteral("<tr[^>]*>(.*?)</tr>"),
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellPattern(QStringLiteral("<t[dh][^>]*>(.*?)</t[dh]>"),
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QList<QList<QStringList>> tables;
    for (const auto& table : tablePattern.globalMatch(html)) {
        tables.append(QList<QStringList>());
        for (const auto& row : rowPattern.globalMatch(table.captured(1))) {
            QStringList cells;
            for (const auto& cell : cellPattern.globalMatch(row.captured(1))) {
                QString text = cell.captured(1).remove(tag).simplified();
                text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
                text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
                text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
                text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
                cells << text;
            }
            tables.last().append(cells);
        }
    }
    return tables;
}

} // namespace guitest
