// File-name masks as the file boxes apply them: "*" stands for any run of
// characters, "?" for exactly one, and letters compare without regard to case
// the way Windows compares file names. A pattern is one or more masks joined
// by ";" ("*.jpg;*.gif").
#pragma once
#include <string>
#include <vector>

namespace base {

// The upper-case form of one UTF-16 code unit for comparing file names.
// Covers ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic with a fixed
// table, so the result never depends on the C library's locale; every other
// code unit compares as it is.
wchar_t FoldFileNameChar(wchar_t c);

// Orders two names case-insensitively (<0, 0, >0); names that differ only in
// case are ordered by their code units, so the order is total.
int CompareFileNames(const std::wstring& a, const std::wstring& b);

// True when `name` matches one mask. "*.*" matches every name, also one
// without a dot; a name without a dot matches a mask ending in "." or ".*"
// as if it ended with a dot, so "*." lists the names without an extension.
bool MatchesMask(const std::wstring& name, const std::wstring& mask);

// The masks of a pattern in order: split at ";", blanks and tabs around each
// mask dropped, empty masks dropped.
std::vector<std::wstring> SplitPattern(const std::wstring& pattern);

// True when any mask of the pattern matches. A pattern without masks (empty
// or only blanks and semicolons) matches nothing, so an emptied pattern box
// shows an empty file list.
bool MatchesPattern(const std::wstring& name, const std::wstring& pattern);

}  // namespace base
