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
        {"\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE", TextEncoding::Utf8, 0},  // Фото
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
    const std::wstring texts[] = {L"", L"a.jpg\r\nb.jpg", L"\u00c4rger \u0424\u043e\u0442\u043e",
                                  L"\u07ff\u0800\uffef", L"\U0001F4F7 \U0010FFFF"};
    for (const auto& text : texts) {
        EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
        std::string little, big;
        for (wchar_t c : ToUtf8(text).empty() ? std::wstring() : text) {
            const auto put = [&](char16_t unit) {
                little += static_cast<char>(unit & 0xFF), little += static_cast<char>(unit >> 8);
                big += static_cast<char>(unit >> 8), big += static_cast<char>(unit & 0xFF);
            };
            const char32_t code = static_cast<char32_t>(c);
            if (code > 0xFFFF) {
                put(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
                put(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
            } else {
                put(static_cast<char16_t>(code));
            }
        }
        EXPECT_EQ(FromUtf16(little, false), text);
        EXPECT_EQ(FromUtf16(big + "x", true), text) << "an odd last byte is dropped";
    }
    EXPECT_EQ(ToUtf8(L"\u00e9\u20ac\U0001F4F7"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xB7");
    EXPECT_EQ(FromUtf8("a\xC3(b\xE2\x82"), L"a\ufffd(b\ufffd\ufffd");
    EXPECT_EQ(FromUtf8("\x80z"), L"\ufffdz");
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD") << "a lone surrogate";
}
