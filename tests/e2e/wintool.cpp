// A small console tool that looks at the windows of a Wine session from
// outside the program under test: the end-to-end scripts use it to find
// windows and read their texts, and xdotool to press keys. Handles go in and
// out in hex; a window not found or a condition not met exits with 1.
//
//   wintool wait <class|*> <title|*> <timeout-ms> [text]
//                                   waits for a visible window (with a child showing exactly the
//                                   text, if given: a dialog at a given page), prints its handle
//   wintool count <class|*> <title|*>   prints how many visible windows match
//   wintool texts <handle>          prints the window's text and its children's
//   wintool text <handle>           prints the text the window gives on asking (an edit's contents)
//   wintool items <handle>          prints how many entries a list box holds
//   wintool child <handle> <class> <n>  prints the n-th (from 0) child window of a class
//   wintool labelled <handle> <text>    prints the child window showing exactly that text
//   wintool centre <handle>         prints the screen position of the window's centre ("x y")
//   wintool foreground              prints the handle of the foreground window
//   wintool activate <handle>       brings the window to the front, for the keys that follow
//   wintool gone <handle> <timeout-ms>  waits until the window is destroyed or hidden
//   wintool focused <handle>        succeeds when the keyboard focus of the foreground thread is in
//                                   that window (itself or a child)
//   wintool inmenu                  succeeds when the foreground thread tracks a menu
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {
using Accept = std::function<bool(HWND)>;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[4096] = {};
    GetWindowTextW(hwnd, text, 4096);
    return text;
}

struct Search {
    const Accept& accept;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (search->accept(hwnd)) search->found.push_back(hwnd);
    return TRUE;
}

// The children of `parent` (the top-level windows when it is null) that `accept` takes, in order.
std::vector<HWND> Windows(HWND parent, const Accept& accept) {
    Search search{accept, {}};
    if (parent)
        EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The visible top-level windows of a class and title ("*" for any).
std::vector<HWND> Matching(const std::wstring& windowClass, const std::wstring& title) {
    return Windows(nullptr, [&](HWND hwnd) {
        return IsWindowVisible(hwnd) && (windowClass == L"*" || ClassOf(hwnd) == windowClass) &&
               (title == L"*" || TextOf(hwnd) == title);
    });
}

// Tries the condition every 50 ms until it holds (true) or the milliseconds pass (false).
bool Within(const wchar_t* milliseconds, const std::function<bool()>& condition) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(_wtoi(milliseconds));
    for (;; Sleep(50)) {
        if (condition()) return true;
        if (GetTickCount() >= deadline) return false;
    }
}

void PrintUtf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

int PrintHandle(HWND hwnd) {
    if (!hwnd) return 1;
    std::printf("%p\n", static_cast<void*>(hwnd));
    return 0;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    auto is = [&](const wchar_t* name, int arguments) { return command == name && argc == arguments + 2; };
    const HWND hwnd = argc > 2 ? reinterpret_cast<HWND>(static_cast<uintptr_t>(std::wcstoull(argv[2], nullptr, 16)))
                               : nullptr;
    if (is(L"wait", 3) || is(L"wait", 4)) {
        HWND found = nullptr;
        Within(argv[4], [&] {
            for (HWND window : Matching(argv[2], argv[3]))
                if (argc == 5 || !Windows(window, [&](HWND child) { return TextOf(child) == argv[5]; }).empty()) {
                    found = window;
                    return true;
                }
            return false;
        });
        return PrintHandle(found);
    }
    if (is(L"gone", 2)) return Within(argv[3], [&] { return !IsWindowVisible(hwnd); }) ? 0 : 1;
    if (is(L"count", 2)) {
        std::printf("%u\n", static_cast<unsigned>(Matching(argv[2], argv[3]).size()));
        return 0;
    }
    if (is(L"child", 3) || is(L"labelled", 2)) {
        auto found = Windows(hwnd, [&](HWND child) {
            return argc == 5 ? lstrcmpiW(ClassOf(child).c_str(), argv[3]) == 0 : TextOf(child) == argv[3];
        });
        const size_t n = argc == 5 ? static_cast<size_t>(_wtoi(argv[4])) : 0;
        return PrintHandle(n < found.size() ? found[n] : nullptr);
    }
    if (is(L"centre", 1)) {
        RECT r;
        if (!GetWindowRect(hwnd, &r)) return 1;
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    if (is(L"foreground", 0)) {
        std::printf("%p\n", static_cast<void*>(GetForegroundWindow()));
        return 0;
    }
    // Keys typed from outside reach the foreground thread's focus window, so a
    // script waits for these before it types.
    if (is(L"focused", 1) || is(L"inmenu", 0)) {
        GUITHREADINFO input{};
        input.cbSize = sizeof(input);
        if (!GetGUIThreadInfo(0, &input)) return 1;
        if (argc == 2) return input.flags & GUI_INMENUMODE ? 0 : 1;
        return input.hwndFocus && (input.hwndFocus == hwnd || IsChild(hwnd, input.hwndFocus)) ? 0 : 1;
    }
    if (argc == 3 && !IsWindow(hwnd)) return 1;  // the remaining commands need a window
    if (is(L"texts", 1)) {
        PrintUtf8(TextOf(hwnd));
        for (HWND child : Windows(hwnd, [](HWND) { return true; })) PrintUtf8(TextOf(child));
        return 0;
    }
    if (is(L"activate", 1)) {
        SetForegroundWindow(hwnd);
        for (int i = 0; i < 40 && GetForegroundWindow() != hwnd; ++i) Sleep(25);
        return GetForegroundWindow() == hwnd ? 0 : 1;
    }
    if (is(L"text", 1)) {
        std::wstring text(static_cast<size_t>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        PrintUtf8(text);
        return 0;
    }
    if (is(L"items", 1)) {
        std::printf("%ld\n", static_cast<long>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0)));
        return 0;
    }
    std::fprintf(stderr, "usage: wintool wait|count|texts|text|items|child|labelled|centre|foreground|activate|gone|"
                         "focused|inmenu ...\n");
    return 2;
}
