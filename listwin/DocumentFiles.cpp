#include "listwin/DocumentFiles.h"

#include <cwctype>

namespace listwin {

namespace {
std::wstring LastCharacters(const std::wstring& text, size_t count) {
    return text.size() < count ? text : text.substr(text.size() - count);
}
}  // namespace

SaveFormat SaveFormatFor(const std::wstring& fileName) {
    const std::wstring ending = LastCharacters(fileName, 3);
    if (ending == L"txt" || ending == L"TXT") return SaveFormat::Text;
    if (ending == L"rtf" || ending == L"RTF") return SaveFormat::RichText;
    return SaveFormat::None;
}

bool NamedAsRichText(const std::wstring& fileName) {
    std::wstring ending = LastCharacters(fileName, 4);
    for (wchar_t& c : ending) c = static_cast<wchar_t>(std::towupper(c));
    return ending == L".RTF";
}

}  // namespace listwin
