// The system's own system-information tool, found through the registry and
// started as a separate process, and the program's version from its
// version resource.
#pragma once
#include <windows.h>

#include <string>

namespace about {

// Reads a text or 32-bit number value of `keyName` under `root`, opening the
// key for reading only (an ordinary user may not open machine-wide keys for
// writing). True with `value` set when the value could be read; false with
// `value` empty when the key or the value cannot be read. A value of another
// type leaves `value` as it was and still gives true.
bool GetKeyValue(HKEY root, const std::wstring& keyName, const std::wstring& valueName,
                 std::wstring& value);

// Starts the tool: the program named by the first registry location, else
// MSINFO32.EXE in the folder named by the second; false when neither is
// there or the start fails. Does not wait for the tool.
bool StartSysInfo();

// "major.minor.revision" of the program file's version resource (the module
// that holds the running code); empty when it has none.
std::wstring ProgramVersion();

}  // namespace about
