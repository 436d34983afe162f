// Renders the program icon's SVG into the PNG sizes of the desktop icon theme
// at build time, so the committed picture stays the only source of the icon.
//
// svg-to-png ICON.svg OUTDIR SIZE... writes OUTDIR/SIZE/mirvane.png for each SIZE.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

namespace {

QImage render(QSvgRenderer& renderer, int side) {
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, side, side));
    return picture;
}

bool writeSize(QSvgRenderer& renderer, const QString& outFolder, const QString& sizeText) {
    bool isNumber = false;
    const int side = sizeText.toInt(&isNumber);
    if (!isNumber || side <= 0) {
        std::fprintf(stderr, "svg-to-png: not a size: %s\n", qPrintable(sizeText));
        return false;
    }
    const QString folder = QDir(outFolder).filePath(sizeText);
    if (!QDir().mkpath(folder) ||
        !render(renderer, side).save(QDir(folder).filePath(QStringLiteral("mirvane.png")))) {
        std::fprintf(stderr, "svg-to-png: cannot write into %s\n", qPrintable(folder));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: svg-to-png ICON.svg OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svg-to-png: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString outFolder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        if (!writeSize(renderer, outFolder, QString::fromLocal8Bit(argv[i])))
            return 1;
    }
    return 0;
}
