#include "ui/MsgBox.h"

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

void SetPromptResponder(PromptResponder responder) { Responder() = std::move(responder); }

}  // namespace ui
