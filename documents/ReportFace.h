#pragma once

#include <QString>

namespace mirvane::pdf {

// Whether the PDF writer keeps this family's regular and bold faces apart. On Windows it
// tells fonts apart by the unique name the font file carries, and some families give
// every face the same one (Liberation Sans does): the PDF would then embed one face and
// set the whole report in it.
bool keepsBoldApart(const QString& family);

} // namespace mirvane::pdf
