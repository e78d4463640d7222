// The rename journal: the whole plan of one batch of renames, written before
// the first file moves, so that a batch can be taken back later, also after
// the program or the file manager was cut off in the middle of it. Portable:
// the journal as bytes; where the files live and how they are held open is
// the window layer's (RenameFiles.h).
//
// A journal is UTF-16 little-endian text with a byte-order mark (it holds
// every name a folder can hold), lines ended by CR LF, fields by a tab (no
// file name can hold a tab or a line end):
//
//   Nomaro rename journal<TAB>1
//   state<TAB>running <TAB>0000000000      state and renamed count, fixed width
//   entries<TAB>3
//   C:\Pics<TAB>a.jpg<TAB>Trip0001.jpg<TAB>
//   C:\Pics<TAB>B.JPG<TAB>b.jpg<TAB>~nomaro-01dc6e2f3a4b5c6d-1f4-1.tmp
//   ...
//   end
//
// Each entry is a folder, the old name, the new name and, for a rename that
// changes only the letter case, the temporary name it goes through. The state
// line is rewritten in place when the batch ends (one write, no progress per
// file): "running" while the batch runs (or when it was cut off), "finished"
// with the number of entries moved, "undone" once it has been taken back.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace naming {

struct JournalEntry {
    std::wstring folder;
    std::wstring oldName;
    std::wstring newName;
    std::wstring temporaryName;  // empty unless only the letter case changes

    bool operator==(const JournalEntry&) const = default;
};

enum class BatchState { Running, Finished, Undone };

struct Journal {
    BatchState state = BatchState::Running;
    size_t renamedCount = 0;  // entries moved; meaningful once Finished
    std::vector<JournalEntry> entries;
};

// The version this program writes and reads; a journal of a later version
// is left alone.
inline constexpr int kJournalVersion = 1;
// Larger journals are refused unread: a rename list holds at most 32,767
// files, whose journal stays far below this.
inline constexpr size_t kMaxJournalBytes = 64u * 1024 * 1024;
inline constexpr size_t kMaxJournalEntries = 32767;

// The journal as its file holds it.
std::string EncodeJournal(const Journal& journal);

// Where the state line starts in the file, and the line itself: the same
// length for every state and count, so it can be overwritten in place.
size_t StateLineOffset();
std::string EncodeStateLine(BatchState state, size_t renamedCount);

enum class JournalFault {
    None,
    Empty,         // no bytes at all
    NotAJournal,   // no journal header: another file, or garbage
    NewerVersion,  // written by a later version of the program
    CutOff,        // ends before its end line
    Damaged,       // a line that a journal cannot hold
    TooLarge,      // more than kMaxJournalBytes
};

struct JournalReading {
    JournalFault fault = JournalFault::None;
    Journal journal;  // complete only when fault is None
};

// Reads a journal back. Anything that is not exactly what EncodeJournal
// writes is a fault; a damaged journal is never half read.
JournalReading DecodeJournal(std::string_view bytes);

}  // namespace naming
