// Recursive-search benchmark under Wine: the search window's whole run (the
// walk, the progress bar and labels, the sending and the insertion into a
// real rich-text document) against the least the same work can cost: a bare
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
#include "search/SearchWindow.h"
#include "ui/Form.h"
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

struct DocumentForm : ui::Form {
    ui::RichText document;
    void CreateControls() override {
        document.Create(*this);
        document.Move(0, 0, 6000, 4000);
    }
};

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
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        files = BareWalk(root);
        bare.push_back(Now() - start);

        DocumentForm form;
        form.Show();
        std::wstring folder = root;
        search::SearchWindow window(folder, [&](const std::wstring& text) {
            const double inserting = Now();
            form.document.ReplaceSelection(text);
            insertion.push_back(Now() - inserting);
        });
        window.Show();
        start = Now();
        window.startButton.Click();
        ours.push_back(Now() - start);
        const std::wstring text = form.document.Text();
        bareInsertion.push_back(BareInsertion(text));  // the same lines, paragraph ends as the document has them
        lines = static_cast<size_t>(std::count(text.begin(), text.end(), L'\r'));
    }
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
