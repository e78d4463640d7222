#include "rename/NamingControls.h"

#include "ui/App.h"
#include "ui/MsgBox.h"

namespace renamer {

void NamingControls::KeepChosen() {
    newExtensionBox.SetText(L"");
    ui::SetEnabled({&newExtensionLabel, &newExtensionBox}, false);
}

void NamingControls::ReplaceChosen() {
    ui::SetEnabled({&newExtensionLabel, &newExtensionBox}, true);
    newExtensionBox.SetFocus();
}

void NamingControls::FixedIndexChosen() { startNumberBox.SetText(L""); }

void NamingControls::StartNumberChosen() {
    startNumberBox.SetEnabled(true);
    startNumberBox.SetFocus();
}

void NamingControls::NewNameChanged() {
    ui::SetEnabled({&fourDigitOption, &threeDigitOption, &twoDigitOption, &startNumberOption,
                    &startNumberBox},
                   newNameBox.Text() != L"*");
}

void NamingControls::StartNumberChanged(HWND owner) {
    if (naming::IsValidStartNumber(startNumberBox.Text())) return;
    ui::MsgBox(owner, L"Only numbers in this field", MB_OK, ui::AppTitle());
    startNumberBox.SetText(L"0000");
}

bool NamingControls::IndexChosen() const {
    return fourDigitOption.Value() || threeDigitOption.Value() || twoDigitOption.Value() ||
           startNumberOption.Value();
}

naming::NamingOptions NamingControls::Read(bool indexedExtension) const {
    naming::NamingOptions options;
    options.newName = newNameBox.Text();
    options.keepExtension = keepExtensionOption.Value();
    options.newExtension = newExtensionBox.Text();
    options.indexStyle = threeDigitOption.Value()    ? naming::IndexStyle::Three
                         : twoDigitOption.Value()    ? naming::IndexStyle::Two
                         : startNumberOption.Value() ? naming::IndexStyle::StartNumber
                                                     : naming::IndexStyle::Four;
    options.startNumber = startNumberBox.Text();
    options.indexedExtension = indexedExtension;
    return options;
}

}  // namespace renamer
