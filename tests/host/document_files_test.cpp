// The file name rules of the list document's Save and Open.
#include <gtest/gtest.h>

#include "listwin/DocumentFiles.h"

using listwin::SaveFormat;

TEST(DocumentFiles, SaveFormatGoesByTheLastThreeCharactersExactly) {
    const struct {
        const wchar_t* name;
        SaveFormat format;
    } table[] = {
        {L"C:\\lists\\list.txt", SaveFormat::Text},     {L"LIST.TXT", SaveFormat::Text},
        {L"listtxt", SaveFormat::Text},                 {L"list.rtf", SaveFormat::RichText},
        {L"list.RTF", SaveFormat::RichText},            {L"list.Txt", SaveFormat::None},
        {L"list.rTF", SaveFormat::None},                {L"list", SaveFormat::None},
        {L"list.doc", SaveFormat::None},                {L"tx", SaveFormat::None},
        {L"", SaveFormat::None},
    };
    for (const auto& row : table) EXPECT_EQ(listwin::SaveFormatFor(row.name), row.format) << row.name;
}

TEST(DocumentFiles, OpenTakesRtfInAnyCaseAsRichText) {
    const struct {
        const wchar_t* name;
        bool richText;
    } table[] = {
        {L"Report.RtF", true}, {L"a.rtf", true},  {L".RTF", true},      {L"list.txt", false},
        {L"listrtf", false},   {L"rtf", false},   {L"a.rtf.bak", false}, {L"", false},
    };
    for (const auto& row : table) EXPECT_EQ(listwin::NamedAsRichText(row.name), row.richText) << row.name;
}
