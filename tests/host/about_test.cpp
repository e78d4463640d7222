#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/RegistryText.h"
#include "about/Tips.h"

using namespace about;
using Lines = std::vector<std::wstring>;

TEST(Tips, EveryLineIsATip) {
    const std::pair<std::wstring, Lines> table[] = {
        {L"", {}},
        {L"one\r\n", {L"one"}},
        {L"one\r\n\r\nthree\r\n", {L"one", L"", L"three"}},
        {L"a\nb\rc\r\n\nd", {L"a", L"b", L"c", L"", L"d"}},
        {L"a\r\r\nb", {L"a", L"", L"b"}},
    };
    for (const auto& [text, lines] : table) EXPECT_EQ(SplitTipLines(text), lines) << testing::PrintToString(text);
}

TEST(Tips, ChosenPositionCoversEveryTip) {
    const struct { double r; size_t count, position; } table[] = {
        {0.0, 5, 1}, {0.199, 5, 1}, {0.2, 5, 2}, {0.9999999, 5, 5}, {0.5, 0, 0}, {1.0, 3, 3},
    };
    for (const auto& row : table) EXPECT_EQ(ChosenTipPosition(row.r, row.count), row.position) << row.r << " " << row.count;
}

namespace {
std::string Utf16(std::string_view ascii) {  // what the wide registry functions hand back
    std::string bytes;
    for (char c : ascii) bytes += c, bytes += '\0';
    return bytes;
}
}  // namespace

TEST(RegistryText, TextsLoseOneTerminatingNulNumbersAreSigned) {
    using std::string_literals::operator""s;
    const struct {
        RegistryType type;
        std::string bytes;
        size_t reported;
        std::optional<std::wstring> expected;
    } table[] = {
        {RegistryType::Text, Utf16("C:\\info.exe\0"s), 24, L"C:\\info.exe"},
        {RegistryType::Text, Utf16("C:\\info.exe"s), 22, L"C:\\info.exe"},
        {RegistryType::Text, Utf16("abc\0\0"s), 10, std::wstring(L"abc\0", 4)},
        {RegistryType::Text, Utf16("abc"s), 5, L"ab"},
        {RegistryType::Number, "\x02\x01\x00\x00"s, 4, L"258"},
        {RegistryType::Number, "\x00\x00\x00\x80"s, 4, L"-2147483648"},
        {RegistryType::Other, "\x01\x02"s, 2, std::nullopt},
    };
    for (const auto& row : table)
        EXPECT_EQ(RegistryValueText(row.type, row.bytes, row.reported), row.expected) << testing::PrintToString(row.bytes);
}
