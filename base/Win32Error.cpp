#include "base/Win32Error.h"

namespace base {

RunError RunErrorFromWin32(DWORD code) {
    switch (code) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return RunError(err::FileExists);
    case ERROR_FILE_NOT_FOUND: return RunError(err::FileNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return RunError(err::PathNotFound);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return RunError(err::PermissionDenied);
    case ERROR_NOT_READY: return RunError(err::DeviceUnavailable);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return RunError(err::BadFileName);
    default: return RunError(err::PathFileAccess);
    }
}

}  // namespace base
