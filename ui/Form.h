// A window described as a form: named controls as members, a handler for
// each event they raise, sizes in twips. A subclass creates its controls in
// CreateControls and reacts in OnLoad, OnQueryClose and OnUnload.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class Control;
class Button;
class Image;
class MenuItem;
class Timer;
class ToolTips;

class Form {
public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls and runs OnLoad; does nothing when loaded.
    void Load();
    // Loads when needed and shows the window without waiting.
    void Show();
    // Loads when needed, disables `owner` (if any) and runs a nested message
    // loop until the window is hidden or unloaded.
    void ShowModal(Form* owner = nullptr);
    // The same over any window, which may belong to another program's code
    // in this process (or be null).
    void ShowModalOver(HWND owner);
    void Hide();
    // Asks OnQueryClose, then destroys the window. False when the form refused.
    bool Unload();

    bool IsLoaded() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);

    // Outer position and size in twips (screen coordinates).
    void Move(long left, long top, long width, long height);
    // Gives the window this outer size in twips and centres it on the screen.
    void CentreOnScreen(long width, long height);
    void CentreOnScreen() { CentreOnScreen(Width(), Height()); }
    long Left() const;
    long Top() const;
    long Width() const;
    long Height() const;

    // Window shape: everything outside `region` is neither drawn nor clickable.
    // The form owns the region from then on.
    void SetRegion(HRGN region);

    // Enter presses the default button, Esc the cancel button.
    void SetDefaultButton(Button& button);
    void SetCancelButton(Button& button);

    // Repaints whatever is invalid now.
    void Refresh();

    // Number of loaded forms in the process; the message loop ends at zero.
    static int LoadedCount();

    // Timers and pictures registered by the controls of the loaded window.
    size_t TimerCount() const { return timers_.size(); }
    size_t ImageCount() const { return images_.size(); }

    // Internal: called by the kit. A control is registered while both it and
    // the form exist, a timer or picture while both exist and the window is
    // loaded; whichever goes first ends the registration.
    int AddControl(Control& control);
    void RemoveControl(const Control& control);
    void AddImage(Image& image);
    void RemoveImage(const Image& image);
    UINT AddTimer(Timer& timer);
    void RemoveTimer(const Timer& timer);
    // Command ids of menu items start at 1000, clear of IDOK, IDCANCEL and
    // the ids of the controls.
    UINT AddMenuItem(MenuItem& item);
    // A key (with the shift state of ShiftStateNow) that chooses a menu item.
    void AddShortcut(UINT virtualKey, int shift, const MenuItem& item);
    // Runs the item of a shortcut key pressed in the window; false when the
    // key is no shortcut, or its item is disabled or does nothing yet, so
    // that the key goes on to the control with the focus.
    bool HandleShortcut(UINT virtualKey);
    // The tooltip window of the loaded form, made on first use; it goes with
    // the form's window. Null while the form has none.
    ToolTips& FormToolTips();
    const ToolTips* ToolTipsIfAny() const { return toolTips_.get(); }

protected:
    virtual void CreateControls() {}
    virtual void OnLoad() {}
    virtual void OnQueryClose(bool& /*cancel*/) {}
    virtual void OnUnload() {}
    virtual void OnFormMouseMove(int /*button*/, int /*shift*/, long /*x*/, long /*y*/) {}
    // The left button went down and up on the bare window (not on a control
    // nor on a picture). Mouse moves while the button is held arrive at the form.
    virtual void OnFormClick() {}
    // Esc pressed anywhere in the window, when there is no cancel button.
    virtual void OnEscape() {}
    // A drop-down menu of the form is about to open: the moment to bring the
    // states of its items up to date.
    virtual void OnMenuPopup(HMENU /*menu*/) {}

    // Window style of the form; a fixed single frame with caption by default.
    virtual DWORD FormStyle() const;
    // Initial outer size in twips, before CreateControls runs.
    virtual SIZE DesignSize() const { return SIZE{6000, 4500}; }
    // The window that owns the form (it stays above it and goes with it):
    // the hidden application window by default.
    virtual HWND OwnerWindow() const;
    // Outer size in twips of a form of this style whose client area has the
    // given size in twips.
    SIZE OuterSizeForClient(long clientWidth, long clientHeight) const;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the form's part of a message; false leaves it to the default procedure.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Paint();
    void OnDestroyed();
    // Ends the registration of every timer and picture.
    void ForgetTimersAndImages();
    void ReleaseModalOwner();
    // A click of the left button at (x, y) in twips of the client area.
    void ClickAt(long x, long y);
    Control* ControlFromHwnd(HWND hwnd) const;

    HWND hwnd_ = nullptr;
    std::wstring caption_;
    int nextControlId_ = 100;
    UINT nextTimerId_ = 1;
    std::map<int, Control*> controls_;
    std::vector<Image*> images_;
    std::map<UINT, Timer*> timers_;
    UINT nextMenuId_ = 1000;
    std::map<UINT, MenuItem*> menuItems_;
    std::map<std::pair<UINT, int>, UINT> shortcuts_;  // key and shift state -> menu item id
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    bool unloading_ = false;
    HWND modalOwner_ = nullptr;  // disabled while the form runs modal over it
    bool leftButtonDown_ = false;  // pressed on the bare window, for OnFormClick
    std::unique_ptr<ToolTips> toolTips_;
};

// Mouse buttons and shift state as the event handlers receive them.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

int ShiftStateNow();
int MouseButtonsFrom(WPARAM wParam);
// Whether the point of a mouse message (its lParam) lies in the window's client area.
bool InClientArea(HWND window, LPARAM point);

// Reports an error that an event handler let escape, over `owner` (the
// form's window), so that the program can go on: a base::RunError with its number
// and description, running out of memory as error 7 and anything else as
// error 5. The window procedures of the kit call it rather than let an
// exception leave them.
void ReportUnexpectedError(HWND owner, const std::exception_ptr& error) noexcept;

}  // namespace ui
