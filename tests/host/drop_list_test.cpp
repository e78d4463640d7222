#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "shellext/DropList.h"

using shellext::ParseDropList;
using Names = std::vector<std::wstring>;

namespace {
// A dropped-files block as the shell builds it: header, then the names.
std::vector<unsigned char> Block(const Names& names, bool wide, bool endList = true,
                                 uint32_t offset = 20) {
    std::vector<unsigned char> block(offset, 0);
    std::memcpy(block.data(), &offset, 4);
    block[16] = wide ? 1 : 0;
    auto put = [&](wchar_t c) {
        block.push_back(static_cast<unsigned char>(c & 0xFF));
        if (wide) block.push_back(static_cast<unsigned char>(c >> 8));
    };
    for (const std::wstring& name : names) {
        for (wchar_t c : name) put(c);
        put(0);
    }
    if (endList) put(0);
    return block;
}

// Bytes of the ANSI code page taken as Latin-1, so the test needs no platform.
std::wstring Latin1(std::string_view ansi) {
    std::wstring wide;
    for (char c : ansi) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
}

Names Parse(const std::vector<unsigned char>& block) {
    return ParseDropList(block.data(), block.size(), Latin1);
}
}  // namespace

TEST(DropList, WideAndAnsiNamesComeBackWholeAndInOrder) {
    const std::wstring longPath = L"C:\\" + std::wstring(700, L'x') + L".txt";
    const Names names = {L"C:\\Pics\\b.JPG", longPath, L"D:\\\u0391\u03b8\u03ae\u03bd\u03b1.jpg"};
    EXPECT_EQ(Parse(Block(names, true)), names);
    EXPECT_EQ(Parse(Block({L"C:\\Bilder\\\u00c4rger.txt", L"C:\\a.txt"}, false)),
              (Names{L"C:\\Bilder\\\u00c4rger.txt", L"C:\\a.txt"}));
}

TEST(DropList, AnEmptyListHasNoNames) {
    EXPECT_TRUE(Parse(Block({}, true)).empty());
    EXPECT_TRUE(Parse(Block({}, false)).empty());
}

TEST(DropList, DamagedBlocksAreReadOnlyWithinTheirSize) {
    // The list's end marker and the last name's NUL are missing: that name is dropped.
    std::vector<unsigned char> cut = Block({L"C:\\a.txt", L"C:\\b.txt"}, true, false);
    cut.resize(cut.size() - 2);
    EXPECT_EQ(Parse(cut), Names{L"C:\\a.txt"});
    // An offset outside the block, or a block shorter than its header.
    std::vector<unsigned char> outside = Block({L"C:\\a.txt"}, true);
    uint32_t beyond = static_cast<uint32_t>(outside.size());
    std::memcpy(outside.data(), &beyond, 4);
    EXPECT_TRUE(Parse(outside).empty());
    std::vector<unsigned char> inside = Block({L"C:\\a.txt"}, true);
    uint32_t intoHeader = 4;
    std::memcpy(inside.data(), &intoHeader, 4);
    EXPECT_TRUE(Parse(inside).empty());
    EXPECT_TRUE(ParseDropList(inside.data(), 10, Latin1).empty());
    EXPECT_TRUE(ParseDropList(nullptr, 0, Latin1).empty());
}

TEST(DropList, NamesStartWhereTheHeaderSays) {
    EXPECT_EQ(Parse(Block({L"C:\\a.txt"}, true, true, 24)), Names{L"C:\\a.txt"});
}
