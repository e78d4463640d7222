// The start window as a user meets it: real window, real controls, real keys
// through the program's own message handling.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/StartUp.h"
#include "app/StartWindow.h"
#include "app/Wiring.h"
#include "base/Display.h"
#include "base/LoginName.h"
#include "base/Scoped.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "tests/win/prompts.h"
#include "ui/App.h"
#include "ui/MainWindows.h"
#include "ui/Screen.h"

using base::LoadText;

namespace {
void Pump(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    do {
        ui::DoEvents();
        Sleep(10);
    } while (GetTickCount() < end);
}

// Presses a key in a control, as the keyboard does when the control has the
// focus: through the program's own message loop.
void PressKey(const ui::Control& control, WPARAM key) {
    PostMessageW(control.hwnd(), WM_KEYDOWN, key, 1);
    PostMessageW(control.hwnd(), WM_KEYUP, key, 0xC0000001);
    Pump(50);
}

// Closes the main window a test opened, confirming its exit question.
void CloseMainWindow() {
    testing_support::ScriptedPrompts prompts;
    if (ui::Form* window = ui::CurrentMainWindow()) window->Unload();
}

class StartWindow : public testing::Test {
protected:
    void SetUp() override {
        app::InstallWindows();
        DeleteFileW(base::SettingsFilePath().c_str());
    }
    void TearDown() override {
        CloseMainWindow();
        DeleteFileW(base::SettingsFilePath().c_str());
    }
    app::StartWindow start;
};
}  // namespace

TEST_F(StartWindow, CaptionsAndTheRenameChoicePreselected) {
    using base::Text;
    start.Load();
    EXPECT_EQ(start.listWindowOption.Caption(), LoadText(Text::ChoosePrintOrSave));
    EXPECT_EQ(start.renameWindowOption.Caption(), LoadText(Text::ChooseRename));
    EXPECT_EQ(start.okButton.Caption(), LoadText(Text::Ok));
    EXPECT_EQ(start.cancelButton.Caption(), LoadText(Text::Cancel));
    EXPECT_EQ(start.versionLabel.Caption(), L"Ver. 3.1");
    EXPECT_TRUE(start.renameWindowOption.Value());
    EXPECT_FALSE(start.listWindowOption.Value());
    EXPECT_FALSE(start.closingLabel.Visible());
    LRESULT defaultId = SendMessageW(start.hwnd(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(defaultId), DC_HASDEFID);
    EXPECT_EQ(LOWORD(defaultId), start.okButton.id());
    EXPECT_TRUE(start.focusTimer.Enabled());
    EXPECT_FALSE(start.tipTimer.Enabled());
}

TEST_F(StartWindow, IsAnEllipseCentredOnTheScreen) {
    start.Load();
    base::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(start.hwnd(), region.get()), ERROR);
    RECT window;
    GetWindowRect(start.hwnd(), &window);
    // The ellipse's box runs from (40, 10) to the window's far corner.
    const long width = window.right - window.left, height = window.bottom - window.top;
    base::GdiObject<HRGN> expected(CreateEllipticRgn(40, 10, width, height));
    RECT box, expectedBox;
    GetRgnBox(region.get(), &box);
    GetRgnBox(expected.get(), &expectedBox);
    EXPECT_TRUE(EqualRect(&box, &expectedBox));
    EXPECT_FALSE(PtInRegion(region.get(), 42, 12)) << "an ellipse, not its box";
    EXPECT_TRUE(PtInRegion(region.get(), (width + 40) / 2, (height + 10) / 2));

    long tolerance = ui::TwipsPerPixelX();
    EXPECT_NEAR(start.Left(), base::CentredOffset(ui::ScreenWidthTwips(), start.Width()), tolerance);
    EXPECT_NEAR(start.Top(), base::CentredOffset(ui::ScreenHeightTwips(), start.Height()), tolerance);
}

TEST_F(StartWindow, SetsTheLayoutFromTheWorkArea) {
    base::ScreenResolution = L"unset";
    start.Load();
    EXPECT_EQ(base::ScreenResolution, base::ResolutionFromClass(app::ClassifyCurrentWorkArea()));
}

TEST_F(StartWindow, FocusMovesToOkAndChoosingArmsTheFocusAgain) {
    start.Show();
    start.listWindowOption.SetFocus();
    ASSERT_TRUE(start.focusTimer.FireNow());
    EXPECT_TRUE(start.okButton.HasFocus());
    EXPECT_FALSE(start.focusTimer.Enabled());
    start.listWindowOption.SetValue(true);
    EXPECT_TRUE(start.focusTimer.Enabled());
    EXPECT_FALSE(start.renameWindowOption.Value());
}

TEST_F(StartWindow, EnterAtOnceOpensTheRenameWindow) {
    start.Show();
    SetForegroundWindow(start.hwnd());
    start.focusTimer.FireNow();
    EXPECT_TRUE(start.okButton.HasFocus());
    PressKey(start.okButton, VK_RETURN);
    EXPECT_FALSE(start.IsLoaded());
    ASSERT_NE(ui::CurrentMainWindow(), nullptr);
    EXPECT_EQ(ui::CurrentMainWindow()->Caption(), LoadText(base::Text::RenameWindowCaption));
    EXPECT_TRUE(IsWindowVisible(ui::CurrentMainWindow()->hwnd()));
    EXPECT_EQ(ui::Form::LoadedCount(), 1);
}

TEST_F(StartWindow, OkOnTheListChoiceOpensTheListWindow) {
    start.Show();
    start.listWindowOption.SetValue(true);
    start.okButton.Click();
    EXPECT_FALSE(start.IsLoaded());
    ASSERT_NE(ui::CurrentMainWindow(), nullptr);
    EXPECT_EQ(ui::CurrentMainWindow()->Caption(), L"Noma Ro 3.1  (Print & Save)");
}

TEST_F(StartWindow, CancelAndEscapeCloseEverything) {
    start.Show();
    start.cancelButton.Click();
    EXPECT_FALSE(start.IsLoaded());
    EXPECT_EQ(ui::Form::LoadedCount(), 0);
    EXPECT_EQ(ui::CurrentMainWindow(), nullptr);

    app::StartWindow again;
    again.Show();
    SetForegroundWindow(again.hwnd());
    again.focusTimer.FireNow();
    PressKey(again.okButton, VK_ESCAPE);
    EXPECT_FALSE(again.IsLoaded());
    EXPECT_EQ(ui::Form::LoadedCount(), 0);
}

TEST_F(StartWindow, TipSwitchArmsTheTipTimerOnlyForTrue) {
    base::WriteIniValue(L"common", L"tipofday", L"true");
    start.Load();
    EXPECT_EQ(app::TipOfDaySwitch, L"true");
    EXPECT_TRUE(start.tipTimer.Enabled());
    EXPECT_EQ(start.tipTimer.Interval(), 500u);
    EXPECT_TRUE(start.tipTimer.FireNow());
    EXPECT_FALSE(start.tipTimer.Enabled());
    start.Unload();

    for (const wchar_t* value : {L"false", L"True", L""}) {
        base::WriteIniValue(L"common", L"tipofday", value);
        app::StartWindow other;
        other.Load();
        EXPECT_FALSE(other.tipTimer.Enabled()) << value;
    }
}

TEST_F(StartWindow, F1OnOkOpensTheHelpWindow) {
    start.Show();
    SetForegroundWindow(start.hwnd());
    start.focusTimer.FireNow();
    PressKey(start.okButton, VK_F1);
    HWND help = nullptr;
    for (int i = 0; i < 100 && !help; ++i) {
        Pump(20);
        help = FindWindowW(L"HH Parent", nullptr);
    }
    ASSERT_NE(help, nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(help, &process);
    EXPECT_EQ(process, GetCurrentProcessId());
    // The help window lives on its own: the start window stays as it was.
    EXPECT_TRUE(start.IsLoaded());
    PostMessageW(help, WM_CLOSE, 0, 0);
    Pump(100);
}

namespace {
class ListForm : public ui::Form {
public:
    ui::ListBox List1;

protected:
    void CreateControls() override { List1.Create(*this); }
};
}  // namespace

TEST(ListContains, ComparesEveryEntryExactly) {
    ListForm form;
    form.Load();
    EXPECT_FALSE(ui::ListContains(form.List1, L"a.txt"));
    for (const wchar_t* item : {L"b.txt", L"A.txt", L"c.txt"}) form.List1.AddItem(item);
    for (const wchar_t* present : {L"A.txt", L"c.txt"}) EXPECT_TRUE(ui::ListContains(form.List1, present));
    for (const wchar_t* absent : {L"a.txt", L"c.tx", L""}) EXPECT_FALSE(ui::ListContains(form.List1, absent));
}

TEST(LoginName, IsTheLoggedOnUserAndStaysTheSame) {
    wchar_t name[256];
    DWORD size = 256;
    ASSERT_TRUE(GetUserNameW(name, &size));
    EXPECT_EQ(base::GetLoginName(), name);
    EXPECT_EQ(base::GetLoginName(), name);
}

TEST(LoginName, ALongNameComesBackWhole) {
    // Wine takes the user name from this variable; a fresh process runs each test.
    const std::wstring longName = L"a-user-name-much-longer-than-twenty-five-characters";
    SetEnvironmentVariableW(L"WINEUSERNAME", longName.c_str());
    EXPECT_EQ(base::GetLoginName(), longName);
    EXPECT_EQ(base::GetLoginName(), longName);
}
