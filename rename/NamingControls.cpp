#include "rename/NamingControls.h"

#include "ui/App.h"
#include "ui/MsgBox.h"

namespace renamer {

void NamingControls::CreateNameAndExtension(ui::Form& form) {
    newNameFrame.Create(form);
    newNameLabel.Create(form, &newNameFrame);
    newNameBox.Create(form, &newNameFrame);
    extensionFrame.Create(form);
    keepExtensionOption.Create(form, &extensionFrame, true);
    newExtensionOption.Create(form, &extensionFrame);
    newExtensionLabel.Create(form, &extensionFrame);
    newExtensionBox.Create(form, &extensionFrame);
}

void NamingControls::CreateIndex(ui::Form& form) {
    indexFrame.Create(form);
    fourDigitOption.Create(form, &indexFrame, true);
    threeDigitOption.Create(form, &indexFrame);
    twoDigitOption.Create(form, &indexFrame);
    startNumberOption.Create(form, &indexFrame);
    startNumberBox.Create(form, &indexFrame);
}

void NamingControls::SetStartState() {
    keepExtensionOption.SetValue(true);
    fourDigitOption.SetValue(true);
    ui::SetEnabled({&newExtensionLabel, &newExtensionBox, &startNumberBox}, false);
    startNumberBox.SetMaxLength(4);
}

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
