#include "ui/BrowserBoxes.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "base/Paths.h"
#include "base/RunError.h"
#include "base/Scoped.h"
#include "base/Wildcard.h"
#include "ui/MsgBox.h"

namespace ui {

namespace {

// ---- Drives and folders ------------------------------------------------------

std::function<bool(const std::wstring&)>& ReadyProbe() {
    static std::function<bool(const std::wstring&)> probe;
    return probe;
}

// Drive and volume calls on an empty drive must fail quietly instead of
// asking the user to insert a disk.
class QuietDriveErrors {
public:
    QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }

private:
    DWORD previous_ = 0;
};

bool VolumeAnswers(const std::wstring& root) {
    QuietDriveErrors quiet;
    if (GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0))
        return true;
    return GetLastError() != ERROR_NOT_READY;
}

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }
wchar_t AsciiUpper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }
bool IsDriveLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

std::wstring RootOf(wchar_t letter) { return {letter, L':', L'\\'}; }

// The label of a fixed or network volume; removable and optical drives are
// not asked, so that listing the drives never waits for a disk.
std::wstring VolumeLabel(const std::wstring& root) {
    UINT type = GetDriveTypeW(root.c_str());
    if (type == DRIVE_REMOVABLE || type == DRIVE_CDROM) return {};
    QuietDriveErrors quiet;
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0))
        return {};
    return label;
}

std::wstring FullPathName(const std::wstring& path) {
    DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) throw base::RunError(base::err::PathNotFound);
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    full.resize(length);
    return full;
}

// Rewrites an existing folder's path with every name as it is written on
// disk (and short names made long); empty when a part is missing.
std::wstring AsWrittenOnDisk(const std::wstring& full) {
    std::wstring result = RootOf(AsciiUpper(full[0]));
    size_t pos = 3;
    while (pos < full.size()) {
        size_t end = std::min(full.find(L'\\', pos), full.size());
        if (end > pos) {
            WIN32_FIND_DATAW found;
            base::FindHandle search(FindFirstFileW(base::JoinPath(result, full.substr(pos, end - pos)).c_str(), &found));
            if (!search) return {};
            result = base::JoinPath(result, found.cFileName);
        }
        pos = end + 1;
    }
    return result;
}

// The full path of an existing folder given absolutely, as a drive, from
// the drive root ("\x") or relative to `base`. Raises 68 when the drive is
// missing or not ready, 76 when the folder is missing.
std::wstring ResolveFolder(const std::wstring& path, const std::wstring& base) {
    if (path.empty()) throw base::RunError(base::err::PathNotFound);
    std::wstring absolute = path;
    bool drivePart = path.size() >= 2 && path[1] == L':';
    bool unc = path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/');
    if (!drivePart && !unc && !base.empty()) {
        if (path[0] == L'\\' || path[0] == L'/')
            absolute = base.substr(0, 2) + path;
        else
            absolute = base::JoinPath(base, path);
    }
    std::wstring full = FullPathName(absolute);
    if (full.size() < 3 || !IsDriveLetter(full[0]) || full[1] != L':') throw base::RunError(base::err::PathNotFound);
    std::wstring root = RootOf(full[0]);
    if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR || !DriveReady(root)) throw base::RunError(base::err::DeviceUnavailable);
    DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw base::RunError(base::err::PathNotFound);
    std::wstring written = AsWrittenOnDisk(full);
    if (written.empty()) throw base::RunError(base::err::PathNotFound);
    return written;
}

// Moves `current` to the folder `target` names (see ResolveFolder); false
// when that is the folder it already holds.
bool ChangeFolder(std::wstring& current, const std::wstring& target) {
    std::wstring resolved = ResolveFolder(target, current);
    if (resolved == current) return false;
    current = std::move(resolved);
    return true;
}

std::wstring CurrentFolder() {
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring current(length, L'\0');
    current.resize(GetCurrentDirectoryW(length, current.data()));
    try {
        return ResolveFolder(current, L"");
    } catch (const base::RunError&) {
        return current;
    }
}

// Calls `each` with every entry of `folder` but "." and "..".
template <class Each>
void ForEachEntry(const std::wstring& folder, Each each) {
    WIN32_FIND_DATAW found;
    base::FindHandle search(FindFirstFileExW(base::JoinPath(folder, L"*").c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) return;
    do {
        if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0) each(found);
    } while (FindNextFileW(search.get(), &found));
}

bool IsHiddenOrSystem(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool NameLess(const std::wstring& a, const std::wstring& b) { return base::CompareFileNames(a, b) < 0; }

// Puts `texts` into a list box in one go, with storage reserved for all.
void FillListBox(HWND list, const std::vector<std::wstring>& texts) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    size_t characters = 0;
    for (const std::wstring& text : texts) characters += text.size() + 1;
    SendMessageW(list, LB_INITSTORAGE, texts.size(), characters * sizeof(wchar_t));
    for (const std::wstring& text : texts)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// ---- Folder glyphs -------------------------------------------------------------

const int kGlyphWidth = 16;
const int kGlyphHeight = 14;
const int kIndent = 8;

// Draws with a pen and a brush of the given colours; the caller's are put back.
class Paint {
public:
    Paint(HDC dc, COLORREF line, COLORREF fill)
        : pen_(CreatePen(PS_SOLID, 1, line)), brush_(CreateSolidBrush(fill)),
          penSelected_(dc, pen_.get()), brushSelected_(dc, brush_.get()) {}

private:
    // Declared in this order so that the caller's pen and brush are back
    // before these are deleted.
    base::GdiObject<HPEN> pen_;
    base::GdiObject<HBRUSH> brush_;
    base::SelectedObject penSelected_, brushSelected_;
};

const COLORREF kFolderLine = RGB(128, 96, 0);

void DrawClosedFolder(HDC dc, int x, int y, COLORREF fill) {
    Paint paint(dc, kFolderLine, fill);
    Rectangle(dc, x, y + 1, x + 7, y + 4);  // tab
    Rectangle(dc, x, y + 3, x + kGlyphWidth, y + kGlyphHeight);
}

void DrawOpenFolder(HDC dc, int x, int y) {
    DrawClosedFolder(dc, x, y, RGB(214, 170, 40));
    Paint paint(dc, kFolderLine, RGB(255, 224, 120));
    POINT front[] = {{x + 3, y + 6}, {x + kGlyphWidth, y + 6}, {x + kGlyphWidth - 3, y + kGlyphHeight - 1},
                     {x, y + kGlyphHeight - 1}};
    Polygon(dc, front, 4);
}

void DrawDriveGlyph(HDC dc, int x, int y) {
    {
        Paint paint(dc, RGB(64, 64, 64), RGB(200, 200, 200));
        Rectangle(dc, x, y + 4, x + kGlyphWidth, y + kGlyphHeight - 1);
    }
    Paint paint(dc, RGB(0, 100, 0), RGB(0, 190, 0));
    Rectangle(dc, x + 11, y + 8, x + 14, y + 10);
}

}  // namespace

void SetDriveReadyProbe(std::function<bool(const std::wstring& root)> probe) {
    ReadyProbe() = std::move(probe);
}

bool DriveReady(const std::wstring& root) {
    return ReadyProbe() ? ReadyProbe()(root) : VolumeAnswers(root);
}

// ---- DriveBox ---------------------------------------------------------------------

void DriveBox::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0,
                   container);
    Fill();
    int index = IndexOf(AsciiLower(CurrentFolder()[0]));
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(std::max(index, 0)), 0);
    reported_ = letters_.empty() ? 0 : Drive()[0];
}

void DriveBox::Fill() {
    std::wstring keep = Drive();
    letters_.clear();
    SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        wchar_t letter = static_cast<wchar_t>(L'a' + i);
        std::wstring text{letter, L':'};
        std::wstring label = VolumeLabel(RootOf(letter));
        if (!label.empty()) text += L" [" + label + L"]";
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        letters_.push_back(letter);
    }
    if (!keep.empty()) SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(IndexOf(keep[0])), 0);
}

void DriveBox::Refresh() {
    Fill();
    if (SendMessageW(hwnd(), CB_GETCURSEL, 0, 0) == CB_ERR && !letters_.empty()) {
        SendMessageW(hwnd(), CB_SETCURSEL, 0, 0);
        ReportChange();
    }
}

int DriveBox::IndexOf(wchar_t letter) const {
    auto it = std::find(letters_.begin(), letters_.end(), AsciiLower(letter));
    return it == letters_.end() ? -1 : static_cast<int>(it - letters_.begin());
}

std::wstring DriveBox::Drive() const {
    LRESULT index = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= letters_.size()) return {};
    return {letters_[static_cast<size_t>(index)], L':'};
}

void DriveBox::SetDrive(const std::wstring& text) {
    int index = text.empty() ? -1 : IndexOf(text[0]);
    if (index < 0) throw base::RunError(base::err::DeviceUnavailable);
    if (!DriveReady(RootOf(letters_[static_cast<size_t>(index)]))) throw base::RunError(base::err::DeviceUnavailable);
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ReportChange();
}

int DriveBox::ListCount() const { return static_cast<int>(letters_.size()); }

std::wstring DriveBox::List(int index) const { return ComboBoxItemText(hwnd(), index); }

void DriveBox::ReportChange() {
    std::wstring drive = Drive();
    wchar_t letter = drive.empty() ? 0 : drive[0];
    if (letter == reported_) return;
    reported_ = letter;
    if (OnChange) OnChange();
}

// The combo box takes the height of its dropped list from its window height;
// the forms give it the height of the closed box, so it is made tall enough
// for up to twelve drives each time it drops.
void DriveBox::FitDroppedList() {
    RECT closed;
    GetWindowRect(hwnd(), &closed);
    int items = std::clamp(ListCount(), 1, 12);
    int itemHeight = static_cast<int>(SendMessageW(hwnd(), CB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(hwnd(), nullptr, 0, 0, closed.right - closed.left,
                 closed.bottom - closed.top + items * itemHeight + 2 * GetSystemMetrics(SM_CYEDGE),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DriveBox::Notify(int code) {
    switch (code) {
    case CBN_SELCHANGE:
        // While the list is dropped the highlight only moves; the choice
        // counts when the list closes.
        if (!SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0)) ReportChange();
        break;
    case CBN_CLOSEUP: ReportChange(); break;
    case CBN_DROPDOWN: FitDroppedList(); break;
    case CBN_SETFOCUS:
        if (OnGotFocus) OnGotFocus();
        break;
    default: break;
    }
}

// ---- DirBox -----------------------------------------------------------------------

void DirBox::Create(Form& form, Frame* container) {
    CreateWindowOf(form,
                   WC_LISTBOXW,
                   LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                       WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                   WS_EX_CLIENTEDGE, container);

    TEXTMETRICW metrics{};
    {
        base::WindowDC dc(hwnd());
        base::SelectedObject font(dc.get(), DefaultFont());
        GetTextMetricsW(dc.get(), &metrics);
    }
    int itemHeight = std::max<int>(metrics.tmHeight, kGlyphHeight) + 2;
    SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, itemHeight);

    path_ = CurrentFolder();
    Fill();
}

void DirBox::SetPath(const std::wstring& path) {
    if (!ChangeFolder(path_, path)) return;
    Fill();
    if (OnChange) OnChange();
}

void DirBox::Refresh() { Fill(); }

void DirBox::Fill() {
    entries_.clear();
    std::wstring root = path_.substr(0, 3);
    entries_.push_back({root, {AsciiLower(root[0]), L':', L'\\'}, 0, Glyph::Drive});
    int level = 0;
    for (size_t pos = 3; pos < path_.size();) {
        size_t end = std::min(path_.find(L'\\', pos), path_.size());
        entries_.push_back({path_.substr(0, end), path_.substr(pos, end - pos), ++level, Glyph::OpenFolder});
        pos = end + 1;
    }
    currentIndex_ = static_cast<int>(entries_.size()) - 1;

    std::vector<std::wstring> subfolders;
    ForEachEntry(path_, [&](const WIN32_FIND_DATAW& found) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsHiddenOrSystem(found.dwFileAttributes))
            subfolders.emplace_back(found.cFileName);
    });
    std::sort(subfolders.begin(), subfolders.end(), NameLess);
    for (const std::wstring& name : subfolders)
        entries_.push_back({base::JoinPath(path_, name), name, level + 1, Glyph::ClosedFolder});

    std::vector<std::wstring> texts;
    texts.reserve(entries_.size());
    for (const Entry& entry : entries_) texts.push_back(entry.text);
    {
        RedrawPause pause(hwnd());
        FillListBox(hwnd(), texts);
    }
    SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(currentIndex_), 0);
}

std::wstring DirBox::List(int index) const {
    if (index < 0 || index >= ListCount()) throw base::RunError(base::err::InvalidArrayIndex);
    return entries_[static_cast<size_t>(index)].path;
}

int DirBox::ListIndex() const { return static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0)); }

void DirBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) throw base::RunError(base::err::InvalidArrayIndex);
    SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// Opening an entry that has gone meanwhile only brings the list up to date:
// this runs inside a window notification, where an error cannot be raised.
void DirBox::OpenEntry(int index) {
    if (index < 0 || index >= ListCount()) return;
    std::wstring target = entries_[static_cast<size_t>(index)].path;
    try {
        SetPath(target);
    } catch (const base::RunError&) {
        Fill();
    }
}

void DirBox::Notify(int code) {
    if (code == LBN_DBLCLK)
        OpenEntry(ListIndex());
    else if (code == LBN_SELCHANGE && OnClick)
        OnClick();
}

// The list box asks its parent, the form, to draw each entry; the form
// hands the request on to this box.
bool DirBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID >= entries_.size()) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
        return true;
    }
    const Entry& entry = entries_[item.itemID];
    HDC dc = item.hDC;
    RECT row = item.rcItem;
    FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));

    int glyphLeft = row.left + 2 + entry.level * kIndent;
    int glyphTop = row.top + (row.bottom - row.top - kGlyphHeight) / 2;
    switch (entry.glyph) {
    case Glyph::Drive: DrawDriveGlyph(dc, glyphLeft, glyphTop); break;
    case Glyph::OpenFolder: DrawOpenFolder(dc, glyphLeft, glyphTop); break;
    case Glyph::ClosedFolder: DrawClosedFolder(dc, glyphLeft, glyphTop, RGB(255, 214, 90)); break;
    }

    base::SelectedObject font(dc, DefaultFont());
    SIZE extent{};
    GetTextExtentPoint32W(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &extent);
    RECT label = row;
    label.left = glyphLeft + kGlyphWidth + 3;
    label.right = std::min<LONG>(row.right, label.left + extent.cx + 4);
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
    int textColour = (item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                     : selected                      ? COLOR_HIGHLIGHTTEXT
                                                     : COLOR_WINDOWTEXT;
    SetTextColor(dc, GetSysColor(textColour));
    SetBkMode(dc, TRANSPARENT);
    RECT text = label;
    text.left += 2;
    DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &label);
    return true;
}

// Enter opens the highlighted entry; the list box claims the key so that
// the form does not press its default button instead.
LRESULT DirBox::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallPrevious(message, wParam, lParam);
    if (message == WM_GETDLGCODE) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
    } else if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        OpenEntry(ListIndex());
    }
    return result;
}

// ---- FileBox ----------------------------------------------------------------------

void FileBox::Create(Form& form, Frame* container) {
    CreateWindowOf(form, WC_LISTBOXW,
                   LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | WS_VSCROLL | WS_TABSTOP |
                       WS_GROUP,
                   WS_EX_CLIENTEDGE, container);
    path_ = CurrentFolder();
    Fill({});
}

void FileBox::SetPath(const std::wstring& path) {
    if (ChangeFolder(path_, path)) Fill({});
}

void FileBox::SetPattern(const std::wstring& pattern) {
    pattern_ = pattern;
    Fill({});
}

void FileBox::Refresh() {
    std::vector<std::wstring> selected;
    for (int index : SelectedIndices()) selected.push_back(names_[static_cast<size_t>(index)]);
    LRESULT top = SendMessageW(hwnd(), LB_GETTOPINDEX, 0, 0);
    Fill(selected);
    SendMessageW(hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

// Reads the folder once, filters and sorts the names here and hands the list
// box the finished list: fast enough for folders of many thousand files.
void FileBox::Fill(const std::vector<std::wstring>& keepSelected) {
    std::vector<std::wstring> masks = base::SplitPattern(pattern_);
    names_.clear();
    ForEachEntry(path_, [&](const WIN32_FIND_DATAW& found) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsHiddenOrSystem(found.dwFileAttributes))
            return;
        for (const std::wstring& mask : masks) {
            if (base::MatchesMask(found.cFileName, mask)) {
                names_.emplace_back(found.cFileName);
                break;
            }
        }
    });
    std::sort(names_.begin(), names_.end(), NameLess);
    std::vector<int> marks;
    for (const std::wstring& name : keepSelected) {
        auto it = std::lower_bound(names_.begin(), names_.end(), name, NameLess);
        if (it != names_.end() && *it == name) marks.push_back(static_cast<int>(it - names_.begin()));
    }
    RedrawPause pause(hwnd());
    FillListBox(hwnd(), names_);
    // Marks go in as runs of neighbours: one message per run, not per file.
    for (size_t first = 0; first < marks.size();) {
        size_t last = first;
        while (last + 1 < marks.size() && marks[last + 1] == marks[last] + 1) ++last;
        SendMessageW(hwnd(), LB_SELITEMRANGEEX, static_cast<WPARAM>(marks[first]), marks[last]);
        first = last + 1;
    }
}

void FileBox::CheckIndex(int index) const {
    if (index < 0 || index >= ListCount()) throw base::RunError(base::err::InvalidArrayIndex);
}

std::wstring FileBox::List(int index) const {
    CheckIndex(index);
    return names_[static_cast<size_t>(index)];
}

bool FileBox::Selected(int index) const {
    CheckIndex(index);
    return SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void FileBox::SetSelected(int index, bool selected) {
    CheckIndex(index);
    SendMessageW(hwnd(), LB_SETSEL, selected, index);
}

int FileBox::SelCount() const {
    LRESULT count = SendMessageW(hwnd(), LB_GETSELCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::vector<int> FileBox::SelectedIndices() const {
    std::vector<int> indices(static_cast<size_t>(SelCount()));
    if (!indices.empty()) {
        LRESULT got = SendMessageW(hwnd(), LB_GETSELITEMS, indices.size(), reinterpret_cast<LPARAM>(indices.data()));
        indices.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    }
    return indices;
}

void FileBox::SelectAll() {
    if (!names_.empty()) SendMessageW(hwnd(), LB_SETSEL, TRUE, -1);
}

void FileBox::ClearSelection() { SendMessageW(hwnd(), LB_SETSEL, FALSE, -1); }

// A list box keeps a focus entry even when nothing is selected; only a
// selected one counts as chosen.
std::wstring FileBox::FileName() const {
    const int focus = static_cast<int>(SendMessageW(hwnd(), LB_GETCARETINDEX, 0, 0));
    if (focus < 0 || focus >= ListCount() || !Selected(focus)) return std::wstring();
    return names_[static_cast<size_t>(focus)];
}

void FileBox::Notify(int code) {
    if (code == LBN_SELCHANGE && OnClick)
        OnClick();
    else if (code == LBN_DBLCLK && OnDblClick)
        OnDblClick();
}

// ---- Drive changes -------------------------------------------------------

void FollowDriveChange(HWND owner, DriveBox& drives, DirBox& folders, FileBox& files,
                       const std::wstring& driveAtFocus) {
    const std::wstring drive = drives.Drive();
    if (_wcsnicmp(drive.c_str(), folders.Path().c_str(), 2) == 0) return;
    std::wstring previous = folders.Path().substr(0, 2);
    try {
        folders.SetPath(drive);
        return;
    } catch (const base::RunError& error) {
        if (error.number == base::err::DeviceUnavailable) {
            if (!driveAtFocus.empty()) previous = driveAtFocus;
            folders.SetEnabled(false);
            files.SetEnabled(false);
            std::wstring shown = drive;
            CharUpperBuffW(shown.data(), static_cast<DWORD>(shown.size()));
            MsgBox(owner, L"Device (" + shown + L") not ready" + std::wstring(23, L' '),
                   MB_OK | MB_ICONINFORMATION, L"Not ready");
        }
    }
    try {
        drives.SetDrive(previous);
    } catch (const base::RunError&) {
        // The drive shown before has gone too: the list keeps the chosen one.
    }
    folders.SetEnabled(true);
    files.SetEnabled(true);
}

}  // namespace ui
