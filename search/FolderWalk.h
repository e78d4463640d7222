// The recursive search without its window: the breadth-first walk that finds
// the path of every file in a chosen folder and in all folders below it, and
// the text that sends those paths to the list document.
//
// The window supplies the file system (a FolderLister over FindFirstFileW)
// and what it shows while the work runs (a WalkProgress); everything else is
// here. Its Start handler does, in this order:
//
//     WindowsLister lister;                 // FolderLister over FindFirstFileW
//     SearchProgress progress(*this);       // WalkProgress: labels, pumping
//     auto files = search::FindAllFiles(folderLabel.Text(), lister, progress);
//     std::wstring text = search::SendText(files, suffix, progress);
//     document.InsertAtCaret(text);         // the one and only insertion
//
// inside one try block that reports a base::RunError as search::FailureFor
// (SearchTexts.h) says. A failure anywhere (too many files, no files, a
// failure the window raises from its own hooks) leaves through the exception
// before the text exists, so nothing partial ever reaches the document.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace search {

// Receives the entries of one folder as the lister reads them.
class EntrySink {
public:
    // `name` is the entry's name as the file system gives it (blanks
    // included; "." and ".." included); it is valid during the call only.
    virtual void Entry(std::wstring_view name, bool isFolder) = 0;

protected:
    ~EntrySink() = default;
};

// The file system as the walk sees it: one folder at a time.
class FolderLister {
public:
    // Reports every entry of `folder` (a path ending in a backslash) to
    // `sink`, files and folders, hidden and system ones included, in the
    // order the file system returns them. A folder that cannot be opened or
    // read (missing, removed meanwhile, no permission, path too long for the
    // platform) reports nothing and is not an error. The Windows lister lists
    // folder + L"*.*" with FindFirstFileW / FindNextFileW and owns the find
    // handle in a scoped object, so an exception thrown by the sink closes it.
    virtual void List(const std::wstring& folder, EntrySink& sink) = 0;

protected:
    ~FolderLister() = default;
};

// What the window shows and does while the search and the transfer run.
// Every hook may throw base::RunError to end the run; nothing is produced then.
class WalkProgress {
public:
    // A folder is about to be listed: the window shows it with
    // ShowSearchPathText in the folder label and empties the time label, at
    // the pace it processes messages (SearchPacer).
    // `folder` is the queued text: the chosen folder as given, then
    // "<parent>\<name>\".
    virtual void FolderStarted(const std::wstring& folder) = 0;

    // Called after every entry and after every folder, so very often: the
    // window processes pending messages only when PumpThrottle says it is due.
    virtual void Pump() = 0;

    // The line of file `index` (0-based) of `count` is in the text: the window
    // shows index on the progress bar and SendProgressText(index, count) in
    // the folder label, then pumps; throttled like Pump, except that the last
    // file (index == count - 1) is always shown.
    virtual void FileSent(int16_t index, int16_t count) = 0;

protected:
    ~WalkProgress() = default;
};

// The full paths of all files in `chosenFolder` and below, breadth-first: the
// files of the chosen folder, then of each of its subfolders in the order
// listed, then of their subfolders, and so on. Within a folder files keep the
// lister's order. The chosen folder is trimmed of blanks at both ends (it is
// typed text); the names of files and folders are kept as the file system
// gives them, blanks included, so every line names a file that exists; a
// folder gets one trailing backslash; subfolders whose name begins with "."
// are not searched (this covers "." and ".."); files beginning with "." are
// listed like any other. More than 32767 files raise base::RunError 6
// (Overflow) as soon as the 32768th is found.
std::vector<std::wstring> FindAllFiles(const std::wstring& chosenFolder, FolderLister& lister,
                                       WalkProgress& progress);

// The text sent to the list document: each path followed by `suffix` and one
// line feed, built in one buffer. Reports each file to progress.FileSent.
// No files raise base::RunError 380 (Invalid property value), the failure the
// window reports as "No files to send"; more than 32767 raise 6.
std::wstring SendText(const std::vector<std::wstring>& files, const std::wstring& suffix,
                      WalkProgress& progress);

// Decides when "process pending messages" is due, so the window stays
// responsive without paying for it on every file. Times are milliseconds of a
// clock that wraps at 2^32 (GetTickCount); the wrap is handled.
class PumpThrottle {
public:
    explicit PumpThrottle(uint32_t intervalMs) : intervalMs_(intervalMs) {}

    // True the first time, then whenever `intervalMs` have passed since the
    // last time it said true.
    bool Due(uint32_t nowMs);

private:
    uint32_t intervalMs_;
    uint32_t lastMs_ = 0;
    bool started_ = false;
};

// Paces what the window shows while the walk runs. Pending messages are
// processed at most once per interval (PumpThrottle), and each time they
// are, the folder label is first brought up to the folder being listed
// then: on a tree of small folders many folders start between two due
// moments, and a label set only when a folder happens to start on a due
// moment would show almost none of them.
class SearchPacer {
public:
    explicit SearchPacer(uint32_t intervalMs) : throttle_(intervalMs) {}

    // A folder is about to be listed.
    void FolderStarted(const std::wstring& folder);
    // Whether pending messages are due at `nowMs`.
    bool Due(uint32_t nowMs) { return throttle_.Due(nowMs); }
    // The folder the label must show now: the one started last, once; null
    // while the label shows it already.
    const std::wstring* FolderToShow();

private:
    PumpThrottle throttle_;
    std::wstring folder_;
    bool shown_ = true;
};

}  // namespace search
