// A toolbar across the top of the form: a row of picture buttons taken from
// one bitmap strip, each known by a key text. A click raises OnButtonClick
// with the button's key.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Scoped.h"
#include "ui/Controls.h"

namespace ui {

class Toolbar : public Control {
public:
    // `strip` is a BITMAP resource of square pictures side by side, one per
    // key in order; pixels of `maskColor` are left transparent.
    void Create(Form& form, int strip, int pictureSize, COLORREF maskColor,
                const std::vector<std::wstring>& keys);

    int ButtonCount() const { return static_cast<int>(keys_.size()); }
    // Buttons are counted from 1, as the key table counts them.
    const std::wstring& Key(int button) const;
    bool ButtonEnabled(int button) const;
    void SetButtonEnabled(int button, bool enabled);
    // Presses the button as a click would (nothing when it is disabled).
    void ClickButton(int button);
    // Whether the bitmap strip gave a picture for each button.
    int PictureCount() const;

    std::function<void(const std::wstring& key)> OnButtonClick;

    void Command(int commandId, int code) override;
    void FormResized() override;

private:
    int CommandId(int button) const { return kFirstCommand + button; }
    static constexpr int kFirstCommand = 1;

    std::vector<std::wstring> keys_;
    base::ImageList images_;  // lent to the toolbar control, which does not destroy it
};

}  // namespace ui
