// A copy of the list document's plain text, kept up to date at each change
// of the document by reading only the characters near the change. The
// rich-edit control hands its whole text out slowly (under Wine about 40 ms
// for 32,767 names), too slowly to read on every keystroke.
//
// A change is taken to have replaced one stretch of the text by characters
// that end where the selection now ends: typing, deleting, pasting and every
// replacement of the selection change the text so. What is read confirms
// that around the change; when it does not, Follow says so and the caller
// reads the whole text.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace listwin {

class TextMirror {
public:
    // Reads `length` characters of the document from `start`.
    using Reader = std::function<std::wstring(int32_t start, int32_t length)>;

    const std::wstring& Text() const { return text_; }
    void Reset(std::wstring text) { text_ = std::move(text); }

    // The document changed and now holds `length` characters, its selection
    // ending at `selectionEnd`. Brings the copy up to date and returns true,
    // or returns false (leaving the copy) when the characters read around
    // the change do not fit one replaced stretch ending there.
    bool Follow(int32_t length, int32_t selectionEnd, const Reader& read);

private:
    std::wstring text_;
};

}  // namespace listwin
