// A rich-text (RTF) document cut at paragraph ends into pieces that the
// rich-edit control reads one at a time, because it reads one document of
// many paragraphs in time that grows with the square of their count.
// Portable logic.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Cuts `rtf` behind every `paragraphsPerPiece`-th paragraph end (\par) of the
// document's own level. Each piece is a complete document: the header (font
// and colour tables and the settings before the first character) and the
// character and paragraph settings in force where the piece starts come
// first, so that the last piece read as a whole document and the others
// inserted before it, in order, give what the whole document gives. The last
// piece ends as the document does.
//
// Only documents as simple as the control's own lists are cut: no group
// reaches over a paragraph end, the document level uses only the settings
// and characters known here (no tables, tabs stops or binary data), and
// nothing but blanks follows the document. Any other document, and one that
// fits into one piece, gives no pieces: it is read whole.
std::vector<std::string> RichTextPieces(std::string_view rtf, int paragraphsPerPiece);

}  // namespace ui
