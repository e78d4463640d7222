// Fitting and centring the picture preview, on stand-in controls.
#include "listwin/PictureFit.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/RunError.h"
#include "tests/error_number.h"

using listwin::LogicalSize;

namespace {

struct Box : listwin::TwipsBox {
    double width, height;
    Box(double w, double h) : width(w), height(h) {}
    double Width() const override { return width; }
    double Height() const override { return height; }
};

// A picture control holding a loaded picture of a natural size.
struct Picture : listwin::TwipsControl {
    double naturalWidth, naturalHeight;
    double left = -1, top = -1, width = 1, height = 1;
    bool visible = true, stretch = true;
    int broughtToFront = 0;
    Picture(double w, double h) : naturalWidth(w), naturalHeight(h) {}
    double Width() const override { return width; }
    double Height() const override { return height; }
    double Left() const override { return left; }
    double Top() const override { return top; }
    void SetLeft(double v) override { left = v; }
    void SetTop(double v) override { top = v; }
    void SetWidth(double v) override { width = v; }
    void SetHeight(double v) override { height = v; }
    void SetVisible(bool v) override { visible = v; }
    void SetStretch(bool v) override {
        stretch = v;
        if (!v) width = naturalWidth, height = naturalHeight;
    }
    void BringToFront() override { ++broughtToFront; }
};

}  // namespace

// Container and margin, the picture's natural size, and where it ends up.
TEST(PictureFit, LogicalSizeShrinksKeepingProportionsAndCentres) {
    const struct {
        const char* what;
        double boxW, boxH, pictureW, pictureH;
        bool stretch;
        double width, height, left, top;
    } cases[] = {
        {"worked example: 107 steps of 15 and 10", 1500, 1500, 3000, 2000, true, 1395, 930, 52.5, 285},
        {"smaller than the box less two margins", 1500, 1500, 1000, 800, false, 1000, 800, 250, 350},
        {"exactly the box less two margins", 1500, 1500, 1300, 1300, false, 1300, 1300, 100, 100},
        {"between the two margins: stretched at natural size", 1500, 1500, 1350, 1200, true, 1350, 1200, 75, 150},
        {"half a twip over the margin", 1500, 1500, 1301, 1300, true, 1301, 1300, 99.5, 100},
        {"long and thin: stops at a height of 100", 1500, 1500, 6000, 200, true, 2700, 100, -600, 700},
        {"tall and thin: stops at a width of 100", 1500, 1500, 200, 6000, true, 100, 2700, 700, -600},
        {"square: steps of 10", 1500, 1500, 2000, 2000, true, 1400, 1400, 50, 50},
        {"width step 12.5 rounds to even", 1500, 1500, 2500, 2000, true, 1396, 1080, 52, 210},
        {"height step 12.5 rounds to even", 1500, 1500, 2000, 2500, true, 1080, 1396, 210, 52},
        {"height step 13.3 rounds down", 1500, 1500, 1500, 2000, true, 1030, 1389, 235, 55.5},
        {"widest a 16-bit width holds", 1500, 1500, 32767, 1000, true, 2919, 100, -709.5, 700},
        {"taller container than wide", 1000, 3000, 2000, 1000, true, 900, 450, 50, 1275},
        {"nothing loaded", 1500, 1500, 0, 0, false, 0, 0, 750, 750},
    };
    for (const auto& c : cases) {
        const Box box(c.boxW, c.boxH);
        Picture picture(c.pictureW, c.pictureH);
        LogicalSize(box, picture, 100);
        // Every expected value is a whole number or a half, exact in a double.
        EXPECT_EQ(std::make_tuple(picture.stretch, picture.width, picture.height, picture.left, picture.top),
                  std::make_tuple(c.stretch, c.width, c.height, c.left, c.top))
            << c.what;
        EXPECT_TRUE(picture.visible && picture.broughtToFront >= 1) << c.what;
    }
}

// Sizes beyond 16 bits and impossible steps raise the run-time error and
// leave the picture hidden.
TEST(PictureFit, LogicalSizeErrorsLeaveThePictureHidden) {
    const struct {
        const char* what;
        double boxW, boxH, pictureW, pictureH;
        int error;
    } cases[] = {
        {"picture wider than 32767 twips", 1500, 1500, 32768, 1000, base::err::Overflow},
        {"picture taller than 32767 twips", 1500, 1500, 1000, 40000, base::err::Overflow},
        {"container wider than 32767 twips", 40000, 1500, 1000, 1000, base::err::Overflow},
        {"container taller than 32767 twips", 1500, 40000, 1000, 1000, base::err::Overflow},
        {"step beyond 16 bits", 1500, 1500, 1, 32000, base::err::Overflow},
        {"no width to take proportions from", 1500, 1500, 0, 3000, base::err::DivisionByZero},
        {"no height to take proportions from", 1500, 1500, 3000, 0, base::err::DivisionByZero},
    };
    for (const auto& c : cases) {
        const Box box(c.boxW, c.boxH);
        Picture picture(c.pictureW, c.pictureH);
        EXPECT_EQ(testing_support::ErrorNumberOf([&] { LogicalSize(box, picture, 100); }), c.error) << c.what;
        EXPECT_FALSE(picture.visible) << c.what;
    }
}
