#include "app/ProgramFolder.h"

#include "ui/Module.h"

namespace app {

std::wstring ProgramFolder() { return ui::ModuleFolder(nullptr); }

}  // namespace app
