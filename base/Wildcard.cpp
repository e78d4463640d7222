#include "base/Wildcard.h"

namespace base {

namespace {

// Latin Extended-A pairs capitals with small letters in alternation; the
// runs 0x139-0x148 and 0x179-0x17E put the capital on the odd code.
wchar_t FoldLatinExtendedA(wchar_t c) {
    bool capitalOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    bool paired = (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) ||
                  (c >= 0x14A && c <= 0x177) || capitalOdd;
    if (!paired) return c;
    bool isSmall = capitalOdd ? (c % 2 == 0) : (c % 2 == 1);
    return isSmall ? static_cast<wchar_t>(c - 1) : c;
}

wchar_t FoldGreek(wchar_t c) {
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return static_cast<wchar_t>(c - 0x20);
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return static_cast<wchar_t>(c - 0x25);
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return static_cast<wchar_t>(c - 0x3F);
    return c;
}

wchar_t FoldCyrillic(wchar_t c) {
    if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 0x50);
    return c;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Plain matching of "*" and "?"; after a mismatch the last "*" takes one
// more character, which keeps the work linear for the usual masks.
bool Glob(const std::wstring& name, const std::wstring& mask) {
    size_t n = 0, m = 0;
    size_t starMask = std::wstring::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == L'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() &&
                   (mask[m] == L'?' || FoldFileNameChar(mask[m]) == FoldFileNameChar(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::wstring::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == L'*') ++m;
    return m == mask.size();
}

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

wchar_t FoldFileNameChar(wchar_t c) {
    if (c < 0x80) return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 0x20) : c;
    if (c < 0x100) {
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 0x20);
        if (c == 0xFF) return 0x178;
        return c;
    }
    if (c < 0x180) return FoldLatinExtendedA(c);
    if (c >= 0x370 && c < 0x400) return FoldGreek(c);
    if (c >= 0x400 && c < 0x460) return FoldCyrillic(c);
    return c;
}

int CompareFileNames(const std::wstring& a, const std::wstring& b) {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        wchar_t x = FoldFileNameChar(a[i]), y = FoldFileNameChar(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

bool MatchesMask(const std::wstring& name, const std::wstring& mask) {
    if (mask == L"*.*" || Glob(name, mask)) return true;
    bool dotless = name.find(L'.') == std::wstring::npos;
    return dotless && (EndsWith(mask, L".") || EndsWith(mask, L".*")) && Glob(name + L'.', mask);
}

std::vector<std::wstring> SplitPattern(const std::wstring& pattern) {
    std::vector<std::wstring> masks;
    size_t start = 0;
    while (start <= pattern.size()) {
        size_t end = pattern.find(L';', start);
        if (end == std::wstring::npos) end = pattern.size();
        size_t first = start, last = end;
        while (first < last && IsBlank(pattern[first])) ++first;
        while (last > first && IsBlank(pattern[last - 1])) --last;
        if (last > first) masks.push_back(pattern.substr(first, last - first));
        start = end + 1;
    }
    return masks;
}

bool MatchesPattern(const std::wstring& name, const std::wstring& pattern) {
    for (const std::wstring& mask : SplitPattern(pattern))
        if (MatchesMask(name, mask)) return true;
    return false;
}

}  // namespace base
