#include "app/Wiring.h"

#include <memory>

#include "about/AboutBox.h"
#include "listwin/ListWindow.h"
#include "rename/RenameWindow.h"
#include "search/SearchWindow.h"
#include "ui/MainWindows.h"

namespace app {

void InstallWindows() {
    ui::RegisterMainWindow(ui::MainWindow::Rename, [] { return std::make_unique<renamer::RenameWindow>(); });
    ui::RegisterMainWindow(ui::MainWindow::List, [] { return std::make_unique<listwin::ListWindow>(); });
    ui::RegisterAboutBox(about::ShowAboutBox);
    ui::RegisterSearchWindow(search::ShowSearchWindow);
}

}  // namespace app
