// Reading the names out of a dropped-files block (the CF_HDROP format): a
// 20-byte header whose first field is the offset of the name list and whose
// last field says whether the names are UTF-16, then the names, each ended
// by a NUL, the list ended by an empty name. Read in one pass, bounded by
// the block's size, so a damaged block can never make us read past its end.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace shellext {

// Converts one name in the system's ANSI code page to UTF-16 (base::FromAnsi
// in the library; the host tests pass a stand-in).
using AnsiToWide = std::function<std::wstring(std::string_view)>;

// The names of the block, at full length, in order; empty names end the list.
// A name that runs into the end of the block without its NUL is dropped.
std::vector<std::wstring> ParseDropList(const unsigned char* block, size_t size,
                                        const AnsiToWide& ansiToWide);

}  // namespace shellext
