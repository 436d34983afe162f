#pragma once

// The program's own pictures: the icon drawn at build time, the artwork drawn from
// the SVG file built into the program when it is first shown.

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// The icon every window of the program carries, at the sizes the desktop asks for.
QIcon programIcon();

// The picture at `resourcePath` (":/about-artwork.svg") drawn at `size` onto a
// transparent background.
QImage renderedPicture(const QString& resourcePath, QSize size);
