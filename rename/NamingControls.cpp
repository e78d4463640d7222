#include "rename/NamingControls.h"

#include "ui/App.h"
#include "ui/MsgBox.h"

namespace renamer {

void NamingControls::KeepChosen() {
    extension.SetText(L"");
    ui::SetEnabled({&extensionLabel, &extension}, false);
}

void NamingControls::ReplaceChosen() {
    ui::SetEnabled({&extensionLabel, &extension}, true);
    extension.SetFocus();
}

void NamingControls::FixedIndexChosen() { startNumber.SetText(L""); }

void NamingControls::StartNumberChosen() {
    startNumber.SetEnabled(true);
    startNumber.SetFocus();
}

void NamingControls::NewNameChanged() {
    ui::SetEnabled({&four, &three, &two, &fromStart, &startNumber}, newName.Text() != L"*");
}

void NamingControls::StartNumberChanged(HWND owner) {
    if (naming::IsValidStartNumber(startNumber.Text())) return;
    ui::MsgBox(owner, L"Only numbers in this field", MB_OK, ui::AppTitle());
    startNumber.SetText(L"0000");
}

bool NamingControls::IndexChosen() const {
    return four.Value() || three.Value() || two.Value() || fromStart.Value();
}

naming::NamingOptions NamingControls::Read(bool indexedExtension) const {
    naming::NamingOptions options;
    options.newName = newName.Text();
    options.keepExtension = keep.Value();
    options.newExtension = extension.Text();
    options.indexStyle = three.Value()       ? naming::IndexStyle::Three
                         : two.Value()       ? naming::IndexStyle::Two
                         : fromStart.Value() ? naming::IndexStyle::StartNumber
                                             : naming::IndexStyle::Four;
    options.startNumber = startNumber.Text();
    options.indexedExtension = indexedExtension;
    return options;
}

}  // namespace renamer
