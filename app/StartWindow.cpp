#include "app/StartWindow.h"

#include <string>

#include "about/TipWindow.h"
#include "app/StartUp.h"
#include "base/Version.h"
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

using base::LoadText;
using base::Text;

DWORD StartWindow::FormStyle() const { return WS_POPUP; }

SIZE StartWindow::DesignSize() const { return SIZE{6300, 4500}; }

void StartWindow::CreateControls() {
    SetCaption(ui::AppTitle());
    backgroundImage.Create(*this, IDB_SCROLL);
    backgroundImage.Move(0, 0);
    versionLabel.Create(*this);
    versionLabel.SetTransparent(true);
    versionLabel.Move(2950, 1470, 1000, 255);
    choiceFrame.Create(*this);
    choiceFrame.SetTransparent(true);
    choiceFrame.Move(1800, 1800, 3300, 1230);
    listWindowOption.Create(*this, &choiceFrame, true);
    listWindowOption.SetTransparent(true);
    listWindowOption.Move(300, 280, 2800, 330);
    renameWindowOption.Create(*this, &choiceFrame);
    renameWindowOption.SetTransparent(true);
    renameWindowOption.Move(300, 720, 2800, 330);
    renameWindowOption.SetValue(true);
    okButton.Create(*this);
    okButton.Move(2100, 3195, 1275, 390);
    cancelButton.Create(*this);
    cancelButton.Move(3525, 3195, 1275, 390);
    SetDefaultButton(okButton);
    SetCancelButton(cancelButton);
    closingLabel.Create(*this);
    closingLabel.SetTransparent(true);
    closingLabel.Move(2950, 3660, 1500, 255);
    closingLabel.SetVisible(false);
    tipTimer.Create(*this, 500);
    focusTimer.Create(*this, 100);

    okButton.OnClick = [this] { OnOkClick(); };
    okButton.OnKeyDown = [this](int key, int shift) { OnOkKeyDown(key, shift); };
    cancelButton.OnClick = [this] { OnCancelClick(); };
    listWindowOption.OnClick = [this] { OnListWindowChosen(); };
    renameWindowOption.OnClick = [this] { OnRenameWindowChosen(); };
    tipTimer.OnTimer = [this] { OnTipTimer(); };
    focusTimer.OnTimer = [this] { OnFocusTimer(); };
}

void StartWindow::OnLoad() {
    try {
        LoadSequence();
    } catch (const base::RunError& error) {
        ui::MsgBox(hwnd(),
                   L"Nomaro Error " + std::to_wstring(error.number) + L"\r\nDescription = " +
                       error.description,
                   MB_OK | MB_ICONEXCLAMATION, ui::AppTitle());
    }
}

void StartWindow::LoadSequence() {
    TipOfDaySwitch = base::ReadIniValue(L"common", L"tipofday");
    CheckPrevInstance(*this);
    CentreOnScreen();
    base::ScreenResolution = base::ResolutionFromClass(ClassifyCurrentWorkArea());
    ShapeAsEllipse();
    SetCaptions();
    focusTimer.SetEnabled(true);
    if (gbl_GetFontRes() == L"Large") {
        MessageBeep(0);
        ui::MsgBox(hwnd(), LoadText(Text::LargeFontsRefused), MB_OK | MB_ICONSTOP,
                   LoadText(Text::WrongFontTitle));
        Unload();
        ui::EndProgram();
        return;
    }
    // Armed only once the checks have passed: a timer ticks inside the message
    // box of a refused start too, and a tip must not show over a program that ends.
    if (TipOfDaySwitch == L"true") tipTimer.SetEnabled(true);
}

void StartWindow::ShapeAsEllipse() {
    int width = ui::TwipsToPixelsX(Width());
    int height = ui::TwipsToPixelsY(Height());
    SetRegion(CreateEllipticRgn(40, 10, width, height));
}

void StartWindow::SetCaptions() {
    listWindowOption.SetCaption(LoadText(Text::ChoosePrintOrSave));
    renameWindowOption.SetCaption(LoadText(Text::ChooseRename));
    cancelButton.SetCaption(LoadText(Text::Cancel));
    okButton.SetCaption(LoadText(Text::Ok));
    versionLabel.SetCaption(L"Ver. " NOMARO_SHORT_VERSION);
}

void StartWindow::OnOkClick() {
    ui::OpenMainWindow(listWindowOption.Value() ? ui::MainWindow::List : ui::MainWindow::Rename);
    Unload();
}

void StartWindow::OnOkKeyDown(int keyCode, int) {
    if (keyCode == VK_F1) base::ShowHelpTopic(L"html\\file1vvo.htm");
}

void StartWindow::OnCancelClick() {
    closingLabel.SetCaption(base::UiLanguage() == base::Language::Swedish ? L"Avslutar..." : L"Closing...");
    closingLabel.SetVisible(true);
    Refresh();
    Unload();
}

void StartWindow::OnListWindowChosen() { focusTimer.SetEnabled(true); }
void StartWindow::OnRenameWindowChosen() { focusTimer.SetEnabled(true); }

void StartWindow::OnTipTimer() {
    tipTimer.SetEnabled(false);
    about::TipWindow tip;
    tip.ShowModal(this);
}

void StartWindow::OnFocusTimer() {
    focusTimer.SetEnabled(false);
    okButton.SetFocus();
}

}  // namespace app
