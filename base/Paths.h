// Joining and splitting file paths the way Windows writes them: folders and
// names separated by one backslash, a drive root written with its backslash.
#pragma once
#include <string>

namespace base {

// `folder` and `name` joined with exactly one backslash, also at a drive root
// ("C:\" + "a.txt" is "C:\a.txt"); an empty folder gives the name alone.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

struct PathParts {
    std::wstring folder;  // without a trailing backslash, except a root ("C:\", "\")
    std::wstring name;    // after the last backslash (or slash); the whole path when there is none
};

// The folder and name of a path; JoinPath(folder, name) gives the path again
// (a slash before the name comes back as a backslash).
PathParts SplitPath(const std::wstring& path);

// A file name without its last extension: "Nomaro.exe" gives "Nomaro",
// "a.b.c" gives "a.b", a name without a dot stays as it is.
std::wstring StemOf(const std::wstring& name);

}  // namespace base
