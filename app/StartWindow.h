// The start window: an elliptic picture window that checks the desktop and
// offers the choice of the two main windows.
#pragma once
#include "ui/Controls.h"
#include "ui/Form.h"

namespace app {

// The form `Scroll`.
class StartWindow : public ui::Form {
public:
    ui::Image backgroundImage;            // Image1: the scroll picture
    ui::Label versionLabel;               // Label1: "Ver. 3.1"
    ui::Frame choiceFrame;                // Frame1: holds the two choices
    ui::OptionButton listWindowOption;    // Option1: the filename list window
    ui::OptionButton renameWindowOption;  // Option2: the rename window (preselected)
    ui::Button okButton;                  // Command1: opens the chosen window
    ui::Button cancelButton;              // Command2: closes the program
    ui::Label closingLabel;               // Label5: closing notice, hidden until Cancel
    ui::Timer tipTimer;                   // Timer3: opens the tip of the day
    ui::Timer focusTimer;                 // Timer4: moves the focus to OK

    void OnOkClick();
    void OnOkKeyDown(int keyCode, int shift);
    void OnCancelClick();
    void OnListWindowChosen();
    void OnRenameWindowChosen();
    void OnTipTimer();
    void OnFocusTimer();

protected:
    void CreateControls() override;
    void OnLoad() override;
    DWORD FormStyle() const override;
    SIZE DesignSize() const override;

private:
    void LoadSequence();
    void ShapeAsEllipse();
    void SetCaptions();
};

}  // namespace app
