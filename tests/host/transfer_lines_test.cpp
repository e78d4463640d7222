// The lines a transfer writes into the list document.
#include "listwin/TransferLines.h"

#include <gtest/gtest.h>

using listwin::TransferBlock;

TEST(TransferLines, OneLineFeedEndedLinePerMarkedName) {
    const std::vector<std::wstring> abc = {L"a.txt", L"b.txt", L"c.txt"};
    const struct {
        const wchar_t* folder;
        std::vector<std::wstring> names;
        bool includePath;
        const wchar_t* block;
    } cases[] = {
        {L"D:\\Work", abc, false, L"a.txt\nb.txt\nc.txt\n"},
        {L"D:\\Work", abc, true, L"D:\\Work\\a.txt\nD:\\Work\\b.txt\nD:\\Work\\c.txt\n"},
        {L"C:\\", {L"a.txt"}, true, L"C:\\a.txt\n"},
        {L"C:\\", {L"a.txt"}, false, L"a.txt\n"},
        {L"\\\\server\\share", {L"Name With Blanks.jpg"}, true, L"\\\\server\\share\\Name With Blanks.jpg\n"},
        {L"D:\\Work", {L"b.txt", L"a.txt", L"b.txt"}, false, L"b.txt\na.txt\nb.txt\n"},
        {L"D:\\\u00c4rger", {L"\u0391\u03b8.txt"}, true, L"D:\\\u00c4rger\\\u0391\u03b8.txt\n"},
        {L"D:\\Work", {}, true, L""},
        {L"D:\\Work", {}, false, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TransferBlock(c.folder, c.names, c.includePath), c.block)
            << testing::PrintToString(std::wstring(c.folder)) << " includePath " << c.includePath;
    }
}
