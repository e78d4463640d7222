// The list window's document: its files (save, open, clear, font), the Edit
// menu's commands, and the undo history over the rich-text box.
#include <string>

#include "base/RunError.h"
#include "base/Texts.h"
#include "listwin/DocumentFiles.h"
#include "listwin/ListWindow.h"
#include "ui/App.h"
#include "ui/Clipboard.h"
#include "ui/MsgBox.h"
#include "ui/RichEditFiles.h"
#include "ui/RichTextFormat.h"

namespace listwin {

using base::LoadText;
using base::Text;

// ---- Documents -------------------------------------------------------------

void ListWindow::OnSaveClick() {
    if (!ListMode()) return;
    if (DocumentEmpty()) {
        ui::MsgBox(hwnd(), LoadText(Text::EmptyList), MB_OK | MB_ICONINFORMATION, L"?");
        driveBox.SetFocus();
        return;
    }
    ui::FileDialogSettings settings;
    settings.filter = kSaveFilter;
    settings.filterIndex = kSaveFilterIndex;
    settings.overwritePrompt = true;
    settings.hideReadOnly = true;
    const ui::FileChoice choice = ui::ShowSaveDialog(hwnd(), settings);
    if (!choice.chosen) return;
    const SaveFormat format = SaveFormatFor(choice.fileName);
    // Nothing is written under any other ending; the user is told, so that
    // nobody takes the list for saved.
    if (format == SaveFormat::None) {
        ui::MsgBox(hwnd(), LoadText(Text::NothingSavedNeedsTxtOrRtf), MB_OK | MB_ICONINFORMATION, ui::AppTitle());
        return;
    }
    try {
        ui::SaveRichEdit(document.hwnd(), choice.fileName,
                         format == SaveFormat::Text ? ui::DocumentFormat::Text : ui::DocumentFormat::RichText);
    } catch (const base::RunError& error) {
        ui::ShowErrorBox(hwnd(), error);
    }
}

void ListWindow::OnOpenClick() {
    if (!ListMode()) return;
    ui::FileDialogSettings settings;
    settings.filter = kOpenFilter;
    const ui::FileChoice choice = ui::ShowOpenDialog(hwnd(), settings);
    if (!choice.chosen || choice.fileName.empty()) return;
    if (!NamedAsRichText(choice.fileName) &&
        ui::MsgBox(hwnd(), L"Do you want to open the file anyway?", MB_YESNO | MB_ICONQUESTION,
                   L"This May Not Be A Rich Text File") != IDYES)
        return;
    try {
        ui::LoadRichEdit(document, choice.fileName);
    } catch (const base::RunError& error) {
        // The file is read whole before the document is touched: it keeps
        // its content, and the user learns why nothing was opened.
        ui::ShowErrorBox(hwnd(), error);
        return;
    }
    // The lock belongs to the file opened: another file opened without the
    // read-only box can be edited again.
    document.SetLocked(choice.readOnly);
    ui::DoEvents();
    document.SetVisible(true);
    clearButton.SetVisible(true);
    DropNewestUndoElement();
}

// Clear also closes a document opened read-only: the empty list is the user's to edit.
void ListWindow::OnClearClick() {
    if (!ListMode()) return;
    document.SetLocked(false);
    SelectWholeText();
    commandFacts_.openAllowed = true;
    ApplyCommandState();
    OnDeleteClick();
}

void ListWindow::OnFontClick() {
    if (!ListMode()) return;
    folderBox.SetFocus();
    PresetFontDialog();
    // On Cancel the dialog keeps its presets, and they are applied all the same.
    ui::ShowFontDialog(hwnd(), fontDialog_);
    ui::ApplyFontToSelection(document, fontDialog_);
}

// The dialog takes what the selection has throughout. A selection that mixes
// faces or sizes has none to give: the dialog keeps the rest of its values,
// as it keeps any style the selection lacks.
void ListWindow::PresetFontDialog() {
    const ui::SelectionFormat selection = ui::SelectionFormatOf(document);
    if (!selection.face) return;
    fontDialog_.face = *selection.face;
    if (!selection.pointTenths) return;
    fontDialog_.pointTenths = *selection.pointTenths;
    if (document.SelLength() == 0) fontDialog_.bold = false;
    else if (selection.bold.value_or(false)) fontDialog_.bold = true;
    if (selection.italic.value_or(false)) fontDialog_.italic = true;
    if (selection.underline.value_or(false)) fontDialog_.underline = true;
    if (selection.strikethrough.value_or(false)) fontDialog_.strikethrough = true;
}

// ---- Editing ---------------------------------------------------------------

namespace {
// Paragraph ends of the document ("\r") as the clipboard's text has them.
std::wstring WithLineBreaks(const std::wstring& text) {
    std::wstring lines;
    lines.reserve(text.size());
    for (wchar_t c : text) {
        lines.push_back(c);
        if (c == L'\r') lines.push_back(L'\n');
    }
    return lines;
}
}  // namespace

// An empty selection leaves the clipboard as it is.
void ListWindow::OnCopyClick() {
    if (!ListMode() || document.SelLength() == 0) return;
    ui::SetClipboardText(hwnd(), WithLineBreaks(document.SelText()));
}

// The editing commands leave a document opened read-only as it is.
void ListWindow::OnCutClick() {
    if (!ListMode() || document.Locked() || document.SelLength() == 0) return;
    if (ui::SetClipboardText(hwnd(), WithLineBreaks(document.SelText()))) document.ReplaceSelection(L"");
}

void ListWindow::OnDeleteClick() {
    if (!ListMode() || document.Locked() || document.SelLength() == 0) return;
    document.ReplaceSelection(L"");
}

// The selection goes first, also when the clipboard holds no text (a
// picture, or nothing): Paste then only removes it.
void ListWindow::OnPasteClick() {
    if (!ListMode() || document.Locked()) return;
    const std::wstring text = ui::ClipboardText(hwnd());
    if (document.SelLength() > 0) document.ReplaceSelection(L"");
    if (!text.empty()) document.ReplaceSelection(text);
}

void ListWindow::OnSelectAllTextClick() {
    if (ListMode()) SelectWholeText();
}

// From 0 as many characters as the text has: the control's own last
// paragraph end stays out of the selection.
void ListWindow::SelectWholeText() {
    document.SetSelStart(0);
    document.SetSelLength(document.TextLength());
}

void ListWindow::OnDocumentSelChange() { UpdateEditMenu(); }

void ListWindow::OnDocumentMouseUp(int button) {
    if (!ListMode()) return;
    if (button == ui::kRightButton) editMenu.Popup();
    CheckCommands();
}

// ---- Undo history ----------------------------------------------------------

void ListWindow::OnUndoClick() {
    if (!ListMode()) return;
    history_.Undo();
    UpdateUndoState();
    document.SetFocus();
}

void ListWindow::OnRedoClick() {
    if (!ListMode()) return;
    history_.Redo();
    UpdateUndoState();
    document.SetFocus();
}

// What the history reports, then `checker2`, which sets the states from it.
void ListWindow::UpdateUndoState() {
    if (!ListMode()) return;
    const UndoState state = history_.UpdateUndoState();
    commandFacts_.undoAvailable = state.undoEnabled;
    commandFacts_.redoAvailable = state.redoEnabled;
    commandFacts_.menuShowsHistory = true;
    UpdateEditMenu();
    CheckCommands();
}

// Filled by the editing commands (Cut, Copy, Delete, Paste, Select All).
// What the Edit menu learns at a change of the selection, then the
// command-state refresh; nothing while the history replays an edit. Cut,
// Copy and Delete follow the document's text there, not the selection.
void ListWindow::UpdateEditMenu() {
    if (!ListMode() || !history_.RecordEdits()) return;
    const EditMenuState state =
        EditMenuStateFor(document.SelLength(), ui::ClipboardHasText(hwnd()), document.TextLength());
    commandFacts_.pasteAllowed = state.paste;
    commandFacts_.selectAllAllowed = state.selectAll;
    CheckCommands();
}

// The copy follows every change, whether recorded or not.
void ListWindow::FollowDocumentText() {
    const int32_t selectionEnd = document.SelStart() + document.SelLength();
    const auto read = [this](int32_t start, int32_t length) { return document.TextRange(start, length); };
    if (!documentText_.Follow(document.TextLength(), selectionEnd, read)) documentText_.Reset(document.Text());
}

std::wstring ListWindow::Text() const {
    // A change without a change event (none is known) would show in the length.
    if (documentText_.Text().size() != static_cast<size_t>(document.TextLength())) return document.Text();
    return documentText_.Text();
}
int32_t ListWindow::SelectionStart() const { return document.SelStart(); }
void ListWindow::Replace(int32_t start, int32_t length, const std::wstring& text) {
    document.Replace(start, length, text);
}
void ListWindow::Select(int32_t start, int32_t length) {
    document.SetSelStart(start);
    document.SetSelLength(length);
}

// The edit is recorded by the undo history before the states follow. Undo and
// Redo record nothing of their own replacements; their states follow at their end.
void ListWindow::OnDocumentChange() {
    FollowDocumentText();
    if (ListMode() && history_.RecordEdits()) {
        history_.RecordEdit();
        UpdateUndoState();
    } else {
        CheckCommands();
    }
}

}  // namespace listwin
