// Copies a picture from Qt's own resources into the build as bare pixels, so that
// the program can hand it to Qt's picture cache at start without decoding a PNG
// (shell/FusionPictures).
//
// qt-picture-pixels RESOURCE OUT writes OUT.argb (premultiplied ARGB, 32 bits each
// in the machine's order) and OUT.facts, one line "WIDTH HEIGHT BYTES MODIFIED": the
// picture's size and the resource's length and modification time in seconds, which
// the program compares with the Qt it runs on before it trusts the pixels. Both files
// are empty when this Qt has no such picture.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <cstdio>

namespace {

bool write(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           out.write(bytes) == bytes.size() && out.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qt-picture-pixels RESOURCE OUT\n");
        return 2;
    }
    // The style pictures live in the widgets library, whose resources an application
    // object of that library brings in; no window system is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString resource = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QImageReader reader(resource);
    const QImage picture = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray facts;
    QByteArray pixels;
    if (picture.isNull()) {
        // A Qt without the picture: empty files, and the program leaves it to Qt.
        std::fprintf(stderr, "qt-picture-pixels: no picture %s in this Qt\n", argv[1]);
    } else {
        const QFileInfo file(resource);
        facts = QByteArray::number(picture.width()) + ' ' + QByteArray::number(picture.height()) +
                ' ' + QByteArray::number(file.size()) + ' ' +
                QByteArray::number(file.lastModified().toSecsSinceEpoch()) + '\n';
        pixels = QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                            qsizetype(picture.sizeInBytes()));
    }
    if (!write(out + QStringLiteral(".argb"), pixels) ||
        !write(out + QStringLiteral(".facts"), facts)) {
        std::fprintf(stderr, "qt-picture-pixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
