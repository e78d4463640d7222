#include "ui/BusyCursor.h"

#include <utility>

namespace ui {

namespace {
// Shows the current class cursor at once when the pointer is over one of the
// program's windows, instead of at the next mouse move.
void RefreshPointer(HCURSOR fallback) {
    POINT at;
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    if (under && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId())
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    else
        SetCursor(fallback);
}
}  // namespace

BusyCursor::~BusyCursor() {
    if (on_) Restore();
}

void BusyCursor::Remember(std::vector<HWND> windows, std::wstring cursorFile) {
    if (on_) Restore();
    windows_ = std::move(windows);
    file_ = std::move(cursorFile);
    saved_.clear();
    for (HWND window : windows_)
        saved_.push_back(reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR)));
}

void BusyCursor::Install(const std::vector<HCURSOR>& cursors) const {
    for (size_t i = 0; i < windows_.size(); ++i)
        if (IsWindow(windows_[i]))
            SetClassLongPtrW(windows_[i], GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursors[i]));
}

void BusyCursor::SetBusy() {
    if (on_) return;
    loaded_.Reset(file_.empty() ? nullptr : LoadCursorFromFileW(file_.c_str()));
    cursor_ = loaded_ ? loaded_.get() : LoadCursorW(nullptr, IDC_WAIT);
    Install(std::vector<HCURSOR>(windows_.size(), cursor_));
    on_ = true;
    SetCursor(cursor_);
}

void BusyCursor::Restore() {
    if (!on_) return;
    Install(saved_);
    // The class cursors no longer refer to it; the pointer may still show it
    // until it is refreshed, so refresh before destroying.
    RefreshPointer(!saved_.empty() && saved_.front() ? saved_.front()
                                                     : LoadCursorW(nullptr, IDC_ARROW));
    cursor_ = nullptr;
    loaded_.Reset();
    on_ = false;
}

}  // namespace ui
