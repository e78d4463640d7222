// The two main windows; exactly one of them exists once the start window is
// gone. They live in folders of their own that do not know each other: the
// program's top registers how each one is made when it starts, and a window
// asks for the other one by name. Both ask the same questions before they
// close or switch.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

namespace ui {

class Form;

enum class MainWindow { List, Rename };

using MainWindowFactory = std::function<std::unique_ptr<Form>()>;

// How `which` is made; replaces an earlier registration.
void RegisterMainWindow(MainWindow which, MainWindowFactory make);

// Creates the chosen main window and shows it; it replaces the one shown
// before. Raises base::RunError 5 when no factory is registered for it.
void OpenMainWindow(MainWindow which);

// The main window shown now, or null.
Form* CurrentMainWindow();

// The About box, opened from both main windows, lives in a folder of its own
// as well: the top registers how it is shown. ShowAboutBox shows it modally
// over `owner` and returns when it is closed; without a registration it does
// nothing.
void RegisterAboutBox(std::function<void(HWND owner)> show);
void ShowAboutBox(HWND owner);

// "Exit Nomaro Now?" with OK and Cancel; true for OK.
bool AskExit(HWND owner);

// Whether to leave this window for the other main window; true for Yes.
bool AskSwitchWindow(HWND owner);

}  // namespace ui
