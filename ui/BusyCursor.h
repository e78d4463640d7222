// The busy cursor of a main window: while work runs, the window and some of
// its controls show a cursor loaded from a file (an animated one, usually)
// instead of their own.
//
// It works on class cursors: SetBusy makes the busy cursor the class cursor
// of each remembered window's class, so every window of those classes in the
// program shows it, and Restore puts the class cursors back as they were
// when Remember ran.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/Scoped.h"

namespace ui {

class BusyCursor {
public:
    BusyCursor() = default;
    // Restores the class cursors when still on and the windows still exist.
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    // Called when the window loads: the windows whose class cursors change
    // (the form and the controls that matter), and the cursor file (full path)
    // shown while busy. Saves each window's class cursor now.
    void Remember(std::vector<HWND> windows, std::wstring cursorFile);

    // Loads the cursor file and installs it; nothing when already on. A
    // missing or unreadable file gives no message: the system's wait cursor
    // (IDC_WAIT) is shown instead.
    void SetBusy();
    // Puts the saved class cursors back and frees the loaded cursor.
    void Restore();
    bool On() const { return on_; }

    // The cursor installed by SetBusy (null when off).
    HCURSOR Cursor() const { return cursor_; }

private:
    void Install(const std::vector<HCURSOR>& cursors) const;

    std::vector<HWND> windows_;
    std::vector<HCURSOR> saved_;
    std::wstring file_;
    base::OwnedCursor loaded_;  // the cursor read from the file, if it could be
    HCURSOR cursor_ = nullptr;  // the one shown: loaded_, or the shared wait cursor
    bool on_ = false;
};

}  // namespace ui
