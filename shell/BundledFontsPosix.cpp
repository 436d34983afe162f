#include "shell/BundledFonts.h"

namespace mirvane::shell {

// The Debian package depends on the faces (fonts-liberation2): the system has them.
void registerBundledFonts() {}

} // namespace mirvane::shell
