#include "rename/NamingRules.h"

#include <cstdlib>
#include <cwctype>
#include <string_view>

#include "base/Int16.h"
#include "base/Paths.h"
#include "base/RunError.h"

namespace naming {

namespace {

const wchar_t* const kKeepNames = L"*";
const int16_t kMaxIndexedExtension = 999;

// The decimal digits of value, zero-padded to width digits; a minus sign
// stands before the zeros.
std::wstring PaddedDecimal(int value, size_t width) {
    std::wstring digits = std::to_wstring(std::abs(value));
    if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
    return value < 0 ? L"-" + digits : digits;
}

// The extension that replaces the files' own; none while they keep theirs.
const std::wstring& EffectiveNewExtension(const NamingOptions& options) {
    static const std::wstring none;
    return options.keepExtension ? none : options.newExtension;
}

}  // namespace

std::wstring TrimBlanks(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

PlanCheck CheckOptions(const NamingOptions& options) {
    if (options.newName.empty()) return PlanCheck::EmptyName;
    if (options.newName == kKeepNames && options.keepExtension) return PlanCheck::NothingWouldChange;
    return PlanCheck::Ready;
}

int16_t ParseStartNumber(const std::wstring& text) { return base::ParseInt16(text); }

bool IsValidStartNumber(const std::wstring& text) {
    if (text.empty() || text == L"-" || text == L"+") return true;
    try {
        ParseStartNumber(text);
        return true;
    } catch (const base::RunError&) {
        return false;
    }
}

std::wstring IndexText(int16_t m, IndexStyle style, const std::wstring& startNumber) {
    switch (style) {
    case IndexStyle::Four: return PaddedDecimal(m, 4);
    case IndexStyle::Three: return PaddedDecimal(m, 3);
    case IndexStyle::Two: return PaddedDecimal(m, 2);
    case IndexStyle::StartNumber: break;
    }
    int16_t n = base::Add16(base::Sub16(ParseStartNumber(startNumber), 1), m);
    size_t width = startNumber.size();
    return PaddedDecimal(n, width >= 2 && width <= 4 ? width : 0);
}

std::wstring ThreeDigitIndex(int16_t m) { return PaddedDecimal(m, 3); }

Plan BuildPlan(const std::vector<RenameEntry>& entries, const NamingOptions& options) {
    Plan plan;
    const std::wstring& newExtension = EffectiveNewExtension(options);
    int16_t i = 0;
    for (const RenameEntry& entry : entries) {
        PlannedRename planned;
        planned.folder = entry.folder;
        planned.name = entry.name;
        planned.oldPath = base::JoinPath(entry.folder, entry.name);
        size_t dot = entry.name.find(L'.');
        if (dot == std::wstring::npos && !newExtension.empty()) {
            planned.base = entry.name + L".";
        } else if (dot == std::wstring::npos) {
            planned.extensionPart = entry.name;
        } else {
            planned.base = entry.name.substr(0, dot + 1);
            planned.extensionPart = entry.name.substr(dot + 1);
        }
        if (options.indexedExtension) {
            int16_t index = base::Add16(i, 1);
            if (index > kMaxIndexedExtension) return Plan{{}, true};
            planned.extensionPart = ThreeDigitIndex(index);
        }
        plan.entries.push_back(std::move(planned));
        i = base::Add16(i, 1);
    }
    if (!options.indexedExtension) {
        int16_t m = 0;
        for (PlannedRename& planned : plan.entries) {
            m = base::Add16(m, 1);
            planned.indexText = IndexText(m, options.indexStyle, options.startNumber);
        }
    }
    return plan;
}

std::wstring NewName(const PlannedRename& entry, const NamingOptions& options) {
    if (options.newName == kKeepNames) {
        if (options.keepExtension) return entry.name;
        return entry.base + options.newExtension;
    }
    // The indexed extension names every file by its index alone, whichever
    // extension choice is set: a shared new extension would give all files
    // one name.
    if (options.indexedExtension) return options.newName + L"." + entry.extensionPart;
    const std::wstring& extension =
        options.keepExtension ? entry.extensionPart : options.newExtension;
    return options.newName + entry.indexText + L"." + extension;
}

bool IsUsableFileName(const std::wstring& name) {
    const size_t kMaxNameLength = 255;
    if (name.empty() || name.size() > kMaxNameLength) return false;
    if (name.back() == L'.' || name.back() == L' ') return false;
    for (wchar_t c : name) {
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    }
    // A device name keeps its meaning before any extension: "con.txt" is the console too.
    std::wstring stem = name.substr(0, name.find(L'.'));
    for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL") return false;
    const bool numberedDevice = stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
                                stem[3] >= L'1' && stem[3] <= L'9';
    return !numberedDevice;
}

void CheckNewNames(const std::vector<PlannedRename>& plan, const NamingOptions& options) {
    for (const PlannedRename& entry : plan) {
        if (!IsUsableFileName(NewName(entry, options))) throw base::RunError(base::err::BadFileName);
    }
}

}  // namespace naming
