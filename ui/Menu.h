// A form's menus, built in code: the menu bar, its drop-down menus and their
// items are members of the form, so a handler such as `OnExitClick` reads
// against a member `exitItem`. Create them in CreateControls, in menu order. A choice
// arrives at the form as WM_COMMAND and is passed to the item's OnClick.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "base/Scoped.h"

namespace ui {

class Form;
class Menu;

// The menu bar of one form.
class MenuBar {
public:
    // Creates an empty bar and attaches it to the form's window.
    void Create(Form& form);
    HMENU handle() const { return menu_; }
    Form* form() const { return form_; }
    // Number of drop-down menus on the bar.
    int Count() const;

    // The drop-down menu at `menuPosition` (from 0), or null.
    HMENU SubMenu(int menuPosition) const;

    // Redraws the bar after its menus changed.
    void Redraw() const;

private:
    HMENU menu_ = nullptr;
    Form* form_ = nullptr;
};

// A drop-down menu: on the menu bar, or shown on its own at the mouse.
class Menu {
public:
    // Appends the menu to the bar; "&" in the caption marks the access key.
    // The caption may be set later (from the string table, say).
    void Create(MenuBar& bar, const std::wstring& caption = std::wstring());
    HMENU handle() const { return menu_; }
    Form* form() const { return form_; }
    int Count() const;

    // Appends a separator line.
    void AddSeparator();

    // Caption and enabled state of the menu's title on the bar.
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Shows the menu at the mouse pointer and runs the chosen item's OnClick
    // (as a menu bar choice would) before returning.
    void Popup() const;

private:
    int PositionOnBar() const;

    HMENU menu_ = nullptr;
    MenuBar* bar_ = nullptr;
    Form* form_ = nullptr;
};

// A bitmap of the program's resources, kept for a menu item and released
// with the object (or earlier by Release).
class MenuPicture {
public:
    // Loads the BITMAP resource `resourceId`; false when there is none.
    bool Load(int resourceId);
    HBITMAP handle() const { return bitmap_.get(); }
    void Release() { bitmap_.Reset(); }

private:
    base::GdiObject<HBITMAP> bitmap_;
};

// One command of a drop-down menu.
class MenuItem {
public:
    // Appends the item to `menu`; the caption may be set later.
    void Create(Menu& menu, const std::wstring& caption = std::wstring());
    // Appends the item with its handler and no caption yet.
    void Create(Menu& menu, std::function<void()> onClick);
    UINT id() const { return id_; }

    // The caption without the shortcut key's name.
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    // A key that chooses the item while its form has the focus (`shift`: the
    // ShiftState mask); its name ("Ctrl+O", "F5", "Del") is shown beside the
    // caption. The key reaches the control with the focus instead while the
    // item is disabled or has no OnClick.
    void SetShortcut(UINT virtualKey, int shift = 0);
    std::wstring ShortcutText() const { return shortcutText_; }
    bool Checked() const;
    void SetChecked(bool checked);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Shows `picture` beside the item in place of the check mark, checked and
    // unchecked alike; null goes back to the plain check mark. The caller
    // keeps the bitmap alive while the menu shows it.
    void SetPicture(HBITMAP picture);
    // Loads the BITMAP resource `resourceId`, which the item keeps, and shows
    // it beside the item; false (and the plain item) when there is none.
    bool ShowPicture(int resourceId);
    // Goes back to the plain check mark and lets go of the item's own bitmap.
    void ReleasePicture();

    // Runs OnClick when the item is enabled, as choosing it would.
    void Click();

    std::function<void()> OnClick;

private:
    HMENU menu_ = nullptr;
    Form* form_ = nullptr;
    UINT id_ = 0;
    std::wstring shortcutText_;
    MenuPicture picture_;
};

// The name of a shortcut key as menus show it: "Ctrl+O", "F4", "Del".
std::wstring ShortcutName(UINT virtualKey, int shift);


}  // namespace ui
