#include "base/Settings.h"

#include <windows.h>

#include <optional>
#include <string_view>

#include "base/Ansi.h"
#include "base/Module.h"
#include "base/Paths.h"
#include "base/RunError.h"
#include "base/WholeFiles.h"

namespace base {

namespace {

// The profile functions read and write a file that starts with this mark as
// UTF-16LE, and any other file in the ANSI code page.
constexpr std::string_view kUtf16Mark = "\xff\xfe";

// The bytes of the file; empty for a missing file, nothing when it cannot be
// read (held by another program, for example).
std::optional<std::string> FileBytes(const std::wstring& path) {
    try {
        return ReadWholeFile(path);
    } catch (const RunError& error) {
        if (error.number == err::FileNotFound) return std::string();
        return std::nullopt;
    }
}

bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes) {
    try {
        ReplaceWholeFile(path, bytes);
        return true;
    } catch (const RunError&) {
        return false;
    }
}

// Makes the settings file UTF-16 with its byte-order mark, the same text with
// the same lines; a missing file becomes one that holds only the mark. False
// when the file is still ANSI.
bool MakeUtf16(const std::wstring& path) {
    const std::optional<std::string> bytes = FileBytes(path);
    if (!bytes) return false;
    if (bytes->starts_with(kUtf16Mark)) return true;
    const std::wstring text = FromAnsi(*bytes);
    std::string utf16(kUtf16Mark);
    utf16.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    if (!ReplaceFileBytes(path, utf16)) return false;
    // The profile functions may keep a copy of the file they used last: drop
    // it, so the next write starts from the new file.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    return true;
}

}  // namespace

std::wstring SettingsFilePath() { return JoinPath(ProgramFolder(), L"filename.ini"); }

std::wstring ReadIniValue(const std::wstring& section, const std::wstring& key) {
    const std::wstring path = SettingsFilePath();
    // The reader reports a value cut to the buffer as size - 1 characters:
    // grow the buffer until the value fits with room to spare.
    std::wstring value(80, L'\0');
    for (;;) {
        DWORD copied = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value.data(),
                                                static_cast<DWORD>(value.size()), path.c_str());
        if (copied + 1 < value.size()) {
            value.resize(copied);
            return value;
        }
        value.resize(value.size() * 2);
    }
}

void WriteIniValue(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) {
    const std::wstring path = SettingsFilePath();
    // Written into an ANSI file, such a text would come back with question
    // marks in place of the characters the code page lacks.
    const bool needsUtf16 = !(AnsiHolds(section) && AnsiHolds(key) && AnsiHolds(value));
    if (needsUtf16 && !MakeUtf16(path)) return;
    WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str());
}

}  // namespace base
