#include "ui/RichText.h"

#include <richedit.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "base/Module.h"
#include "base/RunError.h"
#include "base/Scoped.h"

namespace ui {

namespace {
// The library stays loaded for the life of the process, as the window class needs.
void LoadRichEditLibrary() {
    static const HMODULE library = LoadLibraryW(L"riched20.dll");
    if (!library) throw base::RunError(base::err::InvalidCall);
}

// Plenty for any list of names; the control's own default (32,767 characters
// on Windows) would cut a long list off silently.
const LPARAM kTextLimit = 0x7FFFFFFE;
}  // namespace

void RichText::Create(Form& form, Frame* container) {
    LoadRichEditLibrary();
    CreateWindowOf(form, RICHEDIT_CLASSW,
                   ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL | WS_VSCROLL |
                       WS_TABSTOP | WS_GROUP,
                   WS_EX_CLIENTEDGE, container);
    SendMessageW(hwnd(), EM_EXLIMITTEXT, 0, kTextLimit);
    SendMessageW(hwnd(), EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
}

std::wstring RichText::Text() const {
    const int length = TextLength();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    request.flags = GT_DEFAULT;
    request.codepage = 1200;  // UTF-16
    const LRESULT copied = SendMessageW(hwnd(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void RichText::SetText(const std::wstring& text) { SetWindowTextW(hwnd(), text.c_str()); }

std::wstring RichText::TextRange(int start, int length) const {
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    TEXTRANGEW range{{start, start + std::max(length, 0)}, text.data()};
    const LRESULT copied = SendMessageW(hwnd(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

int RichText::TextLength() const {
    GETTEXTLENGTHEX request{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<int>(
        SendMessageW(hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&request), 0));
}

namespace {
CHARRANGE Selection(HWND box) {
    CHARRANGE range{};
    SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}
void Select(HWND box, LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}
}  // namespace

int RichText::SelStart() const { return static_cast<int>(Selection(hwnd()).cpMin); }

void RichText::SetSelStart(int start) { Select(hwnd(), start, start); }

int RichText::SelLength() const {
    const CHARRANGE range = Selection(hwnd());
    return static_cast<int>(range.cpMax - range.cpMin);
}

void RichText::SetSelLength(int length) {
    const LONG start = Selection(hwnd()).cpMin;
    Select(hwnd(), start, start + length);
}

std::wstring RichText::SelText() const {
    std::wstring text(static_cast<size_t>(SelLength()) + 1, L'\0');
    const LRESULT copied = SendMessageW(hwnd(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

namespace {
// Whether removing `removed` characters and keeping `kept` is done faster by
// building the kept text in a fresh window than by the control's deletion.
// Under Wine the deletion costs time in the square of the removed length
// (about 0.1 s for 5,000 characters, 100 s for 400,000), the rebuild time in
// proportion to the kept text (about 2 s for 400,000 characters).
bool RebuildIsCheaper(long long removed, long long kept) {
    const long long kMinRemoval = 4000;
    return removed >= kMinRemoval && removed * removed >= 4000 * kept;
}

// A large insertion is laid out several times faster in a fresh window that
// is not shown yet (under Wine 2,100,000 characters of file paths took 8 s
// there against 42 s in the shown box); the kept text is copied once, so only
// an insertion much larger than what stays goes that way.
bool FreshWindowInsertsFaster(long long inserted, long long kept) {
    const long long kMinInsertion = 50000;
    return inserted >= kMinInsertion && kept * 4 <= inserted;
}

DWORD CALLBACK CollectBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), count);
    *done = count;
    return 0;
}

DWORD CALLBACK HandOutBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* rest = reinterpret_cast<std::string_view*>(cookie);
    const size_t n = std::min(rest->size(), static_cast<size_t>(count));
    rest->copy(reinterpret_cast<char*>(buffer), n);
    rest->remove_prefix(n);
    *done = static_cast<LONG>(n);
    return 0;
}

// The rich text of [start, end) of `box`, and the same put in at the caret of
// `to`: the characters with their formatting.
void CopyRichText(HWND box, LONG start, LONG end, HWND to) {
    Select(box, start, end);
    std::string rtf;
    EDITSTREAM out{reinterpret_cast<DWORD_PTR>(&rtf), 0, CollectBytes};
    SendMessageW(box, EM_STREAMOUT, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&out));
    std::string_view rest(rtf);
    EDITSTREAM in{reinterpret_cast<DWORD_PTR>(&rest), 0, HandOutBytes};
    SendMessageW(to, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&in));
}

LONG EndOf(HWND box) {
    GETTEXTLENGTHEX request{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<LONG>(SendMessageW(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&request), 0));
}
}  // namespace

namespace {
// Under Wine one insertion of many lines costs time in the square of its
// line count (30,000 lines of paths took 18 s in one message and 3.5 s in
// messages of 200 lines; a stream of text or rich text behaves the same).
const int kLinesPerPiece = 200;

// Where the piece of `text` that starts at `from` ends: behind its
// kLinesPerPiece-th line end ("\r\n" is one), or at the end of the text.
size_t PieceEnd(const std::wstring& text, size_t from) {
    int lines = 0;
    for (size_t i = from; i < text.size(); ++i) {
        const bool lineEnd = text[i] == L'\n' || (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n'));
        if (lineEnd && ++lines == kLinesPerPiece) return i + 1;
    }
    return text.size();
}
}  // namespace

bool TakesSeveralPieces(const std::wstring& text) { return PieceEnd(text, 0) < text.size(); }

void ReplaceSelectionInPieces(HWND box, const std::wstring& text) {
    size_t from = 0;
    size_t end = PieceEnd(text, 0);
    if (end < text.size()) {
        const LRESULT events = SendMessageW(box, EM_SETEVENTMASK, 0, 0);
        for (; end < text.size(); from = end, end = PieceEnd(text, from)) {
            const std::wstring piece = text.substr(from, end - from);
            SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
        }
        SendMessageW(box, EM_SETEVENTMASK, 0, events);
    }
    // The last piece raises the control's events, once for the whole text.
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str() + from));
}

void RichText::ReplaceSelection(const std::wstring& text) {
    const CHARRANGE range = Selection(hwnd());
    Replace(static_cast<int>(range.cpMin), static_cast<int>(range.cpMax - range.cpMin), text);
}

void RichText::Replace(int start, int length, const std::wstring& text) {
    const long long kept = TextLength() - length;
    if (RebuildIsCheaper(length, kept) || FreshWindowInsertsFaster(static_cast<long long>(text.size()), kept)) {
        RebuildWith(start, length, text);
        return;
    }
    Select(hwnd(), start, start + length);
    // The program keeps its own undo history; the control's would only cost
    // time (under Wine an insertion of many lines it can undo takes several
    // times as long).
    ReplaceSelectionInPieces(hwnd(), text);
}

void RichText::RebuildWith(int start, int length, const std::wstring& text) {
    HWND old = hwnd();
    const LONG oldEnd = EndOf(old);
    const LONG end = start + length;
    // The kept beginning, the new text, the kept end.
    TakeFreshWindow([&](HWND fresh) {
        if (start > 0) CopyRichText(old, 0, start, fresh);
        Select(fresh, start, start);
        ReplaceSelectionInPieces(fresh, text);
        const LONG caret = EndOf(fresh);
        if (end < oldEnd) CopyRichText(old, end, oldEnd, fresh);
        return caret;
    });
}

void RichText::TakeFreshWindow(const std::function<LONG(HWND fresh)>& fill) {
    HWND old = hwnd();
    const bool focused = GetFocus() == old;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(old, GWL_STYLE));
    RECT place{};
    GetWindowRect(old, &place);
    HWND parent = GetParent(old);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    base::OwnedWindow pending(CreateWindowExW(static_cast<DWORD>(GetWindowLongW(old, GWL_EXSTYLE)),
                                              RICHEDIT_CLASSW, L"", style & ~WS_VISIBLE, place.left, place.top,
                                              place.right - place.left, place.bottom - place.top, parent,
                                              GetMenu(old), base::CodeModule(), nullptr));
    HWND fresh = pending.get();
    if (!fresh) throw base::RunError(base::err::InvalidCall);
    if (const LRESULT font = SendMessageW(old, WM_GETFONT, 0, 0))
        SendMessageW(fresh, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    SendMessageW(fresh, EM_EXLIMITTEXT, 0, SendMessageW(old, EM_GETLIMITTEXT, 0, 0));
    SendMessageW(fresh, EM_SETOPTIONS, ECOOP_SET, SendMessageW(old, EM_GETOPTIONS, 0, 0));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(old, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    SendMessageW(fresh, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));

    // No events while it is filled.
    const LONG caret = fill(fresh);
    SendMessageW(fresh, EM_SETMODIFY, TRUE, 0);
    SendMessageW(fresh, EM_SETEVENTMASK, 0, SendMessageW(old, EM_GETEVENTMASK, 0, 0));

    SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    AdoptWindow(pending.Detach());
    Select(fresh, caret, caret);
    if (style & WS_VISIBLE) ShowWindow(fresh, SW_SHOWNA);
    if (focused) ::SetFocus(fresh);
    SendMessageW(fresh, EM_SCROLLCARET, 0, 0);
    // As the control's own replacement would.
    if (OnChange) OnChange();
    if (OnSelChange) OnSelChange();
}

void RichText::SelectAll() { Select(hwnd(), 0, -1); }

void RichText::HideSelection(bool hidden) { SendMessageW(hwnd(), EM_HIDESELECTION, hidden, 0); }

bool RichText::Locked() const { return (GetWindowLongW(hwnd(), GWL_STYLE) & ES_READONLY) != 0; }

void RichText::SetLocked(bool locked) { SendMessageW(hwnd(), EM_SETREADONLY, locked, 0); }

void RichText::Notify(int code) {
    if (code == EN_CHANGE && OnChange) OnChange();
}

bool RichText::Notified(const NMHDR& header, LRESULT& result) {
    if (header.code != EN_SELCHANGE) return false;
    if (OnSelChange) OnSelChange();
    result = 0;
    return true;
}

}  // namespace ui
