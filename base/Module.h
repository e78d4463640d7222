// Where a module (the program or a DLL) lies on disk. The program's files
// (settings, help, tips) lie beside the program; the shell extension, which
// runs inside another program, finds its own beside its DLL.
#pragma once
#include <windows.h>

#include <string>

namespace base {

// The module that holds this code: the program, or the shell extension's
// library when the code is linked into it. Window classes, windows, texts
// and pictures belong to this module.
HINSTANCE CodeModule();

// The full path of `module`'s file, however long; null is the program.
// Empty when the system cannot tell.
std::wstring ModulePath(HMODULE module);

// The folder of ModulePath(module), without a trailing backslash.
std::wstring ModuleFolder(HMODULE module);

// The folder that holds the program file.
std::wstring ProgramFolder();

}  // namespace base
