// The recursive search window (the form frmsearch): the full path of every
// file in a chosen folder and in all folders below it, sent to the list
// document in one insertion at its caret. It is handed where it starts and
// how to insert; it knows nothing else of the window that opens it.
#pragma once
#include <functional>
#include <string>

#include "ui/BrowserBoxes.h"
#include "ui/BusyCursor.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ProgressBar.h"

namespace search {

class SearchWindow : public ui::Form {
public:
    // `folder`: the opener's folder, shown at first; the window's folder when
    // it has closed. `insert` puts a text into the document at its caret,
    // replacing any selection there.
    SearchWindow(std::wstring& folder, std::function<void(const std::wstring&)> insert);

    ui::Label headingLabel;      // Label4: "RADICAL SELECT"
    ui::Image picture;           // Image1: decoration
    ui::Label explanationLabel;  // Label3: what the search sends
    ui::Label statusLabel;       // Label1: "Selected catalogues", then the steps
    ui::Label folderLabel;       // Label2: the folder to search; progress while working
    ui::DriveBox driveBox;       // Drive1
    ui::DirBox folderBox;        // Dir1: the folder to search
    ui::FileBox fileBox;         // File1: follows the folder box
    ui::Label extraLabel;        // Label6: "Extra:"
    ui::Label suffixLabel;       // Label5: "Add last to every line"
    ui::TextBox suffixBox;       // Text1: appended to every line
    ui::ProgressBar progressBar; // PB1: the sending, hidden until then
    ui::Label timeLabel;         // lbltime: the time the run took
    ui::Button startButton;      // cmdgo: search and send (Enter)
    ui::Button cancelButton;     // Command1: closes the window (Esc); disabled while searching
    ui::Timer captionTimer;      // Timer1: scrolls the caption

    void OnStartClick();
    void OnCancelClick();
    void OnDriveChange();
    void OnFolderChange();
    void OnCaptionTimer();

    // The progress bar and labels are brought up to date and pending
    // messages run at most this often while the work goes on.
    static constexpr unsigned kPumpIntervalMs = 15;

protected:
    void CreateControls() override;
    void OnLoad() override;
    void OnQueryClose(bool& cancel) override;
    void OnUnload() override;
    SIZE DesignSize() const override;

private:
    void Run();

    std::wstring& openerFolder_;
    std::function<void(const std::wstring&)> insert_;
    bool searching_ = false;
    ui::BusyCursor busy_;  // the hourglass while the search and the sending run
};

// Runs the window modally over `owner` (see ui::ShowSearchWindow).
void ShowSearchWindow(HWND owner, std::wstring& folder, std::function<void(const std::wstring&)> insert);

}  // namespace search
