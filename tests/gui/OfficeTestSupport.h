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

namespace guitest {

inline bool libreOfficeInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty();
}

// The HTML LibreOffice makes of `file`; empty when the conversion fails.
inline QString convertToHtml(const QString& file, const QTemporaryDir& work) {
    QProcess convert;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), work.path());
    convert.setProcessEnvironment(environment);
    convert.start(QStandardPaths::findExecutable(QStringLiteral("soffice")),
                  {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                   QStringLiteral("-env:UserInstallation=") +
                       QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString(),
                   QStringLiteral("--convert-to"), QStringLiteral("html"),
                   QStringLiteral("--outdir"), work.filePath(QStringLiteral("out")), file});
    if (!convert.waitForFinished(180000) || convert.exitCode() != 0)
        return {};
    QFile converted(work.filePath(QStringLiteral("out/")) + QFileInfo(file).completeBaseName() +
                    QStringLiteral(".html"));
    if (!converted.open(QIODevice::ReadOnly))
        return {};
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
