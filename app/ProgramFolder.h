// The folder that holds the program file; the settings and help files lie there.
#pragma once
#include <string>

#include "app/Paths.h"

namespace app {

std::wstring ProgramFolder();

}  // namespace app
