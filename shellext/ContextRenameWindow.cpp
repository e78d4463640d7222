#include "shellext/ContextRenameWindow.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>

#include "base/Module.h"
#include "base/Paths.h"
#include "base/Texts.h"
#include "rename/RenameFiles.h"
#include "shellext/Server.h"
#include "shellext/ShowRenameWindow.h"
#include "ui/App.h"
#include "ui/MsgBox.h"
#include "ui/Screen.h"

namespace shellext {

namespace {

// Client area of the window, in twips.
const long kClientWidth = 7620;
const long kClientHeight = 6720;

const wchar_t kHelpTopic[] = L"html\\file88z3_a.htm";

// The order of a sorted list box: case-insensitive, in the user's locale.
bool ListBoxOrder(const naming::RenameEntry& a, const naming::RenameEntry& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.name.c_str(), -1, b.name.c_str(),
                          -1) == CSTR_LESS_THAN;
}

// The failure in flight, as a run-time error: inside a catch block only.
base::RunError CurrentFailure() { return base::RunErrorOf(std::current_exception(), base::err::InternalError); }

}  // namespace

ContextRenameWindow::ContextRenameWindow() = default;
ContextRenameWindow::~ContextRenameWindow() = default;

DWORD ContextRenameWindow::FormStyle() const { return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; }

SIZE ContextRenameWindow::DesignSize() const { return OuterSizeForClient(kClientWidth, kClientHeight); }

void ContextRenameWindow::CreateControls() {
    selectedCountLabel.Create(*this);
    fileList.Create(*this);
    naming_.CreateNameAndExtension(*this);
    naming_.CreateIndex(*this);
    clearAttributesBox.Create(*this);
    helpButton.Create(*this);
    renameButton.Create(*this);
    cancelButton.Create(*this);
    fillListTimer.Create(*this, 200);

    SetCaptions();
    PlaceControls();
    naming_.SetStartState();
    SetDefaultButton(helpButton);
    newNameBox.SetToolTipText(L"Use the * -character to keep filenames");
    WireHandlers();
}

void ContextRenameWindow::SetCaptions() {
    SetCaption(L"Rename Filenames");
    newNameLabel.SetCaption(L"ENTER NEW FILENAME");
    extensionFrame.SetCaption(L"Keep File Extension on files?");
    keepExtensionOption.SetCaption(L"Yes");
    newExtensionOption.SetCaption(L"No");
    newExtensionLabel.SetCaption(L"New extension:");
    indexFrame.SetCaption(L"Filename Index");
    fourDigitOption.SetCaption(L"0001  (recomended)");
    threeDigitOption.SetCaption(L"001");
    twoDigitOption.SetCaption(L"01");
    startNumberOption.SetCaption(L"Other Start Number");
    clearAttributesBox.SetCaption(L"Remove write protection on renamed files");
    helpButton.SetCaption(L"Help");
    renameButton.SetCaption(L"Rename");
    cancelButton.SetCaption(L"Cancel");
}

// The list on the left, the three option frames on the right, the check box
// and the buttons across the bottom.
void ContextRenameWindow::PlaceControls() {
    selectedCountLabel.Move(120, 120, 3600, 240);
    fileList.Move(120, 390, 3600, 4830);
    newNameFrame.Move(3840, 60, 3660, 960);
    newNameLabel.Move(150, 270, 3360, 240);
    newNameBox.Move(150, 540, 3360, 315);
    extensionFrame.Move(3840, 1140, 3660, 1260);
    keepExtensionOption.Move(150, 300, 1200, 270);
    newExtensionOption.Move(1500, 300, 1200, 270);
    newExtensionLabel.Move(150, 780, 1400, 240);
    newExtensionBox.Move(1560, 735, 1500, 315);
    indexFrame.Move(3840, 2520, 3660, 2700);
    fourDigitOption.Move(150, 330, 3300, 270);
    threeDigitOption.Move(150, 720, 3300, 270);
    twoDigitOption.Move(150, 1110, 3300, 270);
    startNumberOption.Move(150, 1500, 3300, 270);
    startNumberBox.Move(450, 1890, 1050, 315);
    clearAttributesBox.Move(120, 5400, 7380, 300);
    helpButton.Move(120, 6000, 1275, 420);
    renameButton.Move(4785, 6000, 1275, 420);
    cancelButton.Move(6225, 6000, 1275, 420);
}

void ContextRenameWindow::WireHandlers() {
    fillListTimer.OnTimer = [this] { Safely(&ContextRenameWindow::OnFillListTimer); };
    newNameBox.OnChange = [this] { Safely(&ContextRenameWindow::OnNewNameChange); };
    startNumberBox.OnChange = [this] { Safely(&ContextRenameWindow::OnStartNumberChange); };
    keepExtensionOption.OnClick = [this] { Safely(&ContextRenameWindow::OnKeepExtensionClick); };
    newExtensionOption.OnClick = [this] { Safely(&ContextRenameWindow::OnNewExtensionClick); };
    fourDigitOption.OnClick = [this] { Safely(&ContextRenameWindow::OnFixedIndexClick); };
    threeDigitOption.OnClick = [this] { Safely(&ContextRenameWindow::OnFixedIndexClick); };
    twoDigitOption.OnClick = [this] { Safely(&ContextRenameWindow::OnFixedIndexClick); };
    startNumberOption.OnClick = [this] { Safely(&ContextRenameWindow::OnStartNumberClick); };
    helpButton.OnClick = [this] { Safely(&ContextRenameWindow::OnHelpClick); };
    cancelButton.OnClick = [this] { Safely(&ContextRenameWindow::OnCancelClick); };
    renameButton.OnClick = [this] { Safely(&ContextRenameWindow::OnRenameClick); };
    // A click in the name or extension box selects its whole text.
    for (ui::TextBox* box : {&newNameBox, &newExtensionBox})
        box->OnClick = [box] { box->SelectAll(); };
}

void ContextRenameWindow::Safely(void (ContextRenameWindow::*handler)()) noexcept {
    try {
        try {
            (this->*handler)();
        } catch (...) {
            ReportFailure(CurrentFailure());
        }
    } catch (...) {
        // Even the report failed (no memory left): nothing more can be shown.
    }
}

void ContextRenameWindow::OnLoad() {
    CentreOnScreen();
    fillListTimer.SetEnabled(true);
}

// Every way of closing empties the work lists, so the next opening starts clean.
void ContextRenameWindow::OnUnload() {
    entries_.clear();
    plan_.clear();
}

// ---- Set-up ------------------------------------------------------------------

void ContextRenameWindow::OnFillListTimer() {
    fillListTimer.SetEnabled(false);
    try {
        FillList();
    } catch (...) {
        const base::RunError failure = CurrentFailure();
        if (failure.number == base::err::ObjectUnloaded) return;  // the window is gone already
        ui::MsgBox(hwnd(), failure.description, MB_OK | MB_ICONSTOP, std::to_wstring(failure.number));
        Unload();
    }
}

// Lists the files of the selection: folders and names without a dot are left
// out, the rest in the order of a sorted list box. Every entry keeps its own
// folder, so a selection may come from several folders.
void ContextRenameWindow::FillList() {
    std::vector<naming::RenameEntry> entries;
    for (const std::wstring& path : selection_) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        base::PathParts parts = base::SplitPath(path);
        if (parts.name.find(L'.') == std::wstring::npos) continue;
        entries.push_back({std::move(parts.folder), std::move(parts.name)});
    }
    std::stable_sort(entries.begin(), entries.end(), ListBoxOrder);
    entries_ = std::move(entries);
    fileList.BeginUpdate();
    fileList.Clear();
    for (const naming::RenameEntry& entry : entries_) fileList.AddItem(entry.name);
    fileList.EndUpdate();
    newNameBox.SetFocus();
    selectedCountLabel.SetCaption(L"Selected = " + std::to_wstring(fileList.ListCount()));
}

// ---- Options -----------------------------------------------------------------

void ContextRenameWindow::OnNewNameChange() { naming_.NewNameChanged(); }

void ContextRenameWindow::OnStartNumberChange() { naming_.StartNumberChanged(hwnd()); }

void ContextRenameWindow::OnKeepExtensionClick() { naming_.KeepChosen(); }

void ContextRenameWindow::OnNewExtensionClick() { naming_.ReplaceChosen(); }

void ContextRenameWindow::OnFixedIndexClick() { naming_.FixedIndexChosen(); }

void ContextRenameWindow::OnStartNumberClick() { naming_.StartNumberChosen(); }

bool ContextRenameWindow::IndexChosen() const { return naming_.IndexChosen(); }

naming::NamingOptions ContextRenameWindow::ReadOptions() const { return naming_.Read(false); }

// ---- Buttons -----------------------------------------------------------------

// The help file lies beside the library that holds this window, not beside
// the program it runs in.
void ContextRenameWindow::OnHelpClick() { base::ShowHelpTopic(base::ModuleFolder(base::CodeModule()), kHelpTopic); }

void ContextRenameWindow::OnCancelClick() { Unload(); }

void ContextRenameWindow::OnRenameClick() {
    if (entries_.empty()) {
        ui::MsgBox(hwnd(), L"Nothing to rename", MB_OK | MB_ICONINFORMATION, L"Stop");
        return;
    }
    naming::NamingOptions options;
    try {
        if (!PlanRenames(options)) return;
    } catch (...) {
        ReportFailure(CurrentFailure());  // the window stays open, nothing renamed
        return;
    }
    if (ui::MsgBox(hwnd(), L"Rename the selected file(s)?", MB_OKCANCEL | MB_ICONQUESTION,
                   L"Rename?") == IDOK) {
        try {
            naming::PerformRenames(plan_, options, clearAttributesBox.Value(),
                                   [this](const std::wstring& reason) { WarnNoJournal(reason); });
        } catch (...) {
            ReportRenameFailure(CurrentFailure());
        }
    }
    Unload();
}

// The checks of the options and the plan of every entry. False when a check
// stopped the renaming (the user has been told).
bool ContextRenameWindow::PlanRenames(naming::NamingOptions& options) {
    newNameBox.SetText(naming::TrimBlanks(newNameBox.Text()));
    options = ReadOptions();
    switch (naming::CheckOptions(options)) {
    case naming::PlanCheck::EmptyName:
        ui::MsgBox(hwnd(), L"Please enter a new filename", MB_OK | MB_ICONINFORMATION,
                   L"New Filename");
        newNameBox.SetFocus();
        return false;
    case naming::PlanCheck::NothingWouldChange:
        ui::MsgBox(hwnd(), L"With current setting no change will be made", MB_OK | MB_ICONEXCLAMATION,
                   L"?");
        return false;
    case naming::PlanCheck::Ready:
        break;
    }
    if (!IndexChosen()) return false;
    plan_ = naming::BuildPlan(entries_, options).entries;
    naming::CheckNewNames(plan_, options);  // a bad name stops before the question
    return true;
}

// The extension's window speaks English only, as its other messages do.
void ContextRenameWindow::WarnNoJournal(const std::wstring& reason) {
    ui::MsgBox(hwnd(),
               L"The journal of this rename cannot be written (" + reason +
                   L"), so the rename cannot be undone afterwards. The files are renamed all the same.",
               MB_OK | MB_ICONEXCLAMATION, L"Rename?");
}

void ContextRenameWindow::ReportFailure(const base::RunError& failure) {
    ui::ShowErrorBox(hwnd(), failure);
}

void ContextRenameWindow::ReportRenameFailure(const base::RunError& failure) {
    if (failure.number == base::err::ObjectUnloaded) return;
    if (failure.number != base::err::FileExists) {
        ReportFailure(failure);
        return;
    }
    ui::MsgBox(hwnd(),
               L"Error 58\rFile exist... Please don't use the symbol * in the field ENTER NEW "
               L"FILENAME. Instead use a NEW name.",
               MB_OK | MB_ICONSTOP, L"Error 58");
}

// ---- The thread's window -------------------------------------------------------

namespace {

// Which window is open on each thread, in a slot of the system's
// thread-local storage. The slot holds a bare pointer and the window lives
// on the stack of the command that shows it, so nothing of the window is
// left for a thread's exit to destroy: a host thread that opened it ends
// cleanly, also when the library has been unloaded in the meantime.
class OpenWindowSlot {
public:
    OpenWindowSlot() : index_(TlsAlloc()) {}
    ~OpenWindowSlot() {
        if (index_ != TLS_OUT_OF_INDEXES) TlsFree(index_);
    }
    OpenWindowSlot(const OpenWindowSlot&) = delete;
    OpenWindowSlot& operator=(const OpenWindowSlot&) = delete;
    ContextRenameWindow* Get() const {
        return index_ == TLS_OUT_OF_INDEXES ? nullptr : static_cast<ContextRenameWindow*>(TlsGetValue(index_));
    }
    void Set(ContextRenameWindow* window) const {
        if (index_ != TLS_OUT_OF_INDEXES) TlsSetValue(index_, window);
    }

private:
    const DWORD index_;
};

const OpenWindowSlot gOpenWindow;

// Marks the thread's window as open while it lives, and keeps the library
// loaded meanwhile: the host may let go of the handler that opened it.
class OpenWindowScope {
public:
    explicit OpenWindowScope(ContextRenameWindow& window) {
        ServerObjectCreated();
        gOpenWindow.Set(&window);
    }
    ~OpenWindowScope() {
        gOpenWindow.Set(nullptr);
        ServerObjectDestroyed();
    }
    OpenWindowScope(const OpenWindowScope&) = delete;
    OpenWindowScope& operator=(const OpenWindowScope&) = delete;
};

}  // namespace

ContextRenameWindow* OpenRenameWindowOfThread() { return gOpenWindow.Get(); }

// Never throws: it is called from the shell's command, inside the shell.
void ShowContextRenameWindow(void* owner, const std::vector<std::wstring>& files) {
    try {
        if (ContextRenameWindow* open = OpenRenameWindowOfThread()) {
            // Already open on this thread (a command from a nested message
            // loop): it keeps the selection it was opened on, which its set-up
            // may not have read yet.
            SetForegroundWindow(open->hwnd());
            return;
        }
        ContextRenameWindow window;
        OpenWindowScope open(window);
        HWND ownerWindow = static_cast<HWND>(owner);
        window.SetSelection(files);
        window.SetOwner(ownerWindow);
        window.ShowModalOver(ownerWindow);
        // The loop also ends when the thread is asked to quit: close the window then too.
        if (window.IsLoaded()) window.Unload();
    } catch (...) {
        // Nothing can be shown; the shell goes on.
    }
}

}  // namespace shellext
