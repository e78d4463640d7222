// Conversion between the program's UTF-16 texts and the system's ANSI code
// page, for the few interfaces that carry bytes (the help viewer's ANSI
// entry, the ANSI forms of the shell extension's strings and drop lists).
#pragma once
#include <string>
#include <string_view>

namespace base {

// `text` in the ANSI code page; characters it lacks become its default character.
std::string ToAnsi(std::wstring_view text);

// ANSI bytes as UTF-16; embedded NULs are kept.
std::wstring FromAnsi(std::string_view bytes);

// Whether the ANSI code page gives `text` back unchanged: none of its
// characters becomes the default character or a look-alike.
bool AnsiHolds(std::wstring_view text);

}  // namespace base
