// Recursive-search benchmark under Wine: the search window's whole run as the
// list window opens it (the walk, the progress bar and labels, the sending,
// and the list window's hand-over of the lines into its document with the
// undo element and the command states it records) against the least the
// same work can cost: a bare
// breadth-first loop of FindFirstFileW / FindNextFileW over the same tree
// plus the quickest insertion of the same lines into a fresh control, each
// round measuring all three side by side, reported as a ratio of the medians.
// (Inserting the lines alone takes about ten times the walk.)
//
//   search_bench <tree folder> <rounds>
#include <windows.h>

#include <algorithm>
#include <richedit.h>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "base/Scoped.h"
#include "bench/clock.h"
#include "listwin/ListWindow.h"
#include "search/SearchWindow.h"
#include "ui/MainWindows.h"
#include "ui/MsgBox.h"
#include "ui/RichText.h"

namespace {

// Every file path below `root`, breadth-first, and nothing more.
size_t BareWalk(const std::wstring& root) {
    std::vector<std::wstring> files;
    std::deque<std::wstring> folders{root + L"\\"};
    while (!folders.empty()) {
        const std::wstring folder = folders.front();
        folders.pop_front();
        WIN32_FIND_DATAW entry;
        base::FindHandle search(FindFirstFileW((folder + L"*.*").c_str(), &entry));
        if (!search) continue;
        do {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (entry.cFileName[0] != L'.') folders.push_back(folder + entry.cFileName + L"\\");
            } else {
                files.push_back(folder + entry.cFileName);
            }
        } while (FindNextFileW(search.get(), &entry));
    }
    return files.size();
}

// `text` put into a fresh rich-edit control that is not shown, by the
// quickest way there is under Wine (pieces of lines): the least any
// insertion of these lines into a document costs.
double BareInsertion(const std::wstring& text) {
    HWND box = CreateWindowExW(0, RICHEDIT_CLASSW, L"", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, 400,
                               300, nullptr, nullptr, nullptr, nullptr);
    SendMessageW(box, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    const double start = Now();
    ui::ReplaceSelectionInPieces(box, text);
    const double took = Now() - start;
    DestroyWindow(box);
    return took;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Fail(const char* what) {
    std::fprintf(stderr, "search_bench: %s\n", what);
    std::exit(1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: search_bench <tree folder> <rounds>\n");
        return 2;
    }
    const std::wstring root = argv[1];
    const int rounds = std::max(1, _wtoi(argv[2]));
    ui::SetPromptResponder([](const ui::Prompt&) { return IDOK; });
    std::vector<double> bare, ours, insertion, bareInsertion;
    size_t files = 0, lines = 0;

    listwin::ListWindow list;
    list.Show();
    list.restoreSettingsTimer.SetEnabled(false);
    list.folderBox.SetPath(root);
    // The list window opens the search through its registration; here the
    // search window is shown without its modal loop and its Start clicked,
    // timed to the end of the run, the document's painting included.
    ui::RegisterSearchWindow([&](HWND, std::wstring& folder, std::function<void(const std::wstring&)> insert) {
        search::SearchWindow window(folder, [&](const std::wstring& text) {
            const double inserting = Now();
            insert(text);
            insertion.push_back(Now() - inserting);
        });
        window.Show();
        const double start = Now();
        window.startButton.Click();
        UpdateWindow(list.hwnd());
        ours.push_back(Now() - start);
    });
    for (int round = 0; round < rounds; ++round) {
        const double start = Now();
        files = BareWalk(root);
        bare.push_back(Now() - start);

        const size_t elements = list.History().UndoList().size();
        list.radicalSelectItem.Click();
        if (list.History().UndoList().size() != elements + 1) Fail("the search was not one undo element");
        const std::wstring text = list.DocumentText();
        bareInsertion.push_back(BareInsertion(text));  // the same lines, paragraph ends as the document has them
        lines = static_cast<size_t>(std::count(text.begin(), text.end(), L'\r'));
        if (lines != files) Fail("the document holds another number of lines than files were found");
        list.undoButton.Click();  // empty again for the next round
        if (!list.DocumentEmpty()) Fail("Undo of the search left text");
    }
    ui::RegisterSearchWindow(nullptr);
    list.Unload();
    const double baseline = Median(bare) + Median(bareInsertion);
    std::printf("search: %zu files found by the bare loop, %zu lines in the document\n", files, lines);
    std::printf("  bare FindFirstFileW loop  %8.0f ms (median of %d)\n", Median(bare), rounds);
    std::printf("  bare insertion of the same lines into a fresh control %.0f ms (median of %d)\n",
                Median(bareInsertion), rounds);
    std::printf("  search window, sent       %8.0f ms (of which the insertion %.0f ms)\n", Median(ours),
                Median(insertion));
    std::printf("  against loop and insertion together: ratio %.2f (target at most 1.1)\n", Median(ours) / baseline);
    return 0;
}
