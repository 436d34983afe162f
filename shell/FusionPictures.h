#pragma once

namespace mirvane::shell {

// Puts the pictures Qt's Fusion style draws the main window with into Qt's picture
// cache, read without Qt's image plugins (see the source for why). Does nothing
// under another style.
void cacheFusionPictures();

} // namespace mirvane::shell
