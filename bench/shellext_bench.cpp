// Endurance of the context-menu extension as the file manager uses it: on
// two threads at once, cycles of create -> Initialize with 100 files ->
// QueryContextMenu -> GetCommandString -> release, in rounds of n, 2n and 4n
// cycles after a warm-up. Prints the time of the cycles and what each round
// left behind in memory, kernel handles and GDI and USER objects.
//
// A leak grows with the rounds, noise does not: a count that grows in every
// round, more in each longer round, and by more than its noise floor in the
// longest, is reported as FAIL and the program exits with 1.
//
// Wine reports no handle or GUI-object counts (GetProcessHandleCount and
// GetGuiResources answer 0), so each is estimated from the handle table:
// a batch of fresh objects takes the free slots first and then new ones at
// the top, so the highest slot of the batch minus its size follows the
// number of objects alive.
//
//   shellext_bench [n]      cycles of the first round, shared by the two threads (default 1000)
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/Scoped.h"
#include "bench/clock.h"
#include "tests/shell_data_object.h"

namespace fs = std::filesystem;

namespace {
const int kFiles = 100;
const int kRounds = 3;  // n, 2n and 4n cycles

// What is watched, with the growth in the longest round that still counts as noise.
struct Counter {
    const char* name;
    long noiseFloor;
    std::function<long()> measure;
};

// Creates `batch` objects, notes the highest slot among them and frees them again.
template <typename Handle>
long LiveObjects(const std::function<Handle()>& create, const std::function<void(Handle)>& destroy,
                 const std::function<long(Handle)>& slotOf) {
    const int batch = 512;
    std::vector<Handle> handles;
    long highest = 0;
    for (int i = 0; i < batch; ++i) {
        Handle handle = create();
        if (!handle) break;
        highest = std::max(highest, slotOf(handle));
        handles.push_back(handle);
    }
    for (Handle handle : handles) destroy(handle);
    return highest - static_cast<long>(handles.size());
}

std::vector<Counter> Counters() {
    return {
        {"committed memory (KiB)", 512,
         [] {
             PROCESS_MEMORY_COUNTERS memory{};
             memory.cb = sizeof memory;
             GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
             return static_cast<long>(memory.PagefileUsage / 1024);
         }},
        {"kernel handles", 8,
         [] {
             return LiveObjects<HANDLE>([] { return CreateEventW(nullptr, FALSE, FALSE, nullptr); },
                                        [](HANDLE event) { CloseHandle(event); },
                                        [](HANDLE event) { return static_cast<long>(reinterpret_cast<uintptr_t>(event) >> 2); });
         }},
        {"GDI objects", 8,
         [] {
             return LiveObjects<HBRUSH>([] { return CreateSolidBrush(0); },
                                        [](HBRUSH brush) { DeleteObject(brush); },
                                        [](HBRUSH brush) { return static_cast<long>(LOWORD(reinterpret_cast<uintptr_t>(brush))); });
         }},
        {"USER objects", 8,
         [] {
             return LiveObjects<HMENU>([] { return CreatePopupMenu(); },
                                       [](HMENU menu) { DestroyMenu(menu); },
                                       [](HMENU menu) { return static_cast<long>(LOWORD(reinterpret_cast<uintptr_t>(menu))); });
         }},
    };
}

IDataObject* DataObjectOf(const fs::path& folder) {
    std::vector<std::wstring> names;
    for (int i = 0; i < kFiles; ++i) names.push_back(L"file" + std::to_wstring(i) + L".txt");
    return testing_support::ShellDataObject(folder.wstring(), names);
}

// One right-click as the file manager makes it; false when a step failed.
bool Cycle(const CLSID& clsid, IDataObject* data) {
    base::ComPtr<IShellExtInit> init;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, init.ReceiveVoid())))
        return false;
    base::ComPtr<IContextMenu> menu;
    if (FAILED(init->Initialize(nullptr, data, nullptr)) ||
        FAILED(init->QueryInterface(IID_IContextMenu, menu.ReceiveVoid())))
        return false;
    HMENU popup = CreatePopupMenu();
    bool ok = HRESULT_CODE(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL)) == 1;
    wchar_t help[64] = {};
    ok = ok && SUCCEEDED(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<LPSTR>(help), 64));
    DestroyMenu(popup);
    return ok;
}

// A thread of the file manager: warms up, then runs one batch of cycles each
// time it is told to, reporting back when the batch is done.
struct Worker {
    fs::path folder;
    CLSID clsid{};
    base::KernelHandle go{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    base::KernelHandle done{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    int cycles = 0;  // of the next batch; 0 ends the thread
    double elapsed = 0;
    int failures = 0;

    void Run() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IDataObject* data = DataObjectOf(folder);
        for (int i = 0; i < 100; ++i) Cycle(clsid, data);
        SetEvent(done.get());
        for (;;) {
            WaitForSingleObject(go.get(), INFINITE);
            if (cycles == 0) break;
            const double begin = Now();
            for (int i = 0; i < cycles; ++i)
                if (!data || !Cycle(clsid, data)) ++failures;
            elapsed = Now() - begin;
            SetEvent(done.get());
        }
        if (data) data->Release();
        CoUninitialize();
    }
};

void Tell(std::array<Worker, 2>& workers, int cycles) {
    for (Worker& worker : workers) {
        worker.cycles = cycles;
        SetEvent(worker.go.get());
    }
}

// Both workers run `cycles` each, at once; returns the time the batch took.
double RunBatch(std::array<Worker, 2>& workers, int cycles) {
    Tell(workers, cycles);
    const double begin = Now();
    HANDLE done[2] = {workers[0].done.get(), workers[1].done.get()};
    WaitForMultipleObjects(2, done, TRUE, INFINITE);
    return Now() - begin;
}

// A leak grows in every round, and more in each longer one.
bool GrowsWithTheRounds(const std::array<long, kRounds>& growth, long noiseFloor) {
    for (int r = 0; r < kRounds; ++r)
        if (growth[r] <= 0 || (r > 0 && growth[r] <= growth[r - 1])) return false;
    return growth[kRounds - 1] > noiseFloor;
}

void MakeFiles(const fs::path& folder) {
    fs::create_directories(folder);
    for (int i = 0; i < kFiles; ++i)
        base::FileHandle(CreateFileW((folder / (L"file" + std::to_wstring(i) + L".txt")).c_str(), GENERIC_WRITE,
                                     0, nullptr, CREATE_ALWAYS, 0, nullptr));
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int firstRound = std::max(2, argc > 1 ? _wtoi(argv[1]) : 1000);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"ContextMenu.cMenu", &clsid))) {
        std::fprintf(stderr, "the extension is not registered\n");
        return 1;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path root = fs::path(temp) / "nomaro-shellext-bench";
    std::array<Worker, 2> workers;
    std::vector<std::thread> threads;
    for (size_t w = 0; w < workers.size(); ++w) {
        workers[w].folder = root / std::to_wstring(w);
        workers[w].clsid = clsid;
        MakeFiles(workers[w].folder);
        threads.emplace_back([&worker = workers[w]] { worker.Run(); });
    }
    HANDLE warm[2] = {workers[0].done.get(), workers[1].done.get()};
    WaitForMultipleObjects(2, warm, TRUE, INFINITE);

    const std::vector<Counter> counters = Counters();
    std::vector<std::array<long, kRounds>> growth(counters.size());
    std::array<double, kRounds> times{};
    int cyclesInAll = 0;
    for (int r = 0; r < kRounds; ++r) {
        const int cycles = firstRound << r;
        std::vector<long> before;
        for (const Counter& counter : counters) before.push_back(counter.measure());
        times[r] = RunBatch(workers, cycles / 2);
        for (size_t c = 0; c < counters.size(); ++c) growth[c][r] = counters[c].measure() - before[c];
        cyclesInAll += cycles;
    }
    Tell(workers, 0);  // the threads end
    for (std::thread& thread : threads) thread.join();
    fs::remove_all(root);

    const int failures = workers[0].failures + workers[1].failures;
    std::printf("context-menu extension, cycles of %d files on 2 threads at once:\n", kFiles);
    for (int r = 0; r < kRounds; ++r)
        std::printf("  round %d: %5d cycles in %8.1f ms (%.3f ms per cycle; target: 1000 cycles under 1000 ms)\n",
                    r + 1, firstRound << r, times[r], times[r] / (firstRound << r));
    std::printf("  failed cycles: %d of %d\n", failures, cyclesInAll);
    std::printf("  growth in each round:\n");
    bool leak = false;
    for (size_t c = 0; c < counters.size(); ++c) {
        const bool grows = GrowsWithTheRounds(growth[c], counters[c].noiseFloor);
        leak = leak || grows;
        std::printf("    %-24s %+6ld %+6ld %+6ld   %s\n", counters[c].name, growth[c][0], growth[c][1], growth[c][2],
                    grows ? "FAIL: grows with the rounds" : "ok");
    }
    CoUninitialize();
    if (leak) std::printf("FAIL: the extension leaks\n");
    return failures == 0 && !leak ? 0 : 1;
}
