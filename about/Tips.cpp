#include "about/Tips.h"

namespace about {

std::vector<std::wstring> SplitTipLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

size_t ChosenTipPosition(double r, size_t count) {
    if (count == 0) return 0;
    const size_t position = static_cast<size_t>(r * static_cast<double>(count)) + 1;
    return position > count ? count : position;  // guards r rounding up to 1
}

}  // namespace about
