#include "ui/Win32Error.h"

namespace ui {

RunError RunErrorFromWin32(DWORD code) {
    switch (code) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return RunError(58);
    case ERROR_FILE_NOT_FOUND: return RunError(53);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return RunError(76);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return RunError(70);
    case ERROR_NOT_READY: return RunError(68);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return RunError(52);
    default: return RunError(75);
    }
}

}  // namespace ui
