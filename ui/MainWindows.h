// The two main windows; exactly one of them exists once the start window is
// gone. They live in folders of their own that do not know each other: the
// program's top registers how each one is made when it starts, and a window
// asks for the other one by name. Both ask the same questions before they
// close or switch.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

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

// The recursive search, opened from the list window, is registered the same
// way. ShowSearchWindow runs it modally over `owner`, starting at `folder`
// and handing its result to `insert` (the text to put at the document's
// caret); `folder` holds the search window's folder when it has closed.
// Without a registration it does nothing.
using SearchWindowShower =
    std::function<void(HWND owner, std::wstring& folder, std::function<void(const std::wstring&)> insert)>;
void RegisterSearchWindow(SearchWindowShower show);
void ShowSearchWindow(HWND owner, std::wstring& folder, std::function<void(const std::wstring&)> insert);

// "Exit Nomaro Now?" with OK and Cancel; true for OK.
bool AskExit(HWND owner);

// Whether to leave this window for the other main window; true for Yes.
bool AskSwitchWindow(HWND owner);

}  // namespace ui
