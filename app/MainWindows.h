// The two main windows; exactly one of them exists once the start window is gone.
#pragma once

namespace ui {
class Form;
}

namespace app {

enum class MainWindow { List, Rename };

// Creates the chosen main window and shows it; it replaces the one shown before.
void OpenMainWindow(MainWindow which);

// The main window shown now, or null.
ui::Form* CurrentMainWindow();

}  // namespace app
