// The settings store: text values under a section and key of filename.ini in
// the program folder. Nothing is cached; every call opens the file anew.
#pragma once
#include <string>

namespace base {

std::wstring SettingsFilePath();

// The stored value, whole; empty when the file, the section or the key is missing.
std::wstring ReadIniValue(const std::wstring& section, const std::wstring& key);

// Stores a value, creating the file and the section when needed. A failed
// write (a read-only file, for example) is silent and leaves the old value.
void WriteIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);

}  // namespace base
