// The file name rules of the list document's Save and Open.
#include <gtest/gtest.h>

#include "listwin/DocumentFiles.h"

using listwin::SaveFormat;

// Save goes by the last three characters exactly; Open takes ".rtf" in any case as rich text.
TEST(DocumentFiles, SaveFormatAndOpenByTheName) {
    const struct {
        const wchar_t* name;
        SaveFormat format;
        bool opensAsRichText;
    } table[] = {
        {L"C:\\lists\\list.txt", SaveFormat::Text, false}, {L"LIST.TXT", SaveFormat::Text, false},
        {L"listtxt", SaveFormat::Text, false},             {L"list.rtf", SaveFormat::RichText, true},
        {L"list.RTF", SaveFormat::RichText, true},         {L"list.Txt", SaveFormat::None, false},
        {L"list.rTF", SaveFormat::None, true},             {L"list", SaveFormat::None, false},
        {L"list.doc", SaveFormat::None, false},            {L"tx", SaveFormat::None, false},
        {L"", SaveFormat::None, false},                    {L".RTF", SaveFormat::RichText, true},
        {L"listrtf", SaveFormat::RichText, false},         {L"a.rtf.bak", SaveFormat::None, false},
        {L"rtf", SaveFormat::RichText, false},
    };
    for (const auto& row : table) {
        EXPECT_EQ(listwin::SaveFormatFor(row.name), row.format) << row.name;
        EXPECT_EQ(listwin::NamedAsRichText(row.name), row.opensAsRichText) << row.name;
    }
}
