#include "shell/FusionPictures.h"

#include "shell/BarePixels.h"

#include <QApplication>
#include <QFileInfo>
#include <QPixmapCache>
#include <QResource>
#include <QStyle>
#include <cstddef>

namespace mirvane::shell {

namespace {

// Fusion draws a group box's frame from a PNG in Qt's resources through QPixmap's
// file loader. That loader lets every installed image plugin (JPEG, GIF, SVG with
// the whole SVG library, ...) bid for the file before PNG's own reader, so the first
// group box drawn would load them all: about half a megabyte and a few milliseconds
// of every start for pictures the program never shows. Even reading the PNG here
// through Qt's image reader would make Qt look through the plugins' folder. So the
// build takes the frame from Qt as bare pixels, and the start puts them under the
// key the loader looks up first. Should Qt ever form its key otherwise, only the
// saving is lost.
const QString GroupBoxFrame =
    QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

// The loader's key writes each number as its bytes in memory order, low digit first.
template <class Number> QString keyDigits(Number value) {
    static constexpr char Digits[] = "0123456789abcdef";
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    QString digits;
    for (std::size_t i = 0; i < sizeof value; ++i) {
        digits += QLatin1Char(Digits[bytes[i] & 0xf]);
        digits += QLatin1Char(Digits[bytes[i] >> 4]);
    }
    return digits;
}

QString loaderKey(const QFileInfo& picture) {
    constexpr unsigned PlainPixmap = 0;
    return QStringLiteral("qt_pixmap") + picture.absoluteFilePath() +
           keyDigits(unsigned(picture.lastModified().toSecsSinceEpoch())) +
           keyDigits(quint64(picture.size())) + keyDigits(PlainPixmap);
}

// The pixels the build took from Qt's picture, when the Qt the program runs on still
// has the same picture; otherwise a null picture, and Qt reads its own.
QImage builtPixels(const QString& name, const QFileInfo& picture) {
    const QResource factsFile(QStringLiteral(":/style-pictures/%1.facts").arg(name));
    const QList<QByteArray> facts =
        QByteArray(reinterpret_cast<const char*>(factsFile.data()), factsFile.size())
            .trimmed()
            .split(' ');
    if (facts.size() != 4 || facts[2].toLongLong() != picture.size() ||
        facts[3].toLongLong() != picture.lastModified().toSecsSinceEpoch()) {
        return {};
    }
    return barePicture(QStringLiteral(":/style-pictures/%1.argb").arg(name),
                       QSize(facts[0].toInt(), facts[1].toInt()));
}

} // namespace

void cacheFusionPictures() {
    if (QApplication::style()->name().compare(u"fusion", Qt::CaseInsensitive) != 0) {
        return;
    }
    const QFileInfo picture(GroupBoxFrame);
    if (const QImage pixels = builtPixels(QStringLiteral("groupbox"), picture); !pixels.isNull()) {
        QPixmapCache::insert(loaderKey(picture), QPixmap::fromImage(pixels));
    }
}

} // namespace mirvane::shell
