#include "shell/FusionPictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>
#include <QStyle>
#include <cstddef>

namespace mirvane::shell {

namespace {

// Fusion draws a group box's frame from a PNG in Qt's resources through QPixmap's
// file loader. That loader lets every installed image plugin (JPEG, GIF, SVG with
// the whole SVG library, ...) bid for the file before PNG's own reader, so the first
// group box drawn would load them all: about half a megabyte and a few milliseconds
// of every start for pictures the program never shows. Read here as PNG with no
// bidding and cached under the key the loader looks up first, the frame costs
// nothing more. Should Qt ever form its key otherwise, only the saving is lost.
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

QString loaderKey(const QString& path) {
    const QFileInfo file(path);
    constexpr unsigned PlainPixmap = 0;
    return QStringLiteral("qt_pixmap") + file.absoluteFilePath() +
           keyDigits(unsigned(file.lastModified().toSecsSinceEpoch())) +
           keyDigits(quint64(file.size())) + keyDigits(PlainPixmap);
}

void cachePng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    if (const QImage picture = reader.read(); !picture.isNull())
        QPixmapCache::insert(loaderKey(path), QPixmap::fromImage(picture));
}

} // namespace

void cacheFusionPictures() {
    if (QApplication::style()->name().compare(u"fusion", Qt::CaseInsensitive) == 0)
        cachePng(GroupBoxFrame);
}

} // namespace mirvane::shell
