// State of the extension that exists once per thread of the host: the shell
// may run context menus on several threads, and each keeps its own.
#pragma once
#include <string>
#include <vector>

namespace shellext {

// The paths handed over by the last chosen command on this thread, in the
// shell's order; the context rename window reads them when it opens.
std::vector<std::wstring>& gFiles();

// Shows the context rename window of this thread modally over `owner` (may
// be null) on the paths in gFiles(); returns when the window has closed.
void ShowContextRenameWindow(void* owner);

}  // namespace shellext
