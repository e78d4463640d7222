#include <gtest/gtest.h>

#include "listwin/ListWindowTables.h"

using base::Text;
using listwin::ToolbarHint;

// The hint of the button under the pointer; left of the toolbar counts as
// its first button, the gap after the last shows the idle text, and beyond
// it the panel keeps what it shows.
TEST(ToolbarHints, FollowTheButtonUnderThePointer) {
    const struct {
        long x;
        ToolbarHint::Kind kind;
        Text text;
    } table[] = {
        {-15, ToolbarHint::Numbered, Text::ExitProgram}, {150, ToolbarHint::Numbered, Text::ExitProgram},
        {500, ToolbarHint::Numbered, Text::Print},       {850, ToolbarHint::Numbered, Text::SaveAs},
        {1500, ToolbarHint::Numbered, Text::Undo},       {2600, ToolbarHint::Numbered, Text::Credits},
        {2900, ToolbarHint::Numbered, Text::HelpMenu},   {3200, ToolbarHint::IdleText, Text::HelpMenu},
        {90000, ToolbarHint::Keep, Text::HelpMenu},
    };
    for (const auto& row : table) {
        const ToolbarHint hint = listwin::ToolbarHintAt(row.x);
        EXPECT_EQ(hint.kind, row.kind) << row.x;
        if (row.kind == ToolbarHint::Numbered) {
            EXPECT_EQ(hint.text, row.text) << row.x;
        }
    }
}

// The Select menu comes in four groups, programs, documents, pictures and
// web files; a single picture type marks only the first file shown, so that
// the picture view shows it, every other filter marks them all.
TEST(TypeFilters, GroupProgramsDocumentsPicturesAndWebFiles) {
    std::wstring groupStarts, firstOnly;
    for (size_t i = 0; i < listwin::kTypeFilterCount; ++i) {
        const listwin::TypeFilter& filter = listwin::kTypeFilters[i];
        if (filter.separatorBefore) groupStarts += std::wstring(filter.pattern) + L" ";
        if (filter.marking != listwin::Marking::All) firstOnly += std::wstring(filter.pattern) + L" ";
    }
    EXPECT_EQ(groupStarts, L"*.exe *.doc *.jpg *.htm;*.html ");
    EXPECT_EQ(firstOnly, L"*.jpg *.gif *.bmp *.wmf *.ico *.cur ");
}
