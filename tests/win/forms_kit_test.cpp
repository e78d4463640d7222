// The forms kit on real windows: forms, timers, pictures, controls, menus, cursor.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "base/Module.h"
#include "base/RunError.h"
#include "base/Scoped.h"
#include "resources/resource.h"
#include "tests/error_number.h"
#include "tests/win/client_picture.h"
#include "tests/win/dialogs.h"
#include "tests/win/prompts.h"
#include "tests/win/temp_folder.h"
#include "ui/App.h"
#include "ui/BusyCursor.h"
#include "ui/CommonDialogs.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/RichEditFiles.h"
#include "ui/Screen.h"

using testing_support::ErrorNumberOf;
using testing_support::FileBytes;
using testing_support::PutBytes;
using Texts = std::vector<std::wstring>;

namespace {

// An owner-drawn button that, through the kit's hook, answers a message and wants characters.
class Swatch : public ui::Control {
public:
    static constexpr UINT kDouble = WM_APP + 7;
    COLORREF colour = RGB(200, 30, 60);
    void Create(ui::Form& form) { CreateWindowOf(form, WC_BUTTONW, BS_OWNERDRAW, 0, nullptr); }
    bool DrawItem(const DRAWITEMSTRUCT& item) override {
        base::GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
        FillRect(item.hDC, &item.rcItem, brush.get());
        return true;
    }

protected:
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kDouble) return static_cast<LRESULT>(wParam) * 2;
        LRESULT result = CallPrevious(message, wParam, lParam);
        return message == WM_GETDLGCODE ? result | DLGC_WANTCHARS : result;
    }
};

// List1 has extended selection; the status bar has two panels, the timer 10 ms.
class KitForm : public ui::Form {
public:
    ui::Frame Frame1, Frame2;
    ui::OptionButton Option1, Option2, Option3, Option4;
    ui::TextBox Text1;
    ui::ListBox List1, List2;
    ui::Button Command1;
    Swatch Swatch1;
    ui::StatusBar StatusBar1;
    ui::Timer Timer1;
    ui::MenuBar bar;
    ui::Menu fileMenu, optionMenu, helpMenu;
    ui::MenuItem newItem, countItem, exitItem, protectItem, helpItem, aboutItem;
    std::function<void(bool&)> onQueryUnload;
    std::function<void()> onUnload;
    int optionClicks = 0, formClicks = 0, escapes = 0, buttonClicks = 0, newClicks = 0;

protected:
    SIZE DesignSize() const override { return SIZE{9000, 6000}; }
    void CreateControls() override {
        Frame1.Create(*this);
        Option1.Create(*this, &Frame1, true);
        Option2.Create(*this, &Frame1);
        Frame2.Create(*this);
        Option3.Create(*this, &Frame2, true);
        Option4.Create(*this, &Frame2);
        Text1.Create(*this);
        List1.Create(*this, nullptr, false, true);
        List2.Create(*this);
        Command1.Create(*this);
        Swatch1.Create(*this);
        const std::pair<ui::Control*, RECT> places[] = {
            {&Frame1, {300, 300, 3000, 1500}},   {&Option1, {150, 300, 2000, 300}},
            {&Option2, {150, 750, 2000, 300}},   {&Frame2, {300, 2000, 3000, 1500}},
            {&Option3, {150, 300, 2000, 300}},   {&Option4, {150, 750, 2000, 300}},
            {&Text1, {3600, 120, 2000, 300}},    {&List1, {3600, 600, 2000, 1500}},
            {&List2, {5800, 600, 2000, 1500}},   {&Command1, {3600, 3000, 1500, 400}},
            {&Swatch1, {5800, 3000, 1200, 600}}};
        for (auto [control, r] : places) control->Move(r.left, r.top, r.right, r.bottom);
        StatusBar1.Create(*this, 2);
        Timer1.Create(*this, 10);
        Option2.OnClick = [this] { ++optionClicks; };
        Command1.OnClick = [this] { ++buttonClicks; };
        bar.Create(*this);
        fileMenu.Create(bar, L"&File");
        newItem.Create(fileMenu, [this] { ++newClicks; });
        countItem.Create(fileMenu, L"Count");
        fileMenu.AddSeparator();
        exitItem.Create(fileMenu, L"E&xit");
        optionMenu.Create(bar, L"&Option");
        protectItem.Create(optionMenu, [this] { protectItem.SetChecked(!protectItem.Checked()); });
        helpMenu.Create(bar, L"&Help");
        helpItem.Create(helpMenu, L"Help");
        helpMenu.AddSeparator();
        aboutItem.Create(helpMenu, L"About");
    }
    void OnQueryClose(bool& cancel) override {
        if (onQueryUnload) onQueryUnload(cancel);
    }
    void OnUnload() override {
        if (onUnload) onUnload();
    }
    void OnFormClick() override { ++formClicks; }
    void OnEscape() override { ++escapes; }
};

class FormsKit : public testing::Test {
protected:
    void SetUp() override { form.Show(); }
    KitForm form;
};

// Runs the message loop until `done` or `milliseconds` have passed.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
    DWORD end = GetTickCount() + milliseconds;
    while (!done() && GetTickCount() < end) {
        ui::DoEvents();
        Sleep(5);
    }
    return done();
}

void Type(const ui::TextBox& box, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(box.hwnd(), WM_CHAR, c, 1);
}

void Click(HWND window, int x, int y, int releaseX) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(releaseX, y));
}

class ReloadForm : public ui::Form {
public:
    ui::Image Image1;
    ui::Timer Timer1;
    int ticks = 0;

protected:
    void CreateControls() override {
        Image1.Create(*this, IDB_RENAME_IMAGE1);
        Timer1.Create(*this, 10, true);
        Timer1.OnTimer = [this] { ++ticks; };
    }
};

// Whether the window has a WM_TIMER waiting after twice a 10 ms interval.
bool TimerMessageComes(HWND window) {
    Sleep(25);
    MSG msg;
    return PeekMessageW(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE) != FALSE;
}

// A form in storage of the test's own: after the form is destroyed the
// storage is filled with addresses a 32-bit program cannot read, so a part
// that still reaches for its form crashes the test.
struct DoomedForm {
    alignas(ReloadForm) unsigned char bytes[sizeof(ReloadForm)];
    ReloadForm* form = new (bytes) ReloadForm;
    void Destroy() {
        form->~ReloadForm();
        for (size_t i = 0; i + sizeof(DWORD) <= sizeof bytes; i += sizeof(DWORD)) {
            DWORD poison = 0x90000000u + static_cast<DWORD>(i);
            std::memcpy(bytes + i, &poison, sizeof poison);
        }
    }
};

void ExpectAtTheBottom(const ui::StatusBar& bar) {  // in two halves
    HWND form = bar.form()->hwnd();
    RECT client, place;
    GetClientRect(form, &client);
    GetWindowRect(bar.hwnd(), &place);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
    int edges[2] = {};
    SendMessageW(bar.hwnd(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ((std::vector<long>{place.left, place.right, place.bottom, edges[0], edges[1]}),
              (std::vector<long>{0, client.right, client.bottom, client.right / 2, -1}));
    EXPECT_GT(place.bottom - place.top, 10);
}

void Choose(const ui::Form& form, const ui::MenuItem& item) {
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(item.id(), 0), 0);
}

std::pair<HBITMAP, HBITMAP> PicturesOf(const ui::Menu& menu, const ui::MenuItem& item) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoW(menu.handle(), item.id(), FALSE, &info);
    return {info.hbmpChecked, info.hbmpUnchecked};
}

HCURSOR ClassCursor(HWND window) { return reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR)); }
}  // namespace

// A modal dialog disables its owner while it runs and enables it again when
// it is hidden or unloaded, unless the owner was disabled before (behind
// another modal window): that one is left for its own dialog.
TEST(FormsKitModal, ModalFormDisablesAnEnabledOwnerUntilHiddenOrUnloaded) {
    for (bool enabledBefore : {true, false}) {
        for (bool endByUnload : {false, true}) {
            SCOPED_TRACE(testing::Message() << "enabled before " << enabledBefore << ", unload " << endByUnload);
            KitForm owner, dialog;
            owner.Show();
            EnableWindow(owner.hwnd(), enabledBefore);
            bool enabledWhileModal = true, enabledRightAfterEnd = !enabledBefore;
            dialog.Load();
            dialog.Timer1.OnTimer = [&] {
                dialog.Timer1.SetEnabled(false);
                enabledWhileModal = IsWindowEnabled(owner.hwnd()) != FALSE;
                endByUnload ? void(dialog.Unload()) : dialog.Hide();
                enabledRightAfterEnd = IsWindowEnabled(owner.hwnd()) != FALSE;
            };
            dialog.Timer1.SetEnabled(true);
            dialog.ShowModal(&owner);
            EXPECT_FALSE(enabledWhileModal);
            EXPECT_EQ(enabledRightAfterEnd, enabledBefore);
            EXPECT_EQ(IsWindowEnabled(owner.hwnd()) != FALSE, enabledBefore);
            EXPECT_EQ(dialog.IsLoaded(), !endByUnload);
        }
    }
}

// A click on the bare window counts when pressed and released there, a
// click on a picture is the picture's while it shows; Esc in a control
// reaches the form; closing asks the form, which may refuse.
TEST_F(FormsKit, ClickEscapeAndQueryClose) {
    Click(form.hwnd(), 20, 20, 20);
    Click(form.hwnd(), 20, 20, 30000);                               // released outside
    SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));  // no press before it
    ui::Image picture;
    picture.Create(form, IDB_RENAME_IMAGE1);
    picture.Move(ui::PixelsToTwipsX(10), ui::PixelsToTwipsY(10));
    int pictureClicks = 0;
    picture.OnClick = [&] { ++pictureClicks; };
    Click(form.hwnd(), 20, 20, 20);
    picture.OnClick = nullptr;
    Click(form.hwnd(), 20, 20, 20);  // a picture without a click handler takes the click all the same
    picture.SetVisible(false);
    Click(form.hwnd(), 20, 20, 20);
    EXPECT_EQ(std::pair(pictureClicks, form.formClicks), std::pair(1, 2));
    form.Text1.SetFocus();
    PostMessageW(form.Text1.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    PumpUntil([&] { return form.escapes > 0; }, 1000);
    EXPECT_EQ(std::pair(form.escapes, form.formClicks), std::pair(1, 2));
    int asked = 0;
    bool refuse = true;
    form.onQueryUnload = [&](bool& cancel) {
        ++asked;
        cancel = refuse;
    };
    EXPECT_FALSE(form.Unload());
    SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.IsLoaded() && asked == 2);
    refuse = false;
    EXPECT_TRUE(form.Unload() && !form.IsLoaded());
    EXPECT_TRUE(form.Unload()) << "an unloaded form unloads at once";
    EXPECT_EQ(asked, 3);
}

// Each load registers the form's timer and picture once; a timer or picture
// that goes before its form leaves it, with its window timer; a form that
// goes first lets go of them.
TEST(FormsKitParts, TimersAndPicturesAreRegisteredWhileTheyAndTheLoadedFormExist) {
    ReloadForm form;
    for (int load = 1; load <= 3; ++load) {
        SCOPED_TRACE(load);
        form.Load();
        EXPECT_EQ(std::pair(form.TimerCount() + form.ImageCount(), form.Image1.Loaded()), std::pair(2u, true));
        form.ticks = 0;
        ASSERT_TRUE(PumpUntil([&] { return form.ticks >= 2; }));
        ASSERT_TRUE(form.Unload());
        EXPECT_EQ(form.TimerCount() + form.ImageCount(), 0u);
    }
    form.Load();
    ui::DoEvents();
    {
        ui::Timer timer;
        ui::Image picture;
        timer.Create(form, 10, true);
        picture.Create(form, IDB_RENAME_IMAGE2);
        EXPECT_EQ(std::pair(form.TimerCount(), form.ImageCount()), std::pair(2u, 2u));
        form.Timer1.SetEnabled(false);
        ASSERT_TRUE(TimerMessageComes(form.hwnd())) << "the check sees a running timer";
    }
    EXPECT_EQ(std::pair(form.TimerCount(), form.ImageCount()), std::pair(1u, 1u));
    EXPECT_FALSE(TimerMessageComes(form.hwnd())) << "the window timer went with the timer";
    SendMessageW(form.hwnd(), WM_PAINT, 0, 0);  // paints the pictures still registered
    for (bool loaded : {true, false}) {
        SCOPED_TRACE(loaded ? "form goes loaded" : "form goes unloaded");
        ui::Timer timer;
        ui::Image picture;
        DoomedForm doomed;
        doomed.form->Load();
        timer.Create(*doomed.form, 10, true);
        picture.Create(*doomed.form, IDB_RENAME_IMAGE2);
        ASSERT_TRUE(loaded || doomed.form->Unload());
        doomed.Destroy();
        timer.SetEnabled(false);
        timer.SetInterval(20);
        picture.Move(150, 150);
        picture.SetVisible(false);
        EXPECT_TRUE(picture.Loaded());
    }
}

TEST_F(FormsKit, PictureKeyColourLetsTheBackgroundThroughAndHiddenDrawsNothing) {
    ui::Image picture;
    picture.Create(form, IDB_RENAME_IMAGE1);
    HBITMAP first = picture.Bitmap();
    picture.Create(form, IDB_RENAME_IMAGE1);
    ASSERT_TRUE(picture.Loaded());
    EXPECT_EQ(GetObjectType(first), 0u) << "created again, the old bitmap is freed";
    const long pixel = ui::TwipsPerPixelX();
    EXPECT_EQ(std::pair(form.ImageCount(), picture.Width()), std::pair(1u, 48 * pixel));
    EXPECT_TRUE(picture.Contains(47 * pixel, 47 * pixel));
    EXPECT_FALSE(picture.Contains(48 * pixel, 0) || picture.Contains(0, 48 * pixel));
    base::WindowDC screen(nullptr);
    base::MemoryDC dc(screen.get());
    base::GdiObject<HBITMAP> canvas(CreateCompatibleBitmap(screen.get(), 48, 48));
    base::SelectedObject selected(dc.get(), canvas.get());
    const COLORREF back = RGB(10, 200, 30);
    base::GdiObject<HBRUSH> brush(CreateSolidBrush(back));
    auto paintAndRead = [&](int x, int y) {
        RECT all{0, 0, 48, 48};
        FillRect(dc.get(), &all, brush.get());
        picture.Draw(dc.get());
        return GetPixel(dc.get(), x, y);
    };
    EXPECT_EQ(paintAndRead(0, 0), RGB(255, 0, 255));  // key colour drawn as it is
    picture.SetTransparentColor(RGB(255, 0, 255));
    EXPECT_EQ(paintAndRead(0, 0), back);
    EXPECT_NE(paintAndRead(24, 24), back);  // the card itself
    picture.SetVisible(false);
    EXPECT_EQ(paintAndRead(24, 24), back);
}

// A check box takes 0, 1 and 2 (grayed, drawn in the box's third state); a
// click checks an unchecked box and unchecks a checked or grayed one; any
// other number raises 380 and changes nothing.
TEST_F(FormsKit, CheckBoxTakesAGrayedValueAndRefusesOthers) {
    ui::CheckBox box;
    box.Create(form);
    box.Move(300, 4000, 2000, 300);
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.SetNumber(2);
    EXPECT_EQ(std::tuple(box.State(), SendMessageW(box.hwnd(), BM_GETCHECK, 0, 0), box.Value()),
              std::tuple(ui::CheckValue::Grayed, LRESULT{BST_INDETERMINATE}, false));
    for (int refused : {3, -1}) EXPECT_EQ(ErrorNumberOf([&] { box.SetNumber(refused); }), 380) << refused;
    EXPECT_EQ(std::pair(box.State(), clicks), std::pair(ui::CheckValue::Grayed, 1));
    for (ui::CheckValue after : {ui::CheckValue::Unchecked, ui::CheckValue::Checked, ui::CheckValue::Unchecked}) {
        SendMessageW(box.hwnd(), BM_CLICK, 0, 0);
        EXPECT_EQ(box.State(), after);
    }
    box.SetNumber(0);  // no change, no click
    EXPECT_EQ(clicks, 4);
}

// A tip lives in the form's tooltip window, one tool per control; it shows
// while the mouse rests on its control, and goes with the form's window.
TEST_F(FormsKit, ToolTipShowsItsTextOverItsControl) {
    EXPECT_EQ(form.Text1.ToolTipText(), L"");
    form.Text1.SetToolTipText(L"Tip & text");
    form.Command1.SetToolTipText(L"first");
    form.Command1.SetToolTipText(L"second");
    form.List2.SetToolTipText(L"gone");
    form.List2.SetToolTipText(L"");
    EXPECT_EQ((Texts{form.Text1.ToolTipText(), form.Command1.ToolTipText(), form.List2.ToolTipText()}),
              (Texts{L"Tip & text", L"second", L""}));
    HWND tips = FindWindowW(TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(std::pair(GetWindow(tips, GW_OWNER), SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0)),
              std::pair(form.hwnd(), LRESULT{2}));

    SetForegroundWindow(form.hwnd());
    RECT box;
    GetWindowRect(form.Text1.hwnd(), &box);
    SetCursorPos(box.left + 5, box.top + 5);
    SendMessageW(form.Text1.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(tips) != FALSE; }));
    ASSERT_TRUE(form.Unload());
    EXPECT_FALSE(IsWindow(tips));
}

// One button of each frame's group is selected, by the program or a click;
// disabled and hidden buttons keep a selection, but only one in their group.
TEST(FormsKitOptions, SelectingClearsDisabledAndHiddenButtonsOfTheGroup) {
    for (bool byClick : {false, true}) {
        SCOPED_TRACE(byClick ? "by a click" : "by the program");
        KitForm form;
        form.Show();
        form.Option1.SetValue(true);
        form.Option1.SetEnabled(false);
        form.Option3.SetValue(true);
        form.Option3.SetVisible(false);
        for (ui::OptionButton* option : {&form.Option2, &form.Option4})
            byClick ? void(SendMessageW(option->hwnd(), BM_CLICK, 0, 0)) : option->SetValue(true);
        EXPECT_EQ((std::vector<bool>{form.Option1.Value(), form.Option2.Value(), form.Option3.Value(),
                                     form.Option4.Value()}),
                  (std::vector<bool>{false, true, false, true}));
        form.Option2.SetValue(true);  // no change, no click
        EXPECT_EQ(form.optionClicks, 1);
        form.Option4.SetEnabled(false);
        EXPECT_TRUE(form.Option4.Value()) << "disabled, it keeps its selection";
    }
}

// An error that escapes a handler is reported over the form and the program
// goes on: from a control's event, its window procedure, a timer and OnUnload.
TEST_F(FormsKit, AnErrorEscapingAHandlerIsReportedAndTheProgramGoesOn) {
    testing_support::ScriptedPrompts prompts;
    const std::pair<std::function<void()>, int> cases[] = {
        {[] { throw base::RunError(base::err::PathNotFound); }, 76},
        {[] { throw std::bad_alloc(); }, 7},
        {[] { throw std::runtime_error("unexpected"); }, 5},
    };
    int clicks = 0;
    for (size_t i = 0; i < std::size(cases); ++i) {
        form.Command1.OnClick = [&] {
            ++clicks;
            cases[i].first();
        };
        SendMessageW(form.Command1.hwnd(), BM_CLICK, 0, 0);
        EXPECT_TRUE(prompts.SaidError(i, cases[i].second));
        EXPECT_EQ(prompts.seen.back().owner, form.hwnd());
    }
    EXPECT_EQ(clicks, 3) << "the same button goes on working";
    int keys = 0;
    form.Command1.OnKeyDown = [&](int, int) {
        ++keys;
        throw base::RunError(base::err::FileNotFound);
    };
    SendMessageW(form.Command1.hwnd(), WM_KEYDOWN, 'A', 1);
    EXPECT_TRUE(keys == 1 && prompts.SaidError(3, 53));
    form.Timer1.OnTimer = [&] {
        form.Timer1.SetEnabled(false);
        throw base::RunError(base::err::Overflow);
    };
    form.Timer1.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return prompts.seen.size() == 5u; }));
    EXPECT_TRUE(prompts.SaidError(4, 6));
    form.onUnload = [] { throw base::RunError(base::err::ObjectUnloaded); };
    EXPECT_TRUE(form.Unload() && !form.IsLoaded());
    EXPECT_TRUE(prompts.SaidError(5, 364));
}

// Change comes once per real change, by the program or by typing (the length
// limit binds only the user), and a handler may replace the text; then
// selection, focus and clicks released inside.
TEST_F(FormsKit, TextBoxChangeSelectionFocusAndClick) {
    ui::TextBox& box = form.Text1;
    Texts seen;  // the text at each change
    box.OnChange = [&] { seen.push_back(box.Text()); };
    box.SetText(L"abc");
    box.SetText(L"abc");
    box.SetCaption(L"");
    box.SetMaxLength(4);
    Type(box, L"12345");
    box.SetText(L"-99999");
    EXPECT_EQ(seen, (Texts{L"abc", L"", L"1", L"12", L"123", L"1234", L"-99999"}));
    box.SetMaxLength(0);
    box.SetText(L"");
    seen.clear();
    box.OnChange = [&] {
        seen.push_back(box.Text());
        if (box.Text().find_first_not_of(L"0123456789") != std::wstring::npos) box.SetText(L"0000");
    };
    Type(box, L"12a");
    EXPECT_EQ(seen, (Texts{L"1", L"12", L"12a", L"0000"}));
    EXPECT_EQ(box.Text(), L"0000");
    box.OnChange = nullptr;
    box.SetText(L"hello world");
    int focused = 0;
    box.OnGotFocus = [&] {
        ++focused;
        box.SetSelStart(0);
        box.SetSelLength(static_cast<int>(box.Text().size()));
    };
    form.List1.SetFocus();
    box.SetFocus();
    EXPECT_TRUE(focused == 1 && box.HasFocus() && !form.List1.HasFocus());
    EXPECT_EQ(std::pair(box.SelStart(), box.SelLength()), std::pair(0, 11));
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    Click(box.hwnd(), 5, 5, 5);
    Click(box.hwnd(), 5, 5, 5000);  // released outside
    EXPECT_EQ(clicks, 1);
}

// Selection by the program in a list of extended and one of single
// selection; it raises no event, not even a Clear.
TEST_F(FormsKit, ListBoxSelectionByTheProgramClicksAndBulkUpdates) {
    int clicks = 0;
    for (bool multi : {true, false}) {
        SCOPED_TRACE(multi ? "extended" : "single");
        ui::ListBox& list = multi ? form.List1 : form.List2;
        list.OnClick = [&] { ++clicks; };
        EXPECT_EQ(list.ListIndex(), -1);
        for (const wchar_t* item : {L"a", L"b", L"c", L"d", L"e"}) list.AddItem(item);
        EXPECT_EQ(list.SelCount(), 0);
        list.SetSelected(1, true);
        list.SetSelected(3, true);
        EXPECT_EQ(list.SelCount(), multi ? 2 : 1);
        EXPECT_EQ(list.Selected(1), multi);
        list.SetSelected(1, false);  // single: not the selected one, nothing changes
        EXPECT_TRUE(list.Selected(3) && list.SelCount() == 1);
        list.SelectAll();
        list.SetSelected(0, false);
        EXPECT_EQ(std::pair(list.Selected(0), list.SelCount()), std::pair(false, multi ? 4 : 1));
        list.DeselectAll();
        list.SetListIndex(2);
        list.SetListIndex(4);
        EXPECT_EQ(std::pair(list.ListIndex(), list.SelCount()), std::pair(4, multi ? 2 : 1)) << "extended keeps others";
        list.SetSelected(4, false);
        EXPECT_EQ(list.ListIndex(), multi ? 4 : -1);
        list.RemoveItem(0);
        EXPECT_EQ(list.Selected(1), multi) << "c moved up and stays selected";
        EXPECT_EQ(list.List(3), L"e");
        EXPECT_EQ(ErrorNumberOf([&] { list.SetSelected(4, true); }), 381);
        EXPECT_EQ(ErrorNumberOf([&] { list.List(4); }), 381);
        EXPECT_EQ(ErrorNumberOf([&] { list.SetListIndex(4); }), 380);
        list.SetListIndex(0);
        list.SetListIndex(-1);
        EXPECT_EQ(std::pair(list.SelCount(), clicks), std::pair(0, 0));
    }
    EXPECT_TRUE(ui::ListContains(form.List2, L"c"));
    EXPECT_FALSE(ui::ListContains(form.List2, L"C")) << "entries compare exactly";

    // The user's clicks raise events; nested bulk updates draw nothing until the
    // outer one ends, and ten thousand items go in quickly.
    ui::ListBox& list = form.List2;
    list.Clear();
    for (const wchar_t* item : {L"a", L"b", L"c"}) list.AddItem(item);
    int doubleClicks = 0;
    list.OnDblClick = [&] { ++doubleClicks; };
    int height = static_cast<int>(SendMessageW(list.hwnd(), LB_GETITEMHEIGHT, 0, 0));
    LPARAM second = MAKELPARAM(10, height + height / 2);
    for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        SendMessageW(list.hwnd(), press, MK_LBUTTON, second);
        SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, second);
    }
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(std::pair(clicks, doubleClicks), std::pair(1, 1));
    ui::ListBox& bulk = form.List1;
    bulk.Clear();
    ui::DoEvents();
    auto start = std::chrono::steady_clock::now();
    bulk.BeginUpdate();
    bulk.BeginUpdate();
    for (int i = 0; i < 10000; ++i) bulk.AddItem(L"file" + std::to_wstring(i) + L".txt");
    bulk.EndUpdate();
    EXPECT_FALSE(GetUpdateRect(bulk.hwnd(), nullptr, FALSE)) << "still paused: nothing to draw yet";
    bulk.EndUpdate();
    bulk.SelectAll();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_TRUE(IsWindowVisible(bulk.hwnd()));
    EXPECT_TRUE(GetUpdateRect(bulk.hwnd(), nullptr, FALSE)) << "drawn again when the last update ends";
    EXPECT_EQ(std::pair(bulk.List(9999), bulk.SelCount()), std::pair(std::wstring(L"file9999.txt"), 10000));
    bulk.EndUpdate();  // one too many changes nothing
    EXPECT_TRUE(IsWindowVisible(bulk.hwnd()));
    bulk.Clear();
    EXPECT_EQ(bulk.ListCount(), 0);
}

// A control may answer messages itself and change its window's answers, the
// form hands it owner drawing, and a handler may destroy the window or the
// control (which leaves a window that still works).
TEST_F(FormsKit, ControlsAnswerMessagesDrawThemselvesAndMayGoInAHandler) {
    int keys = 0;
    form.Swatch1.OnKeyDown = [&](int, int) { ++keys; };
    EXPECT_EQ(SendMessageW(form.Swatch1.hwnd(), Swatch::kDouble, 21, 0), 42);
    EXPECT_EQ(SendMessageW(form.Command1.hwnd(), Swatch::kDouble, 21, 0), 0);
    LRESULT hooked = SendMessageW(form.Swatch1.hwnd(), WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(hooked & DLGC_WANTCHARS, DLGC_WANTCHARS);
    EXPECT_NE(hooked & (DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON), 0) << "the button's own answer";
    SendMessageW(form.Swatch1.hwnd(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(keys, 1) << "events are still raised";
    testing_support::Picture drawn = testing_support::PrintClient(form.Swatch1.hwnd());
    EXPECT_EQ(drawn.CountIn(0, drawn.height, form.Swatch1.colour), drawn.width * drawn.height);
    HWND button = form.Command1.hwnd();
    form.Command1.OnMouseDown = [&](int, int, long, long) { DestroyWindow(form.Command1.hwnd()); };
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(!IsWindow(button) && !form.Command1.hwnd());
    auto* label = new ui::Label;
    label->Create(form);
    HWND window = label->hwnd();
    label->OnMouseDown = [&](int, int, long, long) { delete label; };
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SetWindowTextW(window, L"still there");
    EXPECT_EQ(GetWindowTextLengthW(window), 11);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    DestroyWindow(window);
}

// The status bar follows the form's size, also while hidden.
TEST(FormsKitPlaces, StatusBarAtTheBottomAndControlsInTwips) {
    KitForm form;
    form.Load();
    ui::StatusBar& bar = form.StatusBar1;
    ExpectAtTheBottom(bar);
    form.Show();
    form.Move(300, 300, 9000, 6600);
    ExpectAtTheBottom(bar);
    bar.SetVisible(false);
    form.Move(300, 300, 6000, 4500);
    bar.SetVisible(true);
    ExpectAtTheBottom(bar);

    // Twips become the nearest pixel, also left of the screen, and read back as
    // twips; a control in a frame is placed inside it.
    ASSERT_EQ(ui::TwipsPerPixelX(), 15) << "the test display has 96 pixels per inch";
    RECT frame, option;
    GetWindowRect(form.Frame2.hwnd(), &frame);
    GetWindowRect(form.Option4.hwnd(), &option);
    EXPECT_EQ(option.left - frame.left, 10);
    for (auto [twips, pixels] : {std::pair{-8, -1}, {-7, 0}, {8, 1}, {1500, 100}}) {
        form.Move(twips, 300, 6000, 4500);
        EXPECT_EQ(form.Left(), pixels * 15) << twips;
    }
}

// Choices reach enabled items and not the controls; items and menus have
// captions and states, and land in order after the separators; items show and release
// their own pictures.
TEST_F(FormsKit, MenuChoicesCaptionsStatesAndPictures) {
    for (const ui::MenuItem* item : {&form.newItem, &form.newItem, &form.exitItem}) Choose(form, *item);
    EXPECT_EQ(form.newClicks, 2);
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(form.Command1.id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Command1.hwnd()));
    EXPECT_EQ(std::pair(form.buttonClicks, form.newClicks), std::pair(1, 2)) << "a control's command is no choice";
    form.newItem.SetEnabled(false);
    Choose(form, form.newItem);
    form.newItem.Click();
    form.newItem.SetEnabled(true);
    form.newItem.Click();
    EXPECT_EQ(form.newClicks, 3) << "only the enabled item is chosen";
    for (bool checked : {true, false}) {
        Choose(form, form.protectItem);
        EXPECT_EQ(form.protectItem.Checked(), checked);
    }
    form.exitItem.SetCaption(L"&Beenden");
    form.optionMenu.SetCaption(L"O&ptionen");
    EXPECT_EQ((Texts{form.exitItem.Caption(), form.optionMenu.Caption(), form.helpMenu.Caption()}),
              (Texts{L"&Beenden", L"O&ptionen", L"&Help"}));
    for (bool on : {false, true}) {
        form.helpMenu.SetEnabled(on);
        EXPECT_TRUE(form.helpMenu.Enabled() == on && form.optionMenu.Enabled());
    }
    EXPECT_EQ(std::pair(GetMenuItemID(form.fileMenu.handle(), 3), GetMenuItemID(form.helpMenu.handle(), 2)),
              std::pair(form.exitItem.id(), form.aboutItem.id()));
    EXPECT_EQ(GetMenuItemID(form.fileMenu.handle(), 2), 0u) << "the separator";
    EXPECT_FALSE(form.aboutItem.ShowPicture(4321)) << "no such bitmap: the plain item";
    ASSERT_TRUE(form.exitItem.ShowPicture(IDB_MENU_EXIT) && form.helpItem.ShowPicture(IDB_MENU_HELP));
    const auto [exitUnchecked, exitChecked] = PicturesOf(form.fileMenu, form.exitItem);
    EXPECT_TRUE(exitUnchecked && exitUnchecked == exitChecked) << "checked and unchecked alike";
    const HBITMAP help = PicturesOf(form.helpMenu, form.helpItem).first;
    EXPECT_TRUE(help && help != exitUnchecked);
    EXPECT_EQ(PicturesOf(form.helpMenu, form.aboutItem), std::pair(HBITMAP{}, HBITMAP{}));
    form.helpItem.ReleasePicture();
    EXPECT_EQ(PicturesOf(form.helpMenu, form.helpItem), std::pair(HBITMAP{}, HBITMAP{}));
    EXPECT_EQ(GetObjectType(help), 0u) << "the bitmap is freed";
}

// The busy cursor becomes the class cursor of every remembered window's
// class and the old ones come back; a missing file gives the system's wait
// cursor, which is shared and must survive.
TEST_F(FormsKit, BusyCursorShowsTheFilesCursorOrTheWaitCursorAndPutsTheClassCursorsBack) {
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    const HWND windows[] = {form.hwnd(), form.Command1.hwnd(), form.Text1.hwnd()};
    const HCURSOR own[] = {ClassCursor(windows[0]), ClassCursor(windows[1]), ClassCursor(windows[2])};
    ASSERT_NE(own[1], own[2]);
    for (const wchar_t* file : {L"hourglas.bin", L"no-such-cursor.bin", L""}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(file)));
        const bool waitCursor = file != std::wstring(L"hourglas.bin");
        ui::BusyCursor busy;
        busy.Remember({windows[0], windows[1], windows[2]}, *file ? base::ProgramFolder() + L"\\" + file : L"");
        busy.SetBusy();
        HCURSOR shown = busy.Cursor();
        EXPECT_TRUE(busy.On() && shown);
        EXPECT_EQ(shown == wait, waitCursor);
        for (HWND window : windows) EXPECT_EQ(ClassCursor(window), shown);
        EXPECT_EQ(ClassCursor(form.Swatch1.hwnd()), shown) << "the whole class of the button";
        busy.SetBusy();  // already on: the same cursor stays
        EXPECT_EQ(busy.Cursor(), shown);
        if (!*file) continue;  // the last one goes while on
        busy.Restore();
        EXPECT_FALSE(busy.On() || busy.Cursor());
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ClassCursor(windows[i]), own[i]);
        EXPECT_TRUE(waitCursor || !DestroyCursor(shown)) << "the loaded cursor was freed";
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ClassCursor(windows[i]), own[i]) << "put back when it went";
    EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), wait);
}

namespace {
// Fills in the first common dialog that shows: the file name
// (or nothing), the read-only box, then OK or Cancel.
struct DialogPerson {
    std::wstring fileName;
    bool tickReadOnly = false;
    bool pressOk = true;
    bool sawDialog = false;
} * gPerson = nullptr;

void CALLBACK FillInDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    gPerson->sawDialog = true;
    if (!gPerson->fileName.empty())
        SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(gPerson->fileName.c_str()));
    if (gPerson->tickReadOnly) CheckDlgButton(dialog, chx1, BST_CHECKED);
    PostMessageW(dialog, WM_COMMAND, gPerson->pressOk ? IDOK : IDCANCEL, 0);
}
}  // namespace

// The real file dialogs return what the person chose; a cancel returns nothing.
TEST_F(FormsKit, RealFileDialogsReturnThePersonsChoice) {
    testing_support::TempFolder folder;
    const std::wstring temp = folder.Path() + L"\\", existing = folder.AddFile(L"nomaro-dialog.txt");
    const struct {
        bool save;
        DialogPerson person;
        ui::FileChoice expected;
    } table[] = {
        {true, {temp + L"list.txt"}, {true, temp + L"list.txt"}},
        {false, {existing, true}, {true, existing, true}},
        {false, {existing, false}, {true, existing, false}},
        {true, {L"", false, false}, {}},
    };
    ui::DialogResponder real;
    ui::SetDialogResponder(real);
    for (auto row : table) {
        gPerson = &row.person;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, FillInDialog);
        ui::FileDialogSettings settings;
        settings.filter = L"TXT Files (*.txt)|*.txt|All Files (*.*)|*.*";
        const ui::FileChoice choice = row.save ? ui::ShowSaveDialog(form.hwnd(), settings)
                                               : ui::ShowOpenDialog(form.hwnd(), settings);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(row.person.sawDialog);
        EXPECT_EQ(std::tuple(choice.chosen, choice.fileName, choice.readOnly),
                  std::tuple(row.expected.chosen, row.expected.fileName, row.expected.readOnly));
    }
    gPerson = nullptr;
    testing_support::FailOnEveryDialog();
    EXPECT_EQ(ui::DialogFilter(L"A|*.a|B|*.b"), std::wstring(L"A\0*.a\0B\0*.b\0", 12));
}

// A rich-text box's content survives a save and a load in both formats; text files keep
// every character (ANSI while it holds them, else UTF-8 with its mark); failures change nothing.
TEST_F(FormsKit, RichEditContentToAndFromFiles) {
    ui::RichText box;
    box.Create(form);
    testing_support::TempFolder folder;
    const std::wstring path = folder.Path() + L"\\list";
    const struct {
        std::wstring text;
        ui::DocumentFormat format;
        std::string bytes;  // empty: not checked
    } table[] = {
        {L"a.jpg\r\nb \u00c4rger.jpg\r\n", ui::DocumentFormat::Text, "a.jpg\r\nb \xC4rger.jpg\r\n"},
        {L"C:\\\u0424\u043e\u0442\u043e\\a.jpg\r\n\U0001F4F7.png", ui::DocumentFormat::Text,
         "\xEF\xBB\xBF" "C:\\\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE\\a.jpg\r\n\xF0\x9F\x93\xB7.png"},
        {L"", ui::DocumentFormat::Text, ""},
        {L"a.jpg\r\n\u0424\u043e\u0442\u043e.jpg", ui::DocumentFormat::RichText, ""},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(testing::PrintToString(row.text));
        box.SetText(row.text);
        ASSERT_EQ(ErrorNumberOf([&] { ui::SaveRichEdit(box.hwnd(), path, row.format); }), 0);
        const std::string bytes = FileBytes(path);
        if (row.format == ui::DocumentFormat::Text) EXPECT_EQ(bytes, row.bytes);
        else EXPECT_EQ(bytes.substr(0, 5), "{\\rtf");
        box.SetText(L"something else");
        ASSERT_EQ(ErrorNumberOf([&] { ui::LoadRichEdit(box, path); }), 0);
        EXPECT_EQ(ui::RichEditText(box.hwnd()), row.text);
    }
    // Text files of other programs: UTF-16 with its mark, UTF-8 without one.
    for (const std::string& bytes : {std::string("\xFF\xFE" "a\0\x24\x04", 6), std::string("a\xD0\xA4")}) {
        PutBytes(path, bytes);
        ui::LoadRichEdit(box, path);
        EXPECT_EQ(ui::RichEditText(box.hwnd()), L"a\u0424");
    }
    // A read-only target keeps its bytes; a missing file leaves the content.
    PutBytes(path, "old");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_NE(ErrorNumberOf([&] { ui::SaveRichEdit(box.hwnd(), path, ui::DocumentFormat::Text); }), 0);
    EXPECT_EQ(FileBytes(path), "old");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
    EXPECT_EQ(ErrorNumberOf([&] { ui::LoadRichEdit(box, path); }), 53);
    EXPECT_EQ(ui::RichEditText(box.hwnd()), L"a\u0424");
    EXPECT_TRUE(folder.Entries().empty()) << "no temporary file is left beside";
}
