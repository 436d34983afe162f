#include "documents/ReportFace.h"

#include <QByteArray>
#include <QFont>
#include <QRawFont>
#include <QtEndian>

namespace mirvane::pdf {

namespace {

constexpr quint16 UniqueNameId = 3;

quint16 read16(const QByteArray& table, qsizetype at) {
    return qFromBigEndian<quint16>(table.constData() + at);
}

// The unique name of the face Windows draws `font` in: the bytes of the first record of
// that name in the font's naming table, empty when it has none.
QByteArray uniqueName(const QFont& font) {
    const QByteArray table = QRawFont::fromFont(font).fontTable("name");
    constexpr qsizetype HeaderSize = 6;
    constexpr qsizetype RecordSize = 12;
    if (table.size() < HeaderSize) {
        return {};
    }
    const quint16 count = read16(table, 2);
    const quint16 strings = read16(table, 4);
    for (qsizetype record = HeaderSize;
         record + RecordSize <= table.size() && record < HeaderSize + count * RecordSize;
         record += RecordSize) {
        if (read16(table, record + 6) != UniqueNameId) {
            continue;
        }
        const qsizetype start = strings + read16(table, record + 10);
        const qsizetype length = read16(table, record + 8);
        if (start + length <= table.size()) {
            return table.mid(start, length);
        }
    }
    return {};
}

} // namespace

bool keepsBoldApart(const QString& family) {
    QFont regular(family);
    QFont bold(family);
    bold.setBold(true);
    const QByteArray regularName = uniqueName(regular);
    return regularName.isEmpty() || regularName != uniqueName(bold);
}

} // namespace mirvane::pdf
