#include "ui/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

#include "base/RunError.h"

namespace ui {

void ProgressBar::Create(Form& form, Frame* container) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    CreateWindowOf(form, PROGRESS_CLASSW, PBS_SMOOTH, 0, container);
}

void ProgressBar::SetMaximum(int maximum) {
    if (maximum < 1) throw base::RunError(base::err::InvalidPropertyValue);
    SendMessageW(hwnd(), PBM_SETRANGE32, 0, maximum);
}

int ProgressBar::Maximum() const {
    return static_cast<int>(SendMessageW(hwnd(), PBM_GETRANGE, FALSE, 0));
}

void ProgressBar::SetValue(int value) {
    SendMessageW(hwnd(), PBM_SETPOS, std::clamp(value, 0, Maximum()), 0);
}

int ProgressBar::Value() const { return static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0)); }

}  // namespace ui
