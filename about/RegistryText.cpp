#include "about/RegistryText.h"

#include <cstdint>

#include "base/TextEncoding.h"

namespace about {

std::optional<std::wstring> RegistryValueText(RegistryType type, std::string_view bytes,
                                              size_t reportedLength) {
    const std::string_view value = bytes.substr(0, reportedLength);
    switch (type) {
    case RegistryType::Text: {
        std::wstring text = base::FromUtf16(value, false);
        if (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }
    case RegistryType::Number: {
        uint32_t number = 0;
        for (size_t i = 0; i < value.size() && i < 4; ++i)
            number |= static_cast<uint32_t>(static_cast<unsigned char>(value[i])) << (8 * i);
        return std::to_wstring(static_cast<int32_t>(number));
    }
    case RegistryType::Other: break;
    }
    return std::nullopt;
}

}  // namespace about
