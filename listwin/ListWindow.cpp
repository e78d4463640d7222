#include "listwin/ListWindow.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/Display.h"
#include "base/Int16.h"
#include "base/Module.h"
#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "base/Version.h"
#include "listwin/DocumentFiles.h"
#include "listwin/ListWindowTables.h"
#include "listwin/TransferLines.h"
#include "resources/resource.h"
#include "ui/App.h"
#include "ui/Clipboard.h"
#include "ui/MainWindows.h"
#include "ui/MsgBox.h"
#include "ui/RichEditFiles.h"
#include "ui/RichTextFormat.h"
#include "ui/Screen.h"

namespace listwin {

using base::LoadText;
using base::Text;

namespace {
const wchar_t kCaption[] = L"Noma Ro " NOMARO_SHORT_VERSION "  (Print & Save)";
const wchar_t kHelpTopic[] = L"html\\file3mnn.htm";
const wchar_t kPrintHelpTopic[] = L"html\\file24oj.htm";
const wchar_t kSaveHelpTopic[] = L"html\\file4r77.htm";
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
    600, 2145, 3600, 3610, 5500, 6285, 5580, 6285, 5580, 6200, 7265,
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
    // The undo history starts with one snapshot: nothing to take back or put in again.
    ui::SetEnabled({&undoButton, &redoButton}, false);
    undoItem.SetEnabled(false);
    redoItem.SetEnabled(false);
    WireHandlers();
}

void ListWindow::CreateMenus() {
    menuBar.Create(*this);
    fileMenu.Create(menuBar);
    openItem.Create(fileMenu, [this] { OnOpenClick(); });
    openItem.SetShortcut('O', ui::kCtrlMask);
    saveItem.Create(fileMenu, [this] { OnSaveClick(); });
    saveItem.SetShortcut('S', ui::kCtrlMask);
    closeItem.Create(fileMenu, [this] { OnClearClick(); });
    fileMenu.AddSeparator();
    printerSetupItem.Create(fileMenu, [this] { OnPrinterSetupClick(); });
    printItem.Create(fileMenu, [this] { PrintMessage(); });
    printItem.SetShortcut('P', ui::kCtrlMask);
    fileMenu.AddSeparator();
    exitItem.Create(fileMenu, [this] { Unload(); });
    exitItem.SetShortcut('Q', ui::kCtrlMask);

    optionMenu.Create(menuBar);
    gotoRenameItem.Create(optionMenu, [this] { OnGotoRenameClick(); });
    radicalSelectItem.Create(optionMenu, [this] { OnRadicalSelectClick(); });
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

    // Undo and Redo are joined with the undo history. A hidden item "Paste2" without action belongs here
    // after Paste; a Win32 menu cannot hide an item, so it is left out.
    editMenu.Create(menuBar);
    undoItem.Create(editMenu, [this] { OnUndoClick(); });
    redoItem.Create(editMenu, [this] { OnRedoClick(); });
    editMenu.AddSeparator();
    copyItem.Create(editMenu, [this] { OnCopyClick(); });
    copyItem.SetShortcut('C', ui::kCtrlMask);
    cutItem.Create(editMenu, [this] { OnCutClick(); });
    cutItem.SetShortcut('X', ui::kCtrlMask);
    deleteItem.Create(editMenu, [this] { OnDeleteClick(); });
    deleteItem.SetShortcut(VK_DELETE);
    pasteItem.Create(editMenu, [this] { OnPasteClick(); });
    editMenu.AddSeparator();
    fontItem.Create(editMenu, [this] { OnFontClick(); });
    fontItem.SetShortcut('F', ui::kCtrlMask);
    clearListItem.Create(editMenu, [this] { OnClearClick(); });
    editMenu.AddSeparator();
    selectAllTextItem.Create(editMenu, [this] { OnSelectAllTextClick(); });
    selectAllFilesItem.Create(editMenu, [this] { OnSelectAllFilesClick(); });
    selectAllFilesItem.SetShortcut('A', ui::kCtrlMask);

    selectMenu.Create(menuBar);
    showAllFilesItem.Create(selectMenu, [this] { OnShowAllFilesClick(); });
    CreateFilterItems();

    helpMenu.Create(menuBar);
    helpItem.Create(helpMenu, [this] { OnHelpClick(); });
    helpItem.SetShortcut(VK_F1);
    helpMenu.AddSeparator();
    aboutItem.Create(helpMenu, [this] { ui::ShowAboutBox(hwnd()); });
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
        UpdateEditMenu();  // the Edit menu starts out right
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
    PlacePictureControls();

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
    InsertAtCaret(TransferBlock(fileBox.Path(), marked, includePathItem.Checked()));
    document.SetFocus();
    RestoreCursor();
}

// The hand-over of the transfer and of the recursive search: one insertion
// at the caret replacing any selection there, as plain text in the format
// the document has there. The text goes straight into the document: passing
// it through the scratch box first gave the same characters (the control
// turns every line end into one paragraph end either way) at the cost of a
// second insertion and a copy of the whole text out of the box.
void ListWindow::InsertAtCaret(const std::wstring& text) { document.ReplaceSelection(text); }

// The recursive search, list mode only: it starts at this window's folder,
// and the folder it ends at becomes this window's.
void ListWindow::OnRadicalSelectClick() {
    if (!ListMode()) return;
    std::wstring folder = folderBox.Path();
    ui::ShowSearchWindow(hwnd(), folder, [this](const std::wstring& text) { InsertAtCaret(text); });
    if (folder != folderBox.Path()) folderBox.SetPath(folder);
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
// The Edit menu's states after a change of the selection, then the
// command-state refresh; nothing while the history replays an edit.
void ListWindow::UpdateEditMenu() {
    if (!ListMode() || !history_.RecordEdits()) return;
    const EditMenuState state =
        EditMenuStateFor(document.SelLength(), ui::ClipboardHasText(hwnd()), document.TextLength());
    cutItem.SetEnabled(state.cut);
    copyItem.SetEnabled(state.copy);
    deleteItem.SetEnabled(state.del);
    pasteItem.SetEnabled(state.paste);
    selectAllTextItem.SetEnabled(state.selectAll);
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

// ---- Toolbar ---------------------------------------------------------------

void ListWindow::OnToolbarClick(const std::wstring& key) {
    if (key == L"axxk") Unload();
    else if (key == L"hxxk") OnHelpClick();
    else if (key == L"dxxk") OnUndoClick();
    else if (key == L"exxk") OnRedoClick();
    else if (key == L"bxxk") OnSaveClick();
    else if (key == L"cxxk") OnClearClick();
    else if (key == L"gxxk") ui::ShowAboutBox(hwnd());
    else if (key == L"ixxk") PrintMessage();
}

void ListWindow::OnToolbarMouseMove(long x) {
    if (!ListMode()) return;
    const ToolbarHint hint = ToolbarHintAt(x);
    if (hint.kind == ToolbarHint::Numbered) statusBar.ShowHint(hint.text);
    else if (hint.kind == ToolbarHint::IdleText) statusBar.SetPanelText(1, kIdleHint);
}

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
    openItem.SetEnabled(true);
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

// The saved settings come back here (joined with the list-window settings).
// ---- Settings --------------------------------------------------------------

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
        if (error.number == base::err::TypeMismatch)
            ui::MsgBox(hwnd(), LoadText(Text::FilesMissing), MB_OK | MB_ICONEXCLAMATION, L"Error");
        else
            ui::MsgBox(hwnd(), L"Nomaro Error Description: " + error.description, MB_OK | MB_ICONSTOP,
                       L"Error " + std::to_wstring(error.number));
        ui::EndProgram();
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
    for (ui::MenuPicture& picture : menuPictures) picture.Release();
    preview.ClearPicture();
    thumbnail.ClearPicture();
}

}  // namespace listwin
