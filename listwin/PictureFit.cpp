#include "listwin/PictureFit.h"

#include <cmath>
#include <cstdint>

#include "base/Int16.h"
#include "base/RunError.h"

namespace listwin {
namespace {

// A length in twips as a signed 16-bit number, rounded half to even as the
// conversion of a fractional length to a whole number does.
int16_t Whole16(double twips) {
    const double rounded = std::nearbyint(twips);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw base::RunError(base::err::Overflow);
    return static_cast<int16_t>(rounded);
}

// longer / shorter * 10, rounded: the step of the longer side when the
// shorter side shrinks by 10.
int16_t LongerStep(int16_t longer, int16_t shorter) {
    if (shorter == 0) throw base::RunError(base::err::DivisionByZero);
    return Whole16(static_cast<double>(longer) / shorter * 10);
}

}  // namespace

void CenterCTL(const TwipsBox& frame, TwipsControl& obj) {
    obj.SetTop(frame.Height() / 2 - obj.Height() / 2);
    obj.SetLeft(frame.Width() / 2 - obj.Width() / 2);
    obj.BringToFront();
}

void LogicalSize(const TwipsBox& container, TwipsControl& picture, int margin) {
    picture.SetVisible(false);
    picture.SetStretch(false);
    int16_t ih = Whole16(picture.Height());
    int16_t iw = Whole16(picture.Width());
    const int16_t ch = Whole16(container.Height() - margin);
    const int16_t cw = Whole16(container.Width() - margin);
    CenterCTL(container, picture);
    if (picture.Top() < margin || picture.Left() < margin) {
        int16_t heightStep = 10, widthStep = 10;
        if (ih > iw)
            heightStep = LongerStep(ih, iw);
        else if (iw > ih)
            widthStep = LongerStep(iw, ih);
        while (!(iw <= cw && ih <= ch)) {
            ih = base::Sub16(ih, heightStep);
            iw = base::Sub16(iw, widthStep);
            if (ih < 100) {
                ih = 100;
                break;
            }
            if (iw < 100) {
                iw = 100;
                break;
            }
        }
        picture.SetStretch(true);
        picture.SetHeight(ih);
        picture.SetWidth(iw);
    }
    CenterCTL(container, picture);
    picture.SetVisible(true);
}

}  // namespace listwin
