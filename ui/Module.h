// Where a module (the program or a DLL) lies on disk, and the conversion of
// texts for the few system calls that take only ANSI strings.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// The full path of `module`'s file, however long; null is the program.
// Empty when the system cannot tell.
std::wstring ModulePath(HMODULE module);

// The folder of ModulePath(module), without a trailing backslash.
std::wstring ModuleFolder(HMODULE module);

// `text` in the system's ANSI code page; characters it lacks become its
// default character.
std::string ToAnsi(const std::wstring& text);

}  // namespace ui
