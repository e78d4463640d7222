// State of the extension that exists once per thread of the host: the shell
// may run context menus on several threads, and each keeps its own.
#pragma once
#include <string>
#include <vector>

namespace shellext {

// The paths of the selection the rename window of this thread was opened
// on, in the shell's order; the window reads them in its set-up.
std::vector<std::wstring>& gFiles();

// Shows the context rename window of this thread modally over `owner` (may
// be null) on `files`; returns when the window has closed. When the window
// is open already it is only brought forward, on the files it has.
void ShowContextRenameWindow(void* owner, const std::vector<std::wstring>& files);

}  // namespace shellext
