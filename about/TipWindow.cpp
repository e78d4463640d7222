#include "about/TipWindow.h"

#include <random>

#include "about/Tips.h"
#include "base/Ansi.h"
#include "base/Module.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "base/WholeFiles.h"
#include "resources/resource.h"

namespace about {

std::wstring TipFilePath() {
    const wchar_t* file = L"TIPOFDAY.TXT";
    switch (base::UiLanguage()) {
    case base::Language::German: file = L"TIPOFDAY3.TXT"; break;
    case base::Language::Swedish: file = L"TIPOFDAY2.TXT"; break;
    default: break;
    }
    return base::JoinPath(base::ProgramFolder(), file);
}

SIZE TipWindow::DesignSize() const { return OuterSizeForClient(5415, 3285); }

void TipWindow::CreateControls() {
    SetCaption(L"Tip of the Day");
    iconBox.Create(*this, IDI_NOMARO);
    iconBox.Move(240, 240, 480, 480);
    headingLabel.Create(*this);
    headingLabel.Move(960, 240, 4215, 300);
    tipLabel.Create(*this);
    tipLabel.Move(960, 660, 4215, 1815);
    showAtStartBox.Create(*this);
    showAtStartBox.Move(240, 2700, 2400, 315);
    nextTipButton.Create(*this);
    nextTipButton.Move(2730, 2655, 1215, 375);
    okButton.Create(*this);
    okButton.Move(4020, 2655, 1155, 375);
    SetDefaultButton(okButton);
    SetCancelButton(okButton);

    nextTipButton.OnClick = [this] { OnNextTipClick(); };
    okButton.OnClick = [this] { Unload(); };
}

void TipWindow::OnLoad() {
    headingLabel.SetCaption(L"Did you know...");
    showAtStartBox.SetCaption(L"&Show tip at start");
    showAtStartBox.SetValue(true);
    nextTipButton.SetCaption(L"&Next Tip");
    okButton.SetCaption(L"OK");
    CentreOnScreen();
    LoadTips(TipFilePath());  // without a file the window shows no tip
}

void TipWindow::OnUnload() {
    base::WriteIniValue(L"common", L"tipofday", showAtStartBox.Value() ? L"true" : L"false");
}

bool TipWindow::LoadTips(const std::wstring& fileName) {
    if (fileName.empty()) return false;
    const DWORD attributes = GetFileAttributesW(fileName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const std::vector<std::wstring> lines = SplitTipLines(base::FromAnsi(base::ReadWholeFile(fileName)));
    tips_.insert(tips_.end(), lines.begin(), lines.end());
    ChooseRandomTip();
    return true;
}

void TipWindow::OnNextTipClick() { ChooseRandomTip(); }

void TipWindow::ChooseRandomTip() {
    static std::mt19937 random{std::random_device{}()};
    const double r = std::uniform_real_distribution<double>(0.0, 1.0)(random);
    currentTip_ = ChosenTipPosition(r, tips_.size());
    DisplayCurrentTip();
}

void TipWindow::DisplayCurrentTip() {
    if (!tips_.empty() && currentTip_ >= 1) tipLabel.SetCaption(tips_[currentTip_ - 1]);
}

}  // namespace about
