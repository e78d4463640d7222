// The two main windows; exactly one of them exists once the start window is
// gone. Both ask the same questions before they close or switch.
#pragma once
#include <windows.h>

namespace ui {
class Form;
}

namespace app {

enum class MainWindow { List, Rename };

// Creates the chosen main window and shows it; it replaces the one shown before.
void OpenMainWindow(MainWindow which);

// The main window shown now, or null.
ui::Form* CurrentMainWindow();

// "Exit Nomaro Now?" with OK and Cancel; true for OK.
bool AskExit(HWND owner);

// Whether to leave this window for the other main window; true for Yes.
bool AskSwitchWindow(HWND owner);

}  // namespace app
