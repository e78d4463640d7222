// How a registry value read as bytes becomes the text the About box uses.
// Portable: the reading itself is the window's.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace about {

enum class RegistryType { Text, Number, Other };  // REG_SZ, REG_DWORD, anything else

// The value of the first `reportedLength` bytes of `bytes`, as the wide
// registry functions return them:
//   a text (UTF-16) is cut to the reported length, and a NUL at its end is
//   dropped, so a value stored with or without its terminating NUL gives the
//   same text;
//   a 32-bit number becomes its decimal text, read as a signed number;
//   any other type gives nothing, and the caller keeps what it had.
std::optional<std::wstring> RegistryValueText(RegistryType type, std::string_view bytes,
                                              size_t reportedLength);

}  // namespace about
