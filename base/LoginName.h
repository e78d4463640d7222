// The name of the user logged on to Windows.
#pragma once
#include <string>

namespace base {

// Asked of the system on the first call that gets one, then kept for the
// life of the process; empty while the system cannot tell.
std::wstring GetLoginName();

}  // namespace base
