#pragma once

// Reading one part of an office document (a zip package) back.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <zip.h>

namespace guitest {

// The part's bytes; empty when the package or the part cannot be read.
inline QByteArray readPart(const QString& file, const char* part) {
    int error = 0;
    // libzip reads a name in the system's encoding, except on Windows, where it takes UTF-8.
#ifdef Q_OS_WIN
    const QByteArray name = file.toUtf8();
#else
    const QByteArray name = QFile::encodeName(file);
#endif
    zip_t* archive = zip_open(name.constData(), ZIP_RDONLY, &error);
    if (!archive) {
        return {};
    }
    QByteArray content;
    zip_stat_t stat;
    zip_file_t* entry = nullptr;
    if (zip_stat(archive, part, 0, &stat) == 0 && (entry = zip_fopen(archive, part, 0))) {
        content.resize(qsizetype(stat.size));
        if (zip_fread(entry, content.data(), stat.size) != zip_int64_t(stat.size)) {
            content.clear();
        }
        zip_fclose(entry);
    }
    zip_close(archive);
    return content;
}

} // namespace guitest
