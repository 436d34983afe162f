#include "ui/about/ProgramIcon.h"

#include <QImageReader>
#include <QPixmap>
#include <QResource>
#include <array>
#include <cstdint>

// The pictures live in a static library, whose resource initialiser the linker
// would drop unless something calls it; the call must stand outside any namespace.
static void registerPictures() {
    Q_INIT_RESOURCE(resources);
}

namespace {

void ensurePicturesRegistered() {
    static const bool registered = (registerPictures(), true);
    (void)registered;
}

// Title bars and task lists; desktops that show the program larger take its icon
// from the icon theme, where the package installs it at every size. Every size here
// is sent to the X server as the window is mapped, so large ones slow each start.
constexpr std::array IconSizes{16, 20, 24, 32, 48, 64};

} // namespace

QImage renderedPicture(const QString& resourcePath, QSize size) {
    ensurePicturesRegistered();
    // Qt's SVG image plugin draws the picture and brings the SVG library with it the
    // first time: a start has no use for either.
    QImageReader reader(resourcePath);
    reader.setScaledSize(size);
    QImage picture = reader.read();
    if (picture.isNull()) {
        picture = QImage(size, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
    }
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

namespace {

// The picture of one size, read straight from the program's own bytes when they are
// aligned as a picture's rows must be (they are, every size being a multiple of
// four bytes), copied otherwise.
QImage iconPicture(int side) {
    const QResource pixels(QStringLiteral(":/program-icon/%1/mirvane.argb").arg(side));
    const qsizetype rowBytes = qsizetype(side) * 4;
    if (pixels.compressionAlgorithm() != QResource::NoCompression ||
        pixels.size() != rowBytes * side)
        return {};
    const QImage shared(pixels.data(), side, side, rowBytes, QImage::Format_ARGB32_Premultiplied);
    if (reinterpret_cast<std::uintptr_t>(pixels.data()) % alignof(std::uint32_t) == 0)
        return shared;
    return shared.copy();
}

} // namespace

QIcon programIcon() {
    // Drawn from the SVG at build time and kept as bare pixels: nothing to decode.
    QIcon icon;
    for (const int side : IconSizes) {
        if (const QImage picture = iconPicture(side); !picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}
