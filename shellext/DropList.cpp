#include "shellext/DropList.h"

#include <cstdint>
#include <cstring>

namespace shellext {

namespace {
const size_t kHeaderSize = 20;  // offset, point (two longs), client-area flag, wide flag

uint32_t ReadUint32(const unsigned char* bytes) {
    uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Splits a run of characters at its NULs; stops at an empty name or at the end.
template <typename Char, typename Convert>
void SplitNames(const Char* text, size_t length, Convert convert, std::vector<std::wstring>& names) {
    size_t start = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] != Char(0)) continue;
        if (i == start) return;
        names.push_back(convert(std::basic_string_view<Char>(text + start, i - start)));
        start = i + 1;
    }
}
}  // namespace

std::vector<std::wstring> ParseDropList(const unsigned char* block, size_t size,
                                        const AnsiToWide& ansiToWide) {
    std::vector<std::wstring> names;
    if (!block || size < kHeaderSize) return names;
    const uint32_t offset = ReadUint32(block);
    const bool wide = ReadUint32(block + 16) != 0;
    if (offset < kHeaderSize || offset >= size) return names;
    const size_t bytes = size - offset;
    if (wide) {
        std::vector<wchar_t> text(bytes / 2);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(block[offset + 2 * i] | (block[offset + 2 * i + 1] << 8));
        SplitNames(text.data(), text.size(), [](std::wstring_view name) { return std::wstring(name); }, names);
    } else {
        SplitNames(reinterpret_cast<const char*>(block + offset), bytes, ansiToWide, names);
    }
    return names;
}

}  // namespace shellext
