#include <gtest/gtest.h>


#include "listwin/ListWindowTables.h"

using base::Text;
using listwin::ToolbarHint;

// Each zone at both of its edges; the pointer left of the toolbar counts as the first zone.
TEST(ToolbarHints, FollowThePointerZoneByZone) {
    const struct {
        long x;
        ToolbarHint::Kind kind;
        Text text;
    } table[] = {
        {-15, ToolbarHint::Numbered, Text::ExitProgram}, {0, ToolbarHint::Numbered, Text::ExitProgram},
        {344, ToolbarHint::Numbered, Text::ExitProgram}, {345, ToolbarHint::Numbered, Text::Print},
        {659, ToolbarHint::Numbered, Text::Print},       {660, ToolbarHint::Numbered, Text::SaveAs},
        {1019, ToolbarHint::Numbered, Text::SaveAs},     {1020, ToolbarHint::Numbered, Text::ClearList},
        {1349, ToolbarHint::Numbered, Text::ClearList},  {1350, ToolbarHint::Numbered, Text::Undo},
        {1709, ToolbarHint::Numbered, Text::Undo},       {1710, ToolbarHint::Numbered, Text::Redo},
        {2039, ToolbarHint::Numbered, Text::Redo},       {2040, ToolbarHint::Numbered, Text::SystemInfo},
        {2414, ToolbarHint::Numbered, Text::SystemInfo}, {2415, ToolbarHint::Numbered, Text::Credits},
        {2500, ToolbarHint::Numbered, Text::Credits},    {2744, ToolbarHint::Numbered, Text::Credits},
        {2745, ToolbarHint::Numbered, Text::HelpMenu},   {3074, ToolbarHint::Numbered, Text::HelpMenu},
        {3075, ToolbarHint::IdleText, Text::HelpMenu},   {3419, ToolbarHint::IdleText, Text::HelpMenu},
        {3420, ToolbarHint::Keep, Text::HelpMenu},       {90000, ToolbarHint::Keep, Text::HelpMenu},
    };
    for (const auto& row : table) {
        const ToolbarHint hint = listwin::ToolbarHintAt(row.x);
        EXPECT_EQ(hint.kind, row.kind) << row.x;
        if (row.kind == ToolbarHint::Numbered) {
            EXPECT_EQ(hint.text, row.text) << row.x;
        }
    }
}
