// Renders the program icon's SVG into the PNG sizes of the desktop icon theme
// at build time, so the committed picture stays the only source of the icon.
//
// svg-to-png ICON.svg OUTDIR SIZE... writes OUTDIR/SIZE/mirvane.png for each SIZE.
// svg-to-png --raw ... writes OUTDIR/SIZE/mirvane.argb instead: the bare pixels
// (premultiplied ARGB, 32 bits each in the machine's order), which the program
// takes at start without decoding anything.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstring>

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

} // namespace

int main(int argc, char** argv) {
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
        if (!writeSize(renderer, outFolder, QString::fromLocal8Bit(argv[i]), raw))
            return 1;
    }
    return 0;
}
