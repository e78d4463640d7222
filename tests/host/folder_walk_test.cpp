// The recursive search without its window: the walk over a fake folder tree
// and the text it sends to the list document.
#include "search/FolderWalk.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "base/RunError.h"
#include "tests/error_number.h"

namespace {

using Paths = std::vector<std::wstring>;
struct FakeEntry {
    std::wstring name;
    bool isFolder;
};
FakeEntry File(const wchar_t* name) { return {name, false}; }
FakeEntry Folder(const wchar_t* name) { return {name, true}; }

// A folder tree in memory; a folder it does not hold cannot be opened.
struct FakeTree final : search::FolderLister {
    std::map<std::wstring, std::vector<FakeEntry>> folders;
    Paths listed;

    void List(const std::wstring& folder, search::EntrySink& sink) override {
        listed.push_back(folder);
        for (const FakeEntry& entry : folders[folder]) sink.Entry(entry.name, entry.isFolder);
    }
};

struct Recorder final : search::WalkProgress {
    Paths started;
    int pumps = 0;
    std::vector<std::pair<int, int>> sent;

    void FolderStarted(const std::wstring& folder) override { started.push_back(folder); }
    void Pump() override { ++pumps; }
    void FileSent(int16_t index, int16_t count) override { sent.emplace_back(index, count); }
};

}  // namespace

TEST(FolderWalk, ChosenFolderThenSubfoldersInListedOrderThenTheirs) {
    FakeTree tree;
    tree.folders = {
        {L"C:\\f\\", {Folder(L"."), Folder(L".."), File(L"z.txt"), Folder(L"sub"), File(L"a.txt"),
                      Folder(L"other"), Folder(L"locked")}},
        {L"C:\\f\\sub\\", {Folder(L"deep"), File(L"c.txt")}},
        {L"C:\\f\\other\\", {File(L"d.txt")}},
        {L"C:\\f\\sub\\deep\\", {File(L"e.txt")}},
    };
    Recorder progress;
    EXPECT_EQ(search::FindAllFiles(L"C:\\f", tree, progress),
              (Paths{L"C:\\f\\z.txt", L"C:\\f\\a.txt", L"C:\\f\\sub\\c.txt", L"C:\\f\\other\\d.txt",
                     L"C:\\f\\sub\\deep\\e.txt"}));
    EXPECT_EQ(tree.listed, (Paths{L"C:\\f\\", L"C:\\f\\sub\\", L"C:\\f\\other\\", L"C:\\f\\locked\\",
                                  L"C:\\f\\sub\\deep\\"}));
    ASSERT_EQ(progress.started.size(), tree.listed.size());
    EXPECT_EQ(progress.started.front(), L"C:\\f");
    EXPECT_EQ(progress.pumps, 11 + 5) << "once per entry and once per folder";
}

// Names with blanks at their ends are other names: they stay as they are.
TEST(FolderWalk, KeepsNamesWholeAndSkipsFoldersBeginningWithADot) {
    const struct {
        const wchar_t* chosen;
        FakeEntry entry;
        Paths listed;  // after the chosen folder
        Paths files;
    } cases[] = {
        {L"C:\\f", File(L".profile"), {}, {L"C:\\f\\.profile"}},
        {L"C:\\f", Folder(L".cache"), {}, {}},
        {L"C:\\f", Folder(L" .cache"), {L"C:\\f\\ .cache\\"}, {}},
        {L"C:\\f", Folder(L"  "), {L"C:\\f\\  \\"}, {}},
        {L"C:\\f", File(L"  a b.txt  "), {}, {L"C:\\f\\  a b.txt  "}},
        {L"C:\\f", Folder(L" x y "), {L"C:\\f\\ x y \\"}, {}},
        {L"  C:\\f  ", File(L"a.txt"), {}, {L"C:\\f\\a.txt"}},
        {L"C:\\f\\", File(L"a.txt"), {}, {L"C:\\f\\a.txt"}},
    };
    for (const auto& c : cases) {
        FakeTree tree;
        tree.folders[L"C:\\f\\"] = {c.entry};
        Recorder progress;
        EXPECT_EQ(search::FindAllFiles(c.chosen, tree, progress), c.files) << c.chosen << c.entry.name;
        tree.listed.erase(tree.listed.begin());
        EXPECT_EQ(tree.listed, c.listed) << c.chosen << c.entry.name;
    }
}

TEST(FolderWalk, MoreThan32767FilesAcrossFoldersOverflow) {
    for (const size_t inSub : {767, 768}) {
        FakeTree tree;
        tree.folders[L"D:\\"].assign(32000, File(L"f"));
        tree.folders[L"D:\\"].push_back(Folder(L"sub"));
        tree.folders[L"D:\\sub\\"].assign(inSub, File(L"g"));
        Recorder progress;
        size_t found = 0;
        EXPECT_EQ(testing_support::ErrorNumberOf([&] { found = search::FindAllFiles(L"D:\\", tree, progress).size(); }),
                  inSub == 767 ? 0 : base::err::Overflow);
        EXPECT_EQ(found, inSub == 767 ? 32767u : 0u);
    }
}

TEST(FolderWalk, SendTextEndsEachPathWithSuffixAndLineFeed) {
    FakeTree tree;
    tree.folders = {{L"C:\\f\\", {File(L"a.txt"), Folder(L"sub")}},
                    {L"C:\\f\\sub\\", {File(L"b.txt")}}};
    Recorder progress;
    const Paths files = search::FindAllFiles(L"C:\\f", tree, progress);
    EXPECT_EQ(search::SendText(files, L";", progress), L"C:\\f\\a.txt;\nC:\\f\\sub\\b.txt;\n");
    EXPECT_EQ(progress.sent, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}}));
    EXPECT_EQ(testing_support::ErrorNumberOf([&] { search::SendText({}, L";", progress); }),
              base::err::InvalidPropertyValue);
    EXPECT_EQ(progress.sent.size(), 2u);
}

TEST(FolderWalk, PumpThrottleIsDueOncePerInterval) {
    search::PumpThrottle throttle(10);
    const struct {
        uint32_t now;
        bool due;
    } steps[] = {
        {0, true}, {9, false}, {10, true}, {19, false}, {25, true},
        {0xFFFFFFF8u, true}, {0xFFFFFFFFu, false}, {1, false}, {2, true},
    };
    for (const auto& s : steps) EXPECT_EQ(throttle.Due(s.now), s.due) << s.now;
}

// Each time messages are due during a walk, the label shows the folder being
// listed then, however many folders started since the last due moment.
TEST(FolderWalk, PacerShowsTheFolderBeingListedWheneverMessagesAreDue) {
    struct PacedWindow final : search::WalkProgress {
        search::SearchPacer pacer{10};
        uint32_t now = 0;  // one millisecond passes per call
        std::wstring listing, label;
        Paths shown;
        void FolderStarted(const std::wstring& folder) override {
            listing = folder;
            pacer.FolderStarted(folder);
            Pump();
        }
        void Pump() override {
            if (!pacer.Due(++now)) return;
            if (const std::wstring* folder = pacer.FolderToShow()) {
                label = *folder;
                shown.push_back(label);
            }
            EXPECT_EQ(label, listing) << now;
        }
        void FileSent(int16_t, int16_t) override {}
    };
    FakeTree tree;
    for (int i = 0; i < 20; ++i) {
        const std::wstring name = L"d" + std::to_wstring(i);
        tree.folders[L"C:\\f\\"].push_back(Folder(name.c_str()));
        tree.folders[L"C:\\f\\" + name + L"\\"] = {File(L"a"), File(L"b")};
    }
    PacedWindow window;
    EXPECT_EQ(search::FindAllFiles(L"C:\\f", tree, window).size(), 40u);
    // The chosen folder takes calls 1 to 22 (three due moments), each
    // subfolder 4 calls: the 8 due moments after it fall in 8 folders.
    ASSERT_EQ(window.shown.size(), 9u);
    EXPECT_EQ(window.shown.front(), L"C:\\f");
    EXPECT_EQ(window.shown.back(), L"C:\\f\\d19\\");
}
