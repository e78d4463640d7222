#include "ui/MsgBox.h"

#include "base/RunError.h"

namespace ui {

namespace {
PromptResponder& Responder() {
    static PromptResponder responder;
    return responder;
}
}  // namespace

int MsgBox(HWND owner, const std::wstring& text, UINT flags, const std::wstring& title) {
    if (Responder()) return Responder()(Prompt{owner, text, flags, title});
    return MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

void ShowErrorBox(HWND owner, const base::RunError& error) {
    const std::wstring number = std::to_wstring(error.number);
    MsgBox(owner, L"Error Number = " + number + L"\rError description = " + error.description,
           MB_OK | MB_ICONSTOP, L"Error " + number);
}

void SetPromptResponder(PromptResponder responder) { Responder() = std::move(responder); }

}  // namespace ui
