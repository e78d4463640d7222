// The real server (nomaro3x.dll or nomaro3x64.dll) as the shell meets it: self-registered, made
// through COM, given a real selection and released until it may be unloaded.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "base/Scoped.h"
#include "tests/win/shell_files.h"

using base::ComPtr;
using testing_support::ShellDataObject;
using testing_support::TempFolder;

namespace {

const wchar_t kClsid[] = L"{11757562-0E2B-4BA2-8F39-EF49D9300A9D}";

// The server copied beside this test program.
std::wstring ServerPath() {
    wchar_t path[MAX_PATH];
    std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"" NOMARO_SHELLEXT_FILE;
}

bool ServerLoaded() { return GetModuleHandleW(L"" NOMARO_SHELLEXT_FILE) != nullptr; }

class Server : public testing::Test {
protected:
    static inline HMODULE server = nullptr;
    CLSID clsid{};

    static HRESULT Call(const char* entry) {
        return reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(server, entry)))();
    }
    static void SetUpTestSuite() {
        server = LoadLibraryW(ServerPath().c_str());
        ASSERT_TRUE(server) << "cannot load the server";
        ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    }
    static void TearDownTestSuite() {
        if (!server) return;
        EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
        FreeLibrary(server);
    }
    void SetUp() override {
        ASSERT_TRUE(server);
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(CLSIDFromString(kClsid, &clsid), S_OK);
    }
    void TearDown() override {
        CoUninitialize();
        EXPECT_EQ(Call("DllCanUnloadNow"), S_OK) << "an object or lock of the server is left";
    }
};

// A host thread chooses the item; while the modal window is open it drops its handler and asks COM
// to free unused libraries, then closes the window; when the thread has released all, it asks again.
struct HostThread {
    CLSID clsid;
    std::wstring folder;
    IContextMenu* handler = nullptr;  // the host's reference, dropped while the window is open
    DWORD deadline = GetTickCount() + 10000;
    bool shown = false;
    bool loadedWhileOpen = false;
    bool loadedAfterwards = true;
};
HostThread* gHost = nullptr;

void CALLBACK DropHandlerAndClose(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowW(L"NomaroForm", L"Rename Filenames");
    if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
        if (GetTickCount() > gHost->deadline) PostQuitMessage(0);  // never leave the test hanging
        return;
    }
    if (std::exchange(gHost->shown, true)) return;
    std::exchange(gHost->handler, nullptr)->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    gHost->loadedWhileOpen = ServerLoaded();
    PostMessageW(window, WM_CLOSE, 0, 0);
}

DWORD WINAPI ChooseTheItem(void* parameter) {
    auto& host = *static_cast<HostThread*>(parameter);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        ComPtr<IDataObject> data(ShellDataObject(host.folder, {L"a.txt"}));
        ComPtr<IShellExtInit> init;
        CoCreateInstance(host.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, init.ReceiveVoid());
        if (data && init && SUCCEEDED(init->Initialize(nullptr, data.get(), nullptr)) &&
            SUCCEEDED(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&host.handler)))) {
            init.Reset();
            UINT_PTR timer = SetTimer(nullptr, 0, 50, DropHandlerAndClose);
            CMINVOKECOMMANDINFO info{};
            info.cbSize = sizeof info;
            info.lpVerb = MAKEINTRESOURCEA(0);
            host.handler->InvokeCommand(&info);  // the handler may go while its window is open
            KillTimer(nullptr, timer);
        }
        if (host.handler) host.handler->Release();
    }
    CoFreeUnusedLibrariesEx(0, 0);
    host.loadedAfterwards = ServerLoaded();
    CoUninitialize();
    return 0;
}

TEST_F(Server, AThreadThatHadTheWindowOpenEndsAndTheLibraryGoesOnlyWhenClosed) {
    TempFolder folder;
    folder.AddFile(L"a.txt");
    FreeLibrary(std::exchange(server, nullptr));  // only COM holds the library now
    for (int round = 1; round <= 2; ++round) {  // the second loads the library afresh
        SCOPED_TRACE(round);
        HostThread host{clsid, folder.Path()};
        gHost = &host;
        base::KernelHandle thread(CreateThread(nullptr, 0, ChooseTheItem, &host, 0, nullptr));
        ASSERT_TRUE(thread);
        if (WaitForSingleObject(thread.get(), 15000) != WAIT_OBJECT_0) {  // it holds the loader: end here
            std::fprintf(stderr, "the host thread did not end\n");
            TerminateProcess(GetCurrentProcess(), 1);
        }
        EXPECT_TRUE(host.shown);
        EXPECT_TRUE(host.loadedWhileOpen) << "the library went while its window was open";
        EXPECT_FALSE(host.loadedAfterwards) << "the library stayed after everything was released";
    }
    server = LoadLibraryW(ServerPath().c_str());
    ASSERT_TRUE(server);
}

}  // namespace
