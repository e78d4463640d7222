#include "ui/Clipboard.h"

#include <cstring>

#include "base/Scoped.h"

namespace ui {

namespace {
// Holds the clipboard open while it lives.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};
}  // namespace

std::wstring ClipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
    OpenedClipboard clipboard(owner);
    if (!clipboard.open()) return {};
    const base::LockedGlobal block(GetClipboardData(CF_UNICODETEXT));
    if (!block.data()) return {};
    // Bounded by the block, in case the text lacks its terminator.
    const auto* text = static_cast<const wchar_t*>(block.data());
    const size_t capacity = block.size() / sizeof(wchar_t);
    size_t length = 0;
    while (length < capacity && text[length] != L'\0') ++length;
    return std::wstring(text, length);
}

bool ClipboardHasText(HWND owner) { return !ClipboardText(owner).empty(); }

bool SetClipboardText(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    base::GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block) return false;
    {
        const base::LockedGlobal locked(block.get());
        if (!locked.data()) return false;
        std::memcpy(locked.data(), text.c_str(), bytes);
    }
    OpenedClipboard clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block.get())) return false;
    block.Detach();  // the clipboard owns it now
    return true;
}

}  // namespace ui
