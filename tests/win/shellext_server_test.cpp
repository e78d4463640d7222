// The real nomaro3x.dll as the shell meets it: registered in the prefix by
// its own DllRegisterServer, created through COM by class id and by ProgID,
// handed a real shell selection, and released until it may be unloaded.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>
#include <cstdio>
#include <utility>
#include <vector>

#include "base/Scoped.h"
#include "tests/win/shell_files.h"

using testing_support::ShellDataObject;
using testing_support::TempFolder;

namespace {

const wchar_t kClsid[] = L"{11757562-0E2B-4BA2-8F39-EF49D9300A9D}";

using base::ComPtr;

// Takes over a reference that a function returned.
template <typename T>
ComPtr<T> Adopt(T* object) {
    ComPtr<T> owner;
    *owner.Receive() = object;
    return owner;
}

// The server copied beside this test program.
std::wstring ServerPath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"nomaro3x.dll";
}

// A string value under HKEY_CLASSES_ROOT, or "<missing>" when there is none.
std::wstring ClassesValue(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

bool ClassesKeyExists(const std::wstring& key) {
    base::RegistryKey handle;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.Receive()) == ERROR_SUCCESS;
}

using ServerEntry = HRESULT(STDAPICALLTYPE*)();

class Server : public testing::Test {
protected:
    static inline HMODULE server = nullptr;
    CLSID clsid{};

    static ServerEntry Entry(const char* name) {
        return reinterpret_cast<ServerEntry>(reinterpret_cast<void*>(GetProcAddress(server, name)));
    }
    static void SetUpTestSuite() {
        server = LoadLibraryW(ServerPath().c_str());
        ASSERT_TRUE(server) << "cannot load the server";
        ASSERT_EQ(Entry("DllRegisterServer")(), S_OK);
    }
    static void TearDownTestSuite() {
        if (!server) return;
        EXPECT_EQ(Entry("DllUnregisterServer")(), S_OK);
        FreeLibrary(server);
        server = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(server);
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(CLSIDFromString(kClsid, &clsid), S_OK);
    }
    void TearDown() override {
        CoUninitialize();
        EXPECT_EQ(Entry("DllCanUnloadNow")(), S_OK) << "an object or lock of the server is left";
    }

    ComPtr<IContextMenu> Create(REFCLSID id) {
        IContextMenu* menu = nullptr;
        EXPECT_EQ(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu,
                                   reinterpret_cast<void**>(&menu)),
                  S_OK);
        return Adopt(menu);
    }
};

TEST_F(Server, RegistersItsClassServerAndProgIdAndRemovesThemAgain) {
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsid;
    EXPECT_EQ(Entry("DllRegisterServer")(), S_OK) << "registering twice is harmless";
    EXPECT_EQ(ClassesValue(clsidKey), L"cMenu");
    EXPECT_EQ(lstrcmpiW(ClassesValue(clsidKey + L"\\InprocServer32").c_str(), ServerPath().c_str()), 0)
        << testing::PrintToString(ClassesValue(clsidKey + L"\\InprocServer32"));
    EXPECT_EQ(ClassesValue(clsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(ClassesValue(clsidKey + L"\\ProgID"), L"ContextMenu.cMenu");
    EXPECT_EQ(ClassesValue(L"ContextMenu.cMenu"), L"cMenu");
    EXPECT_EQ(ClassesValue(L"ContextMenu.cMenu\\CLSID"), kClsid);

    EXPECT_EQ(Entry("DllUnregisterServer")(), S_OK);
    EXPECT_FALSE(ClassesKeyExists(clsidKey));
    EXPECT_FALSE(ClassesKeyExists(L"ContextMenu.cMenu"));
    EXPECT_EQ(Entry("DllUnregisterServer")(), S_OK) << "nothing left to remove is no failure";
    ComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.ReceiveVoid()),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(Entry("DllRegisterServer")(), S_OK);
}

// Created by class id and by ProgID, handed a real selection, asked for its
// item through the bound menu method and for its help text.
TEST_F(Server, ServesARealSelectionByClassIdAndByProgId) {
    TempFolder folder;
    folder.AddFile(L"a.txt");
    auto data = Adopt(ShellDataObject(folder.Path(), {L"a.txt"}));
    ASSERT_TRUE(data);
    CLSID fromProgId{};
    ASSERT_EQ(CLSIDFromProgID(L"ContextMenu.cMenu", &fromProgId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(fromProgId, clsid));
    for (const CLSID& id : {clsid, fromProgId}) {
        auto menu = Create(id);
        ASSERT_TRUE(menu);
        ComPtr<IShellExtInit> init;
        ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, init.ReceiveVoid()), S_OK);
        EXPECT_EQ(init->Initialize(nullptr, data.get(), nullptr), S_OK);
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 1, L"Open");
        EXPECT_EQ(menu->QueryContextMenu(popup, 0, 100, 200, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
        wchar_t text[64] = {};
        GetMenuStringW(popup, 100, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"Rename with &Nomaro");
        EXPECT_EQ(GetMenuItemCount(popup), 3);
        DestroyMenu(popup);
        EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(text), 64), S_OK);
        EXPECT_STREQ(text, L"Rename with Nomaro");
    }
}

TEST_F(Server, StaysLoadedWhileAnObjectOrALockLivesAndLeavesItsTableUnpatched) {
    EXPECT_EQ(Entry("DllCanUnloadNow")(), S_OK);
    auto menu = Create(clsid);
    ASSERT_TRUE(menu);
    auto* entry = *reinterpret_cast<uintptr_t**>(menu.get()) + 3;
    uintptr_t bound = *entry;
    EXPECT_EQ(Entry("DllCanUnloadNow")(), S_FALSE);
    menu.Reset();
    EXPECT_NE(*entry, bound) << "the table stays patched after the last object";
    MEMORY_BASIC_INFORMATION memory{};
    VirtualQuery(entry, &memory, sizeof memory);
    EXPECT_EQ(memory.Protect, static_cast<DWORD>(PAGE_READONLY)) << "the method table is no longer read-only";
    EXPECT_EQ(Entry("DllCanUnloadNow")(), S_OK);

    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(Entry("DllCanUnloadNow")(), S_FALSE);
    ASSERT_EQ(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
}

// A thread of a file manager that chooses the item: the window opens
// modally; while it is open the host lets go of its handler and asks COM to
// free unused libraries, then closes the window; afterwards it asks again.
struct WindowThread {
    CLSID clsid{};
    std::wstring folder;
    IContextMenu* handler = nullptr;  // the host's reference, dropped while the window is open
    DWORD deadline = 0;
    bool shown = false;
    bool loadedWhileOpen = false;
    bool loadedAfterwards = true;
};
WindowThread* gThread = nullptr;

bool ServerLoaded() { return GetModuleHandleW(L"nomaro3x.dll") != nullptr; }

void CALLBACK DropHandlerAndClose(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowW(L"NomaroForm", L"Rename Filenames");
    if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
        if (GetTickCount() > gThread->deadline) PostQuitMessage(0);  // never leave the test hanging
        return;
    }
    if (gThread->shown) return;
    gThread->shown = true;
    std::exchange(gThread->handler, nullptr)->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    gThread->loadedWhileOpen = ServerLoaded();
    PostMessageW(window, WM_CLOSE, 0, 0);
}

DWORD WINAPI ChooseTheItem(void* parameter) {
    auto& run = *static_cast<WindowThread*>(parameter);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    auto data = Adopt(ShellDataObject(run.folder, {L"a.txt"}));
    CoCreateInstance(run.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu,
                     reinterpret_cast<void**>(&run.handler));
    IShellExtInit* init = nullptr;
    if (data && run.handler &&
        SUCCEEDED(run.handler->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)))) {
        init->Initialize(nullptr, data.get(), nullptr);
        init->Release();
        run.deadline = GetTickCount() + 10000;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, DropHandlerAndClose);
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.lpVerb = MAKEINTRESOURCEA(0);
        IContextMenu* menu = run.handler;
        menu->InvokeCommand(&info);
        KillTimer(nullptr, timer);
    }
    if (run.handler) run.handler->Release();
    data.Reset();
    CoFreeUnusedLibrariesEx(0, 0);
    run.loadedAfterwards = ServerLoaded();
    CoUninitialize();
    return 0;
}

TEST_F(Server, AThreadThatHadTheWindowOpenEndsAndTheLibraryGoesOnlyWhenClosed) {
    TempFolder folder;
    folder.AddFile(L"a.txt");
    FreeLibrary(server);  // only COM holds the library now
    server = nullptr;
    for (int round = 1; round <= 2; ++round) {  // the second loads the library afresh
        SCOPED_TRACE(round);
        WindowThread run;
        run.clsid = clsid;
        run.folder = folder.Path();
        gThread = &run;
        base::KernelHandle thread(CreateThread(nullptr, 0, ChooseTheItem, &run, 0, nullptr));
        ASSERT_TRUE(thread);
        if (WaitForSingleObject(thread.get(), 15000) != WAIT_OBJECT_0) {
            // A thread that cannot end holds the loader: the program could not end either.
            std::fprintf(stderr, "the host thread did not end\n");
            TerminateProcess(GetCurrentProcess(), 1);
        }
        gThread = nullptr;
        EXPECT_TRUE(run.shown);
        EXPECT_TRUE(run.loadedWhileOpen) << "the library went while its window was open";
        EXPECT_FALSE(run.loadedAfterwards) << "the library stayed after everything was released";
    }
    server = LoadLibraryW(ServerPath().c_str());
    ASSERT_TRUE(server);
}

}  // namespace