#pragma once

namespace mirvane::shell {

// Makes the faces shipped in the "fonts" folder beside the program available where the
// system lacks the ones the windows and the report are drawn in (Windows without Arial,
// as under Wine). Called once, before anything asks for a face. Elsewhere the system's
// own faces serve and nothing happens.
void registerBundledFonts();

} // namespace mirvane::shell
