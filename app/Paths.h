// Joining a folder and a name with exactly one backslash, also at a drive root.
#pragma once
#include <string>

namespace app {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

}  // namespace app
