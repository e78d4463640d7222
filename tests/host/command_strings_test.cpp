#include <gtest/gtest.h>

#include "shellext/CommandStrings.h"

using namespace shellext;
using Kind = CommandStringKind;

TEST(CommandStrings, FlagValuesChooseKindAndWidthThreeAndAboveSixAreNoRequests) {
    const std::pair<Kind, bool> requests[] = {{Kind::Verb, false}, {Kind::HelpText, false}, {Kind::Validate, false},
                                              {},                  {Kind::Verb, true},      {Kind::HelpText, true},
                                              {Kind::Validate, true}};
    for (unsigned flags : {0u, 1u, 2u, 4u, 5u, 6u}) {
        const auto request = ParseCommandStringFlags(flags);
        ASSERT_TRUE(request.has_value()) << flags;
        EXPECT_EQ(std::pair(request->kind, request->wide), requests[flags]) << flags;
    }
    for (unsigned flags : {3u, 7u, 0xFFFFFFFFu}) EXPECT_FALSE(ParseCommandStringFlags(flags)) << flags;
}

TEST(CommandStrings, OnlyOffsetZeroHasTextsCutToLeaveRoomForTheTerminator) {
    EXPECT_EQ(CommandStringText(Kind::Verb, 0), L"(GCS_VERB)MENUITEM1");
    EXPECT_EQ(CommandStringText(Kind::HelpText, 0), L"Rename with Nomaro");
    EXPECT_EQ(CommandStringText(Kind::Validate, 0), L"(GCS_VALIDATE)New menu item number 1");
    for (Kind kind : {Kind::Verb, Kind::HelpText, Kind::Validate}) EXPECT_EQ(CommandStringText(kind, 1), L"");
    for (auto [size, cut] : {std::pair{0u, L""}, {1u, L""}, {5u, L"Rena"}, {18u, L"Rename with Nomar"},
                             {19u, L"Rename with Nomaro"}})
        EXPECT_EQ(CutToBuffer(L"Rename with Nomaro", size), cut) << size;
}

TEST(CommandStrings, MenuItemFollowsTheLowFlagBitsAndOnlyTheExactCaptionIsTheRenameVerb) {
    // Normal menu, verbs only, explorer tree (also beside the other bits); not default-only or no-verbs alone.
    for (unsigned flags : {0x0u, 0x3u, 0xCu, 0x100u}) EXPECT_TRUE(AddsMenuItem(flags)) << std::hex << flags;
    for (unsigned flags : {0x1u, 0x8u, 0x19u}) EXPECT_FALSE(AddsMenuItem(flags)) << std::hex << flags;
    EXPECT_TRUE(IsRenameVerb(L"Rename with &Nomaro"));
    for (const wchar_t* verb : {L"rename with &nomaro", L"Rename with Nomaro", L"Rename with &Nomaro ", L""})
        EXPECT_FALSE(IsRenameVerb(verb)) << testing::PrintToString(std::wstring(verb));
}
