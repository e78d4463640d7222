#include "ui/RichEditFiles.h"

#include <richedit.h>

#include <string_view>
#include <vector>

#include "base/Ansi.h"
#include "base/RunError.h"
#include "base/TextEncoding.h"
#include "base/WholeFiles.h"
#include "ui/RichText.h"
#include "ui/RichTextPieces.h"

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

// Under Wine the control reads a document of many paragraphs in time that
// grows with the square of their count; in pieces of this many it grows
// with the count.
const int kParagraphsPerPiece = 200;

// Reads rich text into the empty box `box`; raises 321 when the control
// refuses any of it (a damaged file). A list as the control writes it goes in
// by pieces: the last one read as a whole document, so that the content ends
// as the whole file would end it, and the others inserted before it in order.
void ReadRichText(HWND box, const std::string& rtf) {
    const std::vector<std::string> pieces = RichTextPieces(rtf, kParagraphsPerPiece);
    const auto read = [box](std::string_view bytes, WPARAM format) {
        if (!TryStreamIn(box, bytes, format)) throw base::RunError(base::err::InvalidFileFormat);
    };
    if (pieces.empty()) {
        read(rtf, SF_RTF);
        return;
    }
    read(pieces.back(), SF_RTF);
    SendMessageW(box, EM_SETSEL, 0, 0);
    for (size_t i = 0; i + 1 < pieces.size(); ++i) read(pieces[i], SF_RTF | SFF_SELECTION);
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

void LoadRichEdit(RichText& box, const std::wstring& path) {
    const Content content = ContentOf(base::ReadWholeFile(path));
    box.TakeFreshWindow([&](HWND fresh) {
        if (content.format == SF_RTF) {
            ReadRichText(fresh, content.bytes);
        } else {
            const std::wstring text(reinterpret_cast<const wchar_t*>(content.bytes.data()),
                                    content.bytes.size() / sizeof(wchar_t));
            if (TakesSeveralPieces(text)) ReplaceSelectionInPieces(fresh, text);
            else StreamIn(fresh, content.bytes, content.format);
        }
        return 0;  // the caret at the start, as a whole document read leaves it
    });
}

}  // namespace ui
