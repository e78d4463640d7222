// Screen measures in twips, the unit the windows are laid out in.
#pragma once
#include <windows.h>

namespace ui {

// 1440 twips are one inch; at 96 pixels per inch a pixel is 15 twips, at 120 it is 12.
int TwipsPerPixelX();
int TwipsPerPixelY();

// Rounded to the nearest pixel.
int TwipsToPixelsX(long twips);
int TwipsToPixelsY(long twips);
long PixelsToTwipsX(int pixels);
long PixelsToTwipsY(int pixels);

long ScreenWidthTwips();
long ScreenHeightTwips();

// The desktop less the task bar, in pixels.
RECT WorkAreaPixels();

}  // namespace ui
