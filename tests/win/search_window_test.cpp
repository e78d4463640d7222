// The recursive search window on a real folder tree: what it hands to the
// document, its messages, and the folder it leaves to its opener.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/Texts.h"
#include "search/SearchTexts.h"
#include "search/SearchWindow.h"
#include "tests/win/prompts.h"
#include "tests/win/temp_folder.h"

using base::LoadText;
using base::Text;

namespace {

class SearchWindow : public testing::Test {
protected:
    // Runs a search from `folder` with `suffix`; returns what the document received.
    std::vector<std::wstring> Search(const std::wstring& suffix) {
        std::vector<std::wstring> inserted;
        search::SearchWindow window(folder, [&](const std::wstring& text) { inserted.push_back(text); });
        window.Show();
        EXPECT_EQ(window.folderLabel.Caption(), folder);
        window.suffixBox.SetText(suffix);
        window.startButton.Click();
        EXPECT_FALSE(window.IsLoaded()) << "the window closes after every run";
        return inserted;
    }

    testing_support::ScriptedPrompts prompts;
    testing_support::TempFolder temp;
    const std::wstring root = temp.Path();
    std::wstring folder;
};

}  // namespace

// Every file below the chosen folder, each line with the suffix and a line feed, in one
// insertion, breadth first. Which names the walk takes is tested on the host.
TEST_F(SearchWindow, SendsEveryFileBelowTheFolderBreadthFirst) {
    for (const wchar_t* file : {L"sub\\deeper\\d.txt", L"sub\\b.txt", L"a.txt"}) temp.AddFile(file);
    folder = root;
    const std::wstring base = root + L"\\";
    EXPECT_EQ(Search(L";"), std::vector<std::wstring>{base + L"a.txt;\n" + base + L"sub\\b.txt;\n" + base +
                                                      L"sub\\deeper\\d.txt;\n"});
    EXPECT_TRUE(prompts.Said(0, LoadText(Text::FileTransference) + L": 3 files", LoadText(Text::Ok),
                             MB_OK | MB_ICONINFORMATION));
}

// No file anywhere below: the no-files message, nothing inserted. The opener's folder follows
// the one chosen in the window.
TEST_F(SearchWindow, NoFilesSendsNothingAndTheFolderFollows) {
    temp.AddFolder(L"empty\\below");
    folder = root;
    EXPECT_TRUE(Search(L"").empty());
    EXPECT_TRUE(prompts.Said(0, LoadText(Text::NoFilesToSend) + L". " + LoadText(Text::RadicalSelect) + L" exit.",
                             L"380", MB_OK | MB_ICONINFORMATION));
    {
        search::SearchWindow window(folder, [](const std::wstring&) { ADD_FAILURE() << "nothing to insert"; });
        window.Show();
        window.folderBox.SetPath(root + L"\\empty");
        EXPECT_EQ(window.folderLabel.Caption(), root + L"\\empty");
        const std::wstring caption = window.Caption();
        ASSERT_TRUE(window.captionTimer.FireNow());
        EXPECT_EQ(window.Caption(), caption.substr(1) + caption[0]) << "the caption scrolls";
        window.cancelButton.Click();
    }
    EXPECT_EQ(folder, root + L"\\empty");
}

namespace {
// A person watching the search window: at each tick of a thread timer, which
// fires whenever the window processes its messages, what the folder label
// shows while the status line says the search runs.
search::SearchWindow* gWatched = nullptr;
std::vector<std::wstring> gSeen;
int gLooks = 0;

void CALLBACK LookAtTheLabel(HWND, UINT, UINT_PTR, DWORD) {
    if (!gWatched || gWatched->statusLabel.Caption() != LoadText(Text::Searching)) return;
    ++gLooks;
    const std::wstring shown = gWatched->folderLabel.Caption();
    if (gSeen.empty() || gSeen.back() != shown) gSeen.push_back(shown);
}
}  // namespace

// While the search of a tree of 10,000 files runs, the folder label shows the
// folder being read, as ShowSearchPath shortens it, each time the window
// processes its messages: the chosen folder first, then one of its folders
// at least at every second look (the walk reads a folder of 250 files in
// less time than passes between two looks).
TEST_F(SearchWindow, LabelShowsTheFolderBeingReadWhileTheSearchRuns) {
    std::set<std::wstring> folderTexts;
    for (int f = 0; f < 40; ++f) {
        const std::wstring sub = L"folder" + std::to_wstring(f);
        folderTexts.insert(search::ShowSearchPathText(root + L"\\" + sub + L"\\"));
        for (int n = 0; n < 250; ++n) temp.AddFile(sub + L"\\file" + std::to_wstring(n) + L".txt");
    }
    folder = root;
    size_t lines = 0;
    {
        search::SearchWindow window(folder, [&](const std::wstring& text) {
            lines = static_cast<size_t>(std::count(text.begin(), text.end(), L'\n'));
        });
        window.Show();
        gWatched = &window;
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, LookAtTheLabel);
        Sleep(2 * USER_TIMER_MINIMUM);  // the first look comes with the chosen folder
        window.startButton.Click();
        KillTimer(nullptr, timer);
        gWatched = nullptr;
    }
    EXPECT_EQ(lines, 10000u);
    ASSERT_FALSE(gSeen.empty());
    EXPECT_EQ(gSeen.front(), search::ShowSearchPathText(root));
    for (size_t i = 1; i < gSeen.size(); ++i) EXPECT_EQ(folderTexts.count(gSeen[i]), 1u) << gSeen[i];
    EXPECT_GE(gSeen.size(), 3u) << gLooks << " looks";
    EXPECT_GE(gSeen.size() * 2, static_cast<size_t>(gLooks)) << testing::PrintToString(gSeen);
}
