// Thin wrappers over the standard controls: each is a window handle plus the
// few operations the forms use. Positions are in twips relative to the
// control's container (the form, or a frame it was placed in).
#pragma once
#include <windows.h>

#include <functional>
#include <string>

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

protected:
    void CreateWindowOf(Form& form, const wchar_t* windowClass, DWORD style, DWORD exStyle,
                        Frame* container);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void InvalidateUnder() const;

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

class CheckBox : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    bool Value() const;
    void SetValue(bool checked);
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
};

class Frame : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    // Position of the frame's inside on the form, in twips.
    long OriginLeft() const;
    long OriginTop() const;
};

class Label : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    void Notify(int code) override;
};

// A windowless picture painted by the form under its controls.
class Image {
public:
    void Create(Form& form, int bitmapResourceId);
    ~Image();
    void Move(long left, long top);
    bool Loaded() const { return bitmap_ != nullptr; }
    void Draw(HDC dc) const;

private:
    HBITMAP bitmap_ = nullptr;
    long left_ = 0, top_ = 0;
};

class ListBox : public Control {
public:
    void Create(Form& form, Frame* container = nullptr, bool sorted = false);
    int ListCount() const;
    std::wstring List(int index) const;
    void AddItem(const std::wstring& item);
    void RemoveItem(int index);
    void Clear();
};

// A status bar of panels; panel indices start at 1.
class StatusBar : public Control {
public:
    void Create(Form& form, int panelCount);
    std::wstring PanelText(int panel) const;
    void SetPanelText(int panel, const std::wstring& text);
};

// A window timer that calls OnTimer every Interval milliseconds while enabled.
class Timer {
public:
    void Create(Form& form, UINT intervalMs, bool enabled = false);
    ~Timer();
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

private:
    void Arm();
    Form* form_ = nullptr;
    UINT id_ = 0;
    UINT interval_ = 0;
    bool enabled_ = false;
};

// The common font of the controls.
HFONT DefaultFont();

}  // namespace ui
