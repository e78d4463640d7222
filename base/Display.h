// Desktop checks of the start-up: which of the three window layouts fits the
// work area, and whether the system uses large fonts. Pure arithmetic, so the
// start window and the tests share it.
#pragma once
#include <string>

namespace base {

// The layout the main windows choose: "640", "800", "1024", or empty for
// the design layout. Set once by the start window from the work area's class.
inline std::wstring ScreenResolution;

// Class of a work area given in twips: "640x480", "800x600", "1024x768" or
// empty when no known size matches. The known sizes are a full screen and
// the same screen less a 28-pixel task bar; anything larger than 1024 x 768
// in both directions counts as "1024x768".
std::wstring ClassifyWorkArea(long heightTwips, long widthTwips);

// Layout name from a class: "640", "800", "1024", or empty for an empty class.
std::wstring ResolutionFromClass(const std::wstring& workAreaClass);

// "Large" when the desktop font is taller than 16 pixels, else "Small".
std::wstring FontResFromHeight(long fontHeightPixels);

// Pixels of a length or position in twips, rounded to the nearest pixel
// (negative ones too).
int TwipsToPixels(long twips, int twipsPerPixel);

// Left or top coordinate that centres a window in a screen (both in twips).
long CentredOffset(long screenTwips, long windowTwips);

}  // namespace base
