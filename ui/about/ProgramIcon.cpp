#include "ui/about/ProgramIcon.h"

#include "shell/BarePixels.h"

#include <QImageReader>
#include <QPixmap>
#include <array>

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

QImage iconPicture(int side) {
    return mirvane::shell::barePicture(QStringLiteral(":/program-icon/%1/mirvane.argb").arg(side),
                                       QSize(side, side));
}

} // namespace

QIcon programIcon() {
    // Drawn from the SVG at build time and kept as bare pixels: nothing to decode.
    QIcon icon;
    for (const int side : IconSizes) {
        if (const QImage picture = iconPicture(side); !picture.isNull()) {
            icon.addPixmap(QPixmap::fromImage(picture));
        }
    }
    return icon;
}
