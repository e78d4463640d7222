// How the list document's file commands read a file name, and the settings
// of their dialogs. Portable logic.
#pragma once
#include <string>

namespace listwin {

// Saving decides the format by the last three characters of the name,
// exactly: "txt" or "TXT" is text, "rtf" or "RTF" rich text; any other
// ending ("Txt", "doc", no extension) is not saved at all.
enum class SaveFormat { None, Text, RichText };
SaveFormat SaveFormatFor(const std::wstring& fileName);

// Opening loads a name ending in ".rtf", in any letter case, without asking;
// any other name only after the user agrees that it may not be rich text.
bool NamedAsRichText(const std::wstring& fileName);

// Filters of the two file dialogs: pairs of description and pattern.
inline constexpr wchar_t kSaveFilter[] =
    L"All Files (*.*)|*.*|RTF Files (*.rtf)|*.rtf|TXT Files (*.txt)|*.txt";
inline constexpr int kSaveFilterIndex = 2;  // RTF
inline constexpr wchar_t kOpenFilter[] =
    L"Rich Text File (*.rtf)|*.rtf|TXT Files (*.txt)|*.txt|All Files (*.*)|*.*";

}  // namespace listwin
