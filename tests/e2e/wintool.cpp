// A small console tool that looks at the windows of a Wine session from
// outside the program under test: the end-to-end scripts use it to find
// windows and read their texts, and xdotool to press keys.
//
//   wintool wait <class|*> <title|*> <timeout-ms>   waits for a visible window, prints its handle
//   wintool showing <class|*> <title|*> <text> <timeout-ms>
//                                                   waits for a visible window with a child showing
//                                                   exactly that text (a dialog at a given page), prints its handle
//   wintool count <class|*> <title|*>               prints how many visible windows match
//   wintool texts <handle>                          prints the window's text and its children's
//   wintool foreground                              prints the handle of the foreground window
//   wintool activate <handle>                       brings the window to the front, for the keys that follow
//   wintool child <handle> <class> <n>              prints the n-th (from 0) child window of a class
//   wintool labelled <handle> <text>                prints the child window showing exactly that text
//   wintool centre <handle>                         prints the screen position of the window's centre ("x y")
//   wintool text <handle>                           prints the text the window gives on asking (an edit's contents)
//   wintool items <handle>                          prints how many entries a list box holds
//   wintool gone <handle> <timeout-ms>              waits until the window is destroyed or hidden
//   wintool focused <handle>                        succeeds when the keyboard focus of the foreground
//                                                   thread is in that window (itself or a child)
//   wintool inmenu                                  succeeds when the foreground thread tracks a menu
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
struct Query {
    std::wstring windowClass;
    std::wstring title;
    std::vector<HWND> found;
};

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

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<Query*>(param);
    if (!IsWindowVisible(hwnd)) return TRUE;
    if (query->windowClass != L"*" && ClassOf(hwnd) != query->windowClass) return TRUE;
    if (query->title != L"*" && TextOf(hwnd) != query->title) return TRUE;
    query->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> Find(const std::wstring& windowClass, const std::wstring& title) {
    Query query{windowClass, title, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

void PrintUtf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

HWND HandleFrom(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::wcstoull(text, nullptr, 16)));
}

struct ChildQuery {
    std::wstring windowClass;  // empty: any class
    std::wstring text;         // used when windowClass is empty
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<ChildQuery*>(param);
    bool match = query->windowClass.empty() ? TextOf(hwnd) == query->text
                                            : lstrcmpiW(ClassOf(hwnd).c_str(), query->windowClass.c_str()) == 0;
    if (match) query->found.push_back(hwnd);
    return TRUE;
}

// The first of the windows that has a child showing exactly `text`.
HWND ShowingText(const std::vector<HWND>& windows, const std::wstring& text) {
    for (HWND window : windows) {
        ChildQuery query{L"", text, {}};
        EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&query));
        if (!query.found.empty()) return window;
    }
    return nullptr;
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM) {
    PrintUtf8(TextOf(hwnd));
    return TRUE;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"wait" && argc == 5) {
        DWORD deadline = GetTickCount() + static_cast<DWORD>(_wtoi(argv[4]));
        do {
            auto found = Find(argv[2], argv[3]);
            if (!found.empty()) {
                std::printf("%p\n", static_cast<void*>(found.front()));
                return 0;
            }
            Sleep(50);
        } while (GetTickCount() < deadline);
        return 1;
    }
    if (command == L"showing" && argc == 6) {
        DWORD deadline = GetTickCount() + static_cast<DWORD>(_wtoi(argv[5]));
        do {
            if (HWND window = ShowingText(Find(argv[2], argv[3]), argv[4])) {
                std::printf("%p\n", static_cast<void*>(window));
                return 0;
            }
            Sleep(50);
        } while (GetTickCount() < deadline);
        return 1;
    }
    if (command == L"gone" && argc == 4) {
        HWND hwnd = HandleFrom(argv[2]);
        DWORD deadline = GetTickCount() + static_cast<DWORD>(_wtoi(argv[3]));
        while (IsWindowVisible(hwnd)) {
            if (GetTickCount() >= deadline) return 1;
            Sleep(50);
        }
        return 0;
    }
    if (command == L"count" && argc == 4) {
        std::printf("%u\n", static_cast<unsigned>(Find(argv[2], argv[3]).size()));
        return 0;
    }
    if (command == L"texts" && argc == 3) {
        HWND hwnd = HandleFrom(argv[2]);
        if (!IsWindow(hwnd)) return 1;
        PrintUtf8(TextOf(hwnd));
        EnumChildWindows(hwnd, PrintChild, 0);
        return 0;
    }
    if (command == L"activate" && argc == 3) {
        HWND hwnd = HandleFrom(argv[2]);
        if (!IsWindow(hwnd)) return 1;
        SetForegroundWindow(hwnd);
        for (int i = 0; i < 40 && GetForegroundWindow() != hwnd; ++i) Sleep(25);
        return GetForegroundWindow() == hwnd ? 0 : 1;
    }
    if ((command == L"child" && argc == 5) || (command == L"labelled" && argc == 4)) {
        ChildQuery query;
        if (command == L"child")
            query.windowClass = argv[3];
        else
            query.text = argv[3];
        EnumChildWindows(HandleFrom(argv[2]), CollectChild, reinterpret_cast<LPARAM>(&query));
        size_t n = command == L"child" ? static_cast<size_t>(_wtoi(argv[4])) : 0;
        if (n >= query.found.size()) return 1;
        std::printf("%p\n", static_cast<void*>(query.found[n]));
        return 0;
    }
    if (command == L"centre" && argc == 3) {
        RECT r;
        if (!GetWindowRect(HandleFrom(argv[2]), &r)) return 1;
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    if (command == L"foreground" && argc == 2) {
        std::printf("%p\n", static_cast<void*>(GetForegroundWindow()));
        return 0;
    }
    if (command == L"text" && argc == 3) {
        HWND hwnd = HandleFrom(argv[2]);
        if (!IsWindow(hwnd)) return 1;
        std::wstring text(static_cast<size_t>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        PrintUtf8(text);
        return 0;
    }
    if (command == L"items" && argc == 3) {
        HWND hwnd = HandleFrom(argv[2]);
        if (!IsWindow(hwnd)) return 1;
        std::printf("%ld\n", static_cast<long>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0)));
        return 0;
    }
    // Keys typed from outside reach the foreground thread's focus window, so a
    // script waits for these before it types.
    GUITHREADINFO input{};
    input.cbSize = sizeof(input);
    if (command == L"focused" && argc == 3) {
        HWND hwnd = HandleFrom(argv[2]);
        if (!GetGUIThreadInfo(0, &input) || !input.hwndFocus) return 1;
        return input.hwndFocus == hwnd || IsChild(hwnd, input.hwndFocus) ? 0 : 1;
    }
    if (command == L"inmenu" && argc == 2) return GetGUIThreadInfo(0, &input) && (input.flags & GUI_INMENUMODE) ? 0 : 1;
    std::fprintf(stderr, "usage: wintool wait|showing|count|texts|foreground|activate|child|labelled|centre|text|items|gone|focused|inmenu ...\n");
    return 2;
}
