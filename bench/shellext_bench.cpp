// Endurance of the context-menu extension as the file manager uses it: on
// two threads at once, cycles of create -> Initialize with 100 files ->
// QueryContextMenu -> GetCommandString -> release. Prints the time of the
// cycles and the growth of memory, handles and GDI/USER objects across them
// (after a warm-up, so that one-time allocations do not count).
//
// Wine reports no handle or GUI-object counts (GetProcessHandleCount and
// GetGuiResources answer 0), so each is watched through the slot a fresh
// object gets: handles and GDI/USER objects take the lowest free slot of
// their table, so a leak shows as a slot number that keeps growing.
//
//   shellext_bench <cycles in all, shared by the two threads>
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/shell_data_object.h"

namespace fs = std::filesystem;

namespace {
const int kFiles = 100;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Usage {
    SIZE_T committedBytes = 0;
    unsigned long handleSlot = 0, gdiSlot = 0, userSlot = 0;
};

Usage Measure() {
    Usage usage;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    usage.committedBytes = memory.PagefileUsage;
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    usage.handleSlot = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(event) >> 2);
    CloseHandle(event);
    HBRUSH brush = CreateSolidBrush(0);
    usage.gdiSlot = LOWORD(reinterpret_cast<uintptr_t>(brush));
    DeleteObject(brush);
    HMENU menu = CreatePopupMenu();
    usage.userSlot = LOWORD(reinterpret_cast<uintptr_t>(menu));
    DestroyMenu(menu);
    return usage;
}

IDataObject* DataObjectOf(const fs::path& folder) {
    std::vector<std::wstring> names;
    for (int i = 0; i < kFiles; ++i) names.push_back(L"file" + std::to_wstring(i) + L".txt");
    return testing_support::ShellDataObject(folder.wstring(), names);
}

// One right-click as the file manager makes it; false when a step failed.
bool Cycle(const CLSID& clsid, IDataObject* data) {
    IShellExtInit* init = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                reinterpret_cast<void**>(&init))))
        return false;
    bool ok = SUCCEEDED(init->Initialize(nullptr, data, nullptr));
    IContextMenu* menu = nullptr;
    ok = ok && SUCCEEDED(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
    if (ok) {
        HMENU popup = CreatePopupMenu();
        ok = HRESULT_CODE(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL)) == 1;
        wchar_t help[64] = {};
        ok = ok && SUCCEEDED(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr,
                                                    reinterpret_cast<LPSTR>(help), 64));
        DestroyMenu(popup);
        menu->Release();
    }
    init->Release();
    return ok;
}

struct Worker {
    fs::path folder;
    int cycles;
    CLSID clsid;
    HANDLE ready, start;
    double elapsed = 0;
    int failures = 0;

    void Run() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IDataObject* data = DataObjectOf(folder);
        for (int i = 0; i < 100; ++i) Cycle(clsid, data);  // warm-up
        SetEvent(ready);
        WaitForSingleObject(start, INFINITE);
        double begin = Now();
        for (int i = 0; i < cycles; ++i)
            if (!data || !Cycle(clsid, data)) ++failures;
        elapsed = Now() - begin;
        if (data) data->Release();
        CoUninitialize();
    }
};
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int cycles = (argc > 1 ? _wtoi(argv[1]) : 1000) / 2;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"ContextMenu.cMenu", &clsid))) {
        std::fprintf(stderr, "the extension is not registered\n");
        return 1;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path root = fs::path(temp) / "nomaro-shellext-bench";
    Worker workers[2];
    HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    for (int w = 0; w < 2; ++w) {
        workers[w].folder = root / std::to_wstring(w);
        fs::create_directories(workers[w].folder);
        for (int i = 0; i < kFiles; ++i)
            CloseHandle(CreateFileW((workers[w].folder / (L"file" + std::to_wstring(i) + L".txt")).c_str(),
                                    GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        workers[w].cycles = cycles;
        workers[w].clsid = clsid;
        workers[w].ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        workers[w].start = start;
    }
    std::thread threads[2] = {std::thread([&] { workers[0].Run(); }),
                              std::thread([&] { workers[1].Run(); })};
    HANDLE ready[2] = {workers[0].ready, workers[1].ready};
    WaitForMultipleObjects(2, ready, TRUE, INFINITE);
    const Usage before = Measure();
    double begin = Now();
    SetEvent(start);
    for (auto& thread : threads) thread.join();
    const double total = Now() - begin;
    const Usage after = Measure();
    fs::remove_all(root);

    int failures = workers[0].failures + workers[1].failures;
    std::printf("context-menu extension, %d cycles of 100 files on 2 threads at once:\n", 2 * cycles);
    std::printf("  total time:        %8.1f ms (target under 1000 ms)\n", total);
    std::printf("  per thread:        %8.1f ms, %8.1f ms\n", workers[0].elapsed, workers[1].elapsed);
    std::printf("  failed cycles:     %d\n", failures);
    std::printf("  committed memory:  %lu -> %lu KiB (%+ld KiB)\n",
                static_cast<unsigned long>(before.committedBytes / 1024),
                static_cast<unsigned long>(after.committedBytes / 1024),
                (static_cast<long>(after.committedBytes) - static_cast<long>(before.committedBytes)) / 1024);
    std::printf("  next handle slot:  %lu -> %lu\n", before.handleSlot, after.handleSlot);
    std::printf("  next GDI slot:     %lu -> %lu\n", before.gdiSlot, after.gdiSlot);
    std::printf("  next USER slot:    %lu -> %lu\n", before.userSlot, after.userSlot);
    CoUninitialize();
    return failures == 0 ? 0 : 1;
}
