#include "ui/MainWindows.h"

#include <map>
#include <vector>

#include "base/RunError.h"
#include "base/TextId.h"
#include "base/Texts.h"
#include "ui/Form.h"
#include "ui/MsgBox.h"

namespace ui {

namespace {
std::map<MainWindow, MainWindowFactory>& Factories() {
    static std::map<MainWindow, MainWindowFactory> factories;
    return factories;
}

std::unique_ptr<Form> gMainWindow;
// A replaced window may still be running the handler that asked for the
// switch; it is kept until the next switch, when that handler has returned.
std::vector<std::unique_ptr<Form>> gRetired;
}  // namespace

void RegisterMainWindow(MainWindow which, MainWindowFactory make) {
    Factories()[which] = std::move(make);
}

void OpenMainWindow(MainWindow which) {
    const auto factory = Factories().find(which);
    if (factory == Factories().end() || !factory->second)
        throw base::RunError(base::err::InvalidCall);
    gRetired.clear();
    std::unique_ptr<Form> window = factory->second();
    window->Show();
    if (gMainWindow) gRetired.push_back(std::move(gMainWindow));
    gMainWindow = std::move(window);
}

Form* CurrentMainWindow() { return gMainWindow.get(); }

namespace {
std::function<void(HWND)>& AboutBoxShower() {
    static std::function<void(HWND)> show;
    return show;
}
}  // namespace

void RegisterAboutBox(std::function<void(HWND owner)> show) { AboutBoxShower() = std::move(show); }

void ShowAboutBox(HWND owner) {
    if (AboutBoxShower()) AboutBoxShower()(owner);
}

namespace {
SearchWindowShower& SearchShower() {
    static SearchWindowShower show;
    return show;
}
}  // namespace

void RegisterSearchWindow(SearchWindowShower show) { SearchShower() = std::move(show); }

void ShowSearchWindow(HWND owner, std::wstring& folder, std::function<void(const std::wstring&)> insert) {
    if (SearchShower()) SearchShower()(owner, folder, std::move(insert));
}

bool AskExit(HWND owner) {
    using base::LoadText;
    return MsgBox(owner, LoadText(base::Text::ExitNow), MB_OKCANCEL | MB_ICONQUESTION,
                  LoadText(base::Text::ExitTitle)) == IDOK;
}

bool AskSwitchWindow(HWND owner) {
    using base::LoadText;
    return MsgBox(owner, LoadText(base::Text::SwitchWindowQuestion) + L"\r" +
                             LoadText(base::Text::SwitchWindowQuestion2),
                  MB_YESNO | MB_ICONQUESTION, LoadText(base::Text::SwitchWindowTitle)) == IDYES;
}

}  // namespace ui
