// The three browser boxes the main windows share: a drop-down of the drives,
// a folder list (the ancestors of the current folder and its subfolders) and
// a multi-select list of the files of one folder that match a pattern.
// The boxes do not know each other; a window couples them in its handlers
// (drive change sets the folder, folder change sets the files).
//
// Run-time errors: 68 (Device unavailable) for a drive that does not exist or
// is not ready, 76 (Path not found) for a folder that does not exist.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

// Whether the drive with the root `root` ("c:\") can be read. Every box asks
// this before it goes to a drive. The real check asks the volume for its
// information and counts only ERROR_NOT_READY as not ready (a drive without
// a disk); tests install a probe of their own, an empty function restores
// the real check.
void SetDriveReadyProbe(std::function<bool(const std::wstring& root)> probe);
bool DriveReady(const std::wstring& root);

// A drop-down list of the logical drives, each shown as "c:" and, when the
// volume has a label, " [label]". Removable and optical drives are listed
// without asking for a label, so filling the list never waits for a disk.
class DriveBox : public Control {
public:
    // Lists the drives and selects the drive of the current folder.
    void Create(Form& form, Frame* container = nullptr);

    // The selected drive as a lower-case letter and a colon ("c:").
    std::wstring Drive() const;
    // Selects the drive named by the first letter of `text` ("C:\Pics"
    // selects c:). Raises 68 for a text that names no drive of the list and
    // for a drive that is not ready; the selection then stays. Raises
    // OnChange when the drive changed.
    void SetDrive(const std::wstring& text);
    // Reads the drives and their labels again; the selected drive stays when
    // it still exists.
    void Refresh();

    // The texts of the list, as shown ("c: [System]").
    int ListCount() const;
    std::wstring List(int index) const;

    // The drive changed, by the user's choice or by SetDrive. A choice in the
    // dropped list counts when the list closes. The user may choose a drive
    // that is not ready; whoever follows the change finds out (68).
    std::function<void()> OnChange;
    std::function<void()> OnGotFocus;

    void Notify(int code) override;

private:
    void Fill();
    int IndexOf(wchar_t letter) const;
    void ReportChange();
    void FitDroppedList();

    std::vector<wchar_t> letters_;  // lower-case drive letter of each item
    wchar_t reported_ = 0;          // the drive OnChange last announced
};

// A folder list: the drive root, the folders down to the current folder (each
// one step further in, with an open folder glyph), then the subfolders of the
// current folder (closed folder glyph), sorted without regard to case. Hidden
// and system folders are left out. A double-click or Enter on an entry opens it.
class DirBox : public Control {
public:
    // Shows the current folder of the process.
    void Create(Form& form, Frame* container = nullptr);

    // The current folder, drive letter in capitals, each folder name written
    // as on disk, no backslash at the end except at a drive root ("C:\").
    std::wstring Path() const { return path_; }
    // Goes to a folder: an absolute path, a drive ("d:", its current folder),
    // or a path relative to the current folder (".."). Raises 68 for a
    // missing or not-ready drive and 76 for a missing folder; the box then
    // stays as it was. Raises OnChange when the folder changed.
    void SetPath(const std::wstring& path);
    // Reads the subfolders again.
    void Refresh();

    // The entries: full path of each, in list order.
    int ListCount() const { return static_cast<int>(entries_.size()); }
    std::wstring List(int index) const;
    // The entry of the current folder.
    int CurrentIndex() const { return currentIndex_; }
    // The highlighted entry, -1 for none; setting it only moves the highlight.
    int ListIndex() const;
    void SetListIndex(int index);

    std::function<void()> OnChange;
    // OnClick (of Control): the user moved the highlight.

    void Notify(int code) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Glyph { Drive, OpenFolder, ClosedFolder };
    struct Entry {
        std::wstring path;
        std::wstring text;
        int level;
        Glyph glyph;
    };

    void Fill();
    void OpenEntry(int index);

    std::wstring path_;
    std::vector<Entry> entries_;
    int currentIndex_ = -1;
};

// A multi-select list of the files (not folders) of one folder whose names
// match the pattern (one or more ";"-separated masks, without regard to
// case), sorted without regard to case. Hidden and system files are left out.
// Selection made by the program raises no event.
class FileBox : public Control {
public:
    // Lists the current folder of the process with the pattern "*.*".
    void Create(Form& form, Frame* container = nullptr);

    std::wstring Path() const { return path_; }
    // Lists another folder (written as DirBox writes it); the same folder
    // again changes nothing. Raises 68 for a missing or not-ready drive and
    // 76 for a missing folder; the list then stays as it was.
    void SetPath(const std::wstring& path);
    std::wstring Pattern() const { return pattern_; }
    // Lists the folder again with the new pattern, nothing selected.
    void SetPattern(const std::wstring& pattern);
    // Reads the folder again; the files still there keep their selection.
    void Refresh();

    int ListCount() const { return static_cast<int>(names_.size()); }
    // The name of a listed file; raises 381 for an index outside the list.
    std::wstring List(int index) const;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    // The indices of the selected files, in list order.
    std::vector<int> SelectedIndices() const;
    void SelectAll();
    void ClearSelection();
    // The file the user clicked last (the entry with the focus) while it is
    // selected; empty when there is none, as after the list was filled.
    std::wstring FileName() const;

    // OnClick (of Control): the user changed the selection.
    std::function<void()> OnDblClick;

    void Notify(int code) override;

private:
    void Fill(const std::vector<std::wstring>& keepSelected);
    void CheckIndex(int index) const;

    std::wstring path_;
    std::wstring pattern_ = L"*.*";
    std::vector<std::wstring> names_;
};

// Follows a change of the drive box into the folder box (and so the file
// box), as both main windows do. A drive that is not ready gets the message
// "Device (X:) not ready" over `owner`, with the folder and file boxes
// disabled meanwhile, and the drive box goes back to `driveAtFocus` (the
// drive it showed when it got the focus). After any other failure it goes
// back to the folder's drive without a message. Nothing happens when the
// folder box is on that drive already (it moved the drive itself).
void FollowDriveChange(HWND owner, DriveBox& drives, DirBox& folders, FileBox& files,
                       const std::wstring& driveAtFocus);

}  // namespace ui
