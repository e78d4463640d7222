// The tip of the day: one random tip from the language's tip file, shown
// over the start window, with a switch for showing it at the next starts.
#pragma once
#include <string>
#include <vector>

#include "about/AboutBox.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace about {

// The tip file of the user-interface language, in the program folder.
std::wstring TipFilePath();

// The form frmTip.
class TipWindow : public ui::Form {
public:
    IconBox iconBox;                 // Picture1
    ui::Label headingLabel;          // Label1: "Did you know..."
    ui::Label tipLabel;              // lblTipText: the current tip
    ui::CheckBox showAtStartBox;     // chkLoadTipsAtStartup: checked when the window opens
    ui::Button nextTipButton;        // cmdNextTip
    ui::Button okButton;             // cmdOK: closes the window (Enter and Esc)

    // Reads the tips of `fileName` (ANSI, one tip a line) and shows a random
    // one; false when the name is empty or names no file.
    bool LoadTips(const std::wstring& fileName);
    void OnNextTipClick();

    const std::vector<std::wstring>& Tips() const { return tips_; }

protected:
    void CreateControls() override;
    void OnLoad() override;
    void OnUnload() override;
    SIZE DesignSize() const override;

private:
    void ChooseRandomTip();
    void DisplayCurrentTip();

    std::vector<std::wstring> tips_;
    size_t currentTip_ = 0;  // position from 1; 0 before the first choice
};

}  // namespace about
