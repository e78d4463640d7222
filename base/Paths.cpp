#include "base/Paths.h"

namespace base {

namespace {
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
}  // namespace

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    if (IsSeparator(folder.back())) return folder + name;
    return folder + L'\\' + name;
}

PathParts SplitPath(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return {std::wstring(), path};
    // "C:\a" and "\a" keep the backslash of the root; "\\server\a" and "C:\x\a" drop it.
    const bool root = cut == 0 || (cut == 2 && path[1] == L':');
    return {path.substr(0, root ? cut + 1 : cut), path.substr(cut + 1)};
}

std::wstring StemOf(const std::wstring& name) {
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace base
