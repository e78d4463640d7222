// The one place where failures of Windows calls become run-time errors with
// the classic numbers, so every window reports a failed file operation alike.
#pragma once
#include <windows.h>

#include "base/RunError.h"

namespace base {

// ERROR_ALREADY_EXISTS, ERROR_FILE_EXISTS          58 File already exists
// ERROR_FILE_NOT_FOUND                             53 File not found
// ERROR_PATH_NOT_FOUND, ERROR_INVALID_DRIVE,
//   ERROR_BAD_NETPATH                              76 Path not found
// ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION,
//   ERROR_WRITE_PROTECT                            70 Permission denied
// ERROR_NOT_READY                                  68 Device unavailable
// ERROR_INVALID_NAME, ERROR_BAD_PATHNAME,
//   ERROR_FILENAME_EXCED_RANGE                     52 Bad file name or number
// anything else, ERROR_ACCESS_DENIED included      75 Path/File access error
// A file that another program holds open or a write-protected disk is
// "permission denied"; a plain refusal of the file system (a read-only
// folder, a target that is a folder) is a path/file access error, as the
// classic runtime reported a refused rename.
RunError RunErrorFromWin32(DWORD code);

}  // namespace base
