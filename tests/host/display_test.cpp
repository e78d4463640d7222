#include <gtest/gtest.h>

#include "base/Display.h"

// Work areas in pixels: each known screen whole and less a 28-pixel task bar,
// the sizes just beside them, and the rule for larger screens.
TEST(WorkArea, ScreenSizesChooseTheirLayout) {
    const struct { long width, height, twipsPerPixel; const wchar_t* layout; } cases[] = {
        {640, 480, 15, L"640"},   {640, 452, 15, L"640"},   {640, 450, 15, L""},
        {800, 600, 15, L"800"},   {800, 572, 15, L"800"},   {800, 573, 15, L""},
        {800, 570, 15, L""},      {801, 600, 15, L""},      {1024, 768, 15, L"1024"},
        {1024, 740, 15, L"1024"}, {1024, 739, 15, L""},     {0, 0, 15, L""},
        // Larger than 1024 x 768 in both directions, not in one alone.
        {1025, 769, 15, L"1024"}, {1280, 994, 15, L"1024"}, {1280, 768, 15, L""},
        {1024, 1000, 15, L""},
        // Large fonts (12 twips a pixel) measure an 800 x 600 screen as 640 x 480.
        {800, 600, 12, L"640"},
    };
    for (const auto& c : cases) {
        const std::wstring workArea =
            base::ClassifyWorkArea(c.height * c.twipsPerPixel, c.width * c.twipsPerPixel);
        EXPECT_EQ(base::ResolutionFromClass(workArea), c.layout)
            << c.width << " x " << c.height << " at " << c.twipsPerPixel << " twips a pixel";
    }
}

// Sixteen pixels is a small font, anything taller large; twips round to the
// nearest pixel; centring truncates toward zero, also the negative offset of a
// window wider than the screen.
TEST(Geometry, FontSizeRoundingAndCentring) {
    EXPECT_EQ(base::FontResFromHeight(16), L"Small");
    EXPECT_EQ(base::FontResFromHeight(17), L"Large");
    EXPECT_EQ(base::TwipsToPixels(6307, 15), 420);
    EXPECT_EQ(base::TwipsToPixels(6308, 15), 421);
    EXPECT_EQ(base::TwipsToPixels(6300, 12), 525);
    EXPECT_EQ(base::CentredOffset(12001, 6300), 2850);
    EXPECT_EQ(base::CentredOffset(100, 301), -100);
}
