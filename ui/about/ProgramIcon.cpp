#include "ui/about/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
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

const QString IconPath = QStringLiteral(":/program-icon.svg");

// Small sizes for title bars and task lists, large ones for desktops that scale up.
constexpr std::array IconSizes{16, 20, 24, 32, 48, 64, 128, 256};

} // namespace

QImage renderedPicture(const QString& resourcePath, QSize size) {
    ensurePicturesRegistered();
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

QIcon programIcon() {
    QIcon icon;
    for (const int side : IconSizes)
        icon.addPixmap(QPixmap::fromImage(renderedPicture(IconPath, QSize(side, side))));
    return icon;
}
