// List-document benchmarks under Wine, against a baseline taken in the same
// run: one plain insertion of the transfer's text into an empty rich-edit
// control of the document's size.
//  - transfer of every file of the folder into the document (the window's
//    one-second delay excluded), as a ratio to the baseline (medians of
//    three rounds, each with its baseline beside it);
//  - one typed character in that document, with its undo element: time and
//    committed memory per keystroke over many keystrokes;
//  - Undo and Redo of one typed character;
//  - Undo of the transfer into the empty document, and Clear (select all,
//    replace by nothing) of the whole document;
//  - opening the transferred list saved as rich text and as text through the
//    window's Open command, against a plain insertion of the same lines
//    taken beside it (medians of three rounds).
//
//   list_bench <folder of files> [keystrokes]
#include <windows.h>
#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/clock.h"
#include "listwin/ListWindow.h"
#include "listwin/TransferLines.h"
#include "ui/CommonDialogs.h"
#include "ui/MsgBox.h"
#include "ui/RichEditFiles.h"
#include "ui/Screen.h"

namespace {
double CommittedKiB() {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return static_cast<double>(memory.PagefileUsage) / 1024.0;
}

void Fail(const char* what) {
    std::fprintf(stderr, "list_bench: %s\n", what);
    std::exit(1);
}

// One EM_REPLACESEL of `text` into an empty, visible rich-edit control as
// large as the document, in a window of its own; `canUndo` as the control's
// default insertion does, or without its undo buffer.
double PlainInsertion(const std::wstring& text, const ui::RichText& like, bool canUndo = true) {
    RECT place{};
    GetWindowRect(like.hwnd(), &place);
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, place.right - place.left,
                                 place.bottom - place.top, nullptr, nullptr, nullptr, nullptr);
    HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
                               WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 0,
                               0, place.right - place.left, place.bottom - place.top, frame, nullptr, nullptr,
                               nullptr);
    SendMessageW(box, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(box, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    const double start = Now();
    SendMessageW(box, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text.c_str()));
    const double took = Now() - start;
    DestroyWindow(frame);
    return took;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

struct Summary {
    double average, worst;
};
Summary Summarise(const std::vector<double>& times) {
    double sum = 0;
    for (double t : times) sum += t;
    return {sum / static_cast<double>(times.size()), *std::max_element(times.begin(), times.end())};
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) Fail("usage: list_bench <folder> [keystrokes]");
    const std::wstring folder = argv[1];
    const int keystrokes = argc > 2 ? _wtoi(argv[2]) : 1000;
    // Opening a text file asks whether to open it anyway.
    ui::SetPromptResponder([](const ui::Prompt& prompt) { return (prompt.flags & MB_YESNO) ? IDYES : IDOK; });
    std::wstring openedFile;
    ui::DialogResponder dialogs;
    dialogs.open = [&](const ui::FileDialogSettings&) { return ui::FileChoice{true, openedFile, false}; };
    ui::SetDialogResponder(dialogs);

    listwin::ListWindow window;
    window.Show();
    window.restoreSettingsTimer.SetEnabled(false);
    window.folderBox.SetPath(folder);
    window.fileBox.SelectAll();
    const int files = window.fileBox.SelCount();
    std::vector<std::wstring> names;
    for (int i : window.fileBox.SelectedIndices()) names.push_back(window.fileBox.List(i));
    const std::wstring block = listwin::TransferBlock(window.fileBox.Path(), names, false);

    // Three rounds, each with both baselines beside the transfer; Undo empties
    // the document between them.
    std::vector<double> plains, plainsWithoutUndo, transfers;
    double start = 0;
    for (int round = 0; round < 3; ++round) {
        if (round > 0) window.undoButton.Click();
        plains.push_back(PlainInsertion(block, window.document));
        plainsWithoutUndo.push_back(PlainInsertion(block, window.document, false));
        window.addToListButton.Click();
        start = Now();
        window.transferTimer.FireNow();
        transfers.push_back(Now() - start);
    }
    const double plain = Median(plains), plainWithoutUndo = Median(plainsWithoutUndo), transfer = Median(transfers);
    const std::wstring transferred = window.DocumentText();
    if (static_cast<size_t>(window.document.TextLength()) != block.size()) Fail("the transfer wrote another text");
    if (window.History().UndoList().size() != 2) Fail("the transfer was not one undo element");
    const std::wstring richTextFile = TempPath(L"nomaro-bench-list.rtf"), textFile = TempPath(L"nomaro-bench-list.txt");
    ui::SaveRichEdit(window.document.hwnd(), richTextFile, ui::DocumentFormat::RichText);
    ui::SaveRichEdit(window.document.hwnd(), textFile, ui::DocumentFormat::Text);

    start = Now();
    window.undoButton.Click();
    const double undoTransfer = Now() - start;
    if (!window.DocumentEmpty()) Fail("Undo of the transfer left text");
    window.redoButton.Click();
    if (window.DocumentText() != transferred) Fail("Redo of the transfer gave another text");

    // Typing in the middle of the document.
    window.document.SetSelStart(window.document.TextLength() / 2);
    const double memoryBefore = CommittedKiB();
    const size_t storedBefore = window.History().StoredCharacters();
    std::vector<double> typed;
    for (int i = 0; i < keystrokes; ++i) {
        start = Now();
        SendMessageW(window.document.hwnd(), WM_CHAR, L'a' + i % 26, 1);
        typed.push_back(Now() - start);
    }
    const double memoryGrowth = CommittedKiB() - memoryBefore;
    const double historyGrowth =
        static_cast<double>((window.History().StoredCharacters() - storedBefore) * sizeof(wchar_t)) / 1024.0;
    if (window.document.TextLength() != static_cast<int>(block.size()) + keystrokes) Fail("typing was lost");

    std::vector<double> undos, redos;
    for (int i = 0; i < 20; ++i) {
        start = Now();
        window.undoButton.Click();
        undos.push_back(Now() - start);
    }
    for (int i = 0; i < 20; ++i) {
        start = Now();
        window.redoButton.Click();
        redos.push_back(Now() - start);
    }
    if (window.document.TextLength() != static_cast<int>(block.size()) + keystrokes) Fail("Undo and Redo differ");

    window.document.SelectAll();
    start = Now();
    window.document.ReplaceSelection(L"");
    const double clear = Now() - start;
    if (!window.DocumentEmpty() || window.document.SelStart() != 0) Fail("Clear left text");
    if (!window.undoButton.Enabled() || window.redoButton.Enabled()) Fail("Clear gave other command states");

    window.openItem.SetEnabled(true);  // as Clear leaves it; the transfer disabled it
    std::vector<double> plainOpen, openRichText, openText;
    const auto open = [&](const std::wstring& file, std::vector<double>& times) {
        openedFile = file;
        const double opening = Now();
        window.openItem.Click();
        times.push_back(Now() - opening);
        if (window.DocumentText() != transferred) Fail("an opened list differs from the saved one");
    };
    for (int round = 0; round < 3; ++round) {
        plainOpen.push_back(PlainInsertion(transferred, window.document));
        open(richTextFile, openRichText);
        open(textFile, openText);
    }
    window.Unload();
    DeleteFileW(richTextFile.c_str());
    DeleteFileW(textFile.c_str());

    const Summary typing = Summarise(typed), undo = Summarise(undos), redo = Summarise(redos);
    std::printf("list document, %d names (%zu characters):\n", files, block.size());
    std::printf("  plain insertion into an empty control (baseline): %8.1f ms (median of 3)\n", plain);
    std::printf("  transfer:        %8.1f ms (median of 3)  ratio %.2f (target at most 1.5)\n", transfer,
                transfer / plain);
    std::printf("  (against a plain insertion without the control's undo, %.1f ms: ratio %.2f (target at most 1.5))\n",
                plainWithoutUndo, transfer / plainWithoutUndo);
    std::printf("  typed character: %8.1f ms average, %.1f ms worst  ratio %.3f (target at most 30 ms)\n",
                typing.average, typing.worst, typing.average / plain);
    std::printf("  memory per keystroke: %8.2f KiB committed, %.3f KiB in the undo history, over %d keystrokes"
                " (target at most 1 KiB)\n",
                memoryGrowth / keystrokes, historyGrowth / keystrokes, keystrokes);
    std::printf("  Undo of a character: %8.1f ms average, %.1f ms worst  ratio %.3f (target at most 100 ms)\n",
                undo.average, undo.worst, undo.average / plain);
    std::printf("  Redo of a character: %8.1f ms average, %.1f ms worst  ratio %.3f (target at most 100 ms)\n",
                redo.average, redo.worst, redo.average / plain);
    std::printf("  Undo of the transfer: %8.1f ms  ratio %.2f (target at most 2000 ms)\n", undoTransfer,
                undoTransfer / plain);
    std::printf("  Clear:               %8.1f ms  ratio %.2f (target at most 2000 ms)\n", clear, clear / plain);
    const double plainOpenMedian = Median(plainOpen);
    std::printf("  plain insertion of the opened lines (baseline of the opening): %.1f ms (median of 3)\n",
                plainOpenMedian);
    std::printf("  open saved list (RTF): %.1f ms  ratio %.2f (target at most 1.5)\n", Median(openRichText),
                Median(openRichText) / plainOpenMedian);
    std::printf("  open text file: %.1f ms  ratio %.2f (target at most 1.5)\n", Median(openText),
                Median(openText) / plainOpenMedian);
    return 0;
}
