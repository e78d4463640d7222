#include "listwin/TextMirror.h"

#include <algorithm>

namespace listwin {

namespace {
// Characters compared on each side of a change before it is believed: what
// stands before and behind the new characters must be the old text's.
const size_t kConfirm = 64;
}  // namespace

bool TextMirror::Follow(int32_t length, int32_t selectionEnd, const Reader& read) {
    if (length < 0 || selectionEnd < 0 || selectionEnd > length) return false;
    const size_t newLength = static_cast<size_t>(length);
    const size_t caret = static_cast<size_t>(selectionEnd);
    const size_t kept = newLength - caret;  // the unchanged end, behind the caret
    if (kept > text_.size()) return false;
    const size_t keptFrom = text_.size() - kept;  // where it starts in the old text

    // The characters behind the caret are the old ones.
    const size_t behind = std::min(kConfirm, kept);
    if (read(selectionEnd, static_cast<int32_t>(behind)) != text_.substr(keptFrom, behind)) return false;

    // The change starts where the new text first differs from the old one,
    // at most at the caret and at the kept end. The characters ahead of it
    // are read back from the change, further and further, until kConfirm of
    // them are the old ones (or the text's start is reached).
    const size_t latest = std::min(caret, keptFrom);
    for (size_t reach = kConfirm;; reach *= 2) {
        const size_t from = latest > reach ? latest - reach : 0;
        const std::wstring ahead = read(static_cast<int32_t>(from), static_cast<int32_t>(caret - from));
        if (ahead.size() != caret - from) return false;
        size_t same = 0;
        while (from + same < latest && ahead[same] == text_[from + same]) ++same;
        if (from == 0 || same >= std::min(kConfirm, latest - from)) {
            const size_t start = from + same;
            text_.replace(start, keptFrom - start, ahead, same, std::wstring::npos);
            return true;
        }
    }
}

}  // namespace listwin
