// The running program: the application object, every window and the
// unit-level state of each unit.
#pragma once

namespace tovrek {

// The program entry: splash window, every window in its fixed order, then
// the message loop until the application is terminated.
int RunProgram(int argc, char** argv);

}  // namespace tovrek
