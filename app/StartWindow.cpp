#include "app/StartWindow.h"

#include <string>

#include "app/StartUp.h"
#include "app/Version.h"
#include "base/Display.h"
#include "base/RunError.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "resources/resource.h"
#include "ui/App.h"
#include "ui/MainWindows.h"
#include "ui/MsgBox.h"
#include "ui/Screen.h"

namespace app {

DWORD Scroll::FormStyle() const { return WS_POPUP; }

SIZE Scroll::DesignSize() const { return SIZE{6300, 4500}; }

void Scroll::CreateControls() {
    SetCaption(ui::AppTitle());
    Image1.Create(*this, IDB_SCROLL);
    Image1.Move(0, 0);
    Label1.Create(*this);
    Label1.SetTransparent(true);
    Label1.Move(2950, 1470, 1000, 255);
    Frame1.Create(*this);
    Frame1.SetTransparent(true);
    Frame1.Move(1800, 1800, 3300, 1230);
    Option1.Create(*this, &Frame1, true);
    Option1.SetTransparent(true);
    Option1.Move(300, 280, 2800, 330);
    Option2.Create(*this, &Frame1);
    Option2.SetTransparent(true);
    Option2.Move(300, 720, 2800, 330);
    Option2.SetValue(true);
    Command1.Create(*this);
    Command1.Move(2100, 3195, 1275, 390);
    Command2.Create(*this);
    Command2.Move(3525, 3195, 1275, 390);
    SetDefaultButton(Command1);
    SetCancelButton(Command2);
    Label5.Create(*this);
    Label5.SetTransparent(true);
    Label5.Move(2950, 3660, 1500, 255);
    Label5.SetVisible(false);
    Timer3.Create(*this, 500);
    Timer4.Create(*this, 100);

    Command1.OnClick = [this] { Command1_Click(); };
    Command1.OnKeyDown = [this](int key, int shift) { Command1_KeyDown(key, shift); };
    Command2.OnClick = [this] { Command2_Click(); };
    Option1.OnClick = [this] { Option1_Click(); };
    Option2.OnClick = [this] { Option2_Click(); };
    Timer3.OnTimer = [this] { Timer3_Timer(); };
    Timer4.OnTimer = [this] { Timer4_Timer(); };
}

void Scroll::Form_Load() {
    try {
        LoadSequence();
    } catch (const base::RunError& error) {
        ui::MsgBox(hwnd(),
                   L"Nomaro Error " + std::to_wstring(error.number) + L"\r\nDescription = " +
                       error.description,
                   MB_OK | MB_ICONEXCLAMATION, ui::AppTitle());
    }
}

void Scroll::LoadSequence() {
    TipOfDaySwitch = base::ReadIniValue(L"common", L"tipofday");
    if (TipOfDaySwitch == L"true") Timer3.SetEnabled(true);
    CheckPrevInstance(*this);
    CentreOnScreen();
    base::ScreenResolution = base::ResolutionFromClass(ClassifyCurrentWorkArea());
    ShapeAsEllipse();
    SetCaptions();
    Timer4.SetEnabled(true);
    if (gbl_GetFontRes() == L"Large") {
        MessageBeep(0);
        ui::MsgBox(hwnd(), base::LoadText(base::Text::LargeFontsRefused), MB_OK | MB_ICONSTOP, base::LoadText(base::Text::WrongFontTitle));
        Unload();
        ui::EndProgram();
    }
}

void Scroll::ShapeAsEllipse() {
    int width = base::TwipsToPixels(Width(), ui::TwipsPerPixelX());
    int height = base::TwipsToPixels(Height(), ui::TwipsPerPixelY());
    SetRegion(CreateEllipticRgn(40, 10, width, height));
}

void Scroll::SetCaptions() {
    Option1.SetCaption(base::LoadText(base::Text::ChoosePrintOrSave));
    Option2.SetCaption(base::LoadText(base::Text::ChooseRename));
    Command2.SetCaption(base::LoadText(base::Text::Cancel));
    Command1.SetCaption(base::LoadText(base::Text::Ok));
    Label1.SetCaption(L"Ver. " + std::to_wstring(kVersionMajor) + L"." +
                      std::to_wstring(kVersionMinor));
}

void Scroll::Command1_Click() {
    ui::OpenMainWindow(Option1.Value() ? ui::MainWindow::List : ui::MainWindow::Rename);
    Unload();
}

void Scroll::Command1_KeyDown(int keyCode, int) {
    if (keyCode == VK_F1) base::ShowHelpTopic(L"html\\file1vvo.htm");
}

void Scroll::Command2_Click() {
    Label5.SetCaption(base::UiLanguage() == base::Language::Swedish ? L"Avslutar..." : L"Closing...");
    Label5.SetVisible(true);
    Refresh();
    Unload();
}

void Scroll::Option1_Click() { Timer4.SetEnabled(true); }
void Scroll::Option2_Click() { Timer4.SetEnabled(true); }

// The tip window arrives with its own module; until then the tick only ends the timer.
void Scroll::Timer3_Timer() { Timer3.SetEnabled(false); }

void Scroll::Timer4_Timer() {
    Timer4.SetEnabled(false);
    Command1.SetFocus();
}

}  // namespace app
