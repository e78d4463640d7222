#include "ui/App.h"

#include "base/Module.h"
#include "ui/Form.h"

namespace ui {

const wchar_t kAppWindowClass[] = L"NomaroApplication";

namespace {
std::wstring& Title() {
    static std::wstring title = L"Nomaro";
    return title;
}
HWND gAppWindow = nullptr;

bool IsFormWindow(HWND hwnd) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return lstrcmpW(name, L"NomaroForm") == 0;
}
}  // namespace

std::wstring AppTitle() { return Title(); }

void SetAppTitle(const std::wstring& title) {
    Title() = title;
    if (gAppWindow) SetWindowTextW(gAppWindow, title.c_str());
}

HWND AppWindow() {
    if (gAppWindow) return gAppWindow;
    HINSTANCE instance = base::CodeModule();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = kAppWindowClass;
    RegisterClassExW(&wc);
    gAppWindow = CreateWindowExW(0, kAppWindowClass, Title().c_str(), WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, instance, nullptr);
    return gAppWindow;
}

bool PreTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (!root || !IsFormWindow(root)) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(root, GWLP_USERDATA));
        if (form && form->HandleShortcut(static_cast<UINT>(msg.wParam))) return true;
    }
    return IsDialogMessageW(root, &msg) != FALSE;
}

void DispatchQueued(MSG& msg) {
    if (PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchQueued(msg);
    }
}

int RunMessageLoop() {
    MSG msg;
    while (Form::LoadedCount() > 0) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return static_cast<int>(msg.wParam);
        DispatchQueued(msg);
    }
    return 0;
}

void EndProgram(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

}  // namespace ui
