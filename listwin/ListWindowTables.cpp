#include "listwin/ListWindowTables.h"

#include <iterator>
#include <string_view>

namespace listwin {

using base::Text;

const TypeFilter kTypeFilters[] = {
    {Text::SelectExeFiles, L"*.exe", Marking::All, true},
    {Text::SelectProgramFiles, L"*.exe;*.bat;*.com", Marking::All, false},
    {Text::SelectDocFiles, L"*.doc", Marking::All, true},
    {Text::SelectTxtFiles, L"*.txt", Marking::All, false},
    {Text::SelectRtfFiles, L"*.rtf", Marking::All, false},
    {Text::SelectPdfFilesList, L"*.pdf", Marking::All, false},
    {Text::SelectTextTypeFiles, L"*.doc;*.txt;*.rtf;*.pdf", Marking::All, false},
    {Text::SelectJpgFiles, L"*.jpg", Marking::First, true},
    {Text::SelectGifFiles, L"*.gif", Marking::FirstThenCheck, false},
    {Text::SelectBmpFiles, L"*.bmp", Marking::FirstThenCheck, false},
    {Text::SelectWmfFiles, L"*.wmf", Marking::FirstThenCheck, false},
    {Text::SelectIcoFiles, L"*.ico", Marking::FirstThenCheck, false},
    {Text::SelectCurFiles, L"*.cur", Marking::FirstThenCheck, false},
    {Text::SelectPictureFiles, L"*.jpg;*.gif;*.bmp;*.wmf;*.ico;*.cur", Marking::All, false},
    {Text::SelectHtmlFiles, L"*.htm;*.html", Marking::All, true},
    {Text::SelectInternetFiles,
     L"*.htm;*.html;*.css;*.cfm;*.cfml;*.dbm;*.asp;*.inc;*.asa;*.shtm;*.shtml;*.js;*.vb;*.vbs;"
     L"*.bas;*.cgi;*.pl;*.txt;*.sql;*.vtm;*.vtml;*.wml;*.xml;*.xsl;*.jsp;*.java;*.php;*.php3;*.htc",
     Marking::All, false},
};
const size_t kTypeFilterCount = std::size(kTypeFilters);

bool FindsPictures(const TypeFilter& filter) {
    return std::wstring_view(kPicturePattern).find(filter.pattern) != std::wstring_view::npos;
}

namespace {
// Right edges (exclusive) of the toolbar's hint zones, in twips.
struct HintZone {
    long below;
    ToolbarHint hint;
};
const HintZone kHintZones[] = {
    {345, {ToolbarHint::Numbered, Text::ExitProgram}},
    {660, {ToolbarHint::Numbered, Text::Print}},
    {1020, {ToolbarHint::Numbered, Text::SaveAs}},
    {1350, {ToolbarHint::Numbered, Text::ClearList}},
    {1710, {ToolbarHint::Numbered, Text::Undo}},
    {2040, {ToolbarHint::Numbered, Text::Redo}},
    {2415, {ToolbarHint::Numbered, Text::SystemInfo}},
    {2745, {ToolbarHint::Numbered, Text::Credits}},
    {3075, {ToolbarHint::Numbered, Text::HelpMenu}},
    {3420, {ToolbarHint::IdleText, Text::HelpMenu}},
};
}  // namespace

ToolbarHint ToolbarHintAt(long xTwips) {
    for (const HintZone& zone : kHintZones)
        if (xTwips < zone.below) return zone.hint;
    return {ToolbarHint::Keep, Text::HelpMenu};
}

}  // namespace listwin
