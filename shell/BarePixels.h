#pragma once

// Pictures kept in the program's resources as bare pixels (premultiplied ARGB, 32
// bits each in the machine's order, stored uncompressed), drawn or taken at build
// time so that a start decodes nothing.

#include <QImage>
#include <QSize>
#include <QString>

namespace mirvane::shell {

// The picture of `size` at `resourcePath`, or a null picture when the resource is
// missing, compressed or of another size.
QImage barePicture(const QString& resourcePath, QSize size);

} // namespace mirvane::shell
