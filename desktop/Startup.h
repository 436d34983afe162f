#pragma once

// The program's entry: the start-up steps, then the main window until the last
// window closes.

namespace mirvane::desktop {

// Returns the program's exit code. A second copy of the same version hands over to
// the running one and returns 0 at once.
int runProgram(int argc, char** argv);

} // namespace mirvane::desktop
