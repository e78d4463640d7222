// The drive, folder and file boxes on real windows and folders under the temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/Paths.h"
#include "tests/error_number.h"
#include "tests/win/client_picture.h"
#include "tests/win/temp_folder.h"
#include "ui/App.h"
#include "ui/BrowserBoxes.h"
#include "ui/Form.h"

using base::JoinPath;
using testing_support::ErrorNumberOf;

namespace {

using Names = std::vector<std::wstring>;

class BrowserForm : public ui::Form {
public:
    ui::DriveBox Drive1;
    ui::DirBox Dir1;
    ui::FileBox File1;
    ui::Button Command1;
    int driveChanges = 0, dirChanges = 0, fileClicks = 0, fileDoubleClicks = 0, defaultPresses = 0;

protected:
    SIZE DesignSize() const override { return SIZE{9000, 5000}; }
    void CreateControls() override {
        Drive1.Create(*this);
        Drive1.Move(150, 150, 2700, 315);
        Dir1.Create(*this);
        Dir1.Move(150, 600, 2700, 3600);
        File1.Create(*this);
        File1.Move(3000, 150, 2700, 4050);
        Command1.Create(*this);
        Command1.Move(6000, 150, 1200, 375);
        SetDefaultButton(Command1);
        Drive1.OnChange = [this] { ++driveChanges; };
        Dir1.OnChange = [this] { ++dirChanges; };
        File1.OnClick = [this] { ++fileClicks; };
        File1.OnDblClick = [this] { ++fileDoubleClicks; };
        Command1.OnClick = [this] { ++defaultPresses; };
    }
};

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The texts the list box itself holds, as the user sees them.
Names Shown(HWND list) {
    Names texts;
    for (int i = 0, n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i)
        texts.push_back(ui::ListBoxItemText(list, i));
    return texts;
}

// The names a file box lists, which its list box must show alike.
Names Listed(const ui::FileBox& box) {
    Names names;
    for (int i = 0; i < box.ListCount(); ++i) names.push_back(box.List(i));
    EXPECT_EQ(Shown(box.hwnd()), names);
    return names;
}

RECT ItemRect(HWND list, int index) {
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item;
}

// A mouse click (or double-click) in the middle of a list-box item.
void ClickItem(HWND list, int index, bool doubleClick) {
    RECT item = ItemRect(list, index);
    LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    if (doubleClick) {
        SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
    }
}

class BrowserBoxes : public testing::Test {
protected:
    void SetUp() override { form.Show(); }
    void TearDown() override {
        ui::SetDriveReadyProbe(nullptr);
        form.Unload();
    }
    std::wstring MakeFolder(const std::wstring& relative) { return temp.AddFolder(kTop + L"\\" + relative); }
    void MakeFiles(std::initializer_list<std::wstring> names, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        for (const std::wstring& name : names) SetFileAttributesW(temp.AddFile(kTop + L"\\" + name).c_str(), attributes);
    }
    inline static const std::wstring kTop = L"nomaro boxes";  // a blank in every path
    testing_support::TempFolder temp;
    const std::wstring root = temp.AddFolder(kTop);
    BrowserForm form;
};

// Files (no folders, no hidden or system files) that match one of the masks,
// sorted without regard to case; names the ANSI code page cannot hold included.
TEST_F(BrowserBoxes, FileBoxListsMatchingFilesSortedWithoutRegardToCase) {
    const std::wstring greek = L"\u0391\u03BB\u03C6\u03B1.txt", japanese = L"\u65E5\u672C\u8A9E.txt";
    MakeFiles({L"b.txt", L"A.TXT", L"c.doc", L"\u00C4.txt", L"a1.txt", L"Makefile", greek, japanese});
    MakeFiles({L"hidden.txt"}, FILE_ATTRIBUTE_HIDDEN);
    MakeFiles({L"system.txt"}, FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(L"folder.txt");
    form.File1.SetPath(root);
    const std::pair<const wchar_t*, Names> cases[] = {
        {L"*.*", {L"A.TXT", L"a1.txt", L"b.txt", L"c.doc", L"Makefile", L"\u00C4.txt", greek, japanese}},
        {L"*.DOC; *.htm;*.", {L"c.doc", L"Makefile"}},
        {L"", {}},
    };
    for (const auto& [pattern, names] : cases) {
        form.File1.SetPattern(pattern);
        EXPECT_EQ(Listed(form.File1), names) << testing::PrintToString(std::wstring(pattern));
    }
    EXPECT_EQ(ErrorNumberOf([&] { form.File1.List(0); }), 381);
}

// Marks set by the program raise no click and stay with their files through
// a refresh; a new pattern lists afresh; the user's clicks are reported.
TEST_F(BrowserBoxes, FileBoxSelectionByTheProgramAfterRefreshAndByTheUser) {
    MakeFiles({L"b.txt", L"c.txt", L"d.txt", L"e.txt"});
    form.File1.SetPath(root);
    form.File1.SelectAll();
    form.File1.SetSelected(1, false);
    form.File1.SetSelected(3, false);
    EXPECT_EQ(form.File1.SelectedIndices(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(form.File1.Selected(2) && !form.File1.Selected(3) && form.File1.SelCount() == 2);
    EXPECT_EQ(ErrorNumberOf([&] { form.File1.SetSelected(-1, true); }), 381);
    form.File1.SetSelected(1, true);
    form.File1.SetSelected(2, false);
    ASSERT_TRUE(DeleteFileW(JoinPath(root, L"c.txt").c_str()));
    MakeFiles({L"a.txt", L"C2.txt"});
    form.File1.Refresh();
    EXPECT_EQ(Listed(form.File1), (Names{L"a.txt", L"b.txt", L"C2.txt", L"d.txt", L"e.txt"}));
    EXPECT_EQ(form.File1.SelectedIndices(), (std::vector<int>{1})) << "b kept, the gone c not";
    form.File1.ClearSelection();
    EXPECT_TRUE(form.File1.SelectedIndices().empty());
    form.File1.SelectAll();
    form.File1.SetPattern(L"*.txt");
    EXPECT_EQ(std::tuple(form.File1.ListCount(), form.File1.SelCount(), form.fileClicks), std::tuple(5, 0, 0))
        << "listed afresh";
    ClickItem(form.File1.hwnd(), 1, false);
    EXPECT_EQ(std::pair(form.fileClicks, form.File1.SelectedIndices()), std::pair(1, std::vector<int>{1}));
    ClickItem(form.File1.hwnd(), 0, true);
    EXPECT_TRUE(form.fileDoubleClicks == 1 && form.File1.Selected(0));
}

// A path no box can go to leaves every box as it was and raises no change:
// 76 for a missing folder (or a file), 68 for a drive that is not ready.
TEST_F(BrowserBoxes, EveryBoxRefusesAMissingFolderOrANotReadyDrive) {
    MakeFiles({L"x.txt"});
    form.Drive1.SetDrive(L"c:");
    form.Dir1.SetPath(root);
    form.File1.SetPath(root);
    form.File1.SetSelected(0, true);
    const std::wstring dirBefore = form.Dir1.Path();
    const int dirEntries = form.Dir1.ListCount();
    form.driveChanges = form.dirChanges = 0;
    int askedForZ = 0;
    ui::SetDriveReadyProbe([&](const std::wstring& driveRoot) {
        bool z = SamePath(driveRoot, L"z:\\");
        askedForZ += z;
        return !z;
    });
    const std::pair<std::function<void()>, int> cases[] = {
        {[&] { form.File1.SetPath(JoinPath(root, L"missing")); }, 76},
        {[&] { form.File1.SetPath(JoinPath(root, L"x.txt")); }, 76},
        {[&] { form.File1.SetPath(L"Z:\\tmp"); }, 68},
        {[&] { form.Dir1.SetPath(JoinPath(root, L"missing\\deeper")); }, 76},
        {[&] { form.Dir1.SetPath(L""); }, 76},
        {[&] { form.Dir1.SetPath(L"z:\\"); }, 68},
        {[&] { form.Drive1.SetDrive(L"z:"); }, 68},
        {[&] { form.Drive1.SetDrive(L""); }, 68},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ErrorNumberOf(cases[i].first), cases[i].second);
        EXPECT_TRUE(SamePath(form.File1.Path(), root) && form.File1.Selected(0));
        EXPECT_EQ(Listed(form.File1), (Names{L"x.txt"}));
        EXPECT_EQ(std::tuple(form.Dir1.Path(), form.Dir1.ListCount(), form.Drive1.Drive()),
                  std::tuple(dirBefore, dirEntries, std::wstring(L"c:")));
    }
    EXPECT_EQ(askedForZ, 3) << "the drive is asked before a box goes to it";
    form.Dir1.SetPath(root);
    EXPECT_EQ(form.dirChanges + form.driveChanges, 0) << "neither a failure nor the same folder is a change";
    ui::SetDriveReadyProbe(nullptr);
    form.Drive1.SetDrive(L"z:");
    EXPECT_EQ(std::pair(form.Drive1.Drive(), form.driveChanges), std::pair(std::wstring(L"z:"), 1));
}

// The drive root, the ancestors down to the current folder, then its visible
// subfolders sorted, with names as written on disk; the current folder is
// highlighted and the subfolders have a closed folder glyph.
TEST_F(BrowserBoxes, DirBoxShowsAncestorsThenSubfoldersAsOnDisk) {
    std::wstring pics = MakeFolder(L"Pics");
    for (const wchar_t* sub : {L"Pics\\beta", L"Pics\\Alpha", L"Pics\\Alpha\\deeper"}) MakeFolder(sub);
    SetFileAttributesW(MakeFolder(L"Pics\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeFiles({L"Pics\\file.txt"});
    form.Dir1.SetPath(pics + L"\\beta\\..\\");
    std::wstring path = form.Dir1.Path();
    EXPECT_TRUE(SamePath(path, pics) && path[0] >= L'A' && path[0] <= L'Z');
    EXPECT_EQ(path.substr(path.size() - 5), L"\\Pics");
    int current = form.Dir1.CurrentIndex();
    ASSERT_EQ(form.Dir1.ListCount(), current + 3) << "two subfolders, the hidden one left out";
    EXPECT_EQ(form.Dir1.List(0), path.substr(0, 3));
    for (int i = 1; i <= current; ++i) {
        std::wstring ancestor = form.Dir1.List(i);
        EXPECT_EQ(path.compare(0, ancestor.size(), ancestor), 0) << "entry " << i << " is no ancestor";
        EXPECT_GT(ancestor.size(), form.Dir1.List(i - 1).size());
    }
    EXPECT_EQ((Names{form.Dir1.List(current), form.Dir1.List(current + 1), form.Dir1.List(current + 2)}),
              (Names{path, JoinPath(path, L"Alpha"), JoinPath(path, L"beta")}));
    EXPECT_EQ(form.Dir1.ListIndex(), current);
    EXPECT_EQ(ErrorNumberOf([&] { form.Dir1.List(current + 3); }), 381);
    const Names shown = Shown(form.Dir1.hwnd());
    EXPECT_EQ((Names{shown.front(), shown[static_cast<size_t>(current)], shown.back()}),
              (Names{{static_cast<wchar_t>(path[0] + 32), L':', L'\\'}, L"Pics", L"beta"}));
    const COLORREF closedFolder = RGB(255, 214, 90), highlight = GetSysColor(COLOR_HIGHLIGHT);
    const RECT rows[] = {ItemRect(form.Dir1.hwnd(), 0), ItemRect(form.Dir1.hwnd(), current),
                         ItemRect(form.Dir1.hwnd(), current + 1)};
    for (int selected : {current, 0}) {
        SCOPED_TRACE(selected);
        form.Dir1.SetListIndex(selected);
        testing_support::Picture picture = testing_support::PrintClient(form.Dir1.hwnd());
        for (int row = 0; row < 3; ++row) {
            int lit = picture.CountIn(rows[row].top, rows[row].bottom, highlight);
            int glyph = picture.CountIn(rows[row].top, rows[row].bottom, closedFolder);
            EXPECT_TRUE(row == (selected == 0 ? 0 : 1) ? lit > 50 : lit == 0) << "highlight in row " << row;
            EXPECT_TRUE(row == 2 ? glyph > 50 : glyph == 0) << "closed folder in row " << row;
        }
    }
    form.Dir1.SetPath(JoinPath(root, L"pics\\ALPHA"));
    EXPECT_EQ(form.Dir1.Path(), JoinPath(path, L"Alpha"));
    form.Dir1.SetPath(L"..");
    EXPECT_EQ(form.Dir1.Path(), path);
    for (wchar_t slash : {L'\\', L'/'}) {  // from the root of the box's drive
        std::wstring alpha = JoinPath(path, L"Alpha").substr(2);
        std::replace(alpha.begin(), alpha.end(), L'\\', slash);
        form.Dir1.SetPath(alpha);
        EXPECT_EQ(form.Dir1.Path(), JoinPath(path, L"Alpha"));
    }
    form.Dir1.SetPath(L"\\");
    EXPECT_EQ(std::pair(form.Dir1.Path(), form.Dir1.CurrentIndex()), std::pair(path.substr(0, 3), 0));
}

// A double-click or Enter opens an entry (Enter without pressing the default
// button); an entry gone meanwhile only brings the list up to date.
TEST_F(BrowserBoxes, DoubleClickAndEnterOpenFolders) {
    const std::wstring greekFolder = L"\u03A9\u03BC\u03AD\u03B3\u03B1 \u6587";  // Omega and a kanji
    MakeFolder(L"Alpha");
    std::wstring gone = MakeFolder(L"Gone");
    MakeFolder(greekFolder);
    form.Dir1.SetPath(root);
    std::wstring start = form.Dir1.Path();
    form.dirChanges = 0;
    int alpha = form.Dir1.CurrentIndex() + 1;
    ASSERT_EQ(form.Dir1.List(alpha), JoinPath(start, L"Alpha"));
    ClickItem(form.Dir1.hwnd(), alpha, true);
    EXPECT_EQ(std::pair(form.Dir1.Path(), form.dirChanges), std::pair(JoinPath(start, L"Alpha"), 1));
    form.Dir1.SetListIndex(form.Dir1.CurrentIndex() - 1);
    form.Dir1.SetFocus();
    PostMessageW(form.Dir1.hwnd(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(form.Dir1.hwnd(), WM_KEYUP, VK_RETURN, 0xC0000001);
    ui::DoEvents();
    EXPECT_EQ(std::tuple(form.Dir1.Path(), form.dirChanges, form.defaultPresses), std::tuple(start, 2, 0));
    int goneIndex = form.Dir1.CurrentIndex() + 2;
    ASSERT_EQ(form.Dir1.List(goneIndex), JoinPath(start, L"Gone"));
    ASSERT_TRUE(RemoveDirectoryW(gone.c_str()));
    ClickItem(form.Dir1.hwnd(), goneIndex, true);
    EXPECT_EQ(form.Dir1.Path(), start);
    EXPECT_EQ(std::pair(form.Dir1.ListCount() - form.Dir1.CurrentIndex(), form.dirChanges), std::pair(3, 2));
    int greek = form.Dir1.CurrentIndex() + 2;
    EXPECT_EQ(Shown(form.Dir1.hwnd())[static_cast<size_t>(greek)], greekFolder);
    ClickItem(form.Dir1.hwnd(), greek, true);
    EXPECT_EQ(form.Dir1.Path(), JoinPath(start, greekFolder));
    ClickItem(form.Dir1.hwnd(), 0, true);
    EXPECT_EQ(form.Dir1.Path(), start.substr(0, 3)) << "the drive root opens too";
}

// The drives are listed; SetDrive, the keyboard and the dropped list change
// the drive, where a choice in the dropped list counts when it closes.
TEST_F(BrowserBoxes, DriveBoxListsTheDrivesAndFollowsSetDriveAndTheKeyboard) {
    EXPECT_EQ(form.Drive1.Drive(), (std::wstring{static_cast<wchar_t>(towlower(form.Dir1.Path()[0])), L':'}))
        << "it starts at the drive of the current folder, as the folder box";
    Names drives;
    for (int i = 0; i < form.Drive1.ListCount(); ++i) drives.push_back(form.Drive1.List(i).substr(0, 2));
    for (const wchar_t* drive : {L"c:", L"z:"}) EXPECT_NE(std::find(drives.begin(), drives.end(), drive), drives.end());
    EXPECT_EQ(ErrorNumberOf([&] { form.Drive1.List(form.Drive1.ListCount()); }), 381);
    form.Drive1.SetDrive(L"z:");
    form.driveChanges = 0;
    form.Drive1.SetDrive(L"C:\\something");
    EXPECT_EQ(form.Drive1.Drive(), L"c:");
    form.Drive1.SetDrive(L"c");
    EXPECT_EQ(form.driveChanges, 1) << "the same drive is no change";
    SendMessageW(form.Drive1.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(std::pair(form.Drive1.Drive() != L"c:", form.driveChanges), std::pair(true, 2));
    form.Drive1.SetDrive(L"c:");
    form.driveChanges = 0;
    SendMessageW(form.Drive1.hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(form.Drive1.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(std::pair(form.Drive1.Drive() != L"c:", form.driveChanges), std::pair(true, 0)) << "the highlight moved";
    SendMessageW(form.Drive1.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(SendMessageW(form.Drive1.hwnd(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(form.driveChanges, 1);
    SendMessageW(form.Drive1.hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(form.Drive1.hwnd(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(form.driveChanges, 1);
}

}  // namespace
