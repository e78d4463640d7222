#include "search/SearchTexts.h"

#include <charconv>

namespace search {
namespace {

constexpr size_t kShownPathLength = 40;
constexpr float kSecondsPerDay = 86400.0f;

// done / total × 100 with the fraction dropped; the product fits in a long
// because both factors are 16-bit.
long WholePercent(int16_t done, int16_t total) {
    if (total == 0) throw base::RunError(base::err::DivisionByZero);
    return done * 100L / total;
}

// Single precision in the general number format, separator '.'.
std::string GeneralSingle(float value) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value,
                                   std::chars_format::general, 7).ptr;
    return std::string(digits, end);
}

}  // namespace

std::wstring ShowSearchPathText(const std::wstring& path) {
    if (path.size() <= kShownPathLength) return path;
    return L"\\...\\.." + path.substr(path.size() - kShownPathLength);
}

std::wstring PercentText(int16_t done, int16_t total) {
    return std::to_wstring(WholePercent(done, total));
}

std::wstring SendProgressText(int16_t index, int16_t count) {
    return std::to_wstring(WholePercent(index, count) + 1) + L"% (" + std::to_wstring(index + 1) +
           L")";
}

std::wstring RotateText(const std::wstring& text) {
    if (text.empty()) return text;
    return text.substr(1) + text.front();
}

std::wstring CountStatusText(const std::wstring& lead, int16_t count, const std::wstring& tail) {
    return lead + L' ' + std::to_wstring(count) + L' ' + tail;
}

float ElapsedSeconds(float start, float end) {
    return end < start ? end - start + kSecondsPerDay : end - start;
}

std::wstring TimeTakenText(const std::wstring& timeTaken, float seconds, wchar_t decimalPoint) {
    std::wstring text = timeTaken + L": ";
    for (char c : GeneralSingle(seconds)) {
        if (c == '.')
            text += decimalPoint;
        else
            text += c == 'e' ? L'E' : static_cast<wchar_t>(c);
    }
    return text + L" seconds";
}

std::wstring TransferredText(const std::wstring& fileTransference, int16_t count) {
    return fileTransference + L": " + std::to_wstring(count) + L" files";
}

FailureReport FailureFor(const base::RunError& failure, const std::wstring& noFilesToSend,
                         const std::wstring& radicalSelect) {
    if (failure.number == base::err::InvalidPropertyValue)
        return {noFilesToSend + L". " + radicalSelect + L" exit.", std::to_wstring(failure.number),
                true};
    return {L"Nomaro Error Description: " + failure.description,
            L"Error: " + std::to_wstring(failure.number), false};
}

}  // namespace search
