// The texts the search window shows while it works and when it ends. The
// numbered texts come in already loaded (LoadText in the window), so these
// functions only put them together; the words " seconds", " files", "% (",
// ")" and the error report's fixed words are English in every language.
#pragma once
#include <cstdint>
#include <string>

#include "base/RunError.h"

namespace search {

// The text ShowSearchPath puts into the folder label: a path longer than 40
// characters as "\...\.." followed by its last 40 characters, a shorter one
// whole.
std::wstring ShowSearchPathText(const std::wstring& path);

// The whole-number part of done / total × 100, for 0 <= done < total.
// A total of 0 raises base::RunError 11 (Division by zero).
std::wstring PercentText(int16_t done, int16_t total);

// The folder label while file `index` (0-based) of `count` is sent:
// PercentText(index, count) + 1, "% (", index + 1, ")"; of 2 files the first
// reads "1% (1)", the second "51% (2)".
std::wstring SendProgressText(int16_t index, int16_t count);

// The caption's next step in its scroll: its first character moved to its
// end. An empty text stays empty.
std::wstring RotateText(const std::wstring& text);

// The status line of the sending and moving steps: `lead`, a blank, the
// count, a blank and `tail` ("Sending" 2 "files, please wait").
std::wstring CountStatusText(const std::wstring& lead, int16_t count, const std::wstring& tail);

// Seconds from `start` to `end`, both seconds since midnight in single
// precision; a run that passes midnight still takes the time it took.
float ElapsedSeconds(float start, float end);

// The time label at the end: `timeTaken`, ": ", the seconds in the general
// number format of single precision (at most 7 significant digits, no
// trailing zeros, `decimalPoint` as the separator) and " seconds".
std::wstring TimeTakenText(const std::wstring& timeTaken, float seconds, wchar_t decimalPoint);

// The closing message: `fileTransference`, ": ", the count and " files".
std::wstring TransferredText(const std::wstring& fileTransference, int16_t count);

// How the window reports a failed run before it closes.
struct FailureReport {
    std::wstring message;
    std::wstring title;
    bool information;  // the information icon; otherwise the exclamation mark
};

// Failure 380 (a run that found no files): `noFilesToSend` ". "
// `radicalSelect` " exit.", titled with the number alone, information icon.
// Any other: "Nomaro Error Description: " and the description, titled
// "Error: " and the number, exclamation mark.
FailureReport FailureFor(const base::RunError& failure, const std::wstring& noFilesToSend,
                         const std::wstring& radicalSelect);

}  // namespace search
