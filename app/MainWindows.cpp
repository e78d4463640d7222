#include "app/MainWindows.h"

#include <memory>
#include <string>
#include <vector>

#include "app/Texts.h"
#include "rename/RenameWindow.h"
#include "ui/Form.h"
#include "ui/MsgBox.h"

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
// A replaced window may still be running the handler that asked for the
// switch; it is kept until the next switch, when that handler has returned.
std::vector<std::unique_ptr<ui::Form>> gRetired;
}  // namespace

void OpenMainWindow(MainWindow which) {
    gRetired.clear();
    std::unique_ptr<ui::Form> window;
    if (which == MainWindow::Rename)
        window = std::make_unique<renamer::frmMain>();
    else
        window = std::make_unique<PlaceholderWindow>(L"Noma Ro 3.1  (Print & Save)");
    window->Show();
    if (gMainWindow) gRetired.push_back(std::move(gMainWindow));
    gMainWindow = std::move(window);
}

ui::Form* CurrentMainWindow() { return gMainWindow.get(); }

bool AskExit(HWND owner) {
    return ui::MsgBox(owner, LoadText(211), MB_OKCANCEL | MB_ICONQUESTION, LoadText(239)) == IDOK;
}

bool AskSwitchWindow(HWND owner) {
    return ui::MsgBox(owner, LoadText(259) + L"\r" + LoadText(260), MB_YESNO | MB_ICONQUESTION,
                      LoadText(261)) == IDYES;
}

}  // namespace app
