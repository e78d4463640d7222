// The editing history of the list document: one element per change event of
// the document, Undo and Redo moving elements between `UndoList` and
// `RedoList`, and the enabled states of the Undo, Redo and Edit commands.
// Portable logic: it works against the small document interface below, which
// the list window implements over its rich-edit control and the host tests
// over a string.
//
// Memory: the history keeps one copy of the text the newest element describes;
// each element keeps only the stretch in which its text differs from the one
// before it (found by comparing their common beginning and end), so the
// history grows with the size of the edits, not with the size of the document.
//
// Undo brings the document's text back exactly to the text before the edit,
// Redo exactly to the text after it; each changes only the stretch in which
// the document differs from that text, in one call of Replace, so characters
// and formatting outside that stretch stay as they are.
//
// Picture-view mode is the window's concern: while it is on, the window calls
// none of these operations.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace listwin {

// The list document as the history sees it. Positions and lengths count
// characters the way the rich-edit control counts them (UTF-16 code units;
// a paragraph end is the single character "\r"), so positions in Text() are
// positions of the selection.
class UndoableDocument {
public:
    virtual ~UndoableDocument() = default;

    // The whole plain text.
    virtual std::wstring Text() const = 0;

    // The caret: where the selection starts.
    virtual int32_t SelectionStart() const = 0;

    // Replaces the characters [start, start + length) by `text` in one step
    // (one of the two may be empty, never both). Text and formatting outside
    // the stretch stay. The change event it raises may reach RecordEdit: the
    // history ignores it, as recording is off while Undo and Redo run.
    // The window must do large removals without the control's own deletion,
    // which is quadratic in the removed length; above all a replacement that
    // covers the whole text (start 0, length = text length, as when a
    // transfer into an empty document is undone) must be done by giving the
    // control its whole new content at once (a fresh control or a stream-in).
    virtual void Replace(int32_t start, int32_t length, const std::wstring& text) = 0;

    // Selects [start, start + length); length 0 puts the caret at start.
    virtual void Select(int32_t start, int32_t length) = 0;
};

// One recorded change event. SelStart and TextLen describe the document right
// after the edit; the edit itself is the stretch at Position where the text
// before it held Removed and the text after it holds Inserted. The first
// element of a history is the base the others are measured from: its
// stretch is empty.
struct UndoElement {
    int32_t SelStart = 0;  // the caret right after the edit
    int32_t TextLen = 0;   // the number of characters of the text after the edit
    int32_t Position = 0;
    std::wstring Removed;
    std::wstring Inserted;
};

// The enabled states UpdateUndoState reports: the Undo button, its menu item
// and toolbar button follow undoEnabled; the Redo ones follow redoEnabled.
struct UndoState {
    bool undoEnabled = false;
    bool redoEnabled = false;
};

class UndoHistory {
public:
    explicit UndoHistory(UndoableDocument& document);

    // Edits are recorded, and Undo and Redo work, only while this is on. It
    // is off from construction until the window has loaded, off again once
    // the window closes, and off inside Undo and Redo, so the change events
    // their own replacements raise are not recorded.
    bool RecordEdits() const { return recordEdits_; }
    void SetRecordEdits(bool on) { recordEdits_ = on; }

    // The document's change event: empties `RedoList` and appends an
    // element for the document's current text and caret. The first element
    // (recorded when the window loads) is the base of the history.
    void RecordEdit();

    // Takes back the newest edit when `UndoList` holds at least 2 elements,
    // moving its element to `RedoList`. Re-inserted text of more than one
    // character (other than one CR LF) is left selected; otherwise the caret
    // stands behind the re-inserted text (where removed text stood, when
    // nothing is re-inserted). Leaves RecordEdits on in every case.
    void Undo();

    // Puts the most recently undone edit in again, moving its element back to
    // `UndoList`, with the same caret and selection rule as Undo. Leaves
    // RecordEdits on in every case.
    void Redo();

    // Undo is enabled exactly when `UndoList` holds at least 2 elements, Redo
    // exactly when `RedoList` holds at least 1.
    UndoState UpdateUndoState() const;

    // Opening a document drops the element its loading recorded, so the
    // newest element left describes the document as it was before.
    void DropNewestElement();

    // Empties both lists (the window's closing).
    void Release();

    // Oldest first.
    const std::vector<UndoElement>& UndoList() const { return undoList_; }
    // Most recently undone last.
    const std::vector<UndoElement>& RedoList() const { return redoList_; }

    // Characters the elements of both lists hold (Removed and Inserted),
    // beside the one copy of the current text.
    size_t StoredCharacters() const;

private:
    // Moves the newest element of `from` to `to`, undoing or redoing it.
    void Replay(std::vector<UndoElement>& from, std::vector<UndoElement>& to, bool forward);
    // Replaces the stretch in which the document differs from `target` and
    // places the caret by the rule of Undo and Redo; `preferredEnd` decides
    // between equally small stretches among repeated characters.
    void BringDocumentTo(const std::wstring& target, size_t preferredEnd);

    UndoableDocument& document_;
    bool recordEdits_ = false;
    std::wstring text_;  // the text the newest element of UndoList describes
    std::vector<UndoElement> undoList_;
    std::vector<UndoElement> redoList_;
};

// The stretch in which two texts differ: `before` holds beforeLength
// characters at start where `after` holds afterLength; everything ahead of
// start and behind the stretch is the same in both. It is the smallest such
// stretch; where repeated characters allow several, the one that ends in
// `after` nearest to preferredEnd (the caret after a typed character ends
// the stretch behind that character).
struct Stretch {
    size_t start = 0;
    size_t beforeLength = 0;
    size_t afterLength = 0;
};
Stretch ChangedStretch(const std::wstring& before, const std::wstring& after, size_t preferredEnd);

// The Edit menu's states while recording is on: Cut, Copy and Delete need a
// selection, Paste plain text on the clipboard, Select All a non-empty
// document.
struct EditMenuState {
    bool cut = false;
    bool copy = false;
    bool del = false;
    bool paste = false;
    bool selectAll = false;
};
EditMenuState EditMenuStateFor(int32_t selectionLength, bool clipboardHasText, int32_t textLength);

}  // namespace listwin
