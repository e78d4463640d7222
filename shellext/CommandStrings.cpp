#include "shellext/CommandStrings.h"

namespace shellext {

namespace {
// Bits of the shell's menu flags the item depends on.
constexpr unsigned kLowFlagBits = 0xF;
constexpr unsigned kVerbsOnly = 0x2;
constexpr unsigned kExplorerTree = 0x4;
// The flags bit that turns an ANSI command-string request into a wide one.
constexpr unsigned kWideRequest = 0x4;
}  // namespace

std::optional<CommandStringRequest> ParseCommandStringFlags(unsigned flags) {
    if (flags > 6 || flags == 3) return std::nullopt;
    bool wide = (flags & kWideRequest) != 0;
    switch (flags & ~kWideRequest) {
    case 0: return CommandStringRequest{CommandStringKind::Verb, wide};
    case 1: return CommandStringRequest{CommandStringKind::HelpText, wide};
    default: return CommandStringRequest{CommandStringKind::Validate, wide};
    }
}

std::wstring CommandStringText(CommandStringKind kind, std::size_t commandOffset) {
    if (commandOffset != 0) return {};
    switch (kind) {
    case CommandStringKind::Verb: return L"(GCS_VERB)MENUITEM1";
    case CommandStringKind::HelpText: return L"Rename with Nomaro";
    case CommandStringKind::Validate: return L"(GCS_VALIDATE)New menu item number 1";
    }
    return {};
}

std::wstring CutToBuffer(std::wstring_view text, unsigned bufferSize) {
    if (bufferSize == 0) return {};
    return std::wstring(text.substr(0, bufferSize - 1));
}

bool AddsMenuItem(unsigned flags) {
    return (flags & kLowFlagBits) == 0 || (flags & kVerbsOnly) != 0 || (flags & kExplorerTree) != 0;
}

bool IsRenameVerb(std::wstring_view verb) { return verb == kMenuItemText; }

}  // namespace shellext
