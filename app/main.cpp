#include <windows.h>

#include "app/StartWindow.h"
#include "ui/App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    app::Scroll start;
    start.Show();
    return ui::RunMessageLoop();
}
