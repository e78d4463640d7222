// The block of lines a transfer writes into the list document: one line per
// marked entry of the file box, in entry order, each the file name (or the
// folder, exactly one backslash and the name) followed by one line feed.
// Nothing else: no numbering, no separators. The rich-edit control turns
// each line feed into a paragraph end.
#pragma once
#include <string>
#include <vector>

namespace listwin {

// `markedNames` are the marked entries' names as the file box shows them, in
// entry order; `folder` is the file box's folder. A folder that already ends
// in a backslash (a drive root such as C:\) gets no second one. No marked
// entry gives an empty block, which still replaces the document's selection.
std::wstring TransferBlock(const std::wstring& folder, const std::vector<std::wstring>& markedNames,
                           bool includePath);

}  // namespace listwin
