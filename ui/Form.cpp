#include "ui/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>

#include "base/Display.h"
#include "base/Module.h"
#include "base/RunError.h"
#include "base/Scoped.h"
#include "ui/App.h"
#include "ui/Controls.h"
#include "ui/Menu.h"
#include "ui/MsgBox.h"
#include "ui/Screen.h"
#include "ui/ToolTip.h"

namespace ui {

namespace {
const wchar_t kFormClass[] = L"NomaroForm";
const DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
// Inside the shell extension forms may load on several threads of the host.
std::atomic<int> gLoadedForms{0};

void EnsureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}
}  // namespace

int ShiftStateNow() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

int MouseButtonsFrom(WPARAM wParam) {
    int buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= kLeftButton;
    if (wParam & MK_RBUTTON) buttons |= kRightButton;
    if (wParam & MK_MBUTTON) buttons |= kMiddleButton;
    return buttons;
}

bool InClientArea(HWND window, LPARAM point) {
    RECT client;
    GetClientRect(window, &client);
    POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    return PtInRect(&client, at) != FALSE;
}

void ReportUnexpectedError(HWND owner, const std::exception_ptr& error) noexcept {
    try {
        const base::RunError failure = base::RunErrorOf(error, base::err::InvalidCall);
        if (owner && !IsWindow(owner)) owner = nullptr;
        ShowErrorBox(owner, failure);
    } catch (...) {
        // Not even the report could be made; the program goes on without it.
    }
}

Form::Form() = default;

Form::~Form() {
    for (auto& entry : controls_) entry.second->FormGone();
    ForgetTimersAndImages();
    if (!hwnd_) return;
    // The controls of the subclass are already gone: destroy the window
    // without running any more handlers.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    --gLoadedForms;
}

int Form::LoadedCount() { return gLoadedForms; }

DWORD Form::FormStyle() const {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

HWND Form::OwnerWindow() const { return AppWindow(); }

SIZE Form::OuterSizeForClient(long clientWidth, long clientHeight) const {
    RECT r{0, 0, TwipsToPixelsX(clientWidth), TwipsToPixelsY(clientHeight)};
    AdjustWindowRectEx(&r, FormStyle(), FALSE, kFormExStyle);
    return SIZE{PixelsToTwipsX(r.right - r.left), PixelsToTwipsY(r.bottom - r.top)};
}

void Form::Load() {
    if (hwnd_) return;
    EnsureCommonControls();
    static ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        // Windows keeps the classes of a library after it is unloaded; a
        // class left by an earlier load of the shell extension at the same
        // address would lead to code that is gone, so it is replaced.
        if (GetClassInfoExW(base::CodeModule(), kFormClass, &wc) && wc.lpfnWndProc != WindowProc)
            UnregisterClassW(kFormClass, base::CodeModule());
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = base::CodeModule();
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFormClass;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
    SIZE size = DesignSize();
    HWND owner = OwnerWindow();
    if (owner && !IsWindow(owner)) owner = nullptr;
    HWND created = CreateWindowExW(kFormExStyle, kFormClass, caption_.c_str(), FormStyle(),
                                   CW_USEDEFAULT, CW_USEDEFAULT, TwipsToPixelsX(size.cx),
                                   TwipsToPixelsY(size.cy), owner, nullptr, base::CodeModule(), this);
    if (!created) throw base::RunError(base::err::InvalidCall);
    ++gLoadedForms;
    CreateControls();
    OnLoad();
}

void Form::Show() {
    Load();
    if (hwnd_) ShowWindow(hwnd_, SW_SHOW);
}

void Form::ShowModal(Form* owner) { ShowModalOver(owner ? owner->hwnd() : nullptr); }

void Form::ShowModalOver(HWND ownerWindow) {
    Load();
    if (!hwnd_) return;
    if (ownerWindow && !IsWindow(ownerWindow)) ownerWindow = nullptr;
    // An owner that is already disabled (behind another modal window) is
    // left for that window to enable again.
    if (ownerWindow && !IsWindowEnabled(ownerWindow)) ownerWindow = nullptr;
    if (ownerWindow) EnableWindow(ownerWindow, FALSE);
    modalOwner_ = ownerWindow;
    ShowWindow(hwnd_, SW_SHOW);
    MSG msg;
    while (hwnd_ && IsWindowVisible(hwnd_)) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchQueued(msg);
    }
    modalOwner_ = nullptr;
    if (ownerWindow && IsWindow(ownerWindow)) EnableWindow(ownerWindow, TRUE);
}

// A modal form gives its owner back its input before it disappears, so that
// the owner, not some other program, becomes the active window.
void Form::ReleaseModalOwner() {
    if (modalOwner_ && IsWindow(modalOwner_)) EnableWindow(modalOwner_, TRUE);
}

void Form::Hide() {
    if (!hwnd_) return;
    ReleaseModalOwner();
    ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Unload() {
    if (!hwnd_ || unloading_) return true;
    bool cancel = false;
    OnQueryClose(cancel);
    if (cancel) return false;
    unloading_ = true;
    ReleaseModalOwner();
    DestroyWindow(hwnd_);
    unloading_ = false;
    return true;
}

std::wstring Form::Caption() const { return caption_; }

void Form::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}

void Form::CentreOnScreen(long width, long height) {
    Move(base::CentredOffset(ScreenWidthTwips(), width), base::CentredOffset(ScreenHeightTwips(), height),
         width, height);
}

void Form::Move(long left, long top, long width, long height) {
    if (hwnd_)
        MoveWindow(hwnd_, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                   TwipsToPixelsY(height), TRUE);
}

namespace {
RECT OuterRect(HWND hwnd) {
    RECT r{};
    if (hwnd) GetWindowRect(hwnd, &r);
    return r;
}
}  // namespace

long Form::Left() const { return PixelsToTwipsX(OuterRect(hwnd_).left); }
long Form::Top() const { return PixelsToTwipsY(OuterRect(hwnd_).top); }
long Form::Width() const {
    RECT r = OuterRect(hwnd_);
    return PixelsToTwipsX(r.right - r.left);
}
long Form::Height() const {
    RECT r = OuterRect(hwnd_);
    return PixelsToTwipsY(r.bottom - r.top);
}

void Form::SetRegion(HRGN region) {
    if (hwnd_) SetWindowRgn(hwnd_, region, TRUE);
}

void Form::SetDefaultButton(Button& button) {
    defaultButton_ = &button;
    SendMessageW(button.hwnd(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void Form::SetCancelButton(Button& button) { cancelButton_ = &button; }

void Form::Refresh() {
    if (hwnd_) UpdateWindow(hwnd_);
}

int Form::AddControl(Control& control) {
    int id = nextControlId_++;
    controls_[id] = &control;
    return id;
}

void Form::RemoveControl(const Control& control) {
    auto it = controls_.find(control.id());
    if (it != controls_.end() && it->second == &control) controls_.erase(it);
}

void Form::AddImage(Image& image) {
    if (std::find(images_.begin(), images_.end(), &image) == images_.end())
        images_.push_back(&image);
}

void Form::RemoveImage(const Image& image) { std::erase(images_, &image); }

// A click on a visible picture is the picture's (the one drawn last lies on
// top); only a click on the bare window is the form's.
void Form::ClickAt(long x, long y) {
    for (auto image = images_.rbegin(); image != images_.rend(); ++image)
        if ((*image)->Visible() && (*image)->Contains(x, y)) {
            if ((*image)->OnClick) (*image)->OnClick();
            return;
        }
    OnFormClick();
}

UINT Form::AddTimer(Timer& timer) {
    RemoveTimer(timer);
    UINT id = nextTimerId_++;
    timers_[id] = &timer;
    return id;
}

void Form::RemoveTimer(const Timer& timer) {
    std::erase_if(timers_, [&](const auto& entry) { return entry.second == &timer; });
}

void Form::ForgetTimersAndImages() {
    for (auto& entry : timers_) entry.second->FormGone();
    for (Image* image : images_) image->FormGone();
    timers_.clear();
    images_.clear();
}

UINT Form::AddMenuItem(MenuItem& item) {
    UINT id = nextMenuId_++;
    menuItems_[id] = &item;
    return id;
}

void Form::AddShortcut(UINT virtualKey, int shift, const MenuItem& item) {
    shortcuts_[{virtualKey, shift}] = item.id();
}

bool Form::HandleShortcut(UINT virtualKey) {
    const auto shortcut = shortcuts_.find({virtualKey, ShiftStateNow()});
    if (shortcut == shortcuts_.end()) return false;
    const auto item = menuItems_.find(shortcut->second);
    if (item == menuItems_.end() || !item->second->Enabled() || !item->second->OnClick) return false;
    item->second->Click();
    return true;
}

Control* Form::ControlFromHwnd(HWND hwnd) const {
    auto it = controls_.find(GetDlgCtrlID(hwnd));
    return it != controls_.end() && it->second->hwnd() == hwnd ? it->second : nullptr;
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return form ? form->Handle(message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

// The handlers run inside the window procedure, which no exception may
// leave: whatever escapes them is reported and the message counts as handled.
LRESULT Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    LRESULT result = 0;
    try {
        if (Dispatch(message, wParam, lParam, result)) return result;
    } catch (...) {
        ReportUnexpectedError(window, std::current_exception());
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (lParam) {
            if (Control* control = ControlFromHwnd(reinterpret_cast<HWND>(lParam)))
                control->Command(id, HIWORD(wParam));
        } else if (auto item = menuItems_.find(static_cast<UINT>(id)); item != menuItems_.end()) {
            item->second->Click();
        } else if (id == IDCANCEL) {
            if (cancelButton_)
                cancelButton_->Click();
            else
                OnEscape();
        } else if (id == IDOK && defaultButton_) {
            defaultButton_->Click();
        }
        return true;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        Control* control = ControlFromHwnd(header.hwndFrom);
        if (control && control->Notified(header, result)) return true;
        break;
    }
    case DM_GETDEFID:
        result = defaultButton_ ? MAKELRESULT(defaultButton_->id(), DC_HASDEFID) : 0;
        return true;
    case WM_TIMER: {
        auto it = timers_.find(static_cast<UINT>(wParam));
        if (it != timers_.end()) it->second->Tick();
        return true;
    }
    case WM_PAINT:
        Paint();
        return true;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_MENU) break;
        Control* control = ControlFromHwnd(item.hwndItem);
        if (control && control->DrawItem(item)) {
            result = TRUE;
            return true;
        }
        break;
    }
    case WM_SIZE:
        for (auto& entry : controls_)
            if (entry.second->hwnd()) entry.second->FormResized();
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        Control* control = ControlFromHwnd(reinterpret_cast<HWND>(lParam));
        if (control && control->Transparent()) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return true;
        }
        break;
    }
    case WM_MOUSEMOVE:
        OnFormMouseMove(MouseButtonsFrom(wParam), ShiftStateNow(),
                       PixelsToTwipsX(static_cast<short>(LOWORD(lParam))),
                       PixelsToTwipsY(static_cast<short>(HIWORD(lParam))));
        return true;
    case WM_LBUTTONDOWN:
        leftButtonDown_ = true;
        SetCapture(hwnd_);
        return true;
    case WM_LBUTTONUP:
        if (leftButtonDown_) {
            leftButtonDown_ = false;
            ReleaseCapture();
            if (InClientArea(hwnd_, lParam))
                ClickAt(PixelsToTwipsX(static_cast<short>(LOWORD(lParam))),
                        PixelsToTwipsY(static_cast<short>(HIWORD(lParam))));
        }
        return true;
    case WM_INITMENUPOPUP:
        OnMenuPopup(reinterpret_cast<HMENU>(wParam));
        return true;
    case WM_CLOSE:
        Unload();
        return true;
    case WM_DESTROY:
        OnDestroyed();
        return true;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return true;
    default:
        break;
    }
    return false;
}

void Form::Paint() {
    const base::PaintDC dc(hwnd_);
    for (const Image* image : images_) image->Draw(dc.get());
}

// The timers, pictures and menu items go with the window; a later load
// registers them afresh.
ToolTips& Form::FormToolTips() {
    if (!toolTips_) toolTips_ = std::make_unique<ToolTips>(hwnd_);
    return *toolTips_;
}

void Form::OnDestroyed() {
    for (auto& entry : timers_) KillTimer(hwnd_, entry.first);
    ForgetTimersAndImages();
    toolTips_.reset();
    menuItems_.clear();
    shortcuts_.clear();
    try {
        OnUnload();
    } catch (...) {
        ReportUnexpectedError(hwnd_, std::current_exception());
    }
    --gLoadedForms;
}

}  // namespace ui
