// The clipboard's plain text.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// The clipboard's text, or empty when it holds none (or another program
// keeps it open). Reads the Unicode form, which the system makes from the
// ANSI text another program put there, so no character is lost.
std::wstring ClipboardText(HWND owner);

// Whether the clipboard holds text that is not empty.
bool ClipboardHasText(HWND owner);

// Puts `text` on the clipboard as its only content (the system offers it as
// ANSI text as well). False when the clipboard could not be opened or the
// memory not had.
bool SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace ui
