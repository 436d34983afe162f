#include "shell/BarePixels.h"

#include <QResource>
#include <cstdint>

namespace mirvane::shell {

QImage barePicture(const QString& resourcePath, QSize size) {
    const QResource pixels(resourcePath);
    const qsizetype rowBytes = qsizetype(size.width()) * 4;
    if (size.isEmpty() || pixels.compressionAlgorithm() != QResource::NoCompression ||
        pixels.size() != rowBytes * size.height()) {
        return {};
    }
    // Read in place from the program's own bytes when they are aligned as a picture's
    // rows must be, copied otherwise.
    const QImage shared(pixels.data(), size.width(), size.height(), rowBytes,
                        QImage::Format_ARGB32_Premultiplied);
    if (reinterpret_cast<std::uintptr_t>(pixels.data()) % alignof(std::uint32_t) == 0) {
        return shared;
    }
    return shared.copy();
}

} // namespace mirvane::shell
