// The forms kit on real windows: modal showing, timers, option groups,
// frames, unloading.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "ui/App.h"
#include "ui/Controls.h"
#include "ui/Form.h"
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
