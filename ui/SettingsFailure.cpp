#include "ui/SettingsFailure.h"

#include "ui/App.h"
#include "ui/MsgBox.h"

namespace ui {

void EndOnSettingsFailure(HWND owner, const base::RunError& error, const std::wstring& filesMissingText) {
    if (error.number == base::err::TypeMismatch)
        MsgBox(owner, filesMissingText, MB_OK | MB_ICONEXCLAMATION, L"Error");
    else
        MsgBox(owner, L"Nomaro Error Description: " + error.description, MB_OK | MB_ICONSTOP,
               L"Error " + std::to_wstring(error.number));
    EndProgram();
}

}  // namespace ui
