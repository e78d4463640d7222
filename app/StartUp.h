// Program-wide values set while the program starts, and the start-up
// routines that the main windows share.
#pragma once
#include <string>

namespace ui {
class Form;
}

namespace app {

// The tip-of-the-day switch as read from the settings ("true" shows the tip).
inline std::wstring TipOfDaySwitch;

// Returns when no other instance of the program runs. Otherwise tells the
// user, brings the running instance to the front and ends this process.
void CheckPrevInstance(ui::Form& window);

// "Large" when the desktop font is taller than 16 pixels, else "Small".
std::wstring gbl_GetFontRes();

// Class of the current work area ("800x600", ...), measured in twips.
std::wstring ClassifyCurrentWorkArea();

}  // namespace app
