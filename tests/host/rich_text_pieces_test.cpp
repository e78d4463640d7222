#include "ui/RichTextPieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

// The start of a list as the rich-edit control writes it.
const std::string H =
    "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang1033{\\fonttbl{\\f0\\fcharset0 Arial;}"
    "{\\f1\\fcharset0 Courier New;}}\r\n{\\colortbl;}\r\n{\\*\\generator Wine Riched20 2.0;}\r\n"
    "\\pard\\sl-240\\slmult1 \\fs18\\f0 ";

TEST(RichTextPieces, CutsSimpleListsAtParagraphEndsAndRefusesTheRest) {
    const struct {
        const char* what;
        std::string rtf;
        int perPiece;
        Pieces expected;  // empty: read whole
    } table[] = {
        {"one paragraph each", H + "a\\par\r\n\\b b\\b0\\par\r\nc\\par\r\n}\r\n", 1,
         {H + "a\\par}", H + "\r\n\\b b\\b0\\par}", H + "\\b0 \r\nc\\par\r\n}\r\n"}},
        {"two each", H + "a\\par\r\n\\b b\\b0\\par\r\nc\\par\r\n}", 2,
         {H + "a\\par\r\n\\b b\\b0\\par}", H + "\\b0 \r\nc\\par\r\n}"}},
        // Nothing but the last paragraph end would go into the last piece.
        {"fits into one piece", H + "a\\par b\\par c\\par}", 3, {}},
        {"no piece size", H + "a\\par b\\par}", 0, {}},
        {"escaped braces and backslashes", H + "\\{a\\}\\par x\\\\y\\par}", 1, {H + "\\{a\\}\\par }", H + "x\\\\y\\par}"}},
        {"a group inside a paragraph", H + "{\\b a}\\par c\\par}", 1, {H + "{\\b a}\\par }", H + "c\\par}"}},
        {"a paragraph end inside a group", H + "{\\b a\\par b}\\par c\\par}", 1, {}},
        // The \par after \u233 stands in for the character and ends no paragraph.
        {"unicode stand-in", H + "\\u233\\par x\\par y\\par}", 1, {H + "\\u233\\par x\\par }", H + "y\\par}"}},
        {"unicode without stand-in", H + "\\uc0\\u233\\par x\\par}", 1,
         {H + "\\uc0\\u233\\par }", H + "\\uc0 x\\par}"}},
        {"stand-in ended by a group", H + "\\u233{}\\par x\\par}", 1, {H + "\\u233{}\\par }", H + "x\\par}"}},
        {"settings before the first character are the header's", H + "\\b a\\par \\plain\\i b\\par \\b0 c\\par}", 1,
         {H + "\\b a\\par }", H + "\\b \\plain\\i b\\par }", H + "\\b \\plain\\i \\b0 c\\par}"}},
        {"the last setting of each name", H + "a\\par \\b b\\par \\b0\\i c\\par \\b d\\par}", 1,
         {H + "a\\par }", H + "\\b b\\par }", H + "\\b \\b0\\i c\\par }", H + "\\b0\\i \\b d\\par}"}},
        {"a header ending in a word without its blank", "{\\rtf1\\ansi\\pard\\'e9\\par x\\par}", 1,
         {"{\\rtf1\\ansi\\pard\\'e9\\par }", "{\\rtf1\\ansi\\pard x\\par}"}},
        {"a header ending in a group", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}a\\par b\\par}", 1,
         {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}a\\par }", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}b\\par}"}},
        {"characters written as words", H + "a\\tab b\\line c\\par d\\zwj\\'aF\\'Af\\par}", 1,
         {H + "a\\tab b\\line c\\par }", H + "d\\zwj\\'aF\\'Af\\par}"}},
        {"a table", H + "a\\par \\trowd b\\cell\\row\\par}", 1, {}},
        {"tab stops", H + "a\\par \\tx720 b\\par}", 1, {}},
        {"binary data", H + "a\\par {\\pict\\bin2 ab}\\par b\\par}", 1, {}},
        {"an ignorable destination outside a group", H + "a\\par \\*\\x b\\par}", 1, {}},
        {"text after the document", H + "a\\par b\\par}x", 1, {}},
        {"a document that never closes", H + "a\\par b\\par", 1, {}},
        {"a hexadecimal character cut off", H + "a\\par \\'4", 1, {}},
        {"a hexadecimal character with a letter", H + "a\\par \\'4g b\\par}", 1, {}},
        {"a hexadecimal character starting with a letter", H + "a\\par \\'g4 b\\par}", 1, {}},
        {"an upper-case word", H + "a\\par \\B b\\par}", 1, {}},
        {"a broken parameter", H + "a\\par \\li- b\\par}", 1, {}},
        {"an unknown word in the header", "{\\rtf1\\ansi\\rsid77 a\\par b\\par}", 1, {}},
        {"not rich text", "a\\par b\\par", 1, {}},
        {"no character at all", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}}", 1, {}},
        {"another program's document, its groups over paragraphs",
         "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\f0 one\\par two\\par}}", 1, {}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ui::RichTextPieces(row.rtf, row.perPiece), row.expected);
    }
}

// A long list goes into pieces of the size asked for, which together hold every paragraph once.
TEST(RichTextPieces, LongListsGiveEvenPieces) {
    std::string body;
    for (int i = 0; i < 1000; ++i) body += "name" + std::to_string(i) + "\\par\r\n";
    const Pieces pieces = ui::RichTextPieces(H + body + "}", 200);
    ASSERT_EQ(pieces.size(), 5u);
    std::string joined;
    for (const std::string& piece : pieces) {
        ASSERT_TRUE(piece.starts_with(H) && piece.ends_with("}")) << piece.substr(0, 40);
        const std::string content = piece.substr(H.size(), piece.size() - H.size() - 1);
        size_t paragraphs = 0;
        for (size_t at = content.find("\\par"); at != std::string::npos; at = content.find("\\par", at + 1))
            ++paragraphs;
        EXPECT_EQ(paragraphs, 200u);
        joined += content;
    }
    EXPECT_EQ(joined, body);
}

}  // namespace
