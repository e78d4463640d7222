// A rich-text box's whole content to and from a file.
#pragma once
#include <windows.h>

#include <string>

#include "ui/RichText.h"

namespace ui {

enum class DocumentFormat { RichText, Text };

// Writes the content of `richEdit` to `path`: rich text as the control writes
// it, or its plain text with CR LF line ends, in the ANSI code page when that
// holds every character and else in UTF-8 with a byte-order mark (so no name
// is lost). The file is written beside under a temporary name and replaces
// the old one only when complete: a failure leaves the old file as it was.
// Raises base::RunError.
void SaveRichEdit(HWND richEdit, const std::wstring& path, DocumentFormat format);

// Replaces the content of `box` with the file's: rich text when the file
// starts as rich text does, else text in the encoding its bytes show (a
// byte-order mark, well-formed UTF-8, or ANSI), with the caret at the start.
// The file is read once, into a fresh window that the box takes only when
// all of it was read (RichText::TakeFreshWindow): a file that cannot be
// read, or rich text the control refuses (a damaged file), raises
// base::RunError (321 for the latter) and leaves the box as it was.
void LoadRichEdit(RichText& box, const std::wstring& path);

// The content as plain text, lines ended by CR LF.
std::wstring RichEditText(HWND richEdit);

}  // namespace ui
