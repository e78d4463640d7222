#include "app/Wiring.h"

#include <memory>
#include <string>

#include "rename/RenameWindow.h"
#include "ui/Form.h"
#include "ui/MainWindows.h"

namespace app {

namespace {
// An empty window with the caption of a main window that is not built yet.
class PlaceholderWindow : public ui::Form {
public:
    explicit PlaceholderWindow(std::wstring caption) : caption_(std::move(caption)) {}

protected:
    void CreateControls() override { SetCaption(caption_); }
    SIZE DesignSize() const override { return SIZE{9600, 7200}; }

private:
    std::wstring caption_;
};
}  // namespace

void InstallWindows() {
    ui::RegisterMainWindow(ui::MainWindow::Rename, [] { return std::make_unique<renamer::RenameWindow>(); });
    ui::RegisterMainWindow(ui::MainWindow::List, [] {
        return std::make_unique<PlaceholderWindow>(L"Noma Ro 3.1  (Print & Save)");
    });
}

}  // namespace app
