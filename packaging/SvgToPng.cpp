// Renders the program icon's SVG into the PNG sizes of the desktop icon theme
// at build time, so the committed picture stays the only source of the icon.
//
// svg-to-png ICON.svg OUTDIR SIZE... writes OUTDIR/SIZE/mirvane.png for each SIZE.
// svg-to-png --raw ... writes OUTDIR/SIZE/mirvane.argb instead: the bare pixels
// (premultiplied ARGB, 32 bits each in the machine's order), which the program
// takes at start without decoding anything.
// svg-to-png --ico ICON.svg OUT.ico SIZE... writes a Windows icon holding every SIZE
// (the programs' and the installer's icon); SIZE 256 is stored as PNG, the others as
// bitmaps, which every Windows and the installer builder read.
// svg-to-png --picture PICTURE.svg OUT.png WIDTH HEIGHT draws a whole picture (the About
// window's artwork, for a Qt without the SVG image plugin).

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

QImage render(QSvgRenderer& renderer, int side) {
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, side, side));
    return picture;
}

bool writePixels(const QImage& picture, const QString& file) {
    QFile out(file);
    const auto size = qint64(picture.sizeInBytes());
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           out.write(reinterpret_cast<const char*>(picture.constBits()), size) == size &&
           out.flush();
}

bool writeSize(QSvgRenderer& renderer, const QString& outFolder, const QString& sizeText,
               bool raw) {
    bool isNumber = false;
    const int side = sizeText.toInt(&isNumber);
    if (!isNumber || side <= 0) {
        std::fprintf(stderr, "svg-to-png: not a size: %s\n", qPrintable(sizeText));
        return false;
    }
    const QString folder = QDir(outFolder).filePath(sizeText);
    const QImage picture = render(renderer, side);
    const bool written =
        QDir().mkpath(folder) &&
        (raw ? writePixels(picture, QDir(folder).filePath(QStringLiteral("mirvane.argb")))
             : picture.save(QDir(folder).filePath(QStringLiteral("mirvane.png"))));
    if (!written) {
        std::fprintf(stderr, "svg-to-png: cannot write into %s\n", qPrintable(folder));
        return false;
    }
    return true;
}

void putLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(char((value >> (8 * i)) & 0xFF));
    }
}

// One icon image as Windows stores it: a bitmap header, the colours bottom-up as
// straight (not premultiplied) BGRA, then the one-bit mask, left clear because the
// alpha channel carries the shape.
QByteArray iconBitmap(const QImage& picture) {
    const QImage straight = picture.convertToFormat(QImage::Format_ARGB32);
    const int side = straight.width();
    const int maskStride = ((side + 31) / 32) * 4;
    QByteArray out;
    putLittleEndian(out, 40, 4);
    putLittleEndian(out, quint32(side), 4);
    putLittleEndian(out, quint32(2 * side), 4); // colours and mask together
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, 32, 2);
    putLittleEndian(out, 0, 4); // uncompressed
    putLittleEndian(out, quint32(side * side * 4 + maskStride * side), 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    for (int y = side - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            putLittleEndian(out, line[x], 4);
        }
    }
    out.append(QByteArray(maskStride * side, '\0'));
    return out;
}

QByteArray iconPng(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

int writeIcon(QSvgRenderer& renderer, const QString& file, const QStringList& sizes) {
    std::vector<QByteArray> images;
    std::vector<int> sides;
    for (const QString& sizeText : sizes) {
        bool isNumber = false;
        const int side = sizeText.toInt(&isNumber);
        if (!isNumber || side <= 0 || side > 256) {
            std::fprintf(stderr, "svg-to-png: not an icon size: %s\n", qPrintable(sizeText));
            return 2;
        }
        const QImage picture = render(renderer, side);
        images.push_back(side == 256 ? iconPng(picture) : iconBitmap(picture));
        sides.push_back(side);
    }
    QByteArray out;
    putLittleEndian(out, 0, 2);
    putLittleEndian(out, 1, 2); // an icon, not a cursor
    putLittleEndian(out, quint32(images.size()), 2);
    quint32 offset = 6 + 16 * quint32(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.append(char(sides[i] == 256 ? 0 : sides[i])); // 0 stands for 256
        out.append(char(sides[i] == 256 ? 0 : sides[i]));
        out.append('\0'); // no palette
        out.append('\0');
        putLittleEndian(out, 1, 2);
        putLittleEndian(out, 32, 2);
        putLittleEndian(out, quint32(images[i].size()), 4);
        putLittleEndian(out, offset, 4);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images) {
        out.append(image);
    }
    QFile icon(file);
    if (!icon.open(QIODevice::WriteOnly | QIODevice::Truncate) || icon.write(out) != out.size() ||
        !icon.flush()) {
        std::fprintf(stderr, "svg-to-png: cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

int writePicture(QSvgRenderer& renderer, const QString& file, const QString& widthText,
                 const QString& heightText) {
    const int width = widthText.toInt();
    const int height = heightText.toInt();
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "svg-to-png: not a size: %s %s\n", qPrintable(widthText),
                     qPrintable(heightText));
        return 2;
    }
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, width, height));
    painter.end();
    if (!picture.save(file, "PNG")) {
        std::fprintf(stderr, "svg-to-png: cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 &&
        (std::strcmp(argv[1], "--ico") == 0 || std::strcmp(argv[1], "--picture") == 0)) {
        const bool icon = std::strcmp(argv[1], "--ico") == 0;
        if (argc < 5 || (!icon && argc != 6)) {
            std::fprintf(stderr, "usage: svg-to-png --ico ICON.svg OUT.ico SIZE...\n"
                                 "       svg-to-png --picture PICTURE.svg OUT.png WIDTH HEIGHT\n");
            return 2;
        }
        QSvgRenderer renderer(QString::fromLocal8Bit(argv[2]));
        if (!renderer.isValid()) {
            std::fprintf(stderr, "svg-to-png: cannot read %s\n", argv[2]);
            return 1;
        }
        QStringList rest;
        for (int i = 4; i < argc; ++i) {
            rest << QString::fromLocal8Bit(argv[i]);
        }
        const QString out = QString::fromLocal8Bit(argv[3]);
        return icon ? writeIcon(renderer, out, rest)
                    : writePicture(renderer, out, rest[0], rest[1]);
    }
    const bool raw = argc > 1 && std::strcmp(argv[1], "--raw") == 0;
    const int first = raw ? 2 : 1;
    if (argc < first + 3) {
        std::fprintf(stderr, "usage: svg-to-png [--raw] ICON.svg OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[first]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svg-to-png: cannot read %s\n", argv[first]);
        return 1;
    }
    const QString outFolder = QString::fromLocal8Bit(argv[first + 1]);
    for (int i = first + 2; i < argc; ++i) {
        if (!writeSize(renderer, outFolder, QString::fromLocal8Bit(argv[i]), raw)) {
            return 1;
        }
    }
    return 0;
}
