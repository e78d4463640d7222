#include <windows.h>

#include "app/StartWindow.h"
#include "app/Wiring.h"
#include "ui/App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    app::InstallWindows();
    app::StartWindow start;
    start.Show();
    return ui::RunMessageLoop();
}
