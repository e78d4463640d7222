// Every message box of the program goes through MsgBox, so that tests can
// stand in for the person who answers it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "base/RunError.h"

namespace ui {

struct Prompt {
    HWND owner;
    std::wstring text;
    UINT flags;  // MB_ buttons and icon
    std::wstring title;
};

using PromptResponder = std::function<int(const Prompt&)>;

// Shows a message box and returns the button pressed (IDOK, IDYES, ...).
int MsgBox(HWND owner, const std::wstring& text, UINT flags, const std::wstring& title);

// The error box of a run-time error: "Error Number = n", CR, "Error
// description = ..." under the title "Error n", with OK and the stop icon.
void ShowErrorBox(HWND owner, const base::RunError& error);

// Test hook: every later MsgBox is answered by `responder` instead of a
// person. An empty responder restores the real message box.
void SetPromptResponder(PromptResponder responder);

}  // namespace ui
