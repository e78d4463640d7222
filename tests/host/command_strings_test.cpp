#include <gtest/gtest.h>

#include "shellext/CommandStrings.h"

using namespace shellext;

TEST(CommandStrings, FlagValuesChooseKindAndWidth) {
    struct Case {
        unsigned flags;
        CommandStringKind kind;
        bool wide;
    };
    for (Case c : {Case{0, CommandStringKind::Verb, false}, Case{1, CommandStringKind::HelpText, false},
                   Case{2, CommandStringKind::Validate, false}, Case{4, CommandStringKind::Verb, true},
                   Case{5, CommandStringKind::HelpText, true}, Case{6, CommandStringKind::Validate, true}}) {
        auto request = ParseCommandStringFlags(c.flags);
        ASSERT_TRUE(request.has_value()) << c.flags;
        EXPECT_EQ(request->kind, c.kind) << c.flags;
        EXPECT_EQ(request->wide, c.wide) << c.flags;
    }
}

TEST(CommandStrings, ThreeAndAboveSixAreNoRequests) {
    for (unsigned flags : {3u, 7u, 8u, 0x10u, 0xFFFFFFFFu}) EXPECT_FALSE(ParseCommandStringFlags(flags)) << flags;
}

TEST(CommandStrings, OnlyOffsetZeroHasTexts) {
    EXPECT_EQ(CommandStringText(CommandStringKind::Verb, 0), L"(GCS_VERB)MENUITEM1");
    EXPECT_EQ(CommandStringText(CommandStringKind::HelpText, 0), L"Rename with Nomaro");
    EXPECT_EQ(CommandStringText(CommandStringKind::Validate, 0), L"(GCS_VALIDATE)New menu item number 1");
    for (std::size_t offset : {std::size_t{1}, std::size_t{2}, std::size_t{0xFFFF}}) {
        EXPECT_EQ(CommandStringText(CommandStringKind::Verb, offset), L"");
        EXPECT_EQ(CommandStringText(CommandStringKind::HelpText, offset), L"");
        EXPECT_EQ(CommandStringText(CommandStringKind::Validate, offset), L"");
    }
}

TEST(CommandStrings, TextIsCutToLeaveRoomForTheTerminator) {
    EXPECT_EQ(CutToBuffer(L"Rename with Nomaro", 5), L"Rena");
    EXPECT_EQ(CutToBuffer(L"Rename with Nomaro", 1), L"");
    EXPECT_EQ(CutToBuffer(L"Rename with Nomaro", 18), L"Rename with Nomar");
    EXPECT_EQ(CutToBuffer(L"Rename with Nomaro", 19), L"Rename with Nomaro");
    EXPECT_EQ(CutToBuffer(L"Rename with Nomaro", 500), L"Rename with Nomaro");
    EXPECT_EQ(CutToBuffer(L"", 3), L"");
}

TEST(CommandStrings, MenuItemFollowsTheLowFlagBits) {
    // Normal menu, verbs only, explorer tree, and higher bits beside them.
    for (unsigned flags : {0x0u, 0x2u, 0x4u, 0x6u, 0x10u, 0x14u, 0x100u, 0x3u, 0x5u, 0xAu, 0xCu})
        EXPECT_TRUE(AddsMenuItem(flags)) << std::hex << flags;
    // Default item only, no verbs, and both.
    for (unsigned flags : {0x1u, 0x8u, 0x9u, 0x11u, 0x18u})
        EXPECT_FALSE(AddsMenuItem(flags)) << std::hex << flags;
}

TEST(CommandStrings, OnlyTheExactCaptionIsTheRenameVerb) {
    EXPECT_TRUE(IsRenameVerb(L"Rename with &Nomaro"));
    EXPECT_FALSE(IsRenameVerb(L"rename with &nomaro"));
    EXPECT_FALSE(IsRenameVerb(L"Rename with Nomaro"));
    EXPECT_FALSE(IsRenameVerb(L"(GCS_VERB)MENUITEM1"));
    EXPECT_FALSE(IsRenameVerb(L"Rename with &Nomaro "));
    EXPECT_FALSE(IsRenameVerb(L""));
}
