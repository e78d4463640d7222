// The start window with real controls and real keys through the program's own message loop.
#include <windows.h>
#include <msxml2.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

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
using base::Text;

namespace {
void Pump(DWORD milliseconds) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10)) ui::DoEvents();
}

class StartWindow : public testing::Test {
protected:
    void SetUp() override {
        app::InstallWindows();
        DeleteFileW(base::SettingsFilePath().c_str());
    }
    void TearDown() override {
        testing_support::ScriptedPrompts exitQuestion;
        if (ui::Form* window = ui::CurrentMainWindow()) window->Unload();
        DeleteFileW(base::SettingsFilePath().c_str());
    }

    // Shows the window, lets the focus reach OK and presses a key there.
    void PressKeyOnOk(app::StartWindow& window, WPARAM key) {
        window.Show();
        SetForegroundWindow(window.hwnd());
        ASSERT_TRUE(window.focusTimer.FireNow());
        EXPECT_TRUE(window.okButton.HasFocus());
        PostMessageW(window.okButton.hwnd(), WM_KEYDOWN, key, 1);
        PostMessageW(window.okButton.hwnd(), WM_KEYUP, key, 0xC0000001);
        Pump(50);
    }

    app::StartWindow start;
};
}  // namespace

TEST_F(StartWindow, LoadsAsACentredEllipseWithTheRenameChoice) {
    start.Load();
    EXPECT_EQ(start.versionLabel.Caption(), L"Ver. 3.1");
    EXPECT_TRUE(start.renameWindowOption.Value() && start.focusTimer.Enabled());
    EXPECT_FALSE(start.listWindowOption.Value() || start.closingLabel.Visible() || start.tipTimer.Enabled());
    EXPECT_EQ(SendMessageW(start.hwnd(), DM_GETDEFID, 0, 0), MAKELRESULT(start.okButton.id(), DC_HASDEFID));

    // An ellipse within the window: its centre is in the region, the corners of its box are not.
    base::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(start.hwnd(), region.get()), ERROR);
    RECT window, box;
    GetWindowRect(start.hwnd(), &window);
    GetRgnBox(region.get(), &box);
    EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= window.right - window.left &&
                box.bottom <= window.bottom - window.top);
    EXPECT_TRUE(PtInRegion(region.get(), (box.left + box.right) / 2, (box.top + box.bottom) / 2));
    EXPECT_FALSE(PtInRegion(region.get(), box.left + 2, box.top + 2)) << "an ellipse, not its box";
    EXPECT_NEAR(start.Left(), base::CentredOffset(ui::ScreenWidthTwips(), start.Width()), ui::TwipsPerPixelX());
    EXPECT_NEAR(start.Top(), base::CentredOffset(ui::ScreenHeightTwips(), start.Height()), ui::TwipsPerPixelY());
}

TEST_F(StartWindow, EnterAtOnceOpensTheRenameWindow) {
    PressKeyOnOk(start, VK_RETURN);
    EXPECT_FALSE(start.IsLoaded());
    ASSERT_NE(ui::CurrentMainWindow(), nullptr);
    EXPECT_EQ(ui::CurrentMainWindow()->Caption(), LoadText(Text::RenameWindowCaption));
    EXPECT_EQ(std::pair(IsWindowVisible(ui::CurrentMainWindow()->hwnd()) != FALSE, ui::Form::LoadedCount()),
              std::pair(true, 1));
}

TEST_F(StartWindow, ChoosingArmsTheFocusOnOkWhichOpensTheListWindow) {
    start.Show();
    start.listWindowOption.SetFocus();
    ASSERT_TRUE(start.focusTimer.FireNow());
    EXPECT_TRUE(start.okButton.HasFocus() && !start.focusTimer.Enabled());
    start.listWindowOption.SetValue(true);
    EXPECT_TRUE(start.focusTimer.Enabled() && !start.renameWindowOption.Value());
    start.okButton.Click();
    EXPECT_FALSE(start.IsLoaded());
    ASSERT_NE(ui::CurrentMainWindow(), nullptr);
    EXPECT_EQ(ui::CurrentMainWindow()->Caption(), L"Noma Ro 3.1  (Print & Save)");
}

TEST_F(StartWindow, CancelAndEscapeCloseEverything) {
    start.Show();
    start.cancelButton.Click();
    EXPECT_EQ(ui::CurrentMainWindow(), nullptr);
    app::StartWindow again;
    PressKeyOnOk(again, VK_ESCAPE);
    for (app::StartWindow* window : {&start, &again}) EXPECT_FALSE(window->IsLoaded());
    EXPECT_EQ(ui::Form::LoadedCount(), 0);
}

namespace {
// The person at the tip window presses OK.
bool gTipShown = false;
void CALLBACK CloseTip(HWND, UINT, UINT_PTR, DWORD) {
    HWND tip = FindWindowW(nullptr, L"Tip of the Day");
    if (!tip || gTipShown) return;
    gTipShown = true;
    SendMessageW(FindWindowExW(tip, nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
}
}  // namespace

// Only "true" arms the tip timer; its tick shows the tip window over the start window, once.
TEST_F(StartWindow, TipSwitchArmsTheTimerThatShowsTheTipOnce) {
    for (const std::wstring value : {L"true", L"false", L"True", L""}) {
        base::WriteIniValue(L"common", L"tipofday", value);
        app::StartWindow window;
        window.Load();
        EXPECT_EQ(window.tipTimer.Enabled(), value == L"true") << testing::PrintToString(value);
    }
    base::WriteIniValue(L"common", L"tipofday", L"true");
    app::StartWindow first;
    first.Show();
    gTipShown = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseTip);
    EXPECT_TRUE(first.tipTimer.FireNow());
    KillTimer(nullptr, timer);
    EXPECT_TRUE(gTipShown && !first.tipTimer.Enabled());
}

TEST_F(StartWindow, F1OnOkOpensTheHelpWindow) {
    PressKeyOnOk(start, VK_F1);
    HWND help = nullptr;
    for (int i = 0; i < 100 && !help; ++i, Pump(20)) help = FindWindowW(L"HH Parent", nullptr);
    ASSERT_NE(help, nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(help, &process);
    EXPECT_EQ(process, GetCurrentProcessId());
    EXPECT_TRUE(start.IsLoaded()) << "the help window lives on its own";
    PostMessageW(help, WM_CLOSE, 0, 0);
    Pump(100);
}

// Wine takes the user name from WINEUSERNAME; one longer than the first buffer comes back whole, twice.
TEST(LoginName, IsTheLoggedOnUserWholeAndStaysTheSame) {
    const std::wstring longName = L"a-user-name-much-longer-than-twenty-five-characters";
    SetEnvironmentVariableW(L"WINEUSERNAME", longName.c_str());
    EXPECT_EQ(std::pair(base::GetLoginName(), base::GetLoginName()), std::pair(longName, longName));
}

// MinGW's header names no interface id for it.
__CRT_UUID_DECL(IXMLDOMDocument2, 0x2933bf95, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60)

namespace {
struct Bstr {  // a string for the parser's calls, freed with the statement that made it
    BSTR text;
    explicit Bstr(const std::wstring& value) : text(SysAllocString(value.c_str())) {}
    ~Bstr() { SysFreeString(text); }
};

// The text of each node an XPath expression selects in `document`.
std::set<std::wstring> Selected(IXMLDOMDocument2& document, const wchar_t* path) {
    std::set<std::wstring> texts;
    IXMLDOMNodeList* nodes = nullptr;
    if (SUCCEEDED(document.selectNodes(Bstr(path).text, &nodes)) && nodes) {
        for (IXMLDOMNode* node = nullptr; nodes->nextNode(&node) == S_OK && node; node->Release()) {
            BSTR text = nullptr;
            node->get_text(&text);
            texts.insert(text ? text : L"");
            SysFreeString(text);
        }
        nodes->Release();
    }
    return texts;
}
}  // namespace

// The built program carries its application manifest (resource 1 of type
// RT_MANIFEST), well-formed XML read by the system's XML parser: it runs
// with the rights of the user who starts it, names Windows 7 to 11, is
// unaware of the screen's scaling with GDI scaling, and asks for no
// common controls of version 6.
TEST(ProgramManifest, IsEmbeddedAndStatesRightsSystemsAndScaling) {
    HMODULE program = LoadLibraryExA(NOMARO_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr) << NOMARO_PROGRAM;
    HRSRC found = FindResourceW(program, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    std::string xml;
    if (found)
        xml.assign(static_cast<const char*>(LockResource(LoadResource(program, found))), SizeofResource(program, found));
    FreeLibrary(program);
    ASSERT_FALSE(xml.empty()) << "no manifest";

    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    CLSID parser{};
    IXMLDOMDocument2* document = nullptr;
    ASSERT_TRUE(SUCCEEDED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &parser)));
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(parser, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IXMLDOMDocument2),
                                           reinterpret_cast<void**>(&document))));
    document->put_async(VARIANT_FALSE);
    VARIANT_BOOL parsed = VARIANT_FALSE;
    document->loadXML(Bstr(std::wstring(xml.begin(), xml.end())).text, &parsed);
    EXPECT_EQ(parsed, VARIANT_TRUE) << xml;
    const std::pair<const wchar_t*, const wchar_t*> properties[] = {
        {L"SelectionLanguage", L"XPath"},
        {L"SelectionNamespaces",
         L"xmlns:a='urn:schemas-microsoft-com:asm.v1' xmlns:v3='urn:schemas-microsoft-com:asm.v3' "
         L"xmlns:c='urn:schemas-microsoft-com:compatibility.v1' "
         L"xmlns:w5='http://schemas.microsoft.com/SMI/2005/WindowsSettings' "
         L"xmlns:w7='http://schemas.microsoft.com/SMI/2017/WindowsSettings'"}};
    for (const auto& [name, value] : properties) {
        const Bstr text(value);
        VARIANT setting{};
        setting.vt = VT_BSTR;
        setting.bstrVal = text.text;
        document->setProperty(Bstr(name).text, setting);
    }
    const std::pair<const wchar_t*, std::set<std::wstring>> expected[] = {
        {L"/a:assembly/v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel/@level",
         {L"asInvoker"}},
        {L"/a:assembly/c:compatibility/c:application/c:supportedOS/@Id",
         {L"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",    // Windows 7
          L"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",    // Windows 8
          L"{1f676c76-80e1-4239-95bb-83d0f6d0da78}",    // Windows 8.1
          L"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}},  // Windows 10 and 11
        {L"/a:assembly/v3:application/v3:windowsSettings/w5:dpiAware", {L"false"}},
        {L"/a:assembly/v3:application/v3:windowsSettings/w7:gdiScaling", {L"true"}},
        {L"//a:dependency", {}},  // no common controls of version 6
    };
    for (const auto& [path, texts] : expected) EXPECT_EQ(Selected(*document, path), texts) << std::wstring(path);
    document->Release();
    CoUninitialize();
}
