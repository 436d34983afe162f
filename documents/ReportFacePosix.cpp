#include "documents/ReportFace.h"

namespace mirvane::pdf {

// Here the PDF writer tells faces apart by their files.
bool keepsBoldApart(const QString&) {
    return true;
}

} // namespace mirvane::pdf
