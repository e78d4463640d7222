// The list window's commands: the menu table, the toolbar's table, the
// captions, and the one place that sets every command's enabled state.
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "base/Texts.h"
#include "base/Version.h"
#include "listwin/ListWindow.h"
#include "listwin/ListWindowTables.h"
#include "resources/resource.h"
#include "ui/MainWindows.h"
#include "ui/MenuTable.h"

namespace listwin {

using base::LoadText;
using base::Text;

namespace {
const wchar_t kCaption[] = L"Noma Ro " NOMARO_SHORT_VERSION "  (Print & Save)";

using W = ListWindow;
using Title = ui::MenuTitleRow<W>;
using Item = ui::MenuItemRow<W>;

const Title kMenuTitles[] = {
    {&W::fileMenu, Text::FileMenu},     {&W::optionMenu, Text::ListOptionMenu}, {&W::editMenu, Text::EditMenu},
    {&W::selectMenu, Text::SelectMenu}, {&W::helpMenu, Text::Help},
};

// A hidden item "Paste2" without action belongs after Paste; a Win32 menu
// cannot hide an item, so it is left out. The type filters follow the Select
// menu's row, from their own table.
const Item kMenuItems[] = {
    {&W::fileMenu, &W::openItem, Text::Open, &W::OnOpenClick, {'O', ui::kCtrlMask}, IDB_MENU_OPEN},
    {&W::fileMenu, &W::saveItem, Text::SaveAs, &W::OnSaveClick, {'S', ui::kCtrlMask}, IDB_MENU_SAVE},
    {&W::fileMenu, &W::closeItem, Text::Close, &W::OnClearClick, {}, IDB_MENU_NEW},
    {&W::fileMenu, nullptr},
    {&W::fileMenu, &W::printerSetupItem, Text::PrinterSetup, &W::OnPrinterSetupClick},
    {&W::fileMenu, &W::printItem, Text::Print, &W::PrintMessage, {'P', ui::kCtrlMask}, IDB_MENU_PRINTER},
    {&W::fileMenu, nullptr},
    {&W::fileMenu, &W::exitItem, Text::Exit, &W::OnExitClick, {'Q', ui::kCtrlMask}, IDB_MENU_EXIT},

    {&W::optionMenu, &W::gotoRenameItem, Text::GotoRename, &W::OnGotoRenameClick},
    {&W::optionMenu, &W::radicalSelectItem, Text::RadicalSelect, &W::OnRadicalSelectClick, {}, IDB_MENU_SEARCH},
    {&W::optionMenu, nullptr},
    {&W::optionMenu, &W::viewPicturesItem, Text::ViewPictureFiles, &W::OnViewPicturesItemClick,
     {'W', ui::kCtrlMask}, IDB_MENU_VIEW},
    {&W::optionMenu, nullptr},
    {&W::optionMenu, &W::includePathItem, Text::IncludePath, &W::OnIncludePathClick},
    {&W::optionMenu, &W::countMarkedItem, Text::CountMarkedFiles, &W::OnCountMarkedClick, {VK_F4}},
    {&W::optionMenu, &W::statusBarItem, L"StatusBar", &W::OnStatusBarClick},
    {&W::optionMenu, nullptr},
    {&W::optionMenu, &W::refreshItem, L"Refresh", &W::OnRefreshClick, {VK_F5}},

    {&W::editMenu, &W::undoItem, Text::Undo, &W::OnUndoClick, {}, IDB_MENU_UNDO},
    {&W::editMenu, &W::redoItem, Text::Redo, &W::OnRedoClick, {}, IDB_MENU_REDO},
    {&W::editMenu, nullptr},
    {&W::editMenu, &W::copyItem, Text::Copy, &W::OnCopyClick, {'C', ui::kCtrlMask}, IDB_MENU_COPY},
    {&W::editMenu, &W::cutItem, Text::Cut, &W::OnCutClick, {'X', ui::kCtrlMask}, IDB_MENU_CUT},
    {&W::editMenu, &W::deleteItem, Text::Delete, &W::OnDeleteClick, {VK_DELETE}},
    {&W::editMenu, &W::pasteItem, Text::Paste, &W::OnPasteClick, {}, IDB_MENU_PASTE},
    {&W::editMenu, nullptr},
    {&W::editMenu, &W::fontItem, Text::FontProperties, &W::OnFontClick, {'F', ui::kCtrlMask}},
    {&W::editMenu, &W::clearListItem, Text::ClearList, &W::OnClearClick},
    {&W::editMenu, nullptr},
    {&W::editMenu, &W::selectAllTextItem, Text::SelectAllInDocument, &W::OnSelectAllTextClick},
    {&W::editMenu, &W::selectAllFilesItem, Text::SelectAllInFileList, &W::OnSelectAllFilesClick,
     {'A', ui::kCtrlMask}},

    {&W::selectMenu, &W::showAllFilesItem, Text::ShowAllFiles, &W::OnShowAllFilesClick},

    {&W::helpMenu, &W::helpItem, Text::Help, &W::OnHelpClick, {VK_F1}, IDB_MENU_HELP},
    {&W::helpMenu, nullptr},
    {&W::helpMenu, &W::aboutItem, Text::AboutAndSystemInfo, &W::OnAboutClick, {}, IDB_MENU_ABOUT},
};

const ui::MenuTable<W> kMenus{kMenuTitles, kMenuItems};

// The toolbar's buttons in order, each with the key it reports and its command.
struct ToolbarRow {
    ToolbarButton button;
    const wchar_t* key;
    void (W::*onClick)();
};
const ToolbarRow kToolbarRows[] = {
    {kExitToolButton, L"axxk", &W::OnExitClick},   {kPrintToolButton, L"ixxk", &W::PrintMessage},
    {kSaveToolButton, L"bxxk", &W::OnSaveClick},   {kClearToolButton, L"cxxk", &W::OnClearClick},
    {kUndoToolButton, L"dxxk", &W::OnUndoClick},   {kRedoToolButton, L"exxk", &W::OnRedoClick},
    {kAboutToolButton, L"gxxk", &W::OnAboutClick}, {kHelpToolButton, L"hxxk", &W::OnHelpClick},
};
}  // namespace

std::vector<std::wstring> ListWindow::ToolbarKeys() {
    std::vector<std::wstring> keys;
    for (const ToolbarRow& row : kToolbarRows) keys.push_back(row.key);
    return keys;
}

void ListWindow::CreateMenus() {
    ui::CreateMenus(*this, menuBar, kMenus);
    statusBarItem.SetChecked(true);
    filterItems.resize(kTypeFilterCount);
    for (size_t i = 0; i < kTypeFilterCount; ++i) {
        if (kTypeFilters[i].separatorBefore) selectMenu.AddSeparator();
        filterItems[i].Create(selectMenu, [this, i] { OnTypeFilterClick(i); });
    }
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
    ui::SetMenuCaptions(*this, kMenus);
    for (size_t i = 0; i < filterItems.size(); ++i)
        filterItems[i].SetCaption(LoadText(kTypeFilters[i].caption));
    menuBar.Redraw();
}

void ListWindow::ShowMenuPictures() { ui::ShowMenuPictures(*this, kMenus); }
void ListWindow::ReleaseMenuPictures() { ui::ReleaseMenuPictures(*this, kMenus); }

void ListWindow::OnExitClick() { Unload(); }
void ListWindow::OnAboutClick() { ui::ShowAboutBox(hwnd()); }

void ListWindow::OnToolbarClick(const std::wstring& key) {
    const auto row = std::find_if(std::begin(kToolbarRows), std::end(kToolbarRows),
                                  [&key](const ToolbarRow& candidate) { return key == candidate.key; });
    if (row != std::end(kToolbarRows)) (this->*row->onClick)();
}

void ListWindow::OnToolbarMouseMove(long x) {
    if (!ListMode()) return;
    const ToolbarHint hint = ToolbarHintAt(x);
    if (hint.kind == ToolbarHint::Numbered) statusBar.ShowHint(hint.text);
    else if (hint.kind == ToolbarHint::IdleText) statusBar.SetPanelText(1, kIdleHint);
}

// ---- Command state ---------------------------------------------------------

void ListWindow::CheckCommands() {
    if (!ListMode()) return;
    patternBox.SetText(L"*.*");
    commandFacts_.documentHasText = !DocumentEmpty();
    commandFacts_.filesListed = fileBox.ListCount() > 0;
    ApplyCommandState();
}

void ListWindow::ApplyCommandState() {
    commandFacts_.pictureView = !ListMode();
    const ListCommandState state = ListCommandStateFor(commandFacts_);
    const std::pair<ui::Control*, bool> controls[] = {
        {&printButton, state.printButton}, {&saveButton, state.saveButton},
        {&clearButton, state.clearButton}, {&undoButton, state.undoButton},
        {&redoButton, state.redoButton},   {&addToListButton, state.addToListButton},
    };
    for (const auto& [control, enabled] : controls) control->SetEnabled(enabled);
    const std::pair<ui::MenuItem*, bool> items[] = {
        {&openItem, state.open},
        {&saveItem, state.save},
        {&closeItem, state.close},
        {&printerSetupItem, state.printerSetup},
        {&printItem, state.print},
        {&radicalSelectItem, state.radicalSelect},
        {&includePathItem, state.includePath},
        {&undoItem, state.undo},
        {&redoItem, state.redo},
        {&copyItem, state.copy},
        {&cutItem, state.cut},
        {&deleteItem, state.del},
        {&pasteItem, state.paste},
        {&fontItem, state.font},
        {&clearListItem, state.clearList},
        {&selectAllTextItem, state.selectAllText},
        {&selectAllFilesItem, state.selectAllFiles},
        {&showAllFilesItem, state.showAllFiles},
    };
    for (const auto& [item, enabled] : items) item->SetEnabled(enabled);
    for (size_t i = 0; i < filterItems.size(); ++i)
        if (!FindsPictures(kTypeFilters[i])) filterItems[i].SetEnabled(state.otherTypeFilters);
    const std::pair<ToolbarButton, bool> buttons[] = {
        {kPrintToolButton, state.toolbarPrint}, {kSaveToolButton, state.toolbarSave},
        {kClearToolButton, state.toolbarClear}, {kUndoToolButton, state.toolbarUndo},
        {kRedoToolButton, state.toolbarRedo},
    };
    for (const auto& [button, enabled] : buttons) toolbar.SetButtonEnabled(button, enabled);
}

}  // namespace listwin
