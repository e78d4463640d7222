// Creates the context-menu handler through COM in a process of its own, as a
// file manager does, and reports what it got: by class id and by ProgID, then
// hands it the shell's data object of one file and asks for its menu item.
//
//   shellext_check <folder> <file name>
// Prints one line per step; exits 0 when every step worked, 1 otherwise.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

#include "tests/win/shell_files.h"

namespace {

const wchar_t kClsid[] = L"{11757562-0E2B-4BA2-8F39-EF49D9300A9D}";

bool Step(const char* what, HRESULT result) {
    std::printf("%s: 0x%08lx\n", what, static_cast<unsigned long>(result));
    return SUCCEEDED(result);
}

bool Check(const std::wstring& folder, const std::wstring& file) {
    CLSID clsid{}, fromProgId{};
    CLSIDFromString(kClsid, &clsid);
    IContextMenu* menu = nullptr;
    if (!Step("create by class id", CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu,
                                                     reinterpret_cast<void**>(&menu))))
        return false;
    IShellExtInit* init = nullptr;
    bool ok = Step("IShellExtInit", menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)));
    IDataObject* data = testing_support::ShellDataObject(folder, {file});
    ok = Step("shell data object", data ? S_OK : E_FAIL) && ok;
    if (init && data) ok = Step("Initialize", init->Initialize(nullptr, data, nullptr)) && ok;
    HMENU popup = CreatePopupMenu();
    HRESULT added = menu->QueryContextMenu(popup, 0, 100, 200, CMF_NORMAL);
    wchar_t caption[64] = {};
    GetMenuStringW(popup, 100, caption, 64, MF_BYCOMMAND);
    std::printf("menu item: %ls\n", caption);
    ok = Step("QueryContextMenu", added) && HRESULT_CODE(added) == 1 && ok;
    DestroyMenu(popup);
    if (data) data->Release();
    if (init) init->Release();
    menu->Release();

    IUnknown* byProgId = nullptr;
    if (!Step("ProgID", CLSIDFromProgID(L"ContextMenu.cMenu", &fromProgId))) return false;
    ok = Step("create by ProgID", CoCreateInstance(fromProgId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                                   reinterpret_cast<void**>(&byProgId))) &&
         IsEqualCLSID(clsid, fromProgId) && ok;
    if (byProgId) byProgId->Release();
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: shellext_check <folder> <file name>\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = Check(argv[1], argv[2]);
    CoUninitialize();
    std::fflush(stdout);
    return ok ? 0 : 1;
}
