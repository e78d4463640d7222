// A rich-text box (the system's RichEdit 2.0 control): a multi-line document
// whose paragraphs end in one character ("\r"), so that text positions, the
// selection and the text agree.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Controls.h"

namespace ui {

// Replaces the selection of the rich-edit window `box` by `text` and leaves
// the caret behind it, as EM_REPLACESEL without undo does, with one change
// and one selection event; a text of many lines goes in as several
// insertions of a few hundred lines, each ending behind a line end, because
// under Wine one insertion costs time in the square of its line count.
void ReplaceSelectionInPieces(HWND box, const std::wstring& text);
// Whether `text` has more lines than one insertion takes.
bool TakesSeveralPieces(const std::wstring& text);

class RichText : public Control {
public:
    // Loads the rich-edit library on first use; raises 5 when it is missing.
    void Create(Form& form, Frame* container = nullptr);

    // The plain text, each paragraph end a single "\r".
    std::wstring Text() const;
    // Replaces the whole text; raises OnChange once.
    void SetText(const std::wstring& text);
    // Characters of the plain text, paragraph ends counted once.
    int TextLength() const;
    // `length` characters of the plain text from `start`.
    std::wstring TextRange(int start, int length) const;

    // Selection: start (caret position) and length, in characters.
    int SelStart() const;
    // Puts the caret at `start` with nothing selected.
    void SetSelStart(int start);
    int SelLength() const;
    // Selects `length` characters from SelStart.
    void SetSelLength(int length);
    std::wstring SelText() const;
    // Replaces the selection by `text` (empty removes it); the caret ends
    // behind it. Raises OnChange once, as typing does. A replacement that
    // removes a large stretch, or inserts much more than stays, builds the
    // new content in a fresh window instead (see Replace).
    void ReplaceSelection(const std::wstring& text);
    // Replaces [start, start + length) by `text`, leaving the caret behind it
    // and the formatting outside the stretch as it was; raises OnChange once.
    // The control's own deletion takes time in the square of what it
    // removes, and a large insertion lays out several times faster in a
    // window not shown yet, so a large removal, or an insertion much larger
    // than the kept text, gives the control a fresh window holding
    // the kept text (with its formatting) and `text` (see TakeFreshWindow).
    void Replace(int start, int length, const std::wstring& text);
    // Gives the control a fresh window like its own (the same control
    // object, id, place, style, font, events, text limit, read-only state,
    // word wrap and focus; only hwnd() changes; the old window goes once none
    // of its messages is being handled), which `fill` fills while it
    // is hidden and raises no events, returning where the caret goes; then
    // raises OnChange and OnSelChange once. A window not shown yet lays out a
    // large text several times faster, and the old content goes with its
    // window instead of by the control's deletion, which takes time in the
    // square of what it removes. When `fill` raises, the fresh window goes
    // and the control keeps its window and content.
    void TakeFreshWindow(const std::function<LONG(HWND fresh)>& fill);
    // Selects the whole text.
    void SelectAll();
    // Hides the selection's highlight while `hidden` (the selection stays).
    void HideSelection(bool hidden);
    // A locked document takes no typing (the program may still change it).
    bool Locked() const;
    void SetLocked(bool locked);

    // The text changed, by typing or by the program.
    std::function<void()> OnChange;
    // The selection or the caret moved.
    std::function<void()> OnSelChange;

    void Notify(int code) override;
    bool Notified(const NMHDR& header, LRESULT& result) override;

private:
    void RebuildWith(int start, int length, const std::wstring& text);

};

}  // namespace ui
