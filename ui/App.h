// The program as a whole: its title, its hidden application window, the
// message loop and DoEvents.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// The application title, "Nomaro" unless changed. The hidden application
// window carries it, so that a second instance can find the running one.
std::wstring AppTitle();
void SetAppTitle(const std::wstring& title);

// Class name of the hidden application window.
extern const wchar_t kAppWindowClass[];

// The hidden application window (created on first use); it owns every form.
HWND AppWindow();

// Processes every pending message, then returns.
void DoEvents();

// Runs the message loop until the last form has been unloaded; returns the exit code.
int RunMessageLoop();

// Translates keyboard messages for the form holding the focus (Tab, Enter, Esc).
bool PreTranslate(MSG& msg);

// Hands a message of the queue to its window, keyboard messages through the
// focused form's translation first.
void DispatchQueued(MSG& msg);

// Ends the process at once, without unloading anything.
[[noreturn]] void EndProgram(int exitCode = 0);

}  // namespace ui
