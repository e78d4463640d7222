#include "ui/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "base/Module.h"
#include "base/RunError.h"
#include "base/Texts.h"
#include "ui/Screen.h"
#include "ui/ToolTip.h"

namespace ui {

void SetEnabled(std::initializer_list<Control*> controls, bool enabled) {
    for (Control* control : controls) control->SetEnabled(enabled);
}

HFONT DefaultFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// ---- Control -------------------------------------------------------------

void Control::CreateWindowOf(Form& form, const wchar_t* windowClass, DWORD style, DWORD exStyle,
                             Frame* container) {
    if (form_) form_->RemoveControl(*this);
    form_ = &form;
    container_ = container;
    id_ = form.AddControl(*this);
    hwnd_ = CreateWindowExW(exStyle, windowClass, L"", style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                            form.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            base::CodeModule(), nullptr);
    if (!hwnd_) throw base::RunError(base::err::InvalidCall);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    Subclass();
}

void Control::Subclass() {
    // Subclassed by hand rather than with comctl32's subclass helpers: under Wine they
    // look their data up in a window property, a round trip to the server for
    // every message, which made adding 10,000 list items take seconds.
    hook_ = new Hook{this, nullptr, 0, false, false};
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook_));
    hook_->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
}

void Control::AdoptWindow(HWND fresh) {
    HWND old = hwnd_;
    Hook* oldHook = hook_;
    hwnd_ = fresh;
    Subclass();
    if (!oldHook) return;
    // The old window passes its last messages on without calling back.
    oldHook->control = nullptr;
    ShowWindow(old, SW_HIDE);
    if (oldHook->depth == 0) DestroyWindow(old);
    else oldHook->retired = true;
}

// A control that goes before its window (a form's members are destroyed
// before the form's window) must not be called back by that window; the
// hook stays and passes the messages on. Nor may the form reach it through
// its notifications.
Control::~Control() {
    if (hook_) hook_->control = nullptr;
    if (form_) form_->RemoveControl(*this);
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
    RECT r = PlaceOnForm();
    InvalidateRect(form_->hwnd(), &r, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

RECT Control::PlaceOnForm() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, form_->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
bool Control::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (transparent_) InvalidateUnder();
}

void Control::SetToolTipText(const std::wstring& text) { form_->FormToolTips().Set(hwnd_, text); }

std::wstring Control::ToolTipText() const {
    const ToolTips* tips = form_ ? form_->ToolTipsIfAny() : nullptr;
    return tips ? tips->Text(hwnd_) : std::wstring();
}

void Control::SetFocus() { ::SetFocus(hwnd_); }
bool Control::HasFocus() const { return GetFocus() == hwnd_; }

LRESULT CALLBACK Control::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* hook = reinterpret_cast<Hook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    WNDPROC previous = hook->previous;
    if (message == WM_NCDESTROY) {
        if (hook->control) {
            hook->control->hwnd_ = nullptr;
            hook->control->hook_ = nullptr;
            hook->control = nullptr;
        }
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hook->destroyed = true;
        if (hook->depth == 0) delete hook;
        return CallWindowProcW(previous, hwnd, message, wParam, lParam);
    }
    ++hook->depth;
    // The handlers may destroy the window (the hook then lets go of the
    // control) or the control itself; each step asks the hook again. No
    // exception may leave a window procedure: what a handler lets escape is
    // reported over the form, and the message goes on to the window.
    HWND formWindow = GetAncestor(hwnd, GA_ROOT);
    try {
        if (hook->control) hook->control->RaiseEvents(message, wParam, lParam);
    } catch (...) {
        ReportUnexpectedError(formWindow, std::current_exception());
    }
    LRESULT result = 0;
    try {
        if (hook->control)
            result = hook->control->ControlProc(message, wParam, lParam);
        else if (!hook->destroyed)
            result = CallWindowProcW(previous, hwnd, message, wParam, lParam);
    } catch (...) {
        ReportUnexpectedError(formWindow, std::current_exception());
    }
    if (--hook->depth == 0) {
        if (hook->destroyed) delete hook;
        else if (hook->retired) {
            hook->retired = false;
            DestroyWindow(hwnd);  // its WM_NCDESTROY frees the hook
        }
    }
    return result;
}

LRESULT Control::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallPrevious(message, wParam, lParam);
}

LRESULT Control::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hook_) return 0;
    return CallWindowProcW(hook_->previous, hwnd_, message, wParam, lParam);
}

void Control::RaiseEvents(UINT message, WPARAM wParam, LPARAM lParam) {
    Observe(message, wParam, lParam);
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && form_)
        if (const ToolTips* tips = form_->ToolTipsIfAny()) tips->Relay(hwnd_, message, wParam, lParam);
    auto mouse = [&](const std::function<void(int, int, long, long)>& handler, int button) {
        if (handler)
            handler(button, ShiftStateNow(), PixelsToTwipsX(static_cast<short>(LOWORD(lParam))),
                    PixelsToTwipsY(static_cast<short>(HIWORD(lParam))));
    };
    switch (message) {
    case WM_KEYDOWN:
        if (OnKeyDown) OnKeyDown(static_cast<int>(wParam), ShiftStateNow());
        break;
    case WM_KEYUP:
        if (OnKeyUp) OnKeyUp(static_cast<int>(wParam), ShiftStateNow());
        break;
    case WM_MOUSEMOVE:
        mouse(OnMouseMove, MouseButtonsFrom(wParam));
        break;
    case WM_LBUTTONDOWN: mouse(OnMouseDown, kLeftButton); break;
    case WM_RBUTTONDOWN: mouse(OnMouseDown, kRightButton); break;
    case WM_LBUTTONUP: mouse(OnMouseUp, kLeftButton); break;
    case WM_RBUTTONUP: mouse(OnMouseUp, kRightButton); break;
    default:
        break;
    }
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

// Three-state, so that it can show the grayed value; the clicks are
// handled here, as the box cannot cycle through its states by itself the
// way it should.
void CheckBox::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_BUTTONW, BS_3STATE | WS_TABSTOP | WS_GROUP, 0, container);
}

CheckValue CheckBox::State() const {
    switch (SendMessageW(hwnd(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return CheckValue::Checked;
    case BST_INDETERMINATE: return CheckValue::Grayed;
    default: return CheckValue::Unchecked;
    }
}

void CheckBox::SetState(CheckValue value) {
    if (State() == value) return;
    const WPARAM check = value == CheckValue::Checked ? BST_CHECKED
                         : value == CheckValue::Grayed ? BST_INDETERMINATE
                                                       : BST_UNCHECKED;
    SendMessageW(hwnd(), BM_SETCHECK, check, 0);
    if (OnClick) OnClick();
}

void CheckBox::SetNumber(int value) {
    if (value < 0 || value > static_cast<int>(CheckValue::Grayed))
        throw base::RunError(base::err::InvalidPropertyValue);
    SetState(static_cast<CheckValue>(value));
}

void CheckBox::Notify(int code) {
    if (code == BN_CLICKED) SetValue(State() == CheckValue::Unchecked);
}

void OptionButton::Create(Form& form, Frame* container, bool firstOfGroup) {
    CreateWindowOf(form, WC_BUTTONW,
                   BS_AUTORADIOBUTTON | WS_TABSTOP | (firstOfGroup ? WS_GROUP : 0), 0, container);
}

bool OptionButton::Value() const {
    return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

namespace {
bool IsOptionButton(HWND window) {
    wchar_t name[16] = L"";
    if (!GetClassNameW(window, name, 16) || lstrcmpiW(name, WC_BUTTONW) != 0) return false;
    LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
}
}  // namespace

// The group runs from the button before this one that starts it (WS_GROUP)
// to the next control that starts another. Disabled and hidden buttons
// belong to it too: they keep a selection, but only one in the group.
void OptionButton::ClearOthersInGroup() {
    HWND first = hwnd();
    while (!(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous) break;
        first = previous;
    }
    for (HWND other = first; other; other = GetWindow(other, GW_HWNDNEXT)) {
        if (other != first && (GetWindowLongW(other, GWL_STYLE) & WS_GROUP)) break;
        if (other != hwnd() && IsOptionButton(other) &&
            SendMessageW(other, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
            SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void OptionButton::SetValue(bool selected) {
    if (Value() == selected) return;
    if (selected) ClearOthersInGroup();
    SendMessageW(hwnd(), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    if (selected && OnClick) OnClick();
}

// A click selects through the window's own logic, which passes over
// disabled and hidden buttons of the group; they are cleared here.
void OptionButton::Notify(int code) {
    if (code != BN_CLICKED) return;
    if (Value()) ClearOthersInGroup();
    if (OnClick) OnClick();
}

// ---- Frame and Label -------------------------------------------------------

void Frame::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_BUTTONW, BS_GROUPBOX | WS_GROUP, 0, container);
}

long Frame::OriginLeft() const { return PixelsToTwipsX(PlaceOnForm().left); }
long Frame::OriginTop() const { return PixelsToTwipsY(PlaceOnForm().top); }

void Label::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_STATICW, SS_LEFT | SS_NOTIFY | WS_GROUP, 0, container);
}

void Label::Notify(int code) {
    if (code == STN_CLICKED && OnClick) OnClick();
}

// ---- TextBox ---------------------------------------------------------------

void TextBox::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_EDITW, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
                   WS_EX_CLIENTEDGE, container);
}

// The edit control's own notice of a program change is held back (systems
// differ on whether it comes), and one OnChange is raised here instead.
void TextBox::SetText(const std::wstring& text) {
    if (Text() == text) return;
    settingText_ = true;
    SetWindowTextW(hwnd(), text.c_str());
    settingText_ = false;
    lastText_ = text;
    if (OnChange) OnChange();
}

void TextBox::SetMaxLength(int characters) {
    SendMessageW(hwnd(), EM_SETLIMITTEXT, static_cast<WPARAM>(characters < 0 ? 0 : characters), 0);
}

namespace {
std::pair<int, int> EditSelection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}
}  // namespace

int TextBox::SelStart() const { return EditSelection(hwnd()).first; }

void TextBox::SetSelStart(int start) { SendMessageW(hwnd(), EM_SETSEL, start, start); }

int TextBox::SelLength() const {
    auto [start, end] = EditSelection(hwnd());
    return end - start;
}

void TextBox::SetSelLength(int length) {
    int start = SelStart();
    SendMessageW(hwnd(), EM_SETSEL, start, start + length);
}

void TextBox::SelectAll() {
    SetSelStart(0);
    SetSelLength(static_cast<int>(Text().size()));
}

// Some edit controls also report a change when a typed character was
// refused at the length limit; only real changes reach OnChange.
void TextBox::Notify(int code) {
    if (code == EN_CHANGE && !settingText_) {
        std::wstring text = Text();
        if (text == lastText_) return;
        lastText_ = text;
        if (OnChange) OnChange();
    }
    if (code == EN_SETFOCUS && OnGotFocus) OnGotFocus();
}

void TextBox::Observe(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_LBUTTONUP && OnClick && InClientArea(hwnd(), lParam)) OnClick();
}

// ---- Image -----------------------------------------------------------------

void Image::Create(Form& form, int bitmapResourceId) {
    if (form_ && form_ != &form) form_->RemoveImage(*this);
    form_ = &form;
    bitmap_.Reset(static_cast<HBITMAP>(LoadImageW(base::CodeModule(), MAKEINTRESOURCEW(bitmapResourceId),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    form.AddImage(*this);
}

Image::~Image() {
    if (form_) form_->RemoveImage(*this);
}

void Image::Move(long left, long top) {
    Invalidate();
    left_ = left;
    top_ = top;
    Invalidate();
}

SIZE Image::PixelSize() const {
    BITMAP info{};
    if (bitmap_) GetObjectW(bitmap_.get(), sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

long Image::Width() const { return PixelsToTwipsX(PixelSize().cx); }
long Image::Height() const { return PixelsToTwipsY(PixelSize().cy); }

bool Image::Contains(long x, long y) const {
    return x >= left_ && y >= top_ && x < left_ + Width() && y < top_ + Height();
}

void Image::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
}

void Image::SetTransparentColor(COLORREF color) {
    keyed_ = true;
    key_ = color;
    Invalidate();
}

// The picture's place on the form in pixels.
RECT Image::PixelRect() const {
    SIZE size = PixelSize();
    int x = TwipsToPixelsX(left_), y = TwipsToPixelsY(top_);
    return RECT{x, y, x + size.cx, y + size.cy};
}

void Image::Invalidate() const {
    if (!form_ || !form_->hwnd() || !bitmap_) return;
    RECT r = PixelRect();
    InvalidateRect(form_->hwnd(), &r, TRUE);
}

void Image::Draw(HDC dc) const {
    if (!bitmap_ || !visible_) return;
    RECT r = PixelRect();
    int width = r.right - r.left, height = r.bottom - r.top;
    base::MemoryDC memory(dc);
    base::SelectedObject picture(memory.get(), bitmap_.get());
    if (keyed_)
        GdiTransparentBlt(dc, r.left, r.top, width, height, memory.get(), 0, 0, width, height, key_);
    else
        BitBlt(dc, r.left, r.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

// ---- List items ------------------------------------------------------------

RedrawPause::RedrawPause(HWND list)
    : list_(list), wasVisible_((GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE) != 0) {
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    if (wasVisible_) SetWindowLongW(list_, GWL_STYLE, GetWindowLongW(list_, GWL_STYLE) & ~WS_VISIBLE);
}

RedrawPause::~RedrawPause() {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    if (wasVisible_) SetWindowLongW(list_, GWL_STYLE, GetWindowLongW(list_, GWL_STYLE) | WS_VISIBLE);
    InvalidateRect(list_, nullptr, TRUE);
}

namespace {
std::wstring ItemText(HWND box, int index, UINT lengthMessage, UINT textMessage) {
    LRESULT length = SendMessageW(box, lengthMessage, static_cast<WPARAM>(index), 0);
    // LB_ERR and CB_ERR are both -1.
    if (length < 0) throw base::RunError(base::err::InvalidArrayIndex);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(box, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}
}  // namespace

std::wstring ListBoxItemText(HWND list, int index) {
    return ItemText(list, index, LB_GETTEXTLEN, LB_GETTEXT);
}

std::wstring ComboBoxItemText(HWND combo, int index) {
    return ItemText(combo, index, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

// ---- ListBox ---------------------------------------------------------------

void ListBox::Create(Form& form, Frame* container, bool sorted, bool multiSelect) {
    CreateWindowOf(form, WC_LISTBOXW,
                   LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP |
                       (sorted ? LBS_SORT : 0) |
                       (multiSelect ? LBS_EXTENDEDSEL : 0),
                   WS_EX_CLIENTEDGE, container);
}

bool ListBox::MultiSelect() const {
    return (GetWindowLongW(hwnd(), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0;
}

int ListBox::ListCount() const {
    return static_cast<int>(SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
}

std::wstring ListBox::List(int index) const { return ListBoxItemText(hwnd(), index); }

void ListBox::AddItem(const std::wstring& item) {
    SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ListBox::RemoveItem(int index) {
    SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBox::Clear() { SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0); }

void ListBox::BeginUpdate() {
    if (updates_++ == 0) pause_.emplace(hwnd());
}

void ListBox::EndUpdate() {
    if (updates_ == 0 || --updates_ > 0) return;
    pause_.reset();
}

bool ListBox::Selected(int index) const {
    if (!MultiSelect()) return index >= 0 && SendMessageW(hwnd(), LB_GETCURSEL, 0, 0) == index;
    return SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBox::SetSelected(int index, bool selected) {
    if (index < 0 || index >= ListCount()) throw base::RunError(base::err::InvalidArrayIndex);
    if (MultiSelect())
        SendMessageW(hwnd(), LB_SETSEL, selected, index);
    else if (selected)
        SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (Selected(index))
        SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int ListBox::SelCount() const {
    if (!MultiSelect()) return SendMessageW(hwnd(), LB_GETCURSEL, 0, 0) == LB_ERR ? 0 : 1;
    return static_cast<int>(SendMessageW(hwnd(), LB_GETSELCOUNT, 0, 0));
}

void ListBox::SelectAll() {
    if (MultiSelect()) SendMessageW(hwnd(), LB_SETSEL, TRUE, -1);
}

void ListBox::DeselectAll() {
    if (MultiSelect())
        SendMessageW(hwnd(), LB_SETSEL, FALSE, -1);
    else
        SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int ListBox::ListIndex() const {
    if (ListCount() == 0) return -1;
    UINT message = MultiSelect() ? LB_GETCARETINDEX : LB_GETCURSEL;
    return static_cast<int>(SendMessageW(hwnd(), message, 0, 0));
}

void ListBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) throw base::RunError(base::err::InvalidPropertyValue);
    if (index == -1) {
        DeselectAll();
        return;
    }
    SetSelected(index, true);
    if (MultiSelect()) SendMessageW(hwnd(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

void ListBox::Notify(int code) {
    if (code == LBN_SELCHANGE && OnClick) OnClick();
    if (code == LBN_DBLCLK && OnDblClick) OnDblClick();
}

bool ListContains(const ListBox& list, const std::wstring& value) {
    const int count = list.ListCount();
    for (int i = 0; i < count; ++i)
        if (list.List(i) == value) return true;
    return false;
}

// ---- StatusBar -------------------------------------------------------------

void StatusBar::Create(Form& form, int panelCount) {
    panelCount_ = std::max(panelCount, 1);
    CreateWindowOf(form, STATUSCLASSNAMEW, SBARS_SIZEGRIP, 0, nullptr);
    FormResized();
}

// A status bar places itself at the bottom of its parent only when it is
// told of a size change; the panel edges are then worked out afresh.
void StatusBar::FormResized() {
    SendMessageW(hwnd(), WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(form()->hwnd(), &client);
    std::vector<int> edges(static_cast<size_t>(panelCount_));
    for (int i = 0; i < panelCount_; ++i)
        edges[static_cast<size_t>(i)] = i + 1 == panelCount_ ? -1 : client.right * (i + 1) / panelCount_;
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

void StatusBar::ShowHint(base::Text id) { SetPanelText(1, base::LoadText(id)); }

// ---- Timer -----------------------------------------------------------------

void Timer::Create(Form& form, UINT intervalMs, bool enabled) {
    // Created again while its window is still there: its old window timer goes.
    if (form_ && form_->hwnd() && id_) KillTimer(form_->hwnd(), id_);
    if (form_ && form_ != &form) form_->RemoveTimer(*this);
    form_ = &form;
    id_ = form.AddTimer(*this);
    interval_ = intervalMs;
    SetEnabled(enabled);
}

Timer::~Timer() {
    if (!form_) return;
    if (form_->hwnd()) KillTimer(form_->hwnd(), id_);
    form_->RemoveTimer(*this);
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
