#include "search/SearchWindow.h"

#include <windows.h>

#include "base/RunError.h"
#include "base/Scoped.h"
#include "base/Texts.h"
#include "resources/resource.h"
#include "search/FolderWalk.h"
#include "search/SearchTexts.h"
#include "ui/App.h"
#include "ui/MsgBox.h"

namespace search {

using base::LoadText;
using base::Text;

namespace {

const wchar_t* const kHelpTopic = L"html\\file1v3o.htm";

// Lists a folder with the wide find functions; a path beyond the classic
// length limit is addressed in its long form. A folder that cannot be opened
// lists nothing.
class WindowsLister : public FolderLister {
public:
    void List(const std::wstring& folder, EntrySink& sink) override {
        std::wstring pattern = folder + L"*.*";
        if (pattern.size() >= MAX_PATH && pattern.compare(0, 4, L"\\\\?\\") != 0)
            pattern = (pattern.compare(0, 2, L"\\\\") == 0 ? L"\\\\?\\UNC\\" + pattern.substr(2) : L"\\\\?\\" + pattern);
        WIN32_FIND_DATAW entry;
        base::FindHandle search(FindFirstFileW(pattern.c_str(), &entry));
        if (!search) return;
        do {
            sink.Entry(entry.cFileName, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        } while (FindNextFileW(search.get(), &entry));
    }
};

// Seconds since midnight, as the time of day the run's duration is taken from.
float SecondsSinceMidnight() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return static_cast<float>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond) +
           static_cast<float>(now.wMilliseconds) / 1000.0f;
}

wchar_t DecimalPoint() {
    wchar_t point[4] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, point, 4);
    return point[0];
}

// What the window shows while the walk and the sending run; pending messages
// run at most every few milliseconds, so the window stays responsive without
// paying for it per file, and each time they run the folder label shows the
// folder being listed then.
class WindowProgress : public WalkProgress {
public:
    explicit WindowProgress(SearchWindow& window) : window_(window), pacer_(SearchWindow::kPumpIntervalMs) {}

    void FolderStarted(const std::wstring& folder) override {
        pacer_.FolderStarted(folder);
        Pump();
    }
    void Pump() override {
        if (!pacer_.Due(GetTickCount())) return;
        if (const std::wstring* folder = pacer_.FolderToShow()) {
            window_.folderLabel.SetCaption(ShowSearchPathText(*folder));
            window_.timeLabel.SetCaption(L"");
        }
        ui::DoEvents();
    }
    void FileSent(int16_t index, int16_t count) override {
        if (index != count - 1 && !pacer_.Due(GetTickCount())) return;
        window_.progressBar.SetValue(index);
        window_.folderLabel.SetCaption(SendProgressText(index, count));
        ui::DoEvents();
    }

private:
    SearchWindow& window_;
    SearchPacer pacer_;
};

}  // namespace

SearchWindow::SearchWindow(std::wstring& folder, std::function<void(const std::wstring&)> insert)
    : openerFolder_(folder), insert_(std::move(insert)) {}

SIZE SearchWindow::DesignSize() const { return OuterSizeForClient(4725, 7035); }

void SearchWindow::CreateControls() {
    headingLabel.Create(*this);
    headingLabel.Move(120, 150, 3600, 300);
    picture.Create(*this, IDB_LIST_IMAGE1);
    picture.SetTransparentColor(RGB(255, 0, 255));
    picture.Move(3960, 60);
    explanationLabel.Create(*this);
    explanationLabel.Move(120, 780, 4485, 900);
    statusLabel.Create(*this);
    statusLabel.Move(120, 1740, 4485, 255);
    folderLabel.Create(*this);
    folderLabel.Move(120, 2010, 4485, 255);
    driveBox.Create(*this);
    driveBox.Move(120, 2340, 4485, 315);
    folderBox.Create(*this);
    folderBox.Move(120, 2715, 4485, 1590);
    fileBox.Create(*this);
    fileBox.Move(120, 4365, 4485, 1005);
    extraLabel.Create(*this);
    extraLabel.Move(120, 5490, 600, 255);
    suffixLabel.Create(*this);
    suffixLabel.Move(720, 5490, 2160, 255);
    suffixBox.Create(*this);
    suffixBox.Move(2880, 5445, 1725, 315);
    suffixBox.SetToolTipText(L"Useful for making a database");
    progressBar.Create(*this);
    progressBar.Move(120, 5880, 4485, 240);
    progressBar.SetVisible(false);
    timeLabel.Create(*this);
    timeLabel.Move(120, 6180, 4485, 255);
    startButton.Create(*this);
    startButton.Move(1560, 6540, 1455, 375);
    cancelButton.Create(*this);
    cancelButton.Move(3150, 6540, 1455, 375);
    SetDefaultButton(startButton);
    SetCancelButton(cancelButton);
    captionTimer.Create(*this, 250);

    startButton.OnClick = [this] { OnStartClick(); };
    startButton.OnKeyUp = [](int key, int) {
        if (key == VK_F1) base::ShowHelpTopic(kHelpTopic);
    };
    cancelButton.OnClick = [this] { OnCancelClick(); };
    driveBox.OnChange = [this] { OnDriveChange(); };
    folderBox.OnChange = [this] { OnFolderChange(); };
    suffixBox.OnGotFocus = [this] { suffixBox.SelectAll(); };
    captionTimer.OnTimer = [this] { OnCaptionTimer(); };
}

void SearchWindow::OnLoad() {
    CentreOnScreen();
    headingLabel.SetCaption(L"RADICAL SELECT");
    extraLabel.SetCaption(L"Extra:");
    explanationLabel.SetCaption(LoadText(Text::SearchExplanation));
    statusLabel.SetCaption(LoadText(Text::SelectedFolders));
    suffixLabel.SetCaption(LoadText(Text::AddToEveryLine));
    startButton.SetCaption(LoadText(Text::SearchStart));
    cancelButton.SetCaption(LoadText(Text::Cancel));
    timeLabel.SetCaption(LoadText(Text::TimeTakenZero));
    folderBox.SetPath(openerFolder_);
    OnFolderChange();
    SetCaption(LoadText(Text::ThanksForUsing));
    captionTimer.SetEnabled(true);
    busy_.Remember({hwnd(), folderBox.hwnd(), fileBox.hwnd(), driveBox.hwnd(), startButton.hwnd()}, L"");
}

void SearchWindow::OnCaptionTimer() { SetCaption(RotateText(Caption())); }

// A drive the folder box cannot open puts the drive box back on the folder's
// drive, without a message. Nothing happens when the folder box moved the
// drive itself.
void SearchWindow::OnDriveChange() {
    const std::wstring folderDrive = folderBox.Path().substr(0, 2);
    if (_wcsicmp(driveBox.Drive().substr(0, 2).c_str(), folderDrive.c_str()) == 0) return;
    try {
        folderBox.SetPath(driveBox.Drive());
    } catch (const base::RunError&) {
        driveBox.SetDrive(folderDrive);
    }
}

void SearchWindow::OnFolderChange() {
    fileBox.SetPath(folderBox.Path());
    driveBox.SetDrive(folderBox.Path().substr(0, 2));
    folderLabel.SetCaption(fileBox.Path());
}

void SearchWindow::OnCancelClick() { Unload(); }

// While the search runs the window cannot be closed: its close box is refused
// as its Cancel button is disabled.
void SearchWindow::OnQueryClose(bool& cancel) { cancel = searching_; }

void SearchWindow::OnUnload() {
    captionTimer.SetEnabled(false);
    openerFolder_ = folderBox.Path();
}

// Search, send and close. The one insertion comes last: any failure before it
// (no files, more than 32767 of them) leaves the document as it was.
void SearchWindow::OnStartClick() {
    busy_.SetBusy();
    try {
        Run();
    } catch (const base::RunError& failure) {
        searching_ = false;
        cancelButton.SetEnabled(true);
        busy_.Restore();
        const FailureReport report =
            FailureFor(failure, LoadText(Text::NoFilesToSend), LoadText(Text::RadicalSelect));
        ui::MsgBox(hwnd(), report.message,
                   MB_OK | (report.information ? MB_ICONINFORMATION : MB_ICONEXCLAMATION), report.title);
    }
    Unload();
}

void SearchWindow::Run() {
    const std::wstring suffix = suffixBox.Text();
    const float started = SecondsSinceMidnight();
    statusLabel.SetCaption(LoadText(Text::Searching));
    cancelButton.SetEnabled(false);
    searching_ = true;
    WindowsLister lister;
    WindowProgress progress(*this);
    const std::vector<std::wstring> files = FindAllFiles(folderLabel.Caption(), lister, progress);
    searching_ = false;
    cancelButton.SetEnabled(true);
    const auto count = static_cast<int16_t>(files.size());
    progressBar.SetVisible(true);
    progressBar.SetMaximum(count);  // nothing found: 380, before anything is sent
    statusLabel.SetCaption(CountStatusText(LoadText(Text::Sending), count, LoadText(Text::FilesPleaseWait)));
    const std::wstring text = SendText(files, suffix, progress);
    statusLabel.SetCaption(CountStatusText(LoadText(Text::Moving), count, LoadText(Text::FilesPleaseWait)));
    insert_(text);
    folderLabel.SetCaption(L"");
    busy_.Restore();
    timeLabel.SetCaption(TimeTakenText(LoadText(Text::TimeTaken), ElapsedSeconds(started, SecondsSinceMidnight()),
                                       DecimalPoint()));
    ui::MsgBox(hwnd(), TransferredText(LoadText(Text::FileTransference), count), MB_OK | MB_ICONINFORMATION,
               LoadText(Text::Ok));
}

void ShowSearchWindow(HWND owner, std::wstring& folder, std::function<void(const std::wstring&)> insert) {
    SearchWindow window(folder, std::move(insert));
    window.ShowModalOver(owner);
}

}  // namespace search
