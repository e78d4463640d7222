// The tips of the tip-of-the-day window: the lines of a tip file and the
// random choice among them. Portable.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace about {

// Every line of the text is one tip, empty lines included. CR LF ends a
// line, and so does a lone CR or LF (files edited on other systems); a last
// line without a line end is a tip too, while a line end at the very end
// starts no further tip.
std::vector<std::wstring> SplitTipLines(std::wstring_view text);

// The position (from 1) of the tip chosen by r, drawn uniformly from [0, 1):
// the whole part of r * count + 1, at most count. 0 when there are no tips.
size_t ChosenTipPosition(double r, size_t count);

}  // namespace about
