#include "base/WholeFiles.h"

#include <windows.h>

#include "base/RunError.h"
#include "base/Scoped.h"
#include "base/Win32Error.h"

namespace base {

namespace {

[[noreturn]] void ThrowLastError() { throw RunErrorFromWin32(GetLastError()); }

void WriteNewFile(const wchar_t* path, const std::string& bytes) {
    FileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowLastError();
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file.get()))
        ThrowLastError();
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) ThrowLastError();
    if (size.QuadPart > 0x7fffffff) throw RunError(err::OutOfMemory);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        ThrowLastError();
    bytes.resize(read);
    return bytes;
}

void ReplaceWholeFile(const std::wstring& path, const std::string& bytes) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw RunErrorFromWin32(ERROR_ACCESS_DENIED);
    const size_t separator = path.rfind(L'\\');
    const std::wstring folder = separator == std::wstring::npos ? L"." : path.substr(0, separator);
    wchar_t temporary[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"nom", 0, temporary)) ThrowLastError();
    try {
        WriteNewFile(temporary, bytes);
        if (!MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowLastError();
    } catch (...) {
        DeleteFileW(temporary);
        throw;
    }
}

}  // namespace base
