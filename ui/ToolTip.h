// Tooltips: one window of the system's tooltip control per form, owned by
// the form's window, in which every control that has a tip is a tool. The
// tooltip window learns where the mouse is from the control's own messages,
// which the kit relays to it (the control is not subclassed a second time).
//
// Use it through the controls: control.SetToolTipText(L"...") in a form's
// CreateControls, and control.ToolTipText() reads the tip back from the
// tooltip window.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

class ToolTips {
public:
    // Creates the tooltip window owned by `owner`.
    explicit ToolTips(HWND owner);
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    HWND hwnd() const { return window_; }
    // Gives `control` the tip `text`, in place of any it had; an empty text
    // takes the tip away.
    void Set(HWND control, const std::wstring& text);
    // The tip of `control` as the tooltip window holds it; empty when none.
    std::wstring Text(HWND control) const;
    // Hands a mouse message of `control` to the tooltip window.
    void Relay(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    HWND window_ = nullptr;
};

}  // namespace ui
