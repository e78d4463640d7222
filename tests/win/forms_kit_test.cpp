// The forms kit on real windows: modal showing, timers and pictures and their
// forms, option groups, frames, unloading, errors that escape handlers, text
// boxes, list boxes, labels, the controls' message hook, owner drawing, the
// status bar, menus and the busy cursor.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "base/Module.h"
#include "base/RunError.h"
#include "base/Scoped.h"
#include "base/Texts.h"
#include "resources/resource.h"
#include "tests/error_number.h"
#include "tests/win/client_picture.h"
#include "tests/win/prompts.h"
#include "ui/App.h"
#include "ui/BusyCursor.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Screen.h"

namespace {

// A button the test draws itself, whose window answers a private message and
// also asks for characters, through the kit's message hook.
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
        if (message == WM_GETDLGCODE) result |= DLGC_WANTCHARS;
        return result;
    }
};

// Two frames of two option buttons each, a text box, two list boxes (the
// first with extended selection), a button, a swatch, a status bar of two
// panels, a 10 ms timer and a menu bar of three menus.
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
        Frame1.Move(300, 300, 3000, 1500);
        Option1.Create(*this, &Frame1, true);
        Option1.Move(150, 300, 2000, 300);
        Option2.Create(*this, &Frame1);
        Option2.Move(150, 750, 2000, 300);
        Frame2.Create(*this);
        Frame2.Move(300, 2000, 3000, 1500);
        Option3.Create(*this, &Frame2, true);
        Option3.Move(150, 300, 2000, 300);
        Option4.Create(*this, &Frame2);
        Option4.Move(150, 750, 2000, 300);
        Text1.Create(*this);
        Text1.Move(3600, 120, 2000, 300);
        List1.Create(*this, nullptr, false, true);
        List1.Move(3600, 600, 2000, 1500);
        List2.Create(*this);
        List2.Move(5800, 600, 2000, 1500);
        Command1.Create(*this);
        Command1.Move(3600, 3000, 1500, 400);
        Swatch1.Create(*this);
        Swatch1.Move(5800, 3000, 1200, 600);
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

}  // namespace

// ---- Forms -------------------------------------------------------------------

// A modal dialog disables its owner while it runs and enables it again when
// it is hidden or unloaded, unless the owner was disabled before (behind
// another modal window): that one is left for its own dialog.
TEST(FormsKit, ModalFormDisablesAnEnabledOwnerUntilHiddenOrUnloaded) {
    struct Case {
        bool ownerEnabledBefore, endByUnload;
    };
    for (Case c : {Case{true, false}, Case{true, true}, Case{false, false}, Case{false, true}}) {
        SCOPED_TRACE(testing::Message() << "enabled before " << c.ownerEnabledBefore << ", unload "
                                        << c.endByUnload);
        KitForm owner, dialog;
        owner.Show();
        EnableWindow(owner.hwnd(), c.ownerEnabledBefore);
        bool enabledWhileModal = true, enabledRightAfterEnd = !c.ownerEnabledBefore;
        dialog.Load();
        dialog.Timer1.OnTimer = [&] {
            dialog.Timer1.SetEnabled(false);
            enabledWhileModal = IsWindowEnabled(owner.hwnd()) != FALSE;
            if (c.endByUnload)
                dialog.Unload();
            else
                dialog.Hide();
            enabledRightAfterEnd = IsWindowEnabled(owner.hwnd()) != FALSE;
        };
        dialog.Timer1.SetEnabled(true);
        dialog.ShowModal(&owner);
        EXPECT_FALSE(enabledWhileModal);
        EXPECT_EQ(enabledRightAfterEnd, c.ownerEnabledBefore);
        EXPECT_EQ(IsWindowEnabled(owner.hwnd()) != FALSE, c.ownerEnabledBefore);
        EXPECT_EQ(dialog.IsLoaded(), !c.endByUnload);
    }
}

TEST(FormsKit, QueryUnloadCanKeepTheFormAndCloseAsksToo) {
    KitForm form;
    form.Show();
    int asked = 0;
    bool refuse = true;
    form.onQueryUnload = [&](bool& cancel) {
        ++asked;
        cancel = refuse;
    };
    EXPECT_FALSE(form.Unload());
    SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(asked, 2);
    int loaded = ui::Form::LoadedCount();
    refuse = false;
    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(ui::Form::LoadedCount(), loaded - 1);
    EXPECT_TRUE(form.Unload()) << "an unloaded form unloads at once";
    EXPECT_EQ(asked, 3);
}

TEST(FormsKit, ClickOnTheBareWindowAndEscapeFromAControl) {
    KitForm form;
    form.Show();
    Click(form.hwnd(), 20, 20, 20);
    EXPECT_EQ(form.formClicks, 1);
    Click(form.hwnd(), 20, 20, 30000);                               // released outside
    SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));  // no press before it
    EXPECT_EQ(form.formClicks, 1);

    form.Text1.SetFocus();
    PostMessageW(form.Text1.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    PumpUntil([&] { return form.escapes > 0; }, 1000);
    EXPECT_EQ(form.escapes, 1);
    EXPECT_EQ(form.formClicks, 1);
}

// Positions in twips become the nearest pixel, also left of and above the
// screen, and read back as twips.
TEST(FormsKit, FormsAndControlsArePlacedInTwips) {
    ASSERT_EQ(ui::TwipsPerPixelX(), 15) << "the test display has 96 pixels per inch";
    KitForm form;
    form.Load();
    RECT frame, option;
    GetWindowRect(form.Frame2.hwnd(), &frame);
    GetWindowRect(form.Option4.hwnd(), &option);
    EXPECT_EQ(option.left - frame.left, 10) << "inside its frame";
    EXPECT_EQ(option.right - option.left, 133);
    EXPECT_EQ(form.Option4.Left(), 150);

    const struct {
        long twips;
        int pixels;
    } lefts[] = {{-100, -7}, {-8, -1}, {-7, 0}, {0, 0}, {7, 0}, {8, 1}, {1500, 100}};
    for (const auto& left : lefts) {
        SCOPED_TRACE(left.twips);
        form.Move(left.twips, 300, 6000, 4500);
        EXPECT_EQ(form.Left(), left.pixels * 15);
    }
}

// ---- Timers and pictures and their form --------------------------------------

namespace {
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
// storage is filled with addresses in the upper half of the address space,
// which a 32-bit program cannot read, so a part that still reaches for its
// form crashes the test instead of reading stale memory.
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
}  // namespace

static_assert(!std::is_copy_constructible_v<ui::Image> && !std::is_copy_assignable_v<ui::Image>,
              "an image owns its bitmap");
static_assert(!std::is_copy_constructible_v<ui::Timer>, "a timer is registered with its form");

TEST(FormsKitParts, LoadingAFormAgainRegistersItsTimerAndPictureOnce) {
    ReloadForm form;
    for (int load = 1; load <= 3; ++load) {
        SCOPED_TRACE(load);
        form.Load();
        EXPECT_EQ(form.TimerCount(), 1u);
        EXPECT_EQ(form.ImageCount(), 1u);
        EXPECT_TRUE(form.Image1.Loaded());
        form.ticks = 0;
        ASSERT_TRUE(PumpUntil([&] { return form.ticks >= 2; }));
        ASSERT_TRUE(form.Unload());
        EXPECT_EQ(form.TimerCount(), 0u);
        EXPECT_EQ(form.ImageCount(), 0u);
    }
}

TEST(FormsKitParts, ATimerOrPictureThatGoesFirstLeavesItsForm) {
    ReloadForm form;
    form.Load();
    ui::DoEvents();
    {
        ui::Timer timer;
        ui::Image picture;
        timer.Create(form, 10, true);
        picture.Create(form, IDB_RENAME_IMAGE2);
        EXPECT_EQ(form.TimerCount(), 2u);
        EXPECT_EQ(form.ImageCount(), 2u);
        form.Timer1.SetEnabled(false);
        ASSERT_TRUE(TimerMessageComes(form.hwnd())) << "the check sees a running timer";
    }
    EXPECT_EQ(form.TimerCount(), 1u);
    EXPECT_EQ(form.ImageCount(), 1u);
    EXPECT_FALSE(TimerMessageComes(form.hwnd())) << "the window timer went with the timer";
    SendMessageW(form.hwnd(), WM_PAINT, 0, 0);  // paints the pictures still registered
}

TEST(FormsKitParts, AFormThatGoesFirstLetsGoOfItsTimersAndPictures) {
    for (bool loaded : {true, false}) {
        SCOPED_TRACE(loaded ? "loaded" : "unloaded");
        ui::Timer timer;
        ui::Image picture;
        DoomedForm doomed;
        doomed.form->Load();
        timer.Create(*doomed.form, 10, true);
        picture.Create(*doomed.form, IDB_RENAME_IMAGE2);
        if (!loaded) {
            ASSERT_TRUE(doomed.form->Unload());
        }
        doomed.Destroy();
        timer.SetEnabled(false);
        timer.SetInterval(20);
        picture.Move(150, 150);
        picture.SetVisible(false);
        EXPECT_TRUE(picture.Loaded());
    }
}

TEST(FormsKitParts, PictureKeyColourLetsTheBackgroundThroughAndHiddenDrawsNothing) {
    KitForm form;
    form.Load();
    ui::Image picture;
    picture.Create(form, IDB_RENAME_IMAGE1);
    HBITMAP first = picture.Bitmap();
    picture.Create(form, IDB_RENAME_IMAGE1);
    ASSERT_TRUE(picture.Loaded());
    EXPECT_EQ(GetObjectType(first), 0u) << "created again, the old bitmap is freed";
    EXPECT_EQ(form.ImageCount(), 1u);
    EXPECT_EQ(picture.Width(), 48 * ui::TwipsPerPixelX());
    EXPECT_TRUE(picture.Contains(47 * ui::TwipsPerPixelX(), 47 * ui::TwipsPerPixelY()));
    EXPECT_FALSE(picture.Contains(48 * ui::TwipsPerPixelX(), 0));
    EXPECT_FALSE(picture.Contains(0, 48 * ui::TwipsPerPixelY()));

    base::WindowDC screen(nullptr);
    base::MemoryDC dc(screen.get());
    base::GdiObject<HBITMAP> canvas(CreateCompatibleBitmap(screen.get(), 48, 48));
    base::SelectedObject selected(dc.get(), canvas.get());
    const COLORREF back = RGB(10, 200, 30);
    auto paintAndRead = [&](int x, int y) {
        base::GdiObject<HBRUSH> brush(CreateSolidBrush(back));
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

// ---- Option buttons ------------------------------------------------------------

// One button of each frame's group is selected, by the program or a click;
// disabled and hidden buttons keep a selection, but only one in their group.
TEST(FormsKitOptions, SelectingClearsDisabledAndHiddenButtonsOfTheGroup) {
    enum How { Program, ClickIt };
    for (How how : {Program, ClickIt}) {
        SCOPED_TRACE(how == Program ? "by the program" : "by a click");
        KitForm form;
        form.Show();
        form.Option1.SetValue(true);
        form.Option1.SetEnabled(false);
        form.Option3.SetValue(true);
        form.Option3.SetVisible(false);
        if (how == Program) {
            form.Option2.SetValue(true);
            form.Option4.SetValue(true);
        } else {
            SendMessageW(form.Option2.hwnd(), BM_CLICK, 0, 0);
            SendMessageW(form.Option4.hwnd(), BM_CLICK, 0, 0);
        }
        EXPECT_FALSE(form.Option1.Value());
        EXPECT_TRUE(form.Option2.Value());
        EXPECT_FALSE(form.Option3.Value());
        EXPECT_TRUE(form.Option4.Value());
        EXPECT_EQ(form.optionClicks, 1);
        form.Option2.SetValue(true);  // no change, no click
        EXPECT_EQ(form.optionClicks, 1);
        form.Option4.SetEnabled(false);
        EXPECT_TRUE(form.Option4.Value()) << "disabled, it keeps its selection";
    }
}

// ---- Errors that escape a handler --------------------------------------------

TEST(FormsKitErrors, AnErrorEscapingAHandlerIsReportedAndTheProgramGoesOn) {
    testing_support::ScriptedPrompts prompts;
    KitForm form;
    form.Show();
    struct Case {
        std::function<void()> raise;
        int number;
    };
    const Case cases[] = {
        {[] { throw base::RunError(base::err::PathNotFound); }, 76},
        {[] { throw std::bad_alloc(); }, 7},
        {[] { throw std::runtime_error("unexpected"); }, 5},
    };
    int clicks = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        form.Command1.OnClick = [&] {
            ++clicks;
            c.raise();
        };
        size_t before = prompts.seen.size();
        SendMessageW(form.Command1.hwnd(), BM_CLICK, 0, 0);
        EXPECT_TRUE(prompts.SaidError(before, c.number));
        EXPECT_EQ(prompts.seen.back().owner, form.hwnd());
    }
    EXPECT_EQ(clicks, 3) << "the same button goes on working";
    EXPECT_TRUE(form.IsLoaded());

    // Through the control's own window procedure, and the key still reaches the control.
    int keys = 0;
    form.Command1.OnKeyDown = [&](int, int) {
        ++keys;
        throw base::RunError(base::err::FileNotFound);
    };
    SendMessageW(form.Command1.hwnd(), WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(keys, 1);
    EXPECT_TRUE(prompts.SaidError(3, 53));
    EXPECT_EQ(prompts.seen[3].owner, form.hwnd());

    // From a timer's tick, delivered by the message loop.
    form.Timer1.OnTimer = [&] {
        form.Timer1.SetEnabled(false);
        throw base::RunError(base::err::Overflow);
    };
    form.Timer1.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return prompts.seen.size() == 5u; }));
    EXPECT_TRUE(prompts.SaidError(4, 6));

    // From OnUnload: the window still goes and the form counts as unloaded.
    int loaded = ui::Form::LoadedCount();
    form.onUnload = [] { throw base::RunError(base::err::ObjectUnloaded); };
    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(ui::Form::LoadedCount(), loaded - 1);
    EXPECT_TRUE(prompts.SaidError(5, 364));
}

// ---- Text boxes ------------------------------------------------------------------

TEST(FormsKitTextBox, ChangeIsRaisedOncePerRealChangeWhoeverMakesIt) {
    KitForm form;
    form.Load();
    std::wstring seen;
    int changes = 0;
    form.Text1.OnChange = [&] {
        ++changes;
        seen = form.Text1.Text();
    };
    form.Text1.SetText(L"abc");
    form.Text1.SetText(L"abc");  // the same text: no change
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, L"abc");
    form.Text1.SetCaption(L"");
    EXPECT_EQ(changes, 2);

    // Typing past the limit changes nothing; the program is not limited.
    form.Text1.SetMaxLength(4);
    Type(form.Text1, L"12345");
    EXPECT_EQ(form.Text1.Text(), L"1234");
    EXPECT_EQ(changes, 6);
    EXPECT_EQ(seen, L"1234");
    form.Text1.SetText(L"-99999");
    EXPECT_EQ(form.Text1.Text(), L"-99999");
    EXPECT_EQ(changes, 7);

    // A handler may replace the text it was told about.
    form.Text1.SetMaxLength(0);
    form.Text1.SetText(L"");
    changes = 0;
    form.Text1.OnChange = [&] {
        ++changes;
        if (form.Text1.Text().find_first_not_of(L"0123456789") != std::wstring::npos)
            form.Text1.SetText(L"0000");
    };
    Type(form.Text1, L"12a");
    EXPECT_EQ(form.Text1.Text(), L"0000");
    EXPECT_EQ(changes, 4);  // 1, 12, 12a, then 0000
}

TEST(FormsKitTextBox, SelectionAndFocusAndClick) {
    KitForm form;
    form.Show();
    form.Text1.SetText(L"hello world");
    form.Text1.SetSelStart(6);
    EXPECT_EQ(form.Text1.SelStart(), 6);
    EXPECT_EQ(form.Text1.SelLength(), 0);
    form.Text1.SetSelLength(3);
    EXPECT_EQ(form.Text1.SelStart(), 6);
    EXPECT_EQ(form.Text1.SelLength(), 3);

    int focused = 0;
    form.Text1.OnGotFocus = [&] {
        ++focused;
        form.Text1.SetSelStart(0);
        form.Text1.SetSelLength(static_cast<int>(form.Text1.Text().size()));
    };
    form.List1.SetFocus();
    form.Text1.SetFocus();
    EXPECT_EQ(focused, 1);
    EXPECT_TRUE(form.Text1.HasFocus());
    EXPECT_FALSE(form.List1.HasFocus());
    EXPECT_EQ(form.Text1.SelLength(), 11);

    int clicks = 0;
    form.Text1.OnClick = [&] { ++clicks; };
    Click(form.Text1.hwnd(), 5, 5, 5);
    Click(form.Text1.hwnd(), 5, 5, 5000);  // released outside
    EXPECT_EQ(clicks, 1);
}

// ---- List boxes and labels ---------------------------------------------------

TEST(FormsKitListBox, ExtendedSelection) {
    KitForm form;
    form.Load();
    ui::ListBox& list = form.List1;
    for (const wchar_t* item : {L"a", L"b", L"c", L"d", L"e"}) list.AddItem(item);
    EXPECT_TRUE(list.MultiSelect());
    EXPECT_EQ(list.SelCount(), 0);
    list.SetSelected(1, true);
    list.SetSelected(3, true);
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_TRUE(list.Selected(1));
    EXPECT_FALSE(list.Selected(2));
    list.SelectAll();
    list.SetSelected(0, false);
    EXPECT_EQ(list.SelCount(), 4);
    EXPECT_FALSE(list.Selected(0));

    list.DeselectAll();
    list.SetListIndex(2);
    list.SetListIndex(4);
    EXPECT_EQ(list.ListIndex(), 4);
    EXPECT_EQ(list.SelCount(), 2) << "extended selection keeps the others";
    list.RemoveItem(0);
    EXPECT_TRUE(list.Selected(1)) << "c moved up and stays selected";
    EXPECT_EQ(list.List(3), L"e");
    EXPECT_EQ(testing_support::ErrorNumberOf([&] { list.SetSelected(4, true); }), 381);
    EXPECT_EQ(testing_support::ErrorNumberOf([&] { list.List(4); }), 381);
    list.SetListIndex(-1);
    EXPECT_EQ(list.SelCount(), 0);
}

TEST(FormsKitListBox, SingleSelection) {
    KitForm form;
    form.Load();
    ui::ListBox& list = form.List2;
    EXPECT_EQ(list.ListIndex(), -1);
    for (const wchar_t* item : {L"a", L"b", L"c"}) list.AddItem(item);
    EXPECT_FALSE(list.MultiSelect());
    list.SetListIndex(0);
    EXPECT_TRUE(list.Selected(0));
    list.SetListIndex(1);
    list.SetSelected(2, true);
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(list.SelCount(), 1);
    EXPECT_FALSE(list.Selected(1));
    list.SetSelected(1, false);  // not the selected one: nothing changes
    EXPECT_EQ(list.ListIndex(), 2);
    list.SetSelected(2, false);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.SelCount(), 0);
    EXPECT_EQ(testing_support::ErrorNumberOf([&] { list.SetListIndex(3); }), 380);
    EXPECT_TRUE(ui::ListContains(list, L"c"));
    EXPECT_FALSE(ui::ListContains(list, L"C")) << "entries compare exactly";
}

TEST(FormsKitListBox, UserClicksRaiseEventsAndTheProgramDoesNot) {
    KitForm form;
    form.Show();
    ui::ListBox& list = form.List2;
    for (const wchar_t* item : {L"a", L"b", L"c"}) list.AddItem(item);
    int clicks = 0, doubleClicks = 0;
    list.OnClick = [&] { ++clicks; };
    list.OnDblClick = [&] { ++doubleClicks; };
    list.SetListIndex(0);
    EXPECT_EQ(clicks, 0);

    int height = static_cast<int>(SendMessageW(list.hwnd(), LB_GETITEMHEIGHT, 0, 0));
    int second = height + height / 2;
    Click(list.hwnd(), 10, second, 10);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(clicks, 1);
    SendMessageW(list.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, second));
    SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, second));
    EXPECT_EQ(doubleClicks, 1);
}

// Nested bulk updates: the list draws nothing until the outer one ends, then
// shows everything, and ten thousand items go in quickly.
TEST(FormsKitListBox, BulkUpdatesDrawOnceAtTheEndAndAreQuick) {
    KitForm form;
    form.Show();
    ui::ListBox& list = form.List1;
    ui::DoEvents();
    auto start = std::chrono::steady_clock::now();
    list.BeginUpdate();
    list.BeginUpdate();
    for (int i = 0; i < 10000; ++i) list.AddItem(L"file" + std::to_wstring(i) + L".txt");
    list.EndUpdate();
    EXPECT_FALSE(GetUpdateRect(list.hwnd(), nullptr, FALSE)) << "still paused: nothing to draw yet";
    list.EndUpdate();
    list.SelectAll();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_TRUE(IsWindowVisible(list.hwnd()));
    EXPECT_TRUE(GetUpdateRect(list.hwnd(), nullptr, FALSE)) << "drawn again when the last update ends";
    EXPECT_EQ(list.ListCount(), 10000);
    EXPECT_EQ(list.List(9999), L"file9999.txt");
    EXPECT_EQ(list.SelCount(), 10000);
    list.EndUpdate();  // one too many changes nothing
    EXPECT_TRUE(IsWindowVisible(list.hwnd()));
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
}

// ---- The message hook, owner-drawn controls and the status bar -------------------

namespace {
COLORREF CentrePixel(HWND window) {
    testing_support::Picture picture = testing_support::PrintClient(window);
    DWORD p = picture.pixels[static_cast<size_t>(picture.height / 2 * picture.width + picture.width / 2)];
    return RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
}

void ExpectAtTheBottom(const ui::StatusBar& bar) {
    RECT client, place;
    GetClientRect(bar.form()->hwnd(), &client);
    GetWindowRect(bar.hwnd(), &place);
    MapWindowPoints(nullptr, bar.form()->hwnd(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.right, client.right);
    EXPECT_EQ(place.bottom, client.bottom);
    EXPECT_GT(place.bottom - place.top, 10);
    EXPECT_LT(place.bottom - place.top, client.bottom / 3);
    int edges[2] = {};
    ASSERT_EQ(SendMessageW(bar.hwnd(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], client.right / 2);
    EXPECT_EQ(edges[1], -1);
}
}  // namespace

TEST(FormsKitHook, AControlCanAnswerMessagesAndChangeTheAnswersOfItsWindow) {
    KitForm form;
    form.Show();
    int keys = 0;
    form.Swatch1.OnKeyDown = [&](int, int) { ++keys; };
    EXPECT_EQ(SendMessageW(form.Swatch1.hwnd(), Swatch::kDouble, 21, 0), 42);
    EXPECT_EQ(SendMessageW(form.Command1.hwnd(), Swatch::kDouble, 21, 0), 0);

    LRESULT plain = SendMessageW(form.Command1.hwnd(), WM_GETDLGCODE, 0, 0);
    LRESULT hooked = SendMessageW(form.Swatch1.hwnd(), WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(plain & DLGC_WANTCHARS, 0);
    EXPECT_EQ(hooked & DLGC_WANTCHARS, DLGC_WANTCHARS);
    EXPECT_NE(hooked & (DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON), 0)
        << "the button's own answer is kept";
    SendMessageW(form.Swatch1.hwnd(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(keys, 1) << "events are still raised";

    // The form hands owner drawing to the control.
    EXPECT_EQ(CentrePixel(form.Swatch1.hwnd()), RGB(200, 30, 60));
    form.Swatch1.colour = RGB(20, 120, 240);
    EXPECT_EQ(CentrePixel(form.Swatch1.hwnd()), RGB(20, 120, 240));
}

TEST(FormsKitHook, AHandlerMayDestroyTheWindowOrTheControl) {
    KitForm form;
    form.Show();
    HWND button = form.Command1.hwnd();
    form.Command1.OnMouseDown = [&](int, int, long, long) { DestroyWindow(form.Command1.hwnd()); };
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(form.Command1.hwnd(), nullptr);

    // A control that goes during its own event leaves a window that still works.
    auto* label = new ui::Label;
    label->Create(form);
    HWND window = label->hwnd();
    label->OnMouseDown = [&](int, int, long, long) { delete label; };
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SetWindowTextW(window, L"still there");
    wchar_t text[32] = {};
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"still there");
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    DestroyWindow(window);
}

TEST(FormsKitStatusBar, SitsAtTheBottomAndFollowsTheFormsSize) {
    KitForm form;
    form.Load();
    ExpectAtTheBottom(form.StatusBar1);
    form.Show();
    for (SIZE size : {SIZE{7000, 5000}, SIZE{9000, 6600}}) {
        form.Move(300, 300, size.cx, size.cy);
        ExpectAtTheBottom(form.StatusBar1);
    }
    // Hidden while the form changes size, it comes back in the right place.
    form.StatusBar1.SetVisible(false);
    form.Move(300, 300, 6000, 4500);
    form.StatusBar1.SetVisible(true);
    ExpectAtTheBottom(form.StatusBar1);
    EXPECT_TRUE(IsWindowVisible(form.StatusBar1.hwnd()));
    form.StatusBar1.SetPanelText(2, L"right");
    EXPECT_EQ(form.StatusBar1.PanelText(2), L"right");
    EXPECT_EQ(form.StatusBar1.PanelText(1), L"");
    form.StatusBar1.ShowHint(base::Text::Exit);
    EXPECT_EQ(form.StatusBar1.PanelText(1), base::LoadText(base::Text::Exit)) << "hints go to the first panel";
    EXPECT_NE(form.StatusBar1.PanelText(1), L"");
}

// ---- Menus -------------------------------------------------------------------------

namespace {
void Choose(const ui::Form& form, const ui::MenuItem& item) {
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(item.id(), 0), 0);
}
}  // namespace

TEST(FormsKitMenu, ChoicesReachEnabledItemsAndNotTheControls) {
    KitForm form;
    form.Load();
    EXPECT_EQ(GetMenu(form.hwnd()), form.bar.handle());
    EXPECT_GE(form.newItem.id(), 1000u);
    Choose(form, form.newItem);
    Choose(form, form.newItem);
    Choose(form, form.exitItem);
    EXPECT_EQ(form.newClicks, 2);
    EXPECT_EQ(form.buttonClicks, 0);
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(form.Command1.id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Command1.hwnd()));
    EXPECT_EQ(form.buttonClicks, 1);
    EXPECT_EQ(form.newClicks, 2);

    form.newItem.SetEnabled(false);
    EXPECT_FALSE(form.newItem.Enabled());
    Choose(form, form.newItem);
    form.newItem.Click();
    EXPECT_EQ(form.newClicks, 2);
    form.newItem.SetEnabled(true);
    form.newItem.Click();
    EXPECT_EQ(form.newClicks, 3);
    for (bool checked : {true, false}) {
        Choose(form, form.protectItem);
        EXPECT_EQ(form.protectItem.Checked(), checked);
    }

    EXPECT_EQ(form.exitItem.Caption(), L"E&xit");
    form.exitItem.SetCaption(L"&Beenden");
    EXPECT_EQ(form.exitItem.Caption(), L"&Beenden");
    EXPECT_EQ(form.helpMenu.Caption(), L"&Help");
    form.optionMenu.SetCaption(L"O&ptionen");
    EXPECT_EQ(form.optionMenu.Caption(), L"O&ptionen");
    form.helpMenu.SetEnabled(false);
    EXPECT_FALSE(form.helpMenu.Enabled());
    EXPECT_TRUE(form.optionMenu.Enabled());
    form.helpMenu.SetEnabled(true);
    EXPECT_TRUE(form.helpMenu.Enabled());
}

TEST(FormsKitMenu, PicturesByPositionSeparatorsCounted) {
    KitForm form;
    form.Load();
    EXPECT_EQ(form.bar.ItemId(0, 3), form.exitItem.id());
    EXPECT_EQ(form.bar.ItemId(2, 2), form.aboutItem.id());
    EXPECT_EQ(form.bar.ItemId(0, 2), 0u);  // the separator
    EXPECT_EQ(form.bar.ItemId(0, 4), 0u);
    EXPECT_EQ(form.bar.ItemId(5, 0), 0u);

    ui::MenuPicture exitPicture, helpPicture, aboutPicture, missing;
    ASSERT_TRUE(exitPicture.Load(IDB_MENU_EXIT));
    ASSERT_TRUE(helpPicture.Load(IDB_MENU_HELP));
    ASSERT_TRUE(aboutPicture.Load(IDB_MENU_ABOUT));
    EXPECT_FALSE(missing.Load(4321));
    BITMAP size{};
    GetObjectW(exitPicture.handle(), sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 13);
    EXPECT_EQ(size.bmHeight, 13);

    EXPECT_TRUE(form.bar.SetPictureAt(0, 3, exitPicture.handle()));
    EXPECT_FALSE(form.bar.SetPictureAt(0, 2, exitPicture.handle()));
    form.helpItem.SetPicture(helpPicture.handle());
    auto pictures = [&](HMENU menu, UINT id) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_CHECKMARKS;
        GetMenuItemInfoW(menu, id, FALSE, &info);
        return std::make_pair(info.hbmpChecked, info.hbmpUnchecked);
    };
    EXPECT_EQ(pictures(form.fileMenu.handle(), form.exitItem.id()),
              std::make_pair(exitPicture.handle(), exitPicture.handle()));
    EXPECT_EQ(pictures(form.helpMenu.handle(), form.helpItem.id()),
              std::make_pair(helpPicture.handle(), helpPicture.handle()));
    EXPECT_EQ(pictures(form.helpMenu.handle(), form.aboutItem.id()), std::make_pair(HBITMAP{}, HBITMAP{}));

    HBITMAP released = helpPicture.handle();
    helpPicture.Release();
    EXPECT_EQ(helpPicture.handle(), nullptr);
    EXPECT_EQ(GetObjectType(released), 0u) << "the bitmap is freed";
}

// ---- Busy cursor -------------------------------------------------------------------

namespace {
HCURSOR ClassCursor(HWND window) {
    return reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
}

std::wstring BesideTheProgram(const std::wstring& name) { return base::ProgramFolder() + L"\\" + name; }
}  // namespace

// The busy cursor becomes the class cursor of every remembered window's
// class and the old ones come back; a file that cannot be read gives the
// system's wait cursor, which is shared and must survive.
TEST(FormsKitBusyCursor, ShowsTheFilesCursorOrTheWaitCursorAndPutsTheClassCursorsBack) {
    std::wstring broken = BesideTheProgram(L"broken-cursor.bin");
    {
        // An animated cursor's header, cut short after the first chunk name.
        const char head[] = {'R', 'I', 'F', 'F', 0x10, 0, 0, 0, 'A', 'C', 'O', 'N', 'a', 'n', 'i', 'h'};
        std::ofstream(broken.c_str(), std::ios::binary).write(head, sizeof head);
    }
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    KitForm form;
    form.Load();
    const HWND windows[] = {form.hwnd(), form.Command1.hwnd(), form.Text1.hwnd()};
    const HCURSOR own[] = {ClassCursor(windows[0]), ClassCursor(windows[1]), ClassCursor(windows[2])};
    ASSERT_NE(own[1], own[2]);
    struct Case {
        std::wstring file;
        bool waitCursor;
    };
    for (const Case& c : {Case{BesideTheProgram(L"hourglas.bin"), false}, Case{broken, true},
                          Case{BesideTheProgram(L"no-such-cursor.bin"), true}, Case{L"", true}}) {
        SCOPED_TRACE(testing::PrintToString(c.file));
        ui::BusyCursor busy;
        busy.Remember({windows[0], windows[1], windows[2]}, c.file);
        EXPECT_FALSE(busy.On());
        busy.SetBusy();
        HCURSOR shown = busy.Cursor();
        EXPECT_TRUE(busy.On());
        EXPECT_EQ(shown == wait, c.waitCursor);
        EXPECT_NE(shown, nullptr);
        for (HWND window : windows) EXPECT_EQ(ClassCursor(window), shown);
        EXPECT_EQ(ClassCursor(form.Swatch1.hwnd()), shown) << "the whole class of the button";
        busy.SetBusy();  // already on: the same cursor stays
        EXPECT_EQ(busy.Cursor(), shown);
        if (c.file.empty()) continue;  // the last one goes while on
        busy.Restore();
        EXPECT_FALSE(busy.On());
        EXPECT_EQ(busy.Cursor(), nullptr);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ClassCursor(windows[i]), own[i]);
        if (!c.waitCursor) {
            EXPECT_FALSE(DestroyCursor(shown)) << "the loaded cursor was freed";
        }
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ClassCursor(windows[i]), own[i]) << "put back when it went";
    EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), wait);
    DeleteFileW(broken.c_str());
}
