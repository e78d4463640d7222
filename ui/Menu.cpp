#include "ui/Menu.h"

#include <utility>
#include <vector>

#include "base/Module.h"
#include "base/RunError.h"
#include "ui/Form.h"

namespace ui {

namespace {
std::wstring MenuText(HMENU menu, UINT item, bool byPosition) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu, item, byPosition, &info)) return std::wstring();
    std::vector<wchar_t> text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    GetMenuItemInfoW(menu, item, byPosition, &info);
    return std::wstring(text.data());
}

void SetMenuText(HMENU menu, UINT item, bool byPosition, const std::wstring& text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, item, byPosition, &info);
}
}  // namespace

// ---- MenuBar ---------------------------------------------------------------

void MenuBar::Create(Form& form) {
    form_ = &form;
    menu_ = CreateMenu();
    if (menu_ && SetMenu(form.hwnd(), menu_)) return;
    // A menu that no window owns is not destroyed with one.
    if (menu_) DestroyMenu(menu_);
    menu_ = nullptr;
    throw base::RunError(base::err::InvalidCall);
}

int MenuBar::Count() const { return GetMenuItemCount(menu_); }

HMENU MenuBar::SubMenu(int menuPosition) const { return GetSubMenu(menu_, menuPosition); }

void MenuBar::Redraw() const {
    if (form_ && form_->hwnd()) DrawMenuBar(form_->hwnd());
}

// ---- Menu ------------------------------------------------------------------

void Menu::Create(MenuBar& bar, const std::wstring& caption) {
    bar_ = &bar;
    form_ = bar.form();
    menu_ = CreatePopupMenu();
    if (!menu_ || !AppendMenuW(bar.handle(), MF_POPUP | MF_STRING,
                               reinterpret_cast<UINT_PTR>(menu_), caption.c_str())) {
        // A drop-down menu not on the bar is not destroyed with it.
        if (menu_) DestroyMenu(menu_);
        menu_ = nullptr;
        throw base::RunError(base::err::InvalidCall);
    }
    bar.Redraw();
}

int Menu::Count() const { return GetMenuItemCount(menu_); }

void Menu::AddSeparator() { AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr); }

int Menu::PositionOnBar() const {
    if (!bar_) return -1;
    for (int i = 0, n = bar_->Count(); i < n; ++i)
        if (bar_->SubMenu(i) == menu_) return i;
    return -1;
}

std::wstring Menu::Caption() const {
    int position = PositionOnBar();
    return position < 0 ? std::wstring()
                        : MenuText(bar_->handle(), static_cast<UINT>(position), true);
}

void Menu::SetCaption(const std::wstring& caption) {
    int position = PositionOnBar();
    if (position < 0) return;
    SetMenuText(bar_->handle(), static_cast<UINT>(position), true, caption);
    bar_->Redraw();
}

bool Menu::Enabled() const {
    int position = PositionOnBar();
    return position >= 0 &&
           !(GetMenuState(bar_->handle(), static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED);
}

void Menu::SetEnabled(bool enabled) {
    int position = PositionOnBar();
    if (position < 0) return;
    EnableMenuItem(bar_->handle(), static_cast<UINT>(position),
                   MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    bar_->Redraw();
}

void Menu::Popup() const {
    if (!form_ || !form_->hwnd()) return;
    POINT at;
    GetCursorPos(&at);
    // The menu closes properly only when its window is in the foreground.
    SetForegroundWindow(form_->hwnd());
    UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, form_->hwnd(), nullptr));
    if (chosen) SendMessageW(form_->hwnd(), WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

// ---- MenuItem --------------------------------------------------------------

void MenuItem::Create(Menu& menu, const std::wstring& caption) {
    if (!menu.form()) throw base::RunError(base::err::InvalidCall);
    menu_ = menu.handle();
    form_ = menu.form();
    id_ = menu.form()->AddMenuItem(*this);
    if (!AppendMenuW(menu_, MF_STRING, id_, caption.c_str())) throw base::RunError(base::err::InvalidCall);
}

void MenuItem::Create(Menu& menu, std::function<void()> onClick) {
    Create(menu);
    OnClick = std::move(onClick);
}

std::wstring MenuItem::Caption() const {
    const std::wstring text = MenuText(menu_, id_, false);
    return shortcutText_.empty() ? text : text.substr(0, text.rfind(L'\t'));
}

void MenuItem::SetCaption(const std::wstring& caption) {
    SetMenuText(menu_, id_, false, shortcutText_.empty() ? caption : caption + L"\t" + shortcutText_);
}

void MenuItem::SetShortcut(UINT virtualKey, int shift) {
    const std::wstring caption = Caption();
    shortcutText_ = ShortcutName(virtualKey, shift);
    SetCaption(caption);
    if (form_) form_->AddShortcut(virtualKey, shift, *this);
}

std::wstring ShortcutName(UINT virtualKey, int shift) {
    std::wstring name;
    if (shift & kCtrlMask) name += L"Ctrl+";
    if (shift & kAltMask) name += L"Alt+";
    if (shift & kShiftMask) name += L"Shift+";
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        name += L"F" + std::to_wstring(virtualKey - VK_F1 + 1);
    else if (virtualKey == VK_DELETE)
        name += L"Del";
    else
        name += static_cast<wchar_t>(virtualKey);
    return name;
}

bool MenuItem::Checked() const {
    return (GetMenuState(menu_, id_, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MenuItem::SetChecked(bool checked) {
    CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuItem::Enabled() const {
    return !(GetMenuState(menu_, id_, MF_BYCOMMAND) & MF_GRAYED);
}

void MenuItem::SetEnabled(bool enabled) {
    EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MenuItem::SetPicture(HBITMAP picture) {
    SetMenuItemBitmaps(menu_, id_, MF_BYCOMMAND, picture, picture);
}

bool MenuItem::ShowPicture(int resourceId) {
    if (!picture_.Load(resourceId)) return false;
    SetPicture(picture_.handle());
    return true;
}

void MenuItem::ReleasePicture() {
    if (menu_) SetPicture(nullptr);
    picture_.Release();
}

void MenuItem::Click() {
    if (Enabled() && OnClick) OnClick();
}

// ---- MenuPicture -----------------------------------------------------------

bool MenuPicture::Load(int resourceId) {
    bitmap_.Reset(static_cast<HBITMAP>(
        LoadImageW(base::CodeModule(), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, 0)));
    return bitmap_.valid();
}

}  // namespace ui
