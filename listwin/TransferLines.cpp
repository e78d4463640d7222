#include "listwin/TransferLines.h"

#include "base/Paths.h"

namespace listwin {

std::wstring TransferBlock(const std::wstring& folder, const std::vector<std::wstring>& markedNames,
                           bool includePath) {
    std::wstring block;
    for (const std::wstring& name : markedNames) {
        block += includePath ? base::JoinPath(folder, name) : name;
        block += L'\n';
    }
    return block;
}

}  // namespace listwin
