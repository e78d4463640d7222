#include "rename/RenameWindow.h"

#include <string>

#include "base/Display.h"
#include "base/Module.h"
#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "rename/RenameFiles.h"
#include "resources/resource.h"
#include "ui/App.h"
#include "ui/MainWindows.h"
#include "ui/MsgBox.h"
#include "ui/Screen.h"

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

std::wstring ProgramName() {
    const std::wstring path = base::ModulePath(nullptr);
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    return name.substr(0, name.find_last_of(L'.'));
}
}  // namespace

frmMain::frmMain() = default;
frmMain::~frmMain() = default;

SIZE frmMain::DesignSize() const { return SIZE{kDesignWidth, kDesignHeight}; }

void frmMain::CreateControls() {
    Drive1.Create(*this);
    Dir1.Create(*this);
    Text1.Create(*this);
    File1.Create(*this);
    Command1.Create(*this);
    Command2.Create(*this);
    Command4.Create(*this);
    Label3.Create(*this);
    List2.Create(*this, nullptr, false, true);
    Frame1.Create(*this);
    Label1.Create(*this, &Frame1);
    Text3.Create(*this, &Frame1);
    Frame2.Create(*this);
    Option1.Create(*this, &Frame2, true);
    Option2.Create(*this, &Frame2);
    Label2.Create(*this, &Frame2);
    Text2.Create(*this, &Frame2);
    Check1.Create(*this, &Frame2);
    Frame3.Create(*this);
    Option3.Create(*this, &Frame3, true);
    Option4.Create(*this, &Frame3);
    Option5.Create(*this, &Frame3);
    Option6.Create(*this, &Frame3);
    Text4.Create(*this, &Frame3);
    Command3.Create(*this);
    Image1.Create(*this, IDB_RENAME_IMAGE1);
    Image2.Create(*this, IDB_RENAME_IMAGE2);
    Image1.SetTransparentColor(RGB(255, 0, 255));
    Image2.SetTransparentColor(RGB(255, 0, 255));
    StatusBar1.Create(*this, 2);
    Timer1.Create(*this, 500);
    Timer2.Create(*this, 1500);
    Timer3.Create(*this, 1500);
    Timer4.Create(*this, 500);
    Timer5.Create(*this, 250);
    CreateMenus();

    // Initial state of the options and commands.
    Text1.SetText(L"*.*");
    File1.SetPattern(L"*.*");
    Option1.SetValue(true);
    Option3.SetValue(true);
    Label2.SetEnabled(false);
    Text2.SetEnabled(false);
    Text4.SetEnabled(false);
    Text4.SetMaxLength(4);
    Command4.SetEnabled(false);
    clear.SetEnabled(false);
    statbar.SetChecked(true);
    Image2.SetVisible(false);
    WireHandlers();
}

void frmMain::CreateMenus() {
    MenuBar1.Create(*this);
    f.Create(MenuBar1);
    clear.Create(f, [this] { clear_Click(); });
    cf.Create(f, [this] { cf_Click(); });
    f.AddSeparator();
    quit.Create(f, [this] { Unload(); });
    xmas.Create(MenuBar1);
    noorm.Create(xmas, [this] { noorm_Click(); });
    statbar.Create(xmas, [this] { statbar_Click(); });
    GotoPrint.Create(xmas, [this] { GotoPrint_Click(); });
    ref2.Create(xmas, [this] { ref2_Click(); });
    aff.Create(MenuBar1);
    filters.resize(std::size(kFilters));
    for (size_t i = 0; i < filters.size(); ++i) {
        std::wstring pattern = kFilters[i].pattern;
        filters[i].Create(aff, [this, pattern] { Filter_Click(pattern); });
    }
    h.Create(MenuBar1);
    help.Create(h, [this] { help_Click(); });
    h.AddSeparator();
    // The About box arrives with its own window; until then its item is shown greyed.
    abo.Create(h, [] {});
    abo.SetEnabled(false);
}

void frmMain::WireHandlers() {
    Command1.OnClick = [this] { Command1_Click(); };
    Command2.OnClick = [this] { Command2_Click(); };
    Command3.OnClick = [this] { Command3_Click(); };
    Command4.OnClick = [this] { Command4_Click(); };
    File1.OnDblClick = [this] { File1_DblClick(); };
    File1.OnClick = [this] { File1_Click(); };
    List2.OnMouseDown = [this](int button, int, long, long) { List2_MouseDown(button); };
    Text1.OnChange = [this] { Text1_Change(); };
    Dir1.OnChange = [this] { Dir1_Change(); };
    Drive1.OnChange = [this] { Drive1_Change(); };
    Drive1.OnGotFocus = [this] { Drive1_GotFocus(); };
    Option1.OnClick = [this] { Option1_Click(); };
    Option2.OnClick = [this] { Option2_Click(); };
    Option3.OnClick = [this] { IndexOption_Click(); };
    Option4.OnClick = [this] { IndexOption_Click(); };
    Option5.OnClick = [this] { IndexOption_Click(); };
    Option6.OnClick = [this] { Option6_Click(); };
    Text3.OnChange = [this] { Text3_Change(); };
    Check1.OnClick = [this] { Check1_Click(); };
    Text4.OnChange = [this] { Text4_Change(); };
    for (ui::TextBox* box : {&Text2, &Text3, &Text4})
        box->OnGotFocus = [box] {
            box->SetSelStart(0);
            box->SetSelLength(static_cast<int>(box->Text().size()));
        };
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Timer2.OnTimer = [this] { Timer2_Timer(); };
    Timer3.OnTimer = [this] { Timer3_Timer(); };
    Timer4.OnTimer = [this] { Timer4_Timer(); };
    Timer5.OnTimer = [this] { Timer5_Timer(); };

    // Hints in the first panel of the status bar.
    const std::pair<ui::Control*, base::Text> hints[] = {
        {&Command1, Text::HintTransfer}, {&Command2, Text::HintUnselect}, {&Command3, Text::HintRename}, {&Check1, Text::HintIndexedExtension},
        {&Option1, Text::HintKeepExtension},  {&Option2, Text::HintNewExtension},  {&Option3, Text::HintIndexFour},  {&Option4, Text::HintIndexThree},
        {&Option5, Text::HintIndexTwo},  {&Option6, Text::HintStartNumber},  {&Text2, Text::HintNewExtensionBox},    {&Text3, Text::HintNewName},
        {&Text4, Text::HintStartNumberBox},
    };
    for (const auto& [control, id] : hints)
        control->OnMouseMove = [this, id = id](int, int, long, long) {
            StatusBar1.ShowHint(id);
        };
}

void frmMain::Form_Load() {
    const std::wstring& layout = base::ScreenResolution;
    ApplyLayout(layout == L"640" ? 0.8 : layout == L"1024" ? 1.28 : 1.0);
    SetCaptions();
    busy_.Remember({hwnd(), Command1.hwnd(), Command2.hwnd(), Command3.hwnd(), List2.hwnd(),
                    File1.hwnd(), Dir1.hwnd()},
                   base::JoinPath(base::ProgramFolder(), L"hourglas.bin"));
    // Pictures of the Exit item and of the Help and About items.
    Picture1.Load(IDB_MENU_EXIT);
    Picture2.Load(IDB_MENU_HELP);
    Picture3.Load(IDB_MENU_ABOUT);
    MenuBar1.SetPictureAt(0, 3, Picture1.handle());
    MenuBar1.SetPictureAt(3, 0, Picture2.handle());
    MenuBar1.SetPictureAt(3, 2, Picture3.handle());
    File1.SetPath(Dir1.Path());
    Timer5.SetEnabled(true);
}

// Places every control for the screen: the design layout fits 800 x 600,
// and the same layout scaled fits 640 x 480 and 1024 x 768.
void frmMain::ApplyLayout(double scale) {
    auto s = [scale](long twips) { return static_cast<long>(twips * scale + 0.5); };
    auto place = [&](ui::Control& control, long left, long top, long width, long height) {
        control.Move(s(left), s(top), s(width), s(height));
    };
    long width = s(kDesignWidth), height = s(kDesignHeight);
    CentreOnScreen(width, height);
    place(Drive1, 150, 150, 3525, 330);
    place(Dir1, 150, 570, 3525, 2250);
    place(Text1, 150, 2910, 3525, 315);
    place(File1, 150, 3300, 3525, 3825);
    place(Command1, 3825, 2250, 1725, 420);
    place(Command2, 3825, 2790, 1725, 420);
    place(Command4, 3825, 3330, 1725, 420);
    place(Label3, 5700, 150, 5775, 240);
    place(List2, 5700, 420, 5775, 2400);
    place(Frame1, 5700, 2910, 5775, 780);
    place(Label1, 150, 330, 2600, 240);
    place(Text3, 2850, 285, 2775, 330);
    place(Frame2, 5700, 3780, 3300, 2550);
    place(Option1, 180, 330, 1200, 300);
    place(Option2, 1500, 330, 1200, 300);
    place(Label2, 180, 780, 3000, 240);
    place(Text2, 180, 1050, 1500, 330);
    place(Check1, 180, 1560, 2400, 300);
    place(Frame3, 9075, 3780, 2400, 2550);
    place(Option3, 180, 330, 2130, 300);
    place(Option4, 180, 690, 2130, 300);
    place(Option5, 180, 1050, 2130, 300);
    place(Option6, 180, 1410, 2130, 300);
    place(Text4, 450, 1830, 1050, 330);
    place(Command3, 5700, 6450, 5775, 540);
    Image1.Move(s(kImageLeft), s(kImageTop));
    Image2.Move(s(kImageLeft), s(kImageTop));
}

void frmMain::SetCaptions() {
    SetCaption(LoadText(Text::RenameWindowCaption));
    Command1.SetCaption(LoadText(Text::SelectArrow));
    Command2.SetCaption(LoadText(Text::UnselectArrow));
    Command3.SetCaption(LoadText(Text::RenameCaption));
    Command4.SetCaption(LoadText(Text::ClearTheList));
    Label3.SetCaption(LoadText(Text::FilesToRename));
    Label1.SetCaption(LoadText(Text::EnterNewFileName));
    Frame2.SetCaption(LoadText(Text::KeepExtensionQuestion));
    Option1.SetCaption(LoadText(Text::Yes));
    Option2.SetCaption(LoadText(Text::No));
    Label2.SetCaption(LoadText(Text::NewExtensionQuestion));
    Check1.SetCaption(L"Index?");
    Frame3.SetCaption(LoadText(Text::FileNameIndex));
    Option3.SetCaption(LoadText(Text::IndexFourDigits));
    Option4.SetCaption(L"001");
    Option5.SetCaption(L"01");
    Option6.SetCaption(LoadText(Text::OtherStartNumber));
    f.SetCaption(LoadText(Text::FileMenu));
    clear.SetCaption(LoadText(Text::New));
    cf.SetCaption(LoadText(Text::CountMarkedFiles));
    quit.SetCaption(LoadText(Text::Exit));
    xmas.SetCaption(LoadText(Text::RenameOptionMenu));
    noorm.SetCaption(LoadText(Text::ClearWriteProtection));
    statbar.SetCaption(L"Statusbar");
    GotoPrint.SetCaption(LoadText(Text::ChoosePrintOrSave));
    ref2.SetCaption(L"Refresh");
    aff.SetCaption(LoadText(Text::SelectCaption));
    for (size_t i = 0; i < filters.size(); ++i) filters[i].SetCaption(LoadText(kFilters[i].textId));
    h.SetCaption(LoadText(Text::HelpMenu));
    help.SetCaption(LoadText(Text::Help));
    abo.SetCaption(LoadText(Text::AboutAndSystemInfo));
    MenuBar1.Redraw();
}

// ---- Rename list -----------------------------------------------------------

void frmMain::AddEntry(const std::wstring& folder, const std::wstring& name) {
    List2.AddItem(name);
    List1.push_back(folder);
    names_.insert(name);
}

void frmMain::RemoveEntry(int index) {
    names_.erase(List2.List(index));
    List2.RemoveItem(index);
    List1.erase(List1.begin() + index);
}

void frmMain::EnableListCommands(bool enabled) {
    Command3.SetEnabled(enabled);
    Command4.SetEnabled(enabled);
    clear.SetEnabled(enabled);
}

void frmMain::ClearRenameList() {
    List2.Clear();
    List1.clear();
    names_.clear();
    plan_.clear();
}

void frmMain::Command1_Click() {
    SetBusyCursor();
    Timer1.SetEnabled(true);
}

void frmMain::File1_DblClick() { Command1_Click(); }

void frmMain::Timer1_Timer() {
    Timer1.SetEnabled(false);
    clear.SetEnabled(true);
    Command4.SetEnabled(true);
    const std::wstring folder = File1.Path();
    const int count = File1.ListCount();
    List2.BeginUpdate();
    for (int k = 0; k < count; ++k) {
        if (!File1.Selected(k)) continue;
        std::wstring name = File1.List(k);
        if (names_.count(name)) continue;
        AddEntry(folder, name);
        EnableListCommands(true);
    }
    List2.EndUpdate();
    RestoreCursor();
}

void frmMain::Command2_Click() {
    if (List2.ListCount() == 0) return;
    for (int i = 0; i < List2.ListCount();) {
        if (List2.Selected(i))
            RemoveEntry(i);
        else
            ++i;
    }
    EnableListCommands(List2.ListCount() > 0);
}

void frmMain::Command4_Click() {
    ClearRenameList();
    clear.SetEnabled(false);
    Command3.SetEnabled(false);
    Command4.SetEnabled(false);
}

void frmMain::clear_Click() {
    clear.SetEnabled(false);
    Command4_Click();
}

void frmMain::List2_MouseDown(int button) {
    if (button == ui::kRightButton) List2.SelectAll();
}

void frmMain::Form_Click() { File1.ClearSelection(); }

void frmMain::Form_MouseMove(int, int, long x, long y) {
    const bool overImage = Image1.Contains(x, y);
    ShowImage(overImage);
    if (!overImage) StatusBar1.SetPanelText(1, L"Nomaro 3.1");
}

void frmMain::ShowImage(bool highlighted) {
    if (highlighted == imageHighlighted_) return;
    imageHighlighted_ = highlighted;
    Image1.SetVisible(!highlighted);
    Image2.SetVisible(highlighted);
}

// ---- Browser ---------------------------------------------------------------

void frmMain::Text1_Change() { File1.SetPattern(Text1.Text()); }

void frmMain::Dir1_Change() {
    File1.SetPath(Dir1.Path());
    try {
        Drive1.SetDrive(Dir1.Path().substr(0, 2));
    } catch (const base::RunError&) {
        // The folder is open, so its drive answers; nothing to report.
    }
}

void frmMain::Drive1_GotFocus() { driveAtFocus_ = Drive1.Drive(); }

// A drive change reaches the folder list, unless the folder list is on that
// drive already (which is the case when the folder list itself moved the drive).
void frmMain::Drive1_Change() {
    const std::wstring drive = Drive1.Drive();
    if (_wcsnicmp(drive.c_str(), Dir1.Path().c_str(), 2) == 0) return;
    try {
        Dir1.SetPath(drive);
    } catch (const base::RunError& error) {
        const std::wstring previous =
            driveAtFocus_.empty() ? Dir1.Path().substr(0, 2) : driveAtFocus_;
        if (error.number == 68) {
            Dir1.SetEnabled(false);
            File1.SetEnabled(false);
            std::wstring shown = drive;
            CharUpperBuffW(shown.data(), static_cast<DWORD>(shown.size()));
            ui::MsgBox(hwnd(), L"Device (" + shown + L") not ready" + std::wstring(23, L' '),
                       MB_OK | MB_ICONINFORMATION, L"Not ready");
        }
        try {
            Drive1.SetDrive(previous);
        } catch (const base::RunError&) {
            // The drive shown before has gone too: the list keeps the chosen one.
        }
        Dir1.SetEnabled(true);
        File1.SetEnabled(true);
    }
}

void frmMain::File1_Click() {
    if (File1.Path() != Dir1.Path()) File1.SetPath(Dir1.Path());
}

void frmMain::RefreshAllLists() {
    Drive1.Refresh();
    Dir1.Refresh();
    File1.Refresh();
}

void frmMain::ref2_Click() { RefreshAllLists(); }

void frmMain::Filter_Click(const std::wstring& pattern) {
    Text1.SetText(pattern);
    File1.SelectAll();
}

// ---- Menus -----------------------------------------------------------------

void frmMain::cf_Click() {
    int marked = File1.SelCount();
    if (marked > 0)
        ui::MsgBox(hwnd(), std::to_wstring(marked) + L" file(s) marked in filelist right now!",
                   MB_OK, ui::AppTitle());
}

void frmMain::noorm_Click() { noorm.SetChecked(!noorm.Checked()); }

void frmMain::statbar_Click() {
    bool show = !statbar.Checked();
    StatusBar1.SetVisible(show);
    statbar.SetChecked(show);
}

void frmMain::GotoPrint_Click() {
    if (!ui::AskSwitchWindow(hwnd())) return;
    leaving_ = true;
    ui::OpenMainWindow(ui::MainWindow::List);
    Unload();
}

void frmMain::help_Click() { base::ShowHelpTopic(L"html\\file0soj.htm"); }

// ---- Closing ---------------------------------------------------------------

void frmMain::Form_Escape() { Unload(); }

void frmMain::Form_QueryUnload(bool& cancel) {
    bool confirmed = true;
    if (!leaving_) {
        if (busy_.On()) RestoreCursor();
        confirmed = ui::AskExit(hwnd());
    }
    SaveSettings();
    if (!confirmed) cancel = true;
}

// ---- Naming options --------------------------------------------------------

void frmMain::Option1_Click() { naming_.KeepChosen(); }

void frmMain::Option2_Click() { naming_.ReplaceChosen(); }

void frmMain::IndexOption_Click() { naming_.FixedIndexChosen(); }

void frmMain::Option6_Click() { naming_.StartNumberChosen(); }

void frmMain::Text3_Change() { naming_.NewNameChanged(); }

void frmMain::Check1_Click() {
    const bool indexed = Check1.Value();
    ui::SetEnabled({&Option1, &Option2, &Option3, &Option4, &Option5, &Option6, &Text4, &Text2},
                   !indexed);
    if (indexed) Text3.SetFocus();
}

void frmMain::Text4_Change() { naming_.StartNumberChanged(hwnd()); }

naming::NamingOptions frmMain::ReadOptions() const { return naming_.Read(Check1.Value()); }

std::vector<naming::RenameEntry> frmMain::Entries() const {
    std::vector<naming::RenameEntry> entries;
    entries.reserve(List1.size());
    for (size_t i = 0; i < List1.size(); ++i)
        entries.push_back({List1[i], List2.List(static_cast<int>(i))});
    return entries;
}

// ---- Rename engine ---------------------------------------------------------

void frmMain::Command3_Click() {
    if (List2.ListCount() == 0) {
        ui::MsgBox(hwnd(), LoadText(Text::NothingToRename), MB_OK | MB_ICONINFORMATION, LoadText(Text::RenameTitle));
        return;
    }
    SetBusyCursor();
    Timer2.SetEnabled(true);
}

void frmMain::Timer2_Timer() {
    Timer2.SetEnabled(false);
    try {
        Text3.SetText(naming::TrimBlanks(Text3.Text()));
        const naming::NamingOptions options = ReadOptions();
        switch (naming::CheckOptions(options)) {
        case naming::PlanCheck::EmptyName:
            ui::MsgBox(hwnd(), LoadText(Text::EnterNewNamePrompt), MB_OK | MB_ICONINFORMATION, ProgramName());
            Text3.SetFocus();
            RestoreCursor();
            return;
        case naming::PlanCheck::NothingWouldChange:
            ui::MsgBox(hwnd(), LoadText(Text::NothingWouldChange), MB_OK | MB_ICONEXCLAMATION, L"?");
            RestoreCursor();
            return;
        case naming::PlanCheck::Ready:
            break;
        }
        naming::Plan plan = naming::BuildPlan(Entries(), options);
        if (plan.tooManyForIndexedExtension) {
            ui::MsgBox(hwnd(), LoadText(Text::TooManyForIndexedExtension), MB_OK | MB_ICONSTOP, L"Stop");
            Command4_Click();
            File1.Refresh();
            RestoreCursor();
            return;
        }
        plan_ = std::move(plan.entries);
        RestoreCursor();
        if (ui::MsgBox(hwnd(), LoadText(Text::RenameSelectedFiles), MB_OKCANCEL | MB_ICONQUESTION, LoadText(Text::RenameTitle)) != IDOK) {
            Command4_Click();
            return;
        }
        SetBusyCursor();
        Timer3.SetEnabled(true);
    } catch (const base::RunError& error) {
        ReportEngineFailure(error);
    }
}

void frmMain::Timer3_Timer() {
    Timer3.SetEnabled(false);
    try {
        naming::PerformRenames(plan_, ReadOptions(), noorm.Checked());
        RestoreCursor();
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        ui::MsgBox(hwnd(), L"Renaiming Complete", MB_OK | MB_ICONINFORMATION, L"Stop");
        File1.Refresh();
        Command4_Click();
    } catch (const base::RunError& error) {
        ReportEngineFailure(error);
    }
}

void frmMain::ReportEngineFailure(const base::RunError& error) {
    // An existing target gets its own explanation: only the files before it were renamed.
    if (error.number == base::err::FileExists)
        ui::MsgBox(hwnd(), L"Error 58\r" + LoadText(Text::FileExistsStopped), MB_OK | MB_ICONSTOP,
                   L"Error 58");
    else
        ui::ShowErrorBox(hwnd(), error);
    Command4_Click();
    File1.Refresh();
    Text3.SetFocus();
    RestoreCursor();
}

void frmMain::SetBusyCursor() { busy_.SetBusy(); }
void frmMain::RestoreCursor() { busy_.Restore(); }

// ---- Settings --------------------------------------------------------------

int frmMain::IndexChoice() const {
    if (Option3.Value()) return 1;
    if (Option4.Value()) return 2;
    if (Option5.Value()) return 3;
    if (Option6.Value()) return 4;
    return 0;
}

void frmMain::SaveSettings() {
    if (!Option1.Value()) base::WriteIniValue(L"rename", L"exttxt", Text2.Text());
    base::WriteIniValue(L"rename", L"ext", Option1.Value() ? L"True" : L"False");
    if (int choice = IndexChoice()) lastIndexChoice_ = choice;
    if (lastIndexChoice_ == 4) base::WriteIniValue(L"rename", L"indextxt", Text4.Text());
    base::WriteIniValue(L"rename", L"index", std::to_wstring(lastIndexChoice_));
    base::WriteIniValue(L"rename", L"lastcat", Dir1.Path());
    base::WriteIniValue(L"rename", L"format", Text1.Text());
}

void frmMain::Timer5_Timer() {
    Timer5.SetEnabled(false);
    try {
        RestoreSettings();
    } catch (const base::RunError& error) {
        if (error.number == 13)
            ui::MsgBox(hwnd(),
                       L"Some of the files required for Nomaro could be missing, read the helpfile "
                       L"for more info",
                       MB_OK | MB_ICONEXCLAMATION, L"Error");
        else
            ui::MsgBox(hwnd(), L"Nomaro Error Description: " + error.description, MB_OK | MB_ICONSTOP,
                       L"Error " + std::to_wstring(error.number));
        ui::EndProgram();
    }
}

void frmMain::RestoreSettings() {
    const std::wstring folder = base::ReadIniValue(L"rename", L"lastcat");
    // A first opening has nothing saved: the window keeps its initial state.
    if (folder.empty()) return;
    try {
        Dir1.SetPath(folder);
    } catch (const base::RunError& error) {
        if (error.number != 76 && error.number != 68) throw;
        Drive1.SetDrive(L"c:");
        return;
    }
    Text1.SetText(base::ReadIniValue(L"rename", L"format"));
    const std::wstring index = base::ReadIniValue(L"rename", L"index");
    const std::wstring ext = base::ReadIniValue(L"rename", L"ext");
    if (ParseTruth(ext)) {
        Option1.SetValue(true);
    } else {
        Option2.SetValue(true);
        Text2.SetText(base::ReadIniValue(L"rename", L"exttxt"));
    }
    switch (naming::ParseStartNumber(index)) {
    case 1: lastIndexChoice_ = 1; Option3.SetValue(true); break;
    case 2: lastIndexChoice_ = 2; Option4.SetValue(true); break;
    case 3: lastIndexChoice_ = 3; Option5.SetValue(true); break;
    case 4: lastIndexChoice_ = 4; Timer4.SetEnabled(true); break;
    default: break;
    }
}

void frmMain::Timer4_Timer() {
    Timer4.SetEnabled(false);
    Option6.SetValue(true);
    Text4.SetText(base::ReadIniValue(L"rename", L"indextxt"));
}

}  // namespace renamer
