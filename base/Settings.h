// The settings store: text values under a section and key of filename.ini in
// the program folder, kept by the system's profile functions. Nothing is
// cached; every call opens the file anew. The file is in the ANSI code page
// as long as every section, key and value fits that code page. The first
// write of one that does not rewrites the file once as UTF-16 with a
// byte-order mark, which the profile functions keep from then on, so values
// of any language come back whole.
#pragma once
#include <string>

namespace base {

std::wstring SettingsFilePath();

// The stored value, whole; empty when the file, the section or the key is missing.
std::wstring ReadIniValue(const std::wstring& section, const std::wstring& key);

// Stores a value, creating the file and the section when needed. A failed
// write (a read-only file, or one held by another program) is silent and
// leaves the old value.
void WriteIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);

}  // namespace base
