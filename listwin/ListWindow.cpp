#include "listwin/ListWindow.h"

#include <string>
#include <utility>

#include "base/Int16.h"
#include "base/Module.h"
#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "listwin/ListWindowTables.h"
#include "listwin/TransferLines.h"
#include "resources/resource.h"
#include "ui/App.h"
#include "ui/MainWindows.h"
#include "ui/MsgBox.h"
#include "ui/SettingsFailure.h"

namespace listwin {

using base::LoadText;
using base::Text;

namespace {
const wchar_t kHelpTopic[] = L"html\\file3mnn.htm";
const wchar_t kPrintHelpTopic[] = L"html\\file24oj.htm";
const wchar_t kSaveHelpTopic[] = L"html\\file4r77.htm";
const COLORREF kMaskColor = RGB(255, 0, 255);
}  // namespace

ListWindow::ListWindow() = default;
ListWindow::~ListWindow() = default;

void ListWindow::CreateControls() {
    toolbar.Create(*this, IDB_LIST_TOOLBAR, 16, kMaskColor, ToolbarKeys());
    driveBox.Create(*this);
    folderBox.Create(*this);
    fileBox.Create(*this);
    patternBox.Create(*this);
    viewPicturesBox.Create(*this);
    addToListButton.Create(*this);
    documentLabel.Create(*this);
    undoButton.Create(*this);
    redoButton.Create(*this);
    document.Create(*this);
    exitButton.Create(*this);
    saveButton.Create(*this);
    clearButton.Create(*this);
    printButton.Create(*this);
    CreatePictureControls();
    plainImage.Create(*this, IDB_LIST_IMAGE1);
    hoverImage.Create(*this, IDB_LIST_IMAGE2);
    plainImage.SetTransparentColor(kMaskColor);
    hoverImage.SetTransparentColor(kMaskColor);
    hoverImage.SetVisible(false);
    statusBar.Create(*this, 2);
    clipboardTimer.Create(*this, 3000, true);
    transferTimer.Create(*this, 1000);
    restoreSettingsTimer.Create(*this, 250);
    CreateMenus();

    // Long captions wrap rather than being cut off.
    for (ui::Control* control : {static_cast<ui::Control*>(&viewPicturesBox), static_cast<ui::Control*>(&addToListButton)})
        SetWindowLongW(control->hwnd(), GWL_STYLE, GetWindowLongW(control->hwnd(), GWL_STYLE) | BS_MULTILINE);
    patternBox.SetText(L"*.*");
    fileBox.SetPattern(L"*.*");
    WireHandlers();
}

void ListWindow::WireHandlers() {
    patternBox.OnChange = [this] { OnPatternChange(); };
    folderBox.OnChange = [this] { OnFolderChange(); };
    driveBox.OnChange = [this] { OnDriveChange(); };
    driveBox.OnGotFocus = [this] { OnDriveGotFocus(); };
    viewPicturesBox.OnClick = [this] { OnViewPicturesClick(); };
    exitButton.OnClick = [this] { OnExitClick(); };
    document.OnChange = [this] { OnDocumentChange(); };
    document.OnSelChange = [this] { OnDocumentSelChange(); };
    document.OnMouseUp = [this](int button, int, long, long) { OnDocumentMouseUp(button); };
    saveButton.OnClick = [this] { OnSaveClick(); };
    clearButton.OnClick = [this] { OnClearClick(); };
    toolbar.OnButtonClick = [this](const std::wstring& key) { OnToolbarClick(key); };
    toolbar.OnMouseMove = [this](int, int, long x, long) { OnToolbarMouseMove(x); };
    clipboardTimer.OnTimer = [this] { OnClipboardTimer(); };
    restoreSettingsTimer.OnTimer = [this] { OnRestoreSettingsTimer(); };
    addToListButton.OnClick = [this] { OnAddToListClick(); };
    fileBox.OnDblClick = [this] { OnAddToListClick(); };
    fileBox.OnClick = [this] { OnFileClick(); };
    transferTimer.OnTimer = [this] { OnTransferTimer(); };
    undoButton.OnClick = [this] { OnUndoClick(); };
    redoButton.OnClick = [this] { OnRedoClick(); };
    printButton.OnClick = [this] { PrintMessage(); };
    // The right button released over Print or Save to file opens the help at its topic.
    for (const auto& [button, topic] : {std::pair{&printButton, kPrintHelpTopic}, std::pair{&saveButton, kSaveHelpTopic}})
        button->OnMouseUp = [topic = topic](int pressed, int, long, long) {
            if (pressed == ui::kRightButton) base::ShowHelpTopic(topic);
        };

    // Hints in the first panel of the status bar, in list mode only.
    const std::pair<ui::Control*, base::Text> hints[] = {
        {&addToListButton, Text::HintTransfer}, {&printButton, Text::HintPrint},
        {&clearButton, Text::HintClearList},    {&exitButton, Text::ExitProgram},
        {&saveButton, Text::HintSaveSelected},  {&viewPicturesBox, Text::HintViewPicture},
    };
    for (const auto& [control, id] : hints)
        control->OnMouseMove = [this, id = id](int, int, long, long) {
            if (ListMode()) statusBar.ShowHint(id);
        };
}

// ---- Loading ---------------------------------------------------------------

void ListWindow::OnLoad() {
    try {
        RememberBusyWindows();
        ApplyLayout();
        // The states of the empty document, until its first change event sets them.
        ApplyCommandState();
        SetCaptions();
        ShowMenuPictures();
        fileBox.SetPath(folderBox.Path());
        // The document's change handling runs once: it records the history's
        // first element and ends in the command-state refresh.
        history_.SetRecordEdits(true);
        OnDocumentChange();
        UpdateEditMenu();  // the Edit menu starts out right
        restoreSettingsTimer.SetEnabled(true);
    } catch (const base::RunError& error) {
        ui::MsgBox(hwnd(), L"Nomaro Error Description: " + error.description, MB_OK | MB_ICONSTOP,
                   L"Error");
        ui::EndProgram();
    }
}

// The busy cursor goes by window class; the document's window is replaced
// after a large removal, so the windows are looked up again each time.
void ListWindow::RememberBusyWindows() {
    busy_.Remember({hwnd(), addToListButton.hwnd(), document.hwnd(), folderBox.hwnd(),
                    fileBox.hwnd()},
                   base::JoinPath(base::ProgramFolder(), L"hourglas.bin"));
}

void ListWindow::SetBusyCursor() {
    if (!busy_.On()) RememberBusyWindows();
    busy_.SetBusy();
}
void ListWindow::RestoreCursor() { busy_.Restore(); }

// Paste is enabled while the clipboard holds anything, text or not, and in
// the picture view as well.
void ListWindow::OnClipboardTimer() {
    commandFacts_.pasteAllowed = CountClipboardFormats() >= 1;
    ApplyCommandState();
    ui::DoEvents();
}

void ListWindow::OnRefreshClick() {
    InvalidateRect(hwnd(), nullptr, TRUE);
    Refresh();
    driveBox.Refresh();
    folderBox.Refresh();
    InvalidateRect(document.hwnd(), nullptr, TRUE);
    fileBox.Refresh();
}

// ---- Transfer --------------------------------------------------------------

// The busy cursor shows for the second before the names are written.
void ListWindow::OnAddToListClick() {
    SetBusyCursor();
    transferTimer.SetEnabled(true);
}

// The marked names go into the document in one replacement of its
// selection, so that the document changes once (one undo element) however
// many names there are. Marks stay. Open goes
// off until the list is cleared; the other commands follow the document's
// change event (Undo on, Redo off, the document's commands as its text allows).
void ListWindow::OnTransferTimer() {
    transferTimer.SetEnabled(false);
    if (!ListMode()) {
        RestoreCursor();
        return;
    }
    commandFacts_.openAllowed = false;
    ApplyCommandState();
    std::vector<std::wstring> marked;
    for (int i : fileBox.SelectedIndices()) marked.push_back(fileBox.List(i));
    InsertAtCaret(TransferBlock(fileBox.Path(), marked, includePathItem.Checked()));
    document.SetFocus();
    RestoreCursor();
}

// The hand-over of the transfer and of the recursive search: one insertion
// at the caret replacing any selection there, as plain text in the format
// the document has there; the control turns every line end into one
// paragraph end.
void ListWindow::InsertAtCaret(const std::wstring& text) { document.ReplaceSelection(text); }

// The recursive search, list mode only: it starts at this window's folder,
// and the folder it ends at becomes this window's.
void ListWindow::OnRadicalSelectClick() {
    if (!ListMode()) return;
    std::wstring folder = folderBox.Path();
    ui::ShowSearchWindow(hwnd(), folder, [this](const std::wstring& text) { InsertAtCaret(text); });
    if (folder != folderBox.Path()) folderBox.SetPath(folder);
}

// ---- Browser ---------------------------------------------------------------

void ListWindow::OnPatternChange() { fileBox.SetPattern(patternBox.Text()); }

void ListWindow::OnFolderChange() {
    fileBox.SetPath(folderBox.Path());
    try {
        driveBox.SetDrive(folderBox.Path().substr(0, 2));
    } catch (const base::RunError&) {
        // The folder is open, so its drive answers; nothing to report.
    }
    CheckCommands();
}

void ListWindow::OnDriveGotFocus() { lastGoodDrive_ = driveBox.Drive(); }

void ListWindow::OnDriveChange() {
    ui::FollowDriveChange(hwnd(), driveBox, folderBox, fileBox, lastGoodDrive_);
}

void ListWindow::OnFormClick() {
    if (ListMode()) fileBox.ClearSelection();
}

void ListWindow::OnSelectAllFilesClick() {
    if (ListMode()) fileBox.SelectAll();
}

void ListWindow::OnShowAllFilesClick() { patternBox.SetText(L"*.*"); }

void ListWindow::OnTypeFilterClick(size_t filter) {
    const TypeFilter& chosen = kTypeFilters[filter];
    patternBox.SetText(chosen.pattern);
    if (chosen.marking == Marking::All) {
        fileBox.SelectAll();
    } else {
        if (fileBox.ListCount() > 0) {
            fileBox.SetSelected(0, true);
            fileBox.SetFocus();
        }
        if (chosen.marking == Marking::FirstThenCheck && ListMode()) CheckCommands();
    }
    commandFacts_.filesListed = fileBox.ListCount() > 0;
    ApplyCommandState();
}

void ListWindow::OnCountMarkedClick() {
    const int marked = fileBox.SelCount();
    if (marked > 0)
        ui::MsgBox(hwnd(), std::to_wstring(marked) + L" file(s) marked in filelist right now!", MB_OK,
                   ui::AppTitle());
}

// ---- Options ---------------------------------------------------------------

// Checks the box when it is unchecked and unchecks it otherwise (grayed too).
void ListWindow::OnViewPicturesItemClick() {
    viewPicturesBox.SetValue(viewPicturesBox.State() == ui::CheckValue::Unchecked);
}

void ListWindow::OnIncludePathClick() {
    if (ListMode()) includePathItem.SetChecked(!includePathItem.Checked());
}

void ListWindow::OnStatusBarClick() {
    const bool show = !statusBarItem.Checked();
    statusBar.SetVisible(show);
    statusBarItem.SetChecked(show);
}

void ListWindow::OnHelpClick() { base::ShowHelpTopic(kHelpTopic); }

void ListWindow::OnGotoRenameClick() {
    if (!ui::AskSwitchWindow(hwnd())) return;
    skipExitQuestion_ = true;
    ui::OpenMainWindow(ui::MainWindow::Rename);
    Unload();
}

// ---- Decoration ------------------------------------------------------------

void ListWindow::OnFormMouseMove(int, int, long x, long y) {
    const bool overImage = plainImage.Contains(x, y);
    ShowImage(overImage);
    if (!overImage) statusBar.SetPanelText(1, kIdleHint);
}

void ListWindow::ShowImage(bool highlighted) {
    if (highlighted == imageHighlighted_) return;
    imageHighlighted_ = highlighted;
    plainImage.SetVisible(!highlighted);
    hoverImage.SetVisible(highlighted);
}

// ---- Settings and closing --------------------------------------------------

namespace {
// A whole number as the settings file holds it, blanks around allowed;
// anything else (the empty text of a missing key included) raises 13.
int WholeNumber(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) throw base::RunError(base::err::TypeMismatch);
    return base::ParseInt16(text.substr(first, text.find_last_not_of(L' ') - first + 1));
}
}  // namespace

// The folder, the pattern and the mode, written at every closing.
void ListWindow::SaveSettings() {
    base::WriteIniValue(L"printsave", L"lastcat", folderBox.Path());
    base::WriteIniValue(L"printsave", L"format", patternBox.Text());
    base::WriteIniValue(L"printsave", L"pictures", std::to_wstring(static_cast<int>(viewPicturesBox.State())));
}

// A quarter of a second after loading, the saved mode, folder and pattern
// come back, in that order; the mode is the picture box's value, and a
// grayed box (2) keeps list mode. A folder that is gone (or on a drive not
// ready) leaves drive C and the pattern as they are; a missing or damaged
// mode, a value the box refuses, or any other failure, is reported and ends
// the program.
void ListWindow::OnRestoreSettingsTimer() {
    restoreSettingsTimer.SetEnabled(false);
    try {
        viewPicturesBox.SetNumber(WholeNumber(base::ReadIniValue(L"printsave", L"pictures")));
        folderBox.SetPath(base::ReadIniValue(L"printsave", L"lastcat"));
        patternBox.SetText(base::ReadIniValue(L"printsave", L"format"));
    } catch (const base::RunError& error) {
        if (error.number == base::err::PathNotFound || error.number == base::err::DeviceUnavailable) {
            driveBox.SetDrive(L"c:");
            return;
        }
        ui::EndOnSettingsFailure(hwnd(), error, LoadText(Text::FilesMissing));
    }
}

void ListWindow::OnQueryClose(bool& cancel) {
    // The settings are saved first, also when the closing is then cancelled.
    SaveSettings();
    if (skipExitQuestion_) return;
    if (busy_.On()) RestoreCursor();
    if (!ui::AskExit(hwnd())) cancel = true;
}

void ListWindow::OnUnload() {
    clipboardTimer.SetEnabled(false);
    history_.SetRecordEdits(false);
    history_.Release();
    if (busy_.On()) RestoreCursor();
    ReleaseMenuPictures();
    preview.ClearPicture();
    thumbnail.ClearPicture();
}

}  // namespace listwin
