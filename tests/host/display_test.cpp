#include <gtest/gtest.h>

#include "base/Display.h"

using base::ClassifyWorkArea;
using base::ResolutionFromClass;

namespace {
// Work area in pixels at the normal 15 twips per pixel.
std::wstring LayoutFor(long widthPx, long heightPx, long twipsPerPixel = 15) {
    return ResolutionFromClass(ClassifyWorkArea(heightPx * twipsPerPixel, widthPx * twipsPerPixel));
}
}  // namespace

TEST(WorkArea, KnownScreensAndTaskBarsGiveTheirLayout) {
    EXPECT_EQ(ClassifyWorkArea(8580, 12000), L"800x600");
    EXPECT_EQ(ClassifyWorkArea(9000, 12000), L"800x600");
    EXPECT_EQ(ClassifyWorkArea(6780, 9600), L"640x480");
    EXPECT_EQ(ClassifyWorkArea(7200, 9600), L"640x480");
    EXPECT_EQ(ClassifyWorkArea(11100, 15360), L"1024x768");
    EXPECT_EQ(ClassifyWorkArea(11520, 15360), L"1024x768");
    EXPECT_EQ(LayoutFor(800, 600), L"800");
    EXPECT_EQ(LayoutFor(800, 572), L"800");
    EXPECT_EQ(LayoutFor(640, 452), L"640");
    EXPECT_EQ(LayoutFor(1024, 740), L"1024");
}

TEST(WorkArea, LargerThan1024x768InBothDirectionsCountsAs1024) {
    EXPECT_EQ(LayoutFor(1280, 994), L"1024");
    EXPECT_EQ(LayoutFor(1025, 769), L"1024");
    EXPECT_EQ(LayoutFor(1920, 1050), L"1024");
    // Only one direction larger, or one exactly equal: no match.
    EXPECT_EQ(LayoutFor(1280, 768), L"");
    EXPECT_EQ(LayoutFor(1024, 1000), L"");
    EXPECT_EQ(LayoutFor(2000, 700), L"");
}

TEST(WorkArea, SizesBetweenTheKnownOnesAreUnrecognised) {
    EXPECT_EQ(LayoutFor(800, 570), L"");  // a 30-pixel task bar
    EXPECT_EQ(LayoutFor(800, 573), L"");
    EXPECT_EQ(LayoutFor(640, 450), L"");
    EXPECT_EQ(LayoutFor(1024, 739), L"");
    EXPECT_EQ(LayoutFor(0, 0), L"");
}

TEST(WorkArea, LargeFontsMeasureAnother800x600AsThe640Layout) {
    EXPECT_EQ(ClassifyWorkArea(600 * 12, 800 * 12), L"640x480");
    EXPECT_EQ(LayoutFor(800, 600, 12), L"640");
}

TEST(WorkArea, LayoutNamesFollowTheClass) {
    EXPECT_EQ(ResolutionFromClass(L"640x480"), L"640");
    EXPECT_EQ(ResolutionFromClass(L"800x600"), L"800");
    EXPECT_EQ(ResolutionFromClass(L"1024x768"), L"1024");
    EXPECT_EQ(ResolutionFromClass(L""), L"");
    EXPECT_EQ(ResolutionFromClass(L"1280x1024"), L"");
}

TEST(FontSize, SixteenPixelsIsSmallAnythingTallerIsLarge) {
    EXPECT_EQ(base::FontResFromHeight(13), L"Small");
    EXPECT_EQ(base::FontResFromHeight(16), L"Small");
    EXPECT_EQ(base::FontResFromHeight(17), L"Large");
    EXPECT_EQ(base::FontResFromHeight(20), L"Large");
}

TEST(Geometry, TwipsRoundToTheNearestPixel) {
    EXPECT_EQ(base::TwipsToPixels(6300, 15), 420);
    EXPECT_EQ(base::TwipsToPixels(6307, 15), 420);
    EXPECT_EQ(base::TwipsToPixels(6308, 15), 421);
    EXPECT_EQ(base::TwipsToPixels(6300, 12), 525);
}

TEST(Geometry, CentringTruncatesTowardZero) {
    EXPECT_EQ(base::CentredOffset(15360, 6300), 4530);
    EXPECT_EQ(base::CentredOffset(12001, 6300), 2850);
    // A window wider than the screen: the offset is negative and truncated toward zero.
    EXPECT_EQ(base::CentredOffset(100, 301), -100);
}
