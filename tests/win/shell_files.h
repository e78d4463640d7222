// Real files in a fresh temporary folder, and (through the shared header)
// the shell's own data object for a selection of them.
#pragma once
#include "tests/shell_data_object.h"
#include "tests/win/temp_folder.h"
