#pragma once

namespace mirvane::shell {

// Makes the faces shipped in the "fonts" folder beside the program available where the
// system lacks the ones the windows and the report are drawn in (Windows without Arial,
// as under Wine), and where the desktop's own face is missing too, draws the windows in
// an installed one. Called once, after the application is made and before any window.
// Elsewhere the system's own faces serve and nothing happens.
void registerBundledFonts();

} // namespace mirvane::shell
