#include <windows.h>

#include "app/StartWindow.h"
#include "app/Wiring.h"
#include "ui/App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    app::InstallWindows();
    app::Scroll start;
    start.Show();
    return ui::RunMessageLoop();
}
