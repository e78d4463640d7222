// How the program's windows find each other: the windows live in folders
// that do not include one another, so the top tells the kit how each one is
// made before the first window opens.
#pragma once

namespace app {

// Registers the two main windows with the switch between them.
void InstallWindows();

}  // namespace app
