// The About box: the program's name, version and purpose, with ways on to
// the help topic about the program and to the system-information tool.
#pragma once
#include "ui/Controls.h"
#include "ui/Form.h"

namespace about {

// A picture box showing one of the program's icons.
class IconBox : public ui::Control {
public:
    void Create(ui::Form& form, int iconResourceId);
};

// A sunken line across a window, between groups of controls.
class Separator : public ui::Control {
public:
    void Create(ui::Form& form);
};

// The form frmAbout, shown modally over either main window.
class AboutBox : public ui::Form {
public:
    IconBox iconBox;            // picIcon: the program's icon
    ui::Label titleLabel;       // lblTitle: the application title
    ui::Label versionLabel;     // lblVersion: "Version 3.1.0"
    ui::Label descriptionLabel; // lblDescription: what the program does
    Separator upperLine;        // Line1(0)
    Separator lowerLine;        // Line1(1)
    ui::Label disclaimerLabel;  // lblDisclaimer: the legal notice
    ui::Button okButton;        // cmdOK: closes the box (Enter and Esc)
    ui::Button systemInfoButton;  // cmdSysInfo: starts the system-information tool
    ui::Button helpButton;      // Command1: the help topic about the program

    void OnSystemInfoClick();
    void OnHelpClick();

protected:
    void CreateControls() override;
    void OnLoad() override;
    SIZE DesignSize() const override;
};

// Shows the About box modally over `owner` and returns when it is closed.
void ShowAboutBox(HWND owner);

}  // namespace about
