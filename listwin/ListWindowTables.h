// The tables of the list window that need no window: the type filters of the
// Select menu and the hints of the toolbar by pointer position.
#pragma once
#include <cstddef>

#include "base/TextId.h"

namespace listwin {

// What a type filter marks after it has set its pattern.
enum class Marking {
    All,              // every listed file
    First,            // the first listed file, which also gets the focus
    FirstThenCheck,   // as First, then (in list mode) the command-state refresh,
                      // which shows all files again with nothing marked
};

struct TypeFilter {
    base::Text caption;
    const wchar_t* pattern;
    Marking marking;
    bool separatorBefore;  // a separator line comes before it in the menu
};

// The type filters in menu order, after "Change File search to *.* (all)".
extern const TypeFilter kTypeFilters[];
extern const size_t kTypeFilterCount;

// The files the picture view lists, the pattern of "All Picturefiles Above".
inline constexpr wchar_t kPicturePattern[] = L"*.jpg;*.gif;*.bmp;*.wmf;*.ico;*.cur";

// Whether the filter finds only picture files (its pattern is a part of the
// pattern of all pictures); those filters stay usable in the picture view.
bool FindsPictures(const TypeFilter& filter);

// The hint the toolbar shows with the pointer `xTwips` from its left edge.
struct ToolbarHint {
    enum Kind {
        Numbered,  // the text `text` of the string table
        IdleText,  // the window's idle text
        Keep,      // the panel keeps what it shows
    } kind;
    base::Text text;
};
ToolbarHint ToolbarHintAt(long xTwips);

// The window's idle text in the hint panel; not translated.
inline constexpr wchar_t kIdleHint[] = L"Noma Ro 3";

}  // namespace listwin
