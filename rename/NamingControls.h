// The naming-option controls that both rename windows have (the program's
// rename window and the Explorer extension's), with the reactions they share
// and the options they stand for. Each member refers to the window's own
// control; the comments give the form names, which both windows share.
#pragma once
#include <windows.h>

#include "rename/NamingRules.h"
#include "ui/Controls.h"

namespace renamer {

struct NamingControls {
    ui::Frame& newNameFrame;                // Frame1
    ui::Label& newNameLabel;                // Label1
    ui::Frame& extensionFrame;              // Frame2
    ui::Frame& indexFrame;                  // Frame3
    ui::TextBox& newNameBox;                // Text3: new base name; "*" keeps the names
    ui::OptionButton& keepExtensionOption;  // Option1: keep each file's extension
    ui::OptionButton& newExtensionOption;   // Option2: give every file the new extension
    ui::Label& newExtensionLabel;           // Label2
    ui::TextBox& newExtensionBox;           // Text2: the new extension, without the dot
    ui::OptionButton& fourDigitOption;      // Option3: 0001
    ui::OptionButton& threeDigitOption;     // Option4: 001
    ui::OptionButton& twoDigitOption;       // Option5: 01
    ui::OptionButton& startNumberOption;    // Option6: from the start number
    ui::TextBox& startNumberBox;            // Text4: start number; its length is the index width

    // Creates the new-name frame and the extension frame with their
    // controls, in tab order; a window adds its own extension controls after.
    void CreateNameAndExtension(ui::Form& form);
    // Creates the index frame with the four styles and the start-number box.
    void CreateIndex(ui::Form& form);
    // The state a window opens in: each file keeps its extension, the index
    // has four digits, and the boxes of the other choices are closed until
    // chosen. The start number holds at most four characters.
    void SetStartState();

    // Keep chosen: the new extension is emptied and closed.
    void KeepChosen();
    // New extension chosen: its box opens and takes the focus.
    void ReplaceChosen();
    // A fixed index style chosen: the start number is emptied.
    void FixedIndexChosen();
    // Start number chosen: its box opens and takes the focus.
    void StartNumberChosen();
    // "*" keeps the names, so the index styles are closed while it stands.
    void NewNameChanged();
    // A start number that is not a 16-bit whole number is refused with a
    // message and replaced by 0000.
    void StartNumberChanged(HWND owner);
    // Whether one of the index styles is selected.
    bool IndexChosen() const;

    // The options the controls stand for; the indexed extension is the
    // caller's, as only the program's window has it.
    naming::NamingOptions Read(bool indexedExtension) const;
};

}  // namespace renamer
