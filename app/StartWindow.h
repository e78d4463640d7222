// The start window: an elliptic picture window that checks the desktop and
// offers the choice of the two main windows.
#pragma once
#include "ui/Controls.h"
#include "ui/Form.h"

namespace app {

class Scroll : public ui::Form {
public:
    ui::Image Image1;          // background picture
    ui::Label Label1;          // version line
    ui::Frame Frame1;          // holds the two choices
    ui::OptionButton Option1;  // choose the filename list window
    ui::OptionButton Option2;  // choose the rename window (preselected)
    ui::Button Command1;       // OK: open the chosen window
    ui::Button Command2;       // Cancel: close the program
    ui::Label Label5;          // closing notice, hidden until Cancel
    ui::Timer Timer3;          // opens the tip of the day
    ui::Timer Timer4;          // moves the focus to OK

    void Command1_Click();
    void Command1_KeyDown(int keyCode, int shift);
    void Command2_Click();
    void Option1_Click();
    void Option2_Click();
    void Timer3_Timer();
    void Timer4_Timer();

protected:
    void CreateControls() override;
    void Form_Load() override;
    DWORD FormStyle() const override;
    SIZE DesignSize() const override;

private:
    void LoadSequence();
    void ShapeAsEllipse();
    void SetCaptions();
};

}  // namespace app
