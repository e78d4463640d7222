// The naming-option controls that both rename windows have (the program's
// rename window and the Explorer extension's), with the reactions they share
// and the options they stand for.
#pragma once
#include <windows.h>

#include "rename/NamingRules.h"
#include "ui/Controls.h"

namespace renamer {

struct NamingControls {
    ui::TextBox& newName;        // Text3; "*" keeps the names
    ui::OptionButton& keep;      // Option1: keep each file's extension
    ui::OptionButton& replace;   // Option2: give every file the new extension
    ui::Label& extensionLabel;   // Label2
    ui::TextBox& extension;      // Text2
    ui::OptionButton& four;      // Option3: 0001
    ui::OptionButton& three;     // Option4: 001
    ui::OptionButton& two;       // Option5: 01
    ui::OptionButton& fromStart; // Option6: from the start number
    ui::TextBox& startNumber;    // Text4

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

    naming::NamingOptions Read(bool indexedExtension) const;
};

}  // namespace renamer
