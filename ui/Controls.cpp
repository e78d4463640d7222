#include "ui/Controls.h"

#include <commctrl.h>

#include <vector>

#include "ui/RunError.h"
#include "ui/Screen.h"

namespace ui {

HFONT DefaultFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// ---- Control -------------------------------------------------------------

void Control::CreateWindowOf(Form& form, const wchar_t* windowClass, DWORD style, DWORD exStyle,
                             Frame* container) {
    form_ = &form;
    container_ = container;
    id_ = form.AddControl(*this);
    hwnd_ = CreateWindowExW(exStyle, windowClass, L"", style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                            form.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) throw RunError(5);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    SetWindowSubclass(hwnd_, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

// A control that goes before its window (a form's members are destroyed
// before the form's window) must not be called back by that window.
Control::~Control() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, SubclassProc, 1);
}

void Control::Notify(int) {}

void Control::Move(long left, long top, long width, long height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    long formLeft = left + (container_ ? container_->OriginLeft() : 0);
    long formTop = top + (container_ ? container_->OriginTop() : 0);
    if (hwnd_)
        MoveWindow(hwnd_, TwipsToPixelsX(formLeft), TwipsToPixelsY(formTop), TwipsToPixelsX(width),
                   TwipsToPixelsY(height), TRUE);
}

std::wstring Control::Caption() const {
    int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
    return text;
}

void Control::SetCaption(const std::wstring& caption) {
    SetWindowTextW(hwnd_, caption.c_str());
    if (transparent_) InvalidateUnder();
}

// A transparent control paints no background of its own: the form repaints
// the picture under it before the control draws its new text.
void Control::InvalidateUnder() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, form_->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(form_->hwnd(), &r, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
bool Control::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (transparent_) InvalidateUnder();
}

void Control::SetFocus() { ::SetFocus(hwnd_); }
bool Control::HasFocus() const { return GetFocus() == hwnd_; }

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR refData) {
    auto* control = reinterpret_cast<Control*>(refData);
    auto mouse = [&](const std::function<void(int, int, long, long)>& handler, int button) {
        if (handler)
            handler(button, ShiftStateNow(), PixelsToTwipsX(static_cast<short>(LOWORD(lParam))),
                    PixelsToTwipsY(static_cast<short>(HIWORD(lParam))));
    };
    switch (message) {
    case WM_KEYDOWN:
        if (control->OnKeyDown) control->OnKeyDown(static_cast<int>(wParam), ShiftStateNow());
        break;
    case WM_KEYUP:
        if (control->OnKeyUp) control->OnKeyUp(static_cast<int>(wParam), ShiftStateNow());
        break;
    case WM_MOUSEMOVE:
        mouse(control->OnMouseMove, MouseButtonsFrom(wParam));
        break;
    case WM_LBUTTONDOWN: mouse(control->OnMouseDown, kLeftButton); break;
    case WM_RBUTTONDOWN: mouse(control->OnMouseDown, kRightButton); break;
    case WM_LBUTTONUP: mouse(control->OnMouseUp, kLeftButton); break;
    case WM_RBUTTONUP: mouse(control->OnMouseUp, kRightButton); break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, SubclassProc, 1);
        control->hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---- Buttons ---------------------------------------------------------------

void Button::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, container);
}

void Button::Click() {
    if (Enabled() && OnClick) OnClick();
}

void Button::Notify(int code) {
    if (code == BN_CLICKED && OnClick) OnClick();
}

void CheckBox::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, container);
}

bool CheckBox::Value() const { return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetValue(bool checked) {
    if (Value() == checked) return;
    SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

void CheckBox::Notify(int code) {
    if (code == BN_CLICKED && OnClick) OnClick();
}

void OptionButton::Create(Form& form, Frame* container, bool firstOfGroup) {
    CreateWindowOf(form, WC_BUTTONW,
                   BS_AUTORADIOBUTTON | WS_TABSTOP | (firstOfGroup ? WS_GROUP : 0), 0, container);
}

bool OptionButton::Value() const {
    return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OptionButton::SetValue(bool selected) {
    if (Value() == selected) return;
    if (selected) {
        HWND parent = GetParent(hwnd());
        for (HWND other = GetNextDlgGroupItem(parent, hwnd(), FALSE); other && other != hwnd();
             other = GetNextDlgGroupItem(parent, other, FALSE))
            SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageW(hwnd(), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    if (selected && OnClick) OnClick();
}

void OptionButton::Notify(int code) {
    if (code == BN_CLICKED && OnClick) OnClick();
}

// ---- Frame and Label -------------------------------------------------------

void Frame::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_BUTTONW, BS_GROUPBOX | WS_GROUP, 0, container);
}

long Frame::OriginLeft() const {
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, form()->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return PixelsToTwipsX(r.left);
}

long Frame::OriginTop() const {
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, form()->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return PixelsToTwipsY(r.top);
}

void Label::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_STATICW, SS_LEFT | SS_NOTIFY | WS_GROUP, 0, container);
}

void Label::Notify(int code) {
    if (code == STN_CLICKED && OnClick) OnClick();
}

// ---- Image -----------------------------------------------------------------

void Image::Create(Form& form, int bitmapResourceId) {
    bitmap_ = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                              MAKEINTRESOURCEW(bitmapResourceId), IMAGE_BITMAP, 0,
                                              0, LR_CREATEDIBSECTION));
    form.AddImage(*this);
}

Image::~Image() {
    if (bitmap_) DeleteObject(bitmap_);
}

void Image::Move(long left, long top) {
    left_ = left;
    top_ = top;
}

void Image::Draw(HDC dc) const {
    if (!bitmap_) return;
    BITMAP info{};
    GetObjectW(bitmap_, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    BitBlt(dc, TwipsToPixelsX(left_), TwipsToPixelsY(top_), info.bmWidth, info.bmHeight, memory, 0,
           0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// ---- ListBox ---------------------------------------------------------------

void ListBox::Create(Form& form, Frame* container, bool sorted) {
    CreateWindowOf(form, WC_LISTBOXW,
                   LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP |
                       (sorted ? LBS_SORT : 0),
                   WS_EX_CLIENTEDGE, container);
}

int ListBox::ListCount() const {
    return static_cast<int>(SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
}

std::wstring ListBox::List(int index) const {
    LRESULT length = SendMessageW(hwnd(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) throw RunError(381);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void ListBox::AddItem(const std::wstring& item) {
    SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ListBox::RemoveItem(int index) {
    SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBox::Clear() { SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0); }

// ---- StatusBar -------------------------------------------------------------

void StatusBar::Create(Form& form, int panelCount) {
    CreateWindowOf(form, STATUSCLASSNAMEW, SBARS_SIZEGRIP, 0, nullptr);
    RECT client;
    GetClientRect(form.hwnd(), &client);
    std::vector<int> edges(static_cast<size_t>(panelCount));
    for (int i = 0; i < panelCount; ++i)
        edges[static_cast<size_t>(i)] = i + 1 == panelCount ? -1 : client.right * (i + 1) / panelCount;
    SendMessageW(hwnd(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

std::wstring StatusBar::PanelText(int panel) const {
    auto part = static_cast<WPARAM>(panel - 1);
    size_t length = LOWORD(SendMessageW(hwnd(), SB_GETTEXTLENGTHW, part, 0));
    std::wstring text(length + 1, L'\0');
    SendMessageW(hwnd(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void StatusBar::SetPanelText(int panel, const std::wstring& text) {
    SendMessageW(hwnd(), SB_SETTEXTW, static_cast<WPARAM>(panel - 1),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

// ---- Timer -----------------------------------------------------------------

void Timer::Create(Form& form, UINT intervalMs, bool enabled) {
    form_ = &form;
    id_ = form.AddTimer(*this);
    interval_ = intervalMs;
    SetEnabled(enabled);
}

Timer::~Timer() {
    if (form_ && form_->hwnd() && enabled_) KillTimer(form_->hwnd(), id_);
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Arm();
}

void Timer::SetInterval(UINT intervalMs) {
    interval_ = intervalMs;
    Arm();
}

void Timer::Arm() {
    if (!form_ || !form_->hwnd()) return;
    if (enabled_ && interval_ > 0)
        SetTimer(form_->hwnd(), id_, interval_, nullptr);
    else
        KillTimer(form_->hwnd(), id_);
}

void Timer::Tick() {
    if (enabled_ && OnTimer) OnTimer();
}

bool Timer::FireNow() {
    if (!enabled_) return false;
    Tick();
    return true;
}

}  // namespace ui
