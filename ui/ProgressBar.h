// A progress bar: a value between 0 and a maximum, drawn as a filled bar.
#pragma once
#include "ui/Controls.h"

namespace ui {

class ProgressBar : public Control {
public:
    void Create(Form& form, Frame* container = nullptr);
    // Values run from 0 to `maximum`; a maximum below 1 (nothing to show)
    // raises base::RunError 380 and keeps the old one.
    void SetMaximum(int maximum);
    int Maximum() const;
    // Clamped to 0 ... Maximum().
    void SetValue(int value);
    int Value() const;
};

}  // namespace ui
