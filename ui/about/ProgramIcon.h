#pragma once

// The program's own pictures, drawn from the SVG files built into it.

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// The icon every window of the program carries, at the sizes the desktop asks for.
QIcon programIcon();

// The picture at `resourcePath` (":/about-artwork.svg") drawn at `size` onto a
// transparent background.
QImage renderedPicture(const QString& resourcePath, QSize size);
