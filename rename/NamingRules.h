// The naming rules of both rename windows: how a list of files and the naming
// options turn into new names. Portable logic, shared by the batch rename
// window and the shell extension's rename window, which passes its own
// entries (sorted, dotted names only) and never sets the indexed extension.
//
// Numbers follow the program's 16-bit arithmetic: a running number or index
// above 32767 raises base::RunError 6, a start number that does not convert
// raises base::RunError 13.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace naming {

enum class IndexStyle {
    Four,         // 0001, 0002, ...
    Three,        // 001, 002, ...
    Two,          // 01, 02, ...
    StartNumber,  // from the typed start number, as wide as it was typed
};

struct NamingOptions {
    std::wstring newName;           // already trimmed; exactly "*" keeps the names
    bool keepExtension = true;      // false: every file gets newExtension
    std::wstring newExtension;      // without the dot; ignored while keepExtension
    IndexStyle indexStyle = IndexStyle::Four;
    std::wstring startNumber;       // as typed; its character count is the index width
    bool indexedExtension = false;  // the extension becomes 001 ... 999
};

// One file of the rename list: the folder as the file box reported it
// (C:\Pics, or C:\ at a drive root) and the name without folder.
struct RenameEntry {
    std::wstring folder;
    std::wstring name;
};

// The plan of one entry. BuildPlan fills everything but newPath, which the
// perform step stores just before it renames the file.
struct PlannedRename {
    std::wstring folder;
    std::wstring name;
    std::wstring oldPath;        // folder and name joined with one backslash
    std::wstring base;           // name up to and including its first dot
    std::wstring extensionPart;  // after the first dot, or the three-digit index
    std::wstring indexText;      // empty with the indexed extension
    std::wstring newPath;
};

enum class PlanCheck {
    Ready,
    EmptyName,           // nothing to name the files with
    NothingWouldChange,  // "*" while keeping the extension
};

// Removes leading and trailing spaces (only spaces).
std::wstring TrimBlanks(const std::wstring& text);

PlanCheck CheckOptions(const NamingOptions& options);

// An optional sign ('+' or '-') followed by one or more ASCII digits, nothing
// else: no blanks, no decimal point. Raises base::RunError 13 when the text has
// another shape (empty included), base::RunError 6 when the value does not fit
// in 16 bits.
int16_t ParseStartNumber(const std::wstring& text);

// What the start-number box accepts while typing: empty, a lone sign (a
// negative number being typed), or a text that ParseStartNumber converts. The
// complete number is judged where the indexes are built.
bool IsValidStartNumber(const std::wstring& text);

// Index text of entry m (1, 2, ...). Four/Three/Two pad m with zeros to that
// many digits; StartNumber gives n = s - 1 + m (16-bit, 6 on overflow),
// zero-padded to the character count w of startNumber when w is 2, 3 or 4,
// else in plain decimal. A minus sign goes before the zeros: start -12 gives
// -012, -011, ..., -001, 000, 001.
std::wstring IndexText(int16_t m, IndexStyle style, const std::wstring& startNumber);

// m with at least three digits: 001 ... 999 (1000 and above as they are).
std::wstring ThreeDigitIndex(int16_t m);

struct Plan {
    std::vector<PlannedRename> entries;
    // The indexed extension was asked for more than 999 files: the plan is
    // empty and nothing may be renamed.
    bool tooManyForIndexedExtension = false;
};

// Splits every name and builds the index texts, in list order. Expects
// options that CheckOptions called Ready. Raises base::RunError 6 or 13 from
// the index texts (the indexed extension builds none).
Plan BuildPlan(const std::vector<RenameEntry>& entries, const NamingOptions& options);

// Whether a new name names exactly that file in its own folder. Refused:
// an empty name; a separator, colon, wildcard, quote, angle bracket, bar or
// control character; a trailing dot or blank (the file system strips them, so
// the file would get another name); more than 255 characters; a device name
// (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any case) alone or before a dot.
bool IsUsableFileName(const std::wstring& name);

// Checks the new name of every planned entry before any file is touched, so a
// bad name stops the renaming before its first move. Raises
// base::RunError 52 for the first name IsUsableFileName refuses.
void CheckNewNames(const std::vector<PlannedRename>& plan, const NamingOptions& options);

// The new name (without folder) of a planned entry:
//   newName + index + "." + extension part    keeping the extension
//   newName + index + "." + newExtension      with a new extension
//   base + newExtension                       "*" with a new extension
//   newName + "." + three-digit index         indexed extension, either choice
// For "*" while keeping the extension (refused by CheckOptions) it is the old name.
std::wstring NewName(const PlannedRename& entry, const NamingOptions& options);

}  // namespace naming
