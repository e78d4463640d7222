#include "base/Ansi.h"

#include <windows.h>

namespace base {

std::string ToAnsi(std::wstring_view text) {
    if (text.empty()) return std::string();
    const int inLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), inLength, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int inLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, wide.data(), length);
    return wide;
}

bool AnsiHolds(std::wstring_view text) { return FromAnsi(ToAnsi(text)) == text; }

}  // namespace base
