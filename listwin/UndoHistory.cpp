#include "listwin/UndoHistory.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace listwin {

namespace {
size_t AsSize(int32_t position) { return static_cast<size_t>(std::max<int32_t>(position, 0)); }
int32_t AsPosition(size_t size) { return static_cast<int32_t>(size); }

// Documents run to hundreds of thousands of characters and are compared on
// every keystroke: whole blocks are compared by the C library first.
const size_t kCompareBlock = 64;

// How many of the first n characters of a and b are the same. The character
// loops run over at most one block, so their checked access costs nothing.
size_t CommonBeginning(const std::wstring& a, const std::wstring& b, size_t n) {
    size_t same = 0;
    while (same + kCompareBlock <= n && std::wmemcmp(&a[same], &b[same], kCompareBlock) == 0)
        same += kCompareBlock;
    while (same < n && a.at(same) == b.at(same)) ++same;
    return same;
}

// How many of the last n characters of a and b are the same.
size_t CommonEnd(const std::wstring& a, const std::wstring& b, size_t n) {
    size_t same = 0;
    while (same + kCompareBlock <= n &&
           std::wmemcmp(&a[a.size() - same - kCompareBlock], &b[b.size() - same - kCompareBlock], kCompareBlock) == 0)
        same += kCompareBlock;
    while (same < n && a.at(a.size() - 1 - same) == b.at(b.size() - 1 - same)) ++same;
    return same;
}
}  // namespace

Stretch ChangedStretch(const std::wstring& before, const std::wstring& after, size_t preferredEnd) {
    const size_t shorter = std::min(before.size(), after.size());
    const size_t prefix = CommonBeginning(before, after, shorter);
    const size_t suffix = CommonEnd(before, after, shorter);
    // Characters kept by the smallest stretch. Any split of them into a
    // common beginning of at most `prefix` and a common end of at most
    // `suffix` gives a stretch of that size; take the end nearest the caret.
    const size_t kept = std::min(prefix + suffix, shorter);
    const size_t wantedEnd = after.size() - std::min(preferredEnd, after.size());
    const size_t end = std::clamp(wantedEnd, kept - prefix, std::min(suffix, kept));
    return {kept - end, before.size() - kept, after.size() - kept};
}

UndoHistory::UndoHistory(UndoableDocument& document) : document_(document) {}

void UndoHistory::RecordEdit() {
    if (!recordEdits_) return;
    redoList_.clear();
    std::wstring text = document_.Text();
    UndoElement element;
    element.SelStart = document_.SelectionStart();
    element.TextLen = AsPosition(text.size());
    if (!undoList_.empty()) {
        const Stretch edit = ChangedStretch(text_, text, AsSize(element.SelStart));
        element.Position = AsPosition(edit.start);
        element.Removed = text_.substr(edit.start, edit.beforeLength);
        element.Inserted = text.substr(edit.start, edit.afterLength);
    }
    text_ = std::move(text);
    undoList_.push_back(std::move(element));
}

void UndoHistory::Undo() {
    // The first element is the loaded document: there is nothing before it.
    if (undoList_.size() >= 2 && recordEdits_) Replay(undoList_, redoList_, false);
    recordEdits_ = true;
}

void UndoHistory::Redo() {
    if (!redoList_.empty() && recordEdits_) Replay(redoList_, undoList_, true);
    recordEdits_ = true;
}

// Takes the newest element of `from`, brings the text and the document back
// before it (or forward after it) and puts it on `to`; nothing is recorded
// meanwhile.
void UndoHistory::Replay(std::vector<UndoElement>& from, std::vector<UndoElement>& to, bool forward) {
    recordEdits_ = false;
    UndoElement& element = from.back();
    const std::wstring& gone = forward ? element.Removed : element.Inserted;
    const std::wstring& back = forward ? element.Inserted : element.Removed;
    const size_t position = AsSize(element.Position);
    text_.replace(position, gone.size(), back);
    BringDocumentTo(text_, position + back.size());
    to.push_back(std::move(element));
    from.pop_back();
}

void UndoHistory::BringDocumentTo(const std::wstring& target, size_t preferredEnd) {
    // Compared with what the document shows rather than assumed, so that the
    // text comes out right even after a change that was not recorded (the
    // loading of an opened document, whose element is dropped).
    const Stretch change = ChangedStretch(document_.Text(), target, preferredEnd);
    const std::wstring inserted = target.substr(change.start, change.afterLength);
    const int32_t start = AsPosition(change.start);
    if (change.beforeLength > 0 || !inserted.empty())
        document_.Replace(start, AsPosition(change.beforeLength), inserted);
    // A line break counts as one character for this rule, also as CR LF.
    if (inserted.size() > 1 && inserted != L"\r\n")
        document_.Select(start, AsPosition(inserted.size()));
    else
        document_.Select(start + AsPosition(inserted.size()), 0);
}

UndoState UndoHistory::UpdateUndoState() const {
    return {undoList_.size() >= 2, !redoList_.empty()};
}

void UndoHistory::DropNewestElement() {
    if (undoList_.empty()) return;
    // The base element's stretch is empty: dropping it leaves the text as it is.
    const UndoElement& newest = undoList_.back();
    text_.replace(AsSize(newest.Position), newest.Inserted.size(), newest.Removed);
    undoList_.pop_back();
}

void UndoHistory::Release() {
    undoList_.clear();
    redoList_.clear();
    text_.clear();
}

size_t UndoHistory::StoredCharacters() const {
    size_t stored = 0;
    for (const auto* list : {&undoList_, &redoList_})
        for (const UndoElement& element : *list) stored += element.Removed.size() + element.Inserted.size();
    return stored;
}

EditMenuState EditMenuStateFor(int32_t selectionLength, bool clipboardHasText, int32_t textLength) {
    const bool selected = selectionLength > 0;
    return {selected, selected, selected, clipboardHasText, textLength > 0};
}

}  // namespace listwin
