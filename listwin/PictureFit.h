// Fitting the picture preview into its frame: shrink a picture that does not
// fit, keeping its proportions, and centre it. Works on any control through
// the small interface below, so the arithmetic is tested without windows.
#pragma once

namespace listwin {

// Something with an outer size in twips: a form or a control.
class TwipsBox {
public:
    virtual ~TwipsBox() = default;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
};

// A control that can be placed, sized, shown and stretched.
class TwipsControl : public TwipsBox {
public:
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual void SetLeft(double twips) = 0;
    virtual void SetTop(double twips) = 0;
    virtual void SetWidth(double twips) = 0;
    virtual void SetHeight(double twips) = 0;
    virtual void SetVisible(bool visible) = 0;
    // Off: the control takes the natural size of its picture. On: the picture
    // is stretched to whatever size the control is given.
    virtual void SetStretch(bool stretch) = 0;
    virtual void BringToFront() = 0;
};

// Centres `obj` on `frame` (outer sizes, halves not rounded) and brings it to
// the front of its siblings.
void CenterCTL(const TwipsBox& frame, TwipsControl& obj);

// Shows `picture` centred on `container` at its natural size when that fits
// inside the container less `margin` on each side; otherwise shrinks it in
// steps that keep its proportions until it fits the container less one
// margin, or until its shorter side reaches 100 twips, and stretches it to
// that size. Sizes are 16-bit numbers: a picture or container larger than
// 32767 twips raises run-time error 6 (Overflow) with the picture hidden.
void LogicalSize(const TwipsBox& container, TwipsControl& picture, int margin);

}  // namespace listwin
