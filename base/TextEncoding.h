// Text files as bytes: which encoding they are in, and UTF-8 and UTF-16 both
// ways. Portable; the ANSI code page itself is base/Ansi.h's.
#pragma once
#include <string>
#include <string_view>

namespace base {

enum class TextEncoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct DetectedEncoding {
    TextEncoding encoding;
    size_t byteOrderMarkLength;  // bytes to skip before the text
};

// A byte-order mark decides. Without one, bytes that are well-formed UTF-8
// and hold at least one byte above 127 are UTF-8 (ANSI text with accented
// letters is almost never well-formed UTF-8); anything else is ANSI.
DetectedEncoding DetectEncoding(std::string_view bytes);

// Well-formed UTF-8 as a wide text; a malformed sequence becomes U+FFFD.
std::wstring FromUtf8(std::string_view bytes);
std::string ToUtf8(std::wstring_view text);

// UTF-16 bytes in the given order as a wide text; an odd last byte is dropped.
std::wstring FromUtf16(std::string_view bytes, bool bigEndian);
// A wide text as UTF-16 little-endian bytes, without a byte-order mark. Every
// unit survives the way there and back, a lone surrogate of a file name too.
std::string ToUtf16LittleEndian(std::wstring_view text);

}  // namespace base
