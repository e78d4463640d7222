// The common file, font, print and printer-setup dialogs. Every one goes through these functions,
// so that tests can stand in for the person who fills them in.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/Printer.h"

namespace ui {

struct FileDialogSettings {
    // Pairs of description and pattern separated by bars:
    // "Text (*.txt)|*.txt|All Files (*.*)|*.*".
    std::wstring filter;
    int filterIndex = 1;  // the preselected pair, from 1
    std::wstring fileName;
    bool overwritePrompt = false;  // save: ask before replacing an existing file
    bool hideReadOnly = false;     // open: no read-only check box
};

struct FileChoice {
    bool chosen = false;  // false: the dialog was cancelled
    std::wstring fileName;
    bool readOnly = false;  // open: the read-only box was ticked
};

struct FontChoice {
    std::wstring face;
    int pointTenths = 0;  // size in tenths of a point; 0 leaves the dialog's own
    bool bold = false, italic = false, underline = false, strikethrough = false;
};

FileChoice ShowOpenDialog(HWND owner, const FileDialogSettings& settings);
FileChoice ShowSaveDialog(HWND owner, const FileDialogSettings& settings);

// Shows the font dialog (screen and printer fonts, only existing ones, with
// effects) preset from `font`; true and `font` holds the choice on OK, false
// with `font` unchanged on Cancel.
bool ShowFontDialog(HWND owner, FontChoice& font);

// Shows the print dialog with the PD_ `flags`; the chosen printer with its
// settings, or null on Cancel.
std::unique_ptr<PrintDevice> ShowPrintDialog(HWND owner, DWORD flags);
// Shows the printer-setup dialog; the chosen orientation, or nothing on Cancel.
std::optional<Orientation> ShowPrinterSetupDialog(HWND owner);

// Test hook: the dialogs a responder answers instead of a person. A kind
// left empty (or an empty responder) shows the real dialog.
struct DialogResponder {
    std::function<FileChoice(const FileDialogSettings&)> open;
    std::function<FileChoice(const FileDialogSettings&)> save;
    std::function<bool(FontChoice&)> font;
    std::function<std::unique_ptr<PrintDevice>(DWORD flags)> print;
    std::function<std::optional<Orientation>()> printerSetup;
};
void SetDialogResponder(DialogResponder responder);

// The filter as the dialogs take it: each bar becomes a NUL and the list
// ends with two NULs.
std::wstring DialogFilter(const std::wstring& barSeparated);

}  // namespace ui
