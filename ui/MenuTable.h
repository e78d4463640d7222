// A window's menus as one table: one row per drop-down menu (its member and
// caption) and one row per item (its menu, member, caption, handler, shortcut
// and picture). Adding an item is adding a row; its picture goes with it, not
// with a counted position. The window keeps the members; the table says what
// they are.
#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "base/Texts.h"
#include "ui/Menu.h"

namespace ui {

// A caption from the string table, or a fixed one that has no translation.
// Implicit, so that a row reads `Text::Open` or `L"Refresh"`.
struct MenuCaption {
    MenuCaption(base::Text id) : id(id) {}
    MenuCaption(const wchar_t* fixed) : fixed(fixed) {}
    std::wstring Load() const { return fixed ? std::wstring(fixed) : base::LoadText(id); }

    base::Text id{};
    const wchar_t* fixed = nullptr;
};

// A key that chooses the item: the virtual key and the ShiftState mask.
struct MenuKey {
    UINT virtualKey = 0;
    int shift = 0;
};

template <class Window>
struct MenuTitleRow {
    Menu Window::*menu;
    MenuCaption caption;
};

template <class Window>
struct MenuItemRow {
    Menu Window::*menu;
    MenuItem Window::*item;                // null: a separator line
    MenuCaption caption = L"";
    void (Window::*onClick)() = nullptr;   // null: the item does nothing
    MenuKey key{};                         // virtualKey 0: no shortcut
    int picture = 0;                       // bitmap resource beside the item; 0: none
};

template <class Window>
struct MenuTable {
    std::span<const MenuTitleRow<Window>> menus;  // in the bar's order
    std::span<const MenuItemRow<Window>> items;   // in each menu's order
};

// Creates the bar, its menus in the table's order, then the items with their
// handlers and shortcuts. Items added later to a menu follow the table's.
template <class Window>
void CreateMenus(Window& window, MenuBar& bar, const MenuTable<Window>& table) {
    bar.Create(window);
    for (const MenuTitleRow<Window>& title : table.menus) (window.*title.menu).Create(bar);
    for (const MenuItemRow<Window>& row : table.items) {
        Menu& menu = window.*row.menu;
        if (!row.item) {
            menu.AddSeparator();
            continue;
        }
        MenuItem& item = window.*row.item;
        item.Create(menu);
        if (row.onClick) item.OnClick = [&window, onClick = row.onClick] { (window.*onClick)(); };
        if (row.key.virtualKey) item.SetShortcut(row.key.virtualKey, row.key.shift);
    }
}

// Sets every caption of the table, in the current language.
template <class Window>
void SetMenuCaptions(Window& window, const MenuTable<Window>& table) {
    for (const MenuTitleRow<Window>& title : table.menus) (window.*title.menu).SetCaption(title.caption.Load());
    for (const MenuItemRow<Window>& row : table.items)
        if (row.item) (window.*row.item).SetCaption(row.caption.Load());
}

// Shows each row's bitmap beside its item; a bitmap that is missing leaves
// the plain item.
template <class Window>
void ShowMenuPictures(Window& window, const MenuTable<Window>& table) {
    for (const MenuItemRow<Window>& row : table.items)
        if (row.item && row.picture) (window.*row.item).ShowPicture(row.picture);
}

// Lets go of the bitmaps the items show.
template <class Window>
void ReleaseMenuPictures(Window& window, const MenuTable<Window>& table) {
    for (const MenuItemRow<Window>& row : table.items)
        if (row.item && row.picture) (window.*row.item).ReleasePicture();
}

}  // namespace ui
