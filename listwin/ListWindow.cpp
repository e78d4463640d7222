#include "listwin/ListWindow.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/Display.h"
#include "base/Module.h"
#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Texts.h"
#include "listwin/ListWindowTables.h"
#include "listwin/TransferLines.h"
#include "resources/resource.h"
#include "ui/App.h"
#include "ui/MainWindows.h"
#include "ui/MsgBox.h"
#include "ui/Screen.h"

namespace listwin {

using base::LoadText;
using base::Text;

namespace {
const wchar_t kCaption[] = L"Noma Ro 3.1  (Print & Save)";
const wchar_t kHelpTopic[] = L"html\\file3mnn.htm";
const COLORREF kMaskColor = RGB(255, 0, 255);

// Positions in twips that the three screen layouts change; the design
// layout (any other screen) keeps the values of kDesignLayout.
struct Layout {
    long driveTop;
    long folderHeight;
    long fileTop, fileHeight;
    long addTop;
    long documentWidth, documentHeight;
    long previewWidth, previewHeight;  // Picture1 and Image3 of the picture view
    long thumbnailTop;                 // Image4 of the picture view
    long buttonRowTop;
    long saveLeft, saveWidth;
    long printLeft, clearLeft;
    long undoLeft, redoLeft;
    long labelLeft, labelTop;
    long pictureBoxTop;  // Check1
};

const Layout kDesignLayout = {
    600, 2145, 3600, 3610, 5500, 6285, 5580, 6285, 5580, 6000, 7265,
    6000, 1400, 7900, 9200, 8600, 9800, 5350, 840, 1620};
const Layout k1024Layout = {
    1170, 3015, 4600, 4285, 6175, 9735, 7230, 9735, 7230, 6925, 9300,
    10000, 1600, 12350, 13600, 12800, 14000, 5350, 840, kDesignLayout.pictureBoxTop};
const Layout k800Layout = {
    1170, 2145, 3600, 3610, 5500, 6285, 5580, 6285, kDesignLayout.previewHeight,
    kDesignLayout.thumbnailTop, 7265, 6000, 1400, 7900, 9200, 8600, 9800, 5350, 840,
    kDesignLayout.pictureBoxTop};
const Layout k640Layout = {
    kDesignLayout.driveTop, 1255, 2880, 2605, 3900, 4215, 3855, 4215, 3855, 5300, 5520,
    5350, 1500, 6915, 8330, 7250, 8400, 5400, 900, 1560};

const Layout& LayoutFor(const std::wstring& resolution) {
    if (resolution == L"1024") return k1024Layout;
    if (resolution == L"800") return k800Layout;
    if (resolution == L"640") return k640Layout;
    return kDesignLayout;
}

// Fixed places of the design, the same in every layout (twips).
const long kMargin = 375;           // left edge of the browser column
const long kBrowserWidth = 3375;
const long kFolderTop = 1470;       // below the drive box of the 800 and 1024 layouts
const long kMiddleLeft = 3900;      // column of the pattern, the check box and Add to List
const long kMiddleWidth = 1300;
const long kDocumentLeft = 5350;
const long kDocumentTop = 1170;
const long kUndoRowTop = 480;
const long kUndoWidth = 1100;
const long kButtonHeight = 360;
const long kPrintWidth = 1200;       // leaves a gap before Clear List in every layout
const long kClearWidth = 1400;
const long kImageLeft = 4190, kImageTop = 2500;
const long kScratchWidth = 120;     // RichTextBox3 sits at the left edge, out of the way

// Bitmaps 101 .. 114 and the menu items they go beside: menu and position
// on the menu bar, separators counted.
struct MenuPictureRow {
    int bitmap;
    int menu;
    int position;
};
enum MenuPosition { kFileMenu = 0, kOptionMenu = 1, kEditMenu = 2, kSelectMenu = 3, kHelpMenu = 4 };
const MenuPictureRow kMenuPictureRows[] = {
    {IDB_MENU_OPEN, kFileMenu, 0},     {IDB_MENU_SAVE, kFileMenu, 1},
    {IDB_MENU_NEW, kFileMenu, 2},      {IDB_MENU_PRINTER, kFileMenu, 5},
    {IDB_MENU_UNDO, kEditMenu, 0},     {IDB_MENU_REDO, kEditMenu, 1},
    {IDB_MENU_COPY, kEditMenu, 3},     {IDB_MENU_CUT, kEditMenu, 4},
    {IDB_MENU_PASTE, kEditMenu, 6},    {IDB_MENU_HELP, kHelpMenu, 0},
    {IDB_MENU_SEARCH, kOptionMenu, 1}, {IDB_MENU_VIEW, kOptionMenu, 3},
    {IDB_MENU_ABOUT, kHelpMenu, 2},    {IDB_MENU_EXIT, kFileMenu, 7},
};
}  // namespace

ListWindow::ListWindow() = default;
ListWindow::~ListWindow() = default;

SIZE ListWindow::DesignSize() const { return SIZE{12000, 8600}; }

void ListWindow::CreateControls() {
    toolbar.Create(*this, IDB_LIST_TOOLBAR, 16, kMaskColor,
                   {L"axxk", L"ixxk", L"bxxk", L"cxxk", L"dxxk", L"exxk", L"gxxk", L"hxxk"});
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
    scratch.Create(*this);
    exitButton.Create(*this);
    saveButton.Create(*this);
    clearButton.Create(*this);
    printButton.Create(*this);
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
    // The undo history starts with one snapshot: nothing to take back or put in again.
    ui::SetEnabled({&undoButton, &redoButton}, false);
    undoItem.SetEnabled(false);
    redoItem.SetEnabled(false);
    WireHandlers();
}

void ListWindow::CreateMenus() {
    menuBar.Create(*this);
    fileMenu.Create(menuBar);
    openItem.Create(fileMenu);          // joined with opening documents
    openItem.SetShortcut('O', ui::kCtrlMask);
    saveItem.Create(fileMenu);          // joined with saving documents
    saveItem.SetShortcut('S', ui::kCtrlMask);
    closeItem.Create(fileMenu);         // joined with clearing documents
    fileMenu.AddSeparator();
    printerSetupItem.Create(fileMenu);  // joined with printing
    printItem.Create(fileMenu);         // joined with printing
    printItem.SetShortcut('P', ui::kCtrlMask);
    fileMenu.AddSeparator();
    exitItem.Create(fileMenu, [this] { Unload(); });
    exitItem.SetShortcut('Q', ui::kCtrlMask);

    optionMenu.Create(menuBar);
    gotoRenameItem.Create(optionMenu, [this] { OnGotoRenameClick(); });
    radicalSelectItem.Create(optionMenu);  // joined with the recursive search
    optionMenu.AddSeparator();
    viewPicturesItem.Create(optionMenu, [this] { OnViewPicturesItemClick(); });
    viewPicturesItem.SetShortcut('W', ui::kCtrlMask);
    optionMenu.AddSeparator();
    includePathItem.Create(optionMenu, [this] { OnIncludePathClick(); });
    countMarkedItem.Create(optionMenu, [this] { OnCountMarkedClick(); });
    countMarkedItem.SetShortcut(VK_F4);
    statusBarItem.Create(optionMenu, [this] { OnStatusBarClick(); });
    statusBarItem.SetChecked(true);
    optionMenu.AddSeparator();
    refreshItem.Create(optionMenu, [this] { OnRefreshClick(); });
    refreshItem.SetShortcut(VK_F5);

    // The editing commands are joined with the undo history and the editing
    // of the document. A hidden item "Paste2" without action belongs here
    // after Paste; a Win32 menu cannot hide an item, so it is left out.
    editMenu.Create(menuBar);
    undoItem.Create(editMenu, [this] { OnUndoClick(); });
    redoItem.Create(editMenu, [this] { OnRedoClick(); });
    editMenu.AddSeparator();
    copyItem.Create(editMenu);
    copyItem.SetShortcut('C', ui::kCtrlMask);
    cutItem.Create(editMenu);
    cutItem.SetShortcut('X', ui::kCtrlMask);
    deleteItem.Create(editMenu);
    deleteItem.SetShortcut(VK_DELETE);
    pasteItem.Create(editMenu);
    editMenu.AddSeparator();
    fontItem.Create(editMenu);       // joined with the font of the selection
    fontItem.SetShortcut('F', ui::kCtrlMask);
    clearListItem.Create(editMenu);  // joined with clearing documents
    editMenu.AddSeparator();
    selectAllTextItem.Create(editMenu);
    selectAllFilesItem.Create(editMenu, [this] { OnSelectAllFilesClick(); });
    selectAllFilesItem.SetShortcut('A', ui::kCtrlMask);

    selectMenu.Create(menuBar);
    showAllFilesItem.Create(selectMenu, [this] { OnShowAllFilesClick(); });
    CreateFilterItems();

    helpMenu.Create(menuBar);
    helpItem.Create(helpMenu, [this] { OnHelpClick(); });
    helpItem.SetShortcut(VK_F1);
    helpMenu.AddSeparator();
    aboutItem.Create(helpMenu);  // joined with the About box
}

void ListWindow::CreateFilterItems() {
    filterItems.resize(kTypeFilterCount);
    for (size_t i = 0; i < kTypeFilterCount; ++i) {
        if (kTypeFilters[i].separatorBefore) selectMenu.AddSeparator();
        filterItems[i].Create(selectMenu, [this, i] { OnTypeFilterClick(i); });
    }
}

void ListWindow::WireHandlers() {
    patternBox.OnChange = [this] { OnPatternChange(); };
    folderBox.OnChange = [this] { OnFolderChange(); };
    driveBox.OnChange = [this] { OnDriveChange(); };
    driveBox.OnGotFocus = [this] { OnDriveGotFocus(); };
    viewPicturesBox.OnClick = [this] { OnViewPicturesClick(); };
    exitButton.OnClick = [this] { Unload(); };
    document.OnChange = [this] { OnDocumentChange(); };
    toolbar.OnButtonClick = [this](const std::wstring& key) { OnToolbarClick(key); };
    toolbar.OnMouseMove = [this](int, int, long x, long) { OnToolbarMouseMove(x); };
    clipboardTimer.OnTimer = [this] { OnClipboardTimer(); };
    restoreSettingsTimer.OnTimer = [this] { OnRestoreSettingsTimer(); };
    addToListButton.OnClick = [this] { OnAddToListClick(); };
    fileBox.OnDblClick = [this] { OnAddToListClick(); };
    transferTimer.OnTimer = [this] { OnTransferTimer(); };
    undoButton.OnClick = [this] { OnUndoClick(); };
    redoButton.OnClick = [this] { OnRedoClick(); };
    // Joined with printing: printButton; with saving and clearing:
    // saveButton, clearButton; with the editing commands: the document's
    // selection and mouse events.

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
        ui::SetEnabled({&saveButton, &clearButton, &printButton}, false);
        SetCaptions();
        SetMenuPictures();
        toolbar.SetButtonEnabled(kPrintToolButton, false);
        closeItem.SetEnabled(false);
        fontItem.SetEnabled(false);
        fileBox.SetPath(folderBox.Path());
        // The document's change handling runs once: it records the history's
        // first element and ends in the command-state refresh.
        history_.SetRecordEdits(true);
        OnDocumentChange();
        UpdateEditMenu();
        restoreSettingsTimer.SetEnabled(true);
    } catch (const base::RunError& error) {
        ui::MsgBox(hwnd(), L"Nomaro Error Description: " + error.description, MB_OK | MB_ICONSTOP,
                   L"Error");
        ui::EndProgram();
    }
}

void ListWindow::ApplyLayout() {
    const Layout& layout = LayoutFor(base::ScreenResolution);
    driveBox.Move(kMargin, layout.driveTop, kBrowserWidth, 330);
    folderBox.Move(kMargin, kFolderTop, kBrowserWidth, layout.folderHeight);
    fileBox.Move(kMargin, layout.fileTop, kBrowserWidth, layout.fileHeight);
    patternBox.Move(kMiddleLeft, kDocumentTop, kMiddleWidth, 315);
    viewPicturesBox.Move(kMiddleLeft, layout.pictureBoxTop, kMiddleWidth, 600);
    addToListButton.Move(kMiddleLeft, layout.addTop, kMiddleWidth, 600);
    documentLabel.Move(layout.labelLeft, layout.labelTop, 3100, 255);
    undoButton.Move(layout.undoLeft, kUndoRowTop, kUndoWidth, kButtonHeight);
    redoButton.Move(layout.redoLeft, kUndoRowTop, kUndoWidth, kButtonHeight);
    document.Move(kDocumentLeft, kDocumentTop, layout.documentWidth, layout.documentHeight);
    scratch.Move(0, layout.buttonRowTop, kScratchWidth, kButtonHeight);
    scratch.SetVisible(false);
    scratch.SetWordWrap(false);  // never shown: no lines to lay out
    exitButton.Move(kMiddleLeft, layout.buttonRowTop, kMiddleWidth, kButtonHeight);
    saveButton.Move(layout.saveLeft, layout.buttonRowTop, layout.saveWidth, kButtonHeight);
    printButton.Move(layout.printLeft, layout.buttonRowTop, kPrintWidth, kButtonHeight);
    clearButton.Move(layout.clearLeft, layout.buttonRowTop, kClearWidth, kButtonHeight);
    plainImage.Move(kImageLeft, kImageTop);
    hoverImage.Move(kImageLeft, kImageTop);
    preview_ = {layout.previewWidth, layout.previewHeight, layout.thumbnailTop};

    // The window holds the document and the button row, with the menu bar and the status bar.
    RECT bar{};
    GetWindowRect(statusBar.hwnd(), &bar);
    const long clientWidth = kDocumentLeft + layout.documentWidth + 150;
    const long clientHeight = layout.buttonRowTop + kButtonHeight + 90 +
                              ui::PixelsToTwipsY(bar.bottom - bar.top);
    SIZE outer = OuterSizeForClient(clientWidth, clientHeight);
    outer.cy += ui::PixelsToTwipsY(GetSystemMetrics(SM_CYMENU));
    CentreOnScreen(std::min(outer.cx, ui::ScreenWidthTwips()), std::min(outer.cy, ui::ScreenHeightTwips()));
}

void ListWindow::SetCaptions() {
    SetCaption(kCaption);
    addToListButton.SetCaption(L"> " + LoadText(Text::AddToList) + L" >");
    viewPicturesBox.SetCaption(LoadText(Text::ViewPictureFiles));
    documentLabel.SetCaption(LoadText(Text::FilesToPrintOrSave));
    undoButton.SetCaption(LoadText(Text::Undo));
    redoButton.SetCaption(LoadText(Text::Redo));
    saveButton.SetCaption(LoadText(Text::SaveToFile));
    printButton.SetCaption(LoadText(Text::Print));
    clearButton.SetCaption(LoadText(Text::ClearList));
    exitButton.SetCaption(LoadText(Text::Exit));

    fileMenu.SetCaption(LoadText(Text::FileMenu));
    openItem.SetCaption(LoadText(Text::Open));
    saveItem.SetCaption(LoadText(Text::SaveAs));
    closeItem.SetCaption(LoadText(Text::Close));
    printerSetupItem.SetCaption(LoadText(Text::PrinterSetup));
    printItem.SetCaption(LoadText(Text::Print));
    exitItem.SetCaption(LoadText(Text::Exit));
    optionMenu.SetCaption(LoadText(Text::ListOptionMenu));
    gotoRenameItem.SetCaption(LoadText(Text::GotoRename));
    radicalSelectItem.SetCaption(LoadText(Text::RadicalSelect));
    viewPicturesItem.SetCaption(LoadText(Text::ViewPictureFiles));
    includePathItem.SetCaption(LoadText(Text::IncludePath));
    countMarkedItem.SetCaption(LoadText(Text::CountMarkedFiles));
    statusBarItem.SetCaption(L"StatusBar");
    refreshItem.SetCaption(L"Refresh");
    editMenu.SetCaption(LoadText(Text::EditMenu));
    undoItem.SetCaption(LoadText(Text::Undo));
    redoItem.SetCaption(LoadText(Text::Redo));
    copyItem.SetCaption(LoadText(Text::Copy));
    cutItem.SetCaption(LoadText(Text::Cut));
    deleteItem.SetCaption(LoadText(Text::Delete));
    pasteItem.SetCaption(LoadText(Text::Paste));
    fontItem.SetCaption(LoadText(Text::FontProperties));
    clearListItem.SetCaption(LoadText(Text::ClearList));
    selectAllTextItem.SetCaption(LoadText(Text::SelectAllInDocument));
    selectAllFilesItem.SetCaption(LoadText(Text::SelectAllInFileList));
    selectMenu.SetCaption(LoadText(Text::SelectMenu));
    showAllFilesItem.SetCaption(LoadText(Text::ShowAllFiles));
    for (size_t i = 0; i < filterItems.size(); ++i)
        filterItems[i].SetCaption(LoadText(kTypeFilters[i].caption));
    helpMenu.SetCaption(LoadText(Text::Help));
    helpItem.SetCaption(LoadText(Text::Help));
    aboutItem.SetCaption(LoadText(Text::AboutAndSystemInfo));
    menuBar.Redraw();
}

// `LoadMenuPictures` and `SetMenuPictures`: each bitmap beside its item,
// checked and unchecked alike. A bitmap that is missing leaves the plain item.
void ListWindow::SetMenuPictures() {
    for (size_t i = 0; i < menuPictures.size(); ++i) {
        const MenuPictureRow& row = kMenuPictureRows[i];
        if (menuPictures[i].Load(row.bitmap))
            menuBar.SetPictureAt(row.menu, row.position, menuPictures[i].handle());
    }
}

// ---- Command state ---------------------------------------------------------

void ListWindow::CheckCommands() {
    if (!ListMode()) return;
    patternBox.SetText(L"*.*");
    toolbar.SetButtonEnabled(kUndoToolButton, undoButton.Enabled());
    toolbar.SetButtonEnabled(kRedoToolButton, redoButton.Enabled());
    SetDocumentCommands(!DocumentEmpty());
    addToListButton.SetEnabled(fileBox.ListCount() > 0);
}

void ListWindow::SetDocumentCommands(bool enabled) {
    for (int button : {kPrintToolButton, kSaveToolButton, kClearToolButton})
        toolbar.SetButtonEnabled(button, enabled);
    for (ui::MenuItem* item : {&saveItem, &printItem, &closeItem, &cutItem, &copyItem, &deleteItem,
                               &clearListItem, &fontItem})
        item->SetEnabled(enabled);
    ui::SetEnabled({&saveButton, &printButton, &clearButton}, enabled);
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

// The busy cursor goes by window class; the document's window is replaced
// after a large removal, so the windows are looked up again each time.
void ListWindow::RememberBusyWindows() {
    busy_.Remember({hwnd(), addToListButton.hwnd(), document.hwnd(), scratch.hwnd(), folderBox.hwnd(),
                    fileBox.hwnd()},
                   base::JoinPath(base::ProgramFolder(), L"hourglas.bin"));
}

void ListWindow::SetBusyCursor() {
    if (!busy_.On()) RememberBusyWindows();
    busy_.SetBusy();
}
void ListWindow::RestoreCursor() { busy_.Restore(); }

void ListWindow::OnClipboardTimer() {
    pasteItem.SetEnabled(CountClipboardFormats() >= 1);
    ui::DoEvents();
}

void ListWindow::OnRefreshClick() {
    InvalidateRect(hwnd(), nullptr, TRUE);
    Refresh();
    driveBox.Refresh();
    folderBox.Refresh();
    for (ui::RichText* box : {&document, &scratch}) InvalidateRect(box->hwnd(), nullptr, TRUE);
    fileBox.Refresh();
}

// ---- Transfer --------------------------------------------------------------

// The busy cursor shows for the second before the names are written.
void ListWindow::OnAddToListClick() {
    SetBusyCursor();
    transferTimer.SetEnabled(true);
}

// The marked names go into the scratch box first and from there into the
// document in one replacement of its selection, so that the document changes
// once (one undo element) however many names there are. Marks stay.
void ListWindow::OnTransferTimer() {
    transferTimer.SetEnabled(false);
    if (!ListMode()) {
        RestoreCursor();
        return;
    }
    for (ui::MenuItem* item : {&saveItem, &printItem, &undoItem, &closeItem}) item->SetEnabled(true);
    redoItem.SetEnabled(false);
    for (int button : {kPrintToolButton, kSaveToolButton, kClearToolButton, kUndoToolButton})
        toolbar.SetButtonEnabled(button, true);
    toolbar.SetButtonEnabled(kRedoToolButton, false);
    openItem.SetEnabled(false);

    std::vector<std::wstring> marked;
    for (int i : fileBox.SelectedIndices()) marked.push_back(fileBox.List(i));
    if (!marked.empty()) {
        ui::SetEnabled({&saveButton, &clearButton, &printButton}, true);
        fontItem.SetEnabled(true);
    }
    scratch.ReplaceSelection(TransferBlock(fileBox.Path(), marked, includePathItem.Checked()));
    scratch.SelectAll();
    document.ReplaceSelection(scratch.SelText());
    scratch.ReplaceSelection(L"");
    document.SetFocus();
    RestoreCursor();
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

// Ends in `checker2`, which gives the toolbar's Undo and Redo the buttons' states.
void ListWindow::UpdateUndoState() {
    if (!ListMode()) return;
    const UndoState state = history_.UpdateUndoState();
    undoButton.SetEnabled(state.undoEnabled);
    undoItem.SetEnabled(state.undoEnabled);
    redoButton.SetEnabled(state.redoEnabled);
    redoItem.SetEnabled(state.redoEnabled);
    UpdateEditMenu();
    CheckCommands();
}

// Filled by the editing commands (Cut, Copy, Delete, Paste, Select All).
void ListWindow::UpdateEditMenu() {}

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

// ---- Toolbar ---------------------------------------------------------------

void ListWindow::OnToolbarClick(const std::wstring& key) {
    if (key == L"axxk") Unload();
    else if (key == L"hxxk") OnHelpClick();
    else if (key == L"dxxk") OnUndoClick();
    else if (key == L"exxk") OnRedoClick();
    // "ixxk" print, "bxxk" save, "cxxk" clear and "gxxk" the About box are
    // joined with their features.
}

void ListWindow::OnToolbarMouseMove(long x) {
    if (!ListMode()) return;
    const ToolbarHint hint = ToolbarHintAt(x);
    if (hint.kind == ToolbarHint::Numbered) statusBar.ShowHint(hint.text);
    else if (hint.kind == ToolbarHint::IdleText) statusBar.SetPanelText(1, kIdleHint);
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
    addToListButton.SetEnabled(fileBox.ListCount() > 0);
}

void ListWindow::OnCountMarkedClick() {
    const int marked = fileBox.SelCount();
    if (marked > 0)
        ui::MsgBox(hwnd(), std::to_wstring(marked) + L" file(s) marked in filelist right now!", MB_OK,
                   ui::AppTitle());
}

// ---- Options ---------------------------------------------------------------

void ListWindow::OnViewPicturesClick() {
    mode_ = viewPicturesBox.Value() ? ViewMode::Pictures : ViewMode::List;
    viewPicturesItem.SetChecked(!ListMode());
    // The controls of each mode are joined with the picture view.
    CheckCommands();
}

void ListWindow::OnViewPicturesItemClick() { viewPicturesBox.SetValue(!viewPicturesBox.Value()); }

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

// The saved settings come back here (joined with the list-window settings).
void ListWindow::OnRestoreSettingsTimer() { restoreSettingsTimer.SetEnabled(false); }

void ListWindow::OnQueryClose(bool& cancel) {
    // The settings are saved first, also when the closing is then cancelled
    // (joined with the list-window settings).
    if (skipExitQuestion_) return;
    if (busy_.On()) RestoreCursor();
    if (!ui::AskExit(hwnd())) cancel = true;
}

void ListWindow::OnUnload() {
    clipboardTimer.SetEnabled(false);
    history_.SetRecordEdits(false);
    history_.Release();
    if (busy_.On()) RestoreCursor();
    for (ui::MenuPicture& picture : menuPictures) picture.Release();
}

}  // namespace listwin
