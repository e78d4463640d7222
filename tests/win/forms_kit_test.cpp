// The forms kit on real windows: modal showing, timers, option groups,
// frames, unloading, text boxes, list boxes, labels, pictures, the controls'
// message hook, owner drawing, the status bar, menus and the busy cursor.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "tests/win/client_picture.h"

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
#include "resources/resource.h"
#include "tests/win/prompts.h"
#include "ui/App.h"
#include "ui/BusyCursor.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Screen.h"

namespace {
class TestForm : public ui::Form {
public:
    ui::Frame Frame1, Frame2;
    ui::OptionButton Option1, Option2, Option3, Option4;
    ui::Timer Timer1;
    std::function<void(bool&)> onQueryUnload;
    int clicks = 0;

protected:
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
        Timer1.Create(*this, 10);
        Option2.OnClick = [this] { ++clicks; };
    }
    void Form_QueryUnload(bool& cancel) override {
        if (onQueryUnload) onQueryUnload(cancel);
    }
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
}  // namespace

TEST(FormsKit, RealTimerTicksUntilDisabled) {
    TestForm form;
    form.Load();
    int ticks = 0;
    form.Timer1.OnTimer = [&] {
        if (++ticks == 3) form.Timer1.SetEnabled(false);
    };
    form.Timer1.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    PumpUntil([] { return false; }, 200);  // long enough for stray ticks of a 10 ms timer
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(form.Timer1.FireNow());
}

TEST(FormsKit, ModalFormDisablesItsOwnerUntilHidden) {
    TestForm owner, dialog;
    owner.Show();
    bool ownerWasDisabled = false;
    dialog.Load();
    dialog.Timer1.OnTimer = [&] {
        dialog.Timer1.SetEnabled(false);
        ownerWasDisabled = !IsWindowEnabled(owner.hwnd());
        dialog.Hide();
    };
    dialog.Timer1.SetEnabled(true);
    dialog.ShowModal(&owner);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
    EXPECT_TRUE(dialog.IsLoaded());
}

TEST(FormsKit, OptionGroupsInTwoFramesAreIndependent) {
    TestForm form;
    form.Load();
    form.Option1.SetValue(true);
    form.Option3.SetValue(true);
    form.Option2.SetValue(true);
    EXPECT_FALSE(form.Option1.Value());
    EXPECT_TRUE(form.Option2.Value());
    EXPECT_TRUE(form.Option3.Value());
    EXPECT_EQ(form.clicks, 1);
    form.Option2.SetValue(true);  // no change, no click
    EXPECT_EQ(form.clicks, 1);
    form.Option4.SetValue(true);
    EXPECT_TRUE(form.Option2.Value());
    EXPECT_FALSE(form.Option3.Value());
}

TEST(FormsKit, ModalFormLeavesAnOwnerThatWasDisabledBeforeDisabled) {
    TestForm owner, dialog;
    owner.Show();
    EnableWindow(owner.hwnd(), FALSE);  // as behind another modal window
    bool ownerEnabledOnHide = true;
    dialog.Load();
    dialog.Timer1.OnTimer = [&] {
        dialog.Timer1.SetEnabled(false);
        dialog.Hide();
        ownerEnabledOnHide = IsWindowEnabled(owner.hwnd()) != FALSE;
    };
    dialog.Timer1.SetEnabled(true);
    dialog.ShowModal(&owner);
    EXPECT_FALSE(ownerEnabledOnHide);
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));

    // Unloaded rather than hidden: the same.
    bool ownerEnabledOnUnload = true;
    dialog.Timer1.OnTimer = [&] {
        dialog.Timer1.SetEnabled(false);
        dialog.Unload();
        ownerEnabledOnUnload = IsWindowEnabled(owner.hwnd()) != FALSE;
    };
    dialog.Timer1.SetEnabled(true);
    dialog.ShowModal(&owner);
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_FALSE(ownerEnabledOnUnload);
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));

    // Enabled again, it is disabled while the dialog runs and enabled after.
    EnableWindow(owner.hwnd(), TRUE);
    bool ownerWasDisabled = false;
    dialog.Load();
    dialog.Timer1.OnTimer = [&] {
        dialog.Timer1.SetEnabled(false);
        ownerWasDisabled = !IsWindowEnabled(owner.hwnd());
        dialog.Hide();
    };
    dialog.Timer1.SetEnabled(true);
    dialog.ShowModal(&owner);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

TEST(FormsKit, SelectingAnOptionClearsDisabledAndHiddenOnesOfItsGroup) {
    TestForm form;
    form.Show();
    form.Option1.SetValue(true);
    form.Option1.SetEnabled(false);
    form.Option2.SetEnabled(false);
    form.Option2.SetValue(true);
    EXPECT_FALSE(form.Option1.Value());
    EXPECT_TRUE(form.Option2.Value());
    EXPECT_EQ(form.clicks, 1);

    form.Option3.SetValue(true);
    form.Option3.SetVisible(false);
    form.Option4.SetValue(true);
    EXPECT_FALSE(form.Option3.Value());
    EXPECT_TRUE(form.Option4.Value());
    EXPECT_TRUE(form.Option2.Value());  // the other group keeps its choice
    EXPECT_TRUE(form.Option3.Enabled() && !form.Option3.Visible());

    // A disabled button keeps its selection when nothing else is chosen.
    form.Option4.SetEnabled(false);
    EXPECT_TRUE(form.Option4.Value());
}

TEST(FormsKit, ClickingAnOptionClearsADisabledSelectedOneOfItsGroup) {
    TestForm form;
    form.Show();
    form.Option1.SetValue(true);
    form.Option1.SetEnabled(false);
    SendMessageW(form.Option2.hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.Option2.Value());
    EXPECT_FALSE(form.Option1.Value());
    EXPECT_EQ(form.clicks, 1);
}

TEST(FormsKit, ControlsInAFrameArePlacedInsideIt) {
    TestForm form;
    form.Load();
    RECT frame, option;
    GetWindowRect(form.Frame2.hwnd(), &frame);
    GetWindowRect(form.Option4.hwnd(), &option);
    EXPECT_EQ(option.left - frame.left, ui::TwipsToPixelsX(150));
    EXPECT_EQ(option.top - frame.top, ui::TwipsToPixelsY(750));
    EXPECT_EQ(option.right - option.left, ui::TwipsToPixelsX(2000));
    EXPECT_EQ(form.Option4.Left(), 150);
}

TEST(FormsKit, QueryUnloadCanKeepTheFormAndCloseAsksToo) {
    TestForm form;
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
}

namespace {
class ClickForm : public ui::Form {
public:
    ui::TextBox Text1;
    int clicks = 0, escapes = 0;

protected:
    void CreateControls() override {
        Text1.Create(*this);
        Text1.Move(120, 120, 2000, 300);
    }
    void Form_Click() override { ++clicks; }
    void Form_Escape() override { ++escapes; }
};
}  // namespace

TEST(FormsKit, ClickOnTheBareWindowAndEscapeFromAControl) {
    ClickForm form;
    form.Show();
    HWND window = form.hwnd();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    EXPECT_EQ(form.clicks, 1);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(30000, 200));  // released outside
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));    // no press before it
    EXPECT_EQ(form.clicks, 1);

    form.Text1.SetFocus();
    PostMessageW(form.Text1.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    PumpUntil([&] { return form.escapes > 0; }, 1000);
    EXPECT_EQ(form.escapes, 1);
    EXPECT_EQ(form.clicks, 1);
}

// ---- Errors that escape a handler ------------------------------------------

namespace {
class ErrorForm : public ui::Form {
public:
    ui::Button Command1;
    ui::Timer Timer1;
    std::function<void()> onUnload;

protected:
    void CreateControls() override {
        Command1.Create(*this);
        Command1.Move(120, 120, 1500, 400);
        Timer1.Create(*this, 10);
    }
    void Form_Unload() override {
        if (onUnload) onUnload();
    }
};
}  // namespace

TEST(FormsKitErrors, AnErrorEscapingAHandlerIsReportedAndTheProgramGoesOn) {
    testing_support::ScriptedPrompts prompts;
    ErrorForm form;
    form.Show();
    int clicks = 0;
    form.Command1.OnClick = [&] {
        ++clicks;
        throw base::RunError(76);
    };
    SendMessageW(form.Command1.hwnd(), BM_CLICK, 0, 0);
    ASSERT_EQ(clicks, 1);
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"Error Number = 76\rError description = Path not found");
    EXPECT_EQ(prompts.seen[0].title, L"Error 76");
    EXPECT_EQ(prompts.seen[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(prompts.seen[0].owner, form.hwnd());
    EXPECT_TRUE(form.IsLoaded());

    // The same button goes on working.
    form.Command1.OnClick = [&] { ++clicks; };
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(form.Command1.id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Command1.hwnd()));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(prompts.seen.size(), 1u);

    // Running out of memory is error 7, anything else error 5.
    form.Command1.OnClick = [] { throw std::bad_alloc(); };
    SendMessageW(form.Command1.hwnd(), BM_CLICK, 0, 0);
    ASSERT_EQ(prompts.seen.size(), 2u);
    EXPECT_EQ(prompts.seen[1].text, L"Error Number = 7\rError description = Out of memory");
    EXPECT_EQ(prompts.seen[1].title, L"Error 7");
    form.Command1.OnClick = [] { throw std::runtime_error("unexpected"); };
    SendMessageW(form.Command1.hwnd(), BM_CLICK, 0, 0);
    ASSERT_EQ(prompts.seen.size(), 3u);
    EXPECT_EQ(prompts.seen[2].text,
              L"Error Number = 5\rError description = Invalid procedure call or argument");
    EXPECT_EQ(prompts.seen[2].title, L"Error 5");

    // Through the control's own window procedure, and the key still reaches the control.
    int keys = 0;
    form.Command1.OnKeyDown = [&](int, int) {
        ++keys;
        throw base::RunError(53);
    };
    SendMessageW(form.Command1.hwnd(), WM_KEYDOWN, 'A', 1);
    SendMessageW(form.Command1.hwnd(), WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(keys, 2);
    ASSERT_EQ(prompts.seen.size(), 5u);
    EXPECT_EQ(prompts.seen[4].text, L"Error Number = 53\rError description = File not found");
    EXPECT_EQ(prompts.seen[4].owner, form.hwnd());

    // From a timer's tick, delivered by the message loop.
    form.Timer1.OnTimer = [&] {
        form.Timer1.SetEnabled(false);
        throw base::RunError(6);
    };
    form.Timer1.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return prompts.seen.size() == 6u; }));
    EXPECT_EQ(prompts.seen[5].text, L"Error Number = 6\rError description = Overflow");

    // From Form_Unload: the window still goes and the form counts as unloaded.
    int loaded = ui::Form::LoadedCount();
    form.onUnload = [] { throw base::RunError(364); };
    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(ui::Form::LoadedCount(), loaded - 1);
    ASSERT_EQ(prompts.seen.size(), 7u);
    EXPECT_EQ(prompts.seen[6].text, L"Error Number = 364\rError description = Object was unloaded");
}

// ---- Loading a form again --------------------------------------------------

namespace {
class ReloadForm : public ui::Form {
public:
    ui::Image Image1;
    ui::Timer Timer1;
    int ticks = 0;

protected:
    void CreateControls() override {
        Image1.Create(*this, IDB_RENAME_IMAGE1);
        Image1.Move(0, 0);
        Timer1.Create(*this, 10, true);
        Timer1.OnTimer = [this] { ++ticks; };
    }
};
}  // namespace

TEST(FormsKit, LoadingAFormAgainRegistersItsTimerAndPictureOnce) {
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

namespace {
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

// ---- Text boxes, list boxes, labels and pictures ---------------------------

namespace {
class ControlsForm : public ui::Form {
public:
    ui::TextBox Text1;
    ui::ListBox List1;  // extended selection
    ui::ListBox List2;  // single selection
    ui::Label Label1;

protected:
    void CreateControls() override {
        Text1.Create(*this);
        Text1.Move(120, 120, 2000, 300);
        List1.Create(*this, nullptr, false, true);
        List1.Move(120, 600, 2000, 1500);
        List2.Create(*this);
        List2.Move(2400, 600, 2000, 1500);
        Label1.Create(*this);
        Label1.Move(120, 2400, 2000, 300);
    }
};

void Type(const ui::TextBox& box, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(box.hwnd(), WM_CHAR, c, 1);
}

LPARAM PointAt(int x, int y) { return MAKELPARAM(x, y); }

// Renders a control's client area into a 32-bit bitmap and returns the
// darkest grey level of its pixels and how many pixels differ from the corner.
struct Rendering {
    int darkest = 255;
    int marked = 0;
};

Rendering Render(HWND control) {
    const testing_support::Picture picture = testing_support::PrintClient(control);
    Rendering result;
    const DWORD corner = picture.pixels.empty() ? 0 : picture.pixels[0];
    for (DWORD p : picture.pixels) {
        int grey = (((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff)) / 3;
        if (grey < result.darkest) result.darkest = grey;
        if (p != corner) ++result.marked;
    }
    return result;
}
}  // namespace

TEST(FormsKitTextBox, RefusesTypingPastItsMaxLengthButNotTheProgram) {
    ControlsForm form;
    form.Load();
    int changes = 0;
    form.Text1.OnChange = [&] { ++changes; };
    form.Text1.SetMaxLength(4);
    Type(form.Text1, L"12345");
    EXPECT_EQ(form.Text1.Text(), L"1234");
    EXPECT_EQ(changes, 4);
    form.Text1.SetText(L"-99999");
    EXPECT_EQ(form.Text1.Text(), L"-99999");
}

TEST(FormsKitTextBox, ChangeIsRaisedOncePerChangeWhoeverMakesIt) {
    ControlsForm form;
    form.Load();
    std::wstring seen;
    int changes = 0;
    form.Text1.OnChange = [&] {
        ++changes;
        seen = form.Text1.Text();
    };
    form.Text1.SetText(L"abc");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, L"abc");
    form.Text1.SetText(L"abc");  // same text: no change
    EXPECT_EQ(changes, 1);
    form.Text1.SetCaption(L"");
    EXPECT_EQ(changes, 2);
    Type(form.Text1, L"x");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(seen, L"x");
}

TEST(FormsKitTextBox, AHandlerMayReplaceTheTextItWasToldAbout) {
    ControlsForm form;
    form.Load();
    int changes = 0;
    form.Text1.OnChange = [&] {
        ++changes;
        std::wstring text = form.Text1.Text();
        if (text.find_first_not_of(L"0123456789") != std::wstring::npos) form.Text1.SetText(L"0000");
    };
    Type(form.Text1, L"12a");
    EXPECT_EQ(form.Text1.Text(), L"0000");
    EXPECT_EQ(changes, 4);  // 1, 12, 12a, then 0000
}

TEST(FormsKitTextBox, SelectionAndFocusAndClick) {
    ControlsForm form;
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
    EXPECT_EQ(form.Text1.SelStart(), 0);
    EXPECT_EQ(form.Text1.SelLength(), 11);

    int clicks = 0;
    form.Text1.OnClick = [&] { ++clicks; };
    SendMessageW(form.Text1.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, PointAt(5, 5));
    SendMessageW(form.Text1.hwnd(), WM_LBUTTONUP, 0, PointAt(5, 5));
    EXPECT_EQ(clicks, 1);
    SendMessageW(form.Text1.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, PointAt(5, 5));
    SendMessageW(form.Text1.hwnd(), WM_LBUTTONUP, 0, PointAt(5000, 5));  // released outside
    EXPECT_EQ(clicks, 1);
}

TEST(FormsKitListBox, ExtendedSelection) {
    ControlsForm form;
    form.Load();
    for (const wchar_t* item : {L"a", L"b", L"c", L"d", L"e"}) form.List1.AddItem(item);
    EXPECT_TRUE(form.List1.MultiSelect());
    EXPECT_EQ(form.List1.SelCount(), 0);
    form.List1.SetSelected(1, true);
    form.List1.SetSelected(3, true);
    EXPECT_EQ(form.List1.SelCount(), 2);
    EXPECT_TRUE(form.List1.Selected(1));
    EXPECT_FALSE(form.List1.Selected(2));
    EXPECT_TRUE(form.List1.Selected(3));

    form.List1.SelectAll();
    EXPECT_EQ(form.List1.SelCount(), 5);
    form.List1.SetSelected(0, false);
    EXPECT_EQ(form.List1.SelCount(), 4);
    EXPECT_FALSE(form.List1.Selected(0));

    form.List1.DeselectAll();
    form.List1.SetListIndex(2);
    form.List1.SetListIndex(4);
    EXPECT_EQ(form.List1.ListIndex(), 4);
    EXPECT_EQ(form.List1.SelCount(), 2);  // extended selection keeps the others

    form.List1.RemoveItem(0);
    EXPECT_TRUE(form.List1.Selected(1));  // "c" moved up and stays selected
    EXPECT_THROW(form.List1.SetSelected(4, true), base::RunError);
}

TEST(FormsKitListBox, SingleSelection) {
    ControlsForm form;
    form.Load();
    EXPECT_EQ(form.List2.ListIndex(), -1);
    for (const wchar_t* item : {L"a", L"b", L"c"}) form.List2.AddItem(item);
    EXPECT_FALSE(form.List2.MultiSelect());
    form.List2.SetListIndex(1);
    form.List2.SetSelected(2, true);
    EXPECT_EQ(form.List2.ListIndex(), 2);
    EXPECT_EQ(form.List2.SelCount(), 1);
    EXPECT_FALSE(form.List2.Selected(1));
    form.List2.SetSelected(1, false);  // not the selected one: nothing changes
    EXPECT_EQ(form.List2.ListIndex(), 2);
    form.List2.SetSelected(2, false);
    EXPECT_EQ(form.List2.ListIndex(), -1);
    EXPECT_EQ(form.List2.SelCount(), 0);
    EXPECT_THROW(form.List2.SetListIndex(3), base::RunError);
}

TEST(FormsKitListBox, UserClicksRaiseEventsAndTheProgramDoesNot) {
    ControlsForm form;
    form.Show();
    for (const wchar_t* item : {L"a", L"b", L"c"}) form.List2.AddItem(item);
    int clicks = 0, doubleClicks = 0;
    form.List2.OnClick = [&] { ++clicks; };
    form.List2.OnDblClick = [&] { ++doubleClicks; };
    form.List2.SetListIndex(0);
    EXPECT_EQ(clicks, 0);

    int height = static_cast<int>(SendMessageW(form.List2.hwnd(), LB_GETITEMHEIGHT, 0, 0));
    LPARAM second = PointAt(10, height + height / 2);
    SendMessageW(form.List2.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, second);
    SendMessageW(form.List2.hwnd(), WM_LBUTTONUP, 0, second);
    EXPECT_EQ(form.List2.ListIndex(), 1);
    EXPECT_EQ(clicks, 1);
    SendMessageW(form.List2.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, second);
    SendMessageW(form.List2.hwnd(), WM_LBUTTONUP, 0, second);
    EXPECT_EQ(doubleClicks, 1);
}

TEST(FormsKitListBox, TenThousandItemsGoInQuickly) {
    ControlsForm form;
    form.Show();
    auto start = std::chrono::steady_clock::now();
    form.List1.BeginUpdate();
    form.List1.BeginUpdate();  // nested
    for (int i = 0; i < 10000; ++i) form.List1.AddItem(L"file" + std::to_wstring(i) + L".txt");
    form.List1.EndUpdate();
    form.List1.EndUpdate();
    form.List1.SelectAll();
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
    EXPECT_EQ(form.List1.ListCount(), 10000);
    EXPECT_EQ(form.List1.List(9999), L"file9999.txt");
    EXPECT_EQ(form.List1.SelCount(), 10000);
    form.List1.Clear();
    EXPECT_EQ(form.List1.ListCount(), 0);
}

TEST(FormsKitLabel, DisabledLabelIsDrawnGreyed) {
    ControlsForm form;
    form.Show();
    form.Label1.SetCaption(L"WWWWWWWW");
    Rendering enabled = Render(form.Label1.hwnd());
    form.Label1.SetEnabled(false);
    EXPECT_FALSE(form.Label1.Enabled());
    Rendering disabled = Render(form.Label1.hwnd());
    EXPECT_GT(enabled.marked, 0);
    EXPECT_GT(disabled.marked, 0);
    EXPECT_LT(enabled.darkest, 64);
    EXPECT_GT(disabled.darkest, 64);
}

TEST(FormsKitImage, KeyColourLetsTheBackgroundThroughAndHiddenDrawsNothing) {
    ControlsForm form;
    form.Load();
    ui::Image picture;
    picture.Create(form, IDB_RENAME_IMAGE1);
    ASSERT_TRUE(picture.Loaded());
    picture.Move(0, 0);
    EXPECT_EQ(picture.Width(), ui::PixelsToTwipsX(48));
    EXPECT_TRUE(picture.Contains(ui::PixelsToTwipsX(47), ui::PixelsToTwipsY(47)));
    EXPECT_FALSE(picture.Contains(ui::PixelsToTwipsX(48), 0));

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 48, 48);
    HGDIOBJ old = SelectObject(dc, canvas);
    const COLORREF back = RGB(10, 200, 30);
    auto paintAndRead = [&](int x, int y) {
        HBRUSH brush = CreateSolidBrush(back);
        RECT all{0, 0, 48, 48};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        picture.Draw(dc);
        return GetPixel(dc, x, y);
    };
    EXPECT_EQ(paintAndRead(0, 0), RGB(255, 0, 255));  // key colour drawn as it is
    picture.SetTransparentColor(RGB(255, 0, 255));
    EXPECT_EQ(paintAndRead(0, 0), back);
    EXPECT_NE(paintAndRead(24, 24), back);  // the card itself
    picture.SetVisible(false);
    EXPECT_EQ(paintAndRead(24, 24), back);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST(FormsKitImage, CreatingAPictureAgainFreesTheOldBitmap) {
    ControlsForm form;
    form.Load();
    ui::Image picture;
    picture.Create(form, IDB_RENAME_IMAGE1);
    ASSERT_TRUE(picture.Loaded());
    HBITMAP first = picture.Bitmap();
    ASSERT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));
    picture.Create(form, IDB_RENAME_IMAGE1);
    ASSERT_TRUE(picture.Loaded());
    EXPECT_NE(picture.Bitmap(), first);
    EXPECT_EQ(GetObjectType(first), 0u);  // deleted
    EXPECT_EQ(GetObjectType(picture.Bitmap()), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(form.ImageCount(), 1u);
}

// ---- The message hook, owner-drawn controls and the status bar -------------

namespace {
// A button the test draws itself, whose window answers a private message and
// also asks for characters, through the kit's message hook.
class Swatch : public ui::Control {
public:
    static constexpr UINT kDouble = WM_APP + 7;
    COLORREF colour = RGB(200, 30, 60);
    int draws = 0;

    void Create(ui::Form& form) { CreateWindowOf(form, WC_BUTTONW, BS_OWNERDRAW, 0, nullptr); }
    bool DrawItem(const DRAWITEMSTRUCT& item) override {
        ++draws;
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(item.hDC, &item.rcItem, brush);
        DeleteObject(brush);
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

class HookForm : public ui::Form {
public:
    Swatch Swatch1;
    ui::Button Command1;
    ui::StatusBar StatusBar1;

protected:
    DWORD FormStyle() const override { return ui::Form::FormStyle() | WS_THICKFRAME; }
    void CreateControls() override {
        Swatch1.Create(*this);
        Swatch1.Move(120, 120, 1200, 600);
        Command1.Create(*this);
        Command1.Move(1500, 120, 1200, 375);
        StatusBar1.Create(*this, 2);
    }
};

COLORREF CentrePixel(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(dc, canvas);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    COLORREF pixel = GetPixel(dc, r.right / 2, r.bottom / 2);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// The bar's place in the form's client area.
RECT PlaceInForm(const ui::Control& control) {
    RECT r;
    GetWindowRect(control.hwnd(), &r);
    MapWindowPoints(nullptr, control.form()->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectAtTheBottom(const ui::StatusBar& bar) {
    RECT client, place = PlaceInForm(bar);
    GetClientRect(bar.form()->hwnd(), &client);
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
    HookForm form;
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
}

TEST(FormsKitHook, TheFormHandsOwnerDrawingToTheControl) {
    HookForm form;
    form.Show();
    int before = form.Swatch1.draws;
    EXPECT_EQ(CentrePixel(form.Swatch1.hwnd()), form.Swatch1.colour);
    EXPECT_GT(form.Swatch1.draws, before);
    form.Swatch1.colour = RGB(20, 120, 240);
    EXPECT_EQ(CentrePixel(form.Swatch1.hwnd()), RGB(20, 120, 240));
}

TEST(FormsKitHook, AHandlerMayDestroyTheWindowOrTheControl) {
    HookForm form;
    form.Show();
    HWND button = form.Command1.hwnd();
    form.Command1.OnMouseDown = [&](int, int, long, long) { DestroyWindow(form.Command1.hwnd()); };
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(5, 5));
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(form.Command1.hwnd(), nullptr);

    // A control that goes during its own event leaves a window that still works.
    auto* label = new ui::Label;
    label->Create(form);
    HWND window = label->hwnd();
    label->OnMouseDown = [&](int, int, long, long) { delete label; };
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(2, 2));
    SetWindowTextW(window, L"still there");
    wchar_t text[32] = {};
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"still there");
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(2, 2));
    DestroyWindow(window);
}

TEST(FormsKitStatusBar, SitsAtTheBottomAndFollowsTheFormsSize) {
    HookForm form;
    form.Load();
    ExpectAtTheBottom(form.StatusBar1);
    form.Show();
    form.Move(600, 600, 7000, 5000);
    ExpectAtTheBottom(form.StatusBar1);
    form.Move(300, 300, 9000, 6600);
    ExpectAtTheBottom(form.StatusBar1);
    EXPECT_TRUE(IsWindowVisible(form.StatusBar1.hwnd()));

    // Hidden while the form changes size, it comes back in the right place.
    form.StatusBar1.SetVisible(false);
    form.Move(300, 300, 6000, 4500);
    form.StatusBar1.SetVisible(true);
    ExpectAtTheBottom(form.StatusBar1);
    form.StatusBar1.SetPanelText(2, L"right");
    EXPECT_EQ(form.StatusBar1.PanelText(2), L"right");
}

// ---- Menus -----------------------------------------------------------------

namespace {
class MenuForm : public ui::Form {
public:
    ui::MenuBar bar;
    ui::Menu f, xmas, h;
    ui::MenuItem clear, cf, quit, noorm, statbar, help, abo;
    ui::Button Command1;
    int clearClicks = 0, quitClicks = 0, buttonClicks = 0;

protected:
    void CreateControls() override {
        Command1.Create(*this);
        Command1.Move(120, 120, 1200, 400);
        Command1.OnClick = [this] { ++buttonClicks; };
        bar.Create(*this);
        f.Create(bar, L"&File");
        clear.Create(f, L"&New");
        cf.Create(f, L"Count");
        f.AddSeparator();
        quit.Create(f, L"E&xit");
        xmas.Create(bar, L"&Option");
        noorm.Create(xmas, L"Write protection off");
        statbar.Create(xmas, L"Statusbar");
        h.Create(bar, L"&Help");
        help.Create(h, L"Help");
        h.AddSeparator();
        abo.Create(h, L"About");
        clear.OnClick = [this] { ++clearClicks; };
        quit.OnClick = [this] { ++quitClicks; };
        noorm.OnClick = [this] { noorm.SetChecked(!noorm.Checked()); };
    }
};

void Choose(const ui::Form& form, const ui::MenuItem& item) {
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(item.id(), 0), 0);
}
}  // namespace

TEST(FormsKitMenu, ChoicesReachTheirItemsAndNotTheControls) {
    MenuForm form;
    form.Load();
    EXPECT_EQ(GetMenu(form.hwnd()), form.bar.handle());
    EXPECT_GE(form.clear.id(), 1000u);
    EXPECT_NE(form.clear.id(), form.quit.id());
    Choose(form, form.quit);
    Choose(form, form.quit);
    Choose(form, form.clear);
    EXPECT_EQ(form.quitClicks, 2);
    EXPECT_EQ(form.clearClicks, 1);
    EXPECT_EQ(form.buttonClicks, 0);
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(form.Command1.id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Command1.hwnd()));
    EXPECT_EQ(form.buttonClicks, 1);
    EXPECT_EQ(form.quitClicks + form.clearClicks, 3);
}

TEST(FormsKitMenu, DisabledItemIgnoresChoicesAndCheckMarksToggle) {
    MenuForm form;
    form.Load();
    form.clear.SetEnabled(false);
    EXPECT_FALSE(form.clear.Enabled());
    EXPECT_TRUE(GetMenuState(form.f.handle(), form.clear.id(), MF_BYCOMMAND) & MF_GRAYED);
    Choose(form, form.clear);
    form.clear.Click();
    EXPECT_EQ(form.clearClicks, 0);
    form.clear.SetEnabled(true);
    Choose(form, form.clear);
    EXPECT_EQ(form.clearClicks, 1);

    EXPECT_FALSE(form.noorm.Checked());
    Choose(form, form.noorm);
    EXPECT_TRUE(form.noorm.Checked());
    EXPECT_TRUE(GetMenuState(form.xmas.handle(), form.noorm.id(), MF_BYCOMMAND) & MF_CHECKED);
    Choose(form, form.noorm);
    EXPECT_FALSE(form.noorm.Checked());
}

TEST(FormsKitMenu, CaptionsOfItemsAndMenus) {
    MenuForm form;
    form.Load();
    EXPECT_EQ(form.quit.Caption(), L"E&xit");
    form.quit.SetCaption(L"&Beenden");
    EXPECT_EQ(form.quit.Caption(), L"&Beenden");
    EXPECT_EQ(form.xmas.Caption(), L"&Option");
    form.xmas.SetCaption(L"O&ptionen");
    EXPECT_EQ(form.xmas.Caption(), L"O&ptionen");
    EXPECT_TRUE(form.h.Enabled());
    form.h.SetEnabled(false);
    EXPECT_FALSE(form.h.Enabled());
    EXPECT_TRUE(form.xmas.Enabled());
}

TEST(FormsKitMenu, PicturesByPositionSeparatorsCounted) {
    MenuForm form;
    form.Load();
    EXPECT_EQ(form.bar.ItemId(0, 3), form.quit.id());
    EXPECT_EQ(form.bar.ItemId(2, 2), form.abo.id());
    EXPECT_EQ(form.bar.ItemId(0, 2), 0u);  // the separator
    EXPECT_EQ(form.bar.ItemId(0, 4), 0u);
    EXPECT_EQ(form.bar.ItemId(5, 0), 0u);

    ui::MenuPicture exitPicture, helpPicture, missing;
    ASSERT_TRUE(exitPicture.Load(IDB_MENU_EXIT));
    ASSERT_TRUE(helpPicture.Load(IDB_MENU_HELP));
    EXPECT_FALSE(missing.Load(4321));
    BITMAP size{};
    GetObjectW(exitPicture.handle(), sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 13);
    EXPECT_EQ(size.bmHeight, 13);

    EXPECT_TRUE(form.bar.SetPictureAt(0, 3, exitPicture.handle()));
    EXPECT_FALSE(form.bar.SetPictureAt(0, 2, exitPicture.handle()));
    form.help.SetPicture(helpPicture.handle());
    auto pictures = [&](HMENU menu, UINT id) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_CHECKMARKS;
        GetMenuItemInfoW(menu, id, FALSE, &info);
        return std::make_pair(info.hbmpChecked, info.hbmpUnchecked);
    };
    EXPECT_EQ(pictures(form.f.handle(), form.quit.id()),
              std::make_pair(exitPicture.handle(), exitPicture.handle()));
    EXPECT_EQ(pictures(form.h.handle(), form.help.id()),
              std::make_pair(helpPicture.handle(), helpPicture.handle()));
    EXPECT_EQ(pictures(form.h.handle(), form.abo.id()),
              std::make_pair(HBITMAP{}, HBITMAP{}));
}

TEST(FormsKitMenu, TheProgramsPicturesAreThere) {
    for (int id : {IDB_MENU_EXIT, IDB_MENU_HELP, IDB_MENU_ABOUT}) {
        ui::MenuPicture picture;
        EXPECT_TRUE(picture.Load(id)) << id;
    }
    for (int id : {IDB_RENAME_IMAGE1, IDB_RENAME_IMAGE2}) {
        HANDLE bitmap = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP,
                                   0, 0, 0);
        EXPECT_NE(bitmap, nullptr) << id;
        if (bitmap) DeleteObject(bitmap);
    }
}

// ---- Busy cursor -----------------------------------------------------------

namespace {
class BusyForm : public ui::Form {
public:
    ui::Button Command1, Command2;
    ui::TextBox Text1;

protected:
    void CreateControls() override {
        Command1.Create(*this);
        Command2.Create(*this);
        Text1.Create(*this);
    }
};

HCURSOR ClassCursor(HWND window) {
    return reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
}

std::wstring BesideTheProgram(const std::wstring& name) {
    return base::ProgramFolder() + L"\\" + name;
}

// Sets the busy cursor from `file` and checks the three classes show it and
// get their own cursors back; returns the busy cursor.
HCURSOR BusyRoundTrip(const std::wstring& file) {
    BusyForm form;
    form.Load();
    HCURSOR formCursor = ClassCursor(form.hwnd());
    HCURSOR buttonCursor = ClassCursor(form.Command1.hwnd());
    HCURSOR editCursor = ClassCursor(form.Text1.hwnd());
    EXPECT_NE(buttonCursor, editCursor);
    ui::BusyCursor busy;
    busy.Remember({form.hwnd(), form.Command1.hwnd(), form.Text1.hwnd()}, file);
    EXPECT_FALSE(busy.On());
    busy.SetBusy();
    HCURSOR shown = busy.Cursor();
    EXPECT_TRUE(busy.On());
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(ClassCursor(form.hwnd()), shown);
    EXPECT_EQ(ClassCursor(form.Text1.hwnd()), shown);
    EXPECT_EQ(ClassCursor(form.Command2.hwnd()), shown);  // the whole class
    busy.SetBusy();  // already on: the same cursor stays
    EXPECT_EQ(busy.Cursor(), shown);
    busy.Restore();
    EXPECT_FALSE(busy.On());
    EXPECT_EQ(busy.Cursor(), nullptr);
    EXPECT_EQ(ClassCursor(form.hwnd()), formCursor);
    EXPECT_EQ(ClassCursor(form.Command1.hwnd()), buttonCursor);
    EXPECT_EQ(ClassCursor(form.Text1.hwnd()), editCursor);
    return shown;
}
}  // namespace

TEST(FormsKitBusyCursor, ShipsAnimatedCursorAndPutsTheClassCursorsBack) {
    std::wstring file = BesideTheProgram(L"hourglas.bin");
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no hourglas.bin beside the test program";
    HCURSOR shown = BusyRoundTrip(file);
    EXPECT_NE(shown, LoadCursorW(nullptr, IDC_WAIT));
}

TEST(FormsKitBusyCursor, BrokenOrMissingFileFallsBackToTheSystemWaitCursor) {
    std::wstring broken = BesideTheProgram(L"broken-cursor.bin");
    {
        // An animated cursor's header, cut short after the first chunk name.
        const char head[] = {'R', 'I', 'F', 'F', 0x10, 0, 0, 0, 'A', 'C', 'O', 'N', 'a', 'n', 'i', 'h'};
        std::ofstream out(broken.c_str(), std::ios::binary);
        out.write(head, sizeof head);
    }
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    EXPECT_EQ(BusyRoundTrip(broken), wait);
    DeleteFileW(broken.c_str());
    EXPECT_EQ(BusyRoundTrip(BesideTheProgram(L"no-such-cursor.bin")), wait);
    EXPECT_EQ(BusyRoundTrip(L""), wait);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), wait);  // the shared cursor was not destroyed
}

TEST(FormsKitBusyCursor, GoingAwayWhileOnPutsTheClassCursorsBack) {
    BusyForm form;
    form.Load();
    HCURSOR buttonCursor = ClassCursor(form.Command1.hwnd());
    {
        ui::BusyCursor busy;
        busy.Remember({form.Command1.hwnd()}, L"");
        busy.SetBusy();
        EXPECT_NE(ClassCursor(form.Command1.hwnd()), buttonCursor);
    }
    EXPECT_EQ(ClassCursor(form.Command1.hwnd()), buttonCursor);
}
