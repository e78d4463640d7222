// The shell extension's rename window: the files chosen in Explorer, a new
// name, an index style and the extension choice; renames the files in place,
// inside the shell's process. A small relative of the batch rename window,
// with the same naming rules (rename/NamingRules.h).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/RunError.h"
#include "rename/NamingControls.h"
#include "rename/NamingRules.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace shellext {

class frmWind : public ui::Form {
public:
    frmWind();
    ~frmWind() override;

    // The window the form is shown over (null: none). Set before loading; the
    // form never uses the program's hidden application window, which does
    // not exist in the shell.
    void SetOwner(HWND owner) { owner_ = owner; }

    ui::Label Label3;    // "Selected = n"
    ui::ListBox List2;   // names of the files to rename, without folder
    std::vector<std::wstring> List1;  // folder of each entry of List2, ending in a backslash
    // New name
    ui::Frame Frame1;
    ui::Label Label1;
    ui::TextBox Text3;  // new base name; "*" keeps the names
    // Extension
    ui::Frame Frame2;
    ui::OptionButton Option1;  // keep each file's extension
    ui::OptionButton Option2;  // give every file the extension in Text2
    ui::Label Label2;
    ui::TextBox Text2;  // the new extension, without the dot
    // Index
    ui::Frame Frame3;
    ui::OptionButton Option3;  // 0001
    ui::OptionButton Option4;  // 001
    ui::OptionButton Option5;  // 01
    ui::OptionButton Option6;  // from the start number in Text4
    ui::TextBox Text4;         // start number; its length is the index width
    ui::CheckBox Check1;  // clear the attributes of the renamed files
    ui::Button Command1;  // Help (default button)
    ui::Button Command3;  // Rename
    ui::Button Command2;  // Cancel
    ui::Timer Timer1;     // fills the list once, 200 ms after loading

    // Handlers
    void Timer1_Timer();
    void Text3_Change();
    void Text4_Change();
    void Option1_Click();
    void Option2_Click();
    void IndexOption_Click();
    void Option6_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    DWORD FormStyle() const override;
    SIZE DesignSize() const override;
    HWND OwnerWindow() const override { return owner_; }

private:
    renamer::NamingControls naming_{Text3, Option1, Option2, Label2, Text2,
                                    Option3, Option4, Option5, Option6, Text4};
    void PlaceControls();
    void SetCaptions();
    void WireHandlers();
    void AddToolTip(ui::Control& control, const wchar_t* text);
    void FillList();
    bool PlanRenames(naming::NamingOptions& options);
    naming::NamingOptions ReadOptions() const;
    bool IndexChosen() const;
    void ReportFailure(const base::RunError& failure);
    void ReportRenameFailure(const base::RunError& failure);
    // Runs a handler; whatever it lets escape is reported and goes no
    // further: a window procedure of the shell must never see an exception.
    void Safely(void (frmWind::*handler)()) noexcept;

    HWND owner_ = nullptr;
    std::vector<naming::PlannedRename> plan_;  // old and new paths, base, extension and index of each entry
};

// The rename window of the calling thread, created on first use and kept
// for the thread's later commands.
frmWind& ThreadRenameWindow();

}  // namespace shellext
