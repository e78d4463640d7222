#include "shellext/ContextRenameWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <new>
#include <string>

#include "base/Module.h"
#include "base/Texts.h"
#include "rename/RenameFiles.h"
#include "shellext/ThreadState.h"
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
base::RunError CurrentFailure() {
    try {
        throw;
    } catch (const base::RunError& failure) {
        return failure;
    } catch (const std::bad_alloc&) {
        return base::RunError(base::err::OutOfMemory);
    } catch (...) {
        return base::RunError(base::err::InternalError);
    }
}

}  // namespace

frmWind::frmWind() = default;
frmWind::~frmWind() = default;

DWORD frmWind::FormStyle() const { return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; }

SIZE frmWind::DesignSize() const { return OuterSizeForClient(kClientWidth, kClientHeight); }

void frmWind::CreateControls() {
    Label3.Create(*this);
    List2.Create(*this);
    Frame1.Create(*this);
    Label1.Create(*this, &Frame1);
    Text3.Create(*this, &Frame1);
    Frame2.Create(*this);
    Option1.Create(*this, &Frame2, true);
    Option2.Create(*this, &Frame2);
    Label2.Create(*this, &Frame2);
    Text2.Create(*this, &Frame2);
    Frame3.Create(*this);
    Option3.Create(*this, &Frame3, true);
    Option4.Create(*this, &Frame3);
    Option5.Create(*this, &Frame3);
    Option6.Create(*this, &Frame3);
    Text4.Create(*this, &Frame3);
    Check1.Create(*this);
    Command1.Create(*this);
    Command3.Create(*this);
    Command2.Create(*this);
    Timer1.Create(*this, 200);

    SetCaptions();
    PlaceControls();
    Option1.SetValue(true);
    Option3.SetValue(true);
    Label2.SetEnabled(false);
    Text2.SetEnabled(false);
    Text4.SetEnabled(false);
    Text4.SetMaxLength(4);
    SetDefaultButton(Command1);
    AddToolTip(Text3, L"Use the * -character to keep filenames");
    WireHandlers();
}

void frmWind::SetCaptions() {
    SetCaption(L"Rename Filenames");
    Label1.SetCaption(L"ENTER NEW FILENAME");
    Frame2.SetCaption(L"Keep File Extension on files?");
    Option1.SetCaption(L"Yes");
    Option2.SetCaption(L"No");
    Label2.SetCaption(L"New extension:");
    Frame3.SetCaption(L"Filename Index");
    Option3.SetCaption(L"0001  (recomended)");
    Option4.SetCaption(L"001");
    Option5.SetCaption(L"01");
    Option6.SetCaption(L"Other Start Number");
    Check1.SetCaption(L"Remove write protection on renamed files");
    Command1.SetCaption(L"Help");
    Command3.SetCaption(L"Rename");
    Command2.SetCaption(L"Cancel");
}

// The list on the left, the three option frames on the right, the check box
// and the buttons across the bottom.
void frmWind::PlaceControls() {
    Label3.Move(120, 120, 3600, 240);
    List2.Move(120, 390, 3600, 4830);
    Frame1.Move(3840, 60, 3660, 960);
    Label1.Move(150, 270, 3360, 240);
    Text3.Move(150, 540, 3360, 315);
    Frame2.Move(3840, 1140, 3660, 1260);
    Option1.Move(150, 300, 1200, 270);
    Option2.Move(1500, 300, 1200, 270);
    Label2.Move(150, 780, 1400, 240);
    Text2.Move(1560, 735, 1500, 315);
    Frame3.Move(3840, 2520, 3660, 2700);
    Option3.Move(150, 330, 3300, 270);
    Option4.Move(150, 720, 3300, 270);
    Option5.Move(150, 1110, 3300, 270);
    Option6.Move(150, 1500, 3300, 270);
    Text4.Move(450, 1890, 1050, 315);
    Check1.Move(120, 5400, 7380, 300);
    Command1.Move(120, 6000, 1275, 420);
    Command3.Move(4785, 6000, 1275, 420);
    Command2.Move(6225, 6000, 1275, 420);
}

// A tooltip window of the form that shows `text` while the mouse rests on
// the control; it goes with the form.
void frmWind::AddToolTip(ui::Control& control, const wchar_t* text) {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(),
                               nullptr, base::CodeModule(), nullptr);
    if (!tip) return;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd());
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void frmWind::WireHandlers() {
    Timer1.OnTimer = [this] { Safely(&frmWind::Timer1_Timer); };
    Text3.OnChange = [this] { Safely(&frmWind::Text3_Change); };
    Text4.OnChange = [this] { Safely(&frmWind::Text4_Change); };
    Option1.OnClick = [this] { Safely(&frmWind::Option1_Click); };
    Option2.OnClick = [this] { Safely(&frmWind::Option2_Click); };
    Option3.OnClick = [this] { Safely(&frmWind::IndexOption_Click); };
    Option4.OnClick = [this] { Safely(&frmWind::IndexOption_Click); };
    Option5.OnClick = [this] { Safely(&frmWind::IndexOption_Click); };
    Option6.OnClick = [this] { Safely(&frmWind::Option6_Click); };
    Command1.OnClick = [this] { Safely(&frmWind::Command1_Click); };
    Command2.OnClick = [this] { Safely(&frmWind::Command2_Click); };
    Command3.OnClick = [this] { Safely(&frmWind::Command3_Click); };
    // A click in the name or extension box selects its whole text.
    for (ui::TextBox* box : {&Text3, &Text2})
        box->OnClick = [box] {
            box->SetSelStart(0);
            box->SetSelLength(static_cast<int>(box->Text().size()));
        };
}

void frmWind::Safely(void (frmWind::*handler)()) noexcept {
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

void frmWind::Form_Load() {
    CentreOnScreen();
    Timer1.SetEnabled(true);
}

// Every way of closing empties the work lists, so the next opening starts clean.
void frmWind::Form_Unload() {
    List1.clear();
    plan_.clear();
}

// ---- Set-up ------------------------------------------------------------------

void frmWind::Timer1_Timer() {
    Timer1.SetEnabled(false);
    try {
        FillList();
    } catch (...) {
        const base::RunError failure = CurrentFailure();
        if (failure.number == 364) return;  // the window is gone already
        ui::MsgBox(hwnd(), failure.description, MB_OK | MB_ICONSTOP, std::to_wstring(failure.number));
        Unload();
    }
}

// Lists the files of the selection: folders and names without a dot are left
// out, the rest in the order of a sorted list box. Every entry keeps its own
// folder, so a selection may come from several folders.
void frmWind::FillList() {
    std::vector<naming::RenameEntry> entries;
    for (const std::wstring& path : gFiles()) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const size_t cut = path.find_last_of(L'\\');
        const size_t nameStart = cut == std::wstring::npos ? 0 : cut + 1;
        std::wstring name = path.substr(nameStart);
        if (name.find(L'.') == std::wstring::npos) continue;
        entries.push_back({path.substr(0, nameStart), std::move(name)});
    }
    std::stable_sort(entries.begin(), entries.end(), ListBoxOrder);
    List1.clear();
    List2.BeginUpdate();
    List2.Clear();
    for (const naming::RenameEntry& entry : entries) {
        List1.push_back(entry.folder);
        List2.AddItem(entry.name);
    }
    List2.EndUpdate();
    Text3.SetFocus();
    Label3.SetCaption(L"Selected = " + std::to_wstring(List2.ListCount()));
}

// ---- Options -----------------------------------------------------------------

void frmWind::Text3_Change() { naming_.NewNameChanged(); }

void frmWind::Text4_Change() { naming_.StartNumberChanged(hwnd()); }

void frmWind::Option1_Click() { naming_.KeepChosen(); }

void frmWind::Option2_Click() { naming_.ReplaceChosen(); }

void frmWind::IndexOption_Click() { naming_.FixedIndexChosen(); }

void frmWind::Option6_Click() { naming_.StartNumberChosen(); }

bool frmWind::IndexChosen() const { return naming_.IndexChosen(); }

naming::NamingOptions frmWind::ReadOptions() const { return naming_.Read(false); }

// ---- Buttons -----------------------------------------------------------------

// The help file lies beside the library that holds this window, not beside
// the program it runs in.
void frmWind::Command1_Click() { base::ShowHelpTopic(base::ModuleFolder(base::CodeModule()), kHelpTopic); }

void frmWind::Command2_Click() { Unload(); }

void frmWind::Command3_Click() {
    if (List2.ListCount() == 0) {
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
            naming::PerformRenames(plan_, options, Check1.Value());
        } catch (...) {
            ReportRenameFailure(CurrentFailure());
        }
    }
    Unload();
}

// The checks of the options and the plan of every entry. False when a check
// stopped the renaming (the user has been told).
bool frmWind::PlanRenames(naming::NamingOptions& options) {
    Text3.SetText(naming::TrimBlanks(Text3.Text()));
    options = ReadOptions();
    switch (naming::CheckOptions(options)) {
    case naming::PlanCheck::EmptyName:
        ui::MsgBox(hwnd(), L"Please enter a new filename", MB_OK | MB_ICONINFORMATION,
                   L"New Filename");
        Text3.SetFocus();
        return false;
    case naming::PlanCheck::NothingWouldChange:
        ui::MsgBox(hwnd(), L"With current setting no change will be made", MB_OK | MB_ICONEXCLAMATION,
                   L"?");
        return false;
    case naming::PlanCheck::Ready:
        break;
    }
    if (!IndexChosen()) return false;
    std::vector<naming::RenameEntry> entries;
    entries.reserve(List1.size());
    for (size_t i = 0; i < List1.size(); ++i)
        entries.push_back({List1[i], List2.List(static_cast<int>(i))});
    plan_ = naming::BuildPlan(entries, options).entries;
    return true;
}

void frmWind::ReportFailure(const base::RunError& failure) {
    ui::ShowErrorBox(hwnd(), failure);
}

void frmWind::ReportRenameFailure(const base::RunError& failure) {
    if (failure.number == 364) return;
    if (failure.number != 58) {
        ReportFailure(failure);
        return;
    }
    ui::MsgBox(hwnd(),
               L"Error 58\rFile exist... Please don't use the symbol * in the field ENTER NEW "
               L"FILENAME. Instead use a NEW name.",
               MB_OK | MB_ICONSTOP, L"Error 58");
}

// ---- The thread's window -------------------------------------------------------

std::vector<std::wstring>& gFiles() {
    thread_local std::vector<std::wstring> files;
    return files;
}

frmWind& ThreadRenameWindow() {
    thread_local frmWind window;
    return window;
}

// Never throws: it is called from the shell's command, inside the shell.
void ShowContextRenameWindow(void* owner, const std::vector<std::wstring>& files) {
    try {
        frmWind& window = ThreadRenameWindow();
        if (window.IsLoaded()) {
            // Already open on this thread (a command from a nested message
            // loop): it keeps the selection it was opened on, which its set-up
            // may not have read yet.
            SetForegroundWindow(window.hwnd());
            return;
        }
        gFiles() = files;
        HWND ownerWindow = static_cast<HWND>(owner);
        window.SetOwner(ownerWindow);
        window.ShowModalOver(ownerWindow);
        // The loop also ends when the thread is asked to quit: close the window then too.
        if (window.IsLoaded()) window.Unload();
    } catch (...) {
        // Nothing can be shown; the shell goes on.
    }
}

}  // namespace shellext
