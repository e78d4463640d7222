// Program-wide values set while the program starts, and the start-up
// routines that the main windows share.
#pragma once
#include <string>

namespace ui {
class Form;
class ListBox;
}  // namespace ui

namespace app {

// "640", "800", "1024" or empty: the layout the main windows choose. Set once
// by the start window from the size of the work area.
inline std::wstring ScreenResolution;

// The tip-of-the-day switch as read from the settings ("true" shows the tip).
inline std::wstring TipOfDaySwitch;

// Returns when no other instance of the program runs. Otherwise tells the
// user, brings the running instance to the front and ends this process.
void CheckPrevInstance(ui::Form& window);

// "Large" when the desktop font is taller than 16 pixels, else "Small".
std::wstring gbl_GetFontRes();

// Class of the current work area ("800x600", ...), measured in twips.
std::wstring ClassifyCurrentWorkArea();

// Name of the user logged on to Windows, asked once and kept.
std::wstring GetLoginName();

// Whether some entry of `list` equals `value` exactly.
bool ListContains(const ui::ListBox& list, const std::wstring& value);

}  // namespace app
