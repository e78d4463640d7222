// The batch rename window: browse a folder, collect files into the rename
// list, choose the new name, index and extension, and rename.
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

class frmMain : public ui::Form {
public:
    frmMain();
    ~frmMain() override;

    // Browser
    ui::DriveBox Drive1;  // chooses the drive
    ui::DirBox Dir1;      // chooses the folder
    ui::FileBox File1;    // files of the folder matching the pattern; several can be marked
    ui::TextBox Text1;    // file pattern, applied to File1 at every change
    // Rename list
    ui::Button Command1;  // > SELECT >: adds the marked files
    ui::Button Command2;  // < UNSELECT <: removes the marked entries
    ui::Button Command3;  // RENAME
    ui::Button Command4;  // Clear the list
    ui::Label Label3;     // caption of the rename list
    ui::ListBox List2;    // names of the rename list; several can be marked
    std::vector<std::wstring> List1;  // folder of each entry of List2
    // New name
    ui::Frame Frame1;
    ui::Label Label1;
    ui::TextBox Text3;  // new base name; "*" keeps the names
    // Extension
    ui::Frame Frame2;
    ui::OptionButton Option1;  // keep each file's extension
    ui::OptionButton Option2;  // give every file the new extension
    ui::Label Label2;
    ui::TextBox Text2;  // the new extension, without the dot
    ui::CheckBox Check1;  // indexed extension 001 .. 999
    // Index
    ui::Frame Frame3;
    ui::OptionButton Option3;  // 0001
    ui::OptionButton Option4;  // 001
    ui::OptionButton Option5;  // 01
    ui::OptionButton Option6;  // from the start number in Text4
    ui::TextBox Text4;         // start number; its length is the index width
    // Decoration and status
    ui::Image Image1;  // shown normally
    ui::Image Image2;  // shown while the mouse is over Image1
    ui::StatusBar StatusBar1;
    // Deferred work
    ui::Timer Timer1;  // transfer, 500 ms
    ui::Timer Timer2;  // plan the renaming, 1500 ms
    ui::Timer Timer3;  // perform the renaming, 1500 ms
    ui::Timer Timer4;  // restore the start number, 500 ms
    ui::Timer Timer5;  // restore the settings, 250 ms
    // Menus
    ui::MenuBar MenuBar1;
    ui::Menu f, xmas, aff, h;
    ui::MenuItem clear, cf, quit;
    ui::MenuItem noorm, statbar, GotoPrint, ref2;
    ui::MenuItem help, abo;
    std::vector<ui::MenuItem> filters;  // the type filters of the Select menu
    ui::MenuPicture Picture1, Picture2, Picture3;  // pictures of the Exit, Help and About items

    // Handlers
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void File1_DblClick();
    void File1_Click();
    void List2_MouseDown(int button);
    void Text1_Change();
    void Dir1_Change();
    void Drive1_Change();
    void Drive1_GotFocus();
    void Option1_Click();
    void Option2_Click();
    void IndexOption_Click();
    void Option6_Click();
    void Text3_Change();
    void Check1_Click();
    void Text4_Change();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void clear_Click();
    void cf_Click();
    void noorm_Click();
    void statbar_Click();
    void GotoPrint_Click();
    void ref2_Click();
    void Filter_Click(const std::wstring& pattern);
    void help_Click();

    void SetBusyCursor();
    void RestoreCursor();
    void RefreshAllLists();
    void SaveSettings();

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel) override;
    void Form_MouseMove(int button, int shift, long x, long y) override;
    void Form_Click() override;
    void Form_Escape() override;
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
    std::vector<naming::RenameEntry> Entries() const;
    int IndexChoice() const;
    void RestoreSettings();
    void ReportEngineFailure(const base::RunError& error);

    NamingControls naming_{Text3, Option1, Option2, Label2, Text2,
                           Option3, Option4, Option5, Option6, Text4};
    std::unordered_set<std::wstring> names_;  // exact copies of List2's names, for the duplicate test
    std::vector<naming::PlannedRename> plan_;
    ui::BusyCursor busy_;
    std::wstring driveAtFocus_;  // the drive shown when the drive list got the focus
    int lastIndexChoice_ = 1;
    bool leaving_ = false;  // switching to the list window: no exit question
    bool imageHighlighted_ = false;
};

}  // namespace renamer
