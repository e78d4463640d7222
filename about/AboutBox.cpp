#include "about/AboutBox.h"

#include <commctrl.h>

#include "about/SystemInfo.h"
#include "base/Texts.h"
#include "resources/resource.h"
#include "ui/App.h"
#include "ui/MsgBox.h"

namespace about {

namespace {
const wchar_t* const kHelpTopic = L"html\\file15f8.htm";
}  // namespace

void IconBox::Create(ui::Form& form, int iconResourceId) {
    CreateWindowOf(form, WC_STATICW, SS_ICON, 0, nullptr);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResourceId),
                                               IMAGE_ICON, 32, 32, LR_SHARED));
    SendMessageW(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void Separator::Create(ui::Form& form) { CreateWindowOf(form, WC_STATICW, SS_ETCHEDHORZ, 0, nullptr); }

SIZE AboutBox::DesignSize() const { return OuterSizeForClient(5730, 3795); }

void AboutBox::CreateControls() {
    iconBox.Create(*this, IDI_NOMARO);
    iconBox.Move(240, 240, 480, 480);
    titleLabel.Create(*this);
    titleLabel.Move(1050, 240, 4440, 300);
    versionLabel.Create(*this);
    versionLabel.Move(1050, 600, 4440, 255);
    descriptionLabel.Create(*this);
    descriptionLabel.Move(1050, 960, 4440, 780);
    upperLine.Create(*this);
    upperLine.Move(120, 1920, 5490, 30);
    disclaimerLabel.Create(*this);
    disclaimerLabel.Move(240, 2130, 3780, 1425);
    okButton.Create(*this);
    okButton.Move(4245, 2130, 1260, 375);
    systemInfoButton.Create(*this);
    systemInfoButton.Move(4245, 2625, 1260, 375);
    helpButton.Create(*this);
    helpButton.Move(4245, 3120, 1260, 375);
    lowerLine.Create(*this);
    lowerLine.Move(120, 3615, 5490, 30);
    SetDefaultButton(okButton);
    SetCancelButton(okButton);

    okButton.OnClick = [this] { Unload(); };
    systemInfoButton.OnClick = [this] { OnSystemInfoClick(); };
    helpButton.OnClick = [this] { OnHelpClick(); };
}

void AboutBox::OnLoad() {
    CentreOnScreen();
    const std::wstring title = ui::AppTitle();
    SetCaption(L"About " + title);
    titleLabel.SetCaption(title);
    versionLabel.SetCaption(L"Version " + ProgramVersion());
    descriptionLabel.SetCaption(base::LoadText(base::Text::MainFeatures));
    disclaimerLabel.SetCaption(
        L"Warning: this program is protected by copyright law. Copying or passing it on, in whole "
        L"or in part, without the makers' permission is not allowed.");
    okButton.SetCaption(L"OK");
    systemInfoButton.SetCaption(L"&System Info...");
    helpButton.SetCaption(L"Help");
}

void AboutBox::OnSystemInfoClick() {
    if (!StartSysInfo())
        ui::MsgBox(hwnd(), L"System Information Is Unavailable At This Time", MB_OK, ui::AppTitle());
}

void AboutBox::OnHelpClick() { base::ShowHelpTopic(kHelpTopic); }

void ShowAboutBox(HWND owner) {
    AboutBox box;
    box.ShowModalOver(owner);
}

}  // namespace about
