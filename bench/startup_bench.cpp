// Start-up benchmark: time from process start to the first visible window,
// for a baseline program and for Nomaro, taken in turns in one run.
//
//   startup_bench <baseline.exe> <program.exe> <runs>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/clock.h"

namespace {
struct Search {
    DWORD process;
    bool found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->process && IsWindowVisible(hwnd)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from CreateProcess until the process shows a window; negative on failure.
double TimeToWindow(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    double start = Now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    Search search{process.dwProcessId, false};
    double elapsed = -1;
    while (Now() - start < 30000) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            elapsed = Now() - start;
            break;
        }
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: startup_bench <baseline.exe> <program.exe> <runs>\n");
        return 2;
    }
    int runs = std::max(1, _wtoi(argv[3]));
    std::vector<double> baseline, program;
    TimeToWindow(argv[1]);  // warm the file cache and the wineserver
    TimeToWindow(argv[2]);
    for (int i = 0; i < runs; ++i) {
        baseline.push_back(TimeToWindow(argv[1]));
        program.push_back(TimeToWindow(argv[2]));
        if (baseline.back() < 0 || program.back() < 0) {
            std::fprintf(stderr, "a program showed no window\n");
            return 1;
        }
    }
    double b = Median(baseline), p = Median(program);
    std::printf("start-up to first visible window, median of %d runs:\n", runs);
    std::printf("  minimal Win32 program: %7.1f ms\n", b);
    std::printf("  Nomaro start window:   %7.1f ms\n", p);
    std::printf("  ratio Nomaro / minimal: %.2f (target at most 1.5)\n", p / b);
    return 0;
}
