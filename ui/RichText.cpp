#include "ui/RichText.h"

#include <richedit.h>

#include "base/RunError.h"

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

void RichText::ReplaceSelection(const std::wstring& text) {
    SendMessageW(hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
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
