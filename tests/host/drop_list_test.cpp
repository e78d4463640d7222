#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "shellext/DropList.h"

using shellext::ParseDropList;
using Names = std::vector<std::wstring>;
using Bytes = std::vector<unsigned char>;

namespace {
const uint32_t kHeaderSize = 20;

void Put(Bytes& block, const std::wstring& text, bool wide) {
    for (wchar_t c : text) {
        block.push_back(static_cast<unsigned char>(c & 0xFF));
        if (wide) block.push_back(static_cast<unsigned char>(c >> 8));
    }
}

// A dropped-files block as the shell builds it: header, then each name and
// its NUL, then the empty name that ends the list (unless `endList` is false).
Bytes Block(const Names& names, bool wide, bool endList = true, uint32_t offset = kHeaderSize) {
    Bytes block(offset, 0);
    std::memcpy(block.data(), &offset, 4);
    block[16] = wide ? 1 : 0;
    for (const std::wstring& name : names) Put(block, name + L'\0', wide);
    if (endList) Put(block, std::wstring(1, L'\0'), wide);
    return block;
}

// Bytes of the ANSI code page taken as Latin-1, so the test needs no platform.
std::wstring Latin1(std::string_view ansi) {
    std::wstring wide;
    for (char c : ansi) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
}

Names Parse(const Bytes& block) { return ParseDropList(block.data(), block.size(), Latin1); }
}  // namespace

TEST(DropList, WideAndAnsiNamesComeBackWholeAndInOrder) {
    const Names wide = {L"C:\\Pics\\b.JPG", L"C:\\" + std::wstring(700, L'x') + L".txt",
                        L"D:\\\u0391\u03b8\u03ae\u03bd\u03b1.jpg"};
    EXPECT_EQ(Parse(Block(wide, true)), wide);
    const Names ansi = {L"C:\\Bilder\\\u00c4rger.txt", L"C:\\a.txt"};
    EXPECT_EQ(Parse(Block(ansi, false)), ansi);
    EXPECT_EQ(Parse(Block({L"C:\\a.txt"}, true, true, 24)), Names{L"C:\\a.txt"}) << "names start at the offset";
    EXPECT_TRUE(Parse(Block({}, true)).empty() && Parse(Block({}, false)).empty());
}

TEST(DropList, NothingAfterTheEndMarkerIsAName) {
    for (bool wide : {true, false}) {
        for (const Names& names : {Names{L"C:\\a.txt"}, Names{}}) {
            Bytes block = Block(names, wide);
            Put(block, std::wstring(L"C:\\stale.txt\0", 13), wide);
            EXPECT_EQ(Parse(block), names) << (wide ? "wide, " : "ansi, ") << names.size() << " name(s)";
        }
    }
}

TEST(DropList, ANameCutOffByTheEndOfTheBlockIsDroppedAndAShortBlockGivesNone) {
    Bytes cut = Block({L"C:\\a.txt", L"C:\\b.txt"}, true, false);
    cut.resize(cut.size() - 2);  // the last name's NUL
    EXPECT_EQ(Parse(cut), Names{L"C:\\a.txt"});
    EXPECT_TRUE(ParseDropList(cut.data(), kHeaderSize - 1, Latin1).empty());
    EXPECT_TRUE(ParseDropList(nullptr, 0, Latin1).empty());
}

// The header's point and client-area fields hold letters here, so a name
// offset that points into the header would read them as a name.
TEST(DropList, AnOffsetOutsideTheNameAreaGivesNoNames) {
    const uint32_t kPastEnd = UINT32_MAX;  // stands for the block's size
    struct Case {
        bool wide;
        uint32_t offset;
    };
    for (Case c : {Case{true, 4}, Case{true, 10}, Case{true, 16}, Case{true, kHeaderSize - 1}, Case{false, 4},
                   Case{false, 12}, Case{true, kPastEnd}}) {
        Bytes block = Block({L"C:\\a.txt"}, c.wide);
        std::memset(block.data() + 4, 'X', 12);
        if (c.offset == kPastEnd) c.offset = static_cast<uint32_t>(block.size());
        std::memcpy(block.data(), &c.offset, 4);
        EXPECT_TRUE(Parse(block).empty()) << c.offset << (c.wide ? " wide" : " ansi");
    }
}
