#include "base/Display.h"

namespace base {

std::wstring ClassifyWorkArea(long h, long w) {
    struct Row { long h, w; const wchar_t* result; };
    // Full screens and the same screens less a 28-pixel task bar, at 15 twips a pixel.
    static const Row exact[] = {
        {8580, 12000, L"800x600"},  {9000, 12000, L"800x600"},
        {6780, 9600, L"640x480"},   {7200, 9600, L"640x480"},
        {11100, 15360, L"1024x768"}, {11520, 15360, L"1024x768"},
    };
    for (const Row& row : exact)
        if (h == row.h && w == row.w) return row.result;
    if (h > 11520 && w > 15360) return L"1024x768";
    return L"";
}

std::wstring ResolutionFromClass(const std::wstring& workAreaClass) {
    if (workAreaClass == L"640x480") return L"640";
    if (workAreaClass == L"800x600") return L"800";
    if (workAreaClass == L"1024x768") return L"1024";
    return L"";
}

std::wstring FontResFromHeight(long fontHeightPixels) {
    return fontHeightPixels > 16 ? L"Large" : L"Small";
}

// Negative twips round as positive ones do, to the nearest pixel, so that a
// window placed left of or above the screen lands where its twips say.
int TwipsToPixels(long twips, int twipsPerPixel) {
    long half = twipsPerPixel / 2;
    long pixels = twips >= 0 ? (twips + half) / twipsPerPixel : -((half - twips) / twipsPerPixel);
    return static_cast<int>(pixels);
}

long CentredOffset(long screenTwips, long windowTwips) {
    return (screenTwips - windowTwips) / 2;
}

}  // namespace base
