#include "ui/RichEditFiles.h"

#include <richedit.h>

#include <string_view>

#include "base/Ansi.h"
#include "base/RunError.h"
#include "base/TextEncoding.h"
#include "base/WholeFiles.h"
#include "ui/RichText.h"

namespace ui {

namespace {

// The bytes of a text in the ANSI code page, or UTF-8 with its mark when the
// code page lacks one of its characters.
std::string TextFileBytes(const std::wstring& text) {
    if (base::AnsiHolds(text)) return base::ToAnsi(text);
    return "\xEF\xBB\xBF" + base::ToUtf8(text);
}

DWORD CALLBACK CollectBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), count);
    *done = count;
    return 0;
}

struct PendingBytes {
    std::string_view rest;
};

DWORD CALLBACK HandOutBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* pending = reinterpret_cast<PendingBytes*>(cookie);
    const size_t n = std::min(pending->rest.size(), static_cast<size_t>(count));
    pending->rest.copy(reinterpret_cast<char*>(buffer), n);
    pending->rest.remove_prefix(n);
    *done = static_cast<LONG>(n);
    return 0;
}

std::string RichTextBytes(HWND richEdit) {
    std::string bytes;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&bytes), 0, CollectBytes};
    SendMessageW(richEdit, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0) throw base::RunError(base::err::InternalError);
    return bytes;
}

// False when the control reports an error (damaged rich text, say).
bool TryStreamIn(HWND richEdit, std::string_view bytes, WPARAM format) {
    PendingBytes pending{bytes};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&pending), 0, HandOutBytes};
    SendMessageW(richEdit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

void StreamIn(HWND richEdit, std::string_view bytes, WPARAM format) {
    if (!TryStreamIn(richEdit, bytes, format)) throw base::RunError(base::err::InternalError);
}

std::wstring DecodeText(std::string_view bytes) {
    const base::DetectedEncoding detected = base::DetectEncoding(bytes);
    bytes.remove_prefix(detected.byteOrderMarkLength);
    switch (detected.encoding) {
    case base::TextEncoding::Utf8: return base::FromUtf8(bytes);
    case base::TextEncoding::Utf16LittleEndian: return base::FromUtf16(bytes, false);
    case base::TextEncoding::Utf16BigEndian: return base::FromUtf16(bytes, true);
    case base::TextEncoding::Ansi: break;
    }
    return base::FromAnsi(bytes);
}

// A hidden rich-text box of its own, destroyed with the object.
class TrialBox {
public:
    explicit TrialBox(HWND like) {
        wchar_t windowClass[64] = L"";
        GetClassNameW(like, windowClass, 64);
        box_ = CreateWindowExW(0, windowClass, L"", ES_MULTILINE, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               nullptr, nullptr);
        if (!box_) throw base::RunError(base::err::OutOfMemory);
        SendMessageW(box_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    }
    ~TrialBox() { DestroyWindow(box_); }
    TrialBox(const TrialBox&) = delete;
    TrialBox& operator=(const TrialBox&) = delete;
    HWND hwnd() const { return box_; }

private:
    HWND box_;
};

struct Content {
    std::string bytes;
    WPARAM format;
};

Content ContentOf(const std::string& bytes) {
    if (std::string_view(bytes).substr(0, 5) == "{\\rtf") return {bytes, SF_RTF};
    const std::wstring text = DecodeText(bytes);
    return {std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)),
            SF_TEXT | SF_UNICODE};
}

}  // namespace

std::wstring RichEditText(HWND richEdit) {
    GETTEXTLENGTHEX lengthRequest{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT length = SendMessageW(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthRequest), 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    request.flags = GT_USECRLF;
    request.codepage = 1200;
    const LRESULT copied = SendMessageW(richEdit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void SaveRichEdit(HWND richEdit, const std::wstring& path, DocumentFormat format) {
    base::ReplaceWholeFile(path, format == DocumentFormat::RichText ? RichTextBytes(richEdit)
                                                             : TextFileBytes(RichEditText(richEdit)));
}

void LoadRichEdit(HWND richEdit, const std::wstring& path) {
    const Content content = ContentOf(base::ReadWholeFile(path));
    if (content.format == SF_RTF) {
        TrialBox trial(richEdit);
        if (!TryStreamIn(trial.hwnd(), content.bytes, content.format))
            throw base::RunError(base::err::InvalidFileFormat);
        StreamIn(richEdit, content.bytes, content.format);
        return;
    }
    const std::wstring text(reinterpret_cast<const wchar_t*>(content.bytes.data()),
                            content.bytes.size() / sizeof(wchar_t));
    if (!TakesSeveralPieces(text)) {
        StreamIn(richEdit, content.bytes, content.format);
        return;
    }
    // A stream of many lines costs time in the square of their count under
    // Wine (minutes for a long list): an empty stream resets the content and
    // its formatting, quietly, and the lines go in by pieces, which report
    // the change once.
    const LRESULT events = SendMessageW(richEdit, EM_SETEVENTMASK, 0, 0);
    StreamIn(richEdit, {}, content.format);
    SendMessageW(richEdit, EM_SETEVENTMASK, 0, events);
    ReplaceSelectionInPieces(richEdit, text);
}

}  // namespace ui
