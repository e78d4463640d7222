#include "ui/Toolbar.h"

#include "base/Module.h"
#include "base/RunError.h"

namespace ui {

void Toolbar::Create(Form& form, int strip, int pictureSize, COLORREF maskColor,
                     const std::vector<std::wstring>& keys) {
    keys_ = keys;
    CreateWindowOf(form, TOOLBARCLASSNAMEW, TBSTYLE_FLAT | CCS_TOP | CCS_NODIVIDER, 0, nullptr);
    SendMessageW(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    images_.Reset(ImageList_LoadImageW(base::CodeModule(), MAKEINTRESOURCEW(strip), pictureSize, 0, maskColor,
                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
    SendMessageW(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    std::vector<TBBUTTON> buttons(keys_.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        buttons[i].iBitmap = static_cast<int>(i);
        buttons[i].idCommand = CommandId(static_cast<int>(i) + 1);
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    SendMessageW(hwnd(), TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(hwnd(), TB_AUTOSIZE, 0, 0);
}

const std::wstring& Toolbar::Key(int button) const {
    if (button < 1 || button > ButtonCount()) throw base::RunError(base::err::InvalidCall);
    return keys_[static_cast<size_t>(button - 1)];
}

bool Toolbar::ButtonEnabled(int button) const {
    return SendMessageW(hwnd(), TB_ISBUTTONENABLED, CommandId(button), 0) != 0;
}

void Toolbar::SetButtonEnabled(int button, bool enabled) {
    SendMessageW(hwnd(), TB_ENABLEBUTTON, CommandId(button), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void Toolbar::ClickButton(int button) {
    if (ButtonEnabled(button) && OnButtonClick) OnButtonClick(Key(button));
}

int Toolbar::PictureCount() const { return images_ ? ImageList_GetImageCount(images_.get()) : 0; }

void Toolbar::Command(int commandId, int) {
    const int button = commandId - kFirstCommand;
    if (button >= 1 && button <= ButtonCount() && OnButtonClick) OnButtonClick(Key(button));
}

void Toolbar::FormResized() { SendMessageW(hwnd(), TB_AUTOSIZE, 0, 0); }

}  // namespace ui
