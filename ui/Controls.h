// Thin wrappers over the standard controls: each is a window handle plus the
// few operations the forms use. Positions are in twips relative to the
// control's container (the form, or a frame it was placed in).
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "base/Scoped.h"
#include "base/TextId.h"
#include "ui/Form.h"

namespace ui {

class Frame;

class Control {
public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    Form* form() const { return form_; }

    void Move(long left, long top, long width, long height);
    long Left() const { return left_; }
    long Top() const { return top_; }
    long Width() const { return width_; }
    long Height() const { return height_; }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    void SetFocus();
    bool HasFocus() const;

    // A tip shown while the mouse rests on the control (the form's tooltip
    // window holds it); an empty text takes it away. Set it when the form
    // creates its controls: it goes with the form's window.
    void SetToolTipText(const std::wstring& text);
    std::wstring ToolTipText() const;

    // Drawn over the form's picture without a background of its own.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }

    std::function<void()> OnClick;
    std::function<void(int keyCode, int shift)> OnKeyDown;
    std::function<void(int keyCode, int shift)> OnKeyUp;
    // Mouse events: buttons, shift state, x and y in twips inside the control.
    std::function<void(int button, int shift, long x, long y)> OnMouseMove;
    std::function<void(int button, int shift, long x, long y)> OnMouseDown;
    std::function<void(int button, int shift, long x, long y)> OnMouseUp;

    // Internal: a WM_COMMAND notification for this control.
    virtual void Notify(int code);
    // Internal: a WM_COMMAND from this control's window naming a command of
    // its own (a toolbar button); the default passes the code to Notify.
    virtual void Command(int /*commandId*/, int code) { Notify(code); }
    // Internal: a WM_NOTIFY from this control's window. True when the control
    // handled it, with the answer in `result`.
    virtual bool Notified(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // Internal: the form was asked to draw an item of this owner-drawn
    // control. True when the control drew it.
    virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // Internal: the form's client area changed size; controls that keep to
    // an edge of the form place themselves again.
    virtual void FormResized() {}
    // Internal: the form object goes before the control.
    void FormGone() { form_ = nullptr; }

protected:
    void CreateWindowOf(Form& form, const wchar_t* windowClass, DWORD style, DWORD exStyle,
                        Frame* container);
    // Sees every message of the control's window before the control does.
    virtual void Observe(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    // Handles every message of the control's window after the events were
    // raised, and gives its result. The default leaves it to the window's
    // own procedure; an override may answer a message itself or change the
    // answer of CallPrevious.
    virtual LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own procedure (the one the kit's hook replaced).
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    // The control's window rectangle in pixels of the form's client area.
    RECT PlaceOnForm() const;
    // Makes `fresh` (a window made to stand in for the current one, with the
    // same parent and id) the control's window: the events come from it from
    // now on, and the old window is destroyed, once no message of it is
    // being handled any more.
    void AdoptWindow(HWND fresh);

private:
    // The control's window procedure is replaced by WindowProc, which raises
    // the events and hands every message to ControlProc. The hook lives with
    // the window (in its GWLP_USERDATA) and outlives a control that goes
    // first; `depth` counts the calls of WindowProc under way, so that a
    // window destroyed by a handler does not free the hook under them.
    struct Hook {
        Control* control;
        WNDPROC previous;
        int depth;
        bool destroyed;
        bool retired;  // replaced by a fresh window: destroyed when depth falls to 0
    };
    void Subclass();
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void RaiseEvents(UINT message, WPARAM wParam, LPARAM lParam);
    void InvalidateUnder() const;

    Hook* hook_ = nullptr;

    HWND hwnd_ = nullptr;
    int id_ = 0;
    Form* form_ = nullptr;
    Frame* container_ = nullptr;
    long left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool transparent_ = false;
};

class Button : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    // Presses the button as a click would.
    void Click();
    void Notify(int code) override;
};

// The values of a check box: unchecked, checked, and grayed (neither, set
// only by the program).
enum class CheckValue { Unchecked = 0, Checked = 1, Grayed = 2 };

// A check box; a click of the user checks it when it is unchecked and
// unchecks it otherwise (a grayed box too).
class CheckBox : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    // Whether it is checked (a grayed box is not).
    bool Value() const { return State() == CheckValue::Checked; }
    void SetValue(bool checked) { SetState(checked ? CheckValue::Checked : CheckValue::Unchecked); }
    CheckValue State() const;
    // Raises OnClick when the value changes.
    void SetState(CheckValue value);
    // The value as a number, as a settings file holds it: 0, 1 or 2; any
    // other number raises 380 (Invalid property value) and changes nothing.
    void SetNumber(int value);
    void Notify(int code) override;
};

// One of a group of exclusive choices. The first button of each group is
// created with `firstOfGroup`.
class OptionButton : public Control {
public:
    void Create(Form& form, Frame* container = nullptr, bool firstOfGroup = false);
    bool Value() const;
    // Selecting clears the other buttons of the group and raises OnClick when it changed.
    void SetValue(bool selected);
    void Notify(int code) override;

private:
    void ClearOthersInGroup();
};

class Frame : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    // Position of the frame's inside on the form, in twips.
    long OriginLeft() const;
    long OriginTop() const;
};

// Static text; disabled, it is drawn greyed.
class Label : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    void Notify(int code) override;
};

// A single-line text box.
class TextBox : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    std::wstring Text() const { return Caption(); }
    // Changing the text raises OnChange once; setting the same text raises nothing.
    void SetText(const std::wstring& text);
    void SetCaption(const std::wstring& text) { SetText(text); }
    // Most characters the user can type; 0 lifts the limit. Text set by the
    // program is not cut.
    void SetMaxLength(int characters);

    // Selection: start (caret position) and length, in characters.
    int SelStart() const;
    // Puts the caret at `start` with nothing selected.
    void SetSelStart(int start);
    int SelLength() const;
    // Selects `length` characters from SelStart.
    void SetSelLength(int length);
    // Selects the whole text, caret at its start.
    void SelectAll();

    // The text changed, by typing or by the program.
    std::function<void()> OnChange;
    std::function<void()> OnGotFocus;
    // OnClick (of Control): a left-button click inside the box.

    void Notify(int code) override;

protected:
    void Observe(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool settingText_ = false;
    std::wstring lastText_;  // the text OnChange last reported
};

// A windowless picture painted by the form under its controls. It is
// registered with its form while both exist and the form's window is loaded;
// whichever goes first ends the registration.
class Image {
public:
    Image() = default;
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    void Create(Form& form, int bitmapResourceId);
    void Move(long left, long top);
    bool Loaded() const { return bitmap_.valid(); }
    // The picture's bitmap, owned by the image.
    HBITMAP Bitmap() const { return bitmap_.get(); }
    void Draw(HDC dc) const;

    // Position and picture size in twips; the size also in pixels.
    long Left() const { return left_; }
    long Top() const { return top_; }
    long Width() const;
    long Height() const;
    int PixelWidth() const { return PixelSize().cx; }
    int PixelHeight() const { return PixelSize().cy; }
    // Whether the form point (x, y) in twips lies on the picture.
    bool Contains(long x, long y) const;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Pixels of this colour are left out, so the form shows through them.
    void SetTransparentColor(COLORREF color);

    // A click of the left button on the visible picture; the form's own
    // click is not raised then.
    std::function<void()> OnClick;

    // Internal: the form's window or the form object goes before the image.
    void FormGone() { form_ = nullptr; }

private:
    SIZE PixelSize() const;
    RECT PixelRect() const;
    void Invalidate() const;

    Form* form_ = nullptr;
    base::GdiObject<HBITMAP> bitmap_;
    long left_ = 0, top_ = 0;
    bool visible_ = true;
    bool keyed_ = false;
    COLORREF key_ = 0;
};

// Keeps a list box from drawing while the object lives and repaints it once
// when it goes: for many changes at once. The box is also marked invisible
// meanwhile, because Wine's list box still invalidates each changed item of
// a visible box whose drawing is off.
class RedrawPause {
public:
    explicit RedrawPause(HWND list);
    ~RedrawPause();
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    HWND list_;
    bool wasVisible_;
};

// The text of item `index` of a list box, or of the list of a combo box;
// raise 381 for an index outside the list.
std::wstring ListBoxItemText(HWND list, int index);
std::wstring ComboBoxItemText(HWND combo, int index);

// A list of texts. Selection changes made by the program raise no event.
class ListBox : public Control {
public:
    // `multiSelect`: any number of items can be selected, with Shift and
    // Ctrl as usual (extended selection); otherwise one at most.
    void Create(Form& form, Frame* container = nullptr, bool sorted = false,
                bool multiSelect = false);
    bool MultiSelect() const;

    int ListCount() const;
    std::wstring List(int index) const;
    void AddItem(const std::wstring& item);
    void RemoveItem(int index);
    void Clear();

    // Bulk changes: the list is not redrawn between BeginUpdate and the
    // matching EndUpdate (calls may nest).
    void BeginUpdate();
    void EndUpdate();

    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    // Selects every item (extended selection only) or none.
    void SelectAll();
    void DeselectAll();
    // The selected item (single selection) or the item with the focus
    // (extended selection); -1 when there is none.
    int ListIndex() const;
    // Selects `index` (extended selection: also moves the focus there and
    // keeps the other selected items); -1 selects nothing.
    void SetListIndex(int index);

    // OnClick (of Control): the user changed the selection.
    std::function<void()> OnDblClick;
    void Notify(int code) override;

private:
    int updates_ = 0;
    std::optional<RedrawPause> pause_;
};

// Whether some entry of `list` equals `value` exactly (case and all).
bool ListContains(const ListBox& list, const std::wstring& value);

// A status bar of panels; panel indices start at 1.
// It sits at the bottom of the form across its whole width, and keeps there
// when the form changes size. The panels share the width equally, the last
// one reaching to the right edge.
class StatusBar : public Control {
public:
    void Create(Form& form, int panelCount);
    int PanelCount() const { return panelCount_; }
    std::wstring PanelText(int panel) const;
    void SetPanelText(int panel, const std::wstring& text);
    // Puts a text of the string table into the hint panel (the first one).
    void ShowHint(base::Text id);
    void FormResized() override;

private:
    int panelCount_ = 0;
};

// A window timer that calls OnTimer every Interval milliseconds while enabled.
// Registered with its form like an Image; a timer that goes first kills its
// window timer.
class Timer {
public:
    Timer() = default;
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void Create(Form& form, UINT intervalMs, bool enabled = false);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT intervalMs);

    std::function<void()> OnTimer;

    // Test hook: when the timer is enabled, runs its tick at once instead of
    // waiting for it. Returns whether it ran.
    bool FireNow();

    // Internal: called by the form on WM_TIMER.
    void Tick();
    // Internal: the form's window or the form object goes before the timer
    // (the window's timers go with the window).
    void FormGone() { form_ = nullptr; }

private:
    void Arm();
    Form* form_ = nullptr;
    UINT id_ = 0;
    UINT interval_ = 0;
    bool enabled_ = false;
};

// Enables or disables several controls at once.
void SetEnabled(std::initializer_list<Control*> controls, bool enabled);

// The common font of the controls.
HFONT DefaultFont();

}  // namespace ui
