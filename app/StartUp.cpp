#include "app/StartUp.h"

#include <windows.h>

#include <algorithm>

#include "base/Display.h"
#include "base/Scoped.h"
#include "ui/App.h"
#include "ui/Form.h"
#include "ui/MsgBox.h"
#include "ui/Screen.h"

namespace app {

namespace {
// One mutex per program file: a second start of the same program finds it taken.
bool AnotherInstanceRuns() {
    std::wstring name = L"Nomaro.Instance.";
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file = path;
    std::replace(file.begin(), file.end(), L'\\', L'/');
    CharLowerBuffW(file.data(), static_cast<DWORD>(file.size()));
    // Held for the life of the process: the mutex is the sign that this instance runs.
    static HANDLE mutex = CreateMutexW(nullptr, FALSE, (name + file).c_str());
    static const bool taken = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    return taken;
}

// The running instance's window that the user last worked in.
void ActivateRunningInstance(const std::wstring& title) {
    HWND application = FindWindowW(ui::kAppWindowClass, title.c_str());
    if (!application) return;
    HWND popup = GetLastActivePopup(application);
    HWND target = popup && popup != application ? popup : application;
    if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
    SetForegroundWindow(target);
}

void SendAltEnter() {
    INPUT keys[4] = {};
    const WORD sequence[4][2] = {{VK_MENU, 0}, {VK_RETURN, 0}, {VK_RETURN, KEYEVENTF_KEYUP},
                                 {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    SendInput(4, keys, sizeof(INPUT));
    ui::DoEvents();
}
}  // namespace

void CheckPrevInstance(ui::Form& window) {
    if (!AnotherInstanceRuns()) return;
    const std::wstring title = ui::AppTitle();
    ui::MsgBox(nullptr, L"The program is already in use!", MB_OK, title);
    ui::SetAppTitle(L"");
    window.SetCaption(L"");
    ActivateRunningInstance(title);
    SendAltEnter();
    ui::EndProgram();
}

std::wstring gbl_GetFontRes() {
    base::WindowDC dc(GetDesktopWindow(), base::WindowDC::WholeWindow);
    if (!dc) return L"Small";
    const int oldMode = SetMapMode(dc.get(), MM_TEXT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    SetMapMode(dc.get(), oldMode);
    return base::FontResFromHeight(metrics.tmHeight);
}

std::wstring ClassifyCurrentWorkArea() {
    RECT area = ui::WorkAreaPixels();
    return base::ClassifyWorkArea(ui::PixelsToTwipsY(area.bottom - area.top),
                                  ui::PixelsToTwipsX(area.right - area.left));
}

}  // namespace app
