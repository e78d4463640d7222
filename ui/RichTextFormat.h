// The character format of a rich-text box's selection: read, and the font
// dialog's choice applied to it.
#pragma once
#include <optional>
#include <string>

#include "ui/CommonDialogs.h"
#include "ui/RichText.h"

namespace ui {

// What the selection (or, with nothing selected, the caret's place) has
// throughout; a member is empty where the selected characters differ.
struct SelectionFormat {
    std::optional<std::wstring> face;
    std::optional<int> pointTenths;  // size in tenths of a point
    std::optional<bool> bold, italic, underline, strikethrough;
};
SelectionFormat SelectionFormatOf(const RichText& box);

// Gives the selection `font`'s face and size (each when given: a face not
// empty, a size above 0) and switches on each style `font` has; a style it
// lacks stays as each character has it.
void ApplyFontToSelection(RichText& box, const FontChoice& font);

}  // namespace ui
