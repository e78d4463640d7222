// What a main window does when the settings it restores at start-up cannot
// be used: it tells the person and the program ends, since a window whose
// settings are in doubt should not go on working on files.
#pragma once
#include <windows.h>

#include <string>

#include "base/RunError.h"

namespace ui {

// Shows the failure over `owner` and ends the program. A value that does not
// convert (13, type mismatch) most likely means a missing or damaged file,
// and gets `filesMissingText` with the exclamation icon under the title
// "Error"; any other failure is shown as "Nomaro Error Description: ..."
// with the critical icon under the title "Error n".
[[noreturn]] void EndOnSettingsFailure(HWND owner, const base::RunError& error,
                                       const std::wstring& filesMissingText);

}  // namespace ui
