#include "rename/RenameWindow.h"

#include <string>

#include "base/Display.h"
#include "base/Module.h"
#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "base/Version.h"
#include "rename/RenameFiles.h"
#include "rename/RenameUndo.h"
#include "resources/resource.h"
#include "ui/App.h"
#include "ui/MainWindows.h"
#include "ui/MenuTable.h"
#include "ui/MsgBox.h"
#include "ui/Screen.h"
#include "ui/SettingsFailure.h"

namespace renamer {

using base::LoadText;
using base::Text;

namespace {
// The type filters of the Select menu: caption text and pattern, in menu order.
struct Filter {
    base::Text textId;
    const wchar_t* pattern;
};
const Filter kFilters[] = {
    {Text::SelectAllFiles, L"*.*"},
    {Text::SelectExeFiles, L"*.EXE"},
    {Text::SelectProgramFiles, L"*.exe;*.bat;*.com"},
    {Text::SelectDocFiles, L"*.DOC"},
    {Text::SelectTxtFiles, L"*.TXT"},
    {Text::SelectRtfFiles, L"*.RTF"},
    {Text::SelectPdfFiles, L"*.PDF"},
    {Text::SelectTextTypeFiles, L"*.doc;*.txt;*.rtf;*.pdf"},
    {Text::SelectJpgFiles, L"*.JPG"},
    {Text::SelectGifFiles, L"*.GIF"},
    {Text::SelectBmpFiles, L"*.BMP"},
    {Text::SelectPsdFiles, L"*.PSD"},
    {Text::SelectPictureFiles, L"*.jpg;*.gif;*.bmp;*.psd"},
    {Text::SelectHtmlFiles, L"*.htm;*.html"},
    {Text::SelectInternetFiles, L"*.htm;*.html;*.asp;*.dhtml;*.shtml"},
};

// The menus and their items. The Select menu's type filters follow from
// kFilters, after the table's items.
using MenuTitle = ui::MenuTitleRow<RenameWindow>;
using MenuRow = ui::MenuItemRow<RenameWindow>;
using W = RenameWindow;
const MenuTitle kMenuTitles[] = {
    {&W::fileMenu, Text::FileMenu},
    {&W::optionsMenu, Text::RenameOptionMenu},
    {&W::selectMenu, Text::SelectCaption},
    {&W::helpMenu, Text::HelpMenu},
};
const MenuRow kMenuItems[] = {
    {&W::fileMenu, &W::clearListItem, Text::New, &W::OnClearListClick},
    {&W::fileMenu, &W::undoLastRenameItem, Text::UndoLastRename, &W::OnUndoLastRenameClick},
    {&W::fileMenu, &W::countMarkedItem, Text::CountMarkedFiles, &W::OnCountMarkedClick},
    {&W::fileMenu, nullptr},
    {&W::fileMenu, &W::exitItem, Text::Exit, &W::OnExitClick, {}, IDB_MENU_EXIT},
    {&W::optionsMenu, &W::clearWriteProtectionItem, Text::ClearWriteProtection, &W::OnClearWriteProtectionClick},
    {&W::optionsMenu, &W::statusBarItem, L"Statusbar", &W::OnStatusBarClick},
    {&W::optionsMenu, &W::gotoListWindowItem, Text::ChoosePrintOrSave, &W::OnGotoListWindowClick},
    {&W::optionsMenu, &W::refreshItem, L"Refresh", &W::OnRefreshClick},
    {&W::helpMenu, &W::helpItem, Text::Help, &W::OnHelpClick, {}, IDB_MENU_HELP},
    {&W::helpMenu, nullptr},
    {&W::helpMenu, &W::aboutItem, Text::AboutAndSystemInfo, &W::OnAboutClick, {}, IDB_MENU_ABOUT},
};
const ui::MenuTable<RenameWindow> kMenus{kMenuTitles, kMenuItems};

// Design layout for an 800 x 600 screen, in twips.
const long kDesignWidth = 11700;
const long kDesignHeight = 8400;
const long kImageLeft = 4320, kImageTop = 4500, kImageSize = 720;

// Text of a truth value as the settings store it, and back.
bool ParseTruth(const std::wstring& text) {
    std::wstring lower = text;
    for (auto& c : lower) c = static_cast<wchar_t>(towlower(c));
    if (lower == L"true") return true;
    if (lower == L"false") return false;
    return naming::ParseStartNumber(text) != 0;  // a number: anything but 0 is true
}

std::wstring ProgramName() { return base::StemOf(base::SplitPath(base::ModulePath(nullptr)).name); }

// The index style as the settings store it ("index" in the rename section).
enum SavedIndexStyle : int {
    kNoIndexStyle = 0,  // none of the options is set (while "*" has closed them)
    kFourDigits = 1,
    kThreeDigits = 2,
    kTwoDigits = 3,
    kFromStartNumber = 4,
};
}  // namespace

RenameWindow::RenameWindow() = default;
RenameWindow::~RenameWindow() = default;

SIZE RenameWindow::DesignSize() const { return SIZE{kDesignWidth, kDesignHeight}; }

void RenameWindow::CreateControls() {
    driveBox.Create(*this);
    folderBox.Create(*this);
    patternBox.Create(*this);
    fileBox.Create(*this);
    selectButton.Create(*this);
    unselectButton.Create(*this);
    clearListButton.Create(*this);
    renameListLabel.Create(*this);
    renameList.Create(*this, nullptr, false, true);
    naming_.CreateNameAndExtension(*this);
    indexedExtensionBox.Create(*this, &extensionFrame);
    naming_.CreateIndex(*this);
    renameButton.Create(*this);
    plainImage.Create(*this, IDB_RENAME_IMAGE1);
    hoverImage.Create(*this, IDB_RENAME_IMAGE2);
    plainImage.SetTransparentColor(RGB(255, 0, 255));
    hoverImage.SetTransparentColor(RGB(255, 0, 255));
    statusBar.Create(*this, 2);
    transferTimer.Create(*this, 500);
    planTimer.Create(*this, 1500);
    performTimer.Create(*this, 1500);
    restoreStartNumberTimer.Create(*this, 500);
    restoreSettingsTimer.Create(*this, 250);
    recoveryTimer.Create(*this, 750);
    CreateMenus();

    // Initial state of the options and commands.
    patternBox.SetText(L"*.*");
    fileBox.SetPattern(L"*.*");
    naming_.SetStartState();
    clearListButton.SetEnabled(false);
    clearListItem.SetEnabled(false);
    statusBarItem.SetChecked(true);
    hoverImage.SetVisible(false);
    WireHandlers();
}

void RenameWindow::CreateMenus() {
    ui::CreateMenus(*this, menuBar, kMenus);
    filterItems.resize(std::size(kFilters));
    for (size_t i = 0; i < filterItems.size(); ++i) {
        std::wstring pattern = kFilters[i].pattern;
        filterItems[i].Create(selectMenu, [this, pattern] { OnFilterClick(pattern); });
    }
}

void RenameWindow::WireHandlers() {
    selectButton.OnClick = [this] { OnSelectClick(); };
    unselectButton.OnClick = [this] { OnUnselectClick(); };
    renameButton.OnClick = [this] { OnRenameClick(); };
    clearListButton.OnClick = [this] { OnClearListClick(); };
    fileBox.OnDblClick = [this] { OnFileDoubleClick(); };
    fileBox.OnClick = [this] { OnFileClick(); };
    renameList.OnMouseDown = [this](int button, int, long, long) { OnRenameListMouseDown(button); };
    patternBox.OnChange = [this] { OnPatternChange(); };
    folderBox.OnChange = [this] { OnFolderChange(); };
    driveBox.OnChange = [this] { OnDriveChange(); };
    driveBox.OnGotFocus = [this] { OnDriveGotFocus(); };
    keepExtensionOption.OnClick = [this] { OnKeepExtensionClick(); };
    newExtensionOption.OnClick = [this] { OnNewExtensionClick(); };
    fourDigitOption.OnClick = [this] { OnFixedIndexClick(); };
    threeDigitOption.OnClick = [this] { OnFixedIndexClick(); };
    twoDigitOption.OnClick = [this] { OnFixedIndexClick(); };
    startNumberOption.OnClick = [this] { OnStartNumberOptionClick(); };
    newNameBox.OnChange = [this] { OnNewNameChange(); };
    indexedExtensionBox.OnClick = [this] { OnIndexedExtensionClick(); };
    startNumberBox.OnChange = [this] { OnStartNumberChange(); };
    for (ui::TextBox* box : {&newExtensionBox, &newNameBox, &startNumberBox})
        box->OnGotFocus = [box] { box->SelectAll(); };
    transferTimer.OnTimer = [this] { OnTransferTimer(); };
    planTimer.OnTimer = [this] { OnPlanTimer(); };
    performTimer.OnTimer = [this] { OnPerformTimer(); };
    restoreStartNumberTimer.OnTimer = [this] { OnRestoreStartNumberTimer(); };
    restoreSettingsTimer.OnTimer = [this] { OnRestoreSettingsTimer(); };
    recoveryTimer.OnTimer = [this] { OnRecoveryTimer(); };

    // Hints in the first panel of the status bar.
    const std::pair<ui::Control*, base::Text> hints[] = {
        {&selectButton, Text::HintTransfer},
        {&unselectButton, Text::HintUnselect},
        {&renameButton, Text::HintRename},
        {&indexedExtensionBox, Text::HintIndexedExtension},
        {&keepExtensionOption, Text::HintKeepExtension},
        {&newExtensionOption, Text::HintNewExtension},
        {&fourDigitOption, Text::HintIndexFour},
        {&threeDigitOption, Text::HintIndexThree},
        {&twoDigitOption, Text::HintIndexTwo},
        {&startNumberOption, Text::HintStartNumber},
        {&newExtensionBox, Text::HintNewExtensionBox},
        {&newNameBox, Text::HintNewName},
        {&startNumberBox, Text::HintStartNumberBox},
    };
    for (const auto& [control, id] : hints)
        control->OnMouseMove = [this, id = id](int, int, long, long) {
            statusBar.ShowHint(id);
        };
}

void RenameWindow::OnLoad() {
    const std::wstring& layout = base::ScreenResolution;
    ApplyLayout(layout == L"640" ? 0.8 : layout == L"1024" ? 1.28 : 1.0);
    SetCaptions();
    busy_.Remember({hwnd(), selectButton.hwnd(), unselectButton.hwnd(), renameButton.hwnd(),
                    renameList.hwnd(), fileBox.hwnd(), folderBox.hwnd()},
                   base::JoinPath(base::ProgramFolder(), L"hourglas.bin"));
    ui::ShowMenuPictures(*this, kMenus);
    fileBox.SetPath(folderBox.Path());
    RefreshUndoItem();
    restoreSettingsTimer.SetEnabled(true);
    recoveryTimer.SetEnabled(true);
}

// Places every control for the screen: the design layout fits 800 x 600,
// and the same layout scaled fits 640 x 480 and 1024 x 768.
void RenameWindow::ApplyLayout(double scale) {
    auto s = [scale](long twips) { return static_cast<long>(twips * scale + 0.5); };
    // Left, top, width and height at the design size; in a frame, from the frame's corner.
    const struct {
        ui::Control& control;
        long left, top, width, height;
    } layout[] = {
        {driveBox, 150, 150, 3525, 330},
        {folderBox, 150, 570, 3525, 2250},
        {patternBox, 150, 2910, 3525, 315},
        {fileBox, 150, 3300, 3525, 3825},
        {selectButton, 3825, 2250, 1725, 420},
        {unselectButton, 3825, 2790, 1725, 420},
        {clearListButton, 3825, 3330, 1725, 420},
        {renameListLabel, 5700, 150, 5775, 240},
        {renameList, 5700, 420, 5775, 2400},
        {newNameFrame, 5700, 2910, 5775, 780},
        {newNameLabel, 150, 330, 2600, 240},
        {newNameBox, 2850, 285, 2775, 330},
        {extensionFrame, 5700, 3780, 3300, 2550},
        {keepExtensionOption, 180, 330, 1200, 300},
        {newExtensionOption, 1500, 330, 1200, 300},
        {newExtensionLabel, 180, 780, 3000, 240},
        {newExtensionBox, 180, 1050, 1500, 330},
        {indexedExtensionBox, 180, 1560, 2400, 300},
        {indexFrame, 9075, 3780, 2400, 2550},
        {fourDigitOption, 180, 330, 2130, 300},
        {threeDigitOption, 180, 690, 2130, 300},
        {twoDigitOption, 180, 1050, 2130, 300},
        {startNumberOption, 180, 1410, 2130, 300},
        {startNumberBox, 450, 1830, 1050, 330},
        {renameButton, 5700, 6450, 5775, 540},
    };
    long width = s(kDesignWidth), height = s(kDesignHeight);
    CentreOnScreen(width, height);
    for (const auto& place : layout)
        place.control.Move(s(place.left), s(place.top), s(place.width), s(place.height));
    plainImage.Move(s(kImageLeft), s(kImageTop));
    hoverImage.Move(s(kImageLeft), s(kImageTop));
}

void RenameWindow::SetCaptions() {
    SetCaption(LoadText(Text::RenameWindowCaption));
    selectButton.SetCaption(LoadText(Text::SelectArrow));
    unselectButton.SetCaption(LoadText(Text::UnselectArrow));
    renameButton.SetCaption(LoadText(Text::RenameCaption));
    clearListButton.SetCaption(LoadText(Text::ClearTheList));
    renameListLabel.SetCaption(LoadText(Text::FilesToRename));
    newNameLabel.SetCaption(LoadText(Text::EnterNewFileName));
    extensionFrame.SetCaption(LoadText(Text::KeepExtensionQuestion));
    keepExtensionOption.SetCaption(LoadText(Text::Yes));
    newExtensionOption.SetCaption(LoadText(Text::No));
    newExtensionLabel.SetCaption(LoadText(Text::NewExtensionQuestion));
    indexedExtensionBox.SetCaption(L"Index?");
    indexFrame.SetCaption(LoadText(Text::FileNameIndex));
    fourDigitOption.SetCaption(LoadText(Text::IndexFourDigits));
    threeDigitOption.SetCaption(L"001");
    twoDigitOption.SetCaption(L"01");
    startNumberOption.SetCaption(LoadText(Text::OtherStartNumber));
    ui::SetMenuCaptions(*this, kMenus);
    for (size_t i = 0; i < filterItems.size(); ++i)
        filterItems[i].SetCaption(LoadText(kFilters[i].textId));
    menuBar.Redraw();
}

// ---- Rename list -----------------------------------------------------------

void RenameWindow::AddEntry(const std::wstring& folder, const std::wstring& name) {
    renameList.AddItem(name);
    entries_.push_back({folder, name});
    names_.insert(name);
}

void RenameWindow::RemoveEntry(int index) {
    names_.erase(entries_[static_cast<size_t>(index)].name);
    renameList.RemoveItem(index);
    entries_.erase(entries_.begin() + index);
}

void RenameWindow::EnableListCommands(bool enabled) {
    renameButton.SetEnabled(enabled);
    clearListButton.SetEnabled(enabled);
    clearListItem.SetEnabled(enabled);
}

void RenameWindow::ClearRenameList() {
    renameList.Clear();
    entries_.clear();
    names_.clear();
    plan_.clear();
}

void RenameWindow::OnSelectClick() {
    SetBusyCursor();
    transferTimer.SetEnabled(true);
}

void RenameWindow::OnFileDoubleClick() { OnSelectClick(); }

void RenameWindow::OnTransferTimer() {
    transferTimer.SetEnabled(false);
    clearListItem.SetEnabled(true);
    clearListButton.SetEnabled(true);
    const std::wstring folder = fileBox.Path();
    const int count = fileBox.ListCount();
    renameList.BeginUpdate();
    for (int k = 0; k < count; ++k) {
        if (!fileBox.Selected(k)) continue;
        std::wstring name = fileBox.List(k);
        if (names_.count(name)) continue;
        AddEntry(folder, name);
        EnableListCommands(true);
    }
    renameList.EndUpdate();
    RestoreCursor();
}

void RenameWindow::OnUnselectClick() {
    if (renameList.ListCount() == 0) return;
    for (int i = 0; i < renameList.ListCount();) {
        if (renameList.Selected(i))
            RemoveEntry(i);
        else
            ++i;
    }
    EnableListCommands(renameList.ListCount() > 0);
}

void RenameWindow::OnClearListClick() {
    ClearRenameList();
    clearListItem.SetEnabled(false);
    renameButton.SetEnabled(false);
    clearListButton.SetEnabled(false);
}

void RenameWindow::OnRenameListMouseDown(int button) {
    if (button == ui::kRightButton) renameList.SelectAll();
}

void RenameWindow::OnFormClick() { fileBox.ClearSelection(); }

void RenameWindow::OnFormMouseMove(int, int, long x, long y) {
    const bool overImage = plainImage.Contains(x, y);
    ShowImage(overImage);
    if (!overImage) statusBar.SetPanelText(1, L"Nomaro " NOMARO_SHORT_VERSION);
}

void RenameWindow::ShowImage(bool highlighted) {
    if (highlighted == imageHighlighted_) return;
    imageHighlighted_ = highlighted;
    plainImage.SetVisible(!highlighted);
    hoverImage.SetVisible(highlighted);
}

// ---- Browser ---------------------------------------------------------------

void RenameWindow::OnPatternChange() { fileBox.SetPattern(patternBox.Text()); }

void RenameWindow::OnFolderChange() {
    fileBox.SetPath(folderBox.Path());
    try {
        driveBox.SetDrive(folderBox.Path().substr(0, 2));
    } catch (const base::RunError&) {
        // The folder is open, so its drive answers; nothing to report.
    }
}

void RenameWindow::OnDriveGotFocus() { driveAtFocus_ = driveBox.Drive(); }

void RenameWindow::OnDriveChange() {
    ui::FollowDriveChange(hwnd(), driveBox, folderBox, fileBox, driveAtFocus_);
}

void RenameWindow::OnFileClick() {
    if (fileBox.Path() != folderBox.Path()) fileBox.SetPath(folderBox.Path());
}

void RenameWindow::RefreshAllLists() {
    driveBox.Refresh();
    folderBox.Refresh();
    fileBox.Refresh();
}

void RenameWindow::OnRefreshClick() { RefreshAllLists(); }

void RenameWindow::OnFilterClick(const std::wstring& pattern) {
    patternBox.SetText(pattern);
    fileBox.SelectAll();
}

// ---- Menus -----------------------------------------------------------------

void RenameWindow::OnCountMarkedClick() {
    int marked = fileBox.SelCount();
    if (marked > 0)
        ui::MsgBox(hwnd(), std::to_wstring(marked) + L" file(s) marked in filelist right now!",
                   MB_OK, ui::AppTitle());
}

void RenameWindow::OnClearWriteProtectionClick() {
    clearWriteProtectionItem.SetChecked(!clearWriteProtectionItem.Checked());
}

void RenameWindow::OnStatusBarClick() {
    bool show = !statusBarItem.Checked();
    statusBar.SetVisible(show);
    statusBarItem.SetChecked(show);
}

void RenameWindow::OnGotoListWindowClick() {
    if (!ui::AskSwitchWindow(hwnd())) return;
    leaving_ = true;
    ui::OpenMainWindow(ui::MainWindow::List);
    Unload();
}

void RenameWindow::OnHelpClick() { base::ShowHelpTopic(L"html\\file0soj.htm"); }

void RenameWindow::OnAboutClick() { ui::ShowAboutBox(hwnd()); }

void RenameWindow::OnExitClick() { Unload(); }

// ---- Closing ---------------------------------------------------------------

void RenameWindow::OnEscape() { Unload(); }

void RenameWindow::OnQueryClose(bool& cancel) {
    bool confirmed = true;
    if (!leaving_) {
        if (busy_.On()) RestoreCursor();
        confirmed = ui::AskExit(hwnd());
    }
    SaveSettings();
    if (!confirmed) cancel = true;
}

// ---- Naming options --------------------------------------------------------

void RenameWindow::OnKeepExtensionClick() { naming_.KeepChosen(); }

void RenameWindow::OnNewExtensionClick() { naming_.ReplaceChosen(); }

void RenameWindow::OnFixedIndexClick() { naming_.FixedIndexChosen(); }

void RenameWindow::OnStartNumberOptionClick() { naming_.StartNumberChosen(); }

void RenameWindow::OnNewNameChange() { naming_.NewNameChanged(); }

void RenameWindow::OnIndexedExtensionClick() {
    const bool indexed = indexedExtensionBox.Value();
    ui::SetEnabled({&keepExtensionOption, &newExtensionOption, &fourDigitOption, &threeDigitOption,
                    &twoDigitOption, &startNumberOption, &startNumberBox, &newExtensionBox},
                   !indexed);
    if (indexed) newNameBox.SetFocus();
}

void RenameWindow::OnStartNumberChange() { naming_.StartNumberChanged(hwnd()); }

naming::NamingOptions RenameWindow::ReadOptions() const {
    return naming_.Read(indexedExtensionBox.Value());
}

// ---- Rename engine ---------------------------------------------------------

void RenameWindow::OnRenameClick() {
    if (renameList.ListCount() == 0) {
        ui::MsgBox(hwnd(), LoadText(Text::NothingToRename), MB_OK | MB_ICONINFORMATION,
                   LoadText(Text::RenameTitle));
        return;
    }
    SetBusyCursor();
    planTimer.SetEnabled(true);
}

void RenameWindow::OnPlanTimer() {
    planTimer.SetEnabled(false);
    try {
        newNameBox.SetText(naming::TrimBlanks(newNameBox.Text()));
        const naming::NamingOptions options = ReadOptions();
        switch (naming::CheckOptions(options)) {
        case naming::PlanCheck::EmptyName:
            ui::MsgBox(hwnd(), LoadText(Text::EnterNewNamePrompt), MB_OK | MB_ICONINFORMATION,
                       ProgramName());
            newNameBox.SetFocus();
            RestoreCursor();
            return;
        case naming::PlanCheck::NothingWouldChange:
            ui::MsgBox(hwnd(), LoadText(Text::NothingWouldChange), MB_OK | MB_ICONEXCLAMATION,
                       L"?");
            RestoreCursor();
            return;
        case naming::PlanCheck::Ready:
            break;
        }
        naming::Plan plan = naming::BuildPlan(entries_, options);
        if (plan.tooManyForIndexedExtension) {
            ui::MsgBox(hwnd(), LoadText(Text::TooManyForIndexedExtension), MB_OK | MB_ICONSTOP,
                       L"Stop");
            OnClearListClick();
            fileBox.Refresh();
            RestoreCursor();
            return;
        }
        naming::CheckNewNames(plan.entries, options);  // a bad name stops before the question
        plan_ = std::move(plan.entries);
        RestoreCursor();
        if (ui::MsgBox(hwnd(), LoadText(Text::RenameSelectedFiles), MB_OKCANCEL | MB_ICONQUESTION,
                       LoadText(Text::RenameTitle)) != IDOK) {
            OnClearListClick();
            return;
        }
        SetBusyCursor();
        performTimer.SetEnabled(true);
    } catch (const base::RunError& error) {
        ReportEngineFailure(error);
    }
}

void RenameWindow::OnPerformTimer() {
    performTimer.SetEnabled(false);
    try {
        naming::PerformRenames(plan_, ReadOptions(), clearWriteProtectionItem.Checked(),
                               [this](const std::wstring& reason) { WarnRenameWithoutJournal(hwnd(), reason); });
        RefreshUndoItem();
        RestoreCursor();
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        ui::MsgBox(hwnd(), L"Renaiming Complete", MB_OK | MB_ICONINFORMATION, L"Stop");
        fileBox.Refresh();
        OnClearListClick();
    } catch (const base::RunError& error) {
        ReportEngineFailure(error);
    }
}

void RenameWindow::ReportEngineFailure(const base::RunError& error) {
    // An existing target gets its own explanation: only the files before it were renamed.
    if (error.number == base::err::FileExists) {
        const std::wstring title = L"Error " + std::to_wstring(base::err::FileExists);
        ui::MsgBox(hwnd(), title + L"\r" + LoadText(Text::FileExistsStopped), MB_OK | MB_ICONSTOP,
                   title);
    } else {
        ui::ShowErrorBox(hwnd(), error);
    }
    OnClearListClick();
    fileBox.Refresh();
    newNameBox.SetFocus();
    RefreshUndoItem();
    RestoreCursor();
}

// ---- Undo --------------------------------------------------------------------

void RenameWindow::OnMenuPopup(HMENU menu) {
    if (menu == fileMenu.handle()) RefreshUndoItem();
}

// Another process (the file manager's rename window) may have renamed since
// the last look, so the state is read from the journals each time.
void RenameWindow::RefreshUndoItem() { undoLastRenameItem.SetEnabled(CanUndoLastRename()); }

void RenameWindow::OnUndoLastRenameClick() {
    if (UndoLastRename(hwnd(), busy_)) AfterRollback();
    RefreshUndoItem();
}

void RenameWindow::OnRecoveryTimer() {
    recoveryTimer.SetEnabled(false);
    if (RecoverInterruptedRenames(hwnd(), busy_)) AfterRollback();
    RefreshUndoItem();
}

// The names on the disk changed: the file box shows them, and entries of
// the rename list whose file no longer carries its name leave the list.
void RenameWindow::AfterRollback() {
    fileBox.Refresh();
    for (int i = renameList.ListCount() - 1; i >= 0; --i) {
        const naming::RenameEntry& entry = entries_[static_cast<size_t>(i)];
        const std::wstring path = base::JoinPath(entry.folder, entry.name);
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) RemoveEntry(i);
    }
    EnableListCommands(renameList.ListCount() > 0);
}

void RenameWindow::SetBusyCursor() { busy_.SetBusy(); }
void RenameWindow::RestoreCursor() { busy_.Restore(); }

// ---- Settings --------------------------------------------------------------

int RenameWindow::IndexChoice() const {
    if (fourDigitOption.Value()) return kFourDigits;
    if (threeDigitOption.Value()) return kThreeDigits;
    if (twoDigitOption.Value()) return kTwoDigits;
    if (startNumberOption.Value()) return kFromStartNumber;
    return kNoIndexStyle;
}

void RenameWindow::SaveSettings() {
    if (!keepExtensionOption.Value())
        base::WriteIniValue(L"rename", L"exttxt", newExtensionBox.Text());
    base::WriteIniValue(L"rename", L"ext", keepExtensionOption.Value() ? L"True" : L"False");
    if (int choice = IndexChoice(); choice != kNoIndexStyle) lastIndexChoice_ = choice;
    if (lastIndexChoice_ == kFromStartNumber)
        base::WriteIniValue(L"rename", L"indextxt", startNumberBox.Text());
    base::WriteIniValue(L"rename", L"index", std::to_wstring(lastIndexChoice_));
    base::WriteIniValue(L"rename", L"lastcat", folderBox.Path());
    base::WriteIniValue(L"rename", L"format", patternBox.Text());
}

void RenameWindow::OnRestoreSettingsTimer() {
    restoreSettingsTimer.SetEnabled(false);
    try {
        RestoreSettings();
    } catch (const base::RunError& error) {
        // This window's text is English in every language and has no full stop.
        ui::EndOnSettingsFailure(hwnd(), error,
                                 L"Some of the files required for Nomaro could be missing, read the "
                                 L"helpfile for more info");
    }
}

void RenameWindow::RestoreSettings() {
    const std::wstring folder = base::ReadIniValue(L"rename", L"lastcat");
    // A first opening has nothing saved: the window keeps its initial state.
    if (folder.empty()) return;
    try {
        folderBox.SetPath(folder);
    } catch (const base::RunError& error) {
        if (error.number != base::err::PathNotFound && error.number != base::err::DeviceUnavailable)
            throw;
        driveBox.SetDrive(L"c:");
        return;
    }
    patternBox.SetText(base::ReadIniValue(L"rename", L"format"));
    const std::wstring index = base::ReadIniValue(L"rename", L"index");
    const std::wstring ext = base::ReadIniValue(L"rename", L"ext");
    if (ParseTruth(ext)) {
        keepExtensionOption.SetValue(true);
    } else {
        newExtensionOption.SetValue(true);
        newExtensionBox.SetText(base::ReadIniValue(L"rename", L"exttxt"));
    }
    switch (naming::ParseStartNumber(index)) {
    case kFourDigits: lastIndexChoice_ = kFourDigits; fourDigitOption.SetValue(true); break;
    case kThreeDigits: lastIndexChoice_ = kThreeDigits; threeDigitOption.SetValue(true); break;
    case kTwoDigits: lastIndexChoice_ = kTwoDigits; twoDigitOption.SetValue(true); break;
    case kFromStartNumber:
        lastIndexChoice_ = kFromStartNumber;
        restoreStartNumberTimer.SetEnabled(true);
        break;
    default: break;
    }
}

void RenameWindow::OnRestoreStartNumberTimer() {
    restoreStartNumberTimer.SetEnabled(false);
    startNumberOption.SetValue(true);
    startNumberBox.SetText(base::ReadIniValue(L"rename", L"indextxt"));
}

}  // namespace renamer
