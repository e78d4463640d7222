// A small stand-in for the file manager's context menu, because Wine's own
// shell never loads context-menu handlers. It does what a file manager does
// on a right-click: it reads the context-menu handlers registered for all
// files, creates each by its class id, hands it a real shell data object of
// the selected files, asks it for its items on a real popup menu, shows the
// menu and invokes the chosen item.
//
//   shellhost <file> [file ...]      full Windows paths of the selected files
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "base/Scoped.h"
#include "tests/shell_data_object.h"

namespace {
const UINT kFirstHandlerId = 100;
const UINT kOpenId = 1;

struct Handler {
    IContextMenu* menu = nullptr;
    UINT firstId = 0;
    UINT idCount = 0;
};

std::vector<std::wstring> gFiles;

// The class ids of the handlers registered for all files.
std::vector<CLSID> RegisteredHandlers() {
    std::vector<CLSID> handlers;
    base::RegistryKey key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers", 0, KEY_READ, key.Receive()) !=
        ERROR_SUCCESS)
        return handlers;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        wchar_t value[256] = {};
        LONG size = sizeof value;
        CLSID clsid;
        // The class id is the key's default value, or the key's own name.
        if (RegQueryValueW(key.get(), name, value, &size) == ERROR_SUCCESS && value[0] &&
            SUCCEEDED(CLSIDFromString(value, &clsid)))
            handlers.push_back(clsid);
        else if (SUCCEEDED(CLSIDFromString(name, &clsid)))
            handlers.push_back(clsid);
    }
    return handlers;
}

// A data object for the selected files, as the shell folder of their folder gives it.
IDataObject* DataObjectOfSelection() {
    if (gFiles.empty()) return nullptr;
    const std::wstring folder = gFiles[0].substr(0, gFiles[0].find_last_of(L'\\'));
    std::vector<std::wstring> names;
    for (const std::wstring& path : gFiles) names.push_back(path.substr(path.find_last_of(L'\\') + 1));
    return testing_support::ShellDataObject(folder, names);
}

void ShowContextMenu(HWND window, POINT at) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kOpenId, L"&Open");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    std::vector<Handler> handlers;
    IDataObject* data = DataObjectOfSelection();
    UINT nextId = kFirstHandlerId;
    for (const CLSID& clsid : RegisteredHandlers()) {
        IShellExtInit* init = nullptr;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                    reinterpret_cast<void**>(&init))))
            continue;
        Handler handler;
        if (data && SUCCEEDED(init->Initialize(nullptr, data, nullptr)) &&
            SUCCEEDED(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&handler.menu)))) {
            HRESULT result = handler.menu->QueryContextMenu(menu, GetMenuItemCount(menu), nextId,
                                                            0x7FFF, CMF_NORMAL);
            handler.firstId = nextId;
            handler.idCount = SUCCEEDED(result) ? HRESULT_CODE(result) : 0;
            nextId += handler.idCount;
            handlers.push_back(handler);
        }
        init->Release();
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 2, L"P&roperties");
    SetForegroundWindow(window);
    UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    for (const Handler& handler : handlers) {
        if (chosen >= handler.firstId && chosen < handler.firstId + handler.idCount) {
            CMINVOKECOMMANDINFO info{};
            info.cbSize = sizeof info;
            info.hwnd = window;
            info.lpVerb = MAKEINTRESOURCEA(chosen - handler.firstId);
            info.nShow = SW_SHOWNORMAL;
            handler.menu->InvokeCommand(&info);
        }
        handler.menu->Release();
    }
    if (data) data->Release();
    DestroyMenu(menu);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CONTEXTMENU: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ShowContextMenu(window, at);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        SetBkMode(dc, TRANSPARENT);
        int y = 8;
        for (const std::wstring& file : gFiles) {
            TextOutW(dc, 8, y, file.c_str(), static_cast<int>(file.size()));
            y += 18;
        }
        // The host's own size tells which server it can load (one of its own size).
        const wchar_t* size = sizeof(void*) == 8 ? L"(a 64-bit process)" : L"(a 32-bit process)";
        TextOutW(dc, 8, y + 8, size, static_cast<int>(wcslen(size)));
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) gFiles.push_back(argv[i]);
    LocalFree(argv);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"NomaroShellHost";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(L"NomaroShellHost", L"Shell host", WS_OVERLAPPEDWINDOW, 60, 60, 520,
                                300, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CoUninitialize();
    return 0;
}
