// The context rename window as the handler's command shows it: on the
// thread that chose the command, at most one per thread. Declared apart from
// the window, so the handler's tests can stand in for it.
#pragma once
#include <string>
#include <vector>

namespace shellext {

// Shows a context rename window modally over `owner` (may be null) on
// `files`, in the shell's order; returns when the window has closed. When
// this thread has the window open already it is only brought forward, on
// the files it has. Never throws.
void ShowContextRenameWindow(void* owner, const std::vector<std::wstring>& files);

}  // namespace shellext
