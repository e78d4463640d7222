// Rename-window benchmarks under Wine, each against a baseline taken in the
// same run:
//  - transfer: marked files of the file list into the rename list (the
//    window's 500 ms delay excluded), reported in milliseconds;
//  - perform: the rename step of the window over N files, with its journal,
//    against a bare loop of MoveFileW over N other files of the same kind
//    (the 1500 ms delays excluded), reported as a ratio;
//  - undo: Undo Last Rename of that batch against a bare MoveFileW loop that
//    gives the other files their first names back.
//
//   rename_bench <files>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/Scoped.h"
#include "bench/clock.h"
#include "rename/RenameWindow.h"
#include "ui/MsgBox.h"

namespace fs = std::filesystem;

namespace {
std::wstring Numbered(const wchar_t* prefix, int i) {
    wchar_t name[64];
    swprintf(name, 64, L"%ls%05d.jpg", prefix, i);
    return name;
}

fs::path MakeFolder(const fs::path& root, const wchar_t* name, int files) {
    fs::path folder = root / name;
    fs::create_directories(folder);
    for (int i = 0; i < files; ++i) {
        base::FileHandle file(CreateFileW((folder / Numbered(L"photo", i)).c_str(), GENERIC_WRITE, 0,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return folder;
}

// The same names the window gives: Trip0001.jpg ..., or back from them.
double BareMoveLoop(const fs::path& folder, int files, bool back = false) {
    double start = Now();
    for (int i = 0; i < files; ++i) {
        wchar_t trip[64];
        swprintf(trip, 64, L"Trip%04d.jpg", i + 1);
        fs::path from = folder / Numbered(L"photo", i), to = folder / trip;
        if (back) std::swap(from, to);
        if (!MoveFileW(from.c_str(), to.c_str())) {
            std::fprintf(stderr, "bare MoveFileW failed at %d\n", i);
            std::exit(1);
        }
    }
    return Now() - start;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int files = argc > 1 ? _wtoi(argv[1]) : 10000;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path root = fs::path(temp) / "nomaro-rename-bench";
    fs::remove_all(root);
    const fs::path windowFolder = MakeFolder(root, L"window", files);
    // The bare loops run once before and once after the window's step, on
    // folders of their own, so that a machine that gets busier or quieter
    // during the run weighs on both sides alike.
    const fs::path bareBefore = MakeFolder(root, L"bare1", files), bareAfter = MakeFolder(root, L"bare2", files);
    ui::SetPromptResponder([](const ui::Prompt& prompt) { return (prompt.flags & MB_YESNO) ? IDYES : IDOK; });

    renamer::RenameWindow window;
    window.Show();
    window.restoreSettingsTimer.SetEnabled(false);
    window.folderBox.SetPath(windowFolder.wstring());
    window.fileBox.SelectAll();

    double start = Now();
    window.selectButton.Click();
    window.transferTimer.FireNow();
    const double transfer = Now() - start;
    if (window.renameList.ListCount() != files) {
        std::fprintf(stderr, "transfer moved %d of %d files\n", window.renameList.ListCount(), files);
        return 1;
    }

    window.newNameBox.SetText(L"Trip");
    window.renameButton.Click();
    window.planTimer.FireNow();  // plan and question
    double bare = BareMoveLoop(bareBefore, files);
    start = Now();
    window.performTimer.FireNow();  // the renames
    const double perform = Now() - start;
    bare = (bare + BareMoveLoop(bareAfter, files)) / 2;
    if (!fs::exists(windowFolder / L"Trip0001.jpg")) {
        std::fprintf(stderr, "the window renamed nothing\n");
        return 1;
    }
    double bareBack = BareMoveLoop(bareBefore, files, true);
    start = Now();
    window.undoLastRenameItem.Click();
    const double undo = Now() - start;
    bareBack = (bareBack + BareMoveLoop(bareAfter, files, true)) / 2;
    if (!fs::exists(windowFolder / Numbered(L"photo", files - 1)) || fs::exists(windowFolder / L"Trip0001.jpg")) {
        std::fprintf(stderr, "undo did not give the first names back\n");
        return 1;
    }
    window.Unload();
    fs::remove_all(root);

    std::printf("rename window, %d files:\n", files);
    std::printf("  transfer into the rename list:  %8.1f ms (target at most 1000 ms)\n", transfer);
    std::printf("  perform step, with its journal: %8.1f ms\n", perform);
    std::printf("  bare MoveFileW loop (mean):     %8.1f ms\n", bare);
    std::printf("  ratio perform / bare: %.2f (target at most 1.1)\n", perform / bare);
    std::printf("  Undo Last Rename:               %8.1f ms\n", undo);
    std::printf("  bare loop back (mean):          %8.1f ms\n", bareBack);
    std::printf("  ratio undo / bare: %.2f (target at most 1.1)\n", undo / bareBack);
    return 0;
}
