// The rename window (the form frmMain): browse a folder, collect files into
// the rename list, choose the new name, index and extension, and rename.
#pragma once
#include <string>
#include <unordered_set>
#include <vector>

#include "base/RunError.h"
#include "rename/NamingControls.h"
#include "rename/NamingRules.h"
#include "ui/BrowserBoxes.h"
#include "ui/BusyCursor.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Menu.h"

namespace renamer {

class RenameWindow : public ui::Form {
public:
    RenameWindow();
    ~RenameWindow() override;

    // Browser
    ui::DriveBox driveBox;    // Drive1: chooses the drive
    ui::DirBox folderBox;     // Dir1: chooses the folder
    ui::FileBox fileBox;      // File1: files of the folder matching the pattern; several marked
    ui::TextBox patternBox;   // Text1: file pattern, applied to fileBox at every change
    // Rename list
    ui::Button selectButton;     // Command1: > SELECT >, adds the marked files
    ui::Button unselectButton;   // Command2: < UNSELECT <, removes the marked entries
    ui::Button renameButton;     // Command3: RENAME
    ui::Button clearListButton;  // Command4: Clear the list
    ui::Label renameListLabel;   // Label3: caption of the rename list
    ui::ListBox renameList;      // List2: shows the names of Entries(); several can be marked
    // New name
    ui::Frame newNameFrame;   // Frame1
    ui::Label newNameLabel;   // Label1
    ui::TextBox newNameBox;   // Text3: new base name; "*" keeps the names
    // Extension
    ui::Frame extensionFrame;                // Frame2: keep the extension?
    ui::OptionButton keepExtensionOption;    // Option1: keep each file's extension
    ui::OptionButton newExtensionOption;     // Option2: give every file the new extension
    ui::Label newExtensionLabel;             // Label2
    ui::TextBox newExtensionBox;             // Text2: the new extension, without the dot
    ui::CheckBox indexedExtensionBox;        // Check1: indexed extension 001 .. 999
    // Index
    ui::Frame indexFrame;                 // Frame3
    ui::OptionButton fourDigitOption;     // Option3: 0001
    ui::OptionButton threeDigitOption;    // Option4: 001
    ui::OptionButton twoDigitOption;      // Option5: 01
    ui::OptionButton startNumberOption;   // Option6: from the start number in startNumberBox
    ui::TextBox startNumberBox;           // Text4: start number; its length is the index width
    // Decoration and status
    ui::Image plainImage;   // Image1: shown normally
    ui::Image hoverImage;   // Image2: shown while the mouse is over plainImage
    ui::StatusBar statusBar;  // StatusBar1
    // Deferred work
    ui::Timer transferTimer;            // Timer1: moves the marked files into the list, 500 ms
    ui::Timer planTimer;                // Timer2: plans the renaming, 1500 ms
    ui::Timer performTimer;             // Timer3: performs the renaming, 1500 ms
    ui::Timer restoreStartNumberTimer;  // Timer4: restores the start number, 500 ms
    ui::Timer restoreSettingsTimer;     // Timer5: restores the settings, 250 ms
    ui::Timer recoveryTimer;            // offers batches that were cut off for rollback, 750 ms
    // Menus
    ui::MenuBar menuBar;   // MenuBar1
    ui::Menu fileMenu;     // f: File
    ui::Menu optionsMenu;  // xmas: the rename options
    ui::Menu selectMenu;   // aff: Select, the type filters
    ui::Menu helpMenu;     // h: Help
    ui::MenuItem clearListItem;             // clear: New, empties the rename list
    ui::MenuItem undoLastRenameItem;        // Undo Last Rename: takes the last batch back
    ui::MenuItem countMarkedItem;           // cf: counts the files marked in fileBox
    ui::MenuItem exitItem;                  // quit: Exit, with Picture1 beside it
    ui::MenuItem clearWriteProtectionItem;  // noorm: renamed files get normal attributes
    ui::MenuItem statusBarItem;             // statbar: shows or hides the status bar
    ui::MenuItem gotoListWindowItem;        // GotoPrint: switches to the list window
    ui::MenuItem refreshItem;               // ref2: reads drives, folders and files again
    ui::MenuItem helpItem;                  // help, with Picture2 beside it
    ui::MenuItem aboutItem;                 // abo: About, with Picture3 beside it
    std::vector<ui::MenuItem> filterItems;  // the type filters of the Select menu

    // Handlers
    void OnSelectClick();
    void OnUnselectClick();
    void OnRenameClick();
    void OnClearListClick();  // also the New item of the File menu
    void OnFileDoubleClick();
    void OnFileClick();
    void OnRenameListMouseDown(int button);
    void OnPatternChange();
    void OnFolderChange();
    void OnDriveChange();
    void OnDriveGotFocus();
    void OnKeepExtensionClick();
    void OnNewExtensionClick();
    void OnFixedIndexClick();
    void OnStartNumberOptionClick();
    void OnNewNameChange();
    void OnIndexedExtensionClick();
    void OnStartNumberChange();
    void OnTransferTimer();
    void OnPlanTimer();
    void OnPerformTimer();
    void OnRestoreStartNumberTimer();
    void OnRestoreSettingsTimer();
    void OnRecoveryTimer();
    void OnUndoLastRenameClick();
    void OnCountMarkedClick();
    void OnClearWriteProtectionClick();
    void OnStatusBarClick();
    void OnGotoListWindowClick();
    void OnRefreshClick();
    void OnFilterClick(const std::wstring& pattern);
    void OnHelpClick();
    void OnAboutClick();
    void OnExitClick();

    void SetBusyCursor();
    void RestoreCursor();
    void RefreshAllLists();
    void SaveSettings();
    // The rename list: each file with its folder, in the order renameList shows them.
    const std::vector<naming::RenameEntry>& Entries() const { return entries_; }

protected:
    void CreateControls() override;
    void OnLoad() override;
    void OnQueryClose(bool& cancel) override;
    void OnFormMouseMove(int button, int shift, long x, long y) override;
    void OnFormClick() override;
    void OnEscape() override;
    void OnMenuPopup(HMENU menu) override;
    SIZE DesignSize() const override;

private:
    void CreateMenus();
    void ApplyLayout(double scale);
    void SetCaptions();
    void WireHandlers();
    void ShowImage(bool highlighted);
    void AddEntry(const std::wstring& folder, const std::wstring& name);
    void RemoveEntry(int index);
    void EnableListCommands(bool enabled);
    void ClearRenameList();
    naming::NamingOptions ReadOptions() const;
    int IndexChoice() const;
    void RestoreSettings();
    void ReportEngineFailure(const base::RunError& error);
    void RefreshUndoItem();
    void AfterRollback();

    NamingControls naming_{
        newNameFrame, newNameLabel, extensionFrame, indexFrame,
        newNameBox, keepExtensionOption, newExtensionOption, newExtensionLabel,
        newExtensionBox, fourDigitOption, threeDigitOption, twoDigitOption,
        startNumberOption, startNumberBox};
    std::vector<naming::RenameEntry> entries_;
    std::unordered_set<std::wstring> names_;  // the names of entries_ exactly, for the duplicate test
    std::vector<naming::PlannedRename> plan_;
    ui::BusyCursor busy_;
    std::wstring driveAtFocus_;  // the drive shown when the drive list got the focus
    int lastIndexChoice_ = 1;    // the index style last chosen, as the settings store it
    bool leaving_ = false;  // switching to the list window: no exit question
    bool imageHighlighted_ = false;
};

}  // namespace renamer
