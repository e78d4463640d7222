// The shell extension's rename window: the files chosen in Explorer, a new
// name, an index style and the extension choice; renames the files in place,
// inside the shell's process. A small relative of the batch rename window,
// with the same naming rules (rename/NamingRules.h).
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/RunError.h"
#include "rename/NamingControls.h"
#include "rename/NamingRules.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace shellext {

// The context rename window (the form frmWind).
class ContextRenameWindow : public ui::Form {
public:
    ContextRenameWindow();
    ~ContextRenameWindow() override;

    // The window the form is shown over (null: none). Set before loading; the
    // form never uses the program's hidden application window, which does
    // not exist in the shell.
    void SetOwner(HWND owner) { owner_ = owner; }
    // The selected paths, in the shell's order; the set-up lists them.
    void SetSelection(std::vector<std::wstring> paths) { selection_ = std::move(paths); }

    ui::Label selectedCountLabel;           // Label3: "Selected = n"
    ui::ListBox fileList;                   // List2: shows the names of Entries(), without folder
    ui::Frame newNameFrame;                 // Frame1
    ui::Label newNameLabel;                 // Label1: ENTER NEW FILENAME
    ui::TextBox newNameBox;                 // Text3: new base name; "*" keeps the names
    ui::Frame extensionFrame;               // Frame2: Keep File Extension on files?
    ui::OptionButton keepExtensionOption;   // Option1: Yes, keep each file's extension
    ui::OptionButton newExtensionOption;    // Option2: No, every file gets the new extension
    ui::Label newExtensionLabel;            // Label2: New extension:
    ui::TextBox newExtensionBox;            // Text2: the new extension, without the dot
    ui::Frame indexFrame;                   // Frame3: Filename Index
    ui::OptionButton fourDigitOption;       // Option3: 0001
    ui::OptionButton threeDigitOption;      // Option4: 001
    ui::OptionButton twoDigitOption;        // Option5: 01
    ui::OptionButton startNumberOption;     // Option6: from the start number
    ui::TextBox startNumberBox;             // Text4: start number; its length is the index width
    ui::CheckBox clearAttributesBox;        // Check1: Remove write protection on renamed files
    ui::Button helpButton;                  // Command1: Help (default button)
    ui::Button renameButton;                // Command3: Rename
    ui::Button cancelButton;                // Command2: Cancel
    ui::Timer fillListTimer;                // Timer1: fills the list once, 200 ms after loading

    // Handlers
    void OnFillListTimer();
    void OnNewNameChange();
    void OnStartNumberChange();
    void OnKeepExtensionClick();
    void OnNewExtensionClick();
    void OnFixedIndexClick();  // any of the three fixed index styles
    void OnStartNumberClick();
    void OnHelpClick();
    void OnCancelClick();
    void OnRenameClick();

    // The files to rename, each with its folder, in the order fileList shows them.
    const std::vector<naming::RenameEntry>& Entries() const { return entries_; }

protected:
    void CreateControls() override;
    void OnLoad() override;
    void OnUnload() override;
    DWORD FormStyle() const override;
    SIZE DesignSize() const override;
    HWND OwnerWindow() const override { return owner_; }

private:
    renamer::NamingControls naming_{
        newNameFrame, newNameLabel, extensionFrame, indexFrame,
        newNameBox, keepExtensionOption, newExtensionOption, newExtensionLabel,
        newExtensionBox, fourDigitOption, threeDigitOption, twoDigitOption,
        startNumberOption, startNumberBox};
    void PlaceControls();
    void SetCaptions();
    void WireHandlers();
    void FillList();
    bool PlanRenames(naming::NamingOptions& options);
    naming::NamingOptions ReadOptions() const;
    bool IndexChosen() const;
    void ReportFailure(const base::RunError& failure);
    void WarnNoJournal(const std::wstring& reason);
    void ReportRenameFailure(const base::RunError& failure);
    // Runs a handler; whatever it lets escape is reported and goes no
    // further: a window procedure of the shell must never see an exception.
    void Safely(void (ContextRenameWindow::*handler)()) noexcept;

    HWND owner_ = nullptr;
    std::vector<std::wstring> selection_;
    std::vector<naming::RenameEntry> entries_;  // List1 and List2 together: folder and name of each file
    std::vector<naming::PlannedRename> plan_;  // old and new paths, base, extension and index of each entry
};

// The context rename window open on the calling thread, or null.
ContextRenameWindow* OpenRenameWindowOfThread();

}  // namespace shellext
