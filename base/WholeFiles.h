// Whole files as bytes, for the few files the program reads and writes itself.
#pragma once
#include <string>

namespace base {

// The bytes of the file. Raises base::RunError (53 for a missing file, 70 or
// 75 for one held by another program).
std::string ReadWholeFile(const std::wstring& path);

// Puts `bytes` in place of the file (or creates it) through a new file in the
// same folder, written to the disk before it is moved over the old one, so a
// failure at any step leaves the old file as it was. A read-only file is
// refused, as Windows refuses to replace it (not every file system under the
// program does). Raises base::RunError.
void ReplaceWholeFile(const std::wstring& path, const std::string& bytes);

}  // namespace base
