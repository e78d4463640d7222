// The picture view of the list window on real pictures made by ImageMagick at build time.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "base/Texts.h"
#include "listwin/ListWindowTables.h"
#include "tests/win/client_picture.h"
#include "tests/win/list_window_fixture.h"
#include "ui/App.h"
#include "ui/Screen.h"

namespace fs = std::filesystem;
using base::Text;
using Window = listwin::ListWindow;

namespace {

const wchar_t kPicturePattern[] = L"*.jpg;*.gif;*.bmp;*.wmf;*.ico;*.cur";
const wchar_t kCorrupt[] = L"Description: Invalid picture.  Corrupt file or file with zero bytes?";

using testing_support::FileBytes;
using testing_support::PutBytes;

class ListPictures : public testing_support::ListWindowFixture {
protected:
    void SetUp() override {
        ListWindowFixture::SetUp();
        for (const char* name : {"baseline.jpg", "picture.bmp", "large.jpg", "wide.jpg"})
            ASSERT_TRUE(CopyFileA((std::string(NOMARO_TEST_PICTURES "/") + name).c_str(),
                                  (folder / name).string().c_str(), FALSE)) << name;
        const std::string jpeg = FileBytes(folder / "baseline.jpg");
        PutBytes(folder / "empty.jpg", "");
        PutBytes(folder / "truncated.jpg", jpeg.substr(0, jpeg.size() / 2));
        // Its frame marker of type 5 (differential) is one the loader lacks.
        std::string differential = jpeg;
        const size_t frame = jpeg.find("\xFF\xC0");
        ASSERT_NE(frame, std::string::npos);
        differential[frame + 1] = '\xC5';
        PutBytes(folder / "differential.jpg", differential);
        std::string noise(2000, '\0');
        for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + 13) % 251);
        PutBytes(folder / "noise.gif", noise);
        std::ofstream(folder / "notes.txt") << "x";
        window->folderBox.SetPath(folder.wstring());
    }

    // A click on the file's entry, as the user gives it.
    void ClickFile(const std::wstring& name) {
        int index = 0;
        while (index < window->fileBox.ListCount() && window->fileBox.List(index) != name) ++index;
        ASSERT_LT(index, window->fileBox.ListCount()) << testing::PrintToString(name);
        RECT item{};
        SendMessageW(window->fileBox.hwnd(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        const LPARAM point = MAKELPARAM(item.left + 2, (item.top + item.bottom) / 2);
        SendMessageW(window->fileBox.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(window->fileBox.hwnd(), WM_LBUTTONUP, 0, point);
    }
    void ShowFile(const std::wstring& name) {
        window->viewPicturesBox.SetValue(true);
        ClickFile(name);
    }
    std::wstring SizeLine(const fs::path& file, int width, int height) const {
        return L"Filesize= " + std::to_wstring(fs::file_size(folder / file)) + L" bytes. Width= " +
               std::to_wstring(width) + L"  Height= " + std::to_wstring(height);
    }
};

// One row of the mode table: a state of the window, in picture view and back in list mode.
struct ModeRow {
    std::string name;
    std::function<bool(Window&)> state;
    bool inPictures, inList;
};
// A named state of the window: a control shown, or a command usable.
#define SHOWN(control) {#control, [](Window& w) { return w.control.Visible(); }}
#define USABLE(control) {#control, [](Window& w) { return w.control.Enabled(); }}

// After typing into the document and one undo (both possible): the rows off
// in both modes keep the state picture view gave them, unless the
// command-state refresh at the end sets them from the document.
std::vector<ModeRow> ModeTable() {
    std::vector<ModeRow> rows;
    using Named = std::vector<std::pair<std::string, std::function<bool(Window&)>>>;
    auto add = [&rows](bool inPictures, bool inList, const Named& states) {
        for (auto& [name, state] : states) rows.push_back({name, state, inPictures, inList});
    };
    add(true, false, {SHOWN(sizeLabel), SHOWN(thumbnailFrame), SHOWN(previewBox), SHOWN(thumbnail), SHOWN(preview),
                      {"patternBox", [](Window& w) { return w.patternBox.Text() == kPicturePattern; }},
                      {"viewPicturesItem", [](Window& w) { return w.viewPicturesItem.Checked(); }}});
    add(false, false, {USABLE(openItem), USABLE(pasteItem), USABLE(undoItem), USABLE(redoItem),
                       USABLE(selectAllTextItem)});
    add(false, true, {USABLE(radicalSelectItem), USABLE(printerSetupItem), USABLE(clearListItem),
                      USABLE(includePathItem), USABLE(saveItem), USABLE(printItem), USABLE(closeItem),
                      USABLE(fontItem), USABLE(cutItem), USABLE(deleteItem), USABLE(copyItem), SHOWN(undoButton),
                      USABLE(selectAllFilesItem), USABLE(showAllFilesItem), SHOWN(redoButton),
                      SHOWN(documentLabel), SHOWN(document), USABLE(addToListButton)});
    for (int button : {listwin::kPrintToolButton, listwin::kSaveToolButton, listwin::kClearToolButton,
                       listwin::kUndoToolButton, listwin::kRedoToolButton})
        rows.push_back({"tool button " + std::to_string(button),
                        [button](Window& w) { return w.toolbar.ButtonEnabled(button); }, false, true});
    const Text pictureFilters[] = {Text::SelectJpgFiles, Text::SelectGifFiles, Text::SelectBmpFiles,
                                   Text::SelectWmfFiles, Text::SelectIcoFiles, Text::SelectCurFiles,
                                   Text::SelectPictureFiles};
    for (size_t i = 0; i < listwin::kTypeFilterCount; ++i) {
        const Text caption = listwin::kTypeFilters[i].caption;
        const bool stays = std::ranges::find(pictureFilters, caption) != std::end(pictureFilters);
        rows.push_back({"filter " + std::to_string(i), [i](Window& w) { return w.filterItems[i].Enabled(); },
                        stays, true});
    }
    return rows;
}

std::vector<bool> States(Window& w, const std::vector<ModeRow>& rows) {
    std::vector<bool> states;
    for (const ModeRow& row : rows) states.push_back(row.state(w));
    return states;
}

}  // namespace

// Into picture view by the check box, back and in again by the menu item,
// which gives the same states.
TEST_F(ListPictures, ModeSwitchAppliesEveryRowBothWaysAndShowsTheChosenFile) {
    Window& w = *window;
    const std::vector<ModeRow> rows = ModeTable();
    // What only the picture view shows or sets is off from the start.
    for (const ModeRow& row : rows)
        EXPECT_TRUE(!row.inPictures || row.inList || !row.state(w)) << row.name << " after loading";
    Type(L"abc");
    w.undoButton.Click();
    ASSERT_TRUE(!w.DocumentEmpty() && w.undoButton.Enabled() && w.redoButton.Enabled());
    w.viewPicturesBox.SetValue(true);
    EXPECT_TRUE(!w.ListMode() && w.fileBox.HasFocus());
    for (const ModeRow& row : rows) EXPECT_EQ(row.state(w), row.inPictures) << row.name << " in picture view";
    const std::vector<bool> byBox = States(w, rows);
    w.viewPicturesItem.Click();
    EXPECT_TRUE(w.ListMode() && !w.viewPicturesBox.Value());
    for (const ModeRow& row : rows) EXPECT_EQ(row.state(w), row.inList) << row.name << " in list mode";
    EXPECT_EQ(w.patternBox.Text(), L"*.*");
    w.viewPicturesItem.Click();
    EXPECT_TRUE(w.viewPicturesBox.Value());
    EXPECT_EQ(States(w, rows), byBox);

    // Entering the picture view shows a file chosen before, or only the empty
    // frame; in list mode a click shows nothing.
    w.viewPicturesBox.SetValue(false);
    w.patternBox.SetText(kPicturePattern);
    ClickFile(L"baseline.jpg");
    EXPECT_TRUE(w.sizeLabel.Caption().empty() && !w.preview.CurrentPicture());
    w.viewPicturesBox.SetValue(true);
    EXPECT_EQ(w.sizeLabel.Caption(), SizeLine("baseline.jpg", 321, 257));

    w.viewPicturesBox.SetValue(false);
    w.viewPicturesBox.SetValue(true);  // the pattern went back to *.*: nothing is chosen now
    EXPECT_TRUE(w.preview.Visible() && w.previewBox.Visible() && !w.document.Visible());
    EXPECT_EQ(w.sizeLabel.Caption(), SizeLine("baseline.jpg", 321, 257));
    EXPECT_TRUE(prompts.seen.empty());
}

// Good files: the preview at its natural size or shrunk to the frame, the
// thumbnail always stretched to its square, the size line from the header.
TEST_F(ListPictures, ShowsTheClickedFile) {
    Window& w = *window;
    const struct {
        const wchar_t* name;
        int headerWidth, headerHeight;  // the size line's numbers
        long width, height;             // the preview in twips
        bool stretched;
    } table[] = {
        // 15000 x 12000 twips in a frame of 6285 x 5580 less the margin of 100:
        // 735 steps of 12 and 10 twips.
        {L"large.jpg", 1000, 800, 15000 - 735 * 12, 12000 - 735 * 10, true},
        // After a stretched picture, the natural size again; bitmaps have no size in the size line.
        {L"picture.bmp", 0, 0, ui::PixelsToTwipsX(20), ui::PixelsToTwipsY(10), false},
        {L"baseline.jpg", 321, 257, ui::PixelsToTwipsX(321), ui::PixelsToTwipsY(257), false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::PrintToString(row.name));
        ShowFile(row.name);
        EXPECT_TRUE(prompts.seen.empty());
        EXPECT_EQ(w.sizeLabel.Caption(), SizeLine(row.name, row.headerWidth, row.headerHeight));
        EXPECT_TRUE(w.preview.Visible() && w.preview.CurrentPicture() && w.thumbnail.CurrentPicture());
        EXPECT_EQ(std::tuple(w.preview.Width(), w.preview.Height(), w.preview.Stretch()),
                  std::tuple(row.width, row.height, row.stretched));
        EXPECT_NEAR(w.preview.Left(), (w.previewBox.Width() - row.width) / 2.0, 1);
        EXPECT_NEAR(w.preview.Top(), (w.previewBox.Height() - row.height) / 2.0, 1);
        EXPECT_TRUE(w.thumbnail.Width() == 600 && w.thumbnail.Height() == 600 && w.thumbnail.Stretch());
        EXPECT_FALSE(w.document.Visible());
    }
    // What is painted: the red bitmap fills the preview and the thumbnail.
    ShowFile(L"picture.bmp");
    for (HWND image : {w.preview.hwnd(), w.thumbnail.hwnd()}) {
        const testing_support::Picture painted = testing_support::PrintClient(image);
        EXPECT_GT(painted.width * painted.height, 0);
        EXPECT_EQ(painted.CountIn(0, painted.height, RGB(255, 0, 0)), painted.width * painted.height);
    }
    // At a drive root the file's path has one backslash.
    const fs::path atRoot = L"C:\\nomaro-view-test.bmp";
    ASSERT_TRUE(CopyFileW((folder / "picture.bmp").c_str(), atRoot.c_str(), FALSE));
    w.folderBox.SetPath(L"C:\\");
    ClickFile(L"nomaro-view-test.bmp");
    DeleteFileW(atRoot.c_str());
    EXPECT_TRUE(prompts.seen.empty() && w.preview.CurrentPicture());
    EXPECT_EQ(w.sizeLabel.Caption(), L"Filesize= 654 bytes. Width= 0  Height= 0");
}

// A picture wider than 32767 twips cannot be fitted: the message, the preview
// stays hidden, and the thumbnail and the size line are still set. Files the
// loader refuses: the message, both pictures cleared, the size line of the
// file before, and nothing crashes.
TEST_F(ListPictures, PicturesThatCannotBeShownAreReported) {
    Window& w = *window;
    prompts.answers.assign({IDOK});
    ShowFile(L"wide.jpg");
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_TRUE(prompts.Said(0, L"An Error occured While rescaling this image. Image size maybe invalid.",
                             L"Resize Error!", MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
    EXPECT_TRUE(!w.preview.Visible() && w.thumbnail.Visible() && w.thumbnail.CurrentPicture() && !w.BusyCursorOn());
    EXPECT_EQ(w.sizeLabel.Caption(), SizeLine("wide.jpg", 2200, 20));
    ClickFile(L"baseline.jpg");
    const std::wstring before = w.sizeLabel.Caption();
    for (const wchar_t* name : {L"empty.jpg", L"truncated.jpg", L"differential.jpg", L"noise.gif"}) {
        SCOPED_TRACE(testing::PrintToString(name));
        prompts.seen.clear();
        prompts.answers.assign({IDOK});
        ClickFile(name);
        ASSERT_EQ(prompts.seen.size(), 1u);
        EXPECT_TRUE(prompts.Said(0, kCorrupt, ui::AppTitle(), MB_OK));
        EXPECT_FALSE(w.preview.CurrentPicture() || w.thumbnail.CurrentPicture() || w.BusyCursorOn());
        EXPECT_EQ(w.sizeLabel.Caption(), before);
    }
}
