// What the context-menu extension says and accepts, apart from the shell's
// structures: which command string a request asks for, how a text is cut to
// the caller's buffer, when the menu item is added, and which verb runs it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace shellext {

// The menu item's caption; also the one string verb the command accepts.
inline constexpr std::wstring_view kMenuItemText = L"Rename with &Nomaro";

enum class CommandStringKind { Verb, HelpText, Validate };

struct CommandStringRequest {
    CommandStringKind kind;
    bool wide;  // UTF-16 buffer; otherwise bytes in the ANSI code page
};

// The request behind a GetCommandString flags value: 0-2 ANSI, 4-6 wide
// (verb, help text, validate). Nothing for 3 and above 6: such calls write nothing.
std::optional<CommandStringRequest> ParseCommandStringFlags(unsigned flags);

// The text reported for a command: only the item's offset 0 has texts,
// every other offset gets an empty one.
std::wstring CommandStringText(CommandStringKind kind, std::size_t commandOffset);

// The part of `text` that fits a buffer of `bufferSize` characters together
// with its terminating NUL. `bufferSize` must be at least 1.
std::wstring CutToBuffer(std::wstring_view text, unsigned bufferSize);

// Whether the shell's menu request with these flags gets the item: a normal
// menu (low four bits clear), verbs only (0x2) or the explorer tree (0x4).
bool AddsMenuItem(unsigned flags);

// Whether a string verb chooses the rename command: exactly the item's
// caption, case and ampersand included.
bool IsRenameVerb(std::wstring_view verb);

}  // namespace shellext
