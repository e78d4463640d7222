#include <gtest/gtest.h>

#include <string>

#include "base/TextEncoding.h"

using namespace base;

TEST(TextEncoding, DetectsByMarkThenByWellFormedUtf8) {
    const struct {
        std::string bytes;
        TextEncoding encoding;
        size_t markLength;
    } table[] = {
        {"", TextEncoding::Ansi, 0},
        {"plain ascii\r\n", TextEncoding::Ansi, 0},
        {"\xEF\xBB\xBFplain", TextEncoding::Utf8, 3},
        {"\xFF\xFE" "a\0", TextEncoding::Utf16LittleEndian, 2},
        {"\xFE\xFF\0a", TextEncoding::Utf16BigEndian, 2},
        {"\xC3\x84rger", TextEncoding::Utf8, 0},                // Ärger
        {"\xF0\x9F\x93\xB7.jpg", TextEncoding::Utf8, 0},        // a four-byte character
        {"\xC4rger", TextEncoding::Ansi, 0},                    // Ärger in cp1252
        {"caf\xE9", TextEncoding::Ansi, 0},                     // cut sequence at the end
        {"\xC0\x80", TextEncoding::Ansi, 0},                    // overlong NUL
        {"\xED\xA0\x80", TextEncoding::Ansi, 0},                // a surrogate
        {"\xF4\x90\x80\x80", TextEncoding::Ansi, 0},            // beyond U+10FFFF
        {"\xE2\x82", TextEncoding::Ansi, 0},
        {"a\x80z", TextEncoding::Ansi, 0},
        {"\xF8\x88\x80\x80\x80", TextEncoding::Ansi, 0},
    };
    for (const auto& row : table) {
        const DetectedEncoding detected = DetectEncoding(row.bytes);
        EXPECT_EQ(detected.encoding, row.encoding) << testing::PrintToString(row.bytes);
        EXPECT_EQ(detected.byteOrderMarkLength, row.markLength) << testing::PrintToString(row.bytes);
    }
}

TEST(TextEncoding, Utf8AndUtf16BothWays) {
    for (const std::wstring text : {L"", L"a.jpg\r\nb.jpg", L"\u00c4rger \u0424\u043e\u0442\u043e",
                                    L"\u07ff\u0800\uffef", L"\U0001F4F7 \U0010FFFF"})
        EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    // A character beyond the first plane comes as a surrogate pair.
    EXPECT_EQ(FromUtf16(std::string("a\0\x24\x04\x3D\xD8\xF7\xDC", 8), false), L"a\u0424\U0001F4F7");
    EXPECT_EQ(FromUtf16(std::string("\0a\x04\x24\xD8\x3D\xDC\xF7" "x", 9), true), L"a\u0424\U0001F4F7")
        << "an odd last byte is dropped";
    EXPECT_EQ(FromUtf16("x", true), L"");
    // Only a high half (up to DBFF) followed by a low half is one character.
    const std::wstring lowHalves(2, static_cast<wchar_t>(0xDC00));
    EXPECT_EQ(FromUtf16(std::string("\xFF\xDB\xFF\xDF\x00\xDC\x00\xDC", 8), false), L"\U0010FFFF" + lowHalves);
    EXPECT_EQ(ToUtf16LittleEndian(L"a\uffff\U0001F4F7"), std::string("a\0\xFF\xFF\x3D\xD8\xF7\xDC", 8));
    const std::wstring lone(1, static_cast<wchar_t>(0xDC00));
    EXPECT_EQ(FromUtf16(ToUtf16LittleEndian(lone), false), lone) << "names keep lone surrogates";
    EXPECT_EQ(ToUtf8(L"\u00e9\u20ac\U0001F4F7"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xB7");
    EXPECT_EQ(ToUtf8(L"\u07ff\uffff\U00010000"), "\xDF\xBF\xEF\xBF\xBF\xF0\x90\x80\x80") << "the ends of each length";
    EXPECT_EQ(FromUtf8("a\xC3(b\xE2\x82"), L"a\ufffd(b\ufffd\ufffd");
    EXPECT_EQ(FromUtf8("\x80z"), L"\ufffdz");
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD") << "a lone surrogate";
}
