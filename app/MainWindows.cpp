#include "app/MainWindows.h"

#include <memory>
#include <string>

#include "app/Texts.h"
#include "ui/Form.h"

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

std::unique_ptr<ui::Form> gMainWindow;
}  // namespace

void OpenMainWindow(MainWindow which) {
    auto window = std::make_unique<PlaceholderWindow>(
        which == MainWindow::List ? L"Noma Ro 3.1  (Print & Save)" : LoadText(247));
    window->Show();
    if (gMainWindow) gMainWindow->Unload();
    gMainWindow = std::move(window);
}

ui::Form* CurrentMainWindow() { return gMainWindow.get(); }

}  // namespace app
