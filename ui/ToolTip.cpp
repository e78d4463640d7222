#include "ui/ToolTip.h"

#include <commctrl.h>

#include "base/Module.h"

namespace ui {

namespace {
// A tool is the control's window itself: the tip shows over its whole area.
TOOLINFOW ToolOf(HWND control) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}
}  // namespace

// Texts are shown as they are written (an "&" stays an "&"), also while the
// form is not the active window.
ToolTips::ToolTips(HWND owner)
    : window_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              base::CodeModule(), nullptr)) {}

// The window goes with its owner; one that is left is destroyed here.
ToolTips::~ToolTips() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

void ToolTips::Set(HWND control, const std::wstring& text) {
    TOOLINFOW tool = ToolOf(control);
    SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty()) return;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());  // the tooltip window keeps a copy
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring ToolTips::Text(HWND control) const {
    TOOLINFOW tool = ToolOf(control);
    if (!SendMessageW(window_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return std::wstring();
    wchar_t text[INFOTIPSIZE] = L"";
    tool.lpszText = text;
    SendMessageW(window_, TTM_GETTEXTW, INFOTIPSIZE, reinterpret_cast<LPARAM>(&tool));
    return text;
}

void ToolTips::Relay(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const {
    MSG relayed{control, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&relayed.pt);
    SendMessageW(window_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace ui
